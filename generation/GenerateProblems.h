#pragma once

#include "generation/ProblemList.h"
#include "generation/RandomSource.h"
#include "generation/SheetOptions.h"

namespace zentavo {

enum class GenerateResult { Generated, TooFewDans };

// Draws a new problem set into `list`. On TooFewDans neither the list nor the
// random source has changed.
GenerateResult GenerateProblems(const SheetOptions& options, ProblemList& list, RandomSource& random);

}  // namespace zentavo
