#include "mock/FakePrintService.h"
#include "print/ModalWatcher.h"

#include "window/Fmain.h"
#include "window/PreviewArea.h"
#include "window/RadioGroup.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
