// Auto Run over chart pictures with known data, without the windows: the run
// as the program made it before the curve tracker (Find-Y's nearest row at
// every step, every step logged) and as it makes it now, each calibrated as a
// user does (Zero and Max locked on the pixels nearest the chart's reference
// points, the chart's values typed), started as the help says, logged with
// the log's decimals and read back. Prints, per chart, series and mode, the
// points logged, the steps skipped and the errors of the inner points.
//
//   track_charts CHARTS_DIR [NAME_PART] [--mode find|calc|sub] [--steps N] [--verbose]
#include "ChartTruth.h"
#include "PictureFile.h"
#include "digitize/calibration/Decimals.h"
#include "digitize/calibration/Rounding.h"
#include "digitize/calibration/StepRate.h"
#include "digitize/search/BoxAverage.h"
#include "digitize/search/ColumnSearch.h"
#include "digitize/search/CurveTracker.h"
#include "digitize/search/SubPixel.h"

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPoint>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using digitize::Round;
using Reading = digitize::YReading;

struct Setup {
    const digitize::Surface *picture = nullptr;
    digitize::Point zero, max;
    digitize::AxisValues xAxis, yAxis;
    digitize::StepSettings steps;
    digitize::Box box;
    digitize::Colour line = 0;
    int tolerance = 64;
    Reading reading = Reading::Row;
    float startX = 0, startY = 0;
    int startIndex = 0;
};

struct Logged {
    float x = 0;
    float row = 0;
};

struct Run {
    std::vector<Logged> log;
    int skipped = 0;
};

// Before the tracker: record, step, Find-Y twice, while at or before Max X.
Run RunBefore(const Setup &s) {
    const digitize::Surface &pic = *s.picture;
    const bool sub = s.reading == Reading::SubPixel;
    float curX = s.startX, curY = s.startY;
    int index = s.startIndex;
    const auto find = [&] {
        const auto rx = Round(curX);
        const auto row =
            digitize::FindCurveRow(pic, rx, Round(curY), pic.Height(), s.box, s.line, s.tolerance);
        curX = sub ? curX : static_cast<float>(rx);
        curY = static_cast<float>(row);
    };
    Run run;
    do {
        float y = curY;
        if (s.reading == Reading::BoxAverage)
            y = digitize::BoxAverageRow(pic, Round(curX), Round(curY), s.box, s.line, s.tolerance)
                    .value_or(curY);
        else if (sub)
            y = static_cast<float>(
                digitize::SubPixelRow(pic, curX, Round(curY), s.box, s.line, s.tolerance)
                    .value_or(curY));
        run.log.push_back({curX, y});
        curX = digitize::StepX(s.zero.X, ++index, s.steps.StepPixels);
        find();
        find();
    } while (digitize::BeforeOrAtMax(curX, s.max.X, s.steps.StepPixels));
    return run;
}

// With the tracker: the start and every step up to Max X, logged only where
// the line is found.
Run RunAfter(const Setup &s) {
    const bool sub = s.reading == Reading::SubPixel;
    digitize::CurveTracker tracker({s.box, s.line, s.tolerance, s.picture->Height(), s.reading},
                                   s.startY);
    Run run;
    float x = s.startX;
    int index = s.startIndex;
    while (true) {
        const auto step = tracker.Step(*s.picture, x);
        const float curX = sub ? x : static_cast<float>(Round(x));
        if (step.Found)
            run.log.push_back({curX, static_cast<float>(step.Value)});
        x = digitize::StepX(s.zero.X, ++index, s.steps.StepPixels);
        if (!digitize::BeforeOrAtMax(sub ? x : static_cast<float>(Round(x)), s.max.X,
                                     s.steps.StepPixels))
            break;
    }
    run.skipped = tracker.Skipped();
    return run;
}

// The decimals before: the usual ones wherever they show ten pixels.
digitize::Decimals DecimalsBefore(const Setup &s) {
    const auto upp = [](digitize::AxisValues a, int z, int m) {
        return std::fabs((static_cast<double>(a.Max) - a.Zero) / (double(m) - z));
    };
    const auto largest = [](digitize::AxisValues a) {
        return std::max(std::fabs(a.Zero), std::fabs(a.Max));
    };
    const bool sub = s.reading == Reading::SubPixel;
    return {digitize::AxisDecimals(1, upp(s.xAxis, s.zero.X, s.max.X), largest(s.xAxis), 10),
            digitize::AxisDecimals(2, upp(s.yAxis, s.zero.Y, s.max.Y) * (sub ? 0.1 : 1.0),
                                   largest(s.yAxis), sub ? 1 : 10)};
}

struct Score {
    int points = 0, skipped = 0, failures = 0, inner = 0;
    double meanV = 0, worstV = 0, meanD = 0, worstD = 0;
};

