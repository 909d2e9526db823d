// The page chooser: a small window beside the picture while it shows a PDF
// page or an SVG drawing, to choose the page and the resolution it is drawn
// at. Each choice renders the picture afresh and hands it to the receiver.
// Its controls are named apart from the image window's, whose child it is.
#pragma once

#include "DrawnPicture.h"
#include "digitize/picture/Surface.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class PageChooser;
}

class PageChooser : public QWidget {
    Q_OBJECT

  public:
    explicit PageChooser(QWidget *parent = nullptr);
    ~PageChooser() override;

    // Takes the document the picture now shown was rendered from (page 1 at
    // its default resolution, with the note of that rendering) and shows
    // itself; with none, forgets the document it had and hides.
    void Offer(std::unique_ptr<DrawnPicture> drawn, const QString &note = QString());
    // Receives each picture rendered for a new choice.
    void SetReceiver(std::function<void(digitize::Surface)> receiver);

    bool HasDocument() const { return drawn_ != nullptr; }

  private:
    void Render();

    std::unique_ptr<Ui::PageChooser> ui;
    std::unique_ptr<DrawnPicture> drawn_;
    std::function<void(digitize::Surface)> receiver_;
    // The choice last shown, kept when a rendering fails.
    int page_ = 1;
    int resolution_ = 0;
};
