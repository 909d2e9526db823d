// End to end: curves of known value, drawn anti-aliased the way a plotting
// program draws them, saved as JPEG and bitmap, calibrated with keys and
// digitized by Auto Run; every log line is compared with the true value.
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <functional>

namespace {

// The plot area: X 0..10 on pixels 100..700, Y 0..10 on rows 500..100.
constexpr double Left = 100, Right = 700, Bottom = 500, Top = 100;
constexpr double PixelsPerY = (Bottom - Top) / 10.0;

double ColumnOf(double x) {
    return Left + x * (Right - Left) / 10.0;
}
double RowOf(double y) {
    return Bottom - y * PixelsPerY;
}

struct Curve {
    const char *name;
    std::function<double(double)> f;
};

const Curve Curves[] = {
    {"sine", [](double x) { return 5.0 + 3.0 * std::sin(x); }},
    {"line", [](double x) { return 1.0 + 0.8 * x; }},
    {"exponential", [](double x) { return 0.01 * std::exp(0.69 * x); }},
};

QImage Draw(const Curve &curve, int width, QColor colour) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Pixel (x, y) is centred on (x + 0.5, y + 0.5) in painter coordinates;
    // the calibration takes a whole pixel as the pixel's centre.
    painter.translate(0.5, 0.5);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.drawRect(QRectF(Left, Top, Right - Left, Bottom - Top)); // the plot frame
    QPainterPath path;
    for (int i = 0; i <= 2000; ++i) {
        const double x = 10.0 * i / 2000.0;
        const QPointF p(ColumnOf(x), RowOf(curve.f(x)));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    return image;
}

// How the recorded Y is found: Find-Y's row alone, the box average, or the
// sub-pixel centre.
enum class Mode { FindY, CalcY, SubPixel };
constexpr const char *ModeNames[] = {"Find-Y", "Calc-Y", "Sub-pixel"};

// Errors in pixels; "inner" leaves out the two ends, on the plot frame.
struct Score {
    int lines = 0;
    double worst = 0;
    double mean = 0;
    double innerWorst = 0;
    double innerMean = 0;
};

// The axis fields hold graph values times this, so that the log's one X and
// two Y decimals (0.004 of a pixel) hide nothing the modes find.
constexpr double Scale = 100.0;

} // namespace