Score Measure(const Setup &s, const Run &run, digitize::Decimals d, const tools::TrueCurve &truth,
              bool verbose) {
    Score score;
    score.points = static_cast<int>(run.log.size());
    score.skipped = run.skipped;
    const std::size_t n = run.log.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Logged &p = run.log[i];
        const std::string text =
            digitize::CoordText(digitize::CalcXValue(p.x, s.zero, s.max, s.xAxis),
                                digitize::CalcYValue(p.row, s.zero, s.max, s.yAxis), d.X, d.Y);
        const double xv = std::strtod(text.c_str(), nullptr);
        const double yv = std::strtod(text.c_str() + text.find(',') + 1, nullptr);
        const tools::PicturePoint at{
            s.zero.X +
                (xv - s.xAxis.Zero) / (double(s.xAxis.Max) - s.xAxis.Zero) * (s.max.X - s.zero.X),
            s.zero.Y -
                (yv - s.yAxis.Zero) / (double(s.yAxis.Max) - s.yAxis.Zero) * (s.zero.Y - s.max.Y)};
        const auto e = truth.ErrorOf(at);
        if (verbose)
            std::printf("    %-22s px (%.2f, %.2f) %s\n", text.c_str(), at.Col, at.Row,
                        e ? qPrintable(QString::asprintf("v %.2f d %.2f", e->Vertical, e->Distance))
                          : "NO TRUE VALUE");
        if (i < 2 || i + 2 >= n)
            continue; // the ends: the axes hide the curve there
        ++score.inner;
        if (!e) {
            ++score.failures;
            continue;
        }
        score.meanV += e->Vertical;
        score.meanD += e->Distance;
        score.worstV = std::max(score.worstV, e->Vertical);
        score.worstD = std::max(score.worstD, e->Distance);
    }
    const int measured = score.inner - score.failures;
    if (measured > 0) {
        score.meanV /= measured;
        score.meanD /= measured;
    }
    return score;
}

