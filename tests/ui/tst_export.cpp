// Saving the recorded points with Ctrl+S: two named series in both CSV
// layouts, read back by Python's csv module and compared number by number,
// with the regional defaults of a decimal point and of a decimal comma; the
// log's text; nothing to save; the folder and choices remembered; the close
// question. Real keys throughout, in the save dialog too.
#include "ExportDriving.h"
#include "UiTestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const QString LongFilter = QStringLiteral("CSV, one row a point (*.csv)");
const QString WideFilter = QStringLiteral("CSV, one column pair a series (*.csv)");
const QString TextFilter = QStringLiteral("Log text (*.txt)");
const QString Point = QStringLiteral("Point (3.14)");
const QString Comma = QStringLiteral("Comma (3,14)");
const QString NoPoints = QStringLiteral("There are no recorded points to save.");

// The two series every test records, at pixels whose values the default
// calibration gives back: X with one decimal, Y with two.
const QString First = QStringLiteral("Rise");
const QString Second = QStringLiteral("Fall, \"dry\"; B"); // quoted in every CSV style
const QList<QPoint> FirstPoints = {{10, 20}, {30, 45}, {55, 70}};
const QList<QPoint> SecondPoints = {{60, 5}, {82, 15}};

void RecordAt(QPoint at) {
    FocusWindow(Form2);
    QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, {}, at);
    QTest::keyClick(Form2, Qt::Key_Space);
}

// Types a name into the series name field, which has the keyboard, and Enter.
void TypeSeriesName(const QString &name) {
    auto *edit = Control<QLineEdit>(Form1, "Edit5");
    QTRY_VERIFY2(edit->hasFocus(), "the series name field takes the keys");
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

// The first series named in place, the second started with N in the image
// window or with the New Series button.
void RecordTwoSeries(bool byKey) {
    FocusWindow(Form1, Control<QLineEdit>(Form1, "Edit5"));
    TypeSeriesName(First);
    for (QPoint p : FirstPoints)
        RecordAt(p);
    if (byKey) {
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_N);
    } else {
        FocusWindow(Form1);
        QTest::mouseClick(Control<QPushButton>(Form1, "Button4"), Qt::LeftButton);
    }
    TypeSeriesName(Second);
    for (QPoint p : SecondPoints)
        RecordAt(p);
}

