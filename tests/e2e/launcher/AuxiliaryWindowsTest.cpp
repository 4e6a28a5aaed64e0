// The ranking, tips and version windows and the help, opened through the
// real menus, driven through their controls, and judged by what they show,
// the clipboard, the data file, the registry and the programs they start;
// and where the libraries they need come from.
#include "launcher/Fixture.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cwctype>

#include "core/win32/Controls.h"
#include "dialogs/Tips.h"
#include "dialogs/win32/DialogIds.h"

namespace vornish::e2e {
namespace {

using AuxiliaryWindowsTest = LauncherTest;
using Rows = std::vector<std::vector<std::wstring>>;

// Chooses from the button pop-up menu of the first button by access keys:
// 'L' the ranking, 'H' and then 'C', 'S', 'T' or 'A' the help menu's items.
void Choose(const Launcher& launcher, std::initializer_list<WORD> keys) {
  ASSERT_TRUE(Choose(launcher, CentreOf(launcher.Buttons().at(0)), keys));
}

// The cells of a report-view list view of another process, read through its
// own messages.
Rows ListRows(HWND list, int columns) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(list, &process);
  constexpr std::size_t kChars = 256;
  RemoteBuffer buffer(process, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  Rows rows(static_cast<std::size_t>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (int column = 0; column < columns; ++column) {
      LVITEMW item{};
      item.iSubItem = column;
      item.cchTextMax = kChars;
      item.pszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof item));
      buffer.Write(&item, sizeof item);
      std::wstring text(kChars, L'\0');
      text.resize(static_cast<std::size_t>(::SendMessageW(list, LVM_GETITEMTEXTW, row, buffer.At())));
      buffer.Read(text.data(), text.size() * sizeof(wchar_t), sizeof item);
      rows[row].push_back(text);
    }
  }
  return rows;
}

// The width the list view needs for `text` in its own font.
int StringWidth(HWND list, std::wstring_view text) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(list, &process);
  const std::wstring copy(text);
  RemoteBuffer buffer(process, (copy.size() + 1) * sizeof(wchar_t));
  buffer.Write(copy.c_str(), (copy.size() + 1) * sizeof(wchar_t));
  return static_cast<int>(::SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, buffer.At()));
}

int SelectedRow(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }

// The order and the two questions are the ranking's logic, tested natively;
// here, what the window shows of them and what the launcher keeps.
// Each window at 144 DPI: its columns and pictures are made for it.
TEST_F(AuxiliaryWindowsTest, RankingListsByTheCountAndClearsOnlyAfterTwoYes) {
  const RegistryValue dpi = Dpi(144);
  WriteBytes(DataFile(), kHeader + Named("Nine", 999999999) + kEmptyLine + Named("Ten", 1000000000) + Named("Z"));
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  Choose(launcher, {'L'});  // "起動ﾗﾝｷﾝｸﾞ(&L)..."
  const HWND dialog = ShownDialog(launcher, L"起動ランキング");
  ASSERT_TRUE(dialog);
  const HWND list = Control(dialog, IDC_LANK_LIST);
  EXPECT_EQ(ListRows(list, 3), (Rows{{L"Ten", L"1000000000", L"1"}, {L"Nine", L"999999999", L"2"}, {L"Z", L"0", L"3"}}));
  EXPECT_EQ(SelectedRow(list), 0);
  const std::wstring headers[] = {L"ﾀｲﾄﾙ", L"起動回数", L"順位"}, widest[] = {L"Nine", L"1000000000", L"3"};
  for (int column = 0; column < 3; ++column) {
    const int width = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    EXPECT_GT(width, std::max(StringWidth(list, headers[column]), StringWidth(list, widest[column]))) << column;
  }

  // A No leaves the counts and the list focused; two Yes close the window.
  ClickControl(dialog, IDC_LANK_CLEAR);
  EXPECT_EQ(AnswerBox(launcher.Id(), IDYES), L"ランキングデータをクリアしてもよろしいですか？");
  EXPECT_EQ(AnswerBox(launcher.Id(), IDNO), L"本当にクリアしてもよろしいですか？");
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == list; }));
  EXPECT_EQ(ListRows(list, 3).at(0).at(1), L"1000000000");
  ClickControl(dialog, IDC_LANK_CLEAR);
  AnswerBox(launcher.Id(), IDYES);
  AnswerBox(launcher.Id(), IDYES);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); })) << "the window closes after a reset";
  launcher.Close();
  EXPECT_EQ(ReadBytes(DataFile()), kHeader + Named("Nine") + kEmptyLine + Named("Ten") + Named("Z"));
}

