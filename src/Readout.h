// The readout of a picture position: its graph Y as the cursor settings
// estimate it (the row itself, the box average of the curve around it, or
// the curve's sub-pixel centre), and its coordinate text at the decimals the
// calibration shows.
#pragma once

#include "MarkedPicture.h"
#include "digitize/calibration/Calibration.h"

#include <QString>

// The weighted mean row of the curve's pixels in the box around (X, Y), or Y
// when the box holds none.
float BoxAverageRow(const digitize::Surface &picture, float X, float Y);

// The curve's centre row at the exact X, read with the crosshair's marks
// taken out of the box it reads; Y when no line is found there.
float SubPixelCentreRow(MarkedPicture &picture, const digitize::DrawnMarks &marks, float X,
                        float Y);

// "X , Y" for a reading of the calibration: linear values at the decimals
// the calibration shows, log values to the significant digits a pixel is
// worth, dates in ISO 8601.
QString CoordinateText(const digitize::Calibration &calibration, digitize::GraphPoint reading);
