// Where windows go: whole on a screen, tool windows beside the picture where
// there is room, the picture window grown to its picture, remembered places
// taken only where a screen still shows their title.
#include "digitize/placement/WindowPlacement.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace digitize {
void PrintTo(const Area &b, std::ostream *os) {
    *os << "{" << b.Left << ", " << b.Top << ", " << b.Width << " x " << b.Height << "}";
}
void PrintTo(const Size &s, std::ostream *os) {
    *os << s.Width << " x " << s.Height;
}
} // namespace digitize

namespace {

using digitize::Area;
using digitize::Size;

constexpr Area Laptop{0, 0, 1366, 768};
constexpr Area Scaled{0, 0, 960, 540}; // 1920 x 1080 at scale 2
constexpr Area Second{1366, 0, 1920, 1080};

TEST(OverlapArea, CountsSharedPixelsOnly) {
    EXPECT_EQ(digitize::OverlapArea({0, 0, 10, 10}, {10, 0, 10, 10}), 0) << "touching";
    EXPECT_EQ(digitize::OverlapArea({0, 0, 10, 10}, {9, 9, 10, 10}), 1) << "one corner pixel";
    EXPECT_EQ(digitize::OverlapArea({0, 0, 10, 10}, {2, 3, 4, 5}), 20) << "nested";
    EXPECT_EQ(digitize::OverlapArea({0, 0, 10, 10}, {-5, 20, 30, 4}), 0) << "apart";
}

struct FitRow {
    const char *what;
    Area frame, screen, want;
};

TEST(FitOnScreen, MovesAndShrinksOnlyWhatDoesNotFit) {
    const FitRow rows[] = {
        {"whole on the screen keeps its place", {100, 50, 300, 200}, Laptop, {100, 50, 300, 200}},
        {"touching the far corner keeps its place",
         {1066, 568, 300, 200},
         Laptop,
         {1066, 568, 300, 200}},
        {"past the right edge comes back", {1200, 50, 300, 200}, Laptop, {1066, 50, 300, 200}},
        {"past the foot comes up", {100, 700, 300, 200}, Laptop, {100, 568, 300, 200}},
        {"above and left of the screen comes in", {-40, -10, 300, 200}, Laptop, {0, 0, 300, 200}},
        {"taller than the screen is shrunk", {0, 2, 333, 590}, Scaled, {0, 0, 333, 540}},
        {"larger than the screen takes it all", {50, 50, 2000, 900}, Scaled, {0, 0, 960, 540}},
        {"on a second screen stays on it", {1300, 100, 300, 200}, Second, {1366, 100, 300, 200}},
    };
    for (const FitRow &r : rows)
        EXPECT_EQ(digitize::FitOnScreen(r.frame, r.screen), r.want) << r.what;
}

struct ShowingRow {
    const char *what;
    Area frame;
    std::vector<Area> screens;
    std::optional<std::size_t> want;
};

TEST(ScreenShowing, TakesARememberedPlaceOnlyWhereItsTitleCanBeReached) {
    const ShowingRow rows[] = {
        {"on the only screen", {100, 100, 300, 200}, {Laptop}, 0},
        {"off every screen to the right", {3000, 100, 300, 200}, {Laptop}, std::nullopt},
        {"on a screen no longer there", {1500, 100, 300, 200}, {Laptop}, std::nullopt},
        {"the same place with the second screen back", {1500, 100, 300, 200}, {Laptop, Second}, 1},
        {"title above the screen, body on it", {100, -100, 300, 400}, {Laptop}, std::nullopt},
        {"title's foot row on the screen", {100, -19, 300, 400}, {Laptop}, 0},
        {"39 pixels of title seen", {1327, 100, 300, 200}, {Laptop}, std::nullopt},
        {"40 pixels of title seen", {1326, 100, 300, 200}, {Laptop}, 0},
        {"across two screens, on the one showing more", {1266, 10, 300, 200}, {Laptop, Second}, 1},
        {"no screens", {0, 0, 300, 200}, {}, std::nullopt},
    };
    for (const ShowingRow &r : rows)
        EXPECT_EQ(digitize::ScreenShowing(r.frame, r.screens), r.want) << r.what;
}

struct BesideRow {
    const char *what;
    Size frame;
    Area anchor;
    std::vector<Area> others;
    Area screen;
    Area want;
};

constexpr Area Control{0, 0, 280, 580};
constexpr Area Picture{282, 0, 700, 620};

TEST(PlaceBeside, PutsToolWindowsBesideThePictureWhereThereIsRoom) {
    const BesideRow rows[] = {
        {"right of the picture, tops level",
         {335, 590},
         Picture,
         {Control},
         Laptop,
         {982, 0, 335, 590}},
        {"right of a second tool window already there",
         {235, 450},
         Picture,
         {Control, {982, 0, 335, 590}},
         {0, 0, 1920, 1080},
         {1317, 0, 235, 450}},
        {"left when the right has no room",
         {335, 500},
         {600, 0, 700, 600},
         {},
         Laptop,
         {265, 0, 335, 500}},
        {"below when neither side has room",
         {300, 300},
         {100, 0, 800, 400},
         {},
         {0, 0, 1000, 1000},
         {100, 400, 300, 300}},
        {"above when that is the only room",
         {300, 300},
         {100, 600, 800, 400},
         {},
         {0, 0, 1000, 1000},
         {100, 300, 300, 300}},
        {"a place on the screen's right edge when the anchor's top is too low",
         {335, 590},
         {282, 300, 700, 400},
         {Control},
         Laptop,
         {982, 178, 335, 590}},
        {"shrunk to a screen smaller than itself",
         {335, 600},
         {0, 0, 200, 200},
         {},
         Scaled,
         {200, 0, 335, 540}},
    };
    for (const BesideRow &r : rows)
        EXPECT_EQ(digitize::PlaceBeside(r.frame, r.anchor, r.others, r.screen), r.want) << r.what;
}

// Without room beside the picture: whole on the screen, over as little of
// the picture as can be, then over as little of the other windows.
TEST(PlaceBeside, CoversTheLeastOfThePictureWhenThereIsNoRoom) {
    const Area wide{282, 0, 678, 520}; // the picture window on 960 x 540
    const Area control{0, 0, 280, 520};
    const Area help = digitize::PlaceBeside({335, 560}, wide, std::vector{control}, Scaled);
    EXPECT_EQ(digitize::FitOnScreen(help, Scaled), help) << "whole on the screen";
    EXPECT_EQ(help.Height, 540);
    // Over the control window, keeping off all of the picture it can: 53 columns.
    EXPECT_EQ(help.Left, 0);
    EXPECT_EQ(digitize::OverlapArea(help, wide), std::int64_t{53} * 520);
    // A loupe fits whole beside the help window's spot, off the picture.
    const Area loupe = digitize::PlaceBeside({202, 260}, wide, std::vector{control, help}, Scaled);
    EXPECT_EQ(digitize::OverlapArea(loupe, wide), 0);
    EXPECT_GT(digitize::OverlapArea(loupe, control) + digitize::OverlapArea(loupe, help), 0);
}

struct ShowRow {
    const char *what;
    Size content, chrome;
    Area frame, screen;
    Size want;
};

TEST(SizeToShow, GrowsThePictureWindowToItsPictureWithinTheScreen) {
    constexpr Area start{282, 0, 700, 620};
    const ShowRow rows[] = {
        {"a picture that fits is shown whole", {1000, 700}, {10, 40}, start, Laptop, {1010, 740}},
        {"a large picture takes the room to the screen's edges",
         {3000, 2000},
         {10, 40},
         start,
         Laptop,
         {1084, 768}},
        {"a small picture keeps the window's size",
         {300, 200},
         {10, 40},
         start,
         Laptop,
         {700, 620}},
        {"one axis grows, the other keeps", {1000, 100}, {10, 40}, start, Laptop, {1010, 620}},
        {"the frame's corner sets the room",
         {3000, 2000},
         {10, 40},
         {1000, 500, 300, 200},
         Laptop,
         {366, 268}},
    };
    for (const ShowRow &r : rows)
        EXPECT_EQ(digitize::SizeToShow(r.content, r.chrome, r.frame, r.screen), r.want) << r.what;
}

} // namespace
