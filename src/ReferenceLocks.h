// Locking the Zero and Max reference points: the pixel each is locked at,
// and how a lock shows in the control window's fields and the help window's
// calibration labels. A lock is a state that an undo puts back whole.
#pragma once

#include "digitize/calibration/Conversions.h"
#include "digitize/picture/Surface.h"

#include <QString>

enum class ReferencePoint { Zero, Max };

// The pixel a point is locked at now.
digitize::Point &LockedPixel(ReferencePoint which);
// The other point, which a lock must differ from on both axes.
ReferencePoint OtherPoint(ReferencePoint which);

// A point's lock and what shows it: its pixel, its two fields' colours and
// its two help labels.
struct LockState {
    digitize::Point Pixel;
    digitize::Colour XColour = 0;
    digitize::Colour YColour = 0;
    QString XLabel;
    QString YLabel;
};

// The point's lock as it is now.
LockState CurrentLock(ReferencePoint which);
// The lock at the pixel: the two fields green, the help window showing the
// values typed now with the pixel.
LockState LockAt(ReferencePoint which, digitize::Point pixel);
// Makes the state the point's lock, everywhere it shows.
void RestoreLock(ReferencePoint which, const LockState &state);
