#include "buttons/win32/IconButton.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include "core/win32/SharedRoutines.h"
#include "core/win32/WinSystemInfo.h"

namespace vornish::win32 {
namespace {

class CountingEvents : public IconButtonEvents {
 public:
  int fileChanges = 0;
  void IconButton_FileDrop(int, const std::wstring&) override {}
  void IconButton_FileChange(int) override { ++fileChanges; }
  void IconButton_Click(int) override {}
  void IconButton_KeyDown(int, int, int) override {}
  void IconButton_MouseDown(int, int, int, float, float) override {}
  void IconButton_MouseMove(int, int, int, float, float) override {}
};

// How many GDI and USER objects the process holds, and its private memory.
// Wine does not count the objects (GetGuiResources answers 0); there the
// memory stands in, as every leaked icon or bitmap keeps its pixels.
struct HandleUse {
  bool counted = false;
  long gdi = 0;
  long user = 0;
  SIZE_T privateBytes = 0;
};

HandleUse MeasureHandles() {
  HandleUse use;
  use.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  use.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  use.counted = use.gdi > 0;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  use.privateBytes = memory.PagefileUsage;
  return use;
}

class IconButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    instance = GetModuleHandleW(nullptr);
    ASSERT_TRUE(IconButton::Register(instance));
    parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, instance, nullptr);
    ASSERT_NE(parent, nullptr);
    ASSERT_TRUE(button.Create(instance, parent, nullptr, RECT{0, 0, 34, 34}));
    system = WinSystemInfo().SystemDirectory();
  }
  void TearDown() override { DestroyWindow(parent); }

  void Show(const ButtonRecord& record) {
    button.Assign(record);
    button.IconRefresh();
  }

  HINSTANCE instance = nullptr;
  HWND parent = nullptr;
  Settings settings;
  CountingEvents events;
  IconButton button{0, events, settings};
  std::wstring system;
};

TEST_F(IconButtonTest, DrawsTheChosenIconAtTheIconSize) {
  ButtonRecord r = EmptyButton(kColourButtonFace);
  r.File = system + L"\\shell32.dll";
  r.IconNo = 3;
  Show(r);
  EXPECT_EQ(button.FaceImage().size(), 32);
  EXPECT_EQ(events.fileChanges, 0);
  settings.Size = 16;
  button.IconRefresh();
  EXPECT_EQ(button.FaceImage().size(), 16) << "drawn at the size it is shown";
}

TEST_F(IconButtonTest, OutOfRangeNumberIsResetOnceAndMissingSourcesStayEmpty) {
  ButtonRecord r = EmptyButton(kColourButtonFace);
  r.File = system + L"\\notepad.exe";
  r.IconNo = 500;
  Show(r);
  EXPECT_EQ(button.Props().ExeIconNo(), 0);
  EXPECT_EQ(events.fileChanges, 1);
  EXPECT_FALSE(button.FaceImage().empty());

  r.Icon = system + L"\\no-such-file.ico";
  r.IconNo = 0;
  Show(r);
  EXPECT_TRUE(button.FaceImage().empty()) << "no fall-back to the program's icon";

  Show(EmptyButton(kColourButtonFace));
  EXPECT_TRUE(button.FaceImage().empty());
}

TEST_F(IconButtonTest, AThousandRefreshesKeepNoHandles) {
  ButtonRecord program = EmptyButton(kColourButtonFace);
  program.File = system + L"\\shell32.dll";
  program.IconNo = 5;
  ButtonRecord document = EmptyButton(kColourButtonFace);
  document.File = ProgramPath() + L".txt";  // a document type, shown with its type's icon
  for (int i = 0; i < 20; ++i) Show(i % 2 ? program : document);  // caches of the shell fill here

  const HandleUse before = MeasureHandles();
  for (int i = 0; i < 1000; ++i) Show(i % 2 ? program : document);
  const HandleUse after = MeasureHandles();
  if (before.counted) {
    EXPECT_LE(after.gdi, before.gdi);
    EXPECT_LE(after.user, before.user);
  }
  // A leaked 32-pixel icon or bitmap keeps at least 4 KiB: 1,000 would be 4 MiB.
  EXPECT_LT(after.privateBytes, before.privateBytes + 1024 * 1024)
      << (after.privateBytes - before.privateBytes) / 1024 << " KiB more";
}

}  // namespace
}  // namespace vornish::win32