QString Cells(const Score &s, bool withSkipped) {
    QString out = QString::asprintf("%4d ", s.points);
    if (withSkipped)
        out += QString::asprintf("%4d ", s.skipped);
    return out + QString::asprintf("%3d %6.2f %6.2f %6.2f %6.2f", s.failures, s.meanV, s.worstV,
                                   s.meanD, s.worstD);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: track_charts CHARTS_DIR [NAME_PART] [--mode find|calc|sub] "
                             "[--steps N] [--verbose]\n");
        return 2;
    }
    const QString dir = args.takeFirst();
    QString part, onlyMode;
    int stepCount = 100;
    bool verbose = false;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == QStringLiteral("--mode"))
            onlyMode = args.takeFirst();
        else if (a == QStringLiteral("--steps"))
            stepCount = args.takeFirst().toInt();
        else if (a == QStringLiteral("--verbose"))
            verbose = true;
        else
            part = a;
    }
    QFile json(dir + QStringLiteral("/calibration.json"));
    if (!json.open(QIODevice::ReadOnly))
        return std::fprintf(stderr, "no calibration.json in %s\n", qPrintable(dir)), 1;
    const QJsonArray charts = QJsonDocument::fromJson(json.readAll())["charts"].toArray();
    digitize::JpegDecoder jpeg;
    std::printf("%-44s %-4s | BEFORE  pts fail meanV worstV meanD worstD | AFTER  pts skip fail "
                "meanV worstV meanD worstD\n",
                "chart / series", "mode");
    for (const QJsonValue &c : charts) {
        const QJsonObject chart = c.toObject();
        const QString file = chart["file"].toString();
        if (!file.contains(part))
            continue;
        const digitize::Surface picture = ReadPictureFile(dir + u'/' + file, jpeg);
        const QJsonArray xr = chart["x_ref"].toArray(), yr = chart["y_ref"].toArray();
        Setup s;
        s.picture = &picture;
        s.xAxis = {static_cast<float>(xr[0]["value"].toDouble()),
                   static_cast<float>(xr[1]["value"].toDouble())};
        s.yAxis = {static_cast<float>(yr[0]["value"].toDouble()),
                   static_cast<float>(yr[1]["value"].toDouble())};
        s.zero = {Round(xr[0]["px"][0].toDouble()), Round(yr[0]["px"][1].toDouble())};
        s.max = {Round(xr[1]["px"][0].toDouble()), Round(yr[1]["px"][1].toDouble())};
        s.steps = digitize::ComputeSteps(stepCount, s.xAxis.Max - s.xAxis.Zero, s.zero.X, s.max.X);
        s.box = {s.steps.BoxHalfW, 15};
        // The thin navy JPEG line needs the tolerance raised, as a user does.
        s.tolerance = file.contains(QStringLiteral("normdist")) ? 120 : 64;
        const int chartTolerance = s.tolerance;
        const double stepUnits = (double(s.xAxis.Max) - s.xAxis.Zero) / stepCount;
        for (const QJsonValue &sv : chart["series"].toArray()) {
            const QString name = sv["name"].toString();
            // Light yellow triangles on a light grey plot: the user lowers the
            // tolerance until the plot area no longer matches.
            s.tolerance =
                sv["colour"].toString() == QStringLiteral("#FFFFCD") ? 24 : chartTolerance;
            const tools::TrueCurve truth(chart, dir + u'/' + chart["truth"].toString(), name);
            // The user takes the line colour a little inside the curve's start,
            // where its colour is purest, and puts the crosshair on the curve at
            // the first step inside it (steps from Home, Ctrl+Up).
            // Markers only: the step nearest the first marker, the sample on it.
            const double fromFirst = (truth.FirstX() - s.xAxis.Zero) / stepUnits;
            const int first = truth.Markers() ? static_cast<int>(std::lround(fromFirst))
                                              : static_cast<int>(std::ceil(fromFirst)) + 1;
            // Around (column, expectedRow): the pixel closest to the series' colour,
            // as a user picks a dot of a dotted line, not the gap between.
            const auto purest = [&](int column, double expectedRow, int across) {
                const QColor want(sv["colour"].toString().left(7));
                const int expected = Round(expectedRow);
                QPoint at(column, expected);
                int best = 1 << 30;
                for (int col = column - across; col <= column + across; ++col)
                    for (int r = expected - 8; r <= expected + 8; ++r) {
                        const auto p = picture.Pixel(col, r);
                        const int d = std::abs(int(p & 0xFF) - want.red()) +
                                      std::abs(int((p >> 8) & 0xFF) - want.green()) +
                                      std::abs(int((p >> 16) & 0xFF) - want.blue()) +
                                      std::abs(col - column);
                        if (d < best)
                            best = d, at = QPoint(col, r);
                    }
                return at;
            };
            const double xStart =
                truth.FirstX() +
                (truth.Markers() ? 0.0 : (double(s.xAxis.Max) - s.xAxis.Zero) / 100);
            const int column =
                Round(s.zero.X + (xStart - s.xAxis.Zero) / (double(s.xAxis.Max) - s.xAxis.Zero) *
                                     (s.max.X - s.zero.X));
            const QPoint sample = purest(column, truth.RowAtValue(xStart), 6);
            s.line = picture.Pixel(sample.x(), sample.y());
            const float firstX = digitize::StepX(s.zero.X, first, s.steps.StepPixels);
            const double firstValue = s.xAxis.Zero + (double(firstX) - s.zero.X) /
                                                         double(s.max.X - s.zero.X) *
                                                         (double(s.xAxis.Max) - s.xAxis.Zero);
            const int row = purest(Round(firstX), truth.RowAtValue(firstValue), 0).y();
            for (const Reading reading : {Reading::Row, Reading::BoxAverage, Reading::SubPixel}) {
                const char *mode = reading == Reading::Row          ? "find"
                                   : reading == Reading::BoxAverage ? "calc"
                                                                    : "sub";
                if (!onlyMode.isEmpty() && onlyMode != QLatin1String(mode))
                    continue;
                s.reading = reading;
                const bool sub = reading == Reading::SubPixel;
                // On the curve at the first step, then Ctrl+Up.
                float curX = sub ? firstX : static_cast<float>(Round(firstX));
                const float curY = static_cast<float>(digitize::FindCurveRow(
                    picture, Round(firstX), row, picture.Height(), s.box, s.line, s.tolerance));
                s.startX = curX;
                s.startY = curY;
                s.startIndex = first;
                if (verbose)
                    std::printf("colour %06x start (%.1f, %.1f) step %d\n", s.line, double(curX),
                                double(curY), first);
                const QString label = QStringLiteral("%1 %2").arg(file, name);
                if (verbose)
                    std::printf("%s %s before\n", qPrintable(label), mode);
                const Score before = Measure(s, RunBefore(s), DecimalsBefore(s), truth, verbose);
                if (verbose)
                    std::printf("%s %s after\n", qPrintable(label), mode);
                const digitize::Decimals now = digitize::CoordDecimals(
                    s.zero, s.max, s.xAxis, s.yAxis, false, sub ? 0.1 : 1.0);
                const Score after = Measure(s, RunAfter(s), now, truth, verbose);
                std::printf("%-44s %-4s | %s | %s\n", qPrintable(label.left(44)), mode,
                            qPrintable(Cells(before, false)), qPrintable(Cells(after, true)));
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
