#include "AutoRun.h"

#include "BusyCursor.h"
#include "Unit2.h"
#include "digitize/calibration/StepRate.h"

void AutoRunDriver::Run() {
    BusyCursor busy;
    do {
        window_.RecordPoint();
        window_.StepCursor(+1);
        window_.FindSquare(CurX, CurY);
    } while (digitize::BeforeOrAtMax(CurX, MaxPt.X, StepPixels));
}
