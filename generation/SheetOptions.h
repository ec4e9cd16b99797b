#pragma once

#include <cstdint>

namespace zentavo {

// The dans that drill: 1 to 9. Dan 0 never drills (its divisor would be 0),
// whatever a mask says; bits above 9 name no dan.
inline constexpr int32_t DrillableDans = 0x3FE;

// The option controls of the window at the moment of one action. A radio
// group's field is the index of its selected item, -1 when none is selected.
struct SheetOptions {
    int32_t DanMask = 0;        // bit n set: the dan of n is drilled
    int32_t ImportantDan = -1;  // emphasised dan; -1 and 0 mean none
    int32_t JousuuCheck = 0;    // 1: quotient 0 (dividend 0) may occur
    int32_t QNumCheck = 1;      // item of the problem-count group
    int32_t RandomCheck = 0;    // 1: shuffle the times-table problems
    int32_t MGroup = 0;         // 0 none, 1 x10, 2 x100
    int32_t Amari = 0;          // 0 times tables, 1..7 two-digit modes
    int32_t rgNum = 0;          // 1: circled problem numbers
    int32_t rgSquare = 0;       // 0 none, 1 blank dividend, 2 blank divisor, 3 mixed
};

}  // namespace zentavo
