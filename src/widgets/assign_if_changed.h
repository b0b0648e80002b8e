#pragma once

#include <utility>

namespace qz {

// Sets `field` to `value` and says whether that changed it, so a setter repaints only on a
// real change: `if (assignIfChanged(m_look.frameColor, colour)) changed();`.
template <typename T, typename U> bool assignIfChanged(T& field, U&& value) {
    if (field == value)
        return false;
    field = std::forward<U>(value);
    return true;
}

} // namespace qz
