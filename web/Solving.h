#pragma once

#include "generation/ProblemList.h"
#include "generation/SheetOptions.h"
#include "render/ProblemForm.h"
#include "web/SheetOrigin.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

// A problem set answered on screen (画面で解く): each problem's form under
// the options in force when the view opened, and the rounds of marking. The
// first round holds every problem, each further one the problems that the
// round before got wrong, until every one is right. The sheet's origin, or
// why it has none, goes with it for the result's code.
//
// A round's marks as letters, in sheet order: o right, x wrong.
inline constexpr char RightLetter = 'o';
inline constexpr char WrongLetter = 'x';

class Solving {
public:
    Solving(const SheetOptions& options, const ProblemList& list, OriginOrWhy origin = std::string());

    int32_t Count() const { return static_cast<int32_t>(forms_.size()); }
    // Problem i, 1 to Count.
    const ProblemForm& Form(int32_t i) const { return forms_[static_cast<size_t>(i - 1)]; }

    int32_t Round() const { return round_; }
    // The problems of this round, in sheet order.
    const std::vector<int32_t>& RoundProblems() const { return problems_; }

    // Marks this round's problems from the texts typed into their fields:
    // ';' between problems, ',' between a problem's fields, in order; a
    // field is empty or half-width digits, and fields left out are empty. A
    // field that holds anything else, a field too many or a problem left out
    // is wrong. Gives each problem's mark.
    const std::vector<bool>& Mark(std::string_view typed);
    bool Marked() const { return marked_; }
    const std::vector<bool>& Marks() const { return marks_; }
    int32_t Correct() const;
    // Marked with every problem of the round right.
    bool Done() const { return marked_ && Correct() == static_cast<int32_t>(problems_.size()); }
    int32_t FirstRoundCorrect() const { return firstCorrect_; }
    // The first round's marks as letters; empty until marked.
    const std::string& FirstMarks() const { return firstMarks_; }
    // The rounds marked so far.
    int32_t RoundsMarked() const { return marked_ ? round_ : round_ - 1; }
    const OriginOrWhy& Origin() const { return origin_; }

    // The marked round's wrong problems become the next round; false, and
    // nothing changes, before marking or when none was wrong.
    bool Retry();

private:
    std::vector<ProblemForm> forms_;
    std::vector<int32_t> problems_;
    std::vector<bool> marks_;
    std::string firstMarks_;
    OriginOrWhy origin_;
    int32_t round_ = 1;
    int32_t firstCorrect_ = 0;
    bool marked_ = false;
};

}  // namespace zentavo
