// Keyboard and screen-reader access: Tab leaves the text areas, the window
// keys, and what a screen reader is told about every control.
#include "LoupeWindow.h"
#include "UiTestSupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// The accessibility events sent while a test runs.
QList<QAccessible::Event> Announced;
QList<QObject *> AnnouncedFor;

void RecordEvent(QAccessibleEvent *event) {
    Announced.append(event->type());
    AnnouncedFor.append(event->object());
}

QString Spoken(QWidget *w, QAccessible::Text text = QAccessible::Name) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface != nullptr ? iface->text(text) : QString();
}

} // namespace

class TestKeyboardAccess : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QAccessible::installUpdateHandler(RecordEvent);
        // As if a screen reader were running: events are sent only then.
        QPlatformAccessibility *platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        if (platform == nullptr)
            QSKIP("this platform has no accessibility");
        platform->setActive(true);
    }
    void init() {
        fixture = std::make_unique<WindowFixture>();
        Announced.clear();
        AnnouncedFor.clear();
    }
    void cleanup() { fixture.reset(); }

    void tabLeavesTheTextAreas() {
        struct Case {
            QWidget *window;
            const char *forward;  // where Tab goes
            const char *backward; // where Shift+Tab goes
        };
        Form3->show();
        Form4->show();
        const Case cases[] = {
            {Form1, "Edit2", "Button5"},
            {Form3, "Button1", "Button1"},
            {Form4, "CheckBox1", "Edit1"},
        };
        for (const Case &c : cases) {
            auto *memo = Control<QPlainTextEdit>(c.window, "Memo1");
            const QString text = memo->toPlainText();
            for (const auto &[modifier, expected] :
                 {std::pair{Qt::NoModifier, c.forward}, std::pair{Qt::ShiftModifier, c.backward}}) {
                FocusWindow(c.window, memo);
                QTest::keyClick(memo, Qt::Key_Tab, modifier);
                QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(expected));
            }
            QCOMPARE(memo->toPlainText(), text);
        }
    }

    void altKeysAndF1OpenTheirWindows() {
        FocusWindow(Form1);
        QTest::keyClick(Form1, Qt::Key_H, Qt::AltModifier);
        QVERIFY(Form3->isVisible());
        QVERIFY(!Form4->isVisible());
        FocusWindow(Form1);
        QTest::keyClick(Form1, Qt::Key_A, Qt::AltModifier);
        QVERIFY(Form4->isVisible());
        // Alt+A in the image window is not the A that locks Max.
        Form3->hide();
        const digitize::Point max = MaxPt;
        FocusWindow(Form2);
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, {}, QPoint(40, 30));
        QTest::keyClick(Form2, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(MaxPt, max);
        QVERIFY(!Form3->isVisible());
        for (QWidget *window : {static_cast<QWidget *>(Form2), static_cast<QWidget *>(Form4),
                                static_cast<QWidget *>(Loupe)}) {
            Form3->hide();
            FocusWindow(window);
            QTest::keyClick(window, Qt::Key_F1);
            QVERIFY2(Form3->isVisible(), qPrintable(window->objectName()));
        }
    }

    void everyControlHasASpokenName() {
        Form3->show();
        Form4->show();
        Loupe->show();
        for (QWidget *window : {static_cast<QWidget *>(Form1), static_cast<QWidget *>(Form2),
                                static_cast<QWidget *>(Form3), static_cast<QWidget *>(Form4),
                                static_cast<QWidget *>(Loupe)})
            for (QWidget *w : window->findChildren<QWidget *>())
                if (w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(window))
                    QVERIFY2(!Spoken(w).trimmed().isEmpty(), qPrintable(w->objectName()));
        struct Named {
            QWidget *window;
            const char *name;
            const char *spoken;
        };
        const Named named[] = {
            {Form1, "Edit2", "X Max"},
            {Form1, "Edit1", "X Zero"},
            {Form1, "Edit4", "Y Max"},
            {Form1, "Edit3", "Y Zero"},
            {Form1, "Memo1", "Recorded points"},
            {Form1, "Button1", "Help"},
            {Form1, "Button2", "Advanced cursor"},
            {Form1, "Button3", "Loupe"},
            {Form1, "Label3", "X      Y"},
            {Form1, "CheckBox2", "Log X"},
            {Form1, "CheckBox3", "Log Y"},
            {Form2, "Image1", "Picture"},
            {Form3, "Memo1", "Help text"},
            {Form4, "Memo1", "Advanced cursor help text"},
            {Form4, "MaskEdit1", "Steps"},
            {Form4, "Panel1", "Line colour not set"},
        };
        for (const Named &n : named)
            QCOMPARE(Spoken(Control<QWidget>(n.window, n.name)), QString::fromLatin1(n.spoken));
        // The buttons keep their captions.
        QCOMPARE(Control<QPushButton>(Form1, "Button1")->text(), QStringLiteral("H"));
        QCOMPARE(Control<QPushButton>(Form1, "Button2")->text(), QStringLiteral("A"));
    }

    void statesAreSpokenNotOnlyShownInColour() {
        QWidget *xZero = Control<QWidget>(Form1, "Edit1");
        QCOMPARE(Spoken(xZero, QAccessible::Description), QStringLiteral("Not entered"));
        TypeField("Edit1", QStringLiteral("5"));
        QCOMPARE(Spoken(xZero, QAccessible::Description), QStringLiteral("Entered, not locked"));
        QWidget *area = Control<QWidget>(Form2, "Image1");
        FocusWindow(Form2);
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(30, 40));
        QTest::keyClick(Form2, Qt::Key_Right);
        QCOMPARE(Spoken(area, QAccessible::Description),
                 QStringLiteral("Crosshair at picture pixel (31, 40)"));
        QTest::keyClick(Form2, Qt::Key_Z);
        QCOMPARE(Spoken(xZero, QAccessible::Description),
                 QStringLiteral("Locked to a reference point"));
        QCOMPARE(Spoken(Control<QWidget>(Form1, "Edit3"), QAccessible::Description),
                 QStringLiteral("Locked to a reference point"));
        QCOMPARE(Spoken(Control<QWidget>(Form1, "Edit2"), QAccessible::Description),
                 QStringLiteral("Not entered"));
        // The line colour swatch says its colour.
        Form4->show();
        QTest::mouseClick(Control<QPushButton>(Form4, "Button1"), Qt::LeftButton);
        const digitize::Colour c = LineColor;
        QCOMPARE(Spoken(Control<QWidget>(Form4, "Panel1")), QStringLiteral("Line colour %1 %2 %3")
                                                                .arg(c & 0xFFu)
                                                                .arg((c >> 8) & 0xFFu)
                                                                .arg((c >> 16) & 0xFFu));
    }

    void theErrorPanelIsAnnouncedAsAnAlert() {
        QWidget *panel = Control<QWidget>(Form2, "Panel1");
        QCOMPARE(QAccessible::queryAccessibleInterface(panel)->role(), QAccessible::AlertMessage);
        FocusWindow(Form2);
        // Max locked at (100, 100): Zero there shares both axes.
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::keyClick(Form2, Qt::Key_A);
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, {}, QPoint(100, 60));
        QVERIFY(!Announced.contains(QAccessible::Alert));
        QTest::keyClick(Form2, Qt::Key_Z);
        QVERIFY(panel->isVisible());
        const auto at = Announced.indexOf(QAccessible::Alert);
        QVERIFY2(at >= 0, "no alert announced");
        QCOMPARE(AnnouncedFor.at(at), panel);
        QVERIFY(!Spoken(panel, QAccessible::Description).isEmpty());
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "tst_keyboardaccess.moc"
