// The windows on the desktop: whole on the screen they open on, the tool
// windows beside the picture where there is room, the image window grown to
// its picture, places the user gives remembered (and ignored off every
// screen), layouts that take a resize, an image window that always comes
// back, a picture dropped on the control window, titles that name the
// picture. Run on a laptop screen and on a scaled HiDPI screen (CTest sets
// the offscreen platform's screens).
#include "UiTestSupport.h"

#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QRect Room(const QWidget *window) {
    return window->screen()->availableGeometry();
}

bool WholeOnAScreen(const QWidget *window) {
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(window->frameGeometry()))
            return true;
    return false;
}

QString Where(const QWidget *window) {
    const QRect f = window->frameGeometry();
    return QStringLiteral("%1 at %2,%3 %4x%5 on %6x%7")
        .arg(window->objectName())
        .arg(f.x())
        .arg(f.y())
        .arg(f.width())
        .arg(f.height())
        .arg(Room(window).width())
        .arg(Room(window).height());
}

// The controls a user sees, each in its window's coordinates.
QList<QPair<QString, QRect>> Controls(QWidget *window, const QStringList &names) {
    QList<QPair<QString, QRect>> out;
    for (const QString &name : names) {
        auto *w = Control<QWidget>(window, qPrintable(name));
        out.append({name, QRect(w->mapTo(window, QPoint(0, 0)), w->size())});
    }
    return out;
}

} // namespace

