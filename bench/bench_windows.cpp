// Timings of the whole program on a 6000 x 4000 chart: loading through the
// image window against libjpeg alone, a crosshair move with its repaint,
// and Auto Run of 999 steps, plain and with Sub-pixel Y, against the core
// search alone.
#include "BareDecode.h"
#include "BenchPictures.h"
#include "WindowSet.h"
#include "digitize/ColumnSearch.h"
#include "digitize/JpegDecoder.h"
#include "digitize/Rounding.h"
#include "digitize/StepRate.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

void LoadChart() {
    Form2->LoadImage(QString::fromStdString(bench::ChartJpegPath()));
    QCoreApplication::processEvents();
}

// Sums the area of every paint of the picture area.
class PaintCounter : public QObject {
  public:
    long long pixels = 0;

  protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            for (const QRect &r : static_cast<QPaintEvent *>(event)->region())
                pixels += static_cast<long long>(r.width()) * r.height();
        return false;
    }
};

void BM_BareLibjpegDecode(benchmark::State &state) {
    const auto &path = bench::ChartJpegPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::BareLibjpegDecode(path));
}
BENCHMARK(BM_BareLibjpegDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadImage(benchmark::State &state) {
    const QString path = QString::fromStdString(bench::ChartJpegPath());
    for (auto _ : state)
        Form2->LoadImage(path);
}
BENCHMARK(BM_LoadImage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CrosshairMove(benchmark::State &state) {
    LoadChart();
    ResetSharedState();
    PaintCounter counter;
    QWidget *area = Form2->findChild<QWidget *>(QStringLiteral("Image1"));
    area->installEventFilter(&counter);
    Form2->MoveCrosshair(300, 300);
    QCoreApplication::processEvents();
    counter.pixels = 0;
    long long moves = 0;
    for (auto _ : state) {
        const float x = moves % 2 == 0 ? 301.0F : 300.0F;
        Form2->MoveCrosshair(x, 300);
        QCoreApplication::processEvents(); // the repaint it asked for
        ++moves;
    }
    area->removeEventFilter(&counter);
    state.counters["px_repainted"] =
        benchmark::Counter(static_cast<double>(counter.pixels) / static_cast<double>(moves));
}
BENCHMARK(BM_CrosshairMove)->Unit(benchmark::kMicrosecond);

// Zero and Max 5000 pixels apart, 999 steps, the crosshair on the curve at Zero.
void PrepareAutoRun() {
    ResetSharedState();
    ZeroPt = {500, 3500};
    MaxPt = {5500, 500};
    const auto steps = digitize::ComputeSteps(999, 999.0F, ZeroPt.X, MaxPt.X);
    StepPixels = steps.StepPixels;
    BoxHalfW = steps.BoxHalfW;
    XStepOn = BoxShown = FindYOn = true;
    LineColor = 0xAA2814; // the curve's dark blue, 0x00BBGGRR
    Form2->MoveCrosshair(500, static_cast<float>(bench::CurveRow(500)));
    Form1->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->clear();
    QCoreApplication::processEvents();
}

void BM_AutoRun999Steps(benchmark::State &state) {
    LoadChart();
    for (auto _ : state) {
        state.PauseTiming();
        PrepareAutoRun();
        state.ResumeTiming();
        Form2->RunAuto();
        QCoreApplication::processEvents(); // the log, readout and picture show the run
    }
    state.counters["lines"] = static_cast<double>(
        Form1->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->blockCount());
    state.counters["per_step_us"] = benchmark::Counter(
        1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AutoRun999Steps)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same run with Sub-pixel Y: every readout and record is the estimate.
void BM_AutoRun999StepsSubPixel(benchmark::State &state) {
    LoadChart();
    for (auto _ : state) {
        state.PauseTiming();
        PrepareAutoRun();
        LineColorSet = SubPixelOn = true;
        state.ResumeTiming();
        Form2->RunAuto();
        QCoreApplication::processEvents();
    }
    state.counters["lines"] = static_cast<double>(
        Form1->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->blockCount());
    state.counters["per_step_us"] = benchmark::Counter(
        1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AutoRun999StepsSubPixel)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CoreSearch999Steps(benchmark::State &state) {
    digitize::JpegDecoder decoder;
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(
        std::fopen(bench::ChartJpegPath().c_str(), "rb"), &std::fclose);
    const digitize::Surface picture = decoder.Decode(file.get());
    const auto steps = digitize::ComputeSteps(999, 999.0F, 500, 5500);
    for (auto _ : state) {
        std::int64_t row = bench::CurveRow(500);
        for (int i = 0; i <= 999; ++i) {
            const auto x = digitize::Round(digitize::StepX(500, i, steps.StepPixels));
            row = digitize::FindCurveRow(picture, x, row, picture.Height(), {steps.BoxHalfW, 15},
                                         0xAA2814, 64);
        }
        benchmark::DoNotOptimize(row);
    }
    state.counters["per_step_us"] = benchmark::Counter(
        1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CoreSearch999Steps)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TWindowSet windows;
    windows.ShowStartWindows();
    QCoreApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
