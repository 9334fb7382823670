#include "gitsel/ObjectGuard.h"

#include <git2/sys/odb_backend.h>

#include <algorithm>
#include <limits>
#include <memory>

#include "gitsel/ObjectStream.h"

namespace lintally::gitsel {

namespace {

// Above every backend the library installs itself (loose 1, packed 2).
constexpr int kGuardPriority = 100;

struct Folder
{
    std::string objects;
    PackIndex noPacks{std::string()};  // loose objects only: packs are the library's
};

// Standard layout with the library's part first: the library hands back a pointer to it.
struct Guard
{
    git_odb_backend parent;
    Folder* folder;
};

std::string Hex(const git_oid* id)
{
    char text[GIT_OID_HEXSZ + 1] = {};
    git_oid_tostr(text, sizeof text, id);
    return text;
}

// Opens id's loose file: 0, GIT_ENOTFOUND when there is none, or an error naming the object.
int OpenLoose(git_odb_backend* backend, const git_oid* id, ObjectStream& stream)
{
    const Folder& folder = *reinterpret_cast<Guard*>(backend)->folder;
    switch (stream.Open(folder.objects, folder.noPacks, id->id)) {
    case ObjectStream::Opened::Ok:
        return 0;
    case ObjectStream::Opened::Damaged:
        git_error_set_str(GIT_ERROR_ODB,
                          ("object " + Hex(id) + " is damaged: " + stream.Error()).c_str());
        return GIT_ERROR;
    default:
        return GIT_ENOTFOUND;
    }
}

int OpenSized(git_odb_backend* backend, const git_oid* id, ObjectStream& stream, std::size_t* size,
              git_object_t* type)
{
    const int code = OpenLoose(backend, id, stream);
    if (code != 0) {
        return code;
    }
    if (stream.Size() > std::numeric_limits<std::size_t>::max()) {
        git_error_set_str(GIT_ERROR_ODB, ("object " + Hex(id) + " is too large").c_str());
        return GIT_ERROR;
    }
    *size = static_cast<std::size_t>(stream.Size());
    *type = git_object_string2type(stream.Type().c_str());
    return 0;
}

int ReadHeader(std::size_t* size, git_object_t* type, git_odb_backend* backend, const git_oid* id)
{
    ObjectStream stream;
    return OpenSized(backend, id, stream, size, type);
}

int Read(void** data, std::size_t* size, git_object_t* type, git_odb_backend* backend,
         const git_oid* id)
{
    ObjectStream stream;
    if (const int code = OpenSized(backend, id, stream, size, type); code != 0) {
        return code;
    }
    // One byte more than needed, so an empty object is still a buffer.
    auto* bytes = static_cast<char*>(git_odb_backend_data_alloc(backend, *size + 1));
    if (bytes == nullptr) {
        git_error_set_str(GIT_ERROR_NOMEMORY,
                          ("object " + Hex(id) + " is too large to read whole").c_str());
        return GIT_ERROR;
    }
    std::size_t got = 0;
    while (got < *size && !stream.Failed()) {
        const auto chunk = static_cast<std::uint32_t>(std::min<std::size_t>(*size - got, 1U << 30));
        got += stream.Read(bytes + got, chunk);
    }
    if (*size == 0) {
        (void)stream.Read(bytes, 0);
    }
    if (stream.Failed()) {
        git_odb_backend_data_free(backend, bytes);
        git_error_set_str(GIT_ERROR_ODB,
                          ("object " + Hex(id) + " is damaged: " + stream.Error()).c_str());
        return GIT_ERROR;
    }
    *data = bytes;
    return 0;
}

void Free(git_odb_backend* backend)
{
    auto* guard = reinterpret_cast<Guard*>(backend);
    delete guard->folder;
    delete guard;
}

}  // namespace

std::string ObjectsFolder(git_repository* repository)
{
    return std::string(git_repository_commondir(repository)) + "objects";
}

bool GuardObjects(git_repository* repository)
{
    git_odb* odb = nullptr;
    if (git_repository_odb(&odb, repository) != 0) {
        return false;
    }
    auto guard = std::make_unique<Guard>();
    auto folder = std::make_unique<Folder>();
    git_odb_init_backend(&guard->parent, GIT_ODB_BACKEND_VERSION);
    folder->objects = ObjectsFolder(repository);
    guard->folder = folder.get();
    guard->parent.read = Read;
    guard->parent.read_header = ReadHeader;
    guard->parent.free = Free;
    const bool added = git_odb_add_backend(odb, &guard->parent, kGuardPriority) == 0;
    if (added) {
        // The object database frees them.
        (void)folder.release();
        (void)guard.release();
    }
    git_odb_free(odb);
    return added;
}

}  // namespace lintally::gitsel
