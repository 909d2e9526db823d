#include "digitize/calibration/StepRate.h"

#include "digitize/calibration/NumberText.h"
#include "digitize/calibration/Rounding.h"

#include <limits>

namespace digitize {

int DigitsValue(std::string_view text) {
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            continue;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max())
            value = std::numeric_limits<int>::max();
    }
    return value > 0 ? static_cast<int>(value) : 1;
}

StepSettings ComputeSteps(int n, float xUnits, std::int32_t zeroX, std::int32_t maxX) {
    StepSettings s;
    s.StepPixels = static_cast<float>((static_cast<long double>(maxX) - zeroX) / n);
    const auto units = static_cast<float>(static_cast<long double>(xUnits) / n);
    s.Label = IntegerText(n, 3) + " Steps = " + FixedText(units, 1, 3);
    s.BoxHalfW = Round(static_cast<double>(s.StepPixels) / 2 + 1);
    return s;
}

float StepX(std::int32_t zeroX, std::int32_t stepIndex, float stepPixels) {
    return static_cast<float>(static_cast<long double>(zeroX) +
                              static_cast<long double>(stepIndex) * stepPixels);
}

bool BeforeOrAtMax(float curX, std::int32_t maxX, float stepPixels) {
    if (stepPixels > 0)
        return static_cast<double>(maxX) >= static_cast<double>(curX);
    if (stepPixels < 0)
        return static_cast<double>(maxX) <= static_cast<double>(curX);
    return false;
}

} // namespace digitize
