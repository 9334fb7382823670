#include "gitsel/BlobReader.h"

#include <optional>

#include "fileio/MemoryStream.h"
#include "gitsel/GitObjects.h"
#include "gitsel/ObjectGuard.h"
#include "gitsel/ObjectStream.h"
#include "gitsel/WorkTree.h"

namespace lintally::gitsel {

namespace {

// Blobs stored as deltas are rebuilt whole by libgit2: at most this many bytes. git stores
// larger files whole (its big-file threshold is 512 MiB), and those are streamed.
constexpr std::uint64_t kLargestDelta = std::uint64_t{512} << 20;

// One thread's reader: repositories of its own, each opened when first needed. A blob stored
// whole (loose, or whole in a pack) is streamed as it is counted; one stored as a delta is
// read whole through libgit2 and held until the next read.
class BlobReader final : public scan::IContentReader
{
public:
    BlobReader(const std::vector<std::string>& paths, const std::vector<Blob>& blobs,
               const std::vector<std::string>& files, UnreadList& unread)
        : m_paths(paths), m_blobs(blobs), m_files(files), m_unread(unread),
          m_repositories(paths.size()), m_odbs(paths.size()), m_packs(paths.size()),
          m_tried(paths.size(), false)
    {}

    ~BlobReader() override { NoteFailure(); }

    std::optional<scan::SkipReason> Open(std::size_t index, std::uint64_t sizeLimit,
                                         Brim::IStream*& stream, std::uint64_t& size) override
    {
        NoteFailure();
        m_object.reset();
        m_stream.reset();
        m_index = index;
        const Blob& blob = m_blobs[index];
        git_odb* odb = blob.readable ? Odb(blob.repository) : nullptr;
        if (odb == nullptr) {
            return scan::SkipReason::Unreadable;
        }
        m_stream.emplace();
        switch (m_stream->Open(ObjectsFolder(m_repositories[blob.repository].get()),
                               *m_packs[blob.repository], blob.id.id)) {
        case ObjectStream::Opened::Ok:
            if (m_stream->Type() != "blob") {
                return Refuse("object " + Hex(blob.id) + " is a " + m_stream->Type() +
                              ", not a file's bytes");
            }
            size = m_stream->Size();
            if (sizeLimit != 0 && size > sizeLimit) {
                return scan::SkipReason::TooLarge;
            }
            stream = &*m_stream;
            return std::nullopt;
        case ObjectStream::Opened::Damaged:
            return Refuse("object " + Hex(blob.id) + " is damaged: " + m_stream->Error());
        default:
            break;
        }
        m_stream.reset();
        return ReadWhole(odb, blob.id, sizeLimit, stream, size);
    }

    bool Failed() const override { return m_stream && m_stream->Failed(); }

private:
    // A blob libgit2 rebuilds (a delta, or an object of another repository it borrows from).
    std::optional<scan::SkipReason> ReadWhole(git_odb* odb, const git_oid& id,
                                              std::uint64_t sizeLimit, Brim::IStream*& stream,
                                              std::uint64_t& size)
    {
        std::size_t header = 0;
        git_object_t type = GIT_OBJECT_INVALID;
        if (git_odb_read_header(&header, &type, odb, &id) != 0) {
            return Refuse("object " + Hex(id) +
                          " cannot be read: " + LastGitError("unknown error"));
        }
        if (sizeLimit != 0 && header > sizeLimit) {
            return scan::SkipReason::TooLarge;
        }
        if (header > kLargestDelta) {
            return Refuse("object " + Hex(id) + " is stored as a delta of " +
                          std::to_string(header) + " bytes, more than is rebuilt in memory");
        }
        git_odb_object* read = nullptr;
        if (git_odb_read(&read, odb, &id) != 0) {
            return Refuse("object " + Hex(id) +
                          " cannot be read: " + LastGitError("unknown error"));
        }
        m_object.reset(read);
        size = git_odb_object_size(read);
        m_memory.emplace(std::string_view(static_cast<const char*>(git_odb_object_data(read)),
                                          git_odb_object_size(read)));
        stream = &*m_memory;
        return std::nullopt;
    }

    scan::SkipReason Refuse(std::string why)
    {
        m_stream.reset();
        const std::lock_guard<std::mutex> hold(m_unread.lock);
        m_unread.files.push_back(UnreadFile{m_files[m_index], std::move(why)});
        return scan::SkipReason::Unreadable;
    }

    // The stream given last failed part-way: its file could not be read.
    void NoteFailure()
    {
        if (Failed()) {
            (void)Refuse("object " + Hex(m_blobs[m_index].id) +
                         " is damaged: " + m_stream->Error());
        }
    }

    git_odb* Odb(std::uint32_t repository)
    {
        if (!m_tried[repository]) {
            m_tried[repository] = true;
            git_repository* opened = nullptr;
            git_odb* odb = nullptr;
            if (git_repository_open(&opened, m_paths[repository].c_str()) == 0) {
                m_repositories[repository].reset(opened);
                (void)GuardObjects(opened);
                m_packs[repository] = std::make_unique<PackIndex>(ObjectsFolder(opened));
                if (git_repository_odb(&odb, opened) == 0) {
                    m_odbs[repository].reset(odb);
                }
            }
        }
        return m_odbs[repository].get();
    }

    GitLibrary m_library;  // declared first: it outlives every object below
    const std::vector<std::string>& m_paths;
    const std::vector<Blob>& m_blobs;
    const std::vector<std::string>& m_files;
    UnreadList& m_unread;
    std::vector<RepositoryPtr> m_repositories;
    std::vector<std::unique_ptr<git_odb, OdbFree>> m_odbs;
    std::vector<std::unique_ptr<PackIndex>> m_packs;
    std::vector<bool> m_tried;
    std::size_t m_index = 0;
    std::optional<ObjectStream> m_stream;
    std::unique_ptr<git_odb_object, OdbObjectFree> m_object;
    std::optional<Brim::MemoryStream> m_memory;
};

}  // namespace

std::unique_ptr<scan::IContentReader> NewBlobReader(const std::vector<std::string>& paths,
                                                    const std::vector<Blob>& blobs,
                                                    const std::vector<std::string>& files,
                                                    UnreadList& unread)
{
    return std::make_unique<BlobReader>(paths, blobs, files, unread);
}

}  // namespace lintally::gitsel
