// Charts from datasheets and papers, digitized through the windows and
// compared with their truth: the rotated scan of ../shared/charts with two
// reference points and with three, a log-log frequency response and a vector
// chart on a PDF page (both rendered by scripts/make-axes-charts), each by
// Auto Run. Errors as ../shared/ACCURACY.md measures them; the tables are
// printed at the end.
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

QJsonObject ReadJson(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QJsonDocument::fromJson(file.readAll()).object();
}

QPointF PointOf(const QJsonValue &pair) {
    return {pair.toArray().at(0).toDouble(), pair.toArray().at(1).toDouble()};
}

std::pair<double, double> Values(const QString &line) {
    const QStringList parts = line.split(QStringLiteral(" , "));
    if (parts.size() != 2)
        qFatal("log line '%s' is not 'X , Y'", qPrintable(line));
    return {parts[0].trimmed().toDouble(), parts[1].trimmed().toDouble()};
}

// A chart's axes: their value ranges and where their corners lie in the
// picture (continuous coordinates, pixel i covering [i, i + 1)).
struct ChartAxes {
    double x0, x1, y0, y1;
    QPointF zero, max;
    bool log = false;
    double Fraction(double v, double a, double b) const {
        return log ? std::log10(v / a) / std::log10(b / a) : (v - a) / (b - a);
    }
    double Value(double f, double a, double b) const {
        return log ? a * std::pow(b / a, f) : a + f * (b - a);
    }
};

// How the recorded Y is found.
enum class Mode { FindY, CalcY, SubPixel };
constexpr const char *ModeNames[] = {"Find-Y", "Calc-Y", "Sub-pixel"};

struct Score {
    int lines = 0;
    int inner = 0;
    double mean = 0, worst = 0;                 // vertical, pixels, inner points
    double meanDistance = 0, worstDistance = 0; // to the curve, pixels
    double meanPercent = 0, worstPercent = 0;   // of the value
};

} // namespace

class TestAxesCharts : public QObject {
    Q_OBJECT

  private:
    QStringList tables;

