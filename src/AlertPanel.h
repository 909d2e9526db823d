// A panel that tells the user an operation was refused: screen readers know
// it as an alert and announce it each time it is shown.
#pragma once

#include <QFrame>

class TAlertPanel : public QFrame {
    Q_OBJECT

  public:
    explicit TAlertPanel(QWidget *parent = nullptr);

  protected:
    void showEvent(QShowEvent *event) override;
};
