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

// Errors in pixels; "inner" leaves out the two ends, where half the step
// box lies beyond the end of the curve and pulls the average along it.
struct Score {
    int lines = 0;
    double worst = 0;
    double mean = 0;
    double innerWorst = 0;
    double innerMean = 0;
};

} // namespace

class TestAccuracy : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;
    double overallWorst = 0;

    Score Digitize(const QString &path, const Curve &curve) {
        WindowFixture fixture;
        Form2->LoadImage(path);
        TypeField("Edit1", QStringLiteral("0"));
        TypeField("Edit2", QStringLiteral("10"));
        TypeField("Edit3", QStringLiteral("0"));
        TypeField("Edit4", QStringLiteral("10"));
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

        // Steps of 0.2 are exact in the log's one-decimal X.
        FollowCurveInSteps(QStringLiteral("050"));
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
            const double x = parts[0].trimmed().toDouble();
            const double y = parts[1].trimmed().toDouble();
            const double error = std::fabs(y - curve.f(x)) * PixelsPerY;
            if (qEnvironmentVariableIsSet("ACCURACY_DEBUG"))
                qInfo("%s -> true %.3f, error %.2f px", qPrintable(line), curve.f(x), error);
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
            for (int width : {1, 3, 5})
                for (const char *format : {"JPG", "BMP"})
                    QTest::addRow("%s-%dpx-%s", Curves[c].name, width, format)
                        << c << width << QString::fromLatin1(format);
    }

    void autoRunFollowsDrawnCurvesClosely() {
        QFETCH(int, curve);
        QFETCH(int, width);
        QFETCH(QString, format);
        const Curve &c = Curves[curve];
        const QString path =
            dir.filePath(QStringLiteral("%1-%2.%3").arg(c.name).arg(width).arg(format.toLower()));
        QVERIFY(Draw(c, width, QColor(20, 40, 170)).save(path, qPrintable(format), 90));
        const Score score = Digitize(path, c);
        qInfo("%-11s %dpx %s: %d lines; all: worst %5.2f px (%5.2f%% of Y range), mean %4.2f px;"
              " inner: worst %5.2f px (%5.2f%%), mean %4.2f px",
              c.name, width, qPrintable(format), score.lines, score.worst, score.worst / 4.0,
              score.mean, score.innerWorst, score.innerWorst / 4.0, score.innerMean);
        QCOMPARE(score.lines, 51);
        // Inside the curve the search lands within rounding of the drawn centre;
        // a steep stretch bends inside the step box, and a thin anti-aliased
        // line has columns whose pixels are too pale to match the colour.
        const bool steep = curve == 2;
        const double innerWorst = width == 1 ? 12.0 : steep ? 5.0 : 2.0;
        QVERIFY2(score.innerWorst < innerWorst, qPrintable(QString::number(score.innerWorst)));
        QVERIFY2(score.innerMean < 1.5, qPrintable(QString::number(score.innerMean)));
        QVERIFY2(score.mean < 2.5, qPrintable(QString::number(score.mean)));
    }
};

QTEST_MAIN(TestAccuracy)
#include "tst_accuracy.moc"
