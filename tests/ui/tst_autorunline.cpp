// Auto Run records only where it finds the line: over a dashed curve, a
// break in the data, a curve that ends before X Max and one hidden under a
// legend whose sample line has the curve's colour, every logged point lies on
// the true curve, and the status line says how many steps were skipped.
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <functional>

namespace {

// The plot area: X 0..10 on pixels 100..700, Y 0..10 on rows 500..100.
constexpr double Left = 100, Right = 700, Bottom = 500, Top = 100;

double ColumnOf(double x) {
    return Left + x * (Right - Left) / 10.0;
}
double RowOf(double y) {
    return Bottom - y * (Bottom - Top) / 10.0;
}
double Curve(double x) {
    return 5.0 + 3.0 * std::sin(x);
}

const QColor Ink(20, 40, 170);

// The curve's stretches drawn, anti-aliased, each from..to in graph X.
QPainterPath Stretches(std::initializer_list<std::pair<double, double>> drawn) {
    QPainterPath path;
    for (const auto &[from, to] : drawn)
        for (int i = 0; i <= 400; ++i) {
            const double x = from + (to - from) * i / 400.0;
            const QPointF p(ColumnOf(x), RowOf(Curve(x)));
            if (i == 0)
                path.moveTo(p);
            else
                path.lineTo(p);
        }
    return path;
}

struct Chart {
    const char *name;
    std::function<void(QPainter &)> draw;
    std::function<bool(double)> has; // where the true curve has a value
    int skippedAtLeast;
};

const Chart Charts[] = {
    {"dashed",
     [](QPainter &p) {
         p.setPen(QPen(Ink, 2, Qt::DashLine));
         p.drawPath(Stretches({{0, 10}}));
     },
     [](double) { return true; }, 0},
    {"a break in the data",
     [](QPainter &p) {
         p.drawPath(Stretches({{0, 4}, {5.5, 10}}));
     },
     [](double x) { return x <= 4.02 || x >= 5.48; }, 5},
    {"ends before X Max",
     [](QPainter &p) {
         p.drawPath(Stretches({{0, 6}}));
     },
     [](double x) { return x <= 6.02; }, 18},
    // An opaque legend hides the curve from X 7 to 9 (it goes on under it);
    // its sample line, of the curve's colour, lies in those columns.
    {"a legend over the curve",
     [](QPainter &p) {
         p.drawPath(Stretches({{0, 10}}));
         p.setPen(QPen(QColor(160, 160, 160), 1));
         p.setBrush(Qt::white);
         p.drawRect(QRectF(ColumnOf(7), 110, ColumnOf(9) - ColumnOf(7), 160));
         p.setPen(QPen(Ink, 2));
         p.drawLine(QPointF(ColumnOf(7.2), 125), QPointF(ColumnOf(7.9), 125));
         p.setPen(Qt::black);
         p.drawText(QPointF(ColumnOf(8.0), 130), QStringLiteral("sine"));
     },
     [](double) { return true; }, 8},
};

// How the recorded Y is found: the row, the box average or the sub-pixel centre.
constexpr const char *Modes[] = {nullptr, "CheckBox3", "CheckBox5"};

// The shortest distance from a picture point to the true curve, in pixels;
// infinite where the curve has no value.
double Distance(const Chart &chart, double column, double row) {
    double nearest = std::numeric_limits<double>::infinity();
    const double x = (column - Left) * 10.0 / (Right - Left);
    if (!chart.has(x))
        return nearest;
    for (double u = x - 0.2; u <= x + 0.2; u += 1.0 / 3000)
        if (chart.has(u))
            nearest = std::min(nearest, std::hypot(ColumnOf(u) - column, RowOf(Curve(u)) - row));
    return nearest;
}

} // namespace

class TestAutoRunLine : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;

    void Tick(const char *name) {
        auto *box = Control<QCheckBox>(Form4, name);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
        QVERIFY2(box->isChecked(), name);
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void recordsOnlyWhereTheLineIs_data() {
        QTest::addColumn<int>("chart");
        QTest::addColumn<int>("mode");
        for (int c = 0; c < 4; ++c)
            for (int m = 0; m < 3; ++m)
                QTest::addRow("%s, %s", Charts[c].name, m == 0 ? "Find-Y" : Modes[m]) << c << m;
    }

    void recordsOnlyWhereTheLineIs() {
        QFETCH(int, chart);
        QFETCH(int, mode);
        const Chart &c = Charts[chart];
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.translate(0.5, 0.5); // a whole pixel is the pixel's centre
            painter.setPen(QPen(QColor(90, 90, 90), 1));
            painter.drawRect(QRectF(Left, Top, Right - Left, Bottom - Top));
            painter.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            c.draw(painter);
        }
        const QString path = dir.filePath(QStringLiteral("chart%1.png").arg(chart));
        QVERIFY(image.save(path));

        WindowFixture fixture;
        Form2->LoadImage(path);
        TypeField("Edit1", QStringLiteral("0"));
        TypeField("Edit2", QStringLiteral("10"));
        TypeField("Edit3", QStringLiteral("0"));
        TypeField("Edit4", QStringLiteral("10"));
        QWidget *area = Control<QWidget>(Form2, "Image1");
        FocusWindow(Form2);
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(700, 100));
        QTest::keyClick(Form2, 'a');
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(100, 500));
        QTest::keyClick(Form2, 'z');
        // The user takes the colour on the curve near its start, then starts
        // the run from Home on the curve (Ctrl+Up).
        const int column = static_cast<int>(ColumnOf(0.3));
        int row = static_cast<int>(std::lround(RowOf(Curve(0.3))));
        for (int r = row - 3; r <= row + 3; ++r)
            if (qGray(image.pixel(column, r)) < qGray(image.pixel(column, row)))
                row = r;
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(column, row));
        FollowCurveInSteps(QStringLiteral("050"));
        if (Modes[mode] != nullptr)
            Tick(Modes[mode]);
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_Home);
        QTest::keyClick(Form2, Qt::Key_Up, Qt::ControlModifier);
        QTest::mouseClick(Control<QPushButton>(Form4, "Button2"), Qt::LeftButton);
        QCoreApplication::processEvents();

        const QStringList lines = Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10);
        for (const QString &line : lines) {
            const QStringList parts = line.split(QStringLiteral(" , "));
            QCOMPARE(parts.size(), 2);
            const double x = parts[0].trimmed().toDouble();
            const double y = parts[1].trimmed().toDouble();
            const double off = Distance(c, ColumnOf(x), RowOf(y));
            QVERIFY2(off <= 1.5,
                     qPrintable(QStringLiteral("%1 lies %2 px off the curve").arg(line).arg(off)));
        }
        // The status line counts them: 51 steps from X Zero to X Max.
        const QString status = Control<QLabel>(Form2, "Label2")->text();
        const auto counts =
            QRegularExpression(QStringLiteral("^(\\d+) points, (\\d+) steps without the line "
                                              "skipped$"))
                .match(status);
        QVERIFY2(counts.hasMatch(), qPrintable(status));
        QCOMPARE(counts.captured(1).toInt(), lines.size());
        QCOMPARE(lines.size() + counts.captured(2).toInt(), 51);
        QVERIFY2(counts.captured(2).toInt() >= c.skippedAtLeast, qPrintable(status));
        QVERIFY2(lines.size() >= 25, qPrintable(status));
    }
};

QTEST_MAIN(TestAutoRunLine)
#include "tst_autorunline.moc"
