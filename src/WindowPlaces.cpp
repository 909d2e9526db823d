#include "WindowPlaces.h"

#include "ErrorBox.h"
#include "Settings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

using digitize::Area;

Area ToArea(const QRect &r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// Until a framed window has been seen: a title bar and borders larger than
// most window managers draw, so that a window placed by the guess fits.
const QMargins GuessedMargins(4, 30, 4, 4);

// How often, and how many times, a shown window is looked at until the
// window manager has framed it (two seconds in all).
constexpr int SettleInterval = 50;
constexpr int SettleTries = 40;
constexpr int RecheckDelay = 400;

// The frame's margins as Qt knows them.
QMargins FrameMargins(const QWidget *window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// The largest margin a frame is believed to have.
constexpr int WidestMargin = 200;

// Framed by the window manager, with a title bar above: while it is still
// wrapping a window, Qt may report a frame of one pixel, or none on top.
bool Framed(const QWidget *window) {
    const QMargins m = FrameMargins(window);
    const auto plausible = [](int margin) { return margin >= 0 && margin <= WidestMargin; };
    return m.top() > 0 && plausible(m.left()) && plausible(m.top()) && plausible(m.right()) &&
           plausible(m.bottom());
}

// The narrowest the picture window is made to stay off the control window.
constexpr int NarrowestPicture = 320;

QString PositionKey(const QString &name) {
    return settings::WindowKey(name) + QStringLiteral("/position");
}
QString SizeKey(const QString &name) {
    return settings::WindowKey(name) + QStringLiteral("/size");
}

} // namespace

TWindowPlaces::TWindowPlaces(QObject *parent) : QObject(parent) {}

TWindowPlaces::~TWindowPlaces() = default;

void TWindowPlaces::Manage(QWidget *window, Role role, const QString &name) {
    Managed m;
    m.window = window;
    m.role = role;
    m.name = name;
    windows_.push_back(m);
    // Window managers' rules and desktop tests tell the windows apart by it.
    window->setWindowRole(name);
    window->installEventFilter(this);
}

TWindowPlaces::Managed *TWindowPlaces::Find(const QObject *window) {
    for (Managed &m : windows_)
        if (m.window == window)
            return &m;
    return nullptr;
}

QMargins TWindowPlaces::Margins(const QWidget *window) {
    if (window->isVisible() && Framed(window)) {
        knownMargins_ = FrameMargins(window);
        marginsKnown_ = true;
    }
    return marginsKnown_ ? knownMargins_ : GuessedMargins;
}

QPoint TWindowPlaces::FramePosition(QWidget *window) {
    // Until the window manager has framed it, a shown window's position is
    // its client area's: its frame lies by the guessed margins outside it.
    if (window->testAttribute(Qt::WA_WState_Created) && !Framed(window)) {
        const QMargins margins = Margins(window);
        return window->pos() - QPoint(margins.left(), margins.top());
    }
    return window->pos();
}

Area TWindowPlaces::Frame(QWidget *window) {
    return ToArea(QRect(FramePosition(window), window->size().grownBy(Margins(window))));
}

Area TWindowPlaces::ScreenOf(const QWidget *window) const {
    const QScreen *screen = window->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? ToArea(screen->availableGeometry()) : Area{0, 0, 800, 600};
}

void TWindowPlaces::SetFrame(Managed &m, const Area &frame) {
    QWidget *const w = m.window;
    const QMargins margins = Margins(w);
    QPoint at(frame.Left, frame.Top);
    // Before the window manager has framed a window, Qt takes a position
    // for its client area: leave room for the frame as guessed.
    const bool framed = Framed(w);
    if (w->testAttribute(Qt::WA_WState_Created) && !framed)
        at += QPoint(margins.left(), margins.top());
    w->move(at);
    w->resize(frame.Width - margins.left() - margins.right(),
              frame.Height - margins.top() - margins.bottom());
    m.placedAt = FramePosition(w);
    m.placedSize = w->size();
    m.intended = frame;
    m.settled = framed;
    if (!framed && w->isVisible())
        AwaitFrame(w, SettleTries);
}

void TWindowPlaces::AwaitFrame(QWidget *window, int triesLeft, QRect lastFrame) {
    const QPointer<QWidget> watched = window;
    QTimer::singleShot(SettleInterval, this, [this, watched, triesLeft, lastFrame] {
        Managed *m = watched != nullptr ? Find(watched) : nullptr;
        if (m == nullptr || !watched->isVisible())
            return;
        // Framed, and the same on two looks in a row: the window manager is done.
        const QRect frame = Framed(watched) ? watched->frameGeometry() : QRect();
        if (frame.isValid() && frame == lastFrame)
            Guard([&] { Settle(*m); });
        else if (triesLeft > 1)
            AwaitFrame(watched, triesLeft - 1, frame);
    });
}

void TWindowPlaces::Place(Managed &m) {
    // Every size below counts the same frame: the real one, once any shown
    // window has one.
    for (const Managed &other : windows_)
        Margins(other.window);
    QWidget *const w = m.window;
    if (m.placedSize.isEmpty()) {
        // The first show: the place and size the user gave last time, if any.
        const QSettings remembered;
        if (const QSize size = remembered.value(SizeKey(m.name)).toSize(); size.isValid()) {
            w->resize(size);
            m.userSized = true;
        }
        const QVariant at = remembered.value(PositionKey(m.name));
        if (at.isValid()) {
            const Area frame = ToArea(QRect(at.toPoint(), w->size().grownBy(Margins(w))));
            std::vector<Area> screens;
            for (const QScreen *screen : QGuiApplication::screens())
                screens.push_back(ToArea(screen->availableGeometry()));
            if (const auto on = digitize::ScreenShowing(frame, screens)) {
                m.userPlaced = true;
                SetFrame(m, digitize::FitOnScreen(frame, screens[*on]));
                return;
            }
        }
    }
    if (m.userPlaced) {
        SetFrame(m, digitize::FitOnScreen(Frame(w), ScreenOf(w)));
        return;
    }
    const Area frame = Frame(w);
    PlaceByRole(m, {frame.Width, frame.Height});
}

void TWindowPlaces::PlaceByRole(Managed &m, digitize::Size size) {
    const auto shown = [this, &m](Role role) -> QWidget * {
        for (const Managed &other : windows_)
            if (&other != &m && other.role == role && other.window->isVisible())
                return other.window;
        return nullptr;
    };
    QWidget *const control = shown(Role::Control);
    QWidget *const picture = shown(Role::Picture);
    const Area screen = ScreenOf(control != nullptr ? control : m.window);
    QWidget *anchor = m.role == Role::Tool && picture != nullptr ? picture : control;
    if (m.role == Role::Control || anchor == nullptr) {
        SetFrame(m,
                 digitize::FitOnScreen({screen.Left, screen.Top, size.Width, size.Height}, screen));
        return;
    }
    const Area anchorFrame = MeantFrame(anchor);
    std::vector<Area> others;
    if (m.role == Role::Picture) {
        // As wide as the room beside the control window, unless the user sized it.
        if (!m.userSized)
            size.Width = std::min(size.Width,
                                  std::max(screen.Right() - anchorFrame.Right(), NarrowestPicture));
    } else {
        for (const Managed &other : windows_)
            if (&other != &m && other.window != anchor && other.window->isVisible())
                others.push_back(MeantFrame(other.window));
    }
    SetFrame(m, digitize::PlaceBeside(size, anchorFrame, others, screen));
}

void TWindowPlaces::Settle(Managed &m) {
    // Placed by a guess of the frame: at the corner meant, with the client
    // size given, now that the frame is known; whole on the screen.
    const QSize frameSize = m.placedSize.grownBy(Margins(m.window));
    const Area fitted = digitize::FitOnScreen(
        {m.intended.Left, m.intended.Top, frameSize.width(), frameSize.height()},
        ScreenOf(m.window));
    if (!(Frame(m.window) == fitted))
        SetFrame(m, fitted);
    m.placedAt = FramePosition(m.window);
    m.placedSize = m.window->size();
    m.settled = true;
    // Once more a little later, in case the window manager was not done.
    const QPointer<QWidget> window = m.window;
    QTimer::singleShot(RecheckDelay, this, [this, window] {
        Managed *settled = window != nullptr ? Find(window) : nullptr;
        if (settled == nullptr || !window->isVisible() || !Framed(window))
            return;
        const Area now = Frame(window);
        if (const Area whole = digitize::FitOnScreen(now, ScreenOf(window)); !(whole == now))
            Guard([&] { SetFrame(*settled, whole); });
    });
}

Area TWindowPlaces::MeantFrame(QWidget *window) {
    // A window the window manager has not framed yet will settle where it was meant.
    const Managed *m = Find(window);
    if (m == nullptr || m->settled)
        return Frame(window);
    const QSize size = m->placedSize.grownBy(Margins(window));
    return {m->intended.Left, m->intended.Top, size.width(), size.height()};
}

void TWindowPlaces::Remember(Managed &m) {
    if (m.placedSize.isEmpty())
        return;
    if (FramePosition(m.window) != m.placedAt)
        m.userPlaced = true;
    if (m.window->size() != m.placedSize)
        m.userSized = true;
    QSettings remembered;
    if (m.userPlaced)
        remembered.setValue(PositionKey(m.name), FramePosition(m.window));
    if (m.userSized)
        remembered.setValue(SizeKey(m.name), m.window->size());
}

void TWindowPlaces::ShowWhole(QSize content, QSize chrome) {
    for (Managed &m : windows_) {
        if (m.role != Role::Picture || m.userSized || !m.window->isVisible())
            continue;
        // A size the user gave since the last placing is his.
        if (m.window->size() != m.placedSize) {
            m.userSized = true;
            continue;
        }
        const Area frame = Frame(m.window);
        const QMargins margins = Margins(m.window);
        const digitize::Size size =
            digitize::SizeToShow({content.width(), content.height()},
                                 {chrome.width() + margins.left() + margins.right(),
                                  chrome.height() + margins.top() + margins.bottom()},
                                 frame, ScreenOf(m.window));
        SetFrame(m, {frame.Left, frame.Top, size.Width, size.Height});
    }
}

void TWindowPlaces::RememberAll() {
    for (Managed &m : windows_)
        if (m.window->isVisible())
            Remember(m);
}

bool TWindowPlaces::eventFilter(QObject *watched, QEvent *event) {
    Managed *m = Find(watched);
    if (m != nullptr) {
        Guard([&] {
            switch (event->type()) {
            case QEvent::Show:
                if (!event->spontaneous())
                    Place(*m);
                break;
            case QEvent::Hide:
                if (!event->spontaneous())
                    Remember(*m);
                break;
            default:
                break;
            }
        });
    }
    return QObject::eventFilter(watched, event);
}
