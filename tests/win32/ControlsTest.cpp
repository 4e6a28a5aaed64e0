// The launcher's own controls in-process: what another process cannot see
// (menu states, registrations) or measure (handles and memory).
#include "buttons/win32/IconButton.h"

#include <commctrl.h>
#include <oleacc.h>
#include <psapi.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "core/win32/Com.h"
#include "core/win32/Controls.h"
#include "core/win32/RegistryStore.h"
#include "core/win32/SharedRoutines.h"
#include "core/win32/WinSystemInfo.h"
#include "core/win32/WinFileSystem.h"
#include "core/win32/WinText.h"
#include "harness/Harness.h"
#include "window/win32/frmMain.h"
#include "window/win32/TrayIcon.h"
#include "window/win32/frmPopMenu.h"

namespace vornish::win32 {
namespace {

using namespace std::chrono_literals;

// The items of the pop-up menu this thread has open ('1' enabled, '0' greyed,
// '-' a separator) and its bold item's index; the menu closes unchosen.
std::wstring g_openMenu;
void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND popup = nullptr;  // the visible window of the menus' class (the system keeps a hidden one too)
  while ((popup = ::FindWindowExW(nullptr, popup, L"#32768", nullptr)) && !::IsWindowVisible(popup)) {}
  const auto menu = reinterpret_cast<HMENU>(popup ? ::SendMessageW(popup, MN_GETHMENU, 0, 0) : 0);
  if (!menu) return;  // not open yet
  ::KillTimer(nullptr, timer);
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    const UINT item = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    g_openMenu += (item & MF_SEPARATOR) ? L'-' : (item & MF_GRAYED) ? L'0' : L'1';
  }
  g_openMenu += L" " + std::to_wstring(static_cast<int>(::GetMenuDefaultItem(menu, TRUE, 0)));
  ::EndMenu();
}

TEST(PopMenu, ItemsEnabledByWhereTheMenuOpenedAndTheTrayDefaultInBold) {
  CommandTimer timer;
  frmPopMenu menus(timer);
  const UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                             ::GetModuleHandleW(nullptr), nullptr));
  const auto open = [&](const auto& show) {
    g_openMenu.clear();
    ::SetTimer(nullptr, 0, 10, ReadOpenMenu);
    show();
    return g_openMenu;
  };
  const auto flags = [&](const ButtonMenuState& state) {
    return open([&] { menus.ShowButtonMenu(owner.get(), state, 0); });
  };
  EXPECT_EQ(flags({false, false, false, false}), L"1000-0-11-1-1-10 -1") << "background or tray";
  EXPECT_EQ(flags({true, true, false, false}), L"1110-0-11-1-1-10 -1") << "empty button";
  EXPECT_EQ(flags({true, false, false, true}), L"1100-1-11-1-1-10 -1") << "system object";
  EXPECT_EQ(flags({true, true, true, true}), L"1111-1-11-1-1-10 -1") << "any other button";
  EXPECT_EQ(flags({false, false, false, false, true}), L"1000-0-11-1-1-11 -1") << "a change to undo";
  EXPECT_FALSE(timer.Pending()) << "closed without a choice";
  // What a double-click on the tray icon does is the tray menu's bold item.
  // (Under Wine another process cannot read a menu, so this is asked here.)
  EXPECT_EQ(open([&] { menus.ShowTrayMenu(owner.get()); }), L"1-1-1 0");
}

