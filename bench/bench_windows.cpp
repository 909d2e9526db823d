// Timings of the whole program on a 6000 x 4000 chart: loading through the
// image window against libjpeg or libpng alone, a crosshair move with its repaint
// (also with 5,000 recorded points marked, at several zooms), the loupe's update
// on a move, and Auto Run of 999 steps, plain, with Sub-pixel Y and with every
// option on, against the core search and the curve tracker alone.
#include "BareDecode.h"
#include "BenchPictures.h"
#include "LoupeView.h"
#include "PictureArea.h"
#include "PictureView.h"
#include "RecordCommands.h"
#include "WindowSet.h"
#include "digitize/calibration/Rounding.h"
#include "digitize/calibration/StepRate.h"
#include "digitize/loupe/Loupe.h"
#include "digitize/picture/JpegDecoder.h"
#include "digitize/search/ColumnSearch.h"
#include "digitize/search/CurveTracker.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

TWindowSet *Windows = nullptr;

void LoadChart() {
    Form2->LoadImage(QString::fromStdString(bench::ChartJpegPath()));
    QCoreApplication::processEvents();
}

// Lets the events and timers of the windows' placing run out.
void SettleWindows() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 600)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Sums the area of every paint of the picture area, and keeps where it painted.
class PaintCounter : public QObject {
  public:
    long long pixels = 0;
    QRegion painted;

  protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            const QRegion &region = static_cast<QPaintEvent *>(event)->region();
            painted += region;
            for (const QRect &r : region)
                pixels += static_cast<long long>(r.width()) * r.height();
        }
        return false;
    }
};

// Takes back every recorded point, so each run starts from none.
void ForgetPoints() {
    while (Windows->Undo().canUndo())
        Windows->Undo().undo();
    Windows->Undo().clear();
    QCoreApplication::processEvents();
}

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

