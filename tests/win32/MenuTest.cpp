#include "window/win32/frmPopMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornish::win32 {
namespace {

struct Item {
  std::wstring caption;  // "-" for a separator
  bool enabled = true;
};

std::vector<Item> Items(HMENU menu) {
  std::vector<Item> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    wchar_t text[128] = {};
    info.dwTypeData = text;
    info.cch = 128;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    items.push_back({(info.fType & MFT_SEPARATOR) ? L"-" : text, (info.fState & MFS_GRAYED) == 0});
  }
  return items;
}

std::vector<std::wstring> Captions(HMENU menu) {
  std::vector<std::wstring> captions;
  for (const Item& item : Items(menu)) captions.push_back(item.caption);
  return captions;
}

TEST(PopMenus, CaptionsInTheirOrder) {
  const frmPopMenu menus;
  ASSERT_TRUE(menus.Loaded());
  EXPECT_EQ(Captions(menus.ButtonMenu()),
            (std::vector<std::wstring>{L"ﾎﾞﾀﾝ追加(&T)", L"ﾎﾞﾀﾝ挿入(&I)", L"ﾎﾞﾀﾝ削除(&D)", L"ﾎﾞﾀﾝ初期化(&C)", L"-",
                                       L"ﾎﾞﾀﾝ設定(&B)...", L"-", L"起動ﾗﾝｷﾝｸﾞ(&L)...", L"ﾗﾝﾁｬｰ設定(&S)...", L"-",
                                       L"ﾍﾙﾌﾟ(&H)...", L"-", L"終了(&X)", L"-", L"ｷｬﾝｾﾙ"}));
  const HMENU help = GetSubMenu(menus.ButtonMenu(), 10);
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(Captions(help), (std::vector<std::wstring>{L"目次(&C)", L"ﾄﾋﾟｯｸの検索(&S)...", L"-",
                                                       L"ﾜﾝﾎﾟｲﾝﾄを表示(&T)...", L"-", L"ﾊﾞｰｼﾞｮﾝ情報(&A)..."}));
  EXPECT_EQ(Captions(menus.ControlMenu()), (std::vector<std::wstring>{L"ｷｬﾝｾﾙ", L"-", L"ﾗﾝﾁｬｰ非表示(&N)",
                                                                      L"ﾗﾝﾁｬｰ設定(&S)...", L"終了(&X)"}));
  EXPECT_EQ(Captions(menus.TrayMenu()),
            (std::vector<std::wstring>{L"ﾗﾝﾁｬｰ表示(&D)", L"-", L"終了(&X)", L"-", L"ｷｬﾝｾﾙ"}));
}

TEST(PopMenus, EnabledStatesFollowWhereTheMenuOpened) {
  frmPopMenu menus;
  auto enabled = [&](const ButtonMenuState& state) {
    menus.ApplyState(state);
    std::wstring flags;
    for (const Item& item : Items(menus.ButtonMenu())) flags += item.caption == L"-" ? L'-' : item.enabled ? L'1' : L'0';
    return flags;
  };
  EXPECT_EQ(enabled({false, false, false, false}), L"1000-0-11-1-1-1") << "background or tray";
  EXPECT_EQ(enabled({true, true, false, false}), L"1110-0-11-1-1-1") << "empty button";
  EXPECT_EQ(enabled({true, false, false, true}), L"1100-1-11-1-1-1") << "system object";
  EXPECT_EQ(enabled({true, true, true, true}), L"1111-1-11-1-1-1") << "any other button";
}

}  // namespace
}  // namespace vornish::win32
