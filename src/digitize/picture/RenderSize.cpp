#include "digitize/picture/RenderSize.h"

#include "digitize/Errors.h"
#include "digitize/picture/Surface.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace digitize {
namespace {

std::int64_t Side(double length, double scale) {
    return std::max<std::int64_t>(1, static_cast<std::int64_t>(std::ceil(length * scale - 1e-9)));
}

bool Fits(double width, double height, double scale) {
    return WithinPictureLimit(Side(width, scale), Side(height, scale));
}

// The largest scale at most `asked` whose picture fits the limit.
RenderSize Fit(double width, double height, double asked) {
    if (!(width > 0 && height > 0) || !std::isfinite(width * height))
        throw Error("The drawing has no size");
    if (Fits(width, height, asked))
        return {static_cast<int>(Side(width, asked)), static_cast<int>(Side(height, asked)), asked,
                false};
    // The sides only grow with the scale: halve the interval to the largest that fits.
    double fits = 0;
    double over = asked;
    for (int i = 0; i < 64; ++i) {
        const double middle = (fits + over) / 2;
        (Fits(width, height, middle) ? fits : over) = middle;
    }
    return {static_cast<int>(Side(width, fits)), static_cast<int>(Side(height, fits)), fits, true};
}

} // namespace

RenderSize PageSize(double widthPoints, double heightPoints, int dpi) {
    return Fit(widthPoints, heightPoints, dpi / 72.0);
}

RenderSize DrawingSize(double width, double height, int longSide) {
    return Fit(width, height, longSide / std::max(width, height));
}

} // namespace digitize
