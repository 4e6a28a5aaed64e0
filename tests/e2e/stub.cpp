// A stand-in for the launcher that the harness's own tests drive, so the
// harness is proven before (and independently of) vornish.exe.
//
//   e2e-stub.exe msgbox          the launcher's "file not found" message box;
//                                exits with the button pressed (IDOK = 1)
//   e2e-stub.exe window ARGS...  a main window titled "<working folder>|<ARGS>"
//                                with three children out of reading order,
//                                tooltips on them, and file drops shown in the
//                                title; exits with kClosedExitCode on WM_CLOSE
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <string>
#include <string_view>

namespace {

constexpr int kClosedExitCode = 7;
constexpr wchar_t kMainClass[] = L"Vornish.E2EStub";
constexpr wchar_t kChildClass[] = L"Vornish.E2EStubChild";
constexpr wchar_t kCallbackText[] = L"ｺｰﾙﾊﾞｯｸ";

struct Child {
  const wchar_t* name;
  RECT rect;
  const wchar_t* tip;  // null: asked through TTN_GETDISPINFO
};

// Created in this order on purpose: reading order is A, C, B.
constexpr std::array<Child, 3> kChildren{{
    {L"C", {110, 10, 200, 50}, L"ﾒﾓ帳を起動"},
    {L"A", {10, 10, 100, 50}, L"ﾌｧｲﾙを開く"},
    {L"B", {10, 60, 100, 100}, nullptr},
}};

std::wstring ArgumentsAfterMode(std::wstring_view commandLine) {
  // Skip the program name (quoted or not) and the mode word.
  std::size_t at = 0;
  for (int skipped = 0; skipped < 2; ++skipped) {
    while (at < commandLine.size() && commandLine[at] == L' ') ++at;
    if (at < commandLine.size() && commandLine[at] == L'"') {
      at = commandLine.find(L'"', at + 1);
      at = at == std::wstring_view::npos ? commandLine.size() : at + 1;
    } else {
      while (at < commandLine.size() && commandLine[at] != L' ') ++at;
    }
  }
  while (at < commandLine.size() && commandLine[at] == L' ') ++at;
  return std::wstring(commandLine.substr(at));
}

void ShowDrop(HWND window, HDROP drop) {
  std::wstring title = L"drop:";
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
    title += name + L"|";
  }
  POINT point{};
  DragQueryPoint(drop, &point);
  title += std::to_wstring(point.x) + L"," + std::to_wstring(point.y);
  DragFinish(drop);
  SetWindowTextW(window, title.c_str());
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      if (auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam); info->hdr.code == TTN_GETDISPINFOW) {
        info->lpszText = const_cast<wchar_t*>(kCallbackText);
        return 0;
      }
      break;
    case WM_DROPFILES:
      ShowDrop(window, reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(kClosedExitCode);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void AddTool(HWND tooltip, TOOLINFOW tool) {
  tool.cbSize = sizeof tool;
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND CreateTooltip(HINSTANCE instance, HWND owner) {
  HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 instance, nullptr);
  SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 50);
  return tooltip;
}

int RunWindow(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSW windowClass{};
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpfnWndProc = MainProc;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kMainClass;
  RegisterClassW(&windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1);
  windowClass.lpszClassName = kChildClass;
  RegisterClassW(&windowClass);

  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  const std::wstring title = std::wstring(folder) + L"|" + ArgumentsAfterMode(GetCommandLineW());
  HWND main = CreateWindowExW(0, kMainClass, title.c_str(), WS_POPUP | WS_BORDER, 300, 200, 220, 120, nullptr,
                              nullptr, instance, nullptr);
  DragAcceptFiles(main, TRUE);

  // One tooltip owned by the main window for the children, and one without
  // an owner for a rectangle of the main window: the harness must find both.
  HWND owned = CreateTooltip(instance, main);
  HWND unowned = CreateTooltip(instance, nullptr);
  for (const Child& child : kChildren) {
    HWND window = CreateWindowExW(0, kChildClass, child.name, WS_CHILD | WS_VISIBLE, child.rect.left,
                                  child.rect.top, child.rect.right - child.rect.left,
                                  child.rect.bottom - child.rect.top, main, nullptr, instance, nullptr);
    TOOLINFOW tool{};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = main;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = child.tip != nullptr ? const_cast<wchar_t*>(child.tip) : LPSTR_TEXTCALLBACKW;
    AddTool(owned, tool);
  }
  TOOLINFOW area{};
  area.uFlags = TTF_SUBCLASS;
  area.hwnd = main;
  area.uId = 42;
  area.rect = {0, 105, 220, 120};
  area.lpszText = const_cast<wchar_t*>(L"ﾒｲﾝ");
  AddTool(unowned, area);

  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  const std::wstring_view mode(arguments);
  if (mode.starts_with(L"msgbox")) {
    return MessageBoxW(nullptr, L"ﾌｧｲﾙが見つかりません。", L"Vornish", MB_OK | MB_ICONEXCLAMATION);
  }
  if (mode.starts_with(L"window")) return RunWindow(instance);
  return 2;
}