    static void Click(double x, double y) {
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, Qt::NoModifier,
                          QPoint(static_cast<int>(x), static_cast<int>(y)));
    }
    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        FocusWindow(Form2);
        QTest::keyClick(Form2, key, mods);
    }
    static QStringList Recorded() { return Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10); }

    // Calibrates on the pixels nearest the corners, clicks the curve near
    // Zero X where it is darkest, and runs Auto Run in the given mode.
    // trueRow gives the curve's row at a picture column (continuous).
    Score Digitize(const QString &path, const ChartAxes &axes, const QStringList &fields, Mode mode,
                   const std::function<double(double)> &trueRow, double scale) {
        WindowFixture fixture;
        Form2->LoadImage(path);
        const char *names[] = {"Edit1", "Edit2", "Edit3", "Edit4"};
        for (int i = 0; i < 4; ++i)
            TypeField(names[i], fields[i]);
        if (axes.log) {
            Control<QCheckBox>(Form1, "CheckBox2")->setChecked(true);
            Control<QCheckBox>(Form1, "CheckBox3")->setChecked(true);
        }
        const QPoint zero(static_cast<int>(std::floor(axes.zero.x())),
                          static_cast<int>(std::floor(axes.zero.y())));
        const QPoint max(static_cast<int>(std::floor(axes.max.x())),
                         static_cast<int>(std::floor(axes.max.y())));
        FocusWindow(Form2);
        Click(max.x(), max.y());
        Key(Qt::Key_A);
        Click(zero.x(), zero.y());
        Key(Qt::Key_Z);
        const QImage picture = PictureNow();
        const int column = zero.x() + 12;
        const int expected = static_cast<int>(std::floor(trueRow(column + 0.5)));
        int darkest = expected;
        for (int row = expected - 4; row <= expected + 4; ++row)
            if (qGray(picture.pixel(column, row)) < qGray(picture.pixel(column, darkest)))
                darkest = row;
        Click(column, darkest);
        FollowCurveInSteps(QStringLiteral("100"));
        if (mode != Mode::FindY) {
            auto *box = Control<QCheckBox>(Form4, mode == Mode::CalcY ? "CheckBox3" : "CheckBox5");
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
        }
        Key(Qt::Key_Home);
        Key(Qt::Key_Up, Qt::ControlModifier);
        QTest::mouseClick(Control<QPushButton>(Form4, "Button2"), Qt::LeftButton);

        // Each value back to the picture through the program's own integer
        // calibration, to the pixel's centre.
        Score s;
        const QStringList lines = Recorded();
        s.lines = static_cast<int>(lines.size());
        for (int i = 0; i < lines.size(); ++i) {
            auto [x, y] = Values(lines[i]);
            x /= scale;
            y /= scale;
            const double px =
                zero.x() + axes.Fraction(x, axes.x0, axes.x1) * (max.x() - zero.x()) + 0.5;
            const double py =
                zero.y() + axes.Fraction(y, axes.y0, axes.y1) * (max.y() - zero.y()) + 0.5;
            const double error = std::fabs(py - trueRow(px));
            double distance = error;
            for (double c = px - 20; c <= px + 20; c += 0.05)
                distance = std::min(distance, std::hypot(c - px, trueRow(c) - py));
            // The true value at the logged X, read off the curve's row there.
            const double rowThere = trueRow(px);
            const double yTrue = axes.Value(
                (rowThere - axes.zero.y()) / (axes.max.y() - axes.zero.y()), axes.y0, axes.y1);
            const double percent = 100 * std::fabs(y - yTrue) / std::fabs(yTrue);
            if (qEnvironmentVariableIsSet("ACCURACY_DEBUG"))
                qInfo("%s -> %.3f px, %.3f%%", qPrintable(lines[i]), error, percent);
            // The two points at each end lie on the axis lines.
            if (i < 2 || i >= lines.size() - 2)
                continue;
            ++s.inner;
            s.mean += error;
            s.worst = std::max(s.worst, error);
            s.meanDistance += distance;
            s.worstDistance = std::max(s.worstDistance, distance);
            s.meanPercent += percent;
            s.worstPercent = std::max(s.worstPercent, percent);
        }
        if (s.inner > 0) {
            s.mean /= s.inner;
            s.meanDistance /= s.inner;
            s.meanPercent /= s.inner;
        }
        return s;
    }

    struct Bounds {
        double mean, worst, worstPercent;
    };
    static void Check(const Score &s, const Bounds &b) {
        QVERIFY2(s.mean < b.mean, qPrintable(QString::number(s.mean)));
        QVERIFY2(s.worst < b.worst, qPrintable(QString::number(s.worst)));
        QVERIFY2(s.worstPercent < b.worstPercent, qPrintable(QString::number(s.worstPercent)));
    }

    void Report(const QString &chart, Mode mode, const Score &s) {
        const QString row = QStringLiteral("%1 %2 | %3 pts | %4 %5 | %6 %7 | %8% %9%")
                                .arg(chart, -16)
                                .arg(QString::fromLatin1(ModeNames[static_cast<int>(mode)]), -9)
                                .arg(s.lines, 3)
                                .arg(s.mean, 5, 'f', 3)
                                .arg(s.worst, 5, 'f', 3)
                                .arg(s.meanDistance, 5, 'f', 3)
                                .arg(s.worstDistance, 5, 'f', 3)
                                .arg(s.meanPercent, 5, 'f', 2)
                                .arg(s.worstPercent, 5, 'f', 2);
        tables << row;
        qInfo("%s", qPrintable(row));
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void aRotatedScanReadsRightWithAThirdPoint() {
        const QString charts = QStringLiteral(PLOTWISE_CHARTS_DIR);
        if (!QFile::exists(charts + QStringLiteral("/scan/test1.bmp")))
            QSKIP("the chart pictures are not on this machine");
        QJsonObject scan;
        for (const QJsonValue &chart : ReadJson(charts + QStringLiteral("/calibration.json"))
                                           .value(QStringLiteral("charts"))
                                           .toArray())
            if (chart.toObject().value(QStringLiteral("file")).toString() ==
                QLatin1String("scan/test1.bmp"))
                scan = chart.toObject();
        // The page's axes: graph (x, y) lies at origin + x * ex + y * ey.
        const QJsonArray affine = scan.value(QStringLiteral("affine_points")).toArray();
        const auto corner = [&](int i) {
            const QJsonArray a = affine.at(i).toArray();
            return QPointF(a.at(2).toDouble(), a.at(3).toDouble());
        };
        const QPointF origin = corner(0);
        const QPointF ex = (corner(1) - origin) / 120.0;
        const QPointF ey = (corner(2) - origin) / 120.0;
        const auto at = [&](double x, double y) { return origin + x * ex + y * ey; };
        // Whole pixels as the crosshair takes them: the integer is the pixel's centre.
        const auto pixel = [](QPointF p) { return QPoint(qRound(p.x()), qRound(p.y())); };
        QList<QPointF> truth;
        QFile csv(charts + QStringLiteral("/scan/test1_truth.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        for (const QByteArray &line : csv.readAll().split('\n').mid(1))
            if (const QList<QByteArray> cells = line.trimmed().split(','); cells.size() == 3)
                truth << QPointF(cells[1].toDouble(), cells[2].toDouble());
        QCOMPARE(truth.size(), 6);

        struct Way {
            const char *name;
            double span; // the axes' Max value, both axes
            QPointF max; // where the Max point lies
            bool third;  // C on (X Max, Y Zero)
        };
        const Way ways[] = {
            {"two points, Max on the 120 ticks", 120, QPointF(corner(1).x(), corner(2).y()), false},
            {"two points, Max at the frame's corner", 140, at(140, 140), false},
            {"three points at the frame's corners", 140, at(140, 140), true},
        };
        QStringList rows;
        QList<double> worst;
        for (const Way &way : ways) {
            WindowFixture fixture;
            Form2->LoadImage(charts + QStringLiteral("/scan/test1.bmp"));
            const QString span = QString::number(way.span);
            TypeField("Edit1", QStringLiteral("0"));
            TypeField("Edit2", span);
            TypeField("Edit3", QStringLiteral("0"));
            TypeField("Edit4", span);
            FocusWindow(Form2);
            Click(pixel(way.max).x(), pixel(way.max).y());
            Key(Qt::Key_A);
            Click(pixel(origin).x(), pixel(origin).y());
            Key(Qt::Key_Z);
            if (way.third) {
                Click(pixel(at(way.span, 0)).x(), pixel(at(way.span, 0)).y());
                Key(Qt::Key_C);
                QVERIFY(Form2->ThirdPoint());
            }
            QString row = QStringLiteral("%1 |").arg(QString::fromLatin1(way.name), -38);
            double w = 0;
            for (const QPointF &t : truth) {
                const QPoint p = pixel(at(t.x(), t.y()));
                Click(p.x(), p.y());
                Key(Qt::Key_Space);
                const auto [x, y] = Values(Recorded().constLast());
                // Percent of the axis span from 0 to 140 the chart shows.
                const double ex100 = 100 * std::fabs(x - t.x()) / 140;
                const double ey100 = 100 * std::fabs(y - t.y()) / 140;
                w = std::max({w, ex100, ey100});
                row += QStringLiteral(" %1,%2").arg(ex100, 4, 'f', 2).arg(ey100, 4, 'f', 2);
            }
            rows << row + QStringLiteral(" | worst %1%").arg(w, 4, 'f', 2);
            worst << w;
        }
        tables << QStringLiteral("scan/test1.bmp: error of each true point, X,Y in % of the "
                                 "span 0..140 (points (10,20) (23,55) (33,12) (57,60) (99,107) "
                                 "(123,120))")
               << rows;
        for (const QString &row : std::as_const(rows))
            qInfo("%s", qPrintable(row));
        QVERIFY2(worst[2] <= 0.5, "three points read within 0.5% of the span");
        QVERIFY2(worst[0] > 3 * 0.5, "two points on the ticks are several times off");
    }

    void aLogLogFrequencyResponseByAutoRun() {
        const QJsonObject truth = ReadJson(QStringLiteral(TEST_DATA_DIR "/loglog-filter.json"));
        ChartAxes axes{10,
                       1e5,
                       1e-5,
                       10,
                       PointOf(truth.value(QStringLiteral("zero"))),
                       PointOf(truth.value(QStringLiteral("max"))),
                       true};
        const auto trueRow = [&](double column) {
            const double f = axes.Value((column - axes.zero.x()) / (axes.max.x() - axes.zero.x()),
                                        axes.x0, axes.x1);
            const double h = 1 / std::sqrt(1 + std::pow(f / 1000, 4));
            return axes.zero.y() +
                   axes.Fraction(h, axes.y0, axes.y1) * (axes.max.y() - axes.zero.y());
        };
        for (const Mode mode : {Mode::FindY, Mode::CalcY, Mode::SubPixel}) {
            const Score s = Digitize(QStringLiteral(TEST_DATA_DIR "/loglog-filter.png"), axes,
                                     {"10", "100000", "0.00001", "10"}, mode, trueRow, 1);
            Report(QStringLiteral("log-log filter"), mode, s);
            // Auto Run skips a step where an axis line hides the curve.
            QVERIFY2(s.lines >= 99 && s.lines <= 101, qPrintable(QString::number(s.lines)));
            // Bounds a little above the measured figures: mean and worst in
            // pixels, worst in percent of the value. Find-Y lands on whole
            // rows; three significant digits are worth up to a pixel.
            const Bounds bounds[] = {{0.65, 1.0, 2.5}, {0.25, 0.7, 1.6}, {0.05, 0.12, 0.3}};
            Check(s, bounds[static_cast<int>(mode)]);
        }
    }

    void aVectorChartOnAPdfPageByAutoRun() {
        const QJsonObject truth = ReadJson(QStringLiteral(TEST_DATA_DIR "/vector-chart.json"));
        // The page is rendered at 300 dpi: a point is 300 / 72 pixels.
        const double dpp = 300.0 / 72.0;
        ChartAxes axes{0,
                       20,
                       0,
                       5,
                       PointOf(truth.value(QStringLiteral("zero"))) * dpp,
                       PointOf(truth.value(QStringLiteral("max"))) * dpp,
                       false};
        QList<QPointF> samples;
        for (const QJsonValue &v : truth.value(QStringLiteral("samples")).toArray())
            samples << PointOf(v);
        const auto trueRow = [&](double column) {
            const double x = axes.Value((column - axes.zero.x()) / (axes.max.x() - axes.zero.x()),
                                        axes.x0, axes.x1);
            const auto next = std::lower_bound(samples.begin() + 1, samples.end() - 1, x,
                                               [](QPointF s, double v) { return s.x() < v; });
            const QPointF a = *(next - 1);
            const QPointF b = *next;
            const double y = a.y() + (x - a.x()) / (b.x() - a.x()) * (b.y() - a.y());
            return axes.zero.y() +
                   axes.Fraction(y, axes.y0, axes.y1) * (axes.max.y() - axes.zero.y());
        };
        // Values times 100: the log's decimals then hide nothing the modes find.
        for (const Mode mode : {Mode::FindY, Mode::CalcY, Mode::SubPixel}) {
            const Score s = Digitize(QStringLiteral(TEST_DATA_DIR "/vector-chart.pdf"), axes,
                                     {"0", "2000", "0", "500"}, mode, trueRow, 100);
            Report(QStringLiteral("PDF vector chart"), mode, s);
            QVERIFY2(s.lines >= 99 && s.lines <= 101, qPrintable(QString::number(s.lines)));
            const Bounds bounds[] = {{0.45, 1.4, 0.3}, {0.35, 1.0, 0.25}, {0.2, 0.7, 0.15}};
            Check(s, bounds[static_cast<int>(mode)]);
        }
    }

    void cleanupTestCase() {
        qInfo("Auto Run, inner points: chart, mode | points | vertical error mean worst (px) | "
              "distance to the curve mean worst (px) | error in %% of the value mean worst");
        for (const QString &row : std::as_const(tables))
            qInfo("%s", qPrintable(row));
    }
};

QTEST_MAIN(TestAxesCharts)
#include "tst_axescharts.moc"
