// Changing the set of buttons and laying them out.
#include <gtest/gtest.h>

#include <functional>

#include "Fakes.h"
#include "core/Editing.h"
#include "core/Layout.h"

namespace vornish {
namespace {

using testing::FakeSystemInfo;

class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model.settings.DefColor = 0x00123456;
    for (wchar_t c : std::wstring(L"ABCD")) {
      model.Buttons.push_back({std::wstring(1, c), L"C:\\" + std::wstring(1, c) + L".exe", L"", L"", 1, L"", 0, false,
                               kColourButtonShadow, 10 + (c - L'A'), 0});
    }
  }
  // The titles in order ("_" for an empty button) and each count.
  std::wstring Shown() const {
    std::wstring t;
    for (const ButtonRecord& b : model.Buttons) {
      t += (b == EmptyButton(0x00123456) ? L"_" : b.Title) + std::to_wstring(b.Count) + L" ";
    }
    return t;
  }
  // `operation` on button `button`, as the command chosen for it carries it.
  EditResult Edit(EditResult (*operation)(LauncherModel&, int), int button) { return operation(model, button); }
  LauncherModel model;
};

// Adding takes no button: it adds at the end whatever button's menu chose it.
EditResult AddButton(LauncherModel& model, int) { return AddButton(model); }

TEST_F(EditingTest, EachOperationMovesCountsWithTheirButtonsAndSaysWhatToRefresh) {
  struct Step {
    EditResult (*operation)(LauncherModel&, int);
    int button;
    const wchar_t* shown;
    EditResult result;
  };
  const Step steps[] = {
      {AddButton, -1, L"A10 B11 C12 D13 _0 ", {true, 5, 4, 4, true}},
      {InsertButton, 0, L"_0 A10 B11 C12 D13 _0 ", {true, 6, 0, 5, true}},
      {ButtonDel, 2, L"_0 A10 C12 D13 _0 ", {true, 5, 2, 4, true}},
      {ButtonDel, 4, L"_0 A10 C12 D13 ", {true, 4, 4, 3, true}},  // nothing after the last one to refresh
      {InitButton, 2, L"_0 A10 _0 D13 ", {true, 4, 2, 2, false}},
      {InsertButton, -1, L"_0 A10 _0 D13 ", {}},  // no button: nothing happens
      {ButtonDel, 4, L"_0 A10 _0 D13 ", {}},
  };
  for (const Step& s : steps) {
    const EditResult r = Edit(s.operation, s.button);
    EXPECT_EQ(Shown(), s.shown);
    EXPECT_EQ(std::tie(r.changed, r.controls, r.refreshFrom, r.refreshTo, r.arrange),
              std::tie(s.result.changed, s.result.controls, s.result.refreshFrom, s.result.refreshTo, s.result.arrange))
        << Shown().size();
  }
}

TEST_F(EditingTest, TheLastButtonIsEmptiedNotRemovedAndAFullListTakesNoMore) {
  model.Buttons.resize(1);
  EXPECT_EQ(ButtonDel(model, 0).controls, 1);
  EXPECT_EQ(Shown(), L"_0 ");
  model.Buttons.resize(kMaxButtons);
  EXPECT_FALSE(AddButton(model).changed);
  EXPECT_FALSE(InsertButton(model, 0).changed);
  EXPECT_EQ(model.Buttons.size(), kMaxButtons);
}

TEST_F(EditingTest, EveryChangeComesBackWholeInItsPlaceAndThenTheOneBefore) {
  const FakeSystemInfo system;
  const ButtonList original = model.Buttons;
  struct Case {
    const char* what;
    std::function<void()> change;
    EditResult undone;
  };
  const Case cases[] = {
      {"add", [&] { Edit(AddButton, -1); }, {true, 4, 4, 3, true}},
      {"insert", [&] { Edit(InsertButton, 1); }, {true, 4, 1, 3, true}},
      {"delete", [&] { Edit(ButtonDel, 2); }, {true, 4, 2, 3, true}},
      {"initialise", [&] { Edit(InitButton, 3); }, {true, 4, 3, 3, false}},
      {"clear the counts", [&] { ClearCounts(model); }, {true, 4, 0, 3, false}},
      {"settings OK: counts, a system object added, one removed",
       [&] {
         const UndoHistory::Change ok(model.history);
         ClearCounts(model);
         AddSystemObject(model, 2, system);
         Edit(ButtonDel, 1);
       },
       {true, 4, 0, 3, false}},
  };
  for (const Case& c : cases) {
    c.change();
    ASSERT_NE(model.Buttons, original) << c.what;
    const EditResult r = UndoLastChange(model);
    EXPECT_EQ(model.Buttons, original) << c.what;
    EXPECT_EQ(std::tie(r.changed, r.controls, r.refreshFrom, r.refreshTo, r.arrange),
              std::tie(c.undone.changed, c.undone.controls, c.undone.refreshFrom, c.undone.refreshTo, c.undone.arrange))
        << c.what;
  }
  // Deleting the only button empties it; undo fills it again.
  model.Buttons.resize(1);
  Edit(ButtonDel, 0);
  Edit(AddButton, -1);
  UndoLastChange(model);
  EXPECT_EQ(Shown(), L"_0 ");
  UndoLastChange(model);
  EXPECT_EQ(Shown(), L"A10 ");
  EXPECT_FALSE(model.history.CanUndo());
  EXPECT_FALSE(UndoLastChange(model).changed) << "nothing to undo";
}