class TestWindowSet : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;

    QString Picture(const QString &name, int w, int h) {
        const QString path = dir.filePath(name);
        if (!PatternImage(w, h).save(path))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    static void ShowEveryWindow() {
        for (QWidget *w : {static_cast<QWidget *>(Form3), static_cast<QWidget *>(Form4),
                           static_cast<QWidget *>(Loupe)}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
        }
    }
    void Restart() {
        // As at the next start: the settings stay.
        fixture.reset();
        fixture = std::make_unique<WindowFixture>(WindowFixture::KeepSettings);
    }
    static void DropOnTheControlWindow(const QList<QUrl> &urls) {
        QMimeData mime;
        mime.setUrls(urls);
        // Over the log, through the window, as the window system delivers a drop.
        QWidget *log = Control<QWidget>(Form1, "Memo1");
        const QPoint at = log->mapTo(Form1, QPoint(20, 20));
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form1->windowHandle(), &enter);
        QVERIFY2(enter.isAccepted(), "the control window takes dropped files");
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form1->windowHandle(), &drop);
    }

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        qInfo("on a screen of %dx%d at scale %g", room.width(), room.height(),
              QGuiApplication::primaryScreen()->devicePixelRatio());
    }
    void init() { fixture = std::make_unique<WindowFixture>(); }
    void cleanup() { fixture.reset(); }

    void everyWindowIsWholeOnItsScreen_data() {
        QTest::addColumn<QSize>("picture");
        QTest::newRow("no picture") << QSize();
        QTest::newRow("a small chart") << QSize(400, 300);
        QTest::newRow("a large scan") << QSize(3000, 2000);
    }
    void everyWindowIsWholeOnItsScreen() {
        QFETCH(QSize, picture);
        if (picture.isValid())
            Form2->LoadImage(Picture(QStringLiteral("p.png"), picture.width(), picture.height()));
        ShowEveryWindow();
        for (QWidget *w : {static_cast<QWidget *>(Form1), static_cast<QWidget *>(Form2),
                           static_cast<QWidget *>(Form3), static_cast<QWidget *>(Form4),
                           static_cast<QWidget *>(Loupe)})
            QVERIFY2(WholeOnAScreen(w), qPrintable(Where(w)));
        // The control window keeps its corner; the picture is not under it.
        QCOMPARE(Form1->frameGeometry().topLeft(), Room(Form1).topLeft());
        QVERIFY2(!Form2->frameGeometry().intersects(Form1->frameGeometry()),
                 qPrintable(Where(Form2)));
    }

    void toolWindowsOpenBesideThePictureWhereThereIsRoom() {
        Form2->LoadImage(Picture(QStringLiteral("p.png"), 400, 300));
        const QRect picture = Form2->frameGeometry();
        for (QWidget *w : {static_cast<QWidget *>(Form3), static_cast<QWidget *>(Form4),
                           static_cast<QWidget *>(Loupe)}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            const QRect tool = w->frameGeometry();
            const QRect room = Room(w);
            const bool roomBeside = room.right() - picture.right() >= tool.width() ||
                                    picture.left() - room.left() >= tool.width() ||
                                    room.bottom() - picture.bottom() >= tool.height();
            if (roomBeside)
                QVERIFY2(!tool.intersects(picture), qPrintable(Where(w) + " over " + Where(Form2)));
            QVERIFY2(WholeOnAScreen(w), qPrintable(Where(w)));
            w->hide();
        }
    }

    void theImageWindowGrowsToShowItsPicture() {
        QWidget *view = Control<QWidget>(Form2, "ScrollBox1");
        const QSize before = Form2->size();
        Form2->LoadImage(Picture(QStringLiteral("wide.png"), 600, 350));
        const QRect room = Room(Form2);
        const bool fits = Form2->frameGeometry().left() + 600 + 40 < room.right() &&
                          Form2->frameGeometry().top() + 350 + 80 < room.bottom();
        if (fits)
            QVERIFY2(view->width() >= 600 && view->height() >= 350, qPrintable(Where(Form2)));
        QVERIFY(Form2->width() >= before.width() && Form2->height() >= before.height());
        // A large picture takes the room to the screen's edges, and no more.
        Form2->LoadImage(Picture(QStringLiteral("large.png"), 3000, 2000));
        QCOMPARE(Form2->frameGeometry().right(), room.right());
        QCOMPARE(Form2->frameGeometry().bottom(), room.bottom());
        // A size the user gives is his: the next picture keeps it.
        Form2->resize(500, 400);
        Form2->LoadImage(Picture(QStringLiteral("other.png"), 1000, 800));
        QCOMPARE(Form2->size(), QSize(500, 400));
        // And at the next start.
        Restart();
        QCOMPARE(Form2->size(), QSize(500, 400));
        Form2->LoadImage(Picture(QStringLiteral("again.png"), 1000, 800));
        QCOMPARE(Form2->size(), QSize(500, 400));
    }

    void placesTheUserGivesAreRememberedAndOffScreenOnesIgnored() {
        Form3->show();
        const QRect beside = Form3->frameGeometry(); // where it opens by itself
        const QPoint given = Room(Form3).topLeft() + QPoint(37, 23);
        Form3->move(given);
        Form3->resize(300, 320);
        Form3->close();
        Form4->show();
        Restart();
        Form3->show();
        QCOMPARE(Form3->frameGeometry().topLeft(), given);
        QCOMPARE(Form3->size(), QSize(300, 320));
        // Never moved or sized: nothing filed, placed afresh next time.
        QVERIFY(!QSettings().contains(QStringLiteral("windows/cursor/position")));
        QVERIFY(!QSettings().contains(QStringLiteral("windows/cursor/size")));
        // A place on a screen no longer there is ignored: the window opens
        // where it would by itself.
        Form3->close();
        QSettings().setValue(QStringLiteral("windows/help/position"), QPoint(9000, 9000));
        QSettings().remove(QStringLiteral("windows/help/size"));
        Restart();
        Form3->show();
        QCOMPARE(Form3->frameGeometry(), beside);
    }

    void layoutsTakeAnySizeWithoutOverlapOrCuts_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("controls");
        QTest::addColumn<QString>("grows"); // the control that takes the growth
        QTest::newRow("control window")
            << "Form1"
            << QStringList{"Button1",   "Button2",   "Button3",   "Label5",  "Edit2",   "Edit1",
                           "CheckBox2", "CheckBox1", "Label4",    "Edit4",   "Edit3",   "CheckBox3",
                           "Label3",    "Edit5",     "CheckBox5", "Button4", "Button5", "Memo1"}
            << "Memo1";
        QTest::newRow("help window")
            << "Form3" << QStringList{"Label2", "Label4", "Label1", "Label3", "Button1", "Memo1"}
            << "Memo1";
        QTest::newRow("cursor window")
            << "Form4"
            << QStringList{"Label1", "CheckBox1", "MaskEdit1", "Label2",  "Button1",   "Panel1",
                           "Edit1",  "CheckBox3", "CheckBox4", "Button2", "CheckBox5", "Memo1"}
            << "Memo1";
    }
    void layoutsTakeAnySizeWithoutOverlapOrCuts() {
        QFETCH(QString, window);
        QFETCH(QStringList, controls);
        QFETCH(QString, grows);
        QWidget *w = window == QStringLiteral("Form1")   ? static_cast<QWidget *>(Form1)
                     : window == QStringLiteral("Form3") ? static_cast<QWidget *>(Form3)
                                                         : static_cast<QWidget *>(Form4);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QSize least = w->minimumSizeHint();
        QVERIFY2(least.width() <= 300 && least.height() <= 300, "fits any screen");
        w->resize(10, 10);
        QTRY_VERIFY2(w->width() >= least.width() && w->height() >= least.height(),
                     "not below its least size");
        for (const QSize size : {w->size(), QSize(700, 700)}) {
            w->resize(size);
            QTRY_COMPARE(w->size(), size);
            const auto placed = Controls(w, controls);
            for (qsizetype i = 0; i < placed.size(); ++i) {
                const auto &[name, r] = placed[i];
                QVERIFY2(w->rect().contains(r), qPrintable(name + " cut at this size"));
                auto *label = qobject_cast<QLabel *>(Control<QWidget>(w, qPrintable(name)));
                if (label != nullptr && name != QStringLiteral("Label3"))
                    QVERIFY2(r.width() >= label->minimumSizeHint().width(), qPrintable(name));
                for (qsizetype j = i + 1; j < placed.size(); ++j)
                    QVERIFY2(!r.intersects(placed[j].second),
                             qPrintable(name + " over " + placed[j].first));
            }
        }
        const int small = Control<QWidget>(w, qPrintable(grows))->height();
        w->resize(w->width(), w->height() + 100);
        QTRY_COMPARE(Control<QWidget>(w, qPrintable(grows))->height(), small + 100);
    }

    void theImageWindowAlwaysComesBack() {
        const QString path = Picture(QStringLiteral("chart one.png"), 120, 80);
        Form2->LoadImage(path);
        auto *name = Control<QPushButton>(Form1, "Button5");
        QCOMPARE(name->text(), QStringLiteral("chart one.png"));
        QVERIFY(Form1->windowTitle().contains(QStringLiteral("chart one.png")));
        Form2->close();
        QTest::mouseClick(name, Qt::LeftButton);
        QVERIFY(Form2->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), Form2);
        Form2->close();
        FocusWindow(Form1, Control<QWidget>(Form1, "Edit2"));
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(Form2->isVisible());
        Form2->close();
        const QString dropped = Picture(QStringLiteral("dropped.png"), 70, 40);
        DropOnTheControlWindow({QUrl::fromLocalFile(dropped)});
        QVERIFY(Form2->isVisible());
        QCOMPARE(name->text(), QStringLiteral("dropped.png"));
    }

    void aPictureDroppedOnTheControlWindowLoadsAsOnTheImageWindow() {
        const QString a = Picture(QStringLiteral("a.bmp"), 40, 30);
        const QString b = Picture(QStringLiteral("b.png"), 50, 60);
        Form2->MoveCrosshair(10, 10);
        DropOnTheControlWindow({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
        QCOMPARE(PathShown(), a);
        QCOMPARE(PictureNow(), PatternImage(40, 30));
        QVERIFY2(!CrossDrawn, "a new picture holds no cross");
        // The log takes no file names as text.
        QVERIFY(!Control<QPlainTextEdit>(Form1, "Memo1")->toPlainText().contains("a.bmp"));
    }

    void theTitleNamesThePictureAndTheStatusLineItsPath() {
        const QString path = Picture(QStringLiteral("chart.png"), 30, 20);
        Form2->LoadImage(path);
        QCOMPARE(Form2->windowTitle(), QStringLiteral("chart.png"));
        QCOMPARE(Control<QLabel>(Form2, "Label2")->text(), path);
        QCOMPARE(PathShown(), path);
        QGuiApplication::clipboard()->setImage(PatternImage(21, 12));
        FocusWindow(Form2);
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Form2->windowTitle(), QStringLiteral("Image.bmp"));
        QCOMPARE(Control<QPushButton>(Form1, "Button5")->text(), QStringLiteral("Image.bmp"));
    }
};

QTEST_MAIN(TestWindowSet)
#include "tst_windowset.moc"
