// The program's four windows, created in their fixed order (the control
// window first, so it is the main window), and the loupe, created hidden;
// all living until the set ends. The recorded points and the undo stack of
// changes to them outlive every window. The set places the windows on the
// screens and holds the keys that belong to no one window (Ctrl+O).
#pragma once

#include "LoupeWindow.h"
#include "RecordedPoints.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "WindowPlaces.h"

#include <QUndoStack>

class TWindowSet {
  public:
    TWindowSet();
    ~TWindowSet();
    TWindowSet(const TWindowSet &) = delete;
    TWindowSet &operator=(const TWindowSet &) = delete;

    // Which of the start windows takes the keys: the control window, to type
    // the axis values first, or the image window, for a picture named at start.
    enum class StartKeys { Control, Picture };
    // Shows the control and image windows, as at start-up.
    void ShowStartWindows(StartKeys keys = StartKeys::Control);
    // Loads a picture named on the command line once the windows are up,
    // and gives the image window the keys; a file that cannot be read is
    // reported and the program goes on.
    void OpenAtStart(const QString &path);
    // Ctrl+O: asks for a picture and opens it in the image window.
    void OpenPicture();

    // For tests and benchmarks: the recorded points and the steps that changed them.
    RecordedPoints &Points() { return points_; }
    QUndoStack &Undo() { return undo_; }

  private:
    // The picture's name in the control window, the image window grown to it.
    void ShowNewPicture();

    RecordedPoints points_;
    QUndoStack undo_;
    TForm1 form1_{points_, undo_};
    TForm2 form2_{points_, undo_};
    TForm3 form3_;
    TForm4 form4_;
    LoupeWindow loupe_{form2_};
    TWindowPlaces places_;
};
