// A whole session without the mouse: the picture named at start takes the
// keys, Ctrl+O opens from every window, Tab walks every control in reading
// order, Shift+arrows move ten pixels, Tab through a locked field keeps it
// locked, and a pasted path that names nothing says so. Keys go through the
// window system to whatever window and control has the focus.
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

class TestKeyboardOnly : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;

    // A key pressed as the user presses it: to the window with the focus.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWindow *focus = QGuiApplication::focusWindow();
        QVERIFY2(focus != nullptr, "no window has the keys");
        QTest::keyClick(focus, key, modifiers);
    }
    static QString FocusName() {
        return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName()
                                                      : QStringLiteral("(none)");
    }
    QString Picture(const QString &name, int w, int h) {
        QDir().mkpath(QFileInfo(dir.filePath(name)).absolutePath());
        const QString path = dir.filePath(name);
        if (!PatternImage(w, h).save(path))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // What the open dialog shows while the action runs; it then chooses `file`.
    struct DialogSeen {
        bool shown = false;
        QStringList filters;
        QString folder;
    };
    static DialogSeen OpenDialog(const QString &file, const std::function<void()> &action) {
        DialogSeen seen;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            seen.shown = true;
            seen.filters = dialog->nameFilters();
            seen.folder = dialog->directory().absolutePath();
            if (file.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(file);
            static_cast<QDialog *>(dialog)->accept(); // as its Open button does
        });
        poll.start();
        action();
        return seen;
    }
    static QColor Background(const char *field) {
        return Control<QLineEdit>(Form1, field)->palette().color(QPalette::Base);
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { fixture = std::make_unique<WindowFixture>(); }
    void cleanup() { fixture.reset(); }

    void aPictureNamedAtStartTakesTheFirstArrowKey() {
        const QString path = Picture(QStringLiteral("start.png"), 300, 200);
        // Whatever window the desktop activated first.
        FocusWindow(Form1, Control<QLineEdit>(Form1, "Edit2"));
        fixture->Windows().OpenAtStart(path);
        QTRY_COMPARE(QApplication::activeWindow(), Form2);
        Form2->MoveCrosshair(50, 60);
        Press(Qt::Key_Right);
        QCOMPARE(CurX, 51.0F);
        QCOMPARE(Control<QLineEdit>(Form1, "Edit2")->text(), QStringLiteral("100"));
    }

    void ctrlOOpensFromEveryWindowInTheFolderUsedLast() {
        const QString first = Picture(QStringLiteral("charts/one.png"), 40, 30);
        const QString second = Picture(QStringLiteral("more/two.bmp"), 50, 20);
        const QString third = Picture(QStringLiteral("more/three.tif"), 20, 10);
        const struct {
            QWidget *window;
            QString file;
            QString folderBefore; // where the dialog starts
        } steps[] = {
            {Form1, first, QDir::homePath()},
            {Form2, second, QFileInfo(first).absolutePath()},
            {Form3, third, QFileInfo(second).absolutePath()},
            {Form4, first, QFileInfo(third).absolutePath()},
            {Loupe, second, QFileInfo(first).absolutePath()},
        };
        for (const auto &step : steps) {
            Form2->close();
            step.window->show();
            FocusWindow(step.window);
            const DialogSeen seen =
                OpenDialog(step.file, [] { Press(Qt::Key_O, Qt::ControlModifier); });
            const QString in = step.window->objectName();
            QVERIFY2(seen.shown, qPrintable("no open dialog in " + in));
            QCOMPARE(seen.folder, step.folderBefore);
            QCOMPARE(PathShown(), step.file);
            QVERIFY2(Form2->isVisible(), qPrintable("opening from " + in + " shows the picture"));
            QTRY_COMPARE(QApplication::activeWindow(), Form2);
        }
        // One filter for every picture read, one for each kind, then all files.
        const QStringList filters =
            OpenDialog({}, [] { Press(Qt::Key_O, Qt::ControlModifier); }).filters;
        QCOMPARE(filters.size(), 10);
        for (const char *pattern :
             {"*.jpg", "*.jpeg", "*.png", "*.bmp", "*.tif", "*.gif", "*.webp", "*.svg", "*.pdf"})
            QVERIFY2(filters.first().contains(QLatin1String(pattern)), pattern);
        QVERIFY(filters.first().startsWith(QStringLiteral("Pictures (")));
        QCOMPARE(filters.last(), QStringLiteral("All files (*)"));
        // A cancelled dialog changes nothing.
        QCOMPARE(PathShown(), second);
    }

    void tabVisitsEveryControlInReadingOrder_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("control window")
            << "Form1" << QStringList{"Edit2", "Edit1",     "CheckBox2", "CheckBox1", "Edit4",
                                      "Edit3", "CheckBox3", "Button1",   "Button2",   "Button3",
                                      "Edit5", "CheckBox5", "Button4",   "Button5",   "Memo1"};
        QTest::newRow("cursor window")
            << "Form4" << QStringList{"CheckBox1", "MaskEdit1", "Button1",   "Edit1", "CheckBox3",
                                      "CheckBox4", "Button2",   "CheckBox5", "Memo1"};
    }
    void tabVisitsEveryControlInReadingOrder() {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        QWidget *w = window == QStringLiteral("Form1") ? static_cast<QWidget *>(Form1) : Form4;
        if (w == Form4) {
            // Every control enabled: a line colour taken, the step rate and Find-Y on.
            Form4->show();
            FollowCurveInSteps(QStringLiteral("010"));
            QTest::mouseClick(Control<QCheckBox>(Form4, "CheckBox3"), Qt::LeftButton, {},
                              QPoint(6, 8));
        }
        FocusWindow(w, Control<QWidget>(w, qPrintable(order.first())));
        QStringList forward{FocusName()};
        for (qsizetype i = 0; i < order.size(); ++i) {
            Press(Qt::Key_Tab);
            forward << FocusName();
        }
        QCOMPARE(forward, order + QStringList{order.first()});
        QStringList backward{FocusName()};
        for (qsizetype i = 0; i < order.size(); ++i) {
            Press(Qt::Key_Tab, Qt::ShiftModifier);
            backward << FocusName();
        }
        QStringList reversed{order.first()};
        for (auto it = order.crbegin(); it != order.crend(); ++it)
            reversed << *it;
        QCOMPARE(backward, reversed);
    }

    void shiftArrowsMoveTenPixels_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("Shift+Right") << int(Qt::Key_Right) << true << QPoint(110, 100);
        QTest::newRow("Shift+Left") << int(Qt::Key_Left) << true << QPoint(90, 100);
        QTest::newRow("Shift+Down") << int(Qt::Key_Down) << true << QPoint(100, 110);
        QTest::newRow("Shift+Up") << int(Qt::Key_Up) << true << QPoint(100, 90);
        QTest::newRow("Right") << int(Qt::Key_Right) << false << QPoint(101, 100);
        QTest::newRow("Up") << int(Qt::Key_Up) << false << QPoint(100, 99);
    }
    void shiftArrowsMoveTenPixels() {
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(QPoint, to);
        FocusWindow(Form2);
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, {}, QPoint(100, 100));
        Press(static_cast<Qt::Key>(key), shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(QPointF(CurX, CurY), QPointF(to));
        // A step's fraction is kept, as with one pixel.
        Form2->MoveCrosshair(10.5F, 20.0F);
        Press(Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(CurX, 20.5F);
        QVERIFY(Control<QPlainTextEdit>(Form3, "Memo1")->toPlainText().contains("Shift+arrow"));
    }

    void tabThroughALockedFieldKeepsItLocked() {
        const QColor pink(0xFF, 0xCC, 0xCC), green(0xCC, 0xFF, 0xCC), yellow(0xFF, 0xFF, 0xCC);
        FocusWindow(Form2);
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, {}, QPoint(20, 300));
        Press(Qt::Key_Z);
        QCOMPARE(Background("Edit1"), green);
        // Tab once round the window from X Max: through both locked fields.
        FocusWindow(Form1, Control<QWidget>(Form1, "Edit2"));
        QStringList round;
        do {
            Press(Qt::Key_Tab);
            round << FocusName();
        } while (round.size() < 30 && round.last() != QStringLiteral("Edit2"));
        QVERIFY2(round.contains("Edit1") && round.contains("Edit3"), qPrintable(round.join(' ')));
        QCOMPARE(Background("Edit1"), green);
        QCOMPARE(Background("Edit3"), green);
        QCOMPARE(Background("Edit4"), yellow); // never locked: gone through, so entered
        // X Max only held the focus as its window came forward: not entered.
        QCOMPARE(Background("Edit2"), pink);
        // Back into X Zero and a change of its text: the lock no longer holds.
        while (FocusName() != QStringLiteral("Edit1") && round.size() < 60) {
            Press(Qt::Key_Tab, Qt::ShiftModifier);
            round << FocusName();
        }
        Press(Qt::Key_End);
        Press(Qt::Key_5);
        QCOMPARE(Background("Edit1"), yellow);
        Press(Qt::Key_Tab);
        QCOMPARE(Background("Edit1"), yellow);
        QCOMPARE(Control<QLineEdit>(Form1, "Edit1")->text(), QStringLiteral("0005"));
        // Through a field locked by A, and back into it to type no number.
        Form2->MoveCrosshair(200, 50);
        Form2->LockMax();
        FocusWindow(Form1, Control<QWidget>(Form1, "Edit4"));
        Press(Qt::Key_Tab);
        QCOMPARE(Background("Edit4"), green);
        Press(Qt::Key_Tab, Qt::ShiftModifier);
        Press(Qt::Key_A, Qt::ControlModifier);
        for (Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_C})
            Press(key);
        Press(Qt::Key_Tab);
        QVERIFY2(Background("Edit4") != green && Background("Edit4") != yellow,
                 "a text that says no number is marked as such");
        QCOMPARE(Background("Edit2"), green);
    }

    void pastingAPathThatNamesNothingSaysSo() {
        const QString kept = Picture(QStringLiteral("kept.png"), 30, 20);
        Form2->LoadImage(kept);
        const QString gone = dir.filePath(QStringLiteral("gone.png"));
        const struct {
            const char *what;
            std::function<void()> copy;
            QString message;
        } rows[] = {
            {"a path", [&] { QGuiApplication::clipboard()->setText(gone); },
             "Cannot open file " + gone + ": there is no such file."},
            {"a file URL",
             [&] {
                 auto *mime = new QMimeData; // the clipboard owns it
                 mime->setUrls({QUrl::fromLocalFile(gone)});
                 QGuiApplication::clipboard()->setMimeData(mime);
             },
             "Cannot open file " + gone + ": there is no such file."},
            {"empty text", [] { QGuiApplication::clipboard()->setText(QString()); },
             "The clipboard holds no picture and no file path."},
            {"a long text", [] { QGuiApplication::clipboard()->setText(QString(5000, 'x')); },
             "Cannot open file " + QString(200, 'x') + "...: there is no such file."},
        };
        for (const auto &row : rows) {
            row.copy();
            FocusWindow(Form2);
            const ErrorBoxSeen seen = CatchErrorBox([] { Press(Qt::Key_V, Qt::ControlModifier); });
            QVERIFY2(seen.shown, row.what);
            QCOMPARE(seen.text, row.message);
            QCOMPARE(PathShown(), kept);
        }
    }
};

QTEST_MAIN(TestKeyboardOnly)
#include "tst_keyboardonly.moc"
