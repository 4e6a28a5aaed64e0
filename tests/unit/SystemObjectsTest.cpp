#include "window/SystemObjects.h"

#include <gtest/gtest.h>

#include "Fakes.h"

namespace vornish {
namespace {

using testing::FakeSystemInfo;

TEST(SystemObjects, ControlPanelAppletOnWindows98) {
  const SystemObjectEntry e = DescribeSystemObject(3, FakeSystemInfo::Windows98());
  EXPECT_EQ(e.Title, L"ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ");
  EXPECT_EQ(e.File, L"C:\\WINDOWS\\CONTROL.EXE");
  EXPECT_EQ(e.Param, L"C:\\WINDOWS\\SYSTEM\\SYSDM.CPL");
  EXPECT_EQ(e.Path, L"C:\\WINDOWS\\SYSTEM\\");
  EXPECT_EQ(e.Icon, L"C:\\WINDOWS\\SYSTEM\\SYSDM.CPL");
  EXPECT_EQ(e.IconNo, 0);
}

TEST(SystemObjects, NetworkAndDesktopOnWindowsNT) {
  const FakeSystemInfo nt = FakeSystemInfo::WindowsNT();
  const SystemObjectEntry network = DescribeSystemObject(12, nt);
  EXPECT_EQ(network.File, L"C:\\WINNT\\system32\\CONTROL.EXE");
  EXPECT_EQ(network.Param, L"C:\\WINNT\\system32\\NCPA.CPL");
  EXPECT_EQ(network.Icon, network.Param);
  EXPECT_EQ(network.IconNo, 3);

  const SystemObjectEntry desktop = DescribeSystemObject(1, nt);
  EXPECT_EQ(desktop.Title, L"ﾃﾞｽｸﾄｯﾌﾟ");
  EXPECT_EQ(desktop.File, L"C:\\WINNT\\EXPLORER.EXE");
  EXPECT_EQ(desktop.Param, L",/root,");
  EXPECT_EQ(desktop.Path, L"C:\\WINNT\\");
  EXPECT_EQ(desktop.Icon, L"");
  EXPECT_EQ(desktop.IconNo, 3);
}

TEST(SystemObjects, PlatformDependentRows) {
  const FakeSystemInfo nt = FakeSystemInfo::WindowsNT();
  const FakeSystemInfo w98 = FakeSystemInfo::Windows98();
  EXPECT_EQ(DescribeSystemObject(4, nt).IconNo, 1);
  EXPECT_EQ(DescribeSystemObject(4, w98).IconNo, 0);
  EXPECT_EQ(DescribeSystemObject(9, nt).IconNo, 26);
  EXPECT_EQ(DescribeSystemObject(9, w98).IconNo, 1);
  EXPECT_EQ(DescribeSystemObject(12, w98).Param, L"C:\\WINDOWS\\SYSTEM\\NETCPL.CPL");
  EXPECT_EQ(DescribeSystemObject(12, w98).IconNo, 0);

  const SystemObjectEntry panel = DescribeSystemObject(2, nt);
  EXPECT_EQ(panel.Title, L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ");
  EXPECT_EQ(panel.Param, L"");
  EXPECT_EQ(panel.Icon, L"C:\\WINNT\\system32\\shell32.dll");
  EXPECT_EQ(panel.IconNo, 35);
  EXPECT_EQ(DescribeSystemObject(13, nt).Title, L"ODBC ﾃﾞｰﾀｿｰｽ ｱﾄﾞﾐﾆｽﾄﾚｰﾀ");
  EXPECT_EQ(DescribeSystemObject(11, nt).Param, L"C:\\WINNT\\system32\\APPWIZ.CPL");
}

TEST(SystemObjects, UnknownPlatformUsesTheWindows98Variants) {
  FakeSystemInfo unknown = FakeSystemInfo::WindowsNT();
  unknown.platform = kPlatformWin32Windows;
  EXPECT_EQ(DescribeSystemObject(12, unknown).Param, L"C:\\WINNT\\system32\\NETCPL.CPL");
  EXPECT_EQ(DescribeSystemObject(3, unknown).File, L"C:\\WINNT\\CONTROL.EXE");
}

TEST(SystemObjects, NumbersBeyondTheTableOpenTheControlPanel) {
  const SystemObjectEntry e = DescribeSystemObject(14, FakeSystemInfo::WindowsNT());
  EXPECT_EQ(e.File, L"C:\\WINNT\\system32\\CONTROL.EXE");
  EXPECT_EQ(e.Param, L"C:\\WINNT\\system32\\");
  EXPECT_EQ(e.Title, L"");
  EXPECT_EQ(e.Icon, L"");
  EXPECT_EQ(e.IconNo, 0);
}

TEST(SystemObjects, RecomputeTouchesOnlyFileAndParam) {
  ButtonRecord r = EmptyButton(0x123);
  r.Title = L"mine";
  r.File = L"SysObj";
  r.Icon = L"X:\\old.cpl";
  r.IconNo = 9;
  r.Count = 4;
  r.Sys = 5;
  ButtonRecord expected = r;
  expected.File = L"C:\\WINNT\\system32\\CONTROL.EXE";
  expected.Param = L"C:\\WINNT\\system32\\INTL.CPL";
  RecomputeSystemObject(r, 5, FakeSystemInfo::WindowsNT());
  EXPECT_EQ(r, expected);
}

TEST(SystemObjects, NewButtonIsLockedAndTakesTheSystemColour) {
  const ButtonRecord r = NewSystemObjectButton(8, FakeSystemInfo::WindowsNT(), 0x00ABCDEF);
  EXPECT_EQ(r.Title, L"ｲﾝﾀｰﾈｯﾄのﾌﾟﾛﾊﾟﾃｨ");
  EXPECT_TRUE(r.Lock);
  EXPECT_EQ(r.Color, 0x00ABCDEFu);
  EXPECT_EQ(r.State, 1);
  EXPECT_EQ(r.Count, 0);
  EXPECT_EQ(r.Sys, 8);
  EXPECT_EQ(r.IconNo, 37);
  EXPECT_EQ(r.Path, L"C:\\WINNT\\system32\\");
}

}  // namespace
}  // namespace vornish
