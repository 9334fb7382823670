// Output text made piece by piece and handed on in pieces of about 64 KiB, so a result of
// any size never lies whole in memory: writers append to Text() and call RowDone() after
// each row. Without a sink everything is kept, for Take().
//
// Owned by the one thread that writes the output.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace lintally::results {

class TextOut
{
public:
    // Takes a piece; false when it could not be written (nothing more is handed on then).
    using Sink = std::function<bool(std::string_view piece)>;

    explicit TextOut(Sink sink = {}) : m_sink(std::move(sink)) {}

    std::string& Text() { return m_text; }

    // Hands what was written on once it fills a piece.
    void RowDone()
    {
        if (m_sink && m_text.size() >= kPiece) {
            HandOn();
        }
    }

    // Hands the rest on; false when the sink refused any piece.
    bool Finish();

    // What was written, when there is no sink.
    std::string Take() { return std::move(m_text); }

private:
    static constexpr std::size_t kPiece = 64 * 1024;

    void HandOn();

    Sink m_sink;
    std::string m_text;
    bool m_failed = false;
};

}  // namespace lintally::results
