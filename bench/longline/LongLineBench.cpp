// bench_longline: counting one 1 GiB line against 1 GiB of short lines, each in a process of
// its own so its peak memory is its own. The target: the long line within 2x of the short
// lines' time, and under 16 MB peak. Also counts 2^32 + 5 line ends (from memory, no file)
// to show that a file's count does not wrap at 32 bits.
//
// Usage: bench_longline [FOLDER] (default /tmp); needs 2 GiB free there while it runs.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fileio/Stream.h"
#include "linecount/LineClassifier.h"
#include "linecount/LineTally.h"
#include "scan/FileCount.h"

namespace {

constexpr std::uint64_t kFileSize = std::uint64_t{1} << 30;
constexpr std::uint64_t kManyLineEnds = (std::uint64_t{1} << 32) + 5;

// Writes kFileSize bytes made of copies of unit.
bool WriteFile(const std::string& path, const std::string& unit)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    std::string block;
    while (block.size() < (1u << 20))
        block += unit;
    block.resize(1u << 20);
    bool ok = true;
    for (std::uint64_t done = 0; ok && done < kFileSize; done += block.size())
        ok = std::fwrite(block.data(), 1, block.size(), file) == block.size();
    return std::fclose(file) == 0 && ok;
}

struct Measure
{
    double seconds = 0;
    long peakKb = 0;
    std::uint64_t lines = 0;
};

// Counts path in a child process: its own time, lines and peak resident size.
Measure CountInChild(const std::string& path)
{
    int fds[2];
    Measure measure;
    if (pipe(fds) != 0)
        return measure;
    const pid_t child = fork();
    if (child == 0) {
        const auto start = std::chrono::steady_clock::now();
        measure.lines =
            lintally::scan::CountFile(path, lintally::scan::MakeCountFlags(true, false, true));
        measure.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        measure.peakKb = usage.ru_maxrss;
        (void)!write(fds[1], &measure, sizeof measure);
        _exit(0);
    }
    close(fds[1]);
    (void)!read(fds[0], &measure, sizeof measure);
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return measure;
}

// A stream of line ends only, made up as it is read.
class LineEnds final : public Brim::IStream
{
public:
    explicit LineEnds(std::uint64_t count) : m_left(count) {}
    std::uint32_t Read(void* buffer, std::uint32_t count) override
    {
        const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, m_left));
        std::memset(buffer, '\n', n);
        m_left -= n;
        return n;
    }
    std::uint32_t Write(const void*, std::uint32_t) override { return 0; }
    std::uint32_t GetMode() override { return Brim::ModeRead; }
    bool Seek(std::int32_t, int) override { return false; }
    std::uint32_t GetPosition() override { return 0; }
    std::uint32_t GetSize() override { return 0; }
    bool Truncate() override { return false; }

private:
    std::uint64_t m_left;
};

}  // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : "/tmp";
    const std::string longPath = folder + "/bench-longline-" + std::to_string(getpid()) + ".c";
    const std::string shortPath = folder + "/bench-shortlines-" + std::to_string(getpid()) + ".c";
    if (!WriteFile(longPath, "a") || !WriteFile(shortPath, "int x = 1; /* short */\n")) {
        std::fprintf(stderr, "bench_longline: cannot write the files in %s\n", folder.c_str());
        unlink(longPath.c_str());
        unlink(shortPath.c_str());
        return 1;
    }
    const Measure shortLines = CountInChild(shortPath);
    const Measure longLine = CountInChild(longPath);
    unlink(longPath.c_str());
    unlink(shortPath.c_str());
    std::printf("1 GiB of short lines: %8.2f s  %6ld KB peak  %llu lines\n", shortLines.seconds,
                shortLines.peakKb, static_cast<unsigned long long>(shortLines.lines));
    std::printf("1 GiB single line:    %8.2f s  %6ld KB peak  %llu lines\n", longLine.seconds,
                longLine.peakKb, static_cast<unsigned long long>(longLine.lines));
    const double ratio = longLine.seconds / shortLines.seconds;
    std::printf("ratio long/short: %.2f (target at most 2); peak %s 16 MB\n", ratio,
                longLine.peakKb < 16 * 1024 ? "under" : "OVER");

    LineEnds ends(kManyLineEnds);
    const auto start = std::chrono::steady_clock::now();
    const std::uint64_t counted = PrjHelper::CountLines(ends, 0, PrjHelper::CF_COUNT_BLANK);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("2^32 + 5 line ends: %llu counted in %.1f s (%s)\n",
                static_cast<unsigned long long>(counted), seconds,
                counted == kManyLineEnds ? "no wrap" : "WRAPPED");
    const bool met = ratio <= 2.0 && longLine.peakKb < 16 * 1024 && longLine.lines == 1 &&
                     counted == kManyLineEnds;
    return met ? 0 : 1;
}
