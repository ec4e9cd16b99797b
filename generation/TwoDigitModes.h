#pragma once

#include "generation/ProblemList.h"
#include "generation/RandomSource.h"

#include <cstdint>

namespace zentavo {

inline constexpr int32_t FirstTwoDigitMode = 1;
inline constexpr int32_t LastTwoDigitMode = 7;

constexpr bool IsTwoDigitMode(int32_t amari)
{
    return amari >= FirstTwoDigitMode && amari <= LastTwoDigitMode;
}

// Whether mode `amari` (1..7) takes dividend a (10..99) over divisor b (2..9).
bool AcceptsPair(int32_t amari, int32_t a, int32_t b);

// Replaces the list with `count` two-digit problems of mode `amari`.
void FillTwoDigitProblems(int32_t amari, int32_t count, ProblemList& list, RandomSource& random);

}  // namespace zentavo
