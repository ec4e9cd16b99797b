#include "print/ModalWatcher.h"

#include "window/Fmain.h"
#include "window/MessageBoxes.h"
#include "window/PreviewArea.h"
#include "window/canvas/QtSheetCanvas.h"
#include "window/RadioGroup.h"

#include "render/MakePrint.h"

#include <QCheckBox>
#include <QExposeEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace zentavo::testing {
namespace {

constexpr int32_t Width = 320;
constexpr int32_t Height = 441;

// What the preview area shows on the screen now.
QImage Shown(TForm1& form)
{
    QApplication::processEvents();
    const QPoint at = form.PaintBox1->mapTo(&form, QPoint(0, 0));
    return form.screen()->grabWindow(form.winId(), at.x(), at.y(), Width, Height)
        .toImage().convertToFormat(QImage::Format_RGB32);
}

// The sheet as the form would draw it now, on a fresh image.
QImage Reference(TForm1& form, int32_t answers)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(form.palette().window().color());
    QPainter painter(&image);
    QtSheetCanvas canvas(painter);
    MakePrint(canvas, Width, Height, answers, form.Snapshot(), form.Run().Problems, form.Run().PrintNumber);
    return image;
}

bool HasAnswers(const TForm1& form)
{
    const ProblemList& list = form.Run().Problems;
    return list.Count > 0 && list.Texts[1].find("\x81\x81") != std::string::npos;  // ＝
}

class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    TForm1 form;
};

TEST_F(Preview, BlankBeforeTheFirstPreview)
{
    const QImage shown = Shown(form);
    QImage background(Width, Height, QImage::Format_RGB32);
    background.fill(form.palette().window().color());
    EXPECT_EQ(shown, background);
}

TEST_F(Preview, ShowsTheAnswersAtOnceAndTheQuestionsOnTheNextRepaint)
{
    form.D3->setChecked(true);
    form.D4->setChecked(true);
    form.PreviewBtn->click();
    EXPECT_EQ(form.Run().PreviewShown, 1);
    EXPECT_TRUE(form.PrintBtn->isEnabled());
    EXPECT_TRUE(form.PrintAnsBtn->isEnabled());
    EXPECT_TRUE(HasAnswers(form));
    const QImage answers = Reference(form, 1);
    EXPECT_EQ(Shown(form), answers);

    form.PaintBox1->repaint();
    EXPECT_FALSE(HasAnswers(form));
    const QImage questions = Reference(form, 0);
    EXPECT_NE(questions, answers);
    EXPECT_EQ(Shown(form), questions);

    // Options changed after the Preview change the next drawing; the text of
    // Edit1 does not reach the header before a print.
    form.rgNum->Item(1)->click();
    form.Edit1->setText(QStringLiteral("9"));
    form.PaintBox1->repaint();
    const QImage numbered = Reference(form, 0);
    EXPECT_NE(numbered, questions);
    EXPECT_EQ(Shown(form), numbered);
    EXPECT_EQ(form.Run().PrintNumber, 1);
}

// The toolkit would put back its stored picture of the area, still the
// answers; each way the platform brings the area back paints the questions.
TEST_F(Preview, EveryWayBackToTheScreenShowsTheQuestions)
{
    QWidget other;
    other.setGeometry(0, 0, 50, 50);
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"shown again after being hidden",
         [&] {
             form.hide();
             form.show();
             EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
         }},
        {"restored from minimised",
         [&] {
             form.showMinimized();
             QTest::qWait(20);
             form.showNormal();
             EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
         }},
        {"exposed (only the platform window hears of it)",
         [&] {
             QExposeEvent expose(QRegion(form.rect()));
             QCoreApplication::sendEvent(form.windowHandle(), &expose);
         }},
        {"brought back to the front",
         [&] {
             other.show();
             other.activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
             form.activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
         }},
    };
    form.D3->setChecked(true);
    form.D4->setChecked(true);
    for (const auto& [name, way] : ways) {
        form.PreviewBtn->click();
        ASSERT_EQ(Shown(form), Reference(form, 1)) << name;
        way();
        EXPECT_EQ(Shown(form), Reference(form, 0)) << name;
    }
}

TEST_F(Preview, TooFewDansWarnsAndChangesNothing)
{
    form.D3->setChecked(true);
    form.D4->setChecked(true);
    form.PreviewBtn->click();
    form.PaintBox1->repaint();
    const QImage before = Shown(form);
    const ProblemList problems = form.Run().Problems;

    form.D3->setChecked(false);
    ModalWatcher watcher;
    form.PreviewBtn->click();  // dan 4 alone cannot supply ten problems without 0

    ASSERT_EQ(watcher.Boxes().size(), 1u);
    const SeenBox& box = watcher.Boxes()[0];
    EXPECT_EQ(box.title, QStringLiteral("警告"));
    EXPECT_EQ(box.text, QStringLiteral("今の段の数では、指定された問題数が確保できません。"));
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.buttonCount, 1);
    EXPECT_EQ(form.Run().Problems.Codes, problems.Codes);
    EXPECT_EQ(form.Run().Problems.Texts, problems.Texts);
    EXPECT_EQ(Shown(form), before);
}

TEST(MessageBoxes, ErrorBoxIsCaptionedWithTheProgramsTitle)
{
    EXPECT_EQ(TitleFromProgramPath(QStringLiteral("/usr/bin/zentavo")), QStringLiteral("zentavo"));
    EXPECT_EQ(TitleFromProgramPath(QStringLiteral("C:/Tools/ZENTAVO.v1.exe")), QStringLiteral("Zentavo"));
    EXPECT_EQ(TitleFromProgramPath(QStringLiteral("/opt/zenTAVO")), QStringLiteral("zentavo"));
    EXPECT_EQ(WithClosingPeriod(QStringLiteral("No paper.")), QStringLiteral("No paper."));

    ModalWatcher watcher;
    ShowErrorBox(nullptr, QStringLiteral("現在印刷中です"));
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    const SeenBox& box = watcher.Boxes()[0];
    EXPECT_EQ(box.title, QStringLiteral("Testpreview"));
    EXPECT_EQ(box.text, QStringLiteral("現在印刷中です."));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttonCount, 1);
}

}  // namespace
}  // namespace zentavo::testing
