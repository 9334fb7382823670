#include "gitsel/RevisionFileSet.h"

namespace lintally::gitsel {

// The bytes of some of a revision's files: the list's index i is the revision's only[i].
class RevisionFileSet::SomeFiles final : public scan::IContentSource
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

        std::optional<scan::SkipReason> Open(std::size_t index, std::uint64_t sizeLimit,
                                             Brim::IStream*& stream, std::uint64_t& size) override
        {
            return m_all->Open(m_only[index], sizeLimit, stream, size);
        }

        bool Failed() const override { return m_all->Failed(); }

    private:
        std::unique_ptr<scan::IContentReader> m_all;
        const std::vector<std::uint32_t>& m_only;
    };

    const scan::IContentSource& m_all;
    const std::vector<std::uint32_t>& m_only;
};

RevisionFileSet::RevisionFileSet(const Revision& revision, const std::vector<std::uint32_t>* only)
    : m_revision(revision)
{
    if (only == nullptr) {
        return;
    }
    m_names.reserve(only->size());
    for (const std::uint32_t index : *only) {
        m_names.push_back(revision.Files()[index]);
    }
    m_some = std::make_unique<SomeFiles>(revision.Content(), *only);
}

RevisionFileSet::~RevisionFileSet() = default;

scan::FileSet RevisionFileSet::Files() const
{
    scan::FileSet files;
    files.names = m_some ? &m_names : &m_revision.Files();
    files.content =
        m_some ? static_cast<const scan::IContentSource*>(m_some.get()) : &m_revision.Content();
    files.missing = m_revision.Missing();
    return files;
}

}  // namespace lintally::gitsel