TEST_F(AuxiliaryWindowsTest, TipsOpenAtStartPageThroughTheButtonsAndKeepTheBox) {
  const RegistryValue dpi = Dpi(144);
  SetSetting(L"Set", L"StartTips", L"1");
  WriteBytes(DataFile(), kHeader + Named("A"));
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  HWND dialog = ShownDialog(launcher, L"ﾜﾝﾎﾟｲﾝﾄ");
  ASSERT_TRUE(dialog) << "opened by the first activation";
  // Opened once the window was up: the tray icon is there while they are. A
  // menu asked for through it waits for them, which come to the front.
  const auto icon = TrayIcon(launcher);
  ASSERT_TRUE(icon) << "the tray icon is there while the tips are up";
  Process other = Process::Start(BinFolder() / L"holder.exe");
  ASSERT_TRUE(Activate(WaitFor([&] { return TopWindow(other.Id(), L"Vornish.E2EHolder"); })));
  Click(*icon);
  EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == dialog; })) << "the tips, not a menu";
  other.Kill();
  // Each paging button is wired to its own way; the paging itself is tested natively.
  const auto shows = [&](int n) {
    return WaitUntil([&] { return Text(dialog, IDC_TIPS_NUMBER) == TipNumber(n) && Text(dialog, IDC_TIPS_TEXT) == Tip(n); });
  };
  EXPECT_TRUE(shows(1));
  EXPECT_TRUE(Checked(dialog, IDC_TIPS_START));
  EXPECT_EQ(RectOf(Control(dialog, IDC_TIPS_ICON)).right - RectOf(Control(dialog, IDC_TIPS_ICON)).left, 48);
  ClickControl(dialog, IDC_TIPS_PREVIOUS);
  EXPECT_TRUE(shows(12));
  ClickControl(dialog, IDC_TIPS_NEXT);
  EXPECT_TRUE(shows(1));
  ClickControl(dialog, IDC_TIPS_START);
  ASSERT_TRUE(WaitUntil([&] { return !Checked(dialog, IDC_TIPS_START); }));
  ASSERT_TRUE(Answer(dialog, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == launcher.Main(); })) << "the launcher active again";

  // From the help menu, again at tip 1, the box as the window left it when
  // it closed; the close box keeps the box too.
  Choose(launcher, {'H', 'T'});  // "ﾜﾝﾎﾟｲﾝﾄを表示(&T)..."
  dialog = ShownDialog(launcher, L"ﾜﾝﾎﾟｲﾝﾄ");
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(shows(1));
  EXPECT_FALSE(Checked(dialog, IDC_TIPS_START));
  ClickControl(dialog, IDC_TIPS_START);
  ASSERT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_TIPS_START); }));
  ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
  launcher.Close();
  EXPECT_EQ(ListSettings(L"Set")[L"StartTips"], L"1") << "the launcher's exit leaves it as the window wrote it";
}

// The help window HTML Help shows in the launcher's own process.
HWND HelpWindow(const Launcher& launcher) { return WaitFor([&] { return TopWindow(launcher.Id(), L"HH Parent"); }); }

// The first window of class `className` anywhere inside `parent`.
HWND OfClass(HWND parent, const wchar_t* className) {
  return Descendant(parent, [&](HWND child) {
    wchar_t name[64] = {};
    ::GetClassNameW(child, name, 64);
    return _wcsicmp(name, className) == 0;
  });
}

// Whether the help window shows navigation tab `tab` (0 the contents tree,
// 1 the keyword index) with its entries.
bool HelpShows(HWND help, int tab) {
  // The window shows before it has made its panes.
  return WaitUntil([&] {
    const HWND tabs = OfClass(help, WC_TABCONTROLW);
    const HWND pane = OfClass(help, tab == 0 ? WC_TREEVIEWW : WC_LISTVIEWW);
    return tabs && pane && ::SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == tab && ::IsWindowVisible(pane) &&
           ::SendMessageW(pane, tab == 0 ? TVM_GETCOUNT : LVM_GETITEMCOUNT, 0, 0) > 0;
  });
}

