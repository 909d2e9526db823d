#include "WindowSet.h"

TWindowSet::TWindowSet() = default;

void TWindowSet::ShowStartWindows() {
    form1_.show();
    form2_.show();
}
