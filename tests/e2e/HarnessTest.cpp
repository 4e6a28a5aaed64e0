// The harness proven against its own small programs (minimal.exe and
// e2e-stub.exe), so a red end-to-end test means the launcher, not the harness.
#include <gtest/gtest.h>

#include "harness/FailureScreenshots.h"
#include "harness/Harness.h"

namespace vornish::e2e {
namespace {

constexpr wchar_t kStubClass[] = L"Vornish.E2EStub";
constexpr DWORD kStubClosedExitCode = 7;

std::filesystem::path Stub() { return ProgramFolder() / L"e2e-stub.exe"; }

LauncherOptions StubAsLauncher() { return {Stub(), kStubClass}; }

TEST(HarnessWindows, MinimalProgramShowsItsWindowWithPaintedPixels) {
  Process minimal = Process::Start(ProgramFolder() / L"minimal.exe");
  HWND window = WaitFor([&]() -> HWND {
    const auto found = FindWindowsOfClass(minimal.Id(), L"Vornish.E2EMinimal");
    return found.empty() ? nullptr : found.front();
  });
  ASSERT_NE(window, nullptr);
  const RECT rect = ScreenRectOf(window);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 100);
  EXPECT_TRUE(WaitUntil([&] { return WindowPixel(window, 100, 50) == GetSysColor(COLOR_WINDOW); }));

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(minimal.WaitForExit(kDefaultTimeout), 0u);
}

TEST(HarnessLauncher, StartsACopyWithArgumentsFindsChildrenAndCloses) {
  TempDir temp(CurrentTestName());
  const auto folder = temp / L"ﾗﾝﾁｬｰ";
  LauncherProcess stub(folder, StubAsLauncher());
  EXPECT_TRUE(Exists(folder / L"e2e-stub.exe"));

  stub.Start(LR"(window a "b c")", temp.Path());
  HWND main = stub.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TextOf(main), temp.Path().wstring() + LR"(|a "b c")");

  std::vector<std::wstring> names;
  for (HWND child : stub.FindChildren(L"Vornish.E2EStubChild")) names.push_back(TextOf(child));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"A", L"C", L"B"}));

  EXPECT_TRUE(stub.Close());
  EXPECT_EQ(stub.WaitForExit(), kStubClosedExitCode);
}

TEST(HarnessLauncher, KillsAProgramTheTestLeftRunning) {
  TempDir temp(CurrentTestName());
  UniqueHandle watched;
  {
    LauncherProcess stub(temp.Path(), StubAsLauncher());
    stub.Start(L"window");
    ASSERT_NE(stub.WaitForMainWindow(), nullptr);
    watched.Reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, stub.Pid()));
    ASSERT_TRUE(watched);
  }
  ASSERT_EQ(WaitForSingleObject(watched.Get(), 0), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(watched.Get(), &code);
  EXPECT_EQ(code, kKilledExitCode);
}

TEST(HarnessMessageBoxes, ReadsJapaneseTextAndTitleAndPressesOk) {
  Process stub = Process::Start(Stub(), L"msgbox");
  const auto box = WaitForMessageBox(stub.Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, L"ﾌｧｲﾙが見つかりません。");
  EXPECT_EQ(box->title, L"Vornish");
  EXPECT_TRUE(PressButton(box->window, IDOK));
  EXPECT_EQ(stub.WaitForExit(kDefaultTimeout), static_cast<DWORD>(IDOK));
}

TEST(HarnessRegistry, SettingsRoundTripAndClear) {
  ClearSettings();
  SetSetting(L"Set", L"Top", L"120");
  SetSetting(L"Set", L"ﾀｲﾄﾙ", L"ﾗﾝﾁｬｰ");
  SetSetting(L"Window", L"Left", L"");
  EXPECT_EQ(GetSetting(L"Set", L"ﾀｲﾄﾙ"), L"ﾗﾝﾁｬｰ");
  EXPECT_EQ(GetSetting(L"Window", L"Left"), L"");
  EXPECT_EQ(GetSetting(L"Window", L"Missing"), std::nullopt);
  EXPECT_EQ(ListSettings(L"Set"), (std::map<std::wstring, std::wstring>{{L"Top", L"120"}, {L"ﾀｲﾄﾙ", L"ﾗﾝﾁｬｰ"}}));

  ClearSettings();
  EXPECT_EQ(GetSetting(L"Set", L"Top"), std::nullopt);
  EXPECT_TRUE(ListSettings(L"Set").empty());
}

