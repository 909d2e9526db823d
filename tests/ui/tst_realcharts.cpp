// End to end on real chart pictures made by other programs (gnuplot, an
// office suite), with the data behind them: calibrate with keys at the
// reference pixels the charts' notes give, let Auto Run follow each curve,
// and compare every log line with the true curve. The pictures live outside
// the project (PLOTWISE_CHARTS_DIR); without them the test is skipped.
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The folder may be moved for a run with PLOTWISE_CHARTS_DIR in the environment.
const QString ChartsDir =
    qEnvironmentVariable("PLOTWISE_CHARTS_DIR", QStringLiteral(PLOTWISE_CHARTS_DIR));

// The fields hold the axis values times this, so that the log's one X
// decimal and two Y decimals do not round away what the search found.
constexpr double Scale = 1000.0;

struct Truth {
    std::vector<std::pair<double, double>> points; // sorted by x, joined by straight lines
    double At(double x) const {
        auto next = std::lower_bound(points.begin(), points.end(), std::pair(x, -1e300));
        if (next == points.begin())
            return next->second;
        if (next == points.end())
            return points.back().second;
        const auto prev = next - 1;
        const double t = (x - prev->first) / (next->first - prev->first);
        return prev->second + t * (next->second - prev->second);
    }
};

std::map<QString, Truth> ReadTruth(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    std::map<QString, Truth> series;
    file.readLine(); // header
    while (!file.atEnd()) {
        const QStringList cells =
            QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char(','));
        if (cells.size() == 3)
            series[cells[0]].points.emplace_back(cells[1].toDouble(), cells[2].toDouble());
    }
    for (auto &[name, truth] : series)
        std::sort(truth.points.begin(), truth.points.end());
    return series;
}

QJsonObject Chart(const QString &file) {
    QFile json(ChartsDir + QStringLiteral("/calibration.json"));
    if (!json.open(QIODevice::ReadOnly))
        qFatal("cannot read the charts' calibration");
    for (const QJsonValue &chart : QJsonDocument::fromJson(json.readAll())["charts"].toArray())
        if (chart["file"].toString() == file)
            return chart.toObject();
    qFatal("no chart %s", qPrintable(file));
}

QPoint RefPixel(const QJsonValue &ref) {
    const QJsonArray px = ref["px"].toArray();
    return {static_cast<int>(std::lround(px[0].toDouble())),
            static_cast<int>(std::lround(px[1].toDouble()))};
}

} // namespace