TEST_F(EditingTest, TheNewestChangesAreKeptUpToTheDepth) {
  for (std::size_t i = 0; i < UndoHistory::kDepth + 1; ++i) Edit(AddButton, -1);
  EXPECT_EQ(model.history.Version(), UndoHistory::kDepth + 1) << "moves on with every change recorded";
  for (std::size_t i = 0; i < UndoHistory::kDepth; ++i) EXPECT_TRUE(UndoLastChange(model).changed) << i;
  EXPECT_EQ(model.history.Version(), 2 * UndoHistory::kDepth + 1) << "and every change taken back";
  EXPECT_FALSE(model.history.CanUndo());
  EXPECT_EQ(Shown(), L"A10 B11 C12 D13 _0 ") << "the oldest add was forgotten";
}

TEST_F(EditingTest, WhatTheUserDidSinceToTheButtonsUndoTouchesIsKept) {
  Edit(AddButton, -1);
  model.Buttons[4].Color = 0x000000FF;  // recoloured by the settings: still the added button
  UndoLastChange(model);
  EXPECT_EQ(Shown(), L"A10 B11 C12 D13 ");
  Edit(AddButton, -1);
  model.Buttons[4] = model.Buttons[0];  // a file dropped on it: it stays
  EXPECT_FALSE(UndoLastChange(model).changed);
  EXPECT_EQ(Shown(), L"A10 B11 C12 D13 A10 ");
  Edit(InitButton, 1);
  model.Buttons[1] = model.Buttons[3];  // filled again: the emptied one comes back beside it
  UndoLastChange(model);
  EXPECT_EQ(Shown(), L"A10 B11 D13 C12 D13 A10 ");
  ClearCounts(model);
  model.Buttons[0].Count = 2;  // launched since
  UndoLastChange(model);
  EXPECT_EQ(Shown(), L"A12 B11 D13 C12 D13 A10 ");
}

TEST(Layout, RowsColumnsAndTheirWindows) {
  struct Case {
    int size, orient, buttons;
    TwipsRect bar, second;
    int width, height;
  };
  const Case cases[] = {
      {32, 0, 1, {60, 60, 90, 510}, {660, 60, 510, 510}, 735, 630},
      {32, 0, 5, {60, 60, 90, 510}, {660, 60, 510, 510}, 2775, 630},
      {32, 1, 5, {60, 60, 510, 90}, {60, 660, 510, 510}, 630, 2775},
      {16, 0, 10, {60, 60, 60, 270}, {390, 60, 270, 270}, 2895, 390},
      {24, 1, 3, {60, 60, 390, 75}, {60, 525, 390, 390}, 510, 1380},
      {24, 7, 3, {60, 60, 390, 75}, {60, 525, 390, 390}, 510, 1380},   // any other Orient is a column
      {20, 0, 2, {60, 60, 0, 450}, {510, 60, 450, 450}, 1035, 570},    // keeps the size, no bar
  };
  for (const Case& c : cases) {
    const ButtonLayout l = ArrangeButtons(c.size, c.orient, c.buttons, 450, 450);
    EXPECT_EQ(l.controlBar, c.bar) << c.size << "/" << c.orient;
    EXPECT_EQ(l.Button(1), c.second) << c.size << "/" << c.orient;
    EXPECT_EQ(std::pair(l.windowWidth, l.windowHeight), std::pair(c.width, c.height)) << c.size << "/" << c.orient;
  }
  EXPECT_EQ(ArrangeButtons(32, 0, 32768, 0, 0).windowWidth, 510 * 32768 + 225);
}

TEST(Layout, ButtonsWithinTheLongestWindow) {
  // {Size, Orient, DPI, the most}: 963 buttons of 34 pixels and the bar make
  // a row 32,757 pixels long at 96 DPI; one more would pass 32,767.
  const std::tuple<int, int, int, std::int32_t> cases[] = {
      {32, 0, 96, 963}, {32, 1, 96, 963}, {32, 0, 144, 642}, {16, 0, 96, 1819}, {24, 1, 120, 1007}, {20, 0, 96, 1091},
  };
  for (const auto& [size, orient, dpi, most] : cases) {
    EXPECT_EQ(ButtonsWithin(ArrangeButtons(size, orient, 1, 450, 450), kLongestWindow, dpi), most) << size << "/" << dpi;
    for (const std::int32_t n : {most, most + 1}) {
      const ButtonLayout l = ArrangeButtons(size, orient, n, 450, 450);
      EXPECT_EQ(TwipsToPixels(orient ? l.windowHeight : l.windowWidth, dpi) <= kLongestWindow, n == most) << n;
    }
  }
  EXPECT_EQ(ButtonsWithin(ArrangeButtons(32, 0, 1, 0, 0), 49, 96), 1) << "34 + 6 + 9 pixels";
  EXPECT_EQ(ButtonsWithin(ArrangeButtons(32, 0, 1, 0, 0), 48, 96), 0);
  EXPECT_EQ(ButtonsWithin(ArrangeButtons(32, 0, 1, 0, 0), 61, 120), 1) << "735 twips are 61.25 pixels at 120 DPI";
}

}  // namespace
}  // namespace vornish
