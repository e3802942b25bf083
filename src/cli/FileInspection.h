#pragma once

// The anomalies of a user-word file, found from its bytes alone.

#include <cstddef>
#include <cstdint>
#include <span>

namespace embtool {

struct FileInspection {
    std::uint64_t fileSize = 0;
    std::uint16_t recordCount = 0;  // 0 when the file is too short for the count

    // Counted records that do not lie wholly within the file, and how many of those start at
    // or after its end; the rest (at most one) are cut by it.
    std::size_t recordsPastEnd = 0;
    std::size_t recordsWhollyPastEnd = 0;

    // Non-zero bytes in the slots at index count and above, up to the size of a complete file.
    std::size_t freeSlotNonZeroBytes = 0;
    std::uint64_t firstFreeSlotNonZeroOffset = 0;  // valid when freeSlotNonZeroBytes > 0

    bool CountAboveLimit() const;
    bool Shorter() const;
    bool Longer() const;
    bool HasAnomalies() const;
};

FileInspection InspectFile(std::span<const std::uint8_t> bytes);

}  // namespace embtool
