#include "gitsel/RevisionCount.h"

#include "scan/ParallelScan.h"

namespace lintally::gitsel {

namespace {

// The bytes of some of a revision's files: the list scan's index i is the revision's
// only[i].
class SomeFiles final : public scan::IContentSource
{
public:
    SomeFiles(const scan::IContentSource& all, const std::vector<std::uint32_t>& only)
        : m_all(all), m_only(only)
    {}

    std::unique_ptr<scan::IContentReader> NewReader() const override
    {
        std::unique_ptr<scan::IContentReader> reader = m_all.NewReader();
        return reader ? std::make_unique<Reader>(std::move(reader), m_only) : nullptr;
    }

private:
    class Reader final : public scan::IContentReader
    {
    public:
        Reader(std::unique_ptr<scan::IContentReader> all, const std::vector<std::uint32_t>& only)
            : m_all(std::move(all)), m_only(only)
        {}

        std::optional<scan::SkipReason> Read(std::size_t index, std::uint64_t sizeLimit,
                                             std::string_view& bytes) override
        {
            return m_all->Read(m_only[index], sizeLimit, bytes);
        }

    private:
        std::unique_ptr<scan::IContentReader> m_all;
        const std::vector<std::uint32_t>& m_only;
    };

    const scan::IContentSource& m_all;
    const std::vector<std::uint32_t>& m_only;
};

}  // namespace

scan::ScanResult CountRevision(const Revision& revision, const std::vector<std::uint32_t>* only,
                               const std::vector<std::string>& patterns,
                               const scan::ScanOptions& options, unsigned jobs,
                               const scan::StopToken& stop, scan::IScanSink& sink,
                               const scan::Grouping* grouping, const scan::Selection* selection)
{
    scan::ScanResult result;
    if (only == nullptr) {
        result = scan::RunParallelListScan({}, revision.Files(), patterns, options, jobs, stop,
                                           sink, grouping, selection, &revision.Content());
    } else {
        std::vector<std::string> names;
        names.reserve(only->size());
        for (const std::uint32_t index : *only) {
            names.push_back(revision.Files()[index]);
        }
        const SomeFiles some(revision.Content(), *only);
        result = scan::RunParallelListScan({}, names, patterns, options, jobs, stop, sink, grouping,
                                           selection, &some);
    }
    result.skipped.insert(result.skipped.begin(), revision.Missing().begin(),
                          revision.Missing().end());
    return result;
}

}  // namespace lintally::gitsel
