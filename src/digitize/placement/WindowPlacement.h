// Where the program's windows go on the desktop: every window whole on a
// screen, the tool windows (help, cursor, loupe) beside the picture rather
// than over it, the picture window as large as its picture where the screen
// has room, and a remembered place used only where a screen still shows it.
//
// Rectangles are in the desktop's device-independent pixels, x to the right
// and y downward; Left and Top are the first pixel, Right() and Bottom() one
// past the last. A window's frame is its outer rectangle, title bar and
// borders included; a screen is given by its available area (without panels
// and docks).
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace digitize {

struct Size {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const Size &, const Size &) = default;
};

struct Area {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    friend bool operator==(const Area &, const Area &) = default;
};

// The pixels two areas share.
std::int64_t OverlapArea(const Area &a, const Area &b);

// The frame moved, and shrunk where it is larger than the screen, so that it
// lies whole on the screen; a frame already whole there keeps its place.
Area FitOnScreen(const Area &frame, const Area &screen);

// How much of a remembered frame's title strip (its top TitleStrip rows)
// a screen must show for the frame to be taken there.
inline constexpr int TitleStrip = 20;
inline constexpr int TitleGrip = 40; // pixels across

// The screen a remembered frame belongs on: the one showing the most of its
// title strip, if one shows at least TitleGrip pixels of it across (so the
// user could have put it there and could drag it); none when every screen
// shows less, and the remembered place is then ignored.
std::optional<std::size_t> ScreenShowing(const Area &frame, std::span<const Area> screens);

// The place for a frame of the given size (shrunk first to fit the screen)
// on the screen: where it covers none of the anchor (the picture window) if
// the screen has room anywhere, then where it covers the least of the other
// windows, then as near as can be to its preferred spot: right of the anchor
// with their top edges level, otherwise left of it, below it, above it.
Area PlaceBeside(Size frame, const Area &anchor, std::span<const Area> others, const Area &screen);

// The frame size that shows content (a picture) of the given size whole,
// for a window whose frame is `chrome` larger than the content: never
// smaller than the frame now, never beyond the screen's edges from the
// frame's top-left corner (the window grows to the right and down).
Size SizeToShow(Size content, Size chrome, const Area &frame, const Area &screen);

} // namespace digitize
