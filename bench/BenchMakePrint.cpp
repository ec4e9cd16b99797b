#include "generation/GenerateProblems.h"
#include "render/MakePrint.h"
#include "window/canvas/FontMapping.h"
#include "window/canvas/QtSheetCanvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace zentavo {
namespace {

constexpr int32_t PrintNumber = 1234;

// Eighty numbered two-digit problems: the longest answer texts there are.
struct LongestSheet {
    SheetOptions options;
    ProblemList list;

    LongestSheet()
    {
        options.DanMask = 0x3FE;
        options.QNumCheck = 11;
        options.rgNum = 1;
        options.Amari = 4;
        RandomSource random;
        random.RandomSeed = 7;
        GenerateProblems(options, list, random);
    }
};

// Takes every call and draws nothing: the cost of the layout alone.
class NullCanvas : public SheetCanvas {
public:
    void SetBrushStyle(BrushStyle) override {}
    void SetBrushColor(uint32_t) override {}
    void SetPenColor(uint32_t) override {}
    void DrawRectangle(int32_t, int32_t, int32_t, int32_t) override {}
    void SetFontName(const std::string&) override {}
    void SetFontHeight(int32_t) override {}
    void PutText(int32_t, int32_t, const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
};

void MakePrintOnNullCanvas(benchmark::State& state)
{
    LongestSheet sheet;
    NullCanvas canvas;
    for (auto _ : state) {
        MakePrint(canvas, 4960, 7016, AnswerSheet, sheet.options, sheet.list, PrintNumber);
        benchmark::ClobberMemory();
    }
}

// One repaint of the preview area, painter included.
void MakePrintOnPreviewImage(benchmark::State& state)
{
    LongestSheet sheet;
    QImage image(320, 441, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QtSheetCanvas canvas(painter);
        MakePrint(canvas, image.width(), image.height(), AnswerSheet, sheet.options, sheet.list, PrintNumber);
    }
}

// One printed page: an A4 PDF at 1200 dpi, written out in full.
void MakePrintOnA4Pdf(benchmark::State& state)
{
    LongestSheet sheet;
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        {
            QPainter painter(&writer);
            QtSheetCanvas canvas(painter);
            MakePrint(canvas, writer.width(), writer.height(), AnswerSheet, sheet.options, sheet.list, PrintNumber);
        }
        bytes = buffer.size();
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

BENCHMARK(MakePrintOnNullCanvas)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(MakePrintOnPreviewImage)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(MakePrintOnA4Pdf)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace zentavo

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    zentavo::InstallFontMapping();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
