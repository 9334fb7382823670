#include "linecount/ReadBlock.h"

#include <new>

namespace PrjHelper {

namespace {

constexpr std::uint32_t kBlockSize = 128 * 1024;

struct ThreadBlock
{
    std::unique_ptr<char[]> data;
    bool busy = false;
};

thread_local ThreadBlock t_block;

}  // namespace

ReadBlock::ReadBlock()
{
    if (!t_block.busy) {
        if (!t_block.data)
            t_block.data.reset(new (std::nothrow) char[kBlockSize]);
        if (t_block.data) {
            t_block.busy = true;
            m_borrowed = true;
            m_data = t_block.data.get();
            m_size = kBlockSize;
            return;
        }
    }
    m_own.reset(new (std::nothrow) char[kBlockSize]);
    m_data = m_own ? m_own.get() : m_fallback;
    m_size = m_own ? kBlockSize : kFallbackSize;
}

ReadBlock::~ReadBlock()
{
    if (m_borrowed)
        t_block.busy = false;
}

}  // namespace PrjHelper
