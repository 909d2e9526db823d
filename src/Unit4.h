// The advanced cursor window: the X step rate and its step count, the line
// colour sampled from the picture and its tolerance, Calc-Y, Find-Y, Auto Run
// and Sub-pixel Y, with the check boxes' interlocks.
#pragma once

#include "digitize/calibration/StepRate.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TForm4;
}

class TForm4 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm4(QWidget *parent = nullptr);
    ~TForm4() override;

    void CheckBox1Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void Button1Click();
    void Button2Click();
    void MaskEdit1Change();
    // The step size, box and steps label from the reference points and X
    // values as they are now (the label keeps its units while an X field
    // says no number); never raises an error.
    void StepsFollowCalibration();
    // The step size, box and label as at start.
    void ResetSteps();
    void Edit1Change();
    void Edit1Exit();

  signals:
    // The line colour or its tolerance changed.
    void LineChanged();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    // The steps typed over the reference pixels as they are now, xSpan graph
    // units between the Zero and the step end.
    digitize::StepSettings StepsFor(float xSpan) const;
    // Sets the step size, box and label; throws a field's error.
    void ApplySteps();

    std::unique_ptr<Ui::TForm4> ui;
    QString startLabel_;
    int keptTolerance_; // the tolerance before the field's last edit
};

extern TForm4 *Form4;
