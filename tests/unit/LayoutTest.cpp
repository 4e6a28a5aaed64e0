#include "core/Layout.h"

#include <gtest/gtest.h>

namespace vornish {
namespace {

struct Example {
  int size, orient, buttons, width, height;
};

TEST(Layout, WorkedExamples) {
  for (const Example& e : {Example{32, 0, 1, 735, 630}, Example{32, 0, 5, 2775, 630}, Example{32, 1, 5, 630, 2775},
                           Example{16, 0, 10, 2895, 390}, Example{24, 1, 3, 510, 1380}}) {
    const ButtonLayout l = ArrangeButtons(e.size, e.orient, e.buttons, 600, 600);
    EXPECT_EQ(l.windowWidth, e.width) << e.size << "/" << e.orient << "/" << e.buttons;
    EXPECT_EQ(l.windowHeight, e.height) << e.size << "/" << e.orient << "/" << e.buttons;
  }
}

TEST(Layout, RowPutsTheBarLeftOfTheButtons) {
  const ButtonLayout l = ArrangeButtons(24, 0, 3, 0, 0);
  EXPECT_EQ(l.controlBar, (TwipsRect{60, 60, 75, 390}));
  EXPECT_EQ(l.Button(0), (TwipsRect{135, 60, 390, 390}));
  EXPECT_EQ(l.Button(2), (TwipsRect{915, 60, 390, 390}));
}

TEST(Layout, ColumnPutsTheBarAboveAndSwapsTheWindowSize) {
  const ButtonLayout row = ArrangeButtons(32, 0, 4, 0, 0);
  const ButtonLayout column = ArrangeButtons(32, 1, 4, 0, 0);
  EXPECT_EQ(column.controlBar, (TwipsRect{60, 60, 510, 90}));
  EXPECT_EQ(column.Button(1), (TwipsRect{60, 660, 510, 510}));
  EXPECT_EQ(row.windowWidth, column.windowHeight);
  EXPECT_EQ(row.windowHeight, column.windowWidth);
  EXPECT_EQ(ArrangeButtons(32, 7, 4, 0, 0).windowWidth, column.windowWidth) << "any non-zero Orient is a column";
}

TEST(Layout, UnknownSizeKeepsTheButtonSizeAndDropsTheBar) {
  const ButtonLayout l = ArrangeButtons(20, 0, 2, 450, 450);
  EXPECT_EQ(l.buttonWidth, 450);
  EXPECT_EQ(l.controlBar.width, 0);
  EXPECT_EQ(l.Button(0).left, 60);
  EXPECT_EQ(l.windowWidth, 900 + 135);
}

TEST(Layout, EachAddedButtonWidensByOneButtonSide) {
  for (int size : {16, 24, 32}) {
    for (int n = 1; n < 6; ++n) {
      EXPECT_EQ(ArrangeButtons(size, 0, n + 1, 0, 0).windowWidth - ArrangeButtons(size, 0, n, 0, 0).windowWidth,
                ArrangeButtons(size, 0, 1, 0, 0).buttonWidth);
    }
  }
  const ButtonLayout largest = ArrangeButtons(32, 0, 32768, 0, 0);
  EXPECT_EQ(largest.windowWidth, 510 * 32768 + 225);
}

}  // namespace
}  // namespace vornish
