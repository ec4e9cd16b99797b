#pragma once

#include "generation/SheetOptions.h"
#include "window/controls/ControlTable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <variant>

namespace zentavo {

// Where a sheet comes from: its set (the seed and the options), its number
// among the seed's sheets, and the state of the random source it was drawn
// from. The options drawing once from that state give the sheet again,
// whatever happened on the page before, which a sheet number alone does not.
struct SheetOrigin {
    uint32_t seed = 0;
    SheetOptions options;
    int32_t sheet = 0;
    uint32_t random = 0;
};

// A sheet's origin, or the page's text why it has none to give.
using OriginOrWhy = std::variant<SheetOrigin, std::string>;

// The highest sheet number an origin is given for: what a result code holds.
inline constexpr int32_t LastOriginSheet = (1 << 17) - 1;

// The option that each radio group sets, in the order of Group.
inline constexpr std::array<int32_t SheetOptions::*, GroupCount> GroupOptions = {
    &SheetOptions::ImportantDan, &SheetOptions::JousuuCheck, &SheetOptions::MGroup,    &SheetOptions::rgSquare,
    &SheetOptions::Amari,        &SheetOptions::QNumCheck,   &SheetOptions::RandomCheck, &SheetOptions::rgNum,
};

inline int32_t& ItemOf(SheetOptions& options, Group group)
{
    return options.*GroupOptions[static_cast<size_t>(group)];
}
inline int32_t ItemOf(const SheetOptions& options, Group group)
{
    return options.*GroupOptions[static_cast<size_t>(group)];
}

inline bool SameOptions(const SheetOptions& a, const SheetOptions& b)
{
    return a.DanMask == b.DanMask
        && std::all_of(GroupOptions.begin(), GroupOptions.end(), [&](auto option) { return a.*option == b.*option; });
}

}  // namespace zentavo