// A task bar that refuses the icon (one not there yet at log-on; here one
// that holds an icon of that window and number already): it is tried again
// until it takes it.
TEST(TrayIcon, ARefusedIconIsAddedOnceTheTaskBarTakesIt) {
  const UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                             ::GetModuleHandleW(nullptr), nullptr));
  NOTIFYICONDATAW other{};
  other.cbSize = sizeof other;
  other.hWnd = owner.get();
  other.uID = 1;
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_ADD, &other));
  TrayIcon tray;
  tray.Add(owner.get(), ::LoadIconW(nullptr, IDI_APPLICATION), L"Vornish");
  EXPECT_FALSE(tray.Shown());
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &other));
  // The owner's timers are the icon's, as the main window hands them over.
  EXPECT_TRUE(e2e::WaitUntil(
      [&] {
        MSG m;
        while (::PeekMessageW(&m, owner.get(), WM_TIMER, WM_TIMER, PM_REMOVE)) tray.OnMessage(m.message, m.wParam, m.lParam);
        return tray.Shown();
      },
      10s));
  EXPECT_TRUE(::Shell_NotifyIconW(NIM_MODIFY, &other)) << "the task bar has it";
}

// The buttons' events the tests look at: files dropped, taken or refused.
class Events : public IconButtonEvents {
 public:
  bool acceptsDrops = true;
  int dropped = 0;
  bool IconButton_AcceptsDrop(int) override { return acceptsDrops; }
  void IconButton_FileDrop(int, const std::wstring&) override { ++dropped; }
  void IconButton_IconReset(int) override {}
  void IconButton_Click(int) override {}
  void IconButton_KeyDown(int, int, int) override {}
  void IconButton_MouseDown(int, int, int, float, float) override {}
  void IconButton_MouseMove(int, int, int, float, float) override {}
};

// Runs this thread's messages until `done` holds (at most ten seconds).
bool Pump(const std::function<bool()>& done) {
  for (int i = 0; i < 1000 && !done(); ++i) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ::Sleep(10);
  }
  return done();
}

class IconButtonTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(IconButton::Register(instance)); }
  std::unique_ptr<IconButton> Make(int index, HWND tooltip = nullptr) {
    auto button = std::make_unique<IconButton>(index, model, events, icons);
    EXPECT_TRUE(button->Create(instance, parent.get(), tooltip, RECT{0, 0, 34, 34}));
    return button;
  }
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const UniqueWindow parent{
      ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, instance, nullptr)};
  LauncherModel model;
  Events events;
  std::atomic<int> faceSize{0};  // of the face made last
  IconLoader icons{[this](const ButtonRecord& record, int size) {
    faceSize = size;
    return MakeFaceIcon(record, size, instance);
  }};
};

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  return memory.PagefileUsage;
}

TEST_F(IconButtonTest, IconsAreMadeAtTheirSizeAndRefreshesKeepNothing) {
  const std::wstring system = WinSystemInfo().SystemDirectory();
  model.Buttons = {EmptyButton(kColourButtonFace)};
  model.Buttons[0].File = system + L"\\shell32.dll";
  model.Buttons[0].IconNo = 5;
  const auto button = Make(0);
  button->Refresh();
  EXPECT_TRUE(Pump([&] { return faceSize == 32; }));
  model.settings.Size = 16;
  button->IconRefresh();
  EXPECT_TRUE(Pump([&] { return faceSize == 16; })) << "made at the size it is shown";

  // 400 faces of a program's and a document's icon: a leaked 32-pixel icon
  // or bitmap keeps at least 4 KiB, 400 would be 1.6 MiB. Wine counts no GDI
  // objects, so private memory stands in.
  ButtonRecord program = model.Buttons[0], document = EmptyButton(0);
  document.File = ProgramPath() + L".txt";
  for (int i = 0; i < 20; ++i) MakeFaceIcon(i % 2 ? program : document, 32, instance);
  const SIZE_T before = PrivateBytes();
  for (int i = 0; i < 400; ++i) MakeFaceIcon(i % 2 ? program : document, 32, instance);
  EXPECT_LT(PrivateBytes(), before + 1024 * 1024) << (PrivateBytes() - before) / 1024 << " KiB more";
}

