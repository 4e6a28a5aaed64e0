// The two settings dialogs, opened through the real menus and the control
// bar, driven through their controls, and judged by the screen, the data
// file, the registry and the start-up folder.
#include "launcher/Fixture.h"

#include <commctrl.h>

#include "core/win32/Controls.h"
#include "core/win32/SharedRoutines.h"
#include "dialogs/win32/DialogIds.h"

namespace vornish::e2e {
namespace {

using DialogsTest = LauncherTest;

void SetText(HWND dialog, int id, const wchar_t* text) {
  ::SendMessageW(Control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
// An item picked from a drop-down list, as the user would.
void Pick(HWND dialog, int id, int item) {
  const HWND list = Control(dialog, id);
  ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}
int Picked(HWND dialog, int id) { return static_cast<int>(::SendMessageW(Control(dialog, id), CB_GETCURSEL, 0, 0)); }

// The visible page of the settings dialog: the one that holds `id`.
bool PageShows(HWND dialog, int id) { return ::IsWindowVisible(::GetParent(Control(dialog, id))) != FALSE; }

// Picks `file` in the open-file dialog the launcher shows.
bool ChooseFile(const Launcher& launcher, const Path& file) {
  const auto open = WaitForDialog(launcher.Id(), L"ｱｲｺﾝﾌｧｲﾙの参照");
  if (!open) return false;
  // The name field: a combo box on Windows, an edit field in older templates.
  HWND name = ::GetDlgItem(open->window, 0x47C);
  if (!name) name = ::GetDlgItem(open->window, 0x480);
  ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  return Answer(open->window, IDOK);
}

// Where the settings' "start with Windows" puts its shortcut.
std::wstring StartupShortcut() { return win32::ShortcutPath(win32::kStartupFolder, kAppTitle); }

TEST_F(DialogsTest, ButtonSettingsEditTheButtonWithoutMovingTheCurrentFolder) {
  const Path recorder = InstallRecorder(L"tools");
  CreateFolders(dir / L"icons");
  const Path icons = dir / L"icons" / L"many.exe";
  ASSERT_TRUE(::CopyFileW((BinFolder() / L"vornish.exe").c_str(), icons.c_str(), FALSE));
  WriteBytes(dir / L"icons" / L"plain.txt", "no icons");
  const std::string rec = Utf8(recorder.wstring());
  WriteBytes(DataFile(), kHeader + Named("B", 2000) +
                             Line({.title = "rec", .file = rec, .param = "-a", .colour = 255, .count = 1234}));
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  const auto edited = [&] { return launcher.Buttons().at(1); };  // the last one

  ASSERT_TRUE(Choose(launcher, CentreOf(edited()), {'B'}));  // "ﾎﾞﾀﾝ設定(&B)..."
  const HWND dialog = ShownDialog(launcher, L"ボタン設定");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(std::vector<std::wstring>({Text(dialog, IDC_BS_TITLE), Text(dialog, IDC_BS_TARGET),
                                       Text(dialog, IDC_BS_PARAM), Text(dialog, IDC_BS_LAUNCHES),
                                       Text(dialog, IDC_BS_RANK), Text(dialog, IDC_BS_LOCK)}),
            std::vector<std::wstring>({L"rec", recorder.wstring(), L"-a", L"1,234 回", L"2 位", L"無効"}));
  EXPECT_EQ(FocusOf(dialog), Control(dialog, IDC_BS_PREVIOUS)) << "the first field of the Tab order";

  // A file without icons is refused; one with eleven pages through them.
  ClickControl(dialog, IDC_BS_BROWSE);
  ASSERT_TRUE(ChooseFile(launcher, dir / L"icons" / L"plain.txt"));
  EXPECT_EQ(AnswerBox(launcher.Id()), L"このﾌｧｲﾙにはｱｲｺﾝがありません。");
  ClickControl(dialog, IDC_BS_BROWSE);
  ASSERT_TRUE(ChooseFile(launcher, icons));
  ASSERT_TRUE(WaitUntil([&] { return Text(dialog, IDC_BS_COUNT_ICONS) == L"11"; }));
  for (const int paging : {IDC_BS_NEXT, IDC_BS_NEXT, IDC_BS_PREVIOUS, IDC_BS_NEXT}) ClickControl(dialog, paging);
  EXPECT_TRUE(WaitUntil([&] { return Text(dialog, IDC_BS_NUMBER) == L"3"; }));

  // Every field the dialog may change, changed.
  SetText(dialog, IDC_BS_TITLE, L"録画");
  SetText(dialog, IDC_BS_FOLDER, L"C:\\work");
  SetText(dialog, IDC_BS_PARAM, L"-b");
  Pick(dialog, IDC_BS_STATE, 2);  // "最大化"
  ClickControl(dialog, IDC_BS_LOCK);
  EXPECT_TRUE(WaitUntil([&] { return Text(dialog, IDC_BS_LOCK) == L"有効"; }));
  ClickControl(dialog, IDC_BS_STANDARD);  // the locked colour
  ASSERT_TRUE(Answer(dialog, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return TextOf(edited()) == L"録画"; })) << "shown at once";
  EXPECT_EQ(HoverTip(edited()), L"録画");

  // Launched with the new parameters and window state, from the folder the
  // launcher started in, not the one the icon was browsed from.
  Click(CentreOf(edited()));
  const std::vector<LaunchRecord> records = Records(recorder, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(records[0].commandLine.find(L"-b"), std::wstring::npos);
  EXPECT_EQ(records[0].show, SW_SHOWMAXIMIZED);
  EXPECT_EQ(Path(records[0].folder), dir.path());
  launcher.Close();
  EXPECT_EQ(ReadBytes(DataFile()), kHeader + Named("B", 2000) +
                                       Line({Cp932(L"録画"), rec, "C:\\work", "-b", 3, Utf8(icons.wstring()), 2, true,
                                             -2147483632, 1235}));
}

TEST_F(DialogsTest, LauncherSettingsChangeTheWholeLauncherAndItsSystemObjects) {
  SetSetting(L"Set", L"CountEnable", L"False");
  for (const wchar_t* colour : {L"DefColor", L"LockColor", L"SystemColor"}) SetSetting(L"Set", colour, L"255");
  WriteBytes(DataFile(), kHeader + Named("A", 5) + Named("B", 7));
  ::DeleteFileW(StartupShortcut().c_str());
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);

  ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Buttons().at(0)), {'S'}));  // "ﾗﾝﾁｬｰ設定(&S)..."
  HWND dialog = ShownDialog(launcher, L"ランチャー設定");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(::SendMessageW(Control(dialog, IDC_SET_TABS), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_TRUE(PageShows(dialog, IDC_SET_SIZE));
  EXPECT_EQ(Picked(dialog, IDC_SET_SIZE), 2);
  Pick(dialog, IDC_SET_SIZE, 0);  // 16 × 16
  // Each "標準" puts its kind's default colour on its own swatch.
  const Settings defaults;
  const OleColor standard[] = {defaults.DefColor, defaults.LockColor, defaults.SystemColor};
  for (int i = 0; i < 3; ++i) {
    ClickControl(dialog, IDC_SET_STANDARD0 + i);
    EXPECT_TRUE(WaitUntil([&] {
      const Pixels swatch(Control(dialog, IDC_SET_SWATCH0 + i));
      return swatch.at(swatch.width() / 2, swatch.height() / 2) == win32::ToColorRef(standard[i]);
    })) << i;
  }

  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages and wrap.
  Press(VK_TAB, true);
  EXPECT_TRUE(WaitUntil([&] { return PageShows(dialog, IDC_SET_SELECT_ALL); }));
  ClickControl(dialog, IDC_SET_SELECT_ALL);
  EXPECT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_SET_SYSTEM0 + 12); }));
  Press(VK_TAB, true, true);
  Press(VK_TAB, true, true);
  EXPECT_TRUE(WaitUntil([&] { return PageShows(dialog, IDC_SET_TASKBAR); }));
  EXPECT_EQ(HoverTip(Control(dialog, IDC_SET_POSITION0 + 1)), L"左揃え");
  ClickControl(dialog, IDC_SET_POSITION0 + 1);  // left: a column
  EXPECT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_SET_COLUMN) && !Checked(dialog, IDC_SET_ROW); }));
  EXPECT_TRUE(Checked(dialog, IDC_SET_POSITION0 + 1) && !Checked(dialog, IDC_SET_POSITION0));
  for (const int box : {IDC_SET_COUNT, IDC_SET_STARTUP, IDC_SET_WINDOW_TOP}) ClickControl(dialog, box);
  ASSERT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_SET_WINDOW_TOP); }));
  ClickControl(dialog, IDOK);

  // Counting switched on asks whether to clear the counts so far. The dialog
  // takes no input until it is answered, and OK pressed meanwhile (another
  // program still can) adds nothing twice.
  ASSERT_TRUE(WaitForDialog(launcher.Id(), L"Vornish"));
  EXPECT_FALSE(::IsWindowEnabled(dialog));
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Control(dialog, IDOK)));
  EXPECT_EQ(AnswerBox(launcher.Id(), IDYES), L"いままでの起動回数をクリアますか？");
  ASSERT_TRUE(WaitUntil([&] { return launcher.Buttons().size() == 15u; })) << "one button per system object";
  EXPECT_TRUE(WaitUntil([&] { return RectOf(main).left <= 2 && RectOf(main).right - RectOf(main).left == 26; }))
      << "docked left as a column of 16-pixel buttons: 390 twips wide";
  EXPECT_TRUE(WaitUntil([&] { return (::GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
  EXPECT_EQ(TextOf(launcher.Buttons().at(2)), L"ﾃﾞｽｸﾄｯﾌﾟ");
  EXPECT_TRUE(Exists(StartupShortcut())) << "what it starts is the shortcut routine's, tested in-process";
  ::DeleteFileW(StartupShortcut().c_str());

  // All cleared: the system objects go again, while the window is still at
  // the edge; then it floats, as long as its two buttons need.
  ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Bar()), {'S'}));
  dialog = ShownDialog(launcher, L"ランチャー設定");
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(Checked(dialog, IDC_SET_STARTUP)) << "never ticked when the dialog opens";
  Press(VK_TAB, true);
  ClickControl(dialog, IDC_SET_CLEAR_ALL);
  ASSERT_TRUE(WaitUntil([&] { return !Checked(dialog, IDC_SET_SYSTEM0); }));
  Press(VK_TAB, true);
  ClickControl(dialog, IDC_SET_POSITION0);  // "浮動"
  ASSERT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_SET_POSITION0); }));
  ASSERT_TRUE(Answer(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return launcher.Buttons().size() == 2u; }));
  EXPECT_TRUE(WaitUntil([&] { return RectOf(main).bottom - RectOf(main).top == 49; }))
      << "two 16-pixel buttons in a column: 735 twips long, not the screen's height";
  EXPECT_EQ(RectOf(main).right - RectOf(main).left, 26);
  launcher.Close();

  EXPECT_EQ(ReadBytes(DataFile()), kHeader + Named("A") + Named("B"));
  Settings expected;
  expected.Size = 16;
  expected.Orient = 1;
  expected.WindowTop = true;
  EXPECT_EQ(ListSettings(L"Set"), SavedSettings(expected));
  EXPECT_FALSE(Exists(StartupShortcut())) << "made only by an OK with the box ticked";
}

