#include "linecount/SrcLineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/linecount/FakeStream.h"
#include "tests/support/TempFolder.h"

using lintally::testing::TempFolder;
using namespace PrjHelper;

namespace {

using Events = std::vector<std::string>;

// Writes every event it receives into a shared log, tagged with its name.
class RecordingHook final : public ISrcLineHook
{
public:
    RecordingHook(Events& log, std::string tag) : m_Log(log), m_Tag(std::move(tag)) {}
    void OnBegin(Brim::IStream&) override { m_Log.push_back(m_Tag + "begin"); }
    std::int32_t OnLine(const char* line) override
    {
        m_Log.push_back(m_Tag + "[" + line + "]");
        return 7;
    }
    void OnEnd() override { m_Log.push_back(m_Tag + "end"); }

private:
    Events& m_Log;
    std::string m_Tag;
};

Events RunOver(FakeStream& stream)
{
    Events log;
    RecordingHook hook(log, "");
    CSrcLineReader reader(&stream);
    reader.AddHook(&hook);
    EXPECT_EQ(reader.Run(), 0);
    return log;
}

Events RunOver(const std::string& bytes, std::uint32_t maxRead = UINT32_MAX)
{
    FakeStream stream(bytes);
    stream.maxRead = maxRead;
    return RunOver(stream);
}

// What a byte-at-a-time split gives: lines end at LF only, a hook sees a line up to its
// first NUL, and bytes after the last LF form a last line.
Events ExpectedEvents(const std::string& bytes)
{
    Events log{"begin"};
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        const std::size_t end = lf == std::string::npos ? bytes.size() : lf;
        const std::string line = bytes.substr(start, end - start);
        std::string entry(1, '[');
        entry.append(line, 0, line.find('\0'));
        entry += ']';
        log.push_back(entry);
        start = end + 1;
    }
    log.push_back("end");
    return log;
}

// Deterministic text of mixed line lengths, with CRs, NULs and runs of empty lines.
std::string MixedText(std::size_t size)
{
    std::string text;
    std::uint32_t seed = 12345;
    while (text.size() < size) {
        seed = seed * 1103515245u + 12345u;
        const std::uint32_t pick = (seed >> 16) % 100;
        if (pick < 10)
            text += '\n';
        else if (pick < 12)
            text += '\r';
        else if (pick < 13)
            text += '\0';
        else if (pick < 14)
            text.append(70000 + pick, 'L');  // a line longer than a read block
        else
            text += static_cast<char>('a' + pick % 26);
    }
    return text;
}

}  // namespace

