#pragma once

#include "generation/ProblemList.h"
#include "generation/SheetOptions.h"
#include "render/ProblemForm.h"

#include <cstdint>
#include <string>

namespace zentavo {

// Rewrites Texts[1..Count] in the question form (Answers 0) or the answer
// form (Answers 1) under the options in force now.
void MakeProblemTexts(const SheetOptions& options, ProblemList& list, int32_t Answers);

// The text of problem i (1-based) without its number prefix; empty when i is
// not a slot of the list (1..80).
std::string ProblemText(const SheetOptions& options, const ProblemList& list, int32_t i, bool answers);

}  // namespace zentavo
