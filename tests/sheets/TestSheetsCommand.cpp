// zentavo-sheets run as a process, without a display: what it writes, what
// it leaves after a failure, what it says under any locale (beside the
// window's program), and a set sent to the private print scheduler.

#include "print/CupsScheduler.h"
#include "print/PdfDocument.h"
#include "print/PrintTests.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <sys/resource.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace zentavo::testing {
namespace {

struct Finished {
    int status = -1;
    QString errors;  // the error output, read as UTF-8
};

// Runs the program with no display to reach: DISPLAY and WAYLAND_DISPLAY
// unset and a platform asked for that would need one.
Finished RunSheets(const QStringList& arguments, const std::function<void()>& inChild = {},
                   const QString& temporaryFolder = {},
                   QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
{
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (!temporaryFolder.isEmpty())
        environment.insert(QStringLiteral("TMPDIR"), temporaryFolder);
    QProcess process;
    process.setProcessEnvironment(environment);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(ZENTAVO_SHEETS_PROGRAM), arguments);
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit)
        ADD_FAILURE() << "zentavo-sheets did not end: " << arguments.join(u' ').toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// One page's texts as poppler reads them, a blank between any two.
QString PageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf,
                                                 QStringLiteral("-")});
}

// The question sheet an answer sheet belongs to: its texts without the
// answers ("＝9", "＝7…3").
QString WithoutAnswers(QString text)
{
    return WithoutSpaces(text.remove(QRegularExpression(QStringLiteral("＝\\d+(…\\d+)?(?=\\s)"))));
}

QString PrintNumberOf(const QString& text)
{
    return QRegularExpression(QStringLiteral("問題No\\.(\\d+)")).match(text).captured(1);
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

class SheetsCommand : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return folder_.filePath(name); }

    // A file that a failed run must leave as it is.
    QString Existing()
    {
        const QString path = Path(QStringLiteral("kept.pdf"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(OldContents) == OldContents.size());
        return path;
    }

    QStringList Files() const { return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden); }

    static inline const QByteArray OldContents = "an earlier set";
    QTemporaryDir folder_;
};

TEST_F(SheetsCommand, PagesComeInTheAskedOrderWithMatchingPrintNumbers)
{
    struct Page {
        int sheet;
        bool answers;
    };
    const struct {
        const char* option;
        std::vector<Page> pages;
    } cases[] = {
        {nullptr, {{1, false}, {2, false}, {3, false}}},
        {"--answers", {{1, false}, {1, true}, {2, false}, {2, true}, {3, false}, {3, true}}},
        {"--answers-at-end", {{1, false}, {2, false}, {3, false}, {1, true}, {2, true}, {3, true}}},
    };
    for (const auto& order : cases) {
        const QString pdf = Path(QStringLiteral("set.pdf"));
        // The print number is held at its largest value, as in the window.
        QStringList arguments = {"--dans", "3,4", "--count", "18", "--shuffle", "--sheets", "3",
                                 "--print-number", "2147483646", "--seed", "11", "--pdf", pdf};
        if (order.option)
            arguments << order.option;
        ASSERT_EQ(RunSheets(arguments).status, 0);
        ASSERT_EQ(ReadPdf(pdf).pages, static_cast<int>(order.pages.size()));

        QStringList questions(4);
        for (size_t i = 0; i < order.pages.size(); ++i) {
            const Page& page = order.pages[i];
            const QString text = PageText(pdf, static_cast<int>(i) + 1);
            const int number = 2147483645 + std::min(page.sheet, 2);
            EXPECT_EQ(PrintNumberOf(text), QString::number(number)) << "page " << i + 1;
            EXPECT_EQ(text.contains(QStringLiteral("＝")), page.answers) << i;
            if (!page.answers)
                questions[page.sheet] = WithoutSpaces(text);
            else
                EXPECT_EQ(WithoutAnswers(text), questions[page.sheet]) << "page " << i + 1;
        }
        // Three different sheets, not one sheet three times.
        const auto problems = [&](int sheet) { return questions[sheet].section(QStringLiteral("計算しましょう"), 1); };
        EXPECT_NE(problems(1), problems(2));
        EXPECT_NE(problems(2), problems(3));
    }
}

