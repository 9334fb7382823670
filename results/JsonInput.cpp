#include "results/JsonInput.h"

#include <array>
#include <cstring>
#include <limits>

namespace lintally::results {

namespace {

constexpr std::size_t kBlock = 1 << 20;

// Bytes that end a run of plain bytes in a string: the quote, the backslash and the control
// bytes.
constexpr auto kStringStops = [] {
    std::array<bool, 256> stops{};
    for (std::size_t c = 0; c < 0x20; ++c) {
        stops[c] = true;
    }
    stops['"'] = true;
    stops['\\'] = true;
    return stops;
}();

void AppendUtf8(std::string& text, std::uint32_t code)
{
    if (code < 0x80) {
        text.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (code >> 6)));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (code >> 12)));
        text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (code >> 18)));
        text.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

JsonInput::JsonInput(Brim::IStream& stream) : m_stream(stream), m_block(kBlock) {}

bool JsonInput::Refill()
{
    if (m_failed) {
        return false;
    }
    m_offset += m_end;
    m_at = 0;
    m_end = m_stream.Read(m_block.data(), static_cast<std::uint32_t>(m_block.size()));
    return m_end != 0;
}

int JsonInput::Next()
{
    if (m_at == m_end && !Refill()) {
        return -1;
    }
    return static_cast<unsigned char>(m_block[m_at++]);
}

int JsonInput::PeekPastSpace()
{
    for (;;) {
        while (m_at < m_end) {
            if (!IsSpace(m_block[m_at])) {
                return static_cast<unsigned char>(m_block[m_at]);
            }
            ++m_at;
        }
        if (!Refill()) {
            return -1;
        }
    }
}

bool JsonInput::Fail(const std::string& what)
{
    if (!m_failed) {
        m_failed = true;
        m_error = what + " at byte " + std::to_string(m_offset + m_at);
    }
    return false;
}

bool JsonInput::Take(char c)
{
    if (TakeIf(c)) {
        return true;
    }
    const int got = Peek();
    return Fail(got < 0 ? std::string("the text ends where '") + c + "' should follow"
                        : std::string("'") + c + "' expected");
}

bool JsonInput::AtEnd()
{
    return !m_failed && Peek() < 0;
}

bool JsonInput::String(std::string& text, std::size_t most)
{
    text.clear();
    return ReadString(&text, most);
}

bool JsonInput::ReadString(std::string* text, std::size_t most)
{
    if (!Take('"')) {
        return false;
    }
    const auto tooLong = [&] {
        return Fail("a string longer than " + std::to_string(most) + " bytes");
    };
    std::string escaped;  // an escape's bytes when the text is not kept
    std::size_t length = 0;
    for (;;) {
        // Plain bytes are taken in runs, up to the closing quote or an escape.
        std::size_t run = m_at;
        while (run < m_end && !kStringStops[static_cast<unsigned char>(m_block[run])]) {
            ++run;
        }
        if (run - m_at > most - length) {
            m_at += most - length;  // the first byte past the limit, wherever blocks end
            return tooLong();
        }
        if (text != nullptr) {
            text->append(m_block.data() + m_at, run - m_at);
        }
        length += run - m_at;
        m_at = run;
        if (m_at == m_end) {
            if (!Refill()) {
                return Fail("the text ends inside a string");
            }
            continue;
        }
        const char c = m_block[m_at++];
        if (c == '"') {
            return true;
        }
        if (c != '\\') {
            --m_at;
            return Fail("a control byte inside a string");
        }
        std::string& into = text != nullptr ? *text : escaped;
        const std::size_t before = into.size();
        if (!Escape(into)) {
            return false;
        }
        length += into.size() - before;
        escaped.clear();
        if (length > most) {
            return tooLong();
        }
    }
}

