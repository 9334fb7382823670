// bench_counter: how fast CSrcCounter counts real sources, next to the plain loop.
//
// At start-up the program copies C headers from /usr/include into a fresh temporary folder
// (up to kCorpusBytes), then times, over the same files:
//   - PlainReadMemchr: open(), read() in 128 KiB blocks, count LFs with memchr, close();
//   - SrcCounter: the full engine per file (open, lock, read, classify every line);
//   - ClassifyInMemory: reader and classifier over the whole corpus held in memory.
// It prints MB/s for each and the ratio SrcCounter / PlainReadMemchr (target: at least 0.5
// on one thread). The folder is removed at the end.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "linecount/SrcCounter.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kCorpusBytes = 24u << 20;
constexpr std::uintmax_t kLargestFile = 1u << 20;

struct Corpus
{
    fs::path folder;
    std::vector<std::string> files;
    std::string joined;  // every file's bytes, one after another
    std::int64_t bytes = 0;
};

Corpus g_corpus;

void BuildCorpus(const fs::path& source)
{
    std::vector<fs::path> headers;
    std::error_code error;
    for (fs::recursive_directory_iterator it(source, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && it->path().extension() == ".h" &&
            it->file_size(error) <= kLargestFile)
            headers.push_back(it->path());
    }
    std::sort(headers.begin(), headers.end());

    std::random_device random;
    g_corpus.folder = fs::temp_directory_path() / ("lintally-bench-" + std::to_string(random()));
    fs::create_directories(g_corpus.folder);
    for (const fs::path& header : headers) {
        if (static_cast<std::uintmax_t>(g_corpus.bytes) >= kCorpusBytes)
            break;
        std::ifstream in(header, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const fs::path copy = g_corpus.folder / (std::to_string(g_corpus.files.size()) + "_" +
                                                 header.filename().string());
        std::ofstream(copy, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        g_corpus.files.push_back(copy.string());
        g_corpus.joined += bytes;
        g_corpus.bytes += static_cast<std::int64_t>(bytes.size());
    }
}

std::uint64_t PlainCount(const std::string& path, char* buffer, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    std::uint64_t lines = 0;
    ssize_t got;
    while ((got = ::read(fd, buffer, size)) > 0) {
        const char* at = buffer;
        const char* end = buffer + got;
        while ((at = static_cast<const char*>(
                    std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) != nullptr) {
            ++lines;
            ++at;
        }
    }
    ::close(fd);
    return lines;
}

void PlainReadMemchr(benchmark::State& state)
{
    std::vector<char> buffer(128 * 1024);
    for (auto _ : state) {
        std::uint64_t lines = 0;
        for (const std::string& file : g_corpus.files)
            lines += PlainCount(file, buffer.data(), buffer.size());
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * g_corpus.bytes);
}

void SrcCounter(benchmark::State& state)
{
    for (auto _ : state) {
        std::uint64_t lines = 0;
        for (const std::string& file : g_corpus.files) {
            PrjHelper::CSrcCounter counter;
            counter.Open(file.c_str());
            counter.m_dwFlags = 0;
            counter.m_Reader.Run();
            lines += counter.m_nCount;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * g_corpus.bytes);
}

// An in-memory stream over the joined corpus, so the reader and classifier are timed alone.
class MemoryStream final : public Brim::IStream
{
public:
    explicit MemoryStream(const std::string& bytes) : m_Bytes(bytes) {}
    std::uint32_t Read(void* buffer, std::uint32_t count) override
    {
        const std::size_t n = std::min<std::size_t>(count, m_Bytes.size() - m_Pos);
        std::memcpy(buffer, m_Bytes.data() + m_Pos, n);
        m_Pos += n;
        return static_cast<std::uint32_t>(n);
    }
    std::uint32_t Write(const void*, std::uint32_t) override { return 0; }
    std::uint32_t GetMode() override { return Brim::ModeRead; }
    bool Seek(std::int32_t, int) override { return false; }
    std::uint32_t GetPosition() override { return static_cast<std::uint32_t>(m_Pos); }
    std::uint32_t GetSize() override { return static_cast<std::uint32_t>(m_Bytes.size()); }
    bool Truncate() override { return false; }

private:
    const std::string& m_Bytes;
    std::size_t m_Pos = 0;
};

void ClassifyInMemory(benchmark::State& state)
{
    for (auto _ : state) {
        MemoryStream stream(g_corpus.joined);
        PrjHelper::CSrcCounter counter;
        counter.m_nLang = 1;
        PrjHelper::CSrcLineReader reader(&stream);
        reader.AddHook(&counter);
        reader.Run();
        benchmark::DoNotOptimize(counter.m_nCount);
    }
    state.SetBytesProcessed(state.iterations() * g_corpus.bytes);
}

BENCHMARK(PlainReadMemchr)->Unit(benchmark::kMillisecond);
BENCHMARK(SrcCounter)->Unit(benchmark::kMillisecond);
BENCHMARK(ClassifyInMemory)->Unit(benchmark::kMillisecond);

// Prints the usual table and keeps each benchmark's throughput, by wall-clock time and by
// the process's CPU time (the steadier figure on a busy machine). With repetitions the
// summary gives the median of the repeated runs.
class ThroughputReporter : public benchmark::ConsoleReporter
{
public:
    struct Rates
    {
        double wall = 0;  // MB/s
        double cpu = 0;   // MB/s
    };

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            const double bytes =
                static_cast<double>(g_corpus.bytes) * static_cast<double>(run.iterations);
            Samples& samples = m_Samples[run.run_name.function_name];
            samples.wall.push_back(bytes / run.real_accumulated_time / 1e6);
            samples.cpu.push_back(bytes / run.cpu_accumulated_time / 1e6);
        }
    }
    Rates Get(const std::string& name) const
    {
        const auto found = m_Samples.find(name);
        if (found == m_Samples.end())
            return Rates{};
        return Rates{Median(found->second.wall), Median(found->second.cpu)};
    }

private:
    struct Samples
    {
        std::vector<double> wall;
        std::vector<double> cpu;
    };

    static double Median(std::vector<double> values)
    {
        std::sort(values.begin(), values.end());
        return values.empty() ? 0.0 : values[values.size() / 2];
    }

    std::map<std::string, Samples> m_Samples;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    BuildCorpus("/usr/include");
    if (g_corpus.files.empty()) {
        std::fprintf(stderr, "bench_counter: no C headers found under /usr/include\n");
        return 1;
    }
    std::printf("corpus: %zu headers, %.1f MB\n", g_corpus.files.size(), g_corpus.bytes / 1e6);

    ThroughputReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const ThroughputReporter::Rates plain = reporter.Get("PlainReadMemchr");
    const ThroughputReporter::Rates counter = reporter.Get("SrcCounter");
    const ThroughputReporter::Rates memory = reporter.Get("ClassifyInMemory");
    std::printf("%-22s %10s %10s\n", "MB/s", "wall", "cpu");
    std::printf("%-22s %10.0f %10.0f\n", "plain read+memchr", plain.wall, plain.cpu);
    std::printf("%-22s %10.0f %10.0f\n", "CSrcCounter", counter.wall, counter.cpu);
    std::printf("%-22s %10.0f %10.0f\n", "in-memory classify", memory.wall, memory.cpu);
    if (plain.wall > 0 && plain.cpu > 0)
        std::printf("ratio CSrcCounter / plain: %.2f wall, %.2f cpu (target >= 0.50)\n",
                    counter.wall / plain.wall, counter.cpu / plain.cpu);

    std::error_code ignored;
    fs::remove_all(g_corpus.folder, ignored);
    benchmark::Shutdown();
    return 0;
}
