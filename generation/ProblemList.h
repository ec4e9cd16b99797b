#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zentavo {

inline constexpr int32_t ProblemCapacity = 80;

// The one problem set of the run. Problems are numbered from 1; slot 0 is
// unused. Times-table mode: Codes[i] = dan * 10 + quotient, Divisors[i] = 0.
// Two-digit modes: Codes[i] is the dividend, Divisors[i] the divisor.
struct ProblemList {
    int32_t Count = 0;
    std::array<int32_t, ProblemCapacity + 1> Codes{};
    std::array<int32_t, ProblemCapacity + 1> Divisors{};
    std::array<int32_t, ProblemCapacity + 1> BlankSide{};
    std::array<std::string, ProblemCapacity + 1> Texts{};  // Shift-JIS bytes, written by rendering only
};

}  // namespace zentavo
