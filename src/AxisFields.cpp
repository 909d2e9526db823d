// The control window's four axis fields: their colours and what they tell a
// screen reader, reading them as numbers or dates, and leaving them.
#include "Unit1.h"
#include "ui_Unit1.h"

#include "Unit2.h"
#include "WindowLook.h"
#include "digitize/calibration/DateValue.h"
#include "digitize/calibration/FieldValue.h"

namespace {

// What a field's colour tells, for those who cannot see it.
QString FieldState(digitize::Colour colour) {
    if (colour == FieldLocked)
        return QStringLiteral("Locked to a reference point");
    if (colour == FieldLeft)
        return QStringLiteral("Entered, not locked");
    if (colour == FieldInvalid)
        return QStringLiteral("Not a number");
    return QStringLiteral("Not entered");
}

} // namespace

QLineEdit *TForm1::Field(AxisField field) const {
    switch (field) {
    case AxisField::XZero:
        return ui->Edit1;
    case AxisField::XMax:
        return ui->Edit2;
    case AxisField::YZero:
        return ui->Edit3;
    case AxisField::YMax:
        break;
    }
    return ui->Edit4;
}

QString TForm1::FieldText(AxisField field) const {
    return Field(field)->text();
}

digitize::Colour TForm1::FieldColour(AxisField field) const {
    return fieldColours_[static_cast<std::size_t>(field)];
}

void TForm1::SetFieldColour(AxisField field, digitize::Colour colour) {
    fieldColours_[static_cast<std::size_t>(field)] = colour;
    look::SetBackground(Field(field), colour);
    Field(field)->setAccessibleDescription(FieldState(colour));
    Field(field)->setToolTip(tips_[static_cast<std::size_t>(field)]);
}

void TForm1::MarkInvalid(AxisField field, const QString &reason) {
    SetFieldColour(field, FieldInvalid);
    Field(field)->setAccessibleDescription(FieldState(FieldInvalid) + QStringLiteral(": ") +
                                           reason);
    Field(field)->setToolTip(reason);
    Form2->ShowStatus(reason);
}

long double TForm1::FieldValue(AxisField field) const {
    return digitize::ReadFieldValue(FieldText(field).toStdString(), RegionalSeparators);
}

digitize::AxisValues TForm1::XAxis() const {
    const float zero = digitize::ToSingle(FieldValue(AxisField::XZero));
    const digitize::AxisValues axis{zero, digitize::ToSingle(FieldValue(AxisField::XMax))};
    digitize::CheckAxisValues(axis, "X");
    return axis;
}

digitize::AxisValues TForm1::YAxis() const {
    const float zero = digitize::ToSingle(FieldValue(AxisField::YZero));
    const digitize::AxisValues axis{zero, digitize::ToSingle(FieldValue(AxisField::YMax))};
    digitize::CheckAxisValues(axis, "Y");
    return axis;
}

float TForm1::XSpan() const {
    const long double max = FieldValue(AxisField::XMax);
    return digitize::ToSingle(max - FieldValue(AxisField::XZero));
}

bool TForm1::XDates() const {
    return digitize::ReadDate(FieldText(AxisField::XZero).toStdString()) &&
           digitize::ReadDate(FieldText(AxisField::XMax).toStdString());
}

digitize::Axis TForm1::XScale() const {
    const std::string zero = FieldText(AxisField::XZero).toStdString();
    const std::string max = FieldText(AxisField::XMax).toStdString();
    if (const auto dates = digitize::DateAxis(zero, max, LogX(), "X"))
        return *dates;
    return digitize::NumberAxis(XAxis(), LogX(), "X", zero, max);
}

digitize::Axis TForm1::YScale() const {
    return digitize::NumberAxis(YAxis(), LogY(), "Y", FieldText(AxisField::YZero).toStdString(),
                                FieldText(AxisField::YMax).toStdString());
}

bool TForm1::LogX() const {
    return ui->CheckBox2->isChecked();
}

bool TForm1::LogY() const {
    return ui->CheckBox3->isChecked();
}

bool TForm1::IntegerX() const {
    return ui->CheckBox1->isChecked();
}

void TForm1::FieldExit(AxisField field) {
    const auto i = static_cast<std::size_t>(field);
    // Given the focus as its window came forward, and left untouched.
    if (!entered_[i])
        return;
    entered_[i] = false;
    // The text stays as typed: it is read as the number the user meant (or a
    // date along X), or marked with the reason it says none.
    const std::string text = FieldText(field).toStdString();
    const bool xField = field == AxisField::XZero || field == AxisField::XMax;
    const digitize::NumberReading reading = digitize::ReadNumber(text, RegionalSeparators);
    if (!reading.Value && !(xField && digitize::ReadDate(text))) {
        MarkInvalid(field, QString::fromStdString(reading.Problem));
        return;
    }
    // Only passed through with Tab: the lock still matches the text.
    if (FieldColour(field) == FieldLocked && FieldText(field) == enteredText_[i])
        return;
    SetFieldColour(field, FieldLeft);
}

void TForm1::FieldEdited(AxisField field) {
    entered_[static_cast<std::size_t>(field)] = true;
    if (FieldColour(field) == FieldLocked)
        SetFieldColour(field, FieldLeft);
}

void TForm1::Edit1Exit() {
    FieldExit(AxisField::XZero);
}
void TForm1::Edit2Exit() {
    FieldExit(AxisField::XMax);
}
void TForm1::Edit3Exit() {
    FieldExit(AxisField::YZero);
}
void TForm1::Edit4Exit() {
    FieldExit(AxisField::YMax);
}
