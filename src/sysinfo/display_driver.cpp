#include "sysinfo/display_driver.h"

std::uint32_t LoadU32(const ByteBlock& block, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(block.at(offset + i)) << (8 * i);
    return value;
}

void StoreU32(ByteBlock& block, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) block.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

void StoreU64(ByteBlock& block, std::size_t offset, std::uint64_t value) {
    StoreU32(block, offset, static_cast<std::uint32_t>(value));
    StoreU32(block, offset + 4, static_cast<std::uint32_t>(value >> 32));
}
