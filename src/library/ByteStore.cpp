#include "ByteStore.h"

#include <algorithm>

namespace emb {

std::size_t MemoryBytes::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset >= m_bytes.size()) {
        return 0;
    }
    const auto start = static_cast<std::size_t>(offset);
    const std::size_t count = std::min(out.size(), m_bytes.size() - start);
    std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(start), count, out.begin());
    return count;
}

}  // namespace emb