class TestAccuracy : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;
    QStringList table;

    Score Digitize(const QString &path, const Curve &curve, Mode mode) {
        WindowFixture fixture;
        Form2->LoadImage(path);
        const QString max = QString::number(10 * Scale);
        TypeField("Edit1", QStringLiteral("0"));
        TypeField("Edit2", max);
        TypeField("Edit3", QStringLiteral("0"));
        TypeField("Edit4", max);
        QWidget *image = Control<QWidget>(Form2, "Image1");
        FocusWindow(Form2);
        QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, QPoint(701, 101));
        QTest::keyClick(Form2, Qt::Key_Left);
        QTest::keyClick(Form2, Qt::Key_Up);
        QTest::keyClick(Form2, 'a');
        QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, QPoint(100, 500));
        QTest::keyClick(Form2, 'z');

        // The user clicks the curve where it is darkest near its start.
        const QImage picture = PictureNow();
        const int column = static_cast<int>(ColumnOf(0.25));
        const int expected = static_cast<int>(std::lround(RowOf(curve.f(0.25))));
        int darkest = expected;
        for (int row = expected - 4; row <= expected + 4; ++row)
            if (qGray(picture.pixel(column, row)) < qGray(picture.pixel(column, darkest)))
                darkest = row;
        QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, QPoint(column, darkest));

        // Steps of 0.2 (12 pixels) are exact in the log's one-decimal X.
        FollowCurveInSteps(QStringLiteral("050"));
        if (mode != Mode::FindY) {
            auto *box = Control<QCheckBox>(Form4, mode == Mode::CalcY ? "CheckBox3" : "CheckBox5");
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
            if (!box->isChecked())
                qFatal("%s did not tick", ModeNames[static_cast<int>(mode)]);
        }
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_Home);
        QTest::keyClick(Form2, Qt::Key_Up, Qt::ControlModifier);
        QTest::mouseClick(Control<QPushButton>(Form4, "Button2"), Qt::LeftButton);

        Score score;
        const QStringList lines = Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10);
        double sum = 0;
        double innerSum = 0;
        for (const QString &line : lines) {
            const QStringList parts = line.split(QStringLiteral(" , "));
            if (parts.size() != 2)
                qFatal("log line '%s' is not 'X , Y'", qPrintable(line));
            const double x = parts[0].trimmed().toDouble() / Scale;
            const double y = parts[1].trimmed().toDouble() / Scale;
            const double error = std::fabs(y - curve.f(x)) * PixelsPerY;
            if (qEnvironmentVariableIsSet("ACCURACY_DEBUG"))
                qInfo("%s -> true %.4f, error %.3f px", qPrintable(line), curve.f(x), error);
            score.worst = std::max(score.worst, error);
            sum += error;
            if (x > 0.1 && x < 9.9) {
                score.innerWorst = std::max(score.innerWorst, error);
                innerSum += error;
            }
            ++score.lines;
        }
        score.mean = score.lines > 0 ? sum / score.lines : 0;
        score.innerMean = score.lines > 2 ? innerSum / (score.lines - 2) : 0;
        return score;
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void autoRunFollowsDrawnCurvesClosely_data() {
        QTest::addColumn<int>("curve");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("format");
        for (int c = 0; c < 3; ++c)
            for (int width : {1, 2, 3, 4})
                for (const char *format : {"JPG", "BMP"})
                    QTest::addRow("%s-%dpx-%s", Curves[c].name, width, format)
                        << c << width << QString::fromLatin1(format);
    }

    // Each curve digitized three times, once a mode; the inner points' mean
    // and worst error of each mode go into the table.
    void autoRunFollowsDrawnCurvesClosely() {
        QFETCH(int, curve);
        QFETCH(int, width);
        QFETCH(QString, format);
        const Curve &c = Curves[curve];
        const QString path =
            dir.filePath(QStringLiteral("%1-%2.%3").arg(c.name).arg(width).arg(format.toLower()));
        QVERIFY(Draw(c, width, QColor(20, 40, 170)).save(path, qPrintable(format), 90));
        std::array<Score, 3> scores;
        for (Mode mode : {Mode::FindY, Mode::CalcY, Mode::SubPixel})
            scores[static_cast<std::size_t>(mode)] = Digitize(path, c, mode);
        QString row = QStringLiteral("%1 %2px %3")
                          .arg(QString::fromLatin1(c.name), -11)
                          .arg(width)
                          .arg(format);
        for (const Score &score : scores)
            row += QStringLiteral(" | %1 %2")
                       .arg(score.innerMean, 5, 'f', 3)
                       .arg(score.innerWorst, 5, 'f', 3);
        table << row;
        qInfo("%s", qPrintable(row));

        for (const Score &score : scores)
            QCOMPARE(score.lines, 51);
        // Bounds a little above the measured figures (inner points, pixels).
        // The exponential is steep at its end and runs along the X axis line
        // at its start, within a few pixels of it up to X = 2.6.
        const bool steep = curve == 2;
        // Find-Y: Auto Run settles on the line's own centre in the step's
        // column, to the whole row; a steep stretch moves a row a column.
        const Score &find = scores[0];
        const double findWorst = steep ? 2.5 : 1.0;
        QVERIFY2(find.innerWorst < findWorst, qPrintable(QString::number(find.innerWorst)));
        QVERIFY2(find.innerMean < 0.6, qPrintable(QString::number(find.innerMean)));
        QVERIFY2(find.mean < 0.8, qPrintable(QString::number(find.mean)));
        // Calc-Y averages the line's pixels, centre-weighted, in columns
        // paired across the one the step rounds to.
        const Score &calc = scores[1];
        const double calcWorst = steep ? 2.6 : 1.4;
        QVERIFY2(calc.innerWorst < calcWorst, qPrintable(QString::number(calc.innerWorst)));
        QVERIFY2(calc.innerMean < 0.5, qPrintable(QString::number(calc.innerMean)));
        // Sub-pixel Y: the line's centre at the step's exact X.
        const Score &sub = scores[2];
        const double subWorst = steep ? 0.7 : 0.1;
        QVERIFY2(sub.innerWorst < subWorst, qPrintable(QString::number(sub.innerWorst)));
        QVERIFY2(sub.innerMean < 0.1, qPrintable(QString::number(sub.innerMean)));
    }

    void cleanupTestCase() {
        qInfo("Inner points, mean and worst error in pixels:");
        qInfo("%-19s | Find-Y      | Calc-Y      | Sub-pixel", "curve");
        for (const QString &row : std::as_const(table))
            qInfo("%s", qPrintable(row));
    }
};

QTEST_MAIN(TestAccuracy)
#include "tst_accuracy.moc"
