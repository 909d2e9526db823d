// The state the image window's digitizing operations share, as module-level
// variables of the image window's unit, in this one place.
#pragma once

#include "digitize/calibration/Conversions.h"
#include "digitize/picture/Surface.h"

#include <cstdint>

// The state shared by the digitizing operations; ResetSharedState gives the
// values every start begins with.
extern float CurX; // crosshair, picture pixels (fractions kept)
extern float CurY;
extern digitize::Point ZeroPt; // locked reference pixels; always differ in X and in Y
extern digitize::Point MaxPt;
inline constexpr digitize::Point StartZeroPt{0, 0}; // before any lock
inline constexpr digitize::Point StartMaxPt{100, 100};
extern bool CrossDrawn;        // the cross is in the picture
extern bool BoxDrawn;          // the box is in the picture
extern bool XStepOn;           // Ctrl+Left/Right step along X
extern bool BoxShown;          // the box is drawn with the cross
extern std::int32_t StepIndex; // step the crosshair was last moved to
extern float StepPixels;       // pixels per step along X
inline constexpr float StartStepPixels = 10.0F;
inline constexpr std::int32_t StartBoxHalfW = 15;
extern std::int32_t BoxHalfW;
extern std::int32_t BoxHalfH;      // never changes
extern bool CalcYOn;               // Y readout is the box average
extern bool FindYOn;               // steps search the column for the curve
extern digitize::Colour LineColor; // colour of the curve being followed
extern int ColorTolerance;         // how far a curve pixel's channels may lie from LineColor
extern bool LineColorSet;          // LineColor was sampled from the picture
extern bool SubPixelOn;            // Y readout and log are the curve's sub-pixel centre
void ResetSharedState();