// Faces on the loader's few threads: a share that does not answer holds one
// of them while the others go on; a request not started yet is cancelled by a
// newer one; a face made for a request that is no longer its button's latest
// (an earlier one, or a button that went) is never handed over.
TEST(IconLoader, AStuckShareHoldsOneThreadAndOnlyTheLatestRequestDelivers) {
  const UniqueKernelHandle shareAnswers(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const UniqueKernelHandle slowRead(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::mutex mutex;
  std::map<std::wstring, int> begun;
  int onShare = 0, mostOnShare = 0;
  IconLoader loader([&](const ButtonRecord& record, int size) {
    const bool stuck = record.File.starts_with(L"\\\\stuck\\");
    {
      const std::lock_guard lock(mutex);
      ++begun[record.File];
      if (stuck) mostOnShare = std::max(mostOnShare, ++onShare);
    }
    if (!record.File.ends_with(L"new.exe")) ::WaitForSingleObject(stuck ? shareAnswers.get() : slowRead.get(), INFINITE);
    const std::lock_guard lock(mutex);
    if (stuck) --onShare;
    FaceIcon face;
    face.resetIconNo = size == 2;  // tells the later request's face
    return face;
  });
  const auto button = [] {
    return UniqueWindow(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  };
  const auto record = [](const std::wstring& file) {
    ButtonRecord r;
    r.File = file;
    return r;
  };
  const auto started = [&](const std::wstring& file) {
    const std::lock_guard lock(mutex);
    return begun[file];
  };

  std::vector<UniqueWindow> onTheShare;
  for (int i = 0; i < 4; ++i) {
    onTheShare.push_back(button());
    loader.Request(onTheShare.back().get(), record(L"\\\\stuck\\s\\" + std::to_wstring(i) + L".exe"), 1);
  }
  loader.Request(onTheShare.back().get(), record(L"\\\\stuck\\s\\again.exe"), 1);
  const UniqueWindow asked = button(), gone = button();
  loader.Request(asked.get(), record(L"D:\\slow.exe"), 1);
  ASSERT_TRUE(e2e::WaitUntil([&] { return started(L"D:\\slow.exe") == 1; }));
  loader.Request(asked.get(), record(L"C:\\new.exe"), 2);
  std::optional<FaceIcon> face;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (face = loader.Take(asked.get())).has_value(); })) << "beside the share";
  EXPECT_TRUE(face->resetIconNo) << "the later request's face";
  loader.Request(gone.get(), record(L"E:\\slow.exe"), 1);
  ASSERT_TRUE(e2e::WaitUntil([&] { return started(L"E:\\slow.exe") == 1; }));
  loader.Forget(gone.get());

  ::SetEvent(slowRead.get());
  ::SetEvent(shareAnswers.get());
  ASSERT_TRUE(loader.WaitIdle(std::chrono::seconds(10)));
  EXPECT_EQ(mostOnShare, 1) << "one thread for the share";
  EXPECT_EQ(started(L"\\\\stuck\\s\\3.exe"), 0) << "cancelled before it started";
  for (const UniqueWindow& w : onTheShare) EXPECT_TRUE(loader.Take(w.get()));
  EXPECT_FALSE(loader.Take(asked.get())) << "the earlier request's face";
  EXPECT_FALSE(loader.Take(gone.get())) << "the face of a button that went";
}

