#pragma once

#include <cstdint>

namespace qz {

// Whole seconds between a last-input tick and the current tick of a 32-bit millisecond
// counter. Unsigned arithmetic keeps the result right across the counter's wrap-around
// (every 49.7 days).
constexpr std::uint32_t idleSecondsFromTicks(std::uint32_t nowTick, std::uint32_t lastInputTick) {
    return static_cast<std::uint32_t>(nowTick - lastInputTick) / 1000u;
}

} // namespace qz
