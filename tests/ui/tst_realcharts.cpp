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

bool ChartsPresent() {
    return QFile::exists(ChartsDir + QStringLiteral("/calibration.json"));
}

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

// How the recorded Y is found: Find-Y's row alone, the box average, or the
// sub-pixel centre.
enum class Mode { FindY, CalcY, SubPixel };

struct Score {
    std::size_t points = 0;
    double mean = 0;
    double worst = 0;
};

} // namespace

class TestRealCharts : public QObject {
    Q_OBJECT

  private:
    QStringList table;

    // Auto Run along one series as a user does it; the error of each point
    // inside the curve, in picture rows.
    Score Digitize(const QString &file, int series, Mode mode, const QString &tolerance) {
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
        if (!tolerance.isEmpty()) {
            auto *field = Control<QLineEdit>(Form4, "Edit1");
            FocusWindow(Form4, field);
            field->selectAll();
            QTest::keyClicks(field, tolerance);
            QTest::keyClick(field, Qt::Key_Return);
            if (ColorTolerance != tolerance.toInt())
                qFatal("the tolerance field did not take %s", qPrintable(tolerance));
        }
        if (mode != Mode::FindY) {
            auto *box = Control<QCheckBox>(Form4, mode == Mode::CalcY ? "CheckBox3" : "CheckBox5");
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
            if (!box->isChecked())
                qFatal("the mode's check box did not tick");
        }
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
            if (parts.size() != 2)
                qFatal("log line '%s' is not 'X , Y'", qPrintable(text));
            const double x = parts[0].trimmed().toDouble() / Scale;
            const double y = parts[1].trimmed().toDouble() / Scale;
            if (x > last - stepUnits)
                continue; // past the curve's far end, or on it, where the box sees half of it
            errors.push_back(std::fabs(y - truth.At(x)) * rowsPerY);
            if (qEnvironmentVariableIsSet("CHARTS_DEBUG"))
                qInfo("%g %g true %g err %.2f px", x, y, truth.At(x), errors.back());
        }
        // Auto Run ends at the Max X position, which may lie before the curve's
        // end; it skips the steps where another curve drawn over this one
        // hides it (the gnuplot curves near the origin).
        const double inRange = (std::min(last, x1) - truth.points.front().first) / stepUnits - 2;
        if (static_cast<double>(errors.size()) < 0.9 * inRange)
            qFatal("only %zu points inside the curve", errors.size());
        Score score;
        score.points = errors.size();
        for (double e : errors) {
            score.mean += e;
            score.worst = std::max(score.worst, e);
        }
        score.mean /= static_cast<double>(errors.size());
        return score;
    }

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        if (!ChartsPresent())
            QSKIP("the chart pictures are not on this machine");
    }

    void autoRunFollowsEachCurve_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("series");
        QTest::addColumn<QString>("tolerance"); // typed into the field; empty: left at 64
        QTest::addColumn<double>("findMean");   // bounds: a little above the measured figures
        QTest::addColumn<double>("calcMean");
        QTest::addColumn<double>("subMean");
        QTest::addColumn<double>("subWorst");
        struct Bounds {
            double findMean, calcMean, subMean, subWorst;
        };
        // gnuplot's lines are one aliased pixel wide and the truth has corners
        // at every step; near the origin the curves lie over each other, and
        // the steps where one is hidden are skipped, not read off another.
        const Bounds gnuplot[] = {
            {0.65, 0.5, 0.55, 2.0}, {0.5, 0.32, 0.4, 1.3}, {0.55, 0.35, 0.42, 1.4}};
        for (const char *file :
             {"gnuplot/gnuplot_x_y_lines_nogrid.bmp", "gnuplot/gnuplot_x_y_lines_grid.bmp"})
            for (int s = 0; s < 3; ++s) {
                const Bounds &b = gnuplot[s];
                QTest::addRow("%s #%d", file, s)
                    << QString::fromLatin1(file) << s << QString() << b.findMean << b.calcMean
                    << b.subMean << b.subWorst;
            }
        // Three anti-aliased lines about 5 pixels wide over a grid.
        const Bounds office[] = {
            {0.45, 0.2, 0.08, 0.15}, {0.45, 0.2, 0.05, 0.15}, {0.45, 0.2, 0.1, 0.2}};
        for (int s = 0; s < 3; ++s) {
            const Bounds &b = office[s];
            QTest::addRow("office/RedGreenBlue.bmp #%d", s)
                << QStringLiteral("office/RedGreenBlue.bmp") << s << QString() << b.findMean
                << b.calcMean << b.subMean << b.subWorst;
        }
        // JPEG pales the thin navy line beyond a tolerance of 64 in many
        // columns, and the search loses it; raised by the user, the search
        // follows it from end to end. Its truth is a fitted curve.
        QTest::addRow("office/normdist.jpg tolerance 120")
            << QStringLiteral("office/normdist.jpg") << 0 << QStringLiteral("120") << 0.75 << 0.7
            << 0.7 << 2.3;
    }

    void autoRunFollowsEachCurve() {
        QFETCH(QString, file);
        QFETCH(int, series);
        QFETCH(QString, tolerance);
        QFETCH(double, findMean);
        QFETCH(double, calcMean);
        QFETCH(double, subMean);
        QFETCH(double, subWorst);
        const Score find = Digitize(file, series, Mode::FindY, tolerance);
        const Score calc = Digitize(file, series, Mode::CalcY, tolerance);
        const Score sub = Digitize(file, series, Mode::SubPixel, tolerance);
        QString row =
            QStringLiteral("%1 #%2 %3 pts").arg(file, -36).arg(series).arg(find.points, 3);
        for (const Score &score : {find, calc, sub})
            row +=
                QStringLiteral(" | %1 %2").arg(score.mean, 5, 'f', 3).arg(score.worst, 6, 'f', 3);
        table << row;
        qInfo("%s", qPrintable(row));
        QVERIFY2(find.mean < findMean, qPrintable(QString::number(find.mean)));
        QVERIFY2(calc.mean < calcMean, qPrintable(QString::number(calc.mean)));
        QVERIFY2(sub.mean < subMean, qPrintable(QString::number(sub.mean)));
        QVERIFY2(sub.worst < subWorst, qPrintable(QString::number(sub.worst)));
    }

    void cleanupTestCase() {
        if (table.isEmpty())
            return;
        qInfo("Points inside each curve, mean and worst error in pixels:");
        qInfo("%-47s | Find-Y       | Calc-Y       | Sub-pixel", "chart, series");
        for (const QString &row : std::as_const(table))
            qInfo("%s", qPrintable(row));
    }
};

QTEST_MAIN(TestRealCharts)
#include "tst_realcharts.moc"
