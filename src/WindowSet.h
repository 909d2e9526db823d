// The program's four windows, created in their fixed order (the control
// window first, so it is the main window), and the loupe, created hidden;
// all living until the set ends. The recorded points and the undo stack of
// changes to them outlive every window.
#pragma once

#include "LoupeWindow.h"
#include "RecordedPoints.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"

#include <QUndoStack>

class TWindowSet {
  public:
    TWindowSet();
    // Shows the control and image windows, as at start-up.
    void ShowStartWindows();
    // Loads a picture named on the command line once the windows are up; a
    // file that cannot be read is reported and the program goes on.
    void OpenAtStart(const QString &path);

    // For tests and benchmarks: the recorded points and the steps that changed them.
    RecordedPoints &Points() { return points_; }
    QUndoStack &Undo() { return undo_; }

  private:
    RecordedPoints points_;
    QUndoStack undo_;
    TForm1 form1_{points_, undo_};
    TForm2 form2_{points_, undo_};
    TForm3 form3_;
    TForm4 form4_;
    LoupeWindow loupe_{form2_};
};
