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
FieldNumbers Worked(const SheetOptions& options, const ProblemList& list, int32_t i)
{
    const int64_t code = list.Codes[static_cast<size_t>(i)];
    if (options.Amari >= 1) {
        const int64_t divisor = list.Divisors[static_cast<size_t>(i)];
        if (options.Amari == 1)
            return {code / divisor};
        return {code / divisor, code % divisor};
    }
    const int64_t dan = code / 10, quotient = code % 10;
    const bool onDividend = options.rgSquare == 1 || (options.rgSquare == 3 && list.BlankSide[static_cast<size_t>(i)] == 0);
    if (options.rgSquare == 0)
        return {quotient * (options.MGroup == 1 ? 10 : options.MGroup == 2 ? 100 : 1)};
    return {onDividend ? dan * quotient : dan};
}

struct Sheet {
    SheetOptions options;
    ProblemList list;
    std::array<std::string, ProblemCapacity + 1> questions, answers;
};

Sheet Drawn(int32_t amari, int32_t rgSquare, int32_t mGroup, int32_t rgNum, int32_t item)
{
    Sheet sheet;
    sheet.options = {DrillableDans, -1, 1, item, 1, mGroup, amari, rgNum, rgSquare};
    RandomSource random;
    random.RandomSeed = static_cast<uint32_t>(amari * 1000 + rgSquare * 100 + mGroup * 10 + rgNum);
    EXPECT_EQ(GenerateProblems(sheet.options, sheet.list, random), GenerateResult::Generated);
    MakeProblemTexts(sheet.options, sheet.list, 0);
    sheet.questions = sheet.list.Texts;
    MakeProblemTexts(sheet.options, sheet.list, 1);
    sheet.answers = sheet.list.Texts;
    return sheet;
}

TEST(ProblemForm, WorkedNumbersMakeTheAnswerSheetsTextAndNothingElseDoes)
{
    for (int32_t amari = 0; amari <= 7; ++amari)
        for (int32_t rgSquare = 0; rgSquare <= 3; ++rgSquare)
            for (int32_t mGroup = 0; mGroup <= 2; ++mGroup)
                for (int32_t rgNum = 0; rgNum <= 1; ++rgNum)
                    for (int32_t item : {0, 11}) {
                        const Sheet sheet = Drawn(amari, rgSquare, mGroup, rgNum, item);
                        for (int32_t i = 1; i <= sheet.list.Count; ++i) {
                            const std::string what = "mode " + std::to_string(amari) + " blank "
                                + std::to_string(rgSquare) + " x" + std::to_string(mGroup) + " numbers "
                                + std::to_string(rgNum) + " item " + std::to_string(item) + " problem "
                                + std::to_string(i);
                            const ProblemForm form = FormOf(sheet.options, sheet.list, i);
                            const FieldNumbers worked = Worked(sheet.options, sheet.list, i);
                            const auto slot = static_cast<size_t>(i);
                            EXPECT_EQ(RightNumbers(form), worked) << what;
                            ASSERT_EQ(HexBytes(WrittenText(form, worked)), HexBytes(sheet.answers[slot])) << what;
                            EXPECT_EQ(HexBytes(WrittenText(form, {})), HexBytes(sheet.questions[slot])) << what;
                            EXPECT_TRUE(IsRight(form, worked)) << what;
                            EXPECT_FALSE(IsRight(form, {})) << what;
                            for (size_t k = 0; k < worked.size(); ++k) {
                                // One more, or for a remainder: 0 where there is one, 3 where there is none.
                                FieldNumbers wrong = worked;
                                wrong[k] = k == 0 ? *worked[k] + 1 : worked[k] == 0 ? 3 : 0;
                                EXPECT_FALSE(IsRight(form, wrong)) << what << " field " << k;
                            }
                            // An empty remainder field reads as no remainder.
                            if (worked.size() == 2) {
                                EXPECT_EQ(IsRight(form, FieldNumbers{worked[0]}), worked[1] == 0) << what;
                            }
                        }
                    }
}

// The view shows a form's pieces: its texts, a box where the question sheet
// has [ ], and the quotient's and remainder's fields after the question.
TEST(ProblemForm, FieldsStandWhereTheAnswerSheetWritesNumbers)
{
    ProblemList list;
    list.Count = 3;
    list.Codes = {0, 24, 23, 5};
    list.Divisors = {0, 0, 4, 0};
    const auto kinds = [](const ProblemForm& form) {
        std::string shown = form.number;
        for (const auto& piece : form.pieces) {
            const auto* field = std::get_if<AnswerField>(&piece);
            shown += !field ? std::get<std::string>(piece)
                   : field->kind == FieldKind::Box ? "<box>" : field->kind == FieldKind::Quotient ? "<q>" : "<r>";
        }
        return shown;
    };
    SheetOptions options;
    options.rgSquare = 1;
    EXPECT_EQ(kinds(FormOf(options, list, 1)), "<box>\x81\x80" "2\x81\x81" "4");
    options.rgSquare = 2;
    options.rgNum = 1;
    EXPECT_EQ(kinds(FormOf(options, list, 1)), "\x87\x40 8\x81\x80<box>\x81\x81" "4");
    EXPECT_EQ(kinds(FormOf(options, list, 3)), "\x87\x42 0\x81\x80[ ]\x81\x81" "5");  // divides by 0: no field
    options = {};
    options.Amari = 1;
    EXPECT_EQ(kinds(FormOf(options, list, 2)), "23\x81\x80" "4<q><r>");  // a remainder where one is shown
    options.Amari = 4;
    EXPECT_EQ(kinds(FormOf(options, list, 2)), "23\x81\x80" "4<q><r>");
    EXPECT_EQ(kinds(FormOf(options, list, 0)), "");
}

}  // namespace
}  // namespace zentavo
