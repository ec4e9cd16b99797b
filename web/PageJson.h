#pragma once

#include "web/ClassBook.h"
#include "web/WebPage.h"

#include <string>

// What the page is told, as JSON (UTF-8).
namespace zentavo {

// The controls the page builds: the window's control table (ControlTable.h)
// with the families of its fonts, the window's commands the page leaves out,
// and the page's own controls (PageTable.h). Put into the page at build time.
std::string ControlTableJson();

// The state of the controls and of the sheets beside them: each dan box's
// checked and enabled state, each group's item and enabled state, the
// commands' enabled states, Edit1, the seed, the shown side and its sheet.
std::string StateJson(const WebPage& page);

// The answering view of the page's shown sheet: its seed and sheet, each
// problem's number and pieces (texts and fields, Shift-JIS in hex) with its
// fields' labels, and the round (the first, of every problem).
std::string SolvingJson(const Solving& solving, const WebPage& page);
// The marks of the round just marked, each with the answer sheet's text
// (Shift-JIS in hex), the score and the result told, `milliseconds` after
// the view opened.
std::string MarksJson(const Solving& solving, int64_t milliseconds);
// The round and its problems.
std::string RoundJson(const Solving& solving);

// What collecting codes did: a message per code found, in the order found
// (at most MostCollectMessages, then how many more), and how many codes of
// each kind.
std::string CollectJson(const std::vector<CollectedCode>& collected);
// The sets kept, each one's key, name and number of pupils.
std::string SetsJson(const ClassBook& book);
// A set's table: a row per pupil in 出席番号 order with the sheet, scores,
// rounds, seconds and marks ("o" or "x" per problem); the numbers without a
// result (1 to the highest collected), the class's mean and median
// (MeansOf) and their summary, and the missed problems, most missed first.
std::string ClassTableJson(const ClassSet& set);
// A pupil's problem (from 1) as the question sheet writes it: {question}
// (Shift-JIS in hex), or {} where the set has no such pupil or problem.
std::string QuestionJson(const ClassSet& set, int32_t pupil, int32_t problem);

}  // namespace zentavo
