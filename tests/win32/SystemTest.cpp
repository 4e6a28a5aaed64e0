#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "core/DataFile.h"
#include "core/win32/Com.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/WinSystemInfo.h"
#include "core/win32/WinText.h"

namespace vornish::win32 {
namespace {

TEST(AnsiCodec, CodePage932RoundTripAndLossDetection) {
  if (::GetACP() != 932) GTEST_SKIP() << "needs a Japanese system locale (code page 932)";
  const AnsiCodec codec;
  std::string bytes;
  ASSERT_TRUE(codec.ToAnsi(L"メモ帳ｱ", bytes));
  EXPECT_EQ(bytes, "\x83\x81\x83\x82\x92\xA0\xB1");
  EXPECT_EQ(codec.FromAnsi(bytes), L"メモ帳ｱ");
  EXPECT_FALSE(codec.ToAnsi(L"한국어", bytes)) << "no '?' substitutes";
  EXPECT_FALSE(codec.ToAnsi(L"caf\u00e9", bytes)) << "no best-fit 'e'";
  EXPECT_TRUE(codec.ToAnsi(L"", bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST(AnsiCodec, DataFileFallsBackToUtf8OnlyWhenNeeded) {
  if (::GetACP() != 932) GTEST_SKIP() << "needs a Japanese system locale (code page 932)";
  const AnsiCodec codec;
  ButtonRecord b = EmptyButton(kColourButtonFace);
  b.Title = L"メモ帳";
  EXPECT_EQ(FormatDataFile({b}, codec).substr(0, 3), "[Vo");
  b.Title = L"메모";
  EXPECT_EQ(FormatDataFile({b}, codec).substr(0, 3), "\xEF\xBB\xBF");
}

TEST(WinSystemInfo, FoldersAndPlatform) {
  const WinSystemInfo info;
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  EXPECT_EQ(info.WindowsDirectory(), windows);
  EXPECT_FALSE(info.SystemDirectory().empty());
  EXPECT_EQ(info.PlatformId(), kPlatformWin32NT);
}

TEST(SharedRoutines, ProgramFolderHoldsTheRunningProgram) {
  const std::wstring path = ProgramPath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.substr(0, ProgramFolder().size()), ProgramFolder());
  EXPECT_NE(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SharedRoutines, StartupShortcutPointsAtTheProgramWithItsArguments) {
  const std::wstring link = ShortcutPath(kStartupFolder, L"VornishLinkTest");
  ASSERT_FALSE(link.empty());
  ::DeleteFileW(link.c_str());
  const std::wstring target = ProgramPath();
  ASSERT_TRUE(CreateStartupLink(nullptr, kStartupFolder, L"VornishLinkTest", target, L"D:\\data\\tools.dat"));

  const ComScope com;
  ComPtr<IShellLinkW> shell;
  ASSERT_TRUE(SUCCEEDED(
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shell.put_void())));
  ComPtr<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, file.put_void())));
  ASSERT_TRUE(SUCCEEDED(file->Load(link.c_str(), STGM_READ)));
  wchar_t buffer[1024] = {};
  shell->GetArguments(buffer, 1024);
  EXPECT_STREQ(buffer, L"D:\\data\\tools.dat");
  shell->GetPath(buffer, 1024, nullptr, SLGP_RAWPATH);
  EXPECT_EQ(_wcsicmp(buffer, target.c_str()), 0) << std::wstring(buffer).size();
  ::DeleteFileW(link.c_str());

  wchar_t startup[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, startup)));
  EXPECT_EQ(link, std::wstring(startup) + L"\\VornishLinkTest.lnk");
}

TEST(SharedRoutines, WindowTopOnAndOffChangeOnlyTheZOrder) {
  const HWND window = ::CreateWindowExW(0, L"STATIC", L"t", WS_POPUP, 10, 20, 30, 40, nullptr, nullptr, nullptr,
                                        nullptr);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WindowTopOn(window));
  EXPECT_NE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  ASSERT_TRUE(WindowTopOff(window));
  EXPECT_EQ(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  RECT r{};
  ::GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.bottom - r.top, 40);
  ::DestroyWindow(window);
}

}  // namespace
}  // namespace vornish::win32
