// Locking the Zero and Max reference points: the pixel each is locked at,
// and how a lock shows in the control window's fields and the help window's
// calibration labels.
#pragma once

#include "digitize/calibration/Conversions.h"

enum class ReferencePoint { Zero, Max };

// The pixel a point is locked at now.
digitize::Point &LockedPixel(ReferencePoint which);
// The other point, which a lock must differ from on both axes.
ReferencePoint OtherPoint(ReferencePoint which);

// Locks the point at the pixel: its two fields turn green and the help
// window shows the typed values with the pixel.
void LockReferencePoint(ReferencePoint which, digitize::Point pixel);