// Wine's HTML Help shows the same window as Windows ("HH Parent" titled by the
// help file's window definition, a tab strip over the contents tree and the
// index list), but this prefix has no browser engine, so its page pane stays
// empty; the tests read the navigation pane only. Wine 8 also leaves the tab
// as it is when a help window that is already open is asked for the other
// one (the tab strip then selects nothing), where Windows turns to it; so
// each command is checked on a window of its own.
TEST_F(AuxiliaryWindowsTest, VersionWindowStartsSystemInformationAndHelpOpensAtItsContentsAndIndex) {
  const Path msinfo = InstallRecorder(L"msinfo");
  const RegistryValue registered(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH",
                                 msinfo.wstring());
  const RegistryValue dpi = Dpi(144);
  WriteBytes(DataFile(), kHeader + Named("A"));
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());
  Choose(launcher, {'H', 'A'});  // "ﾊﾞｰｼﾞｮﾝ情報(&A)..."
  const HWND dialog = ShownDialog(launcher, L"ﾊﾞｰｼﾞｮﾝ情報");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(RectOf(Control(dialog, IDC_ABOUT_ICON)).right - RectOf(Control(dialog, IDC_ABOUT_ICON)).left, 48);
  EXPECT_EQ(Text(dialog, IDC_ABOUT_TITLE), L"Vornish  Ver.1.0") << "from the program's version resource";
  EXPECT_FALSE(::IsWindowVisible(Control(dialog, IDC_ABOUT_MAIL))) << "no mail label without an address";
  const HWND web = Control(dialog, IDC_ABOUT_WEB);
  const std::wstring chm = (dir / L"VRN.chm").wstring();
  EXPECT_EQ(TextOf(web), L"Vornish ヘルプ：" + chm);
  EXPECT_EQ(HoverTip(web), L"ｸﾘｯｸするとｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰし、ﾀﾞﾌﾞﾙｸﾘｯｸするとﾎｰﾑﾍﾟｰｼﾞへｼﾞｬﾝﾌﾟします。");

  ASSERT_TRUE(win32::CopyToClipboard(nullptr, L"before"));
  Click(CentreOf(web));
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == chm; })) << "the text after the first \"：\"";

  ClickControl(dialog, IDC_ABOUT_SYSINFO);
  const std::vector<LaunchRecord> records = Records(msinfo, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].show, SW_SHOWNORMAL);
  EXPECT_NE(records[0].commandLine.find(msinfo.filename().wstring()), std::wstring::npos);
  ASSERT_TRUE(Answer(dialog, IDOK));

  Choose(launcher, {'H', 'C'});  // "目次(&C)"
  EXPECT_EQ(AnswerBox(launcher.Id()), L"ﾍﾙﾌﾟﾌｧｲﾙが見つかりません。\r\n\r\n" + chm);

  ASSERT_TRUE(::CopyFileW((BinFolder() / L"VRN.chm").c_str(), chm.c_str(), FALSE));
  Choose(launcher, {'H', 'C'});
  const HWND help = HelpWindow(launcher);
  ASSERT_TRUE(help);
  EXPECT_EQ(TextOf(help), L"Vornish ヘルプ");
  EXPECT_TRUE(HelpShows(help, 0)) << "the contents";
  ::PostMessageW(help, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(help); }));

  Choose(launcher, {'H', 'S'});  // "ﾄﾋﾟｯｸの検索(&S)..."
  const HWND index = HelpWindow(launcher);
  ASSERT_TRUE(index);
  EXPECT_TRUE(HelpShows(index, 1)) << "the keyword index";
  launcher.Close();  // a clean exit: the help window closes first
  EXPECT_FALSE(::IsWindow(index));
}

// The libraries named in `program`'s import table, in lower case.
std::vector<std::wstring> Imports(const Path& program) {
  const HMODULE mapped = ::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!mapped) Fail("mapping the program");
  // The handle of a library mapped as a resource marks its low bits.
  const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<std::uintptr_t>(mapped) & ~std::uintptr_t{3});
  const auto* headers =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const DWORD table = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  std::vector<std::wstring> names;
  for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + table); entry->Name != 0; ++entry) {
    std::wstring name;
    for (const char* c = reinterpret_cast<const char*>(base + entry->Name); *c; ++c) {
      name += static_cast<wchar_t>(std::towlower(static_cast<unsigned char>(*c)));
    }
    names.push_back(name);
  }
  ::FreeLibrary(mapped);
  return names;
}