// At 144 DPI: the window in twips at 10 a pixel, icons made for their size.
TEST_F(DialogsTest, CancelChangesNothingAtAnyDpi) {
  const RegistryValue dpi = Dpi(144);
  SetSetting(L"Set", L"ControlDblClick", L"1");
  SetSetting(L"Set", L"CountEnable", L"False");
  const std::string notepad = "C:\\windows\\system32\\notepad.exe";
  const std::string file = kHeader + Line({.title = "A", .file = notepad, .count = 3}) + Line({.title = "B", .file = notepad});
  WriteBytes(DataFile(), file);
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  const RECT before = RectOf(main);
  EXPECT_EQ(std::vector<LONG>({before.left, before.right - before.left, before.bottom - before.top}),
            std::vector<LONG>({450, 125, 63}))
      << "4500, 1245 and 630 twips";
  // The icon is made for the 48 pixels it is shown at, not at 32: it reaches
  // beyond the 32nd row and column of the face (51 pixels: 510 twips).
  EXPECT_TRUE(WaitUntil([&] {
    const Pixels shown(launcher.Buttons().at(0));
    return shown.width() == 51 && shown.CountOtherThan(::GetSysColor(COLOR_BTNFACE), RECT{33, 20, 49, 21}) +
                                          shown.CountOtherThan(::GetSysColor(COLOR_BTNFACE), RECT{20, 33, 21, 49}) > 4;
  }));

  ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Buttons().at(0)), {'B'}));
  HWND dialog = ShownDialog(launcher, L"ボタン設定");
  ASSERT_TRUE(dialog);
  SetText(dialog, IDC_BS_TITLE, L"changed");
  ClickControl(dialog, IDC_BS_LOCK);
  Press(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));

  DoubleClick(CentreOf(launcher.Bar()));  // opens the settings
  dialog = ShownDialog(launcher, L"ランチャー設定");
  ASSERT_TRUE(dialog);
  Pick(dialog, IDC_SET_SIZE, 0);
  // A click that another program posts to a control of a hidden page, a key,
  // and a key it posts there: the dialog still answers the next keys.
  const HWND hidden = Control(dialog, IDC_SET_SYSTEM0 + 1);
  ::PostMessageW(hidden, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::PostMessageW(hidden, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  Press('A');
  ::PostMessageW(Control(dialog, IDC_SET_COUNT), WM_CHAR, 'a', 0);
  Press(VK_TAB, true);
  ASSERT_TRUE(WaitUntil([&] { return PageShows(dialog, IDC_SET_SELECT_ALL); })) << "the dialog answers";
  EXPECT_NE(FocusOf(dialog), hidden) << "the click left the focus where it was";
  ClickControl(dialog, IDC_SET_SELECT_ALL);
  ASSERT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_SET_SYSTEM0 + 12); }));
  Press(VK_TAB, true);
  ClickControl(dialog, IDC_SET_POSITION0 + 4);
  ClickControl(dialog, IDC_SET_COUNT);
  ASSERT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_SET_POSITION0 + 4) && Checked(dialog, IDC_SET_COUNT); }));
  // CANCEL pressed while OK's question is up applies nothing, whatever the answer.
  ClickControl(dialog, IDOK);
  ASSERT_TRUE(WaitForDialog(launcher.Id(), L"Vornish"));
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(Control(dialog, IDCANCEL)));
  AnswerBox(launcher.Id(), IDYES);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
  // Answered once the launcher is back in its loop, after the command.
  EXPECT_EQ(TextOf(launcher.Buttons().at(0)), L"A");
  EXPECT_EQ(launcher.Buttons().size(), 2u);
  EXPECT_TRUE(RectOf(main) == before);
  launcher.Close();
  EXPECT_EQ(ReadBytes(DataFile()), file);
  Settings expected;
  expected.ControlDblClick = 1;
  expected.CountEnable = false;
  EXPECT_EQ(ListSettings(L"Set"), SavedSettings(expected));
}

