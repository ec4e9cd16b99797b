// zentavo-sheets: class sets of worksheets from a seed, without a window.

#include "generation/RandomSource.h"
#include "sheets/SetOutput.h"
#include "sheetset/SheetSet.h"
#include "sheetset/SheetsOptions.h"
#include "window/canvas/FontMapping.h"
#include "window/canvas/ProcessLocale.h"
#include "window/canvas/ToolkitTranslations.h"
#include "window/controls/Messages.h"
#include "window/print/cups/PrintError.h"

#include <QGuiApplication>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace zentavo;
using Clock = std::chrono::steady_clock;

constexpr const char* Program = "zentavo-sheets";

// Set by SIGINT or SIGTERM: the set is abandoned at the next page.
std::atomic<int> stopSignal{0};
StopFlag printStop;

extern "C" void OnStopSignal(int signal)
{
    stopSignal.store(signal);
    printStop.Request();
}

class Interrupted {};

// Qt's own messages, on the error output as usual, but for its note that
// no runtime folder is set (as on a bare server), which nothing here uses.
void QtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toUtf8().constData());
}

void Say(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", Program, message.c_str());
}

// The pages done, on one line of a terminal, once a set has taken long
// enough to be worth watching.
class TerminalProgress {
public:
    TerminalProgress() : shown_(isatty(STDERR_FILENO) == 1) {}

    void operator()(int64_t done, int64_t total)
    {
        if (stopSignal.load() != 0)
            throw Interrupted();
        const Clock::time_point now = Clock::now();
        if (!shown_ || now - last_ < std::chrono::milliseconds(200))
            return;
        last_ = now;
        std::fprintf(stderr, "\r%s: page %lld of %lld", Program, static_cast<long long>(done),
                     static_cast<long long>(total));
        std::fflush(stderr);
        drawn_ = true;
    }

    void Clear()
    {
        if (drawn_)
            std::fputs("\r\033[K", stderr);
        drawn_ = false;
    }

private:
    bool shown_;
    bool drawn_ = false;
    Clock::time_point last_ = Clock::now();  // the first line after 200 ms
};

int MakeSheets(const SheetsCommand& command)
{
    uint32_t seed = 0;
    if (command.set.seed) {
        seed = *command.set.seed;
    } else {
        RandomSource clock;
        clock.SeedFromClock();
        seed = clock.RandomSeed;
        Say("seed " + std::to_string(seed) + " (--seed " + std::to_string(seed) + " makes this set again)");
    }

    TerminalProgress progress;
    const SetProgress report = [&](int64_t done, int64_t total) { progress(done, total); };
    try {
        if (const auto* pdf = std::get_if<PdfOutput>(&command.output))
            WriteSetPdf(command.set, seed, QString::fromStdString(pdf->path), PaperLayout(pdf->paper), report);
        else
            PrintSet(command.set, seed, std::get<PrintOutput>(command.output).queue, report, printStop);
    } catch (const Interrupted&) {
    } catch (const PrintCancelled&) {
    } catch (const std::exception& error) {
        progress.Clear();
        Say(error.what());
        return 1;
    }
    progress.Clear();
    if (const int signal = stopSignal.load(); signal != 0) {
        // Everything is cleaned up: end as the signal would have.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    UseUtf8CharacterType();
    const ParsedCommandLine parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        Say(error->message);
        return 2;
    }
    if (std::holds_alternative<ShowHelp>(parsed) || std::holds_alternative<ShowVersion>(parsed)) {
        const std::string text = std::holds_alternative<ShowHelp>(parsed) ? HelpText() : VersionText();
        std::fputs(text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    const SheetsCommand& command = std::get<SheetsCommand>(parsed);
    if (!CanMakeSheets(command.set.sheet)) {
        Say(TooFewDansWarning);
        return 1;
    }

    // No display, whatever the environment names: the sheets need fonts
    // from fontconfig and nothing else of a platform. Qt is given none of
    // the arguments, which are this program's alone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QtMessage);
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    QGuiApplication::setApplicationName(QString::fromLatin1(Program));
    // Qt's own texts (the reasons a file cannot be written) in the user's
    // language.
    InstallToolkitTranslations();
    InstallFontMapping();

    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    // A file size limit makes writing fail with an error, which leaves no
    // partial file, rather than ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    return MakeSheets(command);
}
