#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The checks the fuzzers run on one input, shared with the unit test that
// replays the saved corpora. Each returns an empty string when the input
// passes, otherwise a description of the fault.
namespace zentavo::fuzz {

// ParsePrintNumber against an independent reading of the same rules.
std::string CheckPrintNumber(std::span<const uint8_t> input);

// Bytes read as sheet options, a seed, a canvas size, the sheet form, a print
// number and a preset problem list; then GenerateProblems and MakePrint on
// both forms, checking the list's invariants and every problem text.
std::string CheckSheet(std::span<const uint8_t> input);

}  // namespace zentavo::fuzz
