// The help window: how to digitize, and the calibration as locked (each
// reference point's typed value and pixel). It can bring back the image window.
#pragma once

#include <QWidget>

#include <memory>
#include <utility>

namespace Ui {
class TForm3;
}

class TForm3 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm3(QWidget *parent = nullptr);
    ~TForm3() override;

    void SetZeroLabels(const QString &x, const QString &y);
    void SetMaxLabels(const QString &x, const QString &y);
    // The labels of a logarithmic axis end with " (log)".
    void SetLogAxes(bool logX, bool logY);
    // The third reference point's label; an empty text hides it.
    void SetThirdLabel(const QString &text);
    QString ThirdLabel() const;
    // The X and Y labels of a point, as its lock wrote them (without the log marks).
    std::pair<QString, QString> ZeroLabels() const;
    std::pair<QString, QString> MaxLabels() const;
    // The labels a point shows before it is ever locked.
    std::pair<QString, QString> StartZeroLabels() const { return startZero_; }
    std::pair<QString, QString> StartMaxLabels() const { return startMax_; }

    void Button1Click();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void ShowLabels();

    std::unique_ptr<Ui::TForm3> ui;
    std::pair<QString, QString> startZero_;
    std::pair<QString, QString> startMax_;
    // The labels as the locks wrote them, before the log marks.
    QString zeroX_, zeroY_, maxX_, maxY_;
    bool logX_ = false;
    bool logY_ = false;
};

extern TForm3 *Form3;
