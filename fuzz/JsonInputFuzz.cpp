// The streaming JSON reader that saved counts are read back with. The input's first byte
// chooses how: its low four bits give the largest piece a read returns (1 to 16 bytes), bit
// 0x10 a walk that asks for the value a member's key names (as the count reader asks by key)
// instead of Skip, bit 0x20 a walk that keeps keys and strings of 8 bytes at most (a longer
// one must fail at the same byte however the document is cut). The rest, the document, is
// read that way twice, as a whole and in pieces,
// and both must end alike: the same result, the same error at the same byte. A document that
// a strict JSON parser accepts (nested no deeper than the reader allows, without a NUL byte)
// must skip to its end.
#include <algorithm>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "Harness.h"
#include "results/JsonInput.h"

using lintally::fuzz::ChunkedStream;
using lintally::fuzz::Fault;
using lintally::results::JsonInput;

namespace {

// Reads one value: an object's members by the first letter of their key ('n' a number, 'b'
// true or false, 's' a string, 'k' skipped, any other a value read the same way), an array's
// elements the same way, anything else skipped.
bool Walk(JsonInput& in, std::size_t depth, std::size_t most)
{
    if (depth == JsonInput::kMaxDepth) {
        return in.Skip();
    }
    std::string text;
    if (in.TakeIf('{')) {
        if (in.TakeIf('}')) {
            return true;
        }
        do {
            std::string key;
            if (!in.String(key, most) || !in.Take(':')) {
                return false;
            }
            std::uint64_t number = 0;
            bool flag = false;
            const char kind = key.empty() ? 0 : key.front();
            const bool read = kind == 'n'   ? in.Number(number)
                              : kind == 'b' ? in.Boolean(flag)
                              : kind == 's' ? in.String(text, most)
                              : kind == 'k' ? in.Skip()
                                            : Walk(in, depth + 1, most);
            if (!read) {
                return false;
            }
        } while (in.TakeIf(','));
        return in.Take('}');
    }
    if (in.TakeIf('[')) {
        if (in.TakeIf(']')) {
            return true;
        }
        do {
            if (!Walk(in, depth + 1, most)) {
                return false;
            }
        } while (in.TakeIf(','));
        return in.Take(']');
    }
    return in.Skip();
}

struct Outcome
{
    bool read;
    std::string error;

    friend bool operator==(const Outcome&, const Outcome&) = default;
};

template <class Read>
Outcome ReadWith(std::string_view document, std::size_t piece, Read read)
{
    ChunkedStream stream(document, piece);
    JsonInput in(stream);
    const bool done = read(in) && in.AtEnd();
    return {done, in.Error()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::size_t piece = 1 + (data[0] & 0x0F);
    const bool walk = (data[0] & 0x30) != 0;
    const std::size_t most = (data[0] & 0x20) != 0 ? 8 : JsonInput::kLongestText;
    const std::string_view document(reinterpret_cast<const char*>(data) + 1, size - 1);
    // Each reader takes a block of 1 MiB, the most of a run's time: two per input.
    const auto read = [walk, most](JsonInput& in) { return walk ? Walk(in, 0, most) : in.Skip(); };
    const Outcome whole = ReadWith(document, document.size(), read);
    if (ReadWith(document, piece, read) != whole) {
        Fault("the reader ends otherwise when the document comes in pieces");
    }
    // nlohmann's parser takes a NUL byte for the end of the text: no judge of those.
    const auto opens = std::count_if(document.begin(), document.end(),
                                     [](char c) { return c == '[' || c == '{'; });
    if (!walk && !whole.read && static_cast<std::size_t>(opens) <= JsonInput::kMaxDepth &&
        document.find('\0') == std::string_view::npos && nlohmann::json::accept(document)) {
        Fault("a valid JSON document cannot be skipped");
    }
    return 0;
}