TEST_F(SheetsCommand, ItsSeedMakesTheSameSetAgain)
{
    const QStringList options = {"--dans", "2,5,8", "--count", "27", "--shuffle", "--blank", "mixed",
                                 "--sheets", "4", "--answers"};
    const Finished clock = RunSheets(options + QStringList{"--pdf", Path(QStringLiteral("first.pdf"))});
    ASSERT_EQ(clock.status, 0) << clock.errors.toStdString();
    const auto told = QRegularExpression(QStringLiteral("seed (\\d+)")).match(clock.errors);
    ASSERT_TRUE(told.hasMatch()) << clock.errors.toStdString();
    const uint seed = told.captured(1).toUInt();

    const QString again = Path(QStringLiteral("again.pdf"));
    const Finished seeded = RunSheets(options + QStringList{"--seed", QString::number(seed), "--pdf", again});
    ASSERT_EQ(seeded.status, 0);
    EXPECT_TRUE(seeded.errors.isEmpty()) << seeded.errors.toStdString();
    const QString text = ReadPdf(Path(QStringLiteral("first.pdf"))).text;
    EXPECT_EQ(ReadPdf(again).text, text);

    const QString other = Path(QStringLiteral("other.pdf"));
    ASSERT_EQ(RunSheets(options + QStringList{"--seed", QString::number(seed + 1), "--pdf", other}).status, 0);
    EXPECT_NE(ReadPdf(other).text, text);
}

