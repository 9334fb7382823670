#include "cli/SideReader.h"

#include "fileio/JoinPath.h"

namespace lintally::cli {

SideReader::SideReader(const DiffSide& side) : m_side(side)
{
    if (side.revision) {
        m_blobs = side.revision->Content().NewReader();
    }
}

Brim::IStream* SideReader::Open(std::string_view name, std::uint64_t& size)
{
    size = 0;
    if (m_side.revision) {
        const std::optional<std::size_t> index = m_side.FileIndex(name);
        Brim::IStream* stream = nullptr;
        return m_blobs && index && !m_blobs->Open(*index, 0, stream, size) ? stream : nullptr;
    }
    if (!m_side.HasText() || !m_file.Open(Brim::JoinPath(m_side.path, name).c_str())) {
        return nullptr;
    }
    if (!m_file.GetByteSize(size)) {
        size = 0;
    }
    return &m_file;
}

}  // namespace lintally::cli
