#include "mock/FakePrintService.h"
#include "print/ModalWatcher.h"

#include "render/MakePrint.h"
#include "window/Fmain.h"
#include "window/PreviewArea.h"
#include "window/RadioGroup.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The print commands in order, against a print service that prints nothing
// and can be told to fail or to wait at any step.

namespace zentavo::testing {
namespace {

using Step = FakePrintService::Step;

const std::string Equals = "\x81\x81";  // ＝, which only answers carry

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>();
        auto fake = std::make_unique<FakePrintService>();
        service = fake.get();
        form->SetPrintService(std::move(fake));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->D3->setChecked(true);
        form->D4->setChecked(true);
        form->PreviewBtn->click();
        ASSERT_TRUE(form->PrintBtn->isEnabled());
    }

    // Clicks `button` with `printNumber` in Edit1; `meanwhile` runs as soon
    // as the event loop turns while the command runs. Returns the boxes shown.
    std::vector<SeenBox> Press(QPushButton* button, const QString& printNumber,
                               std::function<void()> meanwhile = {})
    {
        form->Edit1->setText(printNumber);
        if (meanwhile)
            QTimer::singleShot(0, form.get(), meanwhile);
        ModalWatcher watcher;
        button->click();
        return watcher.Boxes();
    }

    std::string HeaderOf(const FakePrintService::Document& document) const { return document.Texts().at(1); }

    std::unique_ptr<TForm1> form;
    FakePrintService* service = nullptr;
};

TEST_F(PrintCommands, AFailureAtAnyStepLeavesThePrintNumberAsTyped)
{
    for (const Step step : {Step::GetPrinter, Step::SetPortrait, Step::PageSize, Step::BeginDoc, Step::EndDoc}) {
        SCOPED_TRACE(static_cast<int>(step));
        service->FailAt(step, "プリンタがありません");
        const auto boxes = Press(form->PrintAnsBtn, QStringLiteral("7"));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, QStringLiteral("プリンタがありません."));
        EXPECT_EQ(form->Edit1->text(), QStringLiteral("7"));
        EXPECT_EQ(form->Run().PrintNumber, 7);
        EXPECT_TRUE(service->documents.empty());
        EXPECT_FALSE(service->Busy());
    }
    EXPECT_TRUE(Press(form->PrintAnsBtn, QStringLiteral("7")).empty());
    ASSERT_EQ(service->documents.size(), 2u);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("8"));
}

// While the first command waits for the printer, the window goes on: it
// paints, its controls and Preview work, and a second print command reads
// its print number and then fails at once. The first ends as it began.
TEST_F(PrintCommands, TheWindowWorksWhileAPrintWaits)
{
    service->StallAt(Step::EndDoc);
    bool painted = false;
    const auto boxes = Press(form->PrintBtn, QStringLiteral("4"), [&] {
        ASSERT_TRUE(service->Stalled());
        EXPECT_TRUE(form->PrintStatus->isVisible());
        EXPECT_EQ(form->cursor().shape(), Qt::BusyCursor);
        EXPECT_TRUE(form->PrintBtn->isEnabled());

        form->PreviewBtn->click();  // answers now
        form->PaintBox1->update();
        QTest::qWait(50);
        painted = form->Run().Problems.Texts[1].find(Equals) == std::string::npos;  // questions again
        form->D5->click();
        EXPECT_TRUE(form->D5->isChecked());

        form->Edit1->setText(QStringLiteral("9"));
        form->PrintAnsBtn->click();  // the box it shows is the only one
        EXPECT_EQ(form->Run().PrintNumber, 9);
        service->Release();
    });
    EXPECT_TRUE(painted);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("現在印刷中です."));
    ASSERT_EQ(service->documents.size(), 1u);
    EXPECT_NE(HeaderOf(service->documents[0]).find("No.4"), std::string::npos);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("5"));
    EXPECT_EQ(form->Run().PrintNumber, 5);
    EXPECT_FALSE(form->PrintStatus->isVisible());
    EXPECT_NE(form->cursor().shape(), Qt::BusyCursor);
}

TEST_F(PrintCommands, APreviewBetweenTheTwoSheetsDoesNotReachTheAnswers)
{
    service->StallAt(Step::EndDoc, 1);
    EXPECT_TRUE(Press(form->PrintAnsBtn, QStringLiteral("3"), [&] {
        form->D7->click();
        form->PreviewBtn->click();
        service->Release();
    }).empty());
    ASSERT_EQ(service->documents.size(), 2u);
    const auto questions = service->documents[0].Texts();
    const auto answers = service->documents[1].Texts();
    ASSERT_EQ(questions.size(), answers.size());
    EXPECT_EQ(HeaderOf(service->documents[0]), HeaderOf(service->documents[1]));
    // Problem texts follow the four header texts; each answer is its
    // question with "＝" and the quotient appended.
    for (size_t i = 4; i < questions.size(); ++i)
        EXPECT_EQ(answers[i].rfind(questions[i] + Equals, 0), 0u) << i;
}

// Options changed while the question sheet is sent: both sheets are drawn as
// the command found them, call for call.
TEST_F(PrintCommands, OptionsChangedWhileTheQuestionsAreSentDoNotReachTheAnswers)
{
    struct Change {
        const char* what;
        RadioGroup* group;
        int before;  // -1: as it is
        int during;
    };
    const Change changes[] = {
        {"a two-digit mode", form->Amari, -1, 6},
        {"[ ]÷ to 混合", form->rgSquare, 1, 3},
        {"problem numbers", form->rgNum, -1, 1},
        {"１０問 to ８０問", form->QNumCheck, -1, 11},  // last: two dans cannot fill 80
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        if (change.before >= 0)
            change.group->Item(change.before)->click();
        form->PreviewBtn->click();
        const SheetOptions options = form->Snapshot();
        const ProblemList problems = form->Run().Problems;
        service->documents.clear();
        service->StallAt(Step::EndDoc, service->Calls(Step::EndDoc) + 1);
        EXPECT_TRUE(Press(form->PrintAnsBtn, QStringLiteral("3"), [&] {
            change.group->Item(change.during)->click();
            service->Release();
        }).empty());
        ASSERT_EQ(service->documents.size(), 2u);
        for (const int32_t answers : {QuestionSheet, AnswerSheet}) {
            test::RecordingCanvas expected;
            ProblemList list = problems;
            MakePrint(expected, service->width, service->height, answers, options, list, 3);
            EXPECT_EQ(service->documents[static_cast<size_t>(answers)].calls, expected.calls) << answers;
        }
    }
}

// The service stays while a command waits for it: it cannot be replaced, and
// the window may even go away meanwhile.
TEST_F(PrintCommands, AWaitingCommandKeepsItsServiceWhenTheWindowGoes)
{
    service->StallAt(Step::EndDoc);
    const auto boxes = Press(form->PrintBtn, QStringLiteral("6"), [&] {
        EXPECT_FALSE(form->SetPrintService(std::make_unique<FakePrintService>()));
        form.reset();
    });
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PrintCommands, QuittingWhileAPrintWaitsEndsItWithoutAWord)
{
    service->StallAt(Step::EndDoc);
    QElapsedTimer clock;
    clock.start();
    const auto boxes = Press(form->PrintBtn, QStringLiteral("6"), [&] { form->QuitBtn->click(); });
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(service->documents.empty());
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("6"));
}

}  // namespace
}  // namespace zentavo::testing
