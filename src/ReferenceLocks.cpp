#include "ReferenceLocks.h"

#include "RecordCommands.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"

#include <QUndoStack>

#include <array>

namespace {

struct Fields {
    AxisField X;
    AxisField Y;
};

// Whether each point is locked: Zero, Max.
std::array<bool, 2> locked{};

std::size_t IndexOf(ReferencePoint which) {
    return which == ReferencePoint::Zero ? 0 : 1;
}

Fields FieldsOf(ReferencePoint which) {
    return which == ReferencePoint::Zero ? Fields{AxisField::XZero, AxisField::YZero}
                                         : Fields{AxisField::XMax, AxisField::YMax};
}

} // namespace

digitize::Point &LockedPixel(ReferencePoint which) {
    return which == ReferencePoint::Zero ? ZeroPt : MaxPt;
}

bool IsLocked(ReferencePoint which) {
    return locked[IndexOf(which)];
}

void ForgetLocks() {
    locked = {};
}

ReferencePoint OtherPoint(ReferencePoint which) {
    return which == ReferencePoint::Zero ? ReferencePoint::Max : ReferencePoint::Zero;
}

LockState CurrentLock(ReferencePoint which) {
    const Fields fields = FieldsOf(which);
    const auto [xLabel, yLabel] =
        which == ReferencePoint::Zero ? Form3->ZeroLabels() : Form3->MaxLabels();
    return {IsLocked(which),
            LockedPixel(which),
            Form1->FieldColour(fields.X),
            Form1->FieldColour(fields.Y),
            xLabel,
            yLabel};
}

LockState LockAt(ReferencePoint which, digitize::Point pixel) {
    const Fields fields = FieldsOf(which);
    // "Max" takes two blanks so that the "=" lines up with the Zero labels.
    const QString name =
        which == ReferencePoint::Zero ? QStringLiteral("Zero") : QStringLiteral("Max ");
    // Concatenated, not formatted: the field text may hold anything, "%1" too.
    const auto label = [&](const QString &axis, AxisField field, int at) {
        return axis + name + QStringLiteral(" = ") + Form1->FieldText(field) +
               QStringLiteral(" : ") + QString::number(at);
    };
    return {true,
            pixel,
            FieldLocked,
            FieldLocked,
            label(QStringLiteral("X "), fields.X, pixel.X),
            label(QStringLiteral("Y "), fields.Y, pixel.Y)};
}

LockState Unlocked(ReferencePoint which) {
    const auto [xLabel, yLabel] =
        which == ReferencePoint::Zero ? Form3->StartZeroLabels() : Form3->StartMaxLabels();
    return {false,     which == ReferencePoint::Zero ? StartZeroPt : StartMaxPt,
            FieldPink, FieldPink,
            xLabel,    yLabel};
}

void RestoreLock(ReferencePoint which, const LockState &state) {
    const Fields fields = FieldsOf(which);
    locked[IndexOf(which)] = state.Locked;
    LockedPixel(which) = state.Pixel;
    Form1->SetFieldColour(fields.X, state.XColour);
    Form1->SetFieldColour(fields.Y, state.YColour);
    if (which == ReferencePoint::Zero)
        Form3->SetZeroLabels(state.XLabel, state.YLabel);
    else
        Form3->SetMaxLabels(state.XLabel, state.YLabel);
    Form4->StepsFollowCalibration();
}

QString FollowNewPicture(QUndoStack &undo, bool sameSize) {
    if (!IsLocked(ReferencePoint::Zero) && !IsLocked(ReferencePoint::Max) && !Form2->ThirdPoint())
        return {};
    if (sameSize)
        return QStringLiteral("Picture of the same size: calibration kept");
    // Pixels locked on the old picture say nothing about the new one.
    undo.beginMacro(QStringLiteral("New picture size"));
    for (const ReferencePoint which : {ReferencePoint::Zero, ReferencePoint::Max})
        undo.push(new LockCommand(which, Unlocked(which))); // the stack owns it
    if (Form2->ThirdPoint())
        undo.push(new ThirdLockCommand(ThirdUnlocked())); // the stack owns it
    undo.endMacro();
    Form4->ResetSteps();
    return QStringLiteral("Picture of another size: calibration cleared, lock Zero and Max again");
}

ThirdLockState CurrentThirdLock() {
    return {Form2->ThirdPoint(), Form1->FieldColour(AxisField::XMax),
            Form1->FieldColour(AxisField::YZero), Form3->ThirdLabel()};
}

ThirdLockState ThirdLockAt(digitize::Point pixel) {
    return {pixel, FieldLocked, FieldLocked,
            QStringLiteral("C = ") + Form1->FieldText(AxisField::XMax) + QStringLiteral(", ") +
                Form1->FieldText(AxisField::YZero) + QStringLiteral(" : ") +
                QString::number(pixel.X) + QStringLiteral(", ") + QString::number(pixel.Y)};
}

ThirdLockState ThirdUnlocked() {
    return {std::nullopt, Form1->FieldColour(AxisField::XMax), Form1->FieldColour(AxisField::YZero),
            QString()};
}

void RestoreThirdLock(const ThirdLockState &state) {
    Form2->SetThirdPoint(state.Pixel);
    Form1->SetFieldColour(AxisField::XMax, state.XColour);
    Form1->SetFieldColour(AxisField::YZero, state.YColour);
    Form3->SetThirdLabel(state.Label);
    Form4->StepsFollowCalibration();
}

digitize::PixelPoint PixelOf(digitize::Point pixel) {
    return {static_cast<double>(pixel.X), static_cast<double>(pixel.Y)};
}

digitize::Frame LockedFrame() {
    if (const auto third = Form2->ThirdPoint())
        return {PixelOf(ZeroPt), PixelOf(MaxPt), PixelOf(*third)};
    return {PixelOf(ZeroPt), PixelOf(MaxPt)};
}

digitize::Calibration CurrentCalibration() {
    const digitize::Axis x = Form1->XScale();
    return {LockedFrame(), x, Form1->YScale()};
}
