#include "print/CupsHook.h"
#include "print/PdfDocument.h"
#include "print/PrintingWindow.h"
#include "print/StallingServer.h"

#include "render/ProblemTexts.h"
#include "window/PreviewArea.h"
#include "window/print/QtPrintService.h"
#include "window/canvas/ShiftJisText.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

// The window while the print server keeps it waiting: it goes on working, a
// silent server ends the command with an error box within the bound, Quit
// leaves at once, and the sheets of one command stay one problem set.

namespace zentavo::testing {
namespace {

using namespace std::chrono_literals;

const QString NoAnswer = QStringLiteral("印刷サービスが応答しません.");
// Upper bounds generous enough for a loaded machine: the service gives up
// after 20 s of silence, and Quit must leave within 2 s.
constexpr qint64 SilenceBoundMs = 30'000;
constexpr qint64 QuitBoundMs = 2'000;

class PrintWaits : public PrintingWindow {
protected:
    void SetUp() override
    {
        PrintingWindow::SetUp();
        if (IsSkipped())
            return;
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        PreviewSheet();
    }

    void TearDown() override
    {
        AfterDocument = nullptr;
        PrintingWindow::TearDown();
    }

    // The problem texts of the set printed now, as pdftotext shows them.
    QStringList TextsOf(ProblemList problems, int32_t answers)
    {
        MakeProblemTexts(form().Snapshot(), problems, answers);
        QStringList texts;
        for (int32_t i = 1; i <= problems.Count; ++i)
            texts << WithoutSpaces(ShiftJisToUnicode(problems.Texts[static_cast<size_t>(i)]).value_or(QString()));
        return texts;
    }

    void ExpectPrintedSheet(const PrintJob& job, int32_t number, const QStringList& texts)
    {
        const PdfDocument sheet = ReadPdf(job.spoolFile);
        EXPECT_EQ(sheet.pages, 1);
        EXPECT_TRUE(sheet.text.contains(QStringLiteral("問題No.%1").arg(number))) << sheet.text.toStdString();
        for (const QString& text : texts)
            EXPECT_TRUE(sheet.text.contains(text)) << text.toStdString();
    }
};

TEST_F(PrintWaits, ASilentPrintServerCannotFreezeTheWindow)
{
    const StallingServer silent;
    QElapsedTimer clock;
    std::vector<SeenBox> boxes;
    bool repainted = false;
    {
        const CupsServerOverride server(silent.Address());
        clock.start();
        boxes = Press(form().PrintBtn, QStringLiteral("5"), [&] {
            EXPECT_TRUE(form().PrintStatus->isVisible());
            EXPECT_EQ(form().cursor().shape(), Qt::BusyCursor);
            // Paints, clicks and Preview go on while the command waits.
            form().PreviewBtn->click();
            form().PaintBox1->update();
            QTest::qWait(100);
            repainted = form().Run().Problems.Texts[1].find("\x81\x81") == std::string::npos;
            form().D6->click();
            EXPECT_TRUE(form().D6->isChecked());
            form().PrintAnsBtn->click();  // its box is the first one seen
        });
    }
    const qint64 waited = clock.elapsed();
    std::printf("silent print server: the command ended after %lld ms\n", static_cast<long long>(waited));
    EXPECT_LT(waited, SilenceBoundMs);
    EXPECT_TRUE(repainted);
    EXPECT_GE(silent.Connections(), 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("現在印刷中です."));
    EXPECT_EQ(boxes[1].text, NoAnswer);
    EXPECT_EQ(form().Edit1->text(), QStringLiteral("5"));
    EXPECT_EQ(form().Run().PrintNumber, 5);
    EXPECT_FALSE(form().PrintStatus->isVisible());
    EXPECT_TRUE(scheduler().Jobs().empty());

    // The service answers again: the same number prints.
    const QStringList questions = TextsOf(form().Run().Problems, 0);
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("5")).empty());
    EXPECT_EQ(form().Edit1->text(), QStringLiteral("6"));
    const auto jobs = scheduler().WaitForFinishedJobs(1);
    ASSERT_EQ(jobs.size(), 1u);
    ExpectPrintedSheet(jobs[0], 5, questions);
}

TEST_F(PrintWaits, QuittingWhileThePrintServerIsSilentLeavesAtOnce)
{
    const StallingServer silent;
    const CupsServerOverride server(silent.Address());
    QElapsedTimer sinceQuit;
    const auto boxes = Press(form().PrintAnsBtn, QStringLiteral("8"), [&] {
        QTest::qWait(300);
        sinceQuit.start();
        form().QuitBtn->click();
    });
    const qint64 left = sinceQuit.elapsed();
    std::printf("quit while the print server is silent: the command ended %lld ms after Quit\n",
                static_cast<long long>(left));
    EXPECT_LT(left, QuitBoundMs);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().Edit1->text(), QStringLiteral("8"));
}

// Only silence ends a request: a slow server is waited for, one slower than
// the limit is not. (libcups first waits a second for the server's go-ahead
// of each request, which the limit does not count.)
TEST_F(PrintWaits, ASlowPrintServerIsWaitedForUpToTheSilenceLimit)
{
    form().SetPrintService(std::make_unique<QtPrintService>(CupsLimits{2s}));
    {
        const StallingServer slow(500ms, scheduler().Port());
        const CupsServerOverride server(slow.Address());
        EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("2")).empty());
    }
    {
        const StallingServer tooSlow(8s, scheduler().Port());
        const CupsServerOverride server(tooSlow.Address());
        QElapsedTimer clock;
        clock.start();
        const auto boxes = Press(form().PrintBtn, QStringLiteral("3"));
        EXPECT_LT(clock.elapsed(), 6'000);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, NoAnswer);
        EXPECT_EQ(form().Edit1->text(), QStringLiteral("3"));
    }
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("3")).empty());
    const auto jobs = scheduler().WaitForFinishedJobs(2);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_TRUE(ReadPdf(jobs[0].spoolFile).text.contains(QStringLiteral("問題No.2")));
    EXPECT_TRUE(ReadPdf(jobs[1].spoolFile).text.contains(QStringLiteral("問題No.3")));
}

TEST_F(PrintWaits, APreviewBetweenTheTwoSheetsDoesNotReachTheAnswers)
{
    // The first sheet's job waits, once it is in, until Preview has made a
    // new problem set.
    std::atomic<int> stage{0};  // 1: the question sheet is in; 2: previewed
    AfterDocument = [&](ipp_status_t) {
        int expected = 0;
        if (!stage.compare_exchange_strong(expected, 1))
            return;
        for (int i = 0; i < 200 && stage.load() != 2; ++i)
            std::this_thread::sleep_for(50ms);
    };
    QTimer previewer;
    QObject::connect(&previewer, &QTimer::timeout, [&] {
        if (stage.load() != 1)
            return;
        form().D8->click();
        form().PreviewBtn->click();
        stage = 2;
    });
    previewer.start(10);

    const ProblemList printed = form().Run().Problems;
    const QStringList questions = TextsOf(printed, 0);
    const QStringList answers = TextsOf(printed, 1);
    EXPECT_TRUE(Press(form().PrintAnsBtn, QStringLiteral("4")).empty());
    EXPECT_EQ(stage.load(), 2);
    EXPECT_NE(form().Run().Problems.Codes, printed.Codes);  // the Preview made a new set

    const auto jobs = scheduler().WaitForFinishedJobs(2);
    ASSERT_EQ(jobs.size(), 2u);
    ExpectPrintedSheet(jobs[0], 4, questions);
    ExpectPrintedSheet(jobs[1], 4, answers);
}

}  // namespace
}  // namespace zentavo::testing
