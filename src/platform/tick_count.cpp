#include "platform/tick_count.h"

std::uint64_t ContinueTickCount(std::uint64_t last, std::uint32_t now) {
    const std::uint64_t wraps = last & ~std::uint64_t{0xFFFFFFFF};
    const std::uint64_t next = wraps | now;
    return next < last ? next + (std::uint64_t{1} << 32) : next;
}
