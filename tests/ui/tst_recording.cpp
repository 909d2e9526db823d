// Recording as a user corrects it: Ctrl+Z and Ctrl+Shift+Z on points, a
// whole Auto Run and locks, and series started with N or the button and
// named in the control window, all seen in the log.
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

class TestRecording : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;

    QStringList Log() { return Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10); }
    QLineEdit *Name() { return Control<QLineEdit>(Form1, "Edit5"); }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Form2, key, mods);
    }
    void Key(char typed) { QTest::keyClick(Form2, typed); }
    void Undo(QWidget *window = Form2) { QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier); }
    void Redo(QWidget *window = Form2) {
        QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
    void Click(int x, int y) {
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, y));
    }
    // Records at each pixel of the image window with a click and Space.
    void RecordAt(std::initializer_list<QPoint> pixels) {
        for (const QPoint p : pixels) {
            Click(p.x(), p.y());
            Key(Qt::Key_Space);
        }
    }

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QVERIFY(BandImage(600, 400).save(dir.filePath("band.bmp")));
    }
    void init() {
        fixture = std::make_unique<WindowFixture>();
        Form2->LoadImage(dir.filePath("band.bmp"));
        FocusWindow(Form2);
    }
    void cleanup() { fixture.reset(); }

    void undoAndRedoTakePointsBackAndPutThemBack() {
        RecordAt({{10, 20}, {30, 40}, {50, 60}});
        QCOMPARE(Log(), QStringList({"10.0 , 20.00", "30.0 , 40.00", "50.0 , 60.00"}));
        Undo();
        Undo();
        QCOMPARE(Log(), QStringList({"10.0 , 20.00"}));
        Redo();
        QCOMPARE(Log(), QStringList({"10.0 , 20.00", "30.0 , 40.00"}));
        // The control window takes the same keys, outside its fields.
        FocusWindow(Form1, Control<QPlainTextEdit>(Form1, "Memo1"));
        Undo(Form1);
        QCOMPARE(Log(), QStringList({"10.0 , 20.00"}));
        Redo(Form1);
        Redo(Form1);
        QCOMPARE(Log(), QStringList({"10.0 , 20.00", "30.0 , 40.00", "50.0 , 60.00"}));
        // A new point after an undo drops what could have been put back.
        FocusWindow(Form2);
        Undo();
        RecordAt({{70, 80}});
        Redo();
        QCOMPARE(Log(), QStringList({"10.0 , 20.00", "30.0 , 40.00", "70.0 , 80.00"}));
    }

    void oneUndoTakesBackAWholeAutoRun() {
        RecordAt({{5, 5}});
        const QStringList before = Log();
        Control<QLineEdit>(Form1, "Edit2")->setText(QStringLiteral("500"));
        Click(500, 100);
        Key('a');
        Click(0, 350);
        Key('z');
        Click(2, 300);
        FollowCurveInSteps(QStringLiteral("050"));
        FocusWindow(Form2);
        Key(Qt::Key_Home);
        QTest::mouseClick(Control<QPushButton>(Form4, "Button2"), Qt::LeftButton);
        QCOMPARE(Log().size(), before.size() + 51);
        QCOMPARE(Log().at(1), QStringLiteral("0.0 , 20.00"));
        QCOMPARE(Log().last(), QStringLiteral("500.0 , 20.00"));
        FocusWindow(Form2);
        Undo();
        QCOMPARE(Log(), before);
        Redo();
        QCOMPARE(Log().size(), before.size() + 51);
    }

    void undoPutsALockBackAsItWas() {
        const auto help = [](const char *name) { return Control<QLabel>(Form3, name)->text(); };
        const auto colour = [](const char *name) {
            return Control<QLineEdit>(Form1, name)->palette().color(QPalette::Base);
        };
        const QColor pink = colour("Edit1");
        Click(40, 300);
        Key('z');
        QCOMPARE(ZeroPt, digitize::Point({40, 300}));
        QCOMPARE(help("Label1"), QStringLiteral("X Zero = 000 : 40"));
        QVERIFY(colour("Edit1") != pink);
        Click(60, 250);
        Key('z');
        Undo();
        QCOMPARE(ZeroPt, digitize::Point({40, 300}));
        QCOMPARE(help("Label3"), QStringLiteral("Y Zero = 000 : 300"));
        Undo();
        QCOMPARE(ZeroPt, digitize::Point({0, 0}));
        QCOMPARE(help("Label1"), QStringLiteral("X Zero = 000 : 0"));
        QCOMPARE(colour("Edit1"), pink);
        QCOMPARE(colour("Edit3"), pink);
        Redo();
        QCOMPARE(ZeroPt, digitize::Point({40, 300}));
        QCOMPARE(Log(), QStringList());
    }

    void seriesAreNamedInPlaceAndHeadTheirPointsInTheLog() {
        RecordAt({{10, 20}});
        Key('n');
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Name()));
        QTRY_COMPARE(Name()->selectedText(), QStringLiteral("Series 2"));
        QTest::keyClicks(Name(), QStringLiteral("Run B"));
        QTest::keyClick(Name(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Form2));
        RecordAt({{30, 40}, {50, 60}});
        QCOMPARE(Log(), QStringList(
                            {"Series 1", "10.0 , 20.00", "Run B", "30.0 , 40.00", "50.0 , 60.00"}));
        // Naming is one step back, then the series itself; its points first.
        Undo();
        Undo();
        Undo();
        QCOMPARE(Log(), QStringList({"Series 1", "10.0 , 20.00", "Series 2"}));
        QCOMPARE(Name()->text(), QStringLiteral("Series 2"));
        Undo();
        QCOMPARE(Log(), QStringList({"10.0 , 20.00"}));
        // The button starts one too; naming the only series shows its name.
        QTest::mouseClick(Control<QPushButton>(Form1, "Button4"), Qt::LeftButton);
        QCOMPARE(Name()->text(), QStringLiteral("Series 2"));
        FocusWindow(Form2);
        Undo();
        FocusWindow(Form1, Name());
        Name()->selectAll();
        QTest::keyClicks(Name(), QStringLiteral("Decade 1950"));
        QTest::keyClick(Name(), Qt::Key_Tab);
        QCOMPARE(Log(), QStringList({"Decade 1950", "10.0 , 20.00"}));
    }

    void theLogIsChangedOnlyThroughThePoints() {
        RecordAt({{10, 20}});
        auto *log = Control<QPlainTextEdit>(Form1, "Memo1");
        FocusWindow(Form1, log);
        QTest::keyClick(log, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(log, Qt::Key_Delete);
        QTest::keyClicks(log, QStringLiteral("typed"));
        QCOMPARE(Log(), QStringList({"10.0 , 20.00"}));
        QVERIFY2(!log->textCursor().selectedText().isEmpty(), "the lines can still be selected");
    }
};

QTEST_MAIN(TestRecording)
#include "tst_recording.moc"
