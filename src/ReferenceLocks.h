// Locking the Zero and Max reference points and the optional third point
// (the chart's point X Max, Y Zero): whether each is locked and at which
// pixel, and how a lock shows in the control window's fields and the help
// window's calibration labels. A lock is a state that an undo puts back
// whole; the step size follows every change of it.
#pragma once

#include "digitize/calibration/Calibration.h"
#include "digitize/calibration/Conversions.h"
#include "digitize/picture/Surface.h"

#include <QString>

#include <optional>

class QUndoStack;

enum class ReferencePoint { Zero, Max };

// The pixel a point is locked at now (its start pixel while not locked).
digitize::Point &LockedPixel(ReferencePoint which);
// Whether the user has locked the point (and no new picture size undid it).
bool IsLocked(ReferencePoint which);
// Neither point locked, as at start.
void ForgetLocks();
// The other point, which a lock must differ from on both axes.
ReferencePoint OtherPoint(ReferencePoint which);

// A point's lock and what shows it: its pixel, its two fields' colours and
// its two help labels.
struct LockState {
    bool Locked = false;
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
// The point as it is before any lock: its start pixel, its fields pink, its
// help labels' start text.
LockState Unlocked(ReferencePoint which);
// Makes the state the point's lock, everywhere it shows, and recomputes the
// step size from the points as they are now.
void RestoreLock(ReferencePoint which, const LockState &state);

// The third point's lock: none until C locks it; its fields are X Max and Y Zero.
struct ThirdLockState {
    std::optional<digitize::Point> Pixel;
    digitize::Colour XColour = 0;
    digitize::Colour YColour = 0;
    QString Label; // empty while there is no third point
};

ThirdLockState CurrentThirdLock();
// The lock at the pixel: X Max and Y Zero green, the help window showing
// "C = <X Max>, <Y Zero> : <x>, <y>".
ThirdLockState ThirdLockAt(digitize::Point pixel);
// No third point: the fields keep their colours.
ThirdLockState ThirdUnlocked();
void RestoreThirdLock(const ThirdLockState &state);

digitize::PixelPoint PixelOf(digitize::Point pixel);
// The locked pixels: Zero, Max and the third point when there is one.
digitize::Frame LockedFrame();
// The locked pixels with the axes as the fields and log boxes say now;
// throws the fields' errors and a log axis's refusal.
digitize::Calibration CurrentCalibration();

// After a new picture: the locks stay for one of the same size; for one of
// another size they are cleared (the third point too), as one step to undo,
// and the step size goes back to its start. Answers what the status line says of it, nothing when
// no point was locked.
QString FollowNewPicture(QUndoStack &undo, bool sameSize);
