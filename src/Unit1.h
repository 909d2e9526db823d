// The control window: the four axis value fields, the coordinate readout
// and the log of recorded points. It is the main window: closing it ends
// the program.
#pragma once

#include "digitize/calibration/Axis.h"
#include "digitize/calibration/Conversions.h"
#include "digitize/calibration/NumberReading.h"
#include "digitize/picture/Surface.h"

#include <QList>
#include <QUrl>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

namespace Ui {
class TForm1;
}
class QLineEdit;
class QUndoStack;
class PointsExport;
class RecordedPoints;

// The regional separators that field values are read with (UTF-8), read at
// start-up and again whenever the locale changes.
extern digitize::Separators RegionalSeparators;

enum class AxisField { XZero, XMax, YZero, YMax };

// Field backgrounds, as 0x00BBGGRR.
inline constexpr digitize::Colour FieldPink = 0xCCCCFF;
inline constexpr digitize::Colour FieldLocked = 0xCCFFCC;
inline constexpr digitize::Colour FieldLeft = 0xCCFFFF;
inline constexpr digitize::Colour FieldInvalid = 0x9999FF; // light red: says no one number

class TForm1 : public QWidget {
    Q_OBJECT

  public:
    // Shows the recorded points in the log; both outlive the window.
    TForm1(RecordedPoints &points, QUndoStack &undo, QWidget *parent = nullptr);
    ~TForm1() override;

    // Axis values read afresh from the fields, Zero before Max, stored as
    // floats; throw the field's conversion error, or the refusal of an axis
    // whose two values are the same.
    digitize::AxisValues XAxis() const;
    digitize::AxisValues YAxis() const;
    // Max X value minus Zero X value (Max read first), stored as a float.
    float XSpan() const;

    // The axes as the calibration reads them: X is a time axis when both X
    // fields hold dates, each axis logarithmic when its box is ticked. Throw
    // the fields' conversion error, then the log axis's refusal of values not
    // above zero.
    digitize::Axis XScale() const;
    digitize::Axis YScale() const;
    // Both X fields hold dates.
    bool XDates() const;
    bool LogX() const;
    bool LogY() const;

    QString FieldText(AxisField field) const;
    void SetFieldColour(AxisField field, digitize::Colour colour);
    digitize::Colour FieldColour(AxisField field) const;
    bool IntegerX() const;

    void ShowReadout(const QString &text);
    // The picture's file name, on the button that brings back the image
    // window and in the title; empty when there is no picture.
    void ShowPictureName(const QString &name);
    // Puts the keyboard in the series name field, its text selected, to name
    // the series just started; Enter there hands the keys back to the window.
    void NameSeries(QWidget *returnTo);
    // Saves the recorded points as CSV or as the log's text, in a file and
    // format the user chooses (Ctrl+S in any window); false when there is
    // nothing to save, the user cancels or the file cannot be written.
    bool SaveLog();

    // Ticks the "Marks" box as the image window shows the marks or not.
    void SetMarksChecked(bool shown);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Edit5Exit();
    // Shows the image window, wherever it is, and gives it the keys (Ctrl+I).
    void Button5Click();
    // Files dropped on the control window go to the image window.
    void FormDropFiles(const QList<QUrl> &files);
    void Edit1Exit();
    void Edit2Exit();
    void Edit3Exit();
    void Edit4Exit();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox5Click(bool checked);

  signals:
    // The "Marks" box asks for the recorded points' marks to show or hide.
    void MarksToggled(bool shown);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    QLineEdit *Field(AxisField field) const;
    // Marks a field whose text says no one number, with the reason, keeping
    // its text for the user to correct.
    void MarkInvalid(AxisField field, const QString &reason);
    long double FieldValue(AxisField field) const;
    void FieldExit(AxisField field);
    void FieldEdited(AxisField field);
    // True when no recorded point would be lost, or the user says so.
    bool MayClose();
    void ShowSeriesName();

    std::unique_ptr<Ui::TForm1> ui;
    std::array<digitize::Colour, 4> fieldColours_{};
    std::array<QString, 4> tips_; // the fields' own tooltips, shown while they hold a number
    RecordedPoints &points_;
    QUndoStack &undo_;
    QWidget *namingFrom_ = nullptr; // the window that asked for a name
    std::unique_ptr<PointsExport> export_;
    // Whether the user went into each field (by Tab or a click, not only
    // because its window came forward) or typed in it, and its text when he
    // went in: passing through a locked field leaves it locked, changing its
    // text does not.
    std::array<bool, 4> entered_{};
    std::array<QString, 4> enteredText_;
};

extern TForm1 *Form1;
