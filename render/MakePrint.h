#pragma once

#include "generation/ProblemList.h"
#include "generation/SheetOptions.h"
#include "render/SheetCanvas.h"
#include "render/SheetScale.h"

#include <cstdint>

namespace zentavo {

// The two sheets of one problem set, as MakePrint's Answers.
inline constexpr int32_t QuestionSheet = 0;
inline constexpr int32_t AnswerSheet = 1;

// Draws the whole question sheet (Answers 0) or answer sheet (Answers 1)
// scaled into Width x Height device pixels, rewriting the list's texts.
void MakePrint(SheetCanvas& Canvas, int32_t Width, int32_t Height, int32_t Answers,
               const SheetOptions& options, ProblemList& list, int32_t PrintNumber);

}  // namespace zentavo
