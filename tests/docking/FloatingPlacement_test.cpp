#include "docking/core/FloatingPlacement.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

using dockwins::IsCaptionReachable;
using dockwins::PlaceFloatingWindow;
using dockwins::RECT;

std::string Text(const RECT& r)
{
    std::ostringstream out;
    out << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
    return out.str();
}

const std::vector<RECT> kOneScreen{{0, 0, 1920, 1080}};
// A second screen to the right, lower and smaller; a panel at the top of the first.
const std::vector<RECT> kTwoScreens{{0, 30, 1920, 1080}, {1920, 200, 3200, 1000}};

TEST(FloatingPlacement, CaptionReachableNeedsAGrabOfTheTopRowsOnOneScreen)
{
    struct Case {
        RECT window;
        bool reachable;
    } cases[] = {
        {{400, 300, 700, 500}, true},
        {{-260, 300, 40, 500}, true},     // 40 px of the caption on the left edge
        {{-261, 300, 39, 500}, false},
        {{1880, 1070, 2180, 1270}, true}, // the corner: 40 x 10
        {{1881, 1070, 2181, 1270}, false},
        {{400, 1071, 700, 1271}, false},
        {{400, -1, 700, 199}, false},     // the top rows above the screen
        {{400, 29, 700, 229}, true},
        {{5000, 5000, 5300, 5200}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsCaptionReachable(c.window, kOneScreen), c.reachable) << Text(c.window);
    EXPECT_FALSE(IsCaptionReachable({400, 29, 700, 229}, kTwoScreens));  // under the panel
    EXPECT_TRUE(IsCaptionReachable({3000, 500, 3300, 700}, kTwoScreens));
    EXPECT_FALSE(IsCaptionReachable({3000, 100, 3300, 300}, kTwoScreens));  // above the second screen
    EXPECT_FALSE(IsCaptionReachable({400, 300, 700, 500}, {}));
}

TEST(FloatingPlacement, PlacesEachWindowWithinReach)
{
    struct Case {
        const char* name;
        RECT wanted;
        unsigned edges;
        std::vector<RECT> screens;
        RECT placed;
    } cases[] = {
        {"reachable stays", {400, 300, 700, 500}, 0, kOneScreen, {400, 300, 700, 500}},
        {"partly off screen but reachable stays", {-200, 900, 100, 1100}, 0, kOneScreen, {-200, 900, 100, 1100}},
        {"below the minimum grows right and down", {400, 300, 450, 320}, 0, kOneScreen, {400, 300, 500, 400}},
        {"a stored rectangle off every screen comes onto the nearest",
         {5000, 5000, 5300, 5200}, 0, kOneScreen, {1620, 880, 1920, 1080}},
        {"far to the left", {-5000, 300, -4700, 500}, 0, kOneScreen, {0, 300, 300, 500}},
        {"above the screen", {400, -902, 700, 500}, 0, kOneScreen, {400, 0, 700, 1402}},
        {"larger than the screen stands at its corner", {-100, -100, 4000, 3000}, 0, kOneScreen,
         {0, 0, 4100, 3100}},
        {"the nearer of two screens", {3500, 600, 3800, 800}, 0, kTwoScreens, {2900, 600, 3200, 800}},
        {"under the panel", {400, 10, 700, 210}, 0, kTwoScreens, {400, 30, 700, 230}},
        {"no screen: the minimum only", {5000, 5000, 5010, 5010}, 0, {}, {5000, 5000, 5100, 5100}},
        {"coordinates far out", {-2147483647, -2147483647, 2147483647, 2147483647}, 0, kOneScreen,
         {0, 0, 1 << 24, 1 << 24}},
        // Resizes: the moving edges are held back.
        {"the top-left corner 600 up: the top stops at the screen", {400, -300, 700, 500},
         dockwins::kEdgeLeft | dockwins::kEdgeTop, kOneScreen, {400, 0, 700, 500}},
        {"the top edge far down stops at the minimum", {400, 400, 700, 500}, dockwins::kEdgeTop, kOneScreen,
         {400, 400, 700, 500}},
        {"the left edge below the minimum grows leftwards", {690, 300, 700, 500}, dockwins::kEdgeLeft, kOneScreen,
         {600, 300, 700, 500}},
        {"the right edge pulled left of the screen comes back", {-400, 300, -300, 500}, dockwins::kEdgeRight,
         kOneScreen, {-400, 300, 40, 500}},
        {"the left edge pushed past the right of the screen comes back", {1950, 300, 2050, 500}, dockwins::kEdgeLeft,
         kOneScreen, {1880, 300, 2050, 500}},
        {"the bottom edge far past the screen is reachable as it is", {400, 300, 700, 9000}, dockwins::kEdgeBottom,
         kOneScreen, {400, 300, 700, 9000}},
        {"the right edge far past the screen is reachable as it is", {400, 300, 9000, 500}, dockwins::kEdgeRight,
         kOneScreen, {400, 300, 9000, 500}},
        {"a bottom resize of a window above the screen moves it", {400, -500, 700, 300}, dockwins::kEdgeBottom,
         kOneScreen, {400, 0, 700, 800}},
    };
    for (const Case& c : cases) {
        const RECT placed = PlaceFloatingWindow(c.wanted, 100, 100, c.screens, c.edges);
        EXPECT_EQ(placed, c.placed) << c.name << ": " << Text(placed);
    }
}

TEST(FloatingPlacement, EveryPlacementIsReachableAtItsMinimumAndStaysPut)
{
    // Any rectangle, screens and edges: the result is at least the minimum,
    // reachable, and placing it again changes nothing.
    std::mt19937 random(23);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 20000; ++round) {
        std::vector<RECT> screens;
        for (int n = pick(1, 3); n > 0; --n) {
            const int x = pick(-3000, 3000);
            const int y = pick(-2000, 2000);
            screens.push_back({x, y, x + pick(1, 2500), y + pick(1, 1500)});
        }
        const int x = pick(-9000, 9000);
        const int y = pick(-9000, 9000);
        const RECT wanted{x, y, x + pick(-50, 6000), y + pick(-50, 6000)};
        const unsigned edges = static_cast<unsigned>(pick(0, 15));
        const RECT placed = PlaceFloatingWindow(wanted, 100, 100, screens, edges);
        ASSERT_GE(placed.Width(), 100) << Text(wanted);
        ASSERT_GE(placed.Height(), 100) << Text(wanted);
        ASSERT_TRUE(IsCaptionReachable(placed, screens)) << Text(wanted) << " -> " << Text(placed) << " edges " << edges;
        ASSERT_EQ(PlaceFloatingWindow(placed, 100, 100, screens, edges), placed) << Text(wanted);
        ASSERT_EQ(PlaceFloatingWindow(placed, 100, 100, screens), placed) << Text(wanted);
    }
}

}  // namespace
