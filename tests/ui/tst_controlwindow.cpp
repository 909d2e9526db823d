// The control window: the window set at start-up, the axis fields, the
// readout and the error box, driven with real key and mouse events.
#include "UiTestSupport.h"
#include "WindowLook.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

class TestControlWindow : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    static void RecordAt(int x, int y) {
        FocusWindow(Form2);
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, {}, QPoint(x, y));
        QTest::keyClick(Form2, Qt::Key_Space);
    }
    QLineEdit *Edit(const char *name) { return Control<QLineEdit>(Form1, name); }
    QString Readout() { return Control<QLabel>(Form1, "Label3")->text(); }
    static QColor Background(QWidget *w) { return w->palette().color(QPalette::Base); }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { fixture = std::make_unique<WindowFixture>(); }
    void cleanup() { fixture.reset(); }

    void windowsStartWithTheirCaptionsAndPlaces() {
        QCOMPARE(Form1->windowTitle(), QStringLiteral("Plotwise"));
        QCOMPARE(Form2->windowTitle(), QStringLiteral("Plotwise"));
        QCOMPARE(Form3->windowTitle(), QStringLiteral("Help Info"));
        QCOMPARE(Form4->windowTitle(), QStringLiteral("Cursor"));
        // Where they go on the screen is tst_windowset's.
        QVERIFY(Form1->isVisible() && Form2->isVisible());
        QVERIFY2(!Form3->isVisible() && !Form4->isVisible(),
                 "help and cursor windows start hidden");
        QCOMPARE(Control<QWidget>(Form2, "Image1")->geometry(), QRect(0, 0, 650, 550));
        QVERIFY2(!Control<QWidget>(Form2, "Panel1")->isVisible(), "error panel starts hidden");
    }

    void controlsCarryTheirTextsLookAndTooltips() {
        QCOMPARE(Edit("Edit1")->text(), QStringLiteral("000"));
        QCOMPARE(Edit("Edit2")->text(), QStringLiteral("100"));
        QCOMPARE(Edit("Edit3")->text(), QStringLiteral("000"));
        QCOMPARE(Edit("Edit4")->text(), QStringLiteral("100"));
        QCOMPARE(Edit("Edit2")->toolTip(), QStringLiteral("X Axis Max Value"));
        QCOMPARE(Edit("Edit3")->toolTip(), QStringLiteral("Y Axis Zero Value"));
        QCOMPARE(Control<QPushButton>(Form1, "Button1")->toolTip(), QStringLiteral("Help Info"));
        QCOMPARE(Control<QPushButton>(Form1, "Button2")->toolTip(),
                 QStringLiteral("Advanced Cursor"));
        QCOMPARE(Control<QLabel>(Form1, "Label3")->toolTip(),
                 QStringLiteral("Graph Coordinates of Cursor"));
        QCOMPARE(Readout(), QStringLiteral("X      Y"));
        QCOMPARE(Control<QCheckBox>(Form1, "CheckBox1")->text(), QStringLiteral("Integer"));
        for (const char *name : {"Edit1", "Edit2", "Edit3", "Edit4"}) {
            QCOMPARE(Background(Edit(name)), QColor(0xFF, 0xCC, 0xCC));
            QCOMPARE(Edit(name)->font().pixelSize(), 13);
            QVERIFY(Edit(name)->font().bold());
        }
        QCOMPARE(Form1->font().pixelSize(), 11);
    }

    void logStartsWithItsTenLines() {
        const QStringList lines = Lines(Control<QPlainTextEdit>(Form1, "Memo1"));
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.first(), QStringLiteral("Drop a chart here, or press Ctrl+O. "));
        QCOMPARE(lines.at(3), QStringLiteral("Set the crosshair on the Max point, press  A. "));
        QCOMPARE(lines.at(5), QStringLiteral("   then press the Space Bar. "));
        QCOMPARE(lines.at(8), QStringLiteral("Copy the table to an editor, or save it: Ctrl+S. "));
        QCOMPARE(lines.at(9), QString());
    }

    void recordAppendsTheCrosshairsCoordinatesBelowTheOpeningLines() {
        Form2->RecordPoint();
        Form2->RecordPoint();
        const QStringList lines = Lines(Control<QPlainTextEdit>(Form1, "Memo1"));
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines.at(9), QString());
        // The crosshair starts at (-10, -10), outside any picture.
        QCOMPARE(lines.at(10), QStringLiteral("-10.0 , -10.00"));
        QCOMPARE(lines.at(11), lines.at(10));
    }

    void theLogScrollsToShowEachNewPoint() {
        auto *log = Control<QPlainTextEdit>(Form1, "Memo1");
        const auto record = [&](int points) {
            FocusWindow(Form2);
            for (int i = 0; i < points; ++i) {
                QTest::keyClick(Form2, Qt::Key_Space);
                // The log catches up with the points once the event loop turns.
                QCoreApplication::sendPostedEvents();
                QTextCursor end(log->document());
                end.movePosition(QTextCursor::End);
                QVERIFY2(log->viewport()->rect().contains(log->cursorRect(end)),
                         qPrintable(QStringLiteral("point %1 out of sight").arg(i + 1)));
            }
        };
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, {}, QPoint(30, 40));
        record(40);
        // The user went back to read the top of the log, then records more.
        FocusWindow(Form1, log);
        QTest::keyClick(log, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(log->verticalScrollBar()->value(), 0);
        record(5);
        QVERIFY2(log->verticalScrollBar()->value() > 0, "the log grew beyond its height");
        QCOMPARE(Lines(log).last(), QStringLiteral("30.0 , 40.00"));
    }

    void helpAndCursorButtonsShowOrRaiseTheirWindows() {
        QTest::mouseClick(Control<QPushButton>(Form1, "Button1"), Qt::LeftButton);
        QVERIFY(Form3->isVisible());
        QTest::mouseClick(Control<QPushButton>(Form1, "Button2"), Qt::LeftButton);
        QVERIFY(Form4->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), Form4);
        // A shown window behind another comes forward.
        QTest::mouseClick(Control<QPushButton>(Form1, "Button1"), Qt::LeftButton);
        QTRY_COMPARE(QApplication::activeWindow(), Form3);
        // Closing them only hides them; they come back as they were.
        Form2->MoveCrosshair(30, 20);
        Form3->close();
        Form4->close();
        QVERIFY(!Form3->isVisible() && !Form4->isVisible());
        QTest::mouseClick(Control<QPushButton>(Form1, "Button1"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(Form1, "Button2"), Qt::LeftButton);
        QVERIFY(Form3->isVisible() && Form4->isVisible());
        QCOMPARE(CurX, 30.0F);
    }

    void leavingAFieldKeepsItsTextAndMarksIt() {
        FocusWindow(Form1, Edit("Edit2"));
        Edit("Edit2")->selectAll();
        QTest::keyClicks(Edit("Edit2"), " 1,950 yrs");
        QTest::keyClick(Edit("Edit2"), Qt::Key_Tab);
        // Two numbers in one text: kept for the user to correct, marked with why.
        QCOMPARE(Edit("Edit2")->text(), QStringLiteral(" 1,950 yrs"));
        QCOMPARE(Background(Edit("Edit2")), QColor(0xFF, 0x99, 0x99));
        const QString why = QStringLiteral("' 1,950 yrs' could be 1950 or 1.950");
        QCOMPARE(Edit("Edit2")->toolTip(), why);
        QCOMPARE(Edit("Edit2")->accessibleDescription(), QStringLiteral("Not a number: ") + why);
        QCOMPARE(Control<QLabel>(Form2, "Label2")->text(), why);
        // Edit1 took the focus; leaving it unchanged still marks it.
        QCOMPARE(QApplication::focusWidget(), Edit("Edit1"));
        QTest::mouseClick(Edit("Edit4"), Qt::LeftButton);
        QCOMPARE(Edit("Edit1")->text(), QStringLiteral("000"));
        QCOMPARE(Background(Edit("Edit1")), QColor(0xFF, 0xFF, 0xCC));
        QCOMPARE(Background(Edit("Edit3")), QColor(0xFF, 0xCC, 0xCC));
        // Corrected, it reads as one number and shows its own tooltip again.
        FocusWindow(Form1, Edit("Edit2"));
        Edit("Edit2")->selectAll();
        QTest::keyClicks(Edit("Edit2"), "1950 yrs");
        QTest::keyClick(Edit("Edit2"), Qt::Key_Tab);
        QCOMPARE(Edit("Edit2")->text(), QStringLiteral("1950 yrs"));
        QCOMPARE(Background(Edit("Edit2")), QColor(0xFF, 0xFF, 0xCC));
        QCOMPARE(Edit("Edit2")->toolTip(), QStringLiteral("X Axis Max Value"));
    }

    void leavingTheWindowDoesNotLeaveTheField() {
        FocusWindow(Form1, Edit("Edit1"));
        Edit("Edit1")->selectAll();
        QTest::keyClicks(Edit("Edit1"), "19 50");
        FocusWindow(Form2);
        QCOMPARE(Edit("Edit1")->text(), QStringLiteral("19 50"));
        QCOMPARE(Background(Edit("Edit1")), QColor(0xFF, 0xCC, 0xCC));
    }

    void mouseOverThePictureShowsGraphCoordinates() {
        QWidget *image = Control<QWidget>(Form2, "Image1");
        MoveMouse(image, QPoint(25, 40));
        QCOMPARE(Readout(), QStringLiteral("25.0 , 40.00"));
        MoveMouse(image, QPoint(5, 5));
        QCOMPARE(Readout(), QStringLiteral("5.0 ,  5.00"));
        QCOMPARE(CurX, -10.0F); // the crosshair does not follow the mouse
        Control<QCheckBox>(Form1, "CheckBox1")->setChecked(true);
        MoveMouse(image, QPoint(25, 41));
        QCOMPARE(Readout(), QStringLiteral(" 25 , 41.00"));
    }

    void aFieldThatIsNotANumberShowsTheErrorBox() {
        QWidget *image = Control<QWidget>(Form2, "Image1");
        MoveMouse(image, QPoint(25, 40));
        const QString before = Readout();
        FocusWindow(Form1, Edit("Edit3"));
        Edit("Edit3")->selectAll();
        QTest::keyClicks(Edit("Edit3"), "1.5.5");
        const ErrorBoxSeen seen = CatchErrorBox([&] { MoveMouse(image, QPoint(30, 45)); });
        QVERIFY2(seen.shown, "no error box");
        QCOMPARE(seen.title, QStringLiteral("Curvelift"));
        QCOMPARE(seen.text, QStringLiteral("'1.5.5' is not a valid floating point value."));
        QVERIFY(seen.critical);
        QCOMPARE(Readout(), before);
        // With two bad fields the X field is named first.
        Edit("Edit1")->setText(QStringLiteral("abc"));
        QCOMPARE(CatchErrorBox([&] { MoveMouse(image, QPoint(31, 46)); }).text,
                 QStringLiteral("'abc' is not a valid floating point value."));
        Edit("Edit1")->setText(QStringLiteral("1e39"));
        QCOMPARE(CatchErrorBox([&] { MoveMouse(image, QPoint(32, 47)); }).text,
                 QStringLiteral("Floating point overflow."));
    }

    void theThousandsSeparatorFollowsTheLocale() {
        // A decimal point and a decimal comma read on any system; the region
        // says only which mark may group thousands, and so which text is unclear.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QEvent change(QEvent::LocaleChange);
        QApplication::sendEvent(Form1, &change);
        QWidget *image = Control<QWidget>(Form2, "Image1");
        Edit("Edit4")->setText(QStringLiteral("12.5"));
        MoveMouse(image, QPoint(25, 40));
        QCOMPARE(Readout(), QStringLiteral("25.0 ,  5.00"));
        Edit("Edit4")->setText(QStringLiteral("12,5"));
        MoveMouse(image, QPoint(26, 40));
        QCOMPARE(Readout(), QStringLiteral("26.0 ,  5.00"));
        Edit("Edit4")->setText(QStringLiteral("1.250"));
        QCOMPARE(CatchErrorBox([&] { MoveMouse(image, QPoint(27, 40)); }).text,
                 QStringLiteral("'1.250' is not a valid floating point value."));
        QLocale::setDefault(QLocale::c());
        QApplication::sendEvent(Form1, &change);
        MoveMouse(image, QPoint(28, 40));
        QCOMPARE(Readout(), QStringLiteral("28.0 ,  0.50"));
    }

    void smallAxisRangesKeepEveryRecordedStep() {
        FocusWindow(Form2);
        QWidget *area = Control<QWidget>(Form2, "Image1");
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(0, 400));
        QTest::keyClick(Form2, Qt::Key_Z);
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(400, 0));
        QTest::keyClick(Form2, Qt::Key_A);
        TypeField("Edit2", QStringLiteral("1"));
        TypeField("Edit4", QStringLiteral("0.001"));
        for (int x : {80, 100, 120, 140})
            RecordAt(x, x);
        QCOMPARE(Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10),
                 QStringList({"0.200 , 0.000800", "0.250 , 0.000750", "0.300 , 0.000700",
                              "0.350 , 0.000650"}));
        // A range the usual decimals show keeps today's text.
        TypeField("Edit2", QStringLiteral("40"));
        TypeField("Edit4", QStringLiteral("10"));
        RecordAt(80, 80);
        QCOMPARE(Lines(Control<QPlainTextEdit>(Form1, "Memo1")).last(),
                 QStringLiteral("8.0 ,  8.00"));
    }

    void theLogCopiesAsPlainTextOnly() {
        RecordAt(5, 6);
        auto *memo = Control<QPlainTextEdit>(Form1, "Memo1");
        FocusWindow(Form1, memo);
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->formats(), QStringList({"text/plain"}));
        QVERIFY(copied->text().endsWith(QStringLiteral("\n5.0 ,  6.00")));
    }

    void closingTheControlWindowEndsTheProgram() {
        QTest::mouseClick(Control<QPushButton>(Form1, "Button1"), Qt::LeftButton);
        QTimer::singleShot(0, Form1, [] { Form1->close(); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(TestControlWindow)
#include "tst_controlwindow.moc"
