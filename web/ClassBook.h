#pragma once

#include "generation/ProblemList.h"
#include "web/ResultCode.h"
#include "web/WebPage.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// 集計: a class's results, collected as codes on the teacher's device and
// kept per set (seed and options). Each pupil's sheet is drawn again from
// its code, so that a problem and what is right for it are the sheets' own
// texts. The page keeps each set's codes in the browser and hands them back.
namespace zentavo {

struct KeptResult {
    PupilResult result;
    std::string code;
    ProblemList problems;  // the pupil's sheet
};

struct ClassSet {
    std::string key;   // SetAddress of its seed and options
    std::string name;  // its options in words and its seed
    uint32_t seed = 0;
    SheetOptions options;
    std::map<int32_t, KeptResult> pupils;  // by 出席番号
};

// What became of a code found.
enum class Collected { Added, Replaced, Unchanged, OtherSet, Refused, LaterFormat };
struct CollectedCode {
    int32_t line;
    Collected kind;
    std::string text;  // the page's message, with the line
    std::string key;   // the set it went to; empty where refused
};

// Messages are written for this many codes; the rest are counted.
inline constexpr size_t MostCollectMessages = 200;

class ClassBook {
public:
    // Every code in `text` (see ScanCodes) kept with its set, replacing the
    // pupil's result kept before; a code of a set other than `shownKey`'s is
    // said to be so. The message of a code after the first
    // MostCollectMessages is left empty.
    std::vector<CollectedCode> Collect(std::string_view text, std::string_view shownKey);
    // False where there is no such set.
    bool Remove(std::string_view key);
    // In the order they were first collected.
    const std::vector<ClassSet>& Sets() const { return sets_; }
    const ClassSet* Find(std::string_view key) const;

private:
    ClassSet& SetOf(const SheetOrigin& origin);

    std::vector<ClassSet> sets_;
};

// The codes of a set, one a line in 出席番号 order, for the page to keep.
std::string KeptCodes(const ClassSet& set);

// The class's mean first-round score in tenths of a problem, rounded, and
// the median of the times in whole seconds (of the middle two, their mean
// rounded down); 0 without results.
struct ClassMeans {
    int32_t correctTenths = 0;
    int32_t medianSeconds = 0;
};
ClassMeans MeansOf(const ClassSet& set);

// A problem that pupils got wrong in their first round, as the sheets write
// it (Shift-JIS, without the number in front), with how many pupils did.
struct MissedProblem {
    std::string question;
    std::string answer;
    int32_t pupils = 0;
    int32_t code = 0;  // the problem, as a ProblemList holds it
    int32_t divisor = 0;
    int32_t blankSide = 0;
};
// Most missed first; of those missed as often, the one met first in
// 出席番号 and sheet order first.
std::vector<MissedProblem> MissedList(const ClassSet& set);

// Shows the sheet of the set's missed problems (at most ProblemCapacity,
// most missed first) under the set's options with the smallest 問題数 that
// holds them; the places its grid has beyond them take the missed problems
// again from the first, so that no place is empty. A message where none
// was missed.
std::optional<MessageBox> ShowMissedSheet(WebPage& page, const ClassSet& set);

// The set for Excel on a Japanese Windows: UTF-8 with a byte order mark,
// CRLF lines, a header row, then one row per pupil with ○ or × per problem.
std::string ClassCsv(const ClassSet& set);
// Its file name, after the set and `date` (as the page writes it).
std::string CsvFileName(const ClassSet& set, std::string_view date);

}  // namespace zentavo
