// A problem's answer fields: the pupil's right numbers written into the
// question make the answer sheet's text byte for byte, over every mode, blank,
// multiplier and numbering; a wrong or missing number does not.
#include "generation/GenerateProblems.h"
#include "render/ProblemForm.h"
#include "render/ProblemTexts.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>

namespace zentavo {
namespace {

using test::HexBytes;

// The numbers a pupil works out for problem i: the dividend or divisor of a
// blank, else the quotient (of the multiplied dividend), and in the modes
// with remainders the remainder, 0 for none.
FieldNumbers Worked(const SheetOptions& options, const ProblemList& list, size_t i)
{
    const int64_t code = list.Codes[i], divisor = list.Divisors[i];
    if (options.Amari >= 1)
        return options.Amari == 1 ? FieldNumbers{code / divisor} : FieldNumbers{code / divisor, code % divisor};
    const int64_t dan = code / 10, quotient = code % 10;
    if (options.rgSquare == 0)
        return {quotient * (options.MGroup == 1 ? 10 : options.MGroup == 2 ? 100 : 1)};
    const bool onDividend = options.rgSquare == 1 || (options.rgSquare == 3 && list.BlankSide[i] == 0);
    return {onDividend ? dan * quotient : dan};
}

TEST(ProblemForm, WorkedNumbersMakeTheAnswerSheetsTextAndNothingElseDoes)
{
    // Every mode, blank, multiplier and numbering, at the smallest and the largest count.
    for (int32_t k = 0; k < 8 * 4 * 3 * 2 * 2; ++k) {
        const int32_t amari = k / 48, rgSquare = k / 12 % 4, mGroup = k / 4 % 3, rgNum = k / 2 % 2, item = k % 2 * 11;
        SCOPED_TRACE(testing::Message() << "mode " << amari << " blank " << rgSquare << " x" << mGroup << " numbers "
                                        << rgNum << " item " << item);
        const SheetOptions options = {DrillableDans, -1, 1, item, 1, mGroup, amari, rgNum, rgSquare};
        ProblemList list;
        RandomSource random;
        random.RandomSeed = static_cast<uint32_t>(k);
        ASSERT_EQ(GenerateProblems(options, list, random), GenerateResult::Generated);
        MakeProblemTexts(options, list, 0);
        const auto questions = list.Texts;
        MakeProblemTexts(options, list, 1);
        for (size_t i = 1; i <= static_cast<size_t>(list.Count); ++i) {
            const ProblemForm form = FormOf(options, list, static_cast<int32_t>(i));
            const FieldNumbers worked = Worked(options, list, i);
            EXPECT_EQ(RightNumbers(form), worked) << "problem " << i;
            ASSERT_EQ(HexBytes(WrittenText(form, worked)), HexBytes(list.Texts[i])) << "problem " << i;
            EXPECT_EQ(HexBytes(WrittenText(form, {})), HexBytes(questions[i])) << "problem " << i;
            EXPECT_TRUE(IsRight(form, worked) && !IsRight(form, {})) << "problem " << i;
            for (size_t field = 0; field < worked.size(); ++field) {
                // One more, or for a remainder: 0 where there is one, 3 where there is none.
                FieldNumbers wrong = worked;
                wrong[field] = field == 0 ? *worked[0] + 1 : worked[field] == 0 ? 3 : 0;
                EXPECT_FALSE(IsRight(form, wrong)) << "problem " << i << " field " << field;
            }
            // An empty remainder field reads as no remainder.
            if (worked.size() == 2) {
                EXPECT_EQ(IsRight(form, FieldNumbers{worked[0]}), worked[1] == 0) << "problem " << i;
            }
        }
    }
}

// What the generator never draws: a divisor of 0 has no answer to show, a
// remainder in a mode of exact divisions is still asked for, and a slot
// outside the list has no pieces.
TEST(ProblemForm, FormsOfWhatNoSheetDraws)
{
    ProblemList list;
    list.Count = 2;
    list.Codes = {0, 5, 23};  // 0÷[ ]＝5, and 23÷4
    list.Divisors = {0, 0, 4};
    SheetOptions options;
    options.rgSquare = 2;
    EXPECT_EQ(RightNumbers(FormOf(options, list, 1)), FieldNumbers{});
    options = {};
    options.Amari = 1;
    EXPECT_EQ(RightNumbers(FormOf(options, list, 2)), (FieldNumbers{5, 3}));
    EXPECT_TRUE(FormOf(options, list, 0).pieces.empty());
}

}  // namespace
}  // namespace zentavo