void BM_BareLibpngDecode(benchmark::State &state) {
    const auto &path = bench::ChartPngPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::BareLibpngDecode(path));
}
BENCHMARK(BM_BareLibpngDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_LoadPng(benchmark::State &state) {
    const QString path = QString::fromStdString(bench::ChartPngPath());
    for (auto _ : state)
        Form2->LoadImage(path);
}
BENCHMARK(BM_LoadPng)->Unit(benchmark::kMillisecond)->MinTime(3.0);

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

// A 4500 x 3000 scan-sized chart, the view scrolled to its middle: a move
// still repaints only the marks, not the view.
void BM_CrosshairMoveScrolled(benchmark::State &state) {
    constexpr int W = 4500;
    constexpr int H = 3000;
    QImage chart(W, H, QImage::Format_RGB32);
    chart.fill(Qt::white);
    {
        QPainter grid(&chart);
        grid.setPen(QColor(200, 200, 200));
        for (int x = 0; x < W; x += 300)
            grid.drawLine(x, 0, x, H - 1);
        for (int y = 0; y < H; y += 300)
            grid.drawLine(0, y, W - 1, y);
    }
    QGuiApplication::clipboard()->setImage(chart);
    Form2->PasteImage();
    ResetSharedState();
    Form2->MoveCrosshair(3000, 2000); // the view follows it there
    QCoreApplication::processEvents();
    auto *view = Form2->findChild<QScrollArea *>(QStringLiteral("ScrollBox1"));
    if (view->horizontalScrollBar()->value() == 0 || view->verticalScrollBar()->value() == 0)
        state.SkipWithError("the view did not scroll");
    PaintCounter counter;
    QWidget *area = Form2->findChild<QWidget *>(QStringLiteral("Image1"));
    area->installEventFilter(&counter);
    long long moves = 0;
    for (auto _ : state) {
        Form2->MoveCrosshair(moves % 2 == 0 ? 3001.0F : 3000.0F, 2000);
        QCoreApplication::processEvents();
        ++moves;
    }
    area->removeEventFilter(&counter);
    const double perMove = static_cast<double>(counter.pixels) / static_cast<double>(moves);
    state.counters["px_repainted"] = perMove;
    state.counters["pct_of_picture"] = 100.0 * perMove / (double{W} * H);
}
BENCHMARK(BM_CrosshairMoveScrolled)->Unit(benchmark::kMicrosecond);

// 5,000 recorded points marked along the curve, the view at a zoom (stops
// from one to one: 0 is 1x, 3 is 4x, -4 is 1/4x) and scrolled to the
// crosshair on the curve: a move repaints the cross's lines, marks included
// where they cross them, and nothing else.
void BM_CrosshairMoveWith5000Marks(benchmark::State &state) {
    LoadChart();
    ResetSharedState();
    ForgetPoints();
    std::vector<digitize::RecordedPoint> marks;
    for (int i = 0; i < 5000; ++i) {
        const int x = i * bench::ChartWidth / 5000;
        marks.push_back({static_cast<float>(x), static_cast<float>(bench::CurveRow(x)), "x , y"});
    }
    Windows->Undo().push(new RecordPointsCommand(Windows->Points(), std::move(marks),
                                                 QStringLiteral("Points"))); // the stack owns it
    const int y = bench::CurveRow(3000);
    TPictureView &view = Form2->View();
    view.StepZoom(static_cast<int>(state.range(0)), {3000, y});
    Form2->MoveCrosshair(3000, static_cast<float>(y)); // the view follows it there
    // The cross in the middle of the view: a move of one pixel is then no
    // reason to scroll, however near the edge the follow left it.
    const digitize::Rect at = digitize::ViewRect({3000, y, 3001, y + 1}, view.Zoom());
    view.horizontalScrollBar()->setValue(at.Left - view.viewport()->width() / 2);
    view.verticalScrollBar()->setValue(at.Top - view.viewport()->height() / 2);
    // The window set looks at a window's place again a little after it settled
    // (and repaints it whole if it moves it): none of that is the move's.
    SettleWindows();
    PaintCounter counter;
    view.Area()->installEventFilter(&counter);
    long long moves = 0;
    for (auto _ : state) {
        Form2->MoveCrosshair(moves % 2 == 0 ? 3001.0F : 3000.0F, static_cast<float>(y));
        QCoreApplication::processEvents();
        ++moves;
    }
    // The last move's repaint, outside the timing.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    view.Area()->removeEventFilter(&counter);
    // The cross's two lines at both places, in view pixels.
    QRegion lines;
    for (int x : {3000, 3001})
        for (const digitize::Rect &r : {digitize::Rect{x - 1000, y, x + 1000, y + 1},
                                        digitize::Rect{x, y - 1000, x + 1, y + 1000}}) {
            const digitize::Rect v = digitize::ViewRect(r, view.Zoom());
            lines += QRect(v.Left, v.Top, v.Right - v.Left, v.Bottom - v.Top);
        }
    if (counter.painted.isEmpty())
        state.SkipWithError("nothing was repainted");
    else if (!counter.painted.subtracted(lines).isEmpty())
        state.SkipWithError("a move repainted more than the cross's lines");
    state.counters["px_repainted"] =
        benchmark::Counter(static_cast<double>(counter.pixels) / static_cast<double>(moves));
    state.counters["marks"] = static_cast<double>(Windows->Points().PointCount());
    state.counters["zoom_pct"] = 100.0 * view.Zoom().Factor();
    view.ZoomOneToOne({0, 0});
    ForgetPoints();
}
BENCHMARK(BM_CrosshairMoveWith5000Marks)->Arg(0)->Arg(3)->Arg(-4)->Unit(benchmark::kMicrosecond);
// The loupe shown at a zoom, marking the curve's colour, the box drawn: a
// crosshair move with everything it repaints, the picture and the loupe.
void BM_LoupeUpdate(benchmark::State &state) {
    LoadChart();
    ResetSharedState();
    LineColor = 0xAA2814;
    LineColorSet = true;
    BoxShown = true;
    Loupe->ShowAndRaise();
    auto *view = Loupe->findChild<LoupeView *>(QStringLiteral("View"));
    const QPointF middle(view->width() / 2.0, view->height() / 2.0);
    for (int turns = 0; turns < 8 && view->Zoom() != state.range(0); ++turns) {
        const int notch = view->Zoom() < state.range(0) ? 120 : -120;
        QWheelEvent turn(middle, view->mapToGlobal(middle), QPoint(), QPoint(0, notch),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &turn);
    }
    const int y = bench::CurveRow(3000);
    Form2->MoveCrosshair(3000, static_cast<float>(y));
    QCoreApplication::processEvents();
    long long moves = 0;
    for (auto _ : state) {
        Form2->MoveCrosshair(moves % 2 == 0 ? 3001.0F : 3000.0F, static_cast<float>(y));
        QCoreApplication::processEvents();
        ++moves;
    }
    state.counters["zoom"] = view->Zoom();
    Loupe->hide();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_LoupeUpdate)->Arg(8)->Arg(2)->Unit(benchmark::kMicrosecond);

// The loupe's drawing rule alone, 200 x 200, on the same picture.
void BM_LoupeRender(benchmark::State &state) {
    LoadChart();
    const int y = bench::CurveRow(3000);
    const digitize::LoupeScene scene{
        {3000, y},
        static_cast<int>(state.range(0)),
        {digitize::Point{3000, y}, digitize::BoxAround({3000, y}, 5, 15)},
        digitize::Colour{0xAA2814},
        digitize::DefaultTolerance};
    std::vector<std::uint32_t> out(200 * 200);
    for (auto _ : state) {
        digitize::RenderLoupe(Form2->Picture(), scene, out, 200, 200);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_LoupeRender)->Arg(8)->Arg(2)->Unit(benchmark::kMicrosecond);

// Zero and Max 5000 pixels apart, 999 steps, the crosshair on the curve at Zero.
void PrepareAutoRun() {
    ForgetPoints();
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

// Every option on: the box, Find-Y, Calc-Y and Sub-pixel Y, the loupe shown
// following the crosshair; the status line tells how many steps found the line.
void BM_AutoRun999StepsEveryOption(benchmark::State &state) {
    LoadChart();
    Loupe->ShowAndRaise();
    for (auto _ : state) {
        state.PauseTiming();
        PrepareAutoRun();
        LineColorSet = CalcYOn = SubPixelOn = true;
        state.ResumeTiming();
        Form2->RunAuto();
        QCoreApplication::processEvents();
    }
    const QString status = Form2->findChild<QLabel *>(QStringLiteral("Label2"))->text();
    state.counters["points"] = status.section(QLatin1Char(' '), 0, 0).toDouble();
    state.counters["per_step_us"] = benchmark::Counter(
        1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    Loupe->hide();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_AutoRun999StepsEveryOption)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The tracker alone over the same steps, Sub-pixel Y.
void BM_CoreTracker999Steps(benchmark::State &state) {
    digitize::JpegDecoder decoder;
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(
        std::fopen(bench::ChartJpegPath().c_str(), "rb"), &std::fclose);
    const digitize::Surface picture = decoder.Decode(file.get());
    const auto steps = digitize::ComputeSteps(999, 999.0F, 500, 5500);
    int found = 0;
    for (auto _ : state) {
        digitize::CurveTracker tracker(
            {{steps.BoxHalfW, 15}, 0xAA2814, 64, picture.Height(), digitize::YReading::SubPixel},
            bench::CurveRow(500));
        for (int i = 0; i <= 999; ++i)
            benchmark::DoNotOptimize(
                tracker.Step(picture, digitize::StepX(500, i, steps.StepPixels)));
        found = tracker.Recorded();
    }
    state.counters["points"] = found;
    state.counters["per_step_us"] = benchmark::Counter(
        1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CoreTracker999Steps)->Unit(benchmark::kMillisecond);

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
    Windows = &windows;
    windows.ShowStartWindows();
    QCoreApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
