#include "core/Paths.h"

#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/Twips.h"

namespace vornish {
namespace {

TEST(Paths, GetFileNameTakesTheTextAfterTheLastBackslashOrColon) {
  EXPECT_EQ(GetFileName(L"C:\\WINDOWS\\NOTEPAD.EXE"), L"NOTEPAD.EXE");
  EXPECT_EQ(GetFileName(L"A:README.TXT"), L"README.TXT");
  EXPECT_EQ(GetFileName(L"NOTEPAD.EXE"), L"NOTEPAD.EXE");
  EXPECT_EQ(GetFileName(L"C:\\TOOLS\\"), L"");
  EXPECT_EQ(GetFileName(L"C:\\"), L"");
  EXPECT_EQ(GetFileName(L"C:\\dir\\a:b"), L"a:b") << "colons only count without backslashes";
  EXPECT_EQ(GetFileName(L""), L"");
}

TEST(Paths, GetFolderEndsInABackslash) {
  EXPECT_EQ(GetFolder(L"C:\\WINDOWS\\NOTEPAD.EXE", L"D:\\cwd"), L"C:\\WINDOWS\\");
  EXPECT_EQ(GetFolder(L"C:\\TOOLS\\", L"D:\\cwd"), L"C:\\TOOLS\\");
  EXPECT_EQ(GetFolder(L"C:\\", L"D:\\cwd"), L"C:\\");
  EXPECT_EQ(GetFolder(L"NOTEPAD.EXE", L"D:\\cwd"), L"D:\\cwd\\");
  EXPECT_EQ(GetFolder(L"", L"D:\\"), L"D:\\");
  EXPECT_EQ(GetFolder(L"\\\\server\\share\\x.txt", L"D:\\"), L"\\\\server\\share\\");
}

TEST(Paths, SystemFoldersGetOneTrailingBackslash) {
  testing::FakeSystemInfo info;
  info.windows = L"C:\\WINDOWS";
  info.system = L"C:\\WINDOWS\\system32\\";
  EXPECT_EQ(GetWindowsDir(info), L"C:\\WINDOWS\\");
  EXPECT_EQ(GetSystemDir(info), L"C:\\WINDOWS\\system32\\");
  info.windows.clear();
  EXPECT_EQ(GetWindowsDir(info), L"") << "a failed call gives empty text";
}

TEST(Paths, ProgramFolderHasNoTrailingBackslashUnlessARoot) {
  EXPECT_EQ(ProgramFolderOf(L"C:\\Tools\\Vornish\\vornish.exe"), L"C:\\Tools\\Vornish");
  EXPECT_EQ(ProgramFolderOf(L"E:\\vornish.exe"), L"E:\\");
  EXPECT_EQ(ProgramFolderOf(L"\\\\srv\\share\\vornish.exe"), L"\\\\srv\\share");
}

TEST(Paths, DefaultDataFileBesideTheProgram) {
  EXPECT_EQ(DefaultDataFilePath(L"C:\\Program Files\\Vornish"), L"C:\\Program Files\\Vornish\\VRN.dat");
  EXPECT_EQ(DefaultDataFilePath(L"E:\\"), L"E:\\VRN.dat");
}

TEST(Twips, ConversionFollowsTheDpi) {
  EXPECT_EQ(TwipsToPixels(510, 96), 34);
  EXPECT_EQ(TwipsToPixels(15360, 96), 1024);
  EXPECT_EQ(PixelsToTwips(1024, 96), 15360);
  EXPECT_EQ(TwipsToPixels(510, 144), 51);
  EXPECT_EQ(TwipsToPixels(510, 120), 43);  // 42.5 rounds up
  EXPECT_EQ(PixelsToTwips(34, 120), 408);
  EXPECT_EQ(TwipsToPixels(-30, 96), -2);
  EXPECT_EQ(PixelsToTwips(-2, 96), -30);
  for (int px = -50; px < 3000; px += 7) EXPECT_EQ(TwipsToPixels(PixelsToTwips(px, 144), 144), px);
}

}  // namespace
}  // namespace vornish