TEST_F(DialogsTest, UnderAnOpenDialogDropsAreRefusedAndClosingStillSaves) {
  const Path recorder = InstallRecorder(L"tools");
  const auto line = [&](int count) { return Line({.title = "rec", .file = Utf8(recorder.wstring()), .count = count}); };
  WriteBytes(DataFile(), kHeader + line(0));
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  Click(CentreOf(launcher.Buttons().at(0)));
  ASSERT_EQ(Records(recorder, 1).size(), 1u);  // counted: something to save
  ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Buttons().at(0)), {'B'}));
  const HWND dialog = ShownDialog(launcher, L"ボタン設定");
  ASSERT_TRUE(dialog);
  WriteBytes(dir / L"other.txt", "o");
  // Dropped the old way, which cannot be refused: ignored (the messages
  // arrive in order, the close after it). An OLE drag is refused by the
  // button's drop target itself (the in-process tests show that; Wine
  // offers no drop to a window a dialog has disabled at all).
  const RemoteBuffer drop = DropFiles(launcher.Buttons().at(0), {(dir / L"other.txt").wstring()});
  launcher.Close();  // as Windows or an installer asks it to end
  EXPECT_EQ(ReadBytes(DataFile()), kHeader + line(1));
}

TEST_F(DialogsTest, APortableCopyKeepsItsSettingsInTheFileBesideIt) {
  ClearSettings();
  const auto utf16 = [](std::wstring_view text) {
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  };
  const Path ini = dir / L"Vornish.ini";
  WriteBytes(ini, utf16(L"[Set]\r\nStartTips=0\r\nSize=16\r\n[Window]\r\nMainLeft=4500\r\nMainTop=3000\r\n"));
  Launcher launcher(dir.path());
  const HWND main = launcher.Start();
  ASSERT_TRUE(main);
  EXPECT_EQ(RectOf(main).bottom - RectOf(main).top, 26) << "16-pixel buttons, as the file says";
  ::SetWindowPos(main, nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  launcher.Close();

  const std::string bytes = ReadBytes(ini);
  ASSERT_TRUE(bytes.starts_with("\xFF\xFE"));
  const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
  for (const wchar_t* line : {L"[Set]\r\nStartTips=0\r\nSize=16\r\n", L"\r\nWindowTop=False\r\n",
                              L"[Window]\r\nMainLeft=2250\r\nMainTop=1500\r\n"}) {
    EXPECT_NE(text.find(line), std::wstring::npos) << Utf8(line);
  }
  EXPECT_TRUE(ListSettings(L"Set").empty() && ListSettings(L"Window").empty()) << "nothing in the registry";
}

}  // namespace
}  // namespace vornish::e2e
