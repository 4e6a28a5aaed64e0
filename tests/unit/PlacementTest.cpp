#include "window/Placement.h"

#include <gtest/gtest.h>

namespace vornish {
namespace {

// 1024 x 768 pixels at 96 DPI: 15360 x 11520 twips.
constexpr std::int32_t SW = 15360;
constexpr std::int32_t SH = 11520;

ScreenMetrics Screen(int left, int top, int right, int bottom) { return {1024, 768, left, top, right, bottom, 96}; }

TEST(GetTaskBar, MeasuresEachEdgeFromTheWorkArea) {
  std::int32_t taskBar = 4;
  EXPECT_EQ(GetTaskBar(Screen(0, 0, 1024, 740), taskBar), (TaskBarSize{420, 0, 1}));  // bottom, 28 px
  EXPECT_EQ(taskBar, 4);
  taskBar = 2;
  EXPECT_EQ(GetTaskBar(Screen(0, 28, 1024, 768), taskBar), (TaskBarSize{420, 0, 1}));  // top
  EXPECT_EQ(taskBar, 2);
  taskBar = 3;
  EXPECT_EQ(GetTaskBar(Screen(0, 0, 964, 768), taskBar), (TaskBarSize{0, 900, 2}));  // right, 60 px
  EXPECT_EQ(taskBar, 3);
  taskBar = 1;
  EXPECT_EQ(GetTaskBar(Screen(60, 0, 1024, 768), taskBar), (TaskBarSize{0, 900, 2}));  // left
  EXPECT_EQ(taskBar, 1);
}

TEST(GetTaskBar, HiddenTaskBarLeavesThirtyTwipsAndTheSetting) {
  for (std::int32_t setting : {1, 2, 3, 4, 7}) {
    std::int32_t taskBar = setting;
    EXPECT_EQ(GetTaskBar(Screen(0, 0, 1024, 768), taskBar), (TaskBarSize{30, 30, 0}));
    EXPECT_EQ(taskBar, setting);
  }
}

TEST(GetTaskBar, CorrectsASettingOfTheWrongOrientation) {
  std::int32_t taskBar = 4;
  GetTaskBar(Screen(0, 0, 964, 768), taskBar);
  EXPECT_EQ(taskBar, 3) << "a vertical bar while the setting says bottom";
  taskBar = 1;
  GetTaskBar(Screen(0, 0, 1024, 740), taskBar);
  EXPECT_EQ(taskBar, 4) << "a horizontal bar while the setting says left";
  taskBar = 0;
  GetTaskBar(Screen(0, 0, 1024, 740), taskBar);
  EXPECT_EQ(taskBar, 4);
}

TEST(GetTaskBar, ConvertsWithTheScreensDpi) {
  std::int32_t taskBar = 4;
  const ScreenMetrics hiDpi{1536, 1152, 0, 0, 1536, 1110, 144};  // 42 px bar at 150 %
  EXPECT_EQ(GetTaskBar(hiDpi, taskBar).TaskH, 420);
}

TEST(PlaceWindow, WorkedScreens) {
  // Task bar at the bottom, 28 px; fixed to the bottom.
  EXPECT_EQ(PlaceWindow(4, 4, {420, 0, 1}, SW, SH, 510), (TwipsRect{0, 10470, 15360, 630}));
  // Task bar at the right, 60 px; fixed to the right.
  EXPECT_EQ(PlaceWindow(3, 3, {0, 900, 2}, SW, SH, 510), (TwipsRect{13830, 0, 630, 11520}));
  // Task bar at the top, 28 px; fixed to the left.
  EXPECT_EQ(PlaceWindow(1, 2, {420, 0, 1}, SW, SH, 510), (TwipsRect{0, 420, 630, 11100}));
  // Hidden task bar: a 30-twip gap at the bottom.
  EXPECT_EQ(PlaceWindow(4, 4, {30, 30, 0}, SW, SH, 510), (TwipsRect{0, 10860, 15360, 630}));
}

struct Row {
  std::int32_t position, taskBar, left, top, width, height;
};

TEST(PlaceWindow, EveryRowOfThePlacementTable) {
  // TaskH 200, TaskW 300 (both set, so every term shows), B 390: thickness 510.
  const TaskBarSize t{200, 300, 1};
  const Row rows[] = {
      {1, 1, 300, 0, 510, SH - 200},       {1, 2, 0, 200, 510, SH - 200},      {1, 3, 0, 0, 510, SH - 200},
      {1, 4, 0, 0, 510, SH - 200},         {1, 9, 0, 0, 510, SH - 200},        {2, 1, 300, 0, SW - 300, 510},
      {2, 2, 0, 200, SW - 300, 510},       {2, 3, 0, 0, SW - 300, 510},        {2, 4, 0, 0, SW - 300, 510},
      {2, -1, 0, 0, SW - 300, 510},        {3, 2, SW - 510, 200, 510, SH - 200}, {3, 3, SW - 810, 0, 510, SH - 200},
      {3, 1, SW - 510, 0, 510, SH - 200},  {3, 4, SW - 510, 0, 510, SH - 200}, {3, 0, SW - 510, 0, 510, SH - 200},
      {4, 1, 300, SH - 510, SW - 300, 510}, {4, 4, 0, SH - 710, SW, 510},      {4, 2, 0, SH - 510, SW - 300, 510},
      {4, 3, 0, SH - 510, SW - 300, 510},  {4, 5, 0, SH - 510, SW - 300, 510},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(PlaceWindow(r.position, r.taskBar, t, SW, SH, 390), (TwipsRect{r.left, r.top, r.width, r.height}))
        << "Position " << r.position << ", TaskBar " << r.taskBar;
  }
}

TEST(PlaceWindow, FloatingWindowsAreNotMoved) {
  EXPECT_FALSE(PlaceWindow(0, 4, {420, 0, 1}, SW, SH, 510).has_value());
  EXPECT_FALSE(PlaceWindow(5, 4, {420, 0, 1}, SW, SH, 510).has_value());
  EXPECT_FALSE(PlaceWindow(-1, 4, {420, 0, 1}, SW, SH, 510).has_value());
}

}  // namespace
}  // namespace vornish
