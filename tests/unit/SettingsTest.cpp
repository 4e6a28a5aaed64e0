#include "core/Settings.h"

#include <gtest/gtest.h>

#include "Fakes.h"

namespace vornish {
namespace {

using testing::FakeSettingsStore;

TEST(Settings, FirstStartGivesTheDocumentedDefaults) {
  const FakeSettingsStore empty;
  const Settings s = LoadSettings(empty);
  EXPECT_EQ(s.Size, 32);
  EXPECT_EQ(s.Orient, 0);
  EXPECT_EQ(s.DefColor, 0x8000000Fu);
  EXPECT_EQ(s.LockColor, 0x80000010u);
  EXPECT_EQ(s.SystemColor, 0x80000001u);
  EXPECT_TRUE(s.ColorChange);
  EXPECT_EQ(s.ControlDblClick, 0);
  EXPECT_EQ(s.ControlColor, 0xFF0000u);
  EXPECT_FALSE(s.WindowTop);
  EXPECT_TRUE(s.CountEnable);
  EXPECT_EQ(s.Position, 0);
  EXPECT_EQ(s.TaskBar, 4);
  EXPECT_TRUE(s.StartTips);
  EXPECT_EQ(LoadWindowPosition(empty), (WindowPosition{0, 0}));
}

TEST(Settings, SavesTwelveKeysInTheirTextForms) {
  FakeSettingsStore store;
  ASSERT_TRUE(SaveSettings(store, Settings{}));
  const std::map<std::wstring, std::wstring> expected = {
      {L"Size", L"32"},           {L"Orient", L"0"},          {L"DefColor", L"-2147483633"},
      {L"LockColor", L"-2147483632"}, {L"SystemColor", L"-2147483647"}, {L"ColorChange", L"True"},
      {L"ControlDblClick", L"0"}, {L"ControlColor", L"16711680"}, {L"WindowTop", L"False"},
      {L"CountEnable", L"True"},  {L"Position", L"0"},        {L"TaskBar", L"4"},
  };
  ASSERT_EQ(store.values.size(), expected.size()) << "StartTips is the tips window's to write";
  for (const auto& [key, text] : expected) EXPECT_EQ(store.Get(kSectionSet, key), text) << std::string(key.begin(), key.end());
}

TEST(Settings, RoundTripOfChangedValues) {
  Settings s;
  s.Size = 16;
  s.Orient = 1;
  s.DefColor = 0x00112233;
  s.LockColor = 0x80000005;
  s.SystemColor = 0;
  s.ColorChange = false;
  s.ControlDblClick = 2;
  s.ControlColor = 0;
  s.WindowTop = true;
  s.CountEnable = false;
  s.Position = 4;
  s.TaskBar = -7;
  s.StartTips = true;  // not saved by SaveSettings, default on reading
  FakeSettingsStore store;
  SaveSettings(store, s);
  EXPECT_EQ(LoadSettings(store), s);
  EXPECT_EQ(store.Get(kSectionSet, L"TaskBar"), L"-7");
}

TEST(Settings, TextThatDoesNotConvertFallsBackToTheDefault) {
  FakeSettingsStore store;
  store.values[{L"Set", L"Size"}] = L"abc";
  store.values[{L"Set", L"Orient"}] = L"";
  store.values[{L"Set", L"DefColor"}] = L"99999999999";
  store.values[{L"Set", L"WindowTop"}] = L"maybe";
  store.values[{L"Set", L"Position"}] = L"2";  // valid values still count
  store.values[{L"Set", L"TaskBar"}] = L"9";   // out of range, but a number: kept
  const Settings s = LoadSettings(store);
  EXPECT_EQ(s.Size, 32);
  EXPECT_EQ(s.Orient, 0);
  EXPECT_EQ(s.DefColor, 0x8000000Fu);
  EXPECT_FALSE(s.WindowTop);
  EXPECT_EQ(s.Position, 2);
  EXPECT_EQ(s.TaskBar, 9);
}

TEST(Settings, BooleansAcceptBothWrittenForms) {
  FakeSettingsStore store;
  store.values[{L"Set", L"ColorChange"}] = L"False";
  store.values[{L"Set", L"WindowTop"}] = L"true";
  store.values[{L"Set", L"CountEnable"}] = L"0";
  store.values[{L"Set", L"StartTips"}] = L"0";
  Settings s = LoadSettings(store);
  EXPECT_FALSE(s.ColorChange);
  EXPECT_TRUE(s.WindowTop);
  EXPECT_FALSE(s.CountEnable);
  EXPECT_FALSE(s.StartTips);
  EXPECT_FALSE(ReadStartTips(store));

  store.values[{L"Set", L"StartTips"}] = L"-1";
  EXPECT_TRUE(LoadSettings(store).StartTips);
  SaveStartTips(store, true);
  EXPECT_EQ(store.Get(kSectionSet, L"StartTips"), L"1");
  SaveStartTips(store, false);
  EXPECT_EQ(store.Get(kSectionSet, L"StartTips"), L"0");
  EXPECT_TRUE(ReadStartTips(FakeSettingsStore{}));
}

TEST(Settings, WindowPositionInTwips) {
  FakeSettingsStore store;
  ASSERT_TRUE(SaveWindowPosition(store, {-150, 4500}));
  EXPECT_EQ(store.Get(kSectionWindow, L"MainLeft"), L"-150");
  EXPECT_EQ(store.Get(kSectionWindow, L"MainTop"), L"4500");
  EXPECT_EQ(LoadWindowPosition(store), (WindowPosition{-150, 4500}));

  // Older versions could store a fractional part.
  store.values[{L"Window", L"MainLeft"}] = L"1502.5";
  store.values[{L"Window", L"MainTop"}] = L"garbage";
  EXPECT_EQ(LoadWindowPosition(store), (WindowPosition{1502, 0}));
}

TEST(Settings, FailingStoreIsReportedAfterTryingEveryKey) {
  FakeSettingsStore store;
  store.failWrites = true;
  EXPECT_FALSE(SaveSettings(store, Settings{}));
  EXPECT_FALSE(SaveWindowPosition(store, {}));
}

}  // namespace
}  // namespace vornish
