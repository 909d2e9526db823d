// The help window: its text, the calibration labels, and bringing back the
// image window as it was.
#include "UiTestSupport.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

class TestHelpWindow : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QString Label(const char *name) { return Control<QLabel>(Form3, name)->text(); }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { fixture = std::make_unique<WindowFixture>(); }
    void cleanup() { fixture.reset(); }

    void startsWithTheCalibrationOfAFreshStart() {
        QCOMPARE(Label("Label2"), QStringLiteral("X Max  = 100 : 100"));
        QCOMPARE(Label("Label1"), QStringLiteral("X Zero = 000 : 0"));
        QCOMPARE(Label("Label4"), QStringLiteral("Y Max  = 100 : 100"));
        QCOMPARE(Label("Label3"), QStringLiteral("Y Zero = 000 : 0"));
        QCOMPARE(Control<QPushButton>(Form3, "Button1")->text(),
                 QStringLiteral("Redraw Image Window"));
        QCOMPARE(Control<QLabel>(Form3, "Label2")->pos(), QPoint(8, 4));
        QCOMPARE(Control<QLabel>(Form3, "Label3")->pos(), QPoint(168, 24));
    }

    void showsItsThirtySixHelpLines() {
        const QStringList lines = Lines(Control<QPlainTextEdit>(Form3, "Memo1"));
        QCOMPARE(lines.size(), 36);
        QCOMPARE(lines.at(0), QStringLiteral("Drop a photo into Window 2, either by: "));
        QCOMPARE(lines.at(4), QString());
        QCOMPARE(lines.at(23), QStringLiteral("  and copied to the memo. "));
        QCOMPARE(lines.at(26),
                 QStringLiteral("Zero & Max can be any convienent value on the chart. "));
        QCOMPARE(lines.at(30), QStringLiteral("The  A  button pops up advanced cursor functions."));
        QCOMPARE(lines.at(35),
                 QStringLiteral("then Ctrl-V in the editor or spreadsheet to paste. "));
    }

    void theHelpTextHasTheFocusWhenTheWindowOpens() {
        QVERIFY(!Form3->isVisible());
        QTest::mouseClick(Control<QPushButton>(Form1, "Button1"), Qt::LeftButton);
        QCOMPARE(Form3->focusWidget(), Control<QWidget>(Form3, "Memo1"));
    }

    void redrawBringsBackTheImageWindowWithItsPictureAndMarks() {
        Form2->MoveCrosshair(40, 50);
        const QImage before = PictureNow();
        Form2->close();
        QVERIFY(!Form2->isVisible());
        Form3->show();
        QTest::mouseClick(Control<QPushButton>(Form3, "Button1"), Qt::LeftButton);
        QVERIFY(Form2->isVisible());
        QCOMPARE(PictureNow(), before);
        QVERIFY(CrossDrawn);
        // A shown image window behind another is brought forward.
        FocusWindow(Form3);
        QTest::mouseClick(Control<QPushButton>(Form3, "Button1"), Qt::LeftButton);
        QTRY_COMPARE(QApplication::activeWindow(), Form2);
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
