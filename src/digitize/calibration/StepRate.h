// The step-rate cursor: the step count typed by the user, the step size in
// pixels and graph units, the box width that follows from it, and where a
// step lands. Positions are 32-bit floats computed in extended precision.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace digitize {

// The digits of the text read left to right as one number, every other
// character skipped; 1 when that number is not above 0.
int DigitsValue(std::string_view text);

struct StepSettings {
    float StepPixels = 10.0F; // pixels per step along X; negative when Max is left of Zero
    int BoxHalfW = 15;        // Round(StepPixels / 2 + 1), no absolute value taken
    std::string Label;        // e.g. " 30 Steps = 1.0"
};

// n steps between the Zero and Max X pixels; xUnits is Max X value - Zero X value.
StepSettings ComputeSteps(int n, float xUnits, std::int32_t zeroX, std::int32_t maxX);

// ZeroX + stepIndex * stepPixels, as a 32-bit float.
float StepX(std::int32_t zeroX, std::int32_t stepIndex, float stepPixels);

// Whether Auto Run goes on from curX: the crosshair has not yet passed maxX
// in the direction of the step.
bool BeforeOrAtMax(float curX, std::int32_t maxX, float stepPixels);

} // namespace digitize
