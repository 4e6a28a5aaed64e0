#include "core/Editing.h"

#include <gtest/gtest.h>

namespace vornish {
namespace {

class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model.settings.DefColor = 0x00123456;
    for (int i = 0; i < 4; ++i) model.Buttons.push_back(Named(i));
  }
  static ButtonRecord Named(int i) {
    ButtonRecord b = EmptyButton(kColourButtonFace);
    b.Title = std::wstring(1, static_cast<wchar_t>(L'A' + i));
    b.File = L"C:\\" + b.Title + L".exe";
    b.Count = 10 + i;
    b.Color = 0x80000010;
    return b;
  }
  std::wstring Titles() const {
    std::wstring t;
    for (const ButtonRecord& b : model.Buttons) t += b.Title.empty() ? L"_" : b.Title;
    return t;
  }
  LauncherModel model;
  const ButtonRecord empty = EmptyButton(0x00123456);
};

TEST_F(EditingTest, AddAppendsAnEmptyButton) {
  const EditResult r = AddButton(model);
  EXPECT_EQ(Titles(), L"ABCD_");
  EXPECT_EQ(model.Buttons.back(), empty);
  EXPECT_EQ(r.controls, 5);
  EXPECT_EQ(r.refreshFrom, 4);
  EXPECT_EQ(r.refreshTo, 4);
  EXPECT_TRUE(r.arrange);
}

TEST_F(EditingTest, InsertTakesThePlaceOfTheCurrentButtonAndCountsTravel) {
  model.CurrentButton = 0;
  const EditResult r = InsertButton(model);
  EXPECT_EQ(Titles(), L"_ABCD");
  EXPECT_EQ(model.Buttons[0], empty);
  EXPECT_EQ(model.Buttons[1].Count, 10) << "the moved button keeps its count";
  EXPECT_EQ(r.refreshFrom, 0);
  EXPECT_EQ(r.refreshTo, 4);
  model.CurrentButton = 3;
  InsertButton(model);
  EXPECT_EQ(Titles(), L"_AB_CD");
  EXPECT_EQ(model.Buttons[5].Count, 13);
}

TEST_F(EditingTest, DeleteRemovesTheCurrentButtonAndShiftsTheRest) {
  model.CurrentButton = 1;
  const EditResult r = ButtonDel(model);
  EXPECT_EQ(Titles(), L"ACD");
  EXPECT_EQ(model.Buttons[1].Count, 12);
  EXPECT_EQ(r.controls, 3);
  EXPECT_EQ(r.refreshFrom, 1);
  EXPECT_EQ(r.refreshTo, 2);
  model.CurrentButton = 2;
  const EditResult last = ButtonDel(model);
  EXPECT_EQ(Titles(), L"AC");
  EXPECT_GT(last.refreshFrom, last.refreshTo) << "nothing left to refresh after the deleted last one";
}

TEST_F(EditingTest, DeletingTheOnlyButtonEmptiesIt) {
  model.Buttons.resize(1);
  model.CurrentButton = 0;
  const EditResult r = ButtonDel(model);
  ASSERT_EQ(model.Buttons.size(), 1u);
  EXPECT_EQ(model.Buttons[0], empty);
  EXPECT_EQ(r.controls, 1);
  EXPECT_EQ(r.refreshFrom, 0);
  EXPECT_EQ(r.refreshTo, 0);
}

TEST_F(EditingTest, DeletingKOfNKeepsTheOrder) {
  for (int k = 0; k < 4; ++k) {
    LauncherModel m = model;
    m.CurrentButton = k;
    ButtonDel(m);
    std::wstring expected = L"ABCD";
    expected.erase(static_cast<std::size_t>(k), 1);
    std::wstring titles;
    for (const ButtonRecord& b : m.Buttons) titles += b.Title;
    EXPECT_EQ(titles, expected) << k;
  }
}

TEST_F(EditingTest, InitEmptiesCountAndColourWithoutLayout) {
  model.CurrentButton = 2;
  const EditResult r = InitButton(model);
  EXPECT_EQ(Titles(), L"AB_D");
  EXPECT_EQ(model.Buttons[2], empty);
  EXPECT_FALSE(r.arrange);
  EXPECT_EQ(r.refreshFrom, 2);
  EXPECT_EQ(r.refreshTo, 2);
}

TEST_F(EditingTest, NoCurrentButtonOrAFullListChangesNothing) {
  model.CurrentButton = -1;
  EXPECT_FALSE(InsertButton(model).changed);
  EXPECT_FALSE(ButtonDel(model).changed);
  EXPECT_FALSE(InitButton(model).changed);
  model.CurrentButton = 4;
  EXPECT_FALSE(ButtonDel(model).changed);
  EXPECT_EQ(Titles(), L"ABCD");

  model.Buttons.resize(kMaxButtons);
  model.CurrentButton = 0;
  EXPECT_FALSE(AddButton(model).changed);
  EXPECT_FALSE(InsertButton(model).changed);
  EXPECT_EQ(model.Buttons.size(), kMaxButtons);
}

}  // namespace
}  // namespace vornish