// Under the C/POSIX locale of a bare server, a cron job or ssh, and under a
// language in a legacy encoding, both programs print nothing but their own
// lines (Qt would warn that the locale is not UTF-8), and Qt's texts keep the
// user's language.
TEST_F(SheetsCommand, OnlyItsOwnWordsOnTheErrorOutputInAnyLocale)
{
    const QString english = QStringLiteral("No such file or directory");
    const QString japanese = QStringLiteral("そのようなファイルやディレクトリはありません");
    const struct {
        const char* variable;
        const char* value;  // nullptr: no locale variable at all
        const QString& reason;
    } locales[] = {{"LANG", "C", english}, {"LANG", nullptr, english}, {"LC_ALL", "C", english},
                   {"LANG", "ja_JP.eucJP", japanese}, {"LC_ALL", "ja_JP.eucJP", japanese}};
    for (const auto& locale : locales) {
        SCOPED_TRACE(std::string(locale.variable) + "=" + (locale.value ? locale.value : "(none)"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : environment.keys())
            if (name == u"LANG" || name == u"LANGUAGE" || name.startsWith(u"LC_"))
                environment.remove(name);
        if (locale.value)
            environment.insert(locale.variable, locale.value);
        const QString missing = Path(QStringLiteral("no-such-folder/set.pdf"));
        const Finished sheets = RunSheets({"--dans", "3,4", "--seed", "1", "--pdf", missing}, {}, {}, environment);
        EXPECT_EQ(sheets.errors.toStdString(),
                  QStringLiteral("zentavo-sheets: %1: %2\n").arg(missing, locale.reason).toStdString());

        // The window on no screen, in a desktop session's runtime folder,
        // ended once Qt has loaded the platform, which it does after looking
        // at the locale.
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
        QProcess window;
        window.setProcessEnvironment(environment);
        window.start(QStringLiteral(ZENTAVO_PROGRAM));
        ASSERT_TRUE(window.waitForStarted());
        const QString maps = QStringLiteral("/proc/%1/maps").arg(window.processId());
        for (int i = 0; i < 300 && !Contents(maps).contains("libqoffscreen"); ++i)
            window.waitForFinished(100);
        EXPECT_TRUE(Contents(maps).contains("libqoffscreen")) << "the window did not start";
        window.kill();
        window.waitForFinished();
        EXPECT_EQ(window.readAllStandardError().toStdString(), "");
    }
}

TEST_F(SheetsCommand, RefusedOptionsWriteNothing)
{
    const struct {
        QStringList options;
        int status;
        QString message;
    } cases[] = {
        {{"--dans", "3", "--count", "11"}, 2, "zentavo-sheets: --count takes 9, 10, 18"},
        {{"--dans", "3", "--count", "9", "--zero"}, 2, "zentavo-sheets: --zero (被除数に０を 入れる)"},
        {{"--dans", "3,7", "--count", "20"}, 1, "zentavo-sheets: 今の段の数では、指定された問題数が確保できません。"},
    };
    for (const auto& refused : cases) {
        for (const QString& pdf : {Existing(), Path(QStringLiteral("new.pdf"))}) {
            const Finished run = RunSheets(refused.options + QStringList{"--pdf", pdf});
            EXPECT_EQ(run.status, refused.status);
            EXPECT_TRUE(run.errors.startsWith(refused.message)) << run.errors.toStdString();
            EXPECT_EQ(run.errors.count(u'\n'), 1) << run.errors.toStdString();
        }
        EXPECT_EQ(Contents(Path(QStringLiteral("kept.pdf"))), OldContents);
        EXPECT_EQ(Files(), QStringList{QStringLiteral("kept.pdf")});
    }
}

TEST_F(SheetsCommand, AFailedWriteLeavesNoPartialFile)
{
    const QString missing = Path(QStringLiteral("no-such-folder/set.pdf"));
    const Finished noFolder = RunSheets({"--dans", "3,4", "--seed", "1", "--pdf", missing});
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_TRUE(noFolder.errors.contains(missing)) << noFolder.errors.toStdString();

    // A file size limit stands in for a full disk: writing fails midway.
    const QString kept = Existing();
    const Finished tooLarge = RunSheets(
        {"--dans", "1,2,3,4,5,6,7,8,9", "--count", "80", "--sheets", "100", "--answers", "--seed", "1", "--pdf", kept},
        [] {
            const rlimit limit{64 * 1024, 64 * 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    EXPECT_EQ(tooLarge.status, 1);
    EXPECT_TRUE(tooLarge.errors.contains(kept)) << tooLarge.errors.toStdString();
    EXPECT_EQ(Contents(kept), OldContents);
    EXPECT_EQ(Files(), QStringList{QStringLiteral("kept.pdf")});
}

TEST_F(SheetsCommand, PaperSizesInPortrait)
{
    const struct {
        const char* paper;
        double width, height;  // points
    } papers[] = {{"A4", 595.3, 841.9}, {"B5", 515.9, 728.5}, {"B4", 728.5, 1031.8}, {"A3", 841.9, 1190.6},
                  {"Letter", 612, 792}};
    for (const auto& paper : papers) {
        const QString pdf = Path(QStringLiteral("paper.pdf"));
        ASSERT_EQ(RunSheets({"--dans", "6", "--count", "9", "--seed", "3", "--paper", paper.paper, "--pdf", pdf}).status, 0);
        const PdfDocument document = ReadPdf(pdf);
        EXPECT_NEAR(document.width, paper.width, 1) << paper.paper;
        EXPECT_NEAR(document.height, paper.height, 1) << paper.paper;
        EXPECT_TRUE(document.text.contains(QStringLiteral("わりざん九九"))) << paper.paper;
    }
}

class SheetsPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TheScheduler)
            GTEST_SKIP() << "CUPS is not installed";
        TheScheduler->Start();
    }
    void TearDown() override
    {
        if (TheScheduler)
            TheScheduler->Stop();
    }
};

TEST_F(SheetsPrinting, ASetArrivesAsOneJobWithAPagePerSheet)
{
    const QTemporaryDir temporary;
    const Finished run = RunSheets({"--dans", "4,8", "--sheets", "3", "--seed", "5", "--print-number", "31", "--print"},
                                   {}, temporary.path());
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const auto jobs = TheScheduler->WaitForFinishedJobs(1);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].title, QStringLiteral("Zentavo"));
    EXPECT_EQ(jobs[0].state, IPP_JSTATE_COMPLETED);
    const PdfDocument document = ReadPdf(jobs[0].spoolFile);
    EXPECT_EQ(document.pages, 3);
    EXPECT_TRUE(document.text.contains(QStringLiteral("問題No.33")));
    // The document went through the temporary folder and is gone from it.
    EXPECT_EQ(QDir(temporary.path()).entryList({QStringLiteral("zentavo*")}), QStringList());

    const Finished unknown = RunSheets({"--dans", "4", "--seed", "1", "--print", "NoSuchQueue"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.errors.count(u'\n'), 1) << unknown.errors.toStdString();
    EXPECT_EQ(TheScheduler->Jobs().size(), 1u);
}

}  // namespace
}  // namespace zentavo::testing
