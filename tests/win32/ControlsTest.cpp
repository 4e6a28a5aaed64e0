// The launcher's own controls in-process: what another process cannot see
// (menu states) or measure (handles and memory).
#include "buttons/win32/IconButton.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include "core/win32/SharedRoutines.h"
#include "core/win32/WinSystemInfo.h"
#include "window/win32/frmPopMenu.h"

namespace vornish::win32 {
namespace {

TEST(PopMenu, EnabledItemsFollowWhereTheMenuOpened) {
  frmPopMenu menus;
  const auto flags = [&](const ButtonMenuState& state) {
    menus.ApplyState(state);
    std::wstring text;
    for (int i = 0; i < ::GetMenuItemCount(menus.ButtonMenu()); ++i) {
      const UINT item = ::GetMenuState(menus.ButtonMenu(), static_cast<UINT>(i), MF_BYPOSITION);
      text += (item & MF_SEPARATOR) ? L'-' : (item & MF_GRAYED) ? L'0' : L'1';
    }
    return text;
  };
  EXPECT_EQ(flags({false, false, false, false}), L"1000-0-11-1-1-1") << "background or tray";
  EXPECT_EQ(flags({true, true, false, false}), L"1110-0-11-1-1-1") << "empty button";
  EXPECT_EQ(flags({true, false, false, true}), L"1100-1-11-1-1-1") << "system object";
  EXPECT_EQ(flags({true, true, true, true}), L"1111-1-11-1-1-1") << "any other button";
}

class NoEvents : public IconButtonEvents {
 public:
  int fileChanges = 0;
  void IconButton_FileDrop(int, const std::wstring&) override {}
  void IconButton_FileChange(int) override { ++fileChanges; }
  void IconButton_Click(int) override {}
  void IconButton_KeyDown(int, int, int) override {}
  void IconButton_MouseDown(int, int, int, float, float) override {}
  void IconButton_MouseMove(int, int, int, float, float) override {}
};

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  return memory.PagefileUsage;
}

TEST(IconButton, IconsAreMadeAtTheirSizeAndRefreshesKeepNothing) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  ASSERT_TRUE(IconButton::Register(instance));
  const UniqueWindow parent(
      ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, instance, nullptr));
  Settings settings;
  NoEvents events;
  IconButton button(0, events, settings);
  ASSERT_TRUE(button.Create(instance, parent.get(), nullptr, RECT{0, 0, 34, 34}));
  const std::wstring system = WinSystemInfo().SystemDirectory();
  const auto show = [&](std::wstring file, int iconNo) {
    ButtonRecord r = EmptyButton(kColourButtonFace);
    r.File = std::move(file);
    r.IconNo = iconNo;
    button.Assign(r);
    button.IconRefresh();
  };
  show(system + L"\\shell32.dll", 3);
  EXPECT_EQ(button.FaceImage().size(), 32);
  settings.Size = 16;
  button.IconRefresh();
  EXPECT_EQ(button.FaceImage().size(), 16) << "drawn at the size it is shown";
  EXPECT_EQ(events.fileChanges, 0);

  // 1,000 refreshes of a program's and a document's icon: a leaked 32-pixel
  // icon or bitmap keeps at least 4 KiB, 1,000 would be 4 MiB. Wine counts no
  // GDI objects, so private memory stands in.
  for (int i = 0; i < 20; ++i) show(i % 2 ? system + L"\\shell32.dll" : ProgramPath() + L".txt", 5);
  const SIZE_T before = PrivateBytes();
  for (int i = 0; i < 1000; ++i) show(i % 2 ? system + L"\\shell32.dll" : ProgramPath() + L".txt", 5);
  EXPECT_LT(PrivateBytes(), before + 1024 * 1024) << (PrivateBytes() - before) / 1024 << " KiB more";
}

}  // namespace
}  // namespace vornish::win32