// A face made ahead (while the window is made) goes to the first request for
// the same icon and size, made already or not yet; one no request took is
// dropped, and a request after that makes its face anew.
TEST(IconLoader, FacesMadeAheadGoToTheFirstRequestForThem) {
  const UniqueKernelHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::atomic<int> made{0};
  IconLoader loader([&](const ButtonRecord& record, int size) {
    if (record.File == L"H:\\held.exe") ::WaitForSingleObject(release.get(), INFINITE);
    ++made;
    FaceIcon face;
    face.resetIconNo = record.File == L"H:\\held.exe" && size == 1;  // tells which face arrived
    return face;
  });
  ButtonRecord ready, held, unasked;
  ready.File = L"R:\\ready.exe";
  held.File = L"H:\\held.exe";
  unasked.File = L"U:\\unasked.exe";
  for (const ButtonRecord* r : {&ready, &held, &unasked}) loader.MakeAhead(*r, 1);
  ASSERT_TRUE(e2e::WaitUntil([&] { return made == 2; }));
  std::vector<UniqueWindow> w;
  for (int i = 0; i < 3; ++i) {
    w.emplace_back(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  }
  loader.Request(w[0].get(), ready, 1);
  loader.Request(w[1].get(), held, 1);
  loader.Request(w[2].get(), held, 2);
  ::SetEvent(release.get());
  ASSERT_TRUE(loader.WaitIdle(std::chrono::seconds(10)));
  EXPECT_EQ(made, 4) << "each face made ahead once, and the other size";
  const auto face = [&](int i) { return loader.Take(w[static_cast<std::size_t>(i)].get()); };
  ASSERT_TRUE(face(0));
  const auto claimedWhileMade = face(1);
  ASSERT_TRUE(claimedWhileMade);
  EXPECT_TRUE(claimedWhileMade->resetIconNo);
  const auto otherSize = face(2);
  ASSERT_TRUE(otherSize);
  EXPECT_FALSE(otherSize->resetIconNo) << "made for its own size";
  loader.DropAhead();
  loader.Request(w[0].get(), unasked, 1);
  ASSERT_TRUE(loader.WaitIdle(std::chrono::seconds(10)));
  EXPECT_EQ(made, 5) << "the unclaimed face was dropped";
}

// The faces made ahead on the window's thread are kept for the next start,
// which takes them instead of making them again while the icon file is as it was.
TEST(IconLoader, TheLastStartsFacesStandInUntilTheIconFileChanges) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const e2e::Path icon = e2e::Path(temp) / L"vornish-face.ico", cache = e2e::Path(temp) / L"vornish-faces.cache";
  e2e::WriteBytes(icon, "first");
  ButtonRecord record;
  record.Icon = icon.wstring();
  int made = 0;
  const auto start = [&] {  // the face its button is given
    IconLoader loader([&](const ButtonRecord&, int size) {
      ++made;
      return FaceIcon{IconImage::FromPixels(size, std::vector<std::uint32_t>(size * size, made)), false, false, true};
    });
    loader.ReadCache(cache.wstring());
    loader.MakeAhead(record, 2);
    const UniqueWindow button(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    loader.Request(button.get(), record, 2);
    loader.SaveCache();
    const auto face = loader.Take(button.get());
    return face ? face->image.pixels() : std::vector<std::uint32_t>();
  };
  EXPECT_EQ(start(), std::vector<std::uint32_t>(4, 1));
  EXPECT_EQ(start(), std::vector<std::uint32_t>(4, 1)) << "the kept face";
  EXPECT_EQ(made, 1);
  e2e::WriteBytes(icon, "second");
  EXPECT_EQ(start(), std::vector<std::uint32_t>(4, 2)) << "the icon file changed";
  ::DeleteFileW(icon.c_str());
  ::DeleteFileW(cache.c_str());
}

HWND g_watched = nullptr;
bool g_registeredWhenDestroyed = false;

TEST_F(IconButtonTest, LetsGoOfItsDropTargetAndTipBeforeItsWindowGoes) {
  const OleScope ole;
  const HWND tooltip = CreateTooltip(instance, parent.get());
  model.Buttons = {EmptyButton(0), EmptyButton(0)};
  const auto first = Make(0, tooltip);
  auto second = Make(1, tooltip);
  ASSERT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 2);
  ASSERT_TRUE(::GetPropW(second->hwnd(), L"OleDropTargetInterface"));
  // When the system destroys the window, OLE must no longer hold the button.
  g_watched = second->hwnd();
  const HHOOK hook = ::SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == g_watched) {
          g_registeredWhenDestroyed = ::GetPropW(g_watched, L"OleDropTargetInterface") != nullptr;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
      },
      nullptr, ::GetCurrentThreadId());
  second.reset();
  ::UnhookWindowsHookEx(hook);
  EXPECT_FALSE(g_registeredWhenDestroyed);
  EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(IconButtonTest, ItsDropTargetOutlivesItAndThenTakesNothing) {
  const OleScope ole;
  model.Buttons = {EmptyButton(0)};
  auto button = Make(0);
  // A drag that another program makes holds the target OLE hands it.
  auto* const registered = static_cast<IDropTarget*>(::GetPropW(button->hwnd(), L"OleDropTargetInterface"));
  ASSERT_TRUE(registered);
  IDropTarget* held = nullptr;
  ASSERT_EQ(registered->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&held)), S_OK);
  const auto files = e2e::FileListData({L"C:\\a.txt"});
  const auto effect = [&](const std::function<void(DWORD*)>& call) {
    DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_LINK;
    call(&allowed);
    return allowed;
  };
  const auto enter = [&](DWORD* e) { held->DragEnter(files.get(), MK_LBUTTON, POINTL{}, e); };
  const auto over = [&](DWORD* e) { held->DragOver(MK_LBUTTON, POINTL{}, e); };
  const auto drop = [&](DWORD* e) { held->Drop(files.get(), 0, POINTL{}, e); };

  // Refused where the dragging program sees it while the button takes no drops.
  events.acceptsDrops = false;
  EXPECT_EQ(effect(enter), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(effect(drop), static_cast<DWORD>(DROPEFFECT_NONE));
  events.acceptsDrops = true;
  EXPECT_EQ(effect(enter), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(effect(drop), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_TRUE(Pump([&] { return events.dropped == 1; }));

  // The button goes while a drag over it goes on: the target stays, takes nothing.
  EXPECT_EQ(effect(enter), static_cast<DWORD>(DROPEFFECT_COPY));
  button.reset();
  EXPECT_EQ(effect(over), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(effect(drop), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(held->Release(), 0u) << "the drag's was the last reference";
  EXPECT_EQ(events.dropped, 1);
}

// A main window made in this process over a data file of its own; its
// settings key goes afterwards.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frmMain::Register(instance) && IconButton::Register(instance) && ControlBar::Register(instance));
    model.DataFilePath = File().wstring();
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kSettingsRoot) + kKey).c_str()); }
  e2e::Path File() const { return dir / L"VRN.dat"; }
  LauncherServices Services(SettingsStore& settings) { return LauncherServices{settings, fs, codec, system}; }
  LauncherServices Services() { return Services(store); }

  static constexpr const wchar_t* kKey = L"VornishMainWindowTest";
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const e2e::TempDir dir{e2e::CurrentTestName()};
  RegistryStore store{kKey};
  WinFileSystem fs;
  const AnsiCodec codec;
  const WinSystemInfo system;
  LauncherModel model;
};

