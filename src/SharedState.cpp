#include "SharedState.h"

#include "digitize/search/Colour.h"

float CurX;
float CurY;
digitize::Point ZeroPt;
digitize::Point MaxPt;
bool CrossDrawn;
bool BoxDrawn;
bool XStepOn;
bool BoxShown;
std::int32_t StepIndex;
float StepPixels;
std::int32_t BoxHalfW;
std::int32_t BoxHalfH;
bool CalcYOn;
bool FindYOn;
digitize::Colour LineColor;
int ColorTolerance;
bool LineColorSet;
bool SubPixelOn;

namespace {

// The shared state holds its start values before any window exists.
struct StartValues {
    StartValues() { ResetSharedState(); }
} startValues;

} // namespace

void ResetSharedState() {
    CurX = -10.0F;
    CurY = -10.0F;
    ZeroPt = StartZeroPt;
    MaxPt = StartMaxPt;
    CrossDrawn = false;
    BoxDrawn = false;
    XStepOn = false;
    BoxShown = false;
    StepIndex = 0;
    StepPixels = StartStepPixels;
    BoxHalfW = StartBoxHalfW;
    BoxHalfH = 15;
    CalcYOn = false;
    FindYOn = false;
    LineColor = 0;
    ColorTolerance = digitize::DefaultTolerance;
    LineColorSet = false;
    SubPixelOn = false;
}