// The files of the modules loaded in process `id` that lie in `folder`.
std::vector<std::wstring> ModulesFrom(DWORD id, const Path& folder) {
  const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
  HMODULE modules[512] = {};
  DWORD bytes = 0;
  if (!process || !::EnumProcessModules(process.get(), modules, sizeof modules, &bytes)) Fail("listing the modules");
  std::vector<std::wstring> found;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
    wchar_t name[MAX_PATH] = {};
    ::GetModuleFileNameExW(process.get(), modules[i], name, MAX_PATH);
    if (_wcsicmp(Path(name).parent_path().c_str(), folder.c_str()) == 0) found.push_back(Path(name).filename());
  }
  return found;
}

// A portable copy runs from wherever it was unpacked, where anyone may have
// put a DLL under a system library's name: nothing is taken from there. The
// program imports only known DLLs, which Windows always takes from the system
// folder, and the common controls, which the manifest takes from the
// side-by-side store; the rest it loads from the system folder when first
// needed (accessibility when a screen reader asks, HTML Help when help
// opens). Each library planted here leaves a mark when loaded.
//
// Where Wine cannot show what Windows does: Wine's own user32 imports
// version.dll (Windows' does not, and is a known DLL), so under Wine a
// planted version.dll is loaded whatever the program does; none is planted
// here, and the import table shows that the launcher names none.
// uxtheme.dll comes in through the system's own libraries: under Wine its
// user32 loads uxtheme.dll by name while the process starts, before the
// program's first instruction, and lets it go again, so that planted copy
// leaves its mark. No program can prevent that (nor, on Windows, what a
// statically imported system library, the common controls among them, loads
// as the process starts); the launcher sees to it that every later load gets
// the system's uxtheme.dll.
TEST_F(AuxiliaryWindowsTest, NoLibraryIsLoadedFromTheProgramsFolder) {
  // Known DLLs of Windows 10 and 11 a program like this may import, and the
  // common controls.
  const std::vector<std::wstring> known = {L"advapi32.dll", L"comdlg32.dll", L"gdi32.dll",    L"imm32.dll",
                                           L"kernel32.dll", L"msvcrt.dll",   L"ole32.dll",    L"oleaut32.dll",
                                           L"shell32.dll",  L"shlwapi.dll",  L"user32.dll",   L"comctl32.dll"};
  for (const std::wstring& name : Imports(BinFolder() / L"vornish.exe")) {
    EXPECT_TRUE(std::find(known.begin(), known.end(), name) != known.end()) << Utf8(name) << " is no known DLL";
  }

  for (const wchar_t* name : {L"oleacc.dll", L"hhctrl.ocx", L"uxtheme.dll"}) {
    ASSERT_TRUE(::CopyFileW((BinFolder() / L"planted.dll").c_str(), (dir / name).c_str(), FALSE));
  }
  ASSERT_TRUE(::CopyFileW((BinFolder() / L"VRN.chm").c_str(), (dir / L"VRN.chm").c_str(), FALSE));
  WriteBytes(DataFile(), kHeader + Named("A"));
  // Wine prefers its own libraries to one beside the program: these are
  // searched for as Windows does, in every vornish.exe. (WINEDLLOVERRIDES set
  // here would not reach the launcher: Wine reads it from its own
  // environment, not from the one a process is given.)
  constexpr const wchar_t* kOverrides = L"Software\\Wine\\AppDefaults\\vornish.exe\\DllOverrides";
  const RegistryValue oleacc(HKEY_CURRENT_USER, kOverrides, L"oleacc", L"native,builtin");
  const RegistryValue hhctrl(HKEY_CURRENT_USER, kOverrides, L"hhctrl.ocx", L"native,builtin");
  const RegistryValue uxtheme(HKEY_CURRENT_USER, kOverrides, L"uxtheme", L"native,builtin");
  Launcher launcher(dir.path());
  ASSERT_TRUE(launcher.Start());

  EXPECT_NE(::SendMessageW(launcher.Buttons().at(0), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0)
      << "what a screen reader asks for is answered";
  Choose(launcher, {'H', 'C'});
  EXPECT_TRUE(HelpWindow(launcher));
  EXPECT_EQ(ModulesFrom(launcher.Id(), dir.path()), std::vector<std::wstring>{L"vornish.exe"});
  launcher.Close();
  EXPECT_FALSE(Exists(dir / L"oleacc.dll.loaded"));
  EXPECT_FALSE(Exists(dir / L"hhctrl.ocx.loaded"));
}

}  // namespace
}  // namespace vornish::e2e
