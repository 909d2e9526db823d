#include "ReferenceLocks.h"

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

digitize::Point &LockedPixel(ReferencePoint which) {
    return which == ReferencePoint::Zero ? ZeroPt : MaxPt;
}

ReferencePoint OtherPoint(ReferencePoint which) {
    return which == ReferencePoint::Zero ? ReferencePoint::Max : ReferencePoint::Zero;
}

void LockReferencePoint(ReferencePoint which, digitize::Point pixel) {
    const bool zero = which == ReferencePoint::Zero;
    LockedPixel(which) = pixel;
    const AxisField x = zero ? AxisField::XZero : AxisField::XMax;
    const AxisField y = zero ? AxisField::YZero : AxisField::YMax;
    Form1->SetFieldColour(x, FieldLocked);
    Form1->SetFieldColour(y, FieldLocked);
    // "Max" takes two blanks so that the "=" lines up with the Zero labels.
    const QString name = zero ? QStringLiteral("Zero") : QStringLiteral("Max ");
    // Concatenated, not formatted: the field text may hold anything, "%1" too.
    const QString xLabel = QStringLiteral("X ") + name + QStringLiteral(" = ") +
                           Form1->FieldText(x) + QStringLiteral(" : ") + QString::number(pixel.X);
    const QString yLabel = QStringLiteral("Y ") + name + QStringLiteral(" = ") +
                           Form1->FieldText(y) + QStringLiteral(" : ") + QString::number(pixel.Y);
    if (zero)
        Form3->SetZeroLabels(xLabel, yLabel);
    else
        Form3->SetMaxLabels(xLabel, yLabel);
}