bool JsonInput::Escape(std::string& text)
{
    static constexpr char kFrom[] = "\"\\/bfnrt";
    static constexpr char kTo[] = "\"\\/\b\f\n\r\t";
    constexpr std::uint32_t kReplacement = 0xFFFD;
    const auto isHigh = [](std::uint32_t code) { return code >= 0xD800 && code < 0xDC00; };
    const auto isLow = [](std::uint32_t code) { return code >= 0xDC00 && code < 0xE000; };
    // A surrogate stands for a character only as a high and low pair; alone it is U+FFFD,
    // as the writer makes of any byte that is not text.
    std::uint32_t high = 0;  // a high half waiting for its low half
    for (int c = Next();; c = Next()) {
        if (c < 0) {
            return Fail("the text ends inside a string");
        }
        if (c != 'u') {
            if (high != 0) {
                AppendUtf8(text, kReplacement);
            }
            const char* at = c != 0 ? std::strchr(kFrom, c) : nullptr;
            if (at == nullptr) {
                return Fail("an unknown escape in a string");
            }
            text.push_back(kTo[at - kFrom]);
            return true;
        }
        std::uint32_t code = 0;
        if (!Hex4(code)) {
            return false;
        }
        if (high != 0 && isLow(code)) {
            AppendUtf8(text, 0x10000 + ((high - 0xD800) << 10) + (code - 0xDC00));
            return true;
        }
        if (high != 0) {
            AppendUtf8(text, kReplacement);
        }
        if (!isHigh(code)) {
            AppendUtf8(text, isLow(code) ? kReplacement : code);
            return true;
        }
        high = code;
        if (const int next = Next(); next != '\\') {
            AppendUtf8(text, kReplacement);
            if (next >= 0) {
                --m_at;  // Next took it from this block
            }
            return true;
        }
    }
}

bool JsonInput::Hex4(std::uint32_t& value)
{
    value = 0;
    for (int i = 0; i < 4; ++i) {
        const int c = Next();
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return Fail("a \\u escape without four hex digits");
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool JsonInput::Number(std::uint64_t& value)
{
    value = 0;
    int c = Peek();
    if (c < '0' || c > '9') {
        return Fail("a count expected");
    }
    while (c >= '0' && c <= '9') {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10) {
            return Fail("a count too large");
        }
        value = value * 10 + digit;
        ++m_at;
        c = m_at < m_end || Refill() ? static_cast<unsigned char>(m_block[m_at]) : -1;
    }
    if (c == '.' || c == 'e' || c == 'E') {
        return Fail("a whole count expected");
    }
    return true;
}

bool JsonInput::Word(const char* word)
{
    for (const char* at = word; *at != '\0'; ++at) {
        if (Next() != static_cast<unsigned char>(*at)) {
            return Fail(std::string("'") + word + "' expected");
        }
    }
    return true;
}

bool JsonInput::Boolean(bool& value)
{
    const int c = Peek();
    value = c == 't';
    return c == 't' || c == 'f' ? Word(value ? "true" : "false") : Fail("true or false expected");
}

bool JsonInput::SkipNumber()
{
    bool digits = false;
    for (int c = Peek(); c >= 0 && (std::strchr("+-.eE", c) != nullptr || (c >= '0' && c <= '9'));
         c = m_at < m_end || Refill() ? static_cast<unsigned char>(m_block[m_at]) : -1) {
        digits = digits || (c >= '0' && c <= '9');
        ++m_at;
    }
    return digits || Fail("a value expected");
}

bool JsonInput::Skip()
{
    // The closers of the arrays and objects open around the value, innermost last: a loop
    // with a stack of its own, so a hostile document cannot exhaust the call stack.
    std::vector<char> closers;
    const auto skipString = [this] {
        return ReadString(nullptr, std::numeric_limits<std::size_t>::max());
    };
    for (;;) {
        const int c = Peek();
        bool done = true;  // a whole value was read
        if (c == '{' || c == '[') {
            ++m_at;
            done = TakeIf(c == '{' ? '}' : ']');
            if (!done) {
                if (closers.size() == kMaxDepth) {
                    return Fail("values nested too deep");
                }
                closers.push_back(c == '{' ? '}' : ']');
                if (c == '{' && !(skipString() && Take(':'))) {
                    return false;
                }
            }
        } else if (c == '"') {
            if (!skipString()) {
                return false;
            }
        } else if (c == 't' || c == 'f') {
            bool ignored = false;
            if (!Boolean(ignored)) {
                return false;
            }
        } else if (c == 'n') {
            if (!Word("null")) {
                return false;
            }
        } else if (!SkipNumber()) {
            return false;
        }
        while (done && !closers.empty()) {
            if (TakeIf(',')) {
                done = false;
                if (closers.back() == '}' && !(skipString() && Take(':'))) {
                    return false;
                }
            } else if (Take(closers.back())) {
                closers.pop_back();
            } else {
                return false;
            }
        }
        if (done) {
            return !m_failed;
        }
    }
}

}  // namespace lintally::results
