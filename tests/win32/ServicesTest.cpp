// The Windows services under the launcher's logic, against the real (Wine)
// system: files, the registry, the code page, the start-up shortcut, the
// z-order.
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "core/DataFile.h"
#include "core/Messages.h"
#include "core/win32/Com.h"
#include "core/win32/RegistryStore.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/WinFileSystem.h"
#include "core/win32/WinSystemInfo.h"
#include "core/win32/WinText.h"
#include "harness/Harness.h"

namespace vornish::win32 {
namespace {

using e2e::ReadBytes;
using e2e::WriteBytes;

TEST(WinFileSystem, ReplacingIsAtomicKeepsAttributesAndRefusesReadOnlyFiles) {
  const e2e::TempDir dir(L"fs");
  WinFileSystem fs;
  const std::wstring file = (dir / L"VRN.dat").wstring();
  const std::string big(3u << 20, 'x');  // written in several chunks
  ASSERT_TRUE(fs.ReplaceContents(file, "first").ok());
  ASSERT_TRUE(fs.ReplaceContents(file, big).ok());
  EXPECT_TRUE(ReadBytes(file) == big);
  EXPECT_TRUE(fs.FileExists(file));
  EXPECT_FALSE(fs.FileExists(dir.path().wstring())) << "a folder is no file";
  EXPECT_TRUE(fs.PathExists(dir.path().wstring()));

  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(fs.ReplaceContents(file, "new").ok());
  EXPECT_NE(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u) << "a hidden file stays hidden";

  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  const FileResult refused = fs.ReplaceContents(file, "newer");
  EXPECT_EQ(refused.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(refused.reason.empty());
  EXPECT_EQ(ReadBytes(file), "new");
  EXPECT_EQ(fs.ReplaceContents((dir / L"gone\\VRN.dat").wstring(), "x").error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((dir / L"*.tmp").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no temporary file left behind";
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

TEST(WinFileSystem, AWriteThatTakesNothingMoreIsAFullDisk) {
  // A pipe that does not wait takes what fits in its buffer and then nothing.
  const UniqueFile pipe(::CreateNamedPipeW(L"\\\\.\\pipe\\vornish-full", PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_NOWAIT,
                                           1, 64, 64, 0, nullptr));
  const UniqueFile reader(::CreateFileW(L"\\\\.\\pipe\\vornish-full", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(pipe && reader);
  EXPECT_EQ(WriteAll(pipe.get(), std::string(1 << 20, 'x')), static_cast<DWORD>(ERROR_DISK_FULL));
}

TEST(WinFileSystem, LockedFilesAndPathsBeyondTheClassicLimit) {
  const e2e::TempDir dir(L"fs");
  WinFileSystem fs;
  std::wstring folder = dir.path().wstring();
  while (folder.size() < 400) {
    folder += L"\\" + std::wstring(60, L'd');
    ASSERT_TRUE(::CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr));
  }
  const std::wstring file = folder + L"\\VRN.dat";
  ASSERT_TRUE(fs.ReplaceContents(file, "deep").ok());
  std::string bytes;
  ASSERT_TRUE(fs.ReadAll(file, bytes).ok());
  EXPECT_EQ(bytes, "deep");

  const UniqueFile lock(::CreateFileW(ExtendedPath(file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  const FileResult locked = fs.ReadAll(file, bytes);
  EXPECT_EQ(locked.status, FileResult::Status::Failed);
  EXPECT_EQ(locked.error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(locked.reason, FileProblemText(FileProblem::SharingViolation));

  // Too large to read: the reason names the limit (Wine has no text for it).
  const std::wstring huge = (dir / L"huge.dat").wstring();
  {
    const UniqueFile grown(::CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(kMaxReadableFile) + 1;
    ASSERT_TRUE(::SetFilePointerEx(grown.get(), size, nullptr, FILE_BEGIN) && ::SetEndOfFile(grown.get()));
  }
  EXPECT_EQ(fs.ReadAll(huge, bytes).reason, FileProblemText(FileProblem::TooLarge));
}

TEST(RegistryStore, StringsUnderTheTraditionalKeyAndHandEditedNumbers) {
  const std::wstring application = L"VornishStoreTest";
  const std::wstring section = std::wstring(kSettingsRoot) + application + L"\\Set";
  RegistryStore store(application);
  EXPECT_FALSE(store.Read(L"Set", L"Size"));
  // Numbers and booleans too are strings, as every reader of these settings
  // (older versions among them) expects.
  for (const std::wstring& text : std::initializer_list<std::wstring>{L"ﾗﾝﾁｬｰ設定", L"16", L"-2147483633", L"True", L"",
                                                                     std::wstring(100000, L'x')}) {
    ASSERT_TRUE(store.Write(L"Set", L"Size", text));
    EXPECT_EQ(store.Read(L"Set", L"Size"), text);
    DWORD type = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, section.c_str(), L"Size", RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                             nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << text.size();
  }

  const DWORD sixteen = 16;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"Size", REG_DWORD, &sixteen, sizeof sixteen);
  ::RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"Odd", REG_BINARY, &sixteen, sizeof sixteen);
  EXPECT_EQ(store.Read(L"Set", L"Size"), L"16");
  EXPECT_FALSE(store.Read(L"Set", L"Odd"));
  ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kSettingsRoot) + application).c_str());
}

TEST(AnsiCodec, CodePage932WithoutSubstitutes) {
  ASSERT_EQ(::GetACP(), 932u) << "the test session runs in a Japanese locale";
  const AnsiCodec codec;
  std::string bytes = "x";
  ASSERT_TRUE(codec.AppendAnsi(std::wstring(L"メモ\r帳ｱ\0", 6), bytes));
  EXPECT_EQ(bytes, std::string("x\x83\x81\x83\x82\r\x92\xA0\xB1\0", 10)) << "appended, CR and NUL kept";
  std::wstring text = L"old";
  codec.FromAnsi(bytes, text);
  EXPECT_EQ(text, std::wstring(L"xメモ\r帳ｱ\0", 7));
  EXPECT_FALSE(codec.AppendAnsi(L"한국어", bytes)) << "no '?'";
  EXPECT_FALSE(codec.AppendAnsi(L"caf\u00e9", bytes)) << "no best-fit 'e'";
}

TEST(WinSystemInfo, FoldersAndPlatform) {
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  const WinSystemInfo info;
  EXPECT_EQ(info.WindowsDirectory(), windows);
  EXPECT_EQ(info.SystemDirectory(), std::wstring(windows) + L"\\system32");
  EXPECT_EQ(info.PlatformId(), kPlatformWin32NT);
}

TEST(SharedRoutines, StartupShortcutStartsTheProgramWithItsArguments) {
  const std::wstring link = ShortcutPath(kStartupFolder, L"VornishLinkTest");
  wchar_t startup[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, startup)));
  EXPECT_EQ(link, std::wstring(startup) + L"\\VornishLinkTest.lnk");
  ASSERT_TRUE(CreateStartupLink(nullptr, kStartupFolder, L"VornishLinkTest", ProgramPath(), L"D:\\data\\tools.dat"));

  const ComScope com;
  ComPtr<IShellLinkW> shell;
  ComPtr<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shell.put_void())));
  ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, file.put_void())));
  ASSERT_TRUE(SUCCEEDED(file->Load(link.c_str(), STGM_READ)));
  wchar_t text[1024] = {};
  shell->GetArguments(text, 1024);
  EXPECT_STREQ(text, L"D:\\data\\tools.dat");
  shell->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
  EXPECT_EQ(_wcsicmp(text, ProgramPath().c_str()), 0);
  ::DeleteFileW(link.c_str());
}

TEST(SharedRoutines, WindowTopOnAndOffChangeOnlyTheZOrder) {
  const UniqueWindow window(
      ::CreateWindowExW(0, L"STATIC", L"t", WS_POPUP, 10, 20, 30, 40, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(WindowTopOn(window.get()));
  EXPECT_NE(::GetWindowLongW(window.get(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  ASSERT_TRUE(WindowTopOff(window.get()));
  EXPECT_EQ(::GetWindowLongW(window.get(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  RECT r{};
  ::GetWindowRect(window.get(), &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.bottom - r.top, 40);
}

}  // namespace
}  // namespace vornish::win32
