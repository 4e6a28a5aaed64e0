#include "harness/Input.h"

#include "harness/Wait.h"
#include "harness/WindowQuery.h"

namespace vornish::e2e {

namespace {

void SendMouse(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute coordinates are given on a 0..65535 scale of the primary screen.
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
  // Give the target a moment to take each event in order.
  Sleep(20);
}

}  // namespace

void MoveMouseTo(POINT screen) { SendMouse(screen, 0); }
void LeftDown(POINT screen) { SendMouse(screen, MOUSEEVENTF_LEFTDOWN); }
void LeftUp(POINT screen) { SendMouse(screen, MOUSEEVENTF_LEFTUP); }

void ClickAt(POINT screen) {
  MoveMouseTo(screen);
  LeftDown(screen);
  LeftUp(screen);
}

void RightClickAt(POINT screen) {
  MoveMouseTo(screen);
  SendMouse(screen, MOUSEEVENTF_RIGHTDOWN);
  SendMouse(screen, MOUSEEVENTF_RIGHTUP);
}

void DragAndRelease(POINT from, POINT to, int steps) {
  MoveMouseTo(from);
  LeftDown(from);
  for (int i = 1; i <= steps; ++i) {
    MoveMouseTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  }
  LeftUp(to);
}

void PressKey(WORD virtualKey) {
  INPUT inputs[2]{};
  inputs[0].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = virtualKey;
  inputs[1] = inputs[0];
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
  Sleep(20);
}

POINT CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool ActivateWindow(HWND window) {
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; });
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

std::optional<POINT> FindTrayIcon() {
  const HWND tray = WaitFor([] { return FindWindowW(nullptr, L"Wine System Tray"); });
  if (!tray || !IsWindowVisible(tray)) return std::nullopt;
  // The icons stand in a row from the client area's top-left corner.
  POINT origin{0, 0};
  ClientToScreen(tray, &origin);
  const int cell = GetSystemMetrics(SM_CXSMICON) + 8;
  return POINT{origin.x + cell / 2, origin.y + cell / 2};
}

std::optional<POINT> HoverTrayIcon() {
  const auto icon = FindTrayIcon();
  if (!icon) return icon;
  MoveMouseTo(*icon);
  Sleep(200);
  return icon;
}

}  // namespace vornish::e2e
