// The loupe window: the picture magnified around the crosshair, or around
// the mouse while the mouse moves over the picture, with that pixel's place
// and colour. It is created hidden; closing it only hides it.
#pragma once

#include "PictureSource.h"
#include "digitize/calibration/Conversions.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class LoupeWindow;
}

class LoupeWindow : public QWidget {
    Q_OBJECT

  public:
    // Shows what the source shows; the source outlives the loupe.
    explicit LoupeWindow(PictureSource &source, QWidget *parent = nullptr);
    ~LoupeWindow() override;

    // Each only stores the pixel to show and asks for a repaint, so a run
    // of many moves draws the loupe once.
    void FollowCrosshair(digitize::Point pixel);
    void FollowMouse(digitize::Point pixel);
    void MouseLeft();
    // The picture or the line colour changed without a move.
    void Refresh();

    // Shows the loupe on top without taking the keyboard from the window
    // that has it: it has nothing to type into.
    void ShowAndRaise();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void Changed();
    void ShowText();

    std::unique_ptr<Ui::LoupeWindow> ui;
    PictureSource &source_;
    digitize::Point crosshair_{-10, -10};
    std::optional<digitize::Point> mouse_;
    bool textQueued_ = false;
};

extern LoupeWindow *Loupe;
