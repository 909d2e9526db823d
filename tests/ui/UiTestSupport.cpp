#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

WindowFixture::WindowFixture() {
    ResetSharedState();
    windows_ = std::make_unique<TWindowSet>();
    windows_->ShowStartWindows();
    QVERIFY(QTest::qWaitForWindowExposed(Form2));
}

WindowFixture::~WindowFixture() {
    windows_.reset();
    // Only the windows of the set may have existed.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox *>(w) != nullptr)
            qFatal("an error box outlived its test");
}

ErrorBoxSeen CatchErrorBox(const std::function<void()> &action) {
    ErrorBoxSeen seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.critical = box->icon() == QMessageBox::Critical;
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();
    action();
    return seen;
}

void FocusWindow(QWidget *window, QWidget *focus) {
    window->show();
    window->raise();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        qWarning("window %s did not become active", qPrintable(window->objectName()));
    (focus != nullptr ? focus : window)->setFocus(Qt::OtherFocusReason);
}

void MoveMouse(QWidget *widget, QPoint at) { QTest::mouseMove(widget, at); }

QStringList Lines(QWidget *plainTextEdit) {
    return qobject_cast<QPlainTextEdit *>(plainTextEdit)->toPlainText().split(QLatin1Char('\n'));
}
