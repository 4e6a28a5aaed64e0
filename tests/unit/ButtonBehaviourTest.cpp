// The icon button's choice of icon and its reaction to the mouse.
#include <gtest/gtest.h>

#include <map>

#include "buttons/ButtonInput.h"
#include "buttons/IconChoice.h"

namespace vornish {
namespace {

using Draw = IconChoice::Draw;
using Probe = IconSource::Probe;

class FakeIcons : public IconSource {
 public:
  std::map<std::wstring, int> programs;  // icon counts
  std::map<std::wstring, bool> documents;
  int probes = 0;
  int counts = 0;
  int Count(std::wstring_view file) override {
    ++counts;
    const auto it = programs.find(std::wstring(file));
    return it == programs.end() ? 0 : it->second;
  }
  Probe ProbeIcon(std::wstring_view file, int index) override {
    ++probes;
    const std::wstring key(file);
    if (programs.count(key)) return index < programs[key] ? Probe::Icon : Probe::NoIcon;
    if (documents.count(key)) return Probe::NoIcon;
    return Probe::Missing;
  }
};

class IconChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    icons.programs[L"C:\\app.exe"] = 3;
    icons.programs[L"C:\\icons.dll"] = 40;
    icons.documents[L"C:\\memo.txt"] = true;
  }
  FakeIcons icons;
};

TEST_F(IconChoiceTest, NoSourceDrawsNothingAndExtractsNothing) {
  EXPECT_EQ(ChooseIcon(L"", L"", 0, icons), IconChoice{});
  EXPECT_EQ(icons.probes, 0);
}

TEST_F(IconChoiceTest, TheIconPropertyWinsOverTheFile) {
  EXPECT_EQ(ChooseIcon(L"C:\\icons.dll", L"C:\\app.exe", 35, icons),
            (IconChoice{Draw::FileIcon, L"C:\\icons.dll", 35, false}));
  EXPECT_EQ(ChooseIcon(L"", L"C:\\app.exe", 2, icons), (IconChoice{Draw::FileIcon, L"C:\\app.exe", 2, false}));
  EXPECT_EQ(icons.counts, 0) << "an icon that is there needs no count";
}

TEST_F(IconChoiceTest, IndexBeyondTheLastIconFallsBackToTheFirstOnce) {
  EXPECT_EQ(ChooseIcon(L"", L"C:\\app.exe", 5, icons), (IconChoice{Draw::FileIcon, L"C:\\app.exe", 0, true}));
  EXPECT_EQ(ChooseIcon(L"", L"C:\\app.exe", 3, icons).resetIconNo, true);
  EXPECT_EQ(ChooseIcon(L"", L"C:\\app.exe", 2, icons).resetIconNo, false);
  EXPECT_EQ(ChooseIcon(L"", L"C:\\app.exe", 2147483647, icons).index, 0) << "no overflow on the largest number";
}

TEST_F(IconChoiceTest, DocumentsShowTheirTypesIconAndResetTheirNumber) {
  EXPECT_EQ(ChooseIcon(L"", L"C:\\memo.txt", 0, icons), (IconChoice{Draw::Associated, L"C:\\memo.txt", 0, true}));
}

TEST_F(IconChoiceTest, MissingIconSourceLeavesTheFaceEmptyWithoutFallingBack) {
  EXPECT_EQ(ChooseIcon(L"C:\\gone.ico", L"C:\\app.exe", 0, icons),
            (IconChoice{Draw::Nothing, L"C:\\gone.ico", 0, true}));
  EXPECT_EQ(ChooseIcon(L"", L"C:\\gone.exe", 4, icons), (IconChoice{Draw::Nothing, L"C:\\gone.exe", 0, true}));
}

TEST(ButtonInput, PressAndReleaseWithoutMoving) {
  ButtonInput input;
  input.ButtonDown(kLeftButton, 100, 100);
  EXPECT_EQ(input.look(), ButtonInput::Look::Pressed);
  EXPECT_FALSE(input.Move(kLeftButton, 100, 100));
  input.ButtonUp(kLeftButton);
  EXPECT_EQ(input.look(), ButtonInput::Look::Raised);
  EXPECT_FALSE(input.dragged());
}

TEST(ButtonInput, DragStartsStrictlyBeyondFiftyTwipsOnEitherAxis) {
  ButtonInput input;
  input.ButtonDown(kLeftButton, 200, 200);
  EXPECT_FALSE(input.Move(kLeftButton, 250, 150)) << "exactly 50 on both axes";
  EXPECT_EQ(input.look(), ButtonInput::Look::Pressed);
  EXPECT_TRUE(input.Move(kLeftButton, 251, 200));
  EXPECT_EQ(input.look(), ButtonInput::Look::Raised) << "the drag start raises the face";
  EXPECT_TRUE(input.Move(kLeftButton, 260, 200)) << "every further move raises MouseMove again";
  EXPECT_TRUE(input.dragged());

  input.ButtonDown(kLeftButton, 0, 0);
  EXPECT_FALSE(input.dragged()) << "a new press starts afresh";
  EXPECT_TRUE(input.Move(kLeftButton | kRightButton, 0, -51));
  EXPECT_TRUE(IsDragMove(0, 0, -50.5f, 0));
  EXPECT_FALSE(IsDragMove(0, 0, 50, -50));
}

TEST(ButtonInput, OtherButtonsNeitherPressNorDrag) {
  ButtonInput input;
  input.ButtonDown(kRightButton, 10, 10);
  EXPECT_EQ(input.look(), ButtonInput::Look::Raised);
  EXPECT_FALSE(input.Move(kRightButton, 500, 500));
  input.ButtonDown(kLeftButton, 10, 10);
  input.ButtonUp(kRightButton);
  EXPECT_EQ(input.look(), ButtonInput::Look::Pressed) << "only the left release raises the face";
  EXPECT_FALSE(input.Move(0, 500, 500)) << "no button held";
}

}  // namespace
}  // namespace vornish