TEST_F(MainWindowTest, ASourceThatDoesNotAnswerDelaysOnlyItsOwnFace) {
  e2e::WriteBytes(File(), "[Vornish Ver.1.0]\r\n\x1B\\\\share\\slow.exe\x1B\r\n\x1B" "C:\\fast.exe\x1B\r\n");
  // A share that does not answer until the test lets it.
  const UniqueKernelHandle answer(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::atomic<int> made{0};
  frmMain main(instance, model, Services(), [&](const ButtonRecord& record, int) {
    if (record.File == L"\\\\share\\slow.exe") ::WaitForSingleObject(answer.get(), INFINITE);
    ++made;
    return FaceIcon{};
  });
  ASSERT_TRUE(main.Load()) << "loaded while the share still does not answer";
  EXPECT_TRUE(Pump([&] { return made == 1; })) << "the other face was made meanwhile";
  ::SetEvent(answer.get());
  EXPECT_TRUE(Pump([&] { return made == 2; }));
  ::SendMessageW(main.hwnd(), WM_CLOSE, 0, 0);
}

// What a screen reader hears of a window: its role, name and default action.
std::tuple<long, std::wstring, std::wstring> Heard(HWND window) {
  ComPtr<IAccessible> accessible;
  if (FAILED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), accessible.put_void()))) return {};
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role{};
  accessible->get_accRole(self, &role);
  BSTR name = nullptr;
  accessible->get_accName(self, &name);
  BSTR action = nullptr;
  accessible->get_accDefaultAction(self, &action);
  std::tuple<long, std::wstring, std::wstring> heard{role.vt == VT_I4 ? role.lVal : 0, name ? name : L"",
                                                      action ? action : L""};
  ::SysFreeString(name);
  ::SysFreeString(action);
  return heard;
}

