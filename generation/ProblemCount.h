#pragma once

#include <array>
#include <cstdint>

namespace zentavo {

// Problems on the sheet for each item of the problem-count group. Items 12 and
// 13 hold the counts of items 6 and 7 laid out in two columns.
inline constexpr std::array<int32_t, 14> ProblemCountByItem = {
    9, 10, 18, 20, 27, 30, 36, 40, 54, 60, 72, 80, 36, 40};

// The count for a count item; an item outside the table keeps `previous`.
constexpr int32_t ProblemCountFor(int32_t item, int32_t previous)
{
    if (item < 0 || item >= static_cast<int32_t>(ProblemCountByItem.size()))
        return previous;
    return ProblemCountByItem[static_cast<size_t>(item)];
}

}  // namespace zentavo
