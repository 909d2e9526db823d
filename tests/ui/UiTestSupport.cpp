#include "UiTestSupport.h"

#include "Settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

namespace {

void SettingsInTestFolder() {
    static QTemporaryDir folder;
    static const bool once = [] {
        QStandardPaths::setTestModeEnabled(true);
        SetProgramNames();
        for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, folder.path());
        return true;
    }();
    Q_UNUSED(once);
}

} // namespace

void UseTestSettings() {
    SettingsInTestFolder();
    QSettings().clear();
}

WindowFixture::WindowFixture(Settings settings) {
    if (settings == KeepSettings)
        SettingsInTestFolder();
    else
        UseTestSettings();
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

void TypeField(const char *name, const QString &text) {
    auto *edit = Control<QLineEdit>(Form1, name);
    FocusWindow(Form1, edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

void FollowCurveInSteps(const QString &steps) {
    Form4->show();
    auto *field = Control<QLineEdit>(Form4, "MaskEdit1");
    FocusWindow(Form4, field);
    field->setCursorPosition(0);
    QTest::keyClicks(field, steps);
    QTest::mouseClick(Control<QPushButton>(Form4, "Button1"), Qt::LeftButton);
    for (const char *name : {"CheckBox1", "CheckBox4"}) {
        auto *box = Control<QCheckBox>(Form4, name);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
    }
}

void MoveMouse(QWidget *widget, QPoint at) {
    QTest::mouseMove(widget, at);
}

QString PathShown() {
    return Control<QLabel>(Form2, "Label2")->toolTip();
}

QStringList Lines(QWidget *plainTextEdit) {
    // The log catches up with the recorded points once events are handled.
    QCoreApplication::sendPostedEvents();
    return qobject_cast<QPlainTextEdit *>(plainTextEdit)->toPlainText().split(QLatin1Char('\n'));
}

QImage PictureNow() {
    const digitize::Surface &picture = Form2->Picture();
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const auto c = picture.Pixel(x, y);
            image.setPixel(x, y,
                           qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                                static_cast<int>((c >> 16) & 0xFF)));
        }
    return image;
}

QImage PatternImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb((x * 37 + y * 11) % 256, (x * 5 + y * 3) % 256, (y * 7) % 256));
    return image;
}

QImage BandImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 299; y <= std::min(301, height - 1); ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    return image;
}

QList<QPoint> Differences(const QImage &a, const QImage &b) {
    QList<QPoint> out;
    if (a.size() != b.size())
        qFatal("pictures of different sizes");
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                out << QPoint(x, y);
    return out;
}

QList<QPoint> CrossPixels(int x, int y, int w, int h) {
    QList<QPoint> out;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            if ((row == y) != (col == x) && (row == y ? col - x >= -1000 && col - x < 1000
                                                      : row - y >= -1000 && row - y < 1000))
                out << QPoint(col, row);
    return out;
}

QList<QPoint> OutlinePixels(int left, int top, int right, int bottom, int w, int h) {
    QList<QPoint> out;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const bool onRow = (row == top || row == bottom) && col >= left && col <= right;
            const bool onColumn = (col == left || col == right) && row >= top && row <= bottom;
            if (onRow || onColumn)
                out << QPoint(col, row);
        }
    return out;
}

bool PaintRecorder::eventFilter(QObject *, QEvent *event) {
    if (event->type() == QEvent::Paint)
        painted += static_cast<QPaintEvent *>(event)->region();
    return false;
}

void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}
