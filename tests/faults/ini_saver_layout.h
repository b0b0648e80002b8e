#pragma once

// What qz_ini_saver writes, shared with the test that checks the file it leaves behind.

#include <string>

namespace qz::faults {

// The settings' own value names, used as counters.
inline constexpr const char* kCounterNames[] = {"swBildirim", "swUstte", "swBaslangic", "dil",
                                                "hergun",     "saat",    "gorev"};
inline constexpr const char* kPadName = "pad";

// A long value written once, so every rewrite of the file takes a while.
inline std::string padText() {
    std::string pad;
    for (int i = 0; pad.size() < 48 * 1024; ++i)
        pad += "line " + std::to_string(i) + " of the padding that every save rewrites; ";
    return pad;
}

} // namespace qz::faults
