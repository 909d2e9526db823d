// Loading the picture formats read through Qt's plugins and renderers, each
// beside the JPEG load of a picture of the same size: a letter-size PDF page
// of a vector chart at 300 dpi (2550 x 3300), that page as GIF (ImageMagick's
// 256-colour quantization; left out where `convert` is missing) and as WebP
// (lossless and lossy at quality 90), and the chart as SVG at its default
// 2000 pixels on the long side (1546 x 2000). Every load goes through the
// image window, as a drop does.
#include "PdfPages.h"
#include "WindowSet.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QProcess>
#include <QSvgGenerator>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr QSizeF Page(612, 792); // US letter, in points

// Axes, a grid, labels and a curve of 2000 segments, in page points.
void DrawChart(QPainter &painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), Page), Qt::white);
    const QRectF plot(72, 90, 480, 600);
    painter.setPen(QPen(QColor(200, 200, 200), 0.5));
    for (int i = 1; i < 10; ++i) {
        painter.drawLine(QPointF(plot.left() + i * plot.width() / 10, plot.top()),
                         QPointF(plot.left() + i * plot.width() / 10, plot.bottom()));
        painter.drawLine(QPointF(plot.left(), plot.top() + i * plot.height() / 10),
                         QPointF(plot.right(), plot.top() + i * plot.height() / 10));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(plot);
    for (int i = 0; i <= 10; ++i)
        painter.drawText(QPointF(plot.left() + i * plot.width() / 10 - 6, plot.bottom() + 16),
                         QString::number(i * 10));
    QPainterPath curve;
    for (int i = 0; i <= 2000; ++i) {
        const double x = i / 2000.0;
        const QPointF p(plot.left() + x * plot.width(),
                        plot.center().y() - 0.4 * plot.height() * std::sin(12 * x) * std::exp(-x));
        if (i == 0)
            curve.moveTo(p);
        else
            curve.lineTo(p);
    }
    painter.setPen(QPen(QColor(20, 40, 170), 1.5));
    painter.drawPath(curve);
}

struct Files {
    QString pdf, jpeg, gif, webp, webpLossy, svg, svgJpeg;
};

const Files &Made() {
    static const Files files = [] {
        const QString dir = QDir::temp().filePath(QStringLiteral("plotwise-bench-formats"));
        QDir().mkpath(dir);
        Files f;
        f.pdf = dir + QStringLiteral("/chart.pdf");
        {
            QPdfWriter writer(f.pdf);
            writer.setResolution(72);
            writer.setPageSize(QPageSize(Page, QPageSize::Point));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            DrawChart(painter);
        }
        const digitize::Surface page = PdfPages(f.pdf).Render(1, 300).Picture;
        const QImage image = QImage(reinterpret_cast<const uchar *>(page.Bits()), page.Width(),
                                    page.Height(), page.Width() * 4, QImage::Format_RGB32)
                                 .copy();
        f.jpeg = dir + QStringLiteral("/chart.jpg");
        image.save(f.jpeg, "JPG", 90);
        f.webp = dir + QStringLiteral("/chart.webp");
        image.save(f.webp, "WEBP", 100);
        f.webpLossy = dir + QStringLiteral("/chart-lossy.webp");
        image.save(f.webpLossy, "WEBP", 90);
        const QString png = dir + QStringLiteral("/chart.png");
        image.save(png, "PNG");
        f.gif = dir + QStringLiteral("/chart.gif");
        if (QProcess::execute(QStringLiteral("convert"),
                              {png, QStringLiteral("-colors"), QStringLiteral("256"), f.gif}) != 0)
            f.gif.clear();
        f.svg = dir + QStringLiteral("/chart.svg");
        {
            QSvgGenerator svg;
            svg.setFileName(f.svg);
            svg.setSize(Page.toSize());
            svg.setViewBox(QRectF(QPointF(0, 0), Page));
            QPainter painter(&svg);
            DrawChart(painter);
        }
        f.svgJpeg = dir + QStringLiteral("/chart-svg-size.jpg");
        image.scaled(1546, 2000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .save(f.svgJpeg, "JPG", 90);
        return f;
    }();
    return files;
}

void Load(benchmark::State &state, const QString &path) {
    if (path.isEmpty()) {
        state.SkipWithError("ImageMagick's convert is not installed");
        return;
    }
    for (auto _ : state)
        Form2->LoadImage(path);
    state.counters["width"] = Form2->Picture().Width();
    state.counters["height"] = Form2->Picture().Height();
}

void BM_LoadPdfPage300dpi(benchmark::State &state) {
    Load(state, Made().pdf);
}
BENCHMARK(BM_LoadPdfPage300dpi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadJpegOfThePageSize(benchmark::State &state) {
    Load(state, Made().jpeg);
}
BENCHMARK(BM_LoadJpegOfThePageSize)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadGif(benchmark::State &state) {
    Load(state, Made().gif);
}
BENCHMARK(BM_LoadGif)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadWebPLossless(benchmark::State &state) {
    Load(state, Made().webp);
}
BENCHMARK(BM_LoadWebPLossless)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadWebPLossy(benchmark::State &state) {
    Load(state, Made().webpLossy);
}
BENCHMARK(BM_LoadWebPLossy)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadSvg2000(benchmark::State &state) {
    Load(state, Made().svg);
}
BENCHMARK(BM_LoadSvg2000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadJpegOfTheSvgSize(benchmark::State &state) {
    Load(state, Made().svgJpeg);
}
BENCHMARK(BM_LoadJpegOfTheSvgSize)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
