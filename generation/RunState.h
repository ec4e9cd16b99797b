#pragma once

#include "generation/ProblemList.h"
#include "generation/RandomSource.h"

#include <cstdint>

namespace zentavo {

// The state shared by the window, generation and rendering for the whole run.
// The main window owns the one instance.
struct RunState {
    int32_t PreviewShown = 0;
    int32_t PrintNumber = 1;
    ProblemList Problems;
    RandomSource Random;
};

}  // namespace zentavo