class TestRealCharts : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        if (!QFile::exists(ChartsDir + QStringLiteral("/calibration.json")))
            QSKIP("the chart pictures are not on this machine");
    }

    void autoRunFollowsEachCurve_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("series");
        for (const char *file : {"gnuplot/gnuplot_x_y_lines_nogrid.bmp",
                                 "gnuplot/gnuplot_x_y_lines_grid.bmp", "office/RedGreenBlue.bmp"})
            for (int s = 0; s < 3; ++s)
                QTest::addRow("%s #%d", file, s) << QString::fromLatin1(file) << s;
        QTest::addRow("office/normdist.jpg") << QStringLiteral("office/normdist.jpg") << 0;
    }

    void autoRunFollowsEachCurve() {
        QFETCH(QString, file);
        QFETCH(int, series);
        const QJsonObject chart = Chart(file);
        const QJsonObject line = chart["series"].toArray()[series].toObject();
        const Truth truth =
            ReadTruth(ChartsDir + "/" + chart["truth"].toString()).at(line["name"].toString());
        const QJsonArray xRef = chart["x_ref"].toArray();
        const QJsonArray yRef = chart["y_ref"].toArray();
        const double x0 = xRef[0]["value"].toDouble(), x1 = xRef[1]["value"].toDouble();
        const double y0 = yRef[0]["value"].toDouble(), y1 = yRef[1]["value"].toDouble();
        const QPoint zero(RefPixel(xRef[0]).x(), RefPixel(yRef[0]).y());
        const QPoint max(RefPixel(xRef[1]).x(), RefPixel(yRef[1]).y());
        const double rowsPerY = (zero.y() - max.y()) / (y1 - y0);

        WindowFixture fixture;
        Form2->LoadImage(ChartsDir + "/" + file);
        const auto scaled = [](double value) { return QString::number(value * Scale, 'f', 0); };
        TypeField("Edit1", scaled(x0));
        TypeField("Edit2", scaled(x1));
        TypeField("Edit3", scaled(y0));
        TypeField("Edit4", scaled(y1));
        QWidget *image = Control<QWidget>(Form2, "Image1");
        FocusWindow(Form2);
        QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, max);
        QTest::keyClick(Form2, 'a');
        QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, zero);
        QTest::keyClick(Form2, 'z');

        // Click the curve a little inside its start, where its colour is
        // purest, as a user would, and take its colour.
        const double xStart = truth.points.front().first + (x1 - x0) / 100.0;
        const int column = static_cast<int>(
            std::lround(zero.x() + (xStart - x0) / (x1 - x0) * (max.x() - zero.x())));
        const int expected =
            static_cast<int>(std::lround(zero.y() - (truth.At(xStart) - y0) * rowsPerY));
        const QColor want(line["colour"].toString().left(7));
        const QImage picture = PictureNow();
        int row = expected;
        int best = 1 << 30;
        for (int r = expected - 8; r <= expected + 8; ++r) {
            const QColor c = picture.pixelColor(column, r);
            const int d = std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) +
                          std::abs(c.blue() - want.blue());
            if (d < best) {
                best = d;
                row = r;
            }
        }
        QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, QPoint(column, row));
        if (qEnvironmentVariableIsSet("CHARTS_DEBUG"))
            qInfo("line colour taken at (%d, %d): %s", column, row,
                  qPrintable(picture.pixelColor(column, row).name()));
        FollowCurveInSteps(QStringLiteral("100"));
        // Start on the first step inside the curve (at its very end the box sees
        // only half of it), the way the help text tells: Home, steps, Ctrl+Up.
        const double stepUnits = (x1 - x0) / 100.0;
        const int firstStep =
            static_cast<int>(std::ceil((truth.points.front().first - x0) / stepUnits)) + 1;
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_Home);
        for (int i = 0; i < firstStep; ++i)
            QTest::keyClick(Form2, Qt::Key_Right, Qt::ControlModifier);
        QTest::keyClick(Form2, Qt::Key_Up, Qt::ControlModifier);
        QTest::mouseClick(Control<QPushButton>(Form4, "Button2"), Qt::LeftButton);

        const QStringList lines = Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10);
        std::vector<double> errors;
        const double last = truth.points.back().first;
        for (const QString &text : lines) {
            const QStringList parts = text.split(QStringLiteral(" , "));
            QCOMPARE(parts.size(), 2);
            const double x = parts[0].trimmed().toDouble() / Scale;
            const double y = parts[1].trimmed().toDouble() / Scale;
            if (x > last - stepUnits)
                continue; // past the curve's far end, or on it, where the box sees half of it
            errors.push_back(std::fabs(y - truth.At(x)) * rowsPerY);
            if (qEnvironmentVariableIsSet("CHARTS_DEBUG"))
                qInfo("%g %g true %g err %.2f px", x, y, truth.At(x), errors.back());
        }
        // Auto Run ends at the Max X position, which may lie before the curve's end.
        const double inRange = (std::min(last, x1) - truth.points.front().first) / stepUnits - 2;
        QVERIFY2(static_cast<double>(errors.size()) >= inRange,
                 qPrintable(QString::number(errors.size())));
        std::vector<double> sorted = errors;
        std::sort(sorted.begin(), sorted.end());
        double sum = 0;
        for (double e : errors)
            sum += e;
        const double mean = sum / static_cast<double>(errors.size());
        const double p95 = sorted[sorted.size() * 95 / 100];
        qInfo("%-40s %-26s %3zu points: mean %.2f px, 95%% within %.2f px, worst %.2f px "
              "(%.2f%% of the Y range)",
              qPrintable(file), qPrintable(line["name"].toString()), errors.size(), mean, p95,
              sorted.back(), 100.0 * sorted.back() / (zero.y() - max.y()));
        QEXPECT_FAIL("office/normdist.jpg",
                     "JPEG noise moves the thin navy line's pixels beyond the colour tolerance "
                     "of 64 a channel, so the search loses the line in many columns",
                     Continue);
        QVERIFY2(mean < 1.5, qPrintable(QString::number(mean)));
    }
};

QTEST_MAIN(TestRealCharts)
#include "tst_realcharts.moc"
