#pragma once

namespace qz {

// Language numbers of the window: 1 Turkish ("Türkçe"), 2 English ("English"). Texts built
// in code test these themselves.
inline constexpr int kTurkish = 1;
inline constexpr int kEnglish = 2;

} // namespace qz
