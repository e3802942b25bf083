#include "ByteStore.h"

#include <algorithm>

namespace emb {

std::size_t MemoryBytes::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset >= m_bytes.size()) {
        return 0;
    }
    const std::span<const std::uint8_t> there = m_bytes.subspan(static_cast<std::size_t>(offset));
    const std::size_t count = std::min(out.size(), there.size());
    std::copy_n(there.begin(), count, out.begin());
    return count;
}

}  // namespace emb
