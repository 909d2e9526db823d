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
        // X beside Y, Max above Zero.
        Form3->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form3));
        const auto at = [](const char *name) { return Control<QLabel>(Form3, name)->pos(); };
        QCOMPARE(at("Label2").y(), at("Label4").y());
        QVERIFY(at("Label2").x() < at("Label4").x());
        QCOMPARE(at("Label1").x(), at("Label2").x());
        QVERIFY(at("Label1").y() > at("Label2").y());
        QCOMPARE(at("Label3").x(), at("Label4").x());
    }

    void theHelpTextNamesWhatExistsInTheUsersWords() {
        const QString help = Control<QPlainTextEdit>(Form3, "Memo1")->toPlainText();
        const char *named[] = {
            "Ctrl+O",
            "Ctrl+S",
            "Shift+arrow",
            "loupe",
            "colour tolerance",
            "Ctrl+I",
            "image window",
            "control window",
            "convenient",
            "Ctrl+V",
            // The keys of features built beside this one.
            "Ctrl+Z",
            "Ctrl+Shift+Z",
            "Delete",
            "press C",
            "Log X",
            "PDF pages",
            "Ctrl+0",
            "Marks box",
            "New Series",
            "Ctrl+wheel",
        };
        for (const char *text : named)
            QVERIFY2(help.contains(QLatin1String(text)), text);
        for (const char *text : {"convienent", "Window 2", "Win 2", "window 1", "does not save"})
            QVERIFY2(!help.contains(QLatin1String(text), Qt::CaseInsensitive), text);
    }

    void helpTextsAreReadOnly() {
        for (QWidget *window : {static_cast<QWidget *>(Form3), static_cast<QWidget *>(Form4)}) {
            auto *memo = Control<QPlainTextEdit>(window, "Memo1");
            const QString before = memo->toPlainText();
            FocusWindow(window, memo);
            QTest::keyClicks(memo, "stray keys");
            for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Return})
                QTest::keyClick(memo, key);
            QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(memo->toPlainText(), before);
            // Still read with the keys: the caret moves through it.
            QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
            QCOMPARE(memo->textCursor().position(), before.size());
        }
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