TEST(HarnessFiles, TempDirRemovesALongReadOnlyTree) {
  std::filesystem::path kept;
  {
    TempDir temp(CurrentTestName());
    kept = temp.Path();
    auto deep = temp.Path();
    for (int i = 0; i < 8; ++i) deep /= std::wstring(40, static_cast<wchar_t>(L'a' + i));
    CreateFolders(deep);
    const auto file = deep / L"ﾃﾞｰﾀ.dat";
    ASSERT_GT(file.wstring().size(), static_cast<std::size_t>(MAX_PATH));
    WriteBytes(file, std::string("[Vornish Ver.1.0]\r\n\x1B", 21));
    SetReadOnly(file);
    EXPECT_EQ(ReadBytes(file), std::string("[Vornish Ver.1.0]\r\n\x1B", 21));
  }
  EXPECT_FALSE(Exists(kept));
}

TEST(HarnessRemoteMemory, DroppedFilesReachTheTarget) {
  TempDir temp(CurrentTestName());
  LauncherProcess stub(temp.Path(), StubAsLauncher());
  stub.Start(L"window");
  HWND main = stub.WaitForMainWindow();
  ASSERT_NE(main, nullptr);

  UniqueHandle process = OpenProcessMemory(stub.Pid());
  const RemoteBuffer drop = DropFiles(process.Get(), main, {LR"(C:\a.txt)", LR"(C:\ﾃﾞｰﾀ\b c.txt)"}, {5, 6});
  EXPECT_TRUE(WaitUntil([&] { return TextOf(main) == LR"(drop:C:\a.txt|C:\ﾃﾞｰﾀ\b c.txt|5,6)"; }))
      << Narrow(TextOf(main));
}

TEST(HarnessTooltips, ReadsTheTextOfEveryToolOfAWindow) {
  TempDir temp(CurrentTestName());
  LauncherProcess stub(temp.Path(), StubAsLauncher());
  stub.Start(L"window");
  HWND main = stub.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const auto children = stub.FindChildren(L"Vornish.E2EStubChild");
  ASSERT_EQ(children.size(), 3u);  // A, C, B

  std::map<UINT_PTR, ToolTipText> byId;
  for (auto& tool : ReadTooltipTexts(main)) byId[tool.id] = tool;
  ASSERT_EQ(byId.size(), 4u);
  EXPECT_EQ(byId[reinterpret_cast<UINT_PTR>(children[0])].text, L"ﾌｧｲﾙを開く");
  EXPECT_EQ(byId[reinterpret_cast<UINT_PTR>(children[1])].text, L"ﾒﾓ帳を起動");
  EXPECT_TRUE(byId[reinterpret_cast<UINT_PTR>(children[2])].textNotStored);
  EXPECT_EQ(byId[42].text, L"ﾒｲﾝ");
  EXPECT_EQ(byId[42].window, main);
}

TEST(HarnessTooltips, HoverShowsTheTextOfACallbackTool) {
  TempDir temp(CurrentTestName());
  LauncherProcess stub(temp.Path(), StubAsLauncher());
  stub.Start(L"window");
  ASSERT_NE(stub.WaitForMainWindow(), nullptr);
  const auto children = stub.FindChildren(L"Vornish.E2EStubChild");
  ASSERT_EQ(children.size(), 3u);
  EXPECT_EQ(HoverToolTipText(children[2]), L"ｺｰﾙﾊﾞｯｸ");
}

TEST(HarnessPixels, ScreenshotIsAWholeScreenBmp) {
  TempDir temp(CurrentTestName());
  const auto file = temp / L"screen.bmp";
  SaveScreenshot(file);
  const std::string bytes = ReadBytes(file);
  const auto width = static_cast<std::size_t>(GetSystemMetrics(SM_CXVIRTUALSCREEN));
  const auto height = static_cast<std::size_t>(GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(bytes.size(), 54 + ((width * 3 + 3) / 4 * 4) * height);
}

TEST(HarnessFailureScreenshots, PicturesOnlyTheFirstFailureOfATest) {
  TempDir temp(CurrentTestName());
  FailureScreenshots listener(temp.Path());
  const auto picture = temp / (CurrentTestName() + L".bmp");
  listener.OnTestStart(*testing::UnitTest::GetInstance()->current_test_info());

  listener.OnTestPartResult({testing::TestPartResult::kSuccess, __FILE__, __LINE__, "fine"});
  EXPECT_FALSE(Exists(picture));
  listener.OnTestPartResult({testing::TestPartResult::kNonFatalFailure, __FILE__, __LINE__, "first"});
  ASSERT_TRUE(Exists(picture));
  RemoveTree(picture);
  listener.OnTestPartResult({testing::TestPartResult::kFatalFailure, __FILE__, __LINE__, "second"});
  EXPECT_FALSE(Exists(picture));
}

}  // namespace
}  // namespace vornish::e2e