QString Cell(int value, int decimals, QChar mark) {
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), mark);
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;

    void Restart() {
        fixture.reset();
        fixture = std::make_unique<WindowFixture>(WindowFixture::KeepSettings);
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { fixture = std::make_unique<WindowFixture>(); }
    void cleanup() {
        fixture.reset();
        QLocale::setDefault(QLocale::c());
    }

    void twoNamedSeriesReadBackNumberByNumber_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QString>("pickDecimal");
        QTest::addColumn<QString>("pickSeparator");
        QTest::addColumn<QString>("shownDecimal");
        QTest::addColumn<QString>("shownSeparator");
        QTest::addColumn<QChar>("mark");
        QTest::addColumn<QChar>("separator");
        const QString comma = QStringLiteral("Comma (,)");
        const QString semicolon = QStringLiteral("Semicolon (;)");
        const QString none;
        QTest::newRow("point, long, N") << "C" << LongFilter << true << none << none << Point
                                        << comma << QChar('.') << QChar(',');
        QTest::newRow("point, wide, button") << "en_US" << WideFilter << false << none << none
                                             << Point << comma << QChar('.') << QChar(',');
        QTest::newRow("comma, long, button") << "de_DE" << LongFilter << false << none << none
                                             << Comma << semicolon << QChar(',') << QChar(';');
        QTest::newRow("comma, wide, N") << "fr_FR" << WideFilter << true << none << none << Comma
                                        << semicolon << QChar(',') << QChar(';');
        QTest::newRow("comma locale, point and tab picked")
            << "de_DE" << WideFilter << false << Point << QStringLiteral("Tab") << Comma
            << semicolon << QChar('.') << QChar('\t');
        QTest::newRow("point locale, comma picked: the separator follows")
            << "C" << LongFilter << true << Comma << none << Point << comma << QChar(',')
            << QChar(';');
    }
    void twoNamedSeriesReadBackNumberByNumber() {
        QFETCH(QString, locale);
        QFETCH(QString, filter);
        QFETCH(bool, byKey);
        QFETCH(QString, pickDecimal);
        QFETCH(QString, pickSeparator);
        QFETCH(QString, shownDecimal);
        QFETCH(QString, shownSeparator);
        QFETCH(QChar, mark);
        QFETCH(QChar, separator);
        QLocale::setDefault(QLocale(locale));
        RecordTwoSeries(byKey);
        const QStringList log = Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10);
        QCOMPARE(log, QStringList({First, "10.0 , 20.00", "30.0 , 45.00", "55.0 , 70.00", Second,
                                   "60.0 ,  5.00", "82.0 , 15.00"}));

        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
        const Shown shown = SaveWith(Form2, {dir.path(), filter, pickDecimal, pickSeparator, name});
        QVERIFY2(shown.dialog, qPrintable(shown.message));
        QCOMPARE(shown.over, Form2);
        QCOMPARE(shown.filter, LongFilter);
        QCOMPARE(shown.decimal, shownDecimal);
        QCOMPARE(shown.separator, shownSeparator);
        QVERIFY(shown.optionsEnabled);
        QVERIFY2(shown.unnamed.isEmpty(), qPrintable(shown.unnamed.join(", ")));

        const QString path = dir.filePath(name + QStringLiteral(".csv"));
        const QByteArray bytes = Read(path);
        QVERIFY2(bytes.endsWith("\r\n") && !bytes.startsWith("\xEF\xBB\xBF"), bytes.constData());
        const QList<QStringList> rows = ReadCsv(path, separator);
        // Each point's cells as the log shows them, with the decimal mark.
        const auto cells = [&](QPoint p) {
            return QStringList({Cell(p.x(), 1, mark), Cell(p.y(), 2, mark)});
        };
        QList<QStringList> expected;
        if (filter == LongFilter) {
            expected << QStringList({"Series", "X", "Y"});
            for (QPoint p : FirstPoints)
                expected << QStringList(First) + cells(p);
            for (QPoint p : SecondPoints)
                expected << QStringList(Second) + cells(p);
        } else {
            expected << QStringList({First + " X", First + " Y", Second + " X", Second + " Y"});
            for (qsizetype i = 0; i < FirstPoints.size(); ++i)
                expected << cells(FirstPoints[i]) + (i < SecondPoints.size()
                                                         ? cells(SecondPoints[i])
                                                         : QStringList({"", ""}));
        }
        QCOMPARE(rows, expected);
        // And as numbers: every value cell is the pixel it was recorded at.
        const int firstValue = filter == LongFilter ? 1 : 0;
        for (qsizetype r = 1; r < rows.size(); ++r)
            for (qsizetype c = firstValue; c < rows[r].size(); ++c) {
                if (rows[r][c].isEmpty())
                    continue;
                bool ok = false;
                const double value = QString(rows[r][c]).replace(mark, '.').toDouble(&ok);
                const bool fromFirst = filter == LongFilter ? rows[r][0] == First : c < 2;
                const QPoint p =
                    fromFirst
                        ? FirstPoints[r - 1]
                        : SecondPoints[filter == LongFilter ? r - 1 - FirstPoints.size() : r - 1];
                const bool isX = (c - firstValue) % 2 == 0;
                QVERIFY2(ok && value == (isX ? p.x() : p.y()), qPrintable(rows[r][c]));
            }
    }

    void theLogsTextIsWhatTheLogShows() {
        RecordTwoSeries(false);
        const Shown shown = SaveWith(Form1, {dir.path(), TextFilter, {}, {}, "field-notes"});
        QCOMPARE(shown.over, Form1);
        QCOMPARE(shown.file, QStringLiteral("points.csv"));
        QCOMPARE(shown.fileAfterPicks, QStringLiteral("points.txt"));
        QVERIFY2(!shown.optionsEnabled, "the log's text has no decimal mark or separator to pick");
        const QStringList log = Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10);
        QCOMPARE(Read(dir.filePath("field-notes.txt")), (log.join('\n') + '\n').toUtf8());
        QCOMPARE(Read(dir.filePath("field-notes.txt")),
                 QByteArray("Rise\n10.0 , 20.00\n30.0 , 45.00\n55.0 , 70.00\n"
                            "Fall, \"dry\"; B\n60.0 ,  5.00\n82.0 , 15.00\n"));
    }

    void nothingToSaveSaysSoAndWritesNothing() {
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);
        Shown shown = SaveWith(Form1, {dir.path(), {}, {}, {}, "empty"});
        QCOMPARE(shown.message, NoPoints);
        QVERIFY(!shown.dialog);
        // A new series without points holds nothing either.
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_N);
        TypeSeriesName(QStringLiteral("Later"));
        QCOMPARE(SaveWith(Form2, {dir.path(), {}, {}, {}, "empty"}).message, NoPoints);
        // Nor does a point taken back.
        RecordAt({40, 40});
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_Z, Qt::ControlModifier);
        shown = SaveWith(Form2, {dir.path(), {}, {}, {}, "empty"});
        QCOMPARE(shown.message, NoPoints);
        QVERIFY(!shown.dialog);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);
    }

    void theFolderAndTheChoicesAreRemembered() {
        QVERIFY2(QSettings().fileName().startsWith(QDir::tempPath()),
                 "tests never touch the user's settings");
        const QString folder = dir.filePath(QStringLiteral("remembered"));
        QVERIFY(QDir().mkpath(folder));
        RecordAt({12, 34});
        Shown shown = SaveWith(Form2, {folder, WideFilter, Comma, {}, "a"});
        QCOMPARE(shown.folder, QDir::homePath());
        QCOMPARE(Read(folder + "/a.csv"), QByteArray("Series 1 X;Series 1 Y\r\n12,0;34,00\r\n"));
        // The next start opens where the last save went, as it was left.
        Restart();
        RecordAt({12, 34});
        shown = SaveWith(Form2, {});
        QCOMPARE(shown.folder, folder);
        QCOMPARE(shown.file, QStringLiteral("points.csv"));
        QCOMPARE(shown.filter, WideFilter);
        QCOMPARE(shown.decimal, Comma);
        QCOMPARE(shown.separator, QStringLiteral("Semicolon (;)"));
        // Picking the regional mark again follows the regional settings from then on.
        SaveWith(Form2, {folder, LongFilter, Point, {}, "b"});
        QCOMPARE(Read(folder + "/b.csv"), QByteArray("Series,X,Y\r\nSeries 1,12.0,34.00\r\n"));
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        shown = SaveWith(Form2, {});
        QCOMPARE(shown.folder, folder);
        QCOMPARE(shown.file, QStringLiteral("b.csv")); // the file saved to last in this run
        QCOMPARE(shown.decimal, Comma);
        // A remembered folder that is gone gives the home folder.
        QVERIFY(QDir(folder).removeRecursively());
        Restart();
        RecordAt({12, 34});
        QCOMPARE(SaveWith(Form2, {}).folder, QDir::homePath());
    }

    void closingAsksOnlyWhilePointsAreUnsaved() {
        bool closed = false;
        RecordTwoSeries(true);
        QCOMPARE(CloseAnswering(QMessageBox::Cancel, &closed).size(), 1);
        QVERIFY(!closed);
        QVERIFY(SaveWith(Form2, {dir.path(), WideFilter, {}, {}, "saved"}).dialog);
        QVERIFY(CloseAnswering(QMessageBox::Cancel, &closed).isEmpty());
        QVERIFY(closed);
        // Nor does taking back every saved point: the log holds none.
        const auto logPoints = [] {
            return Lines(Control<QPlainTextEdit>(Form1, "Memo1"))
                .mid(10)
                .filter(QStringLiteral(" , "))
                .size();
        };
        FocusWindow(Form2);
        int undone = 0;
        for (; logPoints() > 0 && undone < 20; ++undone)
            QTest::keyClick(Form2, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(logPoints(), 0);
        QVERIFY(CloseAnswering(QMessageBox::Cancel, &closed).isEmpty());
        FocusWindow(Form2);
        for (int i = 0; i < undone; ++i)
            QTest::keyClick(Form2, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(logPoints(), FirstPoints.size() + SecondPoints.size());
        QVERIFY(CloseAnswering(QMessageBox::Cancel, &closed).isEmpty());
        // A series started and left empty loses nothing.
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_N);
        TypeSeriesName(QStringLiteral("Next"));
        QVERIFY(CloseAnswering(QMessageBox::Cancel, &closed).isEmpty());
        // A point more would be lost, until it is taken back.
        RecordAt({70, 70});
        QCOMPARE(CloseAnswering(QMessageBox::Cancel, &closed),
                 QStringList("The log holds recorded points that have not been saved."));
        QVERIFY(!closed);
        FocusWindow(Form2);
        QTest::keyClick(Form2, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(CloseAnswering(QMessageBox::Cancel, &closed).isEmpty());
        QVERIFY(closed);
        // A save that fails says why and leaves the points unsaved: no file
        // can be made in /proc/sys, whoever runs the test.
        RecordAt({71, 71});
        const Shown failed = SaveWith(Form2, {"/proc/sys", {}, {}, {}, "x"});
        QVERIFY2(failed.message.startsWith(QStringLiteral("Cannot save /proc/sys/x.csv: ")) &&
                     failed.message.size() > 30,
                 qPrintable(failed.message));
        QCOMPARE(CloseAnswering(QMessageBox::Cancel, &closed).size(), 1);
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
