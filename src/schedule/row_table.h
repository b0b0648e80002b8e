#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

// Tables with one row per value of an enum, each row at its value's index.
namespace qz {

template <auto Key, typename Row, std::size_t N>
constexpr bool rowsStandAtTheirValue(const std::array<Row, N>& rows) {
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(rows[i].*Key) != i)
            return false;
    }
    return true;
}

// The rows' values, in the table's order.
template <auto Key, typename Row, std::size_t N>
constexpr auto valuesOf(const std::array<Row, N>& rows) {
    std::array<std::remove_cvref_t<decltype(rows[0].*Key)>, N> values{};
    for (std::size_t i = 0; i < N; ++i)
        values[i] = rows[i].*Key;
    return values;
}

} // namespace qz
