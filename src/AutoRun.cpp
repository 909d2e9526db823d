#include "AutoRun.h"

#include "BusyCursor.h"
#include "ReferenceLocks.h"
#include "Unit2.h"
#include "digitize/calibration/AxisStep.h"

void AutoRunDriver::Run() {
    BusyCursor busy;
    do {
        window_.RecordPoint();
        window_.StepCursor(+1);
        window_.FindSquare(CurX, CurY);
    } while (digitize::StepBeforeOrAtEnd(LockedFrame(), {CurX, CurY}, StepPixels));
}
