#include "AutoRun.h"

#include "BusyCursor.h"
#include "ReferenceLocks.h"
#include "Unit2.h"
#include "digitize/calibration/AxisStep.h"
#include "digitize/calibration/Rounding.h"
#include "digitize/search/CurveTracker.h"

#include <QScopeGuard>

void AutoRunDriver::Run() {
    BusyCursor busy;
    const digitize::YReading reading = SubPixelOn ? digitize::YReading::SubPixel
                                       : CalcYOn  ? digitize::YReading::BoxAverage
                                                  : digitize::YReading::Row;
    digitize::CurveTracker tracker(
        {{BoxHalfW, BoxHalfH}, LineColor, ColorTolerance, window_.Picture().Height(), reading},
        CurY);
    // What was recorded before a field's value stopped the run is said too.
    const auto summary =
        qScopeGuard([&] { window_.ShowStatus(RunSummary(tracker.Recorded(), tracker.Skipped())); });
    // The first step is where the user left the crosshair; the one that
    // passes the end is shown but not searched.
    float x = CurX;
    while (true) {
        const digitize::TrackStep step = window_.SettleOnLine(tracker, x);
        if (step.Found)
            window_.RecordAt(CurX, static_cast<float>(step.Value));
        ++StepIndex;
        // Along the chart's X axis as drawn: with a third point, a slanted line.
        const auto to = digitize::StepAlongX(LockedFrame(), StepIndex, StepPixels, {CurX, CurY});
        x = to.X;
        const float crosshairX = SubPixelOn ? x : static_cast<float>(digitize::Round(x));
        if (!digitize::StepBeforeOrAtEnd(LockedFrame(), {crosshairX, to.Y}, StepPixels)) {
            window_.MoveCrosshair(crosshairX, to.Y);
            break;
        }
    }
}

QString RunSummary(int recorded, int skipped) {
    return (recorded == 1 ? QStringLiteral("1 point") : QStringLiteral("%1 points").arg(recorded)) +
           (skipped == 1 ? QStringLiteral(", 1 step without the line skipped")
                         : QStringLiteral(", %1 steps without the line skipped").arg(skipped));
}