TEST(CSrcLineReader, SplitsLinesAtLineFeedsOnly)
{
    struct Case
    {
        std::string bytes;
        Events lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\n", {"[]"}},
        {"text", {"[text]"}},
        {"one\ntwo\n", {"[one]", "[two]"}},
        {"one\n\n", {"[one]", "[]"}},
        {"\none", {"[]", "[one]"}},
        {"one\r\ntwo\r\n", {"[one\r]", "[two\r]"}},
        {"one\rtwo\r", {"[one\rtwo\r]"}},
        {std::string("ab\0cd\nef", 8), {"[ab]", "[ef]"}},
        {std::string("\0", 1), {"[]"}},
    };
    for (const Case& c : cases) {
        Events expected{"begin"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        expected.push_back("end");
        for (std::uint32_t maxRead : {1u, 2u, 3u, UINT32_MAX})
            EXPECT_EQ(RunOver(c.bytes, maxRead), expected)
                << "case [" << c.bytes << "] max " << maxRead;
    }
}

TEST(CSrcLineReader, LargeInputGivesTheSameLinesAsAByteByByteSplit)
{
    const std::string text = MixedText(1500000);
    const Events expected = ExpectedEvents(text);
    for (std::uint32_t maxRead : {UINT32_MAX, 65537u, 4093u, 1u})
        EXPECT_EQ(RunOver(text, maxRead), expected) << "max " << maxRead;
}

TEST(CSrcLineReader, LinesLongerThanABlockAndAcrossBlockEdgesArriveWhole)
{
    for (std::size_t length : {65535u, 65536u, 131071u, 131072u, 131073u, 400000u}) {
        const std::string longLine(length, 'x');
        const std::string text = "a\n" + longLine + "\nb\n" + longLine;
        const Events expected{"begin", "[a]", "[" + longLine + "]", "[b]", "[" + longLine + "]",
                              "end"};
        EXPECT_EQ(RunOver(text), expected) << length;
    }
}

TEST(CSrcLineReader, ReadsInLargeBlocksRatherThanBytes)
{
    FakeStream stream(std::string(1 << 20, 'x'));
    RunOver(stream);
    EXPECT_LE(stream.readCalls, 17u);
}

TEST(CSrcLineReader, ReadErrorEndsTheLineAndTheRun)
{
    FakeStream stream("ab\ncd\nef\n");
    stream.failFrom = 4;
    EXPECT_EQ(RunOver(stream), (Events{"begin", "[ab]", "[c]", "end"}));

    FakeStream atStart("ab\n");
    atStart.failFrom = 0;
    EXPECT_EQ(RunOver(atStart), (Events{"begin", "end"}));
}

TEST(CSrcLineReader, ReadsPastAWrappedSize)
{
    // A stream of exactly 4 GiB reports size 0; the reader must not stop there.
    FakeStream stream("one\ntwo");
    stream.reportZeroSize = true;
    EXPECT_EQ(RunOver(stream), (Events{"begin", "[one]", "[two]", "end"}));
}

TEST(CSrcLineReader, EveryHookGetsEveryEventInTheOrderAdded)
{
    FakeStream stream("x\ny");
    Events log;
    RecordingHook first(log, "1");
    RecordingHook second(log, "2");
    CSrcLineReader reader(&stream);
    EXPECT_EQ(reader.AddHook(&first), 1);
    EXPECT_EQ(reader.AddHook(&second), 1);
    EXPECT_EQ(reader.AddHook(nullptr), 0);
    reader.Run();
    EXPECT_EQ(log, (Events{"1begin", "2begin", "1[x]", "2[x]", "1[y]", "2[y]", "1end", "2end"}));
}

TEST(CSrcLineReader, HookAddedDuringTheRunGetsTheLinesAfterIt)
{
    Events log;
    RecordingHook late(log, "2");
    class AddingHook final : public ISrcLineHook
    {
    public:
        AddingHook(Events& log, CSrcLineReader& reader, ISrcLineHook& late)
            : m_Log(log), m_Reader(reader), m_Late(late)
        {}
        void OnBegin(Brim::IStream&) override {}
        std::int32_t OnLine(const char* line) override
        {
            m_Log.push_back(std::string("1[") + line + "]");
            if (m_Log.size() == 1)
                m_Reader.AddHook(&m_Late);
            return 0;
        }
        void OnEnd() override {}

    private:
        Events& m_Log;
        CSrcLineReader& m_Reader;
        ISrcLineHook& m_Late;
    };
    FakeStream stream("a\nb\nc\n");
    CSrcLineReader reader(&stream);
    AddingHook first(log, reader, late);
    reader.AddHook(&first);
    reader.Run();
    EXPECT_EQ(log, (Events{"1[a]", "1[b]", "2[b]", "1[c]", "2[c]", "2end"}));
}

TEST(CSrcLineReader, FileThatDoesNotOpenGivesNoEvents)
{
    TempFolder dir;
    Events log;
    RecordingHook hook(log, "");
    CSrcLineReader reader;
    reader.AddHook(&hook);
    EXPECT_FALSE(reader.Open(dir.Path("missing.c").c_str()));
    EXPECT_FALSE(reader.Open(nullptr));
    EXPECT_FALSE(reader.Open(dir.Root().c_str()));  // a folder is not a file
    EXPECT_EQ(reader.Run(), 0);
    EXPECT_TRUE(log.empty());
}

TEST(CSrcLineReader, ReadsARealFile)
{
    TempFolder dir;
    const std::string text = MixedText(300000);
    const std::string path = dir.Write("mixed.c", text);
    Events log;
    RecordingHook hook(log, "");
    CSrcLineReader reader;
    reader.AddHook(&hook);
    ASSERT_TRUE(reader.Open(path.c_str()));
    reader.Run();
    EXPECT_EQ(log, ExpectedEvents(text));
}

TEST(CSrcLineReader, NestedRunOnTheSameThreadKeepsBothReadsApart)
{
    // A hook that runs a second reader for each line must not disturb the outer one.
    class NestingHook final : public ISrcLineHook
    {
    public:
        void OnBegin(Brim::IStream&) override {}
        std::int32_t OnLine(const char* line) override
        {
            FakeStream inner(std::string(200000, 'i') + "\nz");
            Events innerLog = RunOver(inner);
            innerSeen += innerLog.size();
            outer.push_back(line);
            return 0;
        }
        void OnEnd() override {}
        Events outer;
        std::size_t innerSeen = 0;
    } hook;
    FakeStream stream("first\nsecond\n");
    CSrcLineReader reader(&stream);
    reader.AddHook(&hook);
    reader.Run();
    EXPECT_EQ(hook.outer, (Events{"first", "second"}));
    EXPECT_EQ(hook.innerSeen, 8u);
}

TEST(CSrcLineReaderReadLine, LeavesTheStreamJustAfterEachLineFeed)
{
    FakeStream stream("ab\ncd\r\n\nlast");
    Hoard::CRefStr line;
    struct Step
    {
        const char* text;
        std::size_t position;
    };
    for (const Step& step : {Step{"ab", 3}, Step{"cd\r", 7}, Step{"", 8}, Step{"last", 12}}) {
        ASSERT_TRUE(CSrcLineReader::ReadLine(stream, line)) << step.text;
        EXPECT_EQ(std::string(line.GetText() ? line.GetText() : ""), step.text);
        EXPECT_EQ(stream.Position(), step.position) << step.text;
    }
    EXPECT_FALSE(CSrcLineReader::ReadLine(stream, line));
    EXPECT_EQ(line.GetLength(), 0u);
}

TEST(CSrcLineReaderReadLine, LongLinesAndNulBytesAreKept)
{
    const std::string longLine(10000, 'q');
    FakeStream stream(longLine + "\n" + std::string("a\0b\nz", 5));
    stream.maxRead = 777;
    Hoard::CRefStr line;
    ASSERT_TRUE(CSrcLineReader::ReadLine(stream, line));
    EXPECT_EQ(line.GetLength(), longLine.size());
    EXPECT_EQ(stream.Position(), longLine.size() + 1);
    ASSERT_TRUE(CSrcLineReader::ReadLine(stream, line));
    EXPECT_EQ(line.GetLength(), 3u);
    EXPECT_EQ(stream.Position(), longLine.size() + 5);
}

TEST(CSrcLineReaderReadLine, ReadErrorEndsTheLine)
{
    FakeStream stream("abcdef\n");
    stream.failFrom = 3;
    Hoard::CRefStr line;
    ASSERT_TRUE(CSrcLineReader::ReadLine(stream, line));
    EXPECT_STREQ(line.GetText(), "abc");
    EXPECT_FALSE(CSrcLineReader::ReadLine(stream, line));
}
