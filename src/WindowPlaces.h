// Puts the program's windows on their screens by the rules of
// digitize/placement, and remembers through QSettings the places and sizes
// the user gives them. The windows need no code of their own: the window set
// hands each one here with its role, and its show and hide events do the rest.
#pragma once

#include "digitize/placement/WindowPlacement.h"

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QWidget;

class TWindowPlaces : public QObject {
    Q_OBJECT

  public:
    // The control window goes first, at its screen's top-left corner; the
    // picture window beside it; tool windows beside the picture.
    enum class Role { Control, Picture, Tool };

    explicit TWindowPlaces(QObject *parent = nullptr);
    ~TWindowPlaces() override;
    TWindowPlaces(const TWindowPlaces &) = delete;
    TWindowPlaces &operator=(const TWindowPlaces &) = delete;

    // Takes care of a window from its next show on; `name` files its place
    // and is its window role.
    void Manage(QWidget *window, Role role, const QString &name);
    // Grows the picture window so that it shows content of the given size
    // whole, where its screen has room and the user has not sized it. chrome:
    // the client size less the viewport the content is shown in.
    void ShowWhole(QSize content, QSize chrome);
    // Files the places the user gave the windows still shown (at exit).
    void RememberAll();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    struct Managed {
        QWidget *window = nullptr;
        Role role = Role::Tool;
        QString name;
        QPoint placedAt;         // frame top-left as the program last set it
        QSize placedSize;        // client size as the program last set it
        digitize::Area intended; // the frame as the program last meant it
        bool settled = true;     // framed where it was meant
        bool userPlaced = false;
        bool userSized = false;
    };

    Managed *Find(const QObject *window);
    void Place(Managed &m);
    void PlaceByRole(Managed &m, digitize::Size frame);
    // Looks at a shown window until the window manager has framed it, then
    // settles it whole on its screen.
    void AwaitFrame(QWidget *window, int triesLeft, QRect lastFrame = {});
    void Settle(Managed &m);
    void Remember(Managed &m);
    void SetFrame(Managed &m, const digitize::Area &frame);
    QMargins Margins(const QWidget *window);
    QPoint FramePosition(QWidget *window);
    digitize::Area Frame(QWidget *window);
    // Where a window's frame is, or will be once the window manager has framed it.
    digitize::Area MeantFrame(QWidget *window);
    digitize::Area ScreenOf(const QWidget *window) const;

    std::vector<Managed> windows_;
    QMargins knownMargins_; // a framed window's, once one was seen
    bool marginsKnown_ = false;
};
