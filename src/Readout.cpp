#include "Readout.h"

#include "SharedState.h"
#include "Unit1.h"
#include "digitize/calibration/AxisText.h"
#include "digitize/calibration/Rounding.h"
#include "digitize/search/BoxAverage.h"
#include "digitize/search/SubPixel.h"

using digitize::Round;

namespace {

// A sub-pixel Y shows a change of a tenth of a pixel.
constexpr double SubPixelFraction = 0.1;

} // namespace

float BoxAverageRow(const digitize::Surface &picture, float X, float Y) {
    return digitize::BoxAverageRow(picture, Round(X), Round(Y), {BoxHalfW, BoxHalfH}, LineColor,
                                   ColorTolerance)
        .value_or(Y);
}

float SubPixelCentreRow(MarkedPicture &picture, const digitize::DrawnMarks &marks, float X,
                        float Y) {
    // The box the estimate reads, around the column the exact X rounds to.
    const MarkedPicture::Lifted lifted(
        picture, marks, digitize::BoxAround({Round(X), Round(Y)}, BoxHalfW, BoxHalfH));
    const auto row = digitize::SubPixelRow(picture.Current(), X, Round(Y), {BoxHalfW, BoxHalfH},
                                           LineColor, ColorTolerance);
    return row ? static_cast<float>(*row) : Y;
}

QString CoordinateText(const digitize::Calibration &calibration, digitize::GraphPoint reading) {
    return QString::fromStdString(digitize::ReadingText(calibration, reading, Form1->IntegerX(),
                                                        SubPixelOn ? SubPixelFraction : 1.0));
}