TEST_F(MainWindowTest, ScreenReadersHearButtonsByTitleTheBarByWhatItDoes) {
  const ComScope com;  // as the launcher's own thread has it
  e2e::WriteBytes(File(), "[Vornish Ver.1.0]\r\n" + e2e::Cp932(L"メモ帳") + "\x1B" "C:\\memo.exe\x1B\r\n");
  frmMain main(instance, model, Services());
  ASSERT_TRUE(main.Load());
  const HWND button = ::FindWindowExW(main.hwnd(), nullptr, IconButton::kClassName, nullptr);
  const HWND bar = ::FindWindowExW(main.hwnd(), nullptr, ControlBar::kClassName, nullptr);
  EXPECT_EQ(Heard(button), std::tuple(static_cast<long>(ROLE_SYSTEM_PUSHBUTTON), std::wstring(L"メモ帳"), std::wstring(L"押す")));
  EXPECT_EQ(std::get<1>(Heard(bar)), L"ﾗﾝﾁｬｰ非表示");
  EXPECT_EQ(std::get<0>(Heard(bar)), ROLE_SYSTEM_GRIP);
  // Its client: Wine's window object (OBJID_WINDOW) names nothing, Windows' names it the same.
  EXPECT_EQ(std::get<1>(Heard(main.hwnd())), L"Vornish");
  ::SendMessageW(main.hwnd(), WM_CLOSE, 0, 0);
}

int g_buttonWindows = 0;
std::wstring g_boxText;

TEST_F(MainWindowTest, ButtonsWithoutAWindowOrBeyondTheLongestStayInTheFileAndAreTold) {
  // 963 buttons of 34 pixels make the longest row a window can have.
  std::string file = "[Vornish Ver.1.0]\r\n";
  for (int i = 0; i < 970; ++i) file += std::to_string(i) + "\x1B" "C:\\" + std::to_string(i) + ".exe\x1B\x1B\x1B" "1\x1B\x1B" "0\x1B" "0\x1B" "0\x1B" + std::to_string(i) + "\x1B" "0\x1B\r\n";
  e2e::WriteBytes(File(), file);
  // The system refuses a 961st button window; the message boxes are read and
  // answered as they come up.
  const HHOOK hook = ::SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
        if (code == HCBT_CREATEWND && !IS_INTRESOURCE(create->lpcs->lpszClass) &&
            std::wstring_view(create->lpcs->lpszClass) == IconButton::kClassName && ++g_buttonWindows > 960) {
          return 1;
        }
        if (code == HCBT_ACTIVATE && ::GetDlgItem(reinterpret_cast<HWND>(wParam), 0xFFFF)) {
          g_boxText += e2e::TextOf(::GetDlgItem(reinterpret_cast<HWND>(wParam), 0xFFFF));
          ::PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
      },
      nullptr, ::GetCurrentThreadId());
  frmMain main(instance, model, Services());
  ASSERT_TRUE(main.Load());
  ::UnhookWindowsHookEx(hook);
  EXPECT_EQ(g_boxText, ButtonsBeyondLongestWindowMessage(960, 970).text + ButtonsNotShownMessage(3).text);
  RECT r{};
  ::GetWindowRect(main.hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 960 * 34 + 15) << "as long as the buttons shown";
  ::SendMessageW(main.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(e2e::ReadBytes(File()), file);
}

}  // namespace
}  // namespace vornish::win32
