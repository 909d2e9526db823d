// What the window tests share: a fresh window set per test, typed access to
// named controls, and catching the error box that a handler shows.
#pragma once

#include "WindowSet.h"

#include <QRegion>
#include <QString>
#include <QTest>

#include <functional>
#include <memory>

// Settings in a folder of the test's own, never the user's, empty at the
// start of each fixture.
void UseTestSettings();

// Start values, empty settings, the four windows created in order, control
// and image windows shown; the windows are gone when the fixture is.
class WindowFixture {
  public:
    // KeepSettings: as at a new start of the program, with what it remembered.
    enum Settings { FreshSettings, KeepSettings };
    explicit WindowFixture(Settings settings = FreshSettings);
    ~WindowFixture();
    TWindowSet &Windows() { return *windows_; }

  private:
    std::unique_ptr<TWindowSet> windows_;
};

template <class T> T *Control(QWidget *window, const char *name) {
    auto *control = window->findChild<T *>(QString::fromLatin1(name));
    if (control == nullptr)
        qFatal("no control %s in %s", name, qPrintable(window->objectName()));
    return control;
}

struct ErrorBoxSeen {
    bool shown = false;
    QString title;
    QString text;
    bool critical = false;
};

// Runs the action; an error box it opens is read and closed with OK.
ErrorBoxSeen CatchErrorBox(const std::function<void()> &action);

// Makes the window active with the keyboard focus on the given widget.
void FocusWindow(QWidget *window, QWidget *focus = nullptr);

// Moves the mouse over a widget at a point, through the window system.
void MoveMouse(QWidget *widget, QPoint at);

// Types text into one of the control window's fields and leaves it with Tab.
void TypeField(const char *name, const QString &text);

// In the cursor window, as a user does: types the step count, takes the line
// colour under the crosshair, ticks "Use X Step Rate:" and "Find Y Automatically".
void FollowCurveInSteps(const QString &steps);

// Where the image window's picture came from (its path), as the status
// line's tooltip tells; the title holds only the file name.
QString PathShown();

// The lines of a plain text field, once it has caught up with what it shows.
QStringList Lines(QWidget *plainTextEdit);

// The image window's picture as it is now, marks included.
QImage PictureNow();

// Keeps the region of every paint of the widgets it filters.
class PaintRecorder : public QObject {
  public:
    QRegion painted;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Handles the events a change posted, repaints included.
void Settle();

// A picture whose every pixel differs from its neighbours, so stray marks show.
QImage PatternImage(int width, int height);

// A white picture with a black band across it on rows 299 to 301, to follow.
QImage BandImage(int width, int height);

// The pixels where two pictures of one size differ.
QList<QPoint> Differences(const QImage &a, const QImage &b);

// The pixels a cross centred on (x, y) inverts in a w x h picture.
QList<QPoint> CrossPixels(int x, int y, int w, int h);
// The pixels of a box outline with corners (left, top) and (right, bottom), clipped.
QList<QPoint> OutlinePixels(int left, int top, int right, int bottom, int w, int h);
