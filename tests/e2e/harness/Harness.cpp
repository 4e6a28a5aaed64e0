#include "harness/Harness.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

#include "core/win32/RegistryStore.h"
#include "core/win32/WinFileSystem.h"
#include "core/win32/WinText.h"

namespace vornish::e2e {

namespace {

// The screen's pixels in `r` (screen coordinates), rows from the top, each
// 0x00RRGGBB: one BitBlt into a bitmap of this process.
std::vector<std::uint32_t> Grab(const RECT& r, BITMAPINFOHEADER* format = nullptr) {
  BITMAPINFOHEADER header{sizeof header, r.right - r.left, -(r.bottom - r.top), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const win32::WindowDc screen(nullptr);
  const win32::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  const win32::UniqueBitmap bitmap(
      ::CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) Fail("a bitmap of the screen");
  {
    const win32::SelectScope select(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, header.biWidth, -header.biHeight, screen.get(), r.left, r.top, SRCCOPY);
  }
  ::GdiFlush();
  if (format) *format = header;
  const auto* first = static_cast<const std::uint32_t*>(bits);
  return std::vector<std::uint32_t>(first, first + static_cast<std::size_t>(header.biWidth) * -header.biHeight);
}

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof input);
}

}  // namespace

std::string Cp932(std::wstring_view text) {
  std::string bytes;
  if (!win32::AnsiCodec().AppendAnsi(text, bytes)) Fail("text without a form in the code page");
  return bytes;
}

std::string ReadBytes(const Path& path) {
  std::string bytes;
  if (!win32::WinFileSystem().ReadAll(path.wstring(), bytes).ok()) Fail("reading " + Utf8(path.wstring()));
  return bytes;
}

std::wstring CurrentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "none";
  std::replace(name.begin(), name.end(), '/', '_');
  return std::wstring(name.begin(), name.end());
}

RegistryValue::RegistryValue(HKEY root, std::wstring key, const wchar_t* name, std::variant<std::wstring, DWORD> value)
    : root_(root), key_(std::move(key)), name_(name ? name : L"") {
  for (std::wstring k = key_; !k.empty(); k.resize(k.rfind(L'\\') == std::wstring::npos ? 0 : k.rfind(L'\\'))) {
    HKEY there = nullptr;
    if (::RegOpenKeyExW(root_, k.c_str(), 0, KEY_READ, &there) == ERROR_SUCCESS) {
      ::RegCloseKey(there);
      break;
    }
    made_ = k;
  }
  const auto* text = std::get_if<std::wstring>(&value);
  const LSTATUS set = text ? ::RegSetKeyValueW(root_, key_.c_str(), name, REG_SZ, text->c_str(),
                                               static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)))
                           : ::RegSetKeyValueW(root_, key_.c_str(), name, REG_DWORD, &std::get<DWORD>(value),
                                               sizeof(DWORD));
  if (set != ERROR_SUCCESS) Fail("setting a registry value");
}

RegistryValue::~RegistryValue() {
  if (made_.empty()) {
    ::RegDeleteKeyValueW(root_, key_.c_str(), name_.empty() ? nullptr : name_.c_str());
  } else {
    ::RegDeleteTreeW(root_, made_.c_str());
    ::RegDeleteKeyW(root_, made_.c_str());
  }
}

std::map<std::wstring, std::wstring> ListSettings(std::wstring_view section) {
  std::map<std::wstring, std::wstring> values;
  HKEY raw = nullptr;
  const std::wstring name = std::wstring(kSettingsKey) + L"\\" + std::wstring(section);
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return values;
  const win32::UniqueKey key(raw);
  wchar_t value[256];
  std::vector<BYTE> data(65536);
  for (DWORD i = 0, length = 256, type = 0, size = static_cast<DWORD>(data.size());
       ::RegEnumValueW(key.get(), i, value, &length, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
       ++i, length = 256, size = static_cast<DWORD>(data.size())) {
    const auto* text = reinterpret_cast<const wchar_t*>(data.data());
    values[value] = type == REG_SZ ? std::wstring(text, ::wcsnlen(text, size / sizeof(wchar_t)))
                                   : L"<type " + std::to_wstring(type) + L">";
  }
  return values;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
  text.resize(std::min<std::size_t>(copied, length));
  return text;
}

POINT CentreOf(HWND window) {
  const RECT r = RectOf(window);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

Pixels::Pixels(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  width_ = client.right - client.left;
  height_ = client.bottom - client.top;
  for (const std::uint32_t bgr : Grab(client)) pixels_.push_back(RGB(bgr >> 16 & 0xFF, bgr >> 8 & 0xFF, bgr & 0xFF));
}

COLORREF Pixels::at(int x, int y) const {
  return x >= 0 && y >= 0 && x < width_ && y < height_ ? pixels_[static_cast<std::size_t>(y * width_ + x)] : CLR_INVALID;
}

int Pixels::CountOtherThan(COLORREF colour, RECT area) const {
  if (::IsRectEmpty(&area)) area = RECT{0, 0, width_, height_};
  int other = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) other += at(x, y) != colour;
  }
  return other;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

void LeftDown(POINT at) { SendMouse(at, MOUSEEVENTF_LEFTDOWN); }
void LeftUp(POINT at) { SendMouse(at, MOUSEEVENTF_LEFTUP); }

void Click(POINT at) {
  MoveTo(at);
  LeftDown(at);
  LeftUp(at);
}

void DoubleClick(POINT at) {
  Click(at);
  Click(at);
}

void RightClick(POINT at) {
  MoveTo(at);
  SendMouse(at, MOUSEEVENTF_RIGHTDOWN);
  SendMouse(at, MOUSEEVENTF_RIGHTUP);
}

void Drag(POINT from, POINT to, int steps) {
  MoveTo(from);
  LeftDown(from);
  for (int i = 1; i <= steps; ++i) {
    MoveTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  }
  LeftUp(to);
}

void Press(WORD key, bool ctrl, bool shift) {
  if (ctrl) SendKey(VK_CONTROL, false);
  if (shift) SendKey(VK_SHIFT, false);
  SendKey(key, false);
  SendKey(key, true);
  if (shift) SendKey(VK_SHIFT, true);
  if (ctrl) SendKey(VK_CONTROL, true);
  ::Sleep(30);
}

std::optional<Dialog> WaitForDialog(DWORD processId, std::wstring_view title, std::chrono::milliseconds timeout) {
  return WaitFor(
      [&]() -> std::optional<Dialog> {
        const HWND window = TopWindow(processId, L"#32770");
        // Found before WM_INITDIALOG has filled it in: not ready yet.
        if (!window || !::GetWindow(window, GW_CHILD) || (!title.empty() && TextOf(window) != title)) return {};
        Dialog dialog{window, TextOf(window), TextOf(::GetDlgItem(window, 0xFFFF)), {}};
        for (HWND button : Find(window, L"Button")) {
          const LONG style = ::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
          if (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON) dialog.buttons.push_back(::GetDlgCtrlID(button));
        }
        std::sort(dialog.buttons.begin(), dialog.buttons.end());
        return dialog;
      },
      timeout);
}

bool Answer(HWND dialog, int buttonId) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
  return WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
}

std::wstring AnswerBox(DWORD processId, int answer) {
  const auto box = WaitForDialog(processId, L"Vornish");
  if (!box) return L"(no message box)";
  const std::vector<int> buttons = answer == IDOK ? std::vector<int>{IDOK} : std::vector<int>{IDYES, IDNO};
  EXPECT_EQ(box->buttons, buttons) << Utf8(box->text);
  EXPECT_TRUE(Answer(box->window, answer)) << "the box stays";
  return box->text;
}

std::wstring HoverTip(HWND window, std::optional<POINT> at) {
  const DWORD process = ProcessOf(window);
  const RECT r = RectOf(window);
  std::wstring text;
  // A pointer that came while the window could show no tip (disabled under a
  // closing dialog, or an icon Wine's tray drops once the pointer is on it)
  // comes again.
  for (int attempt = 0; attempt < 3 && text.empty(); ++attempt) {
    // Away first, until no tip of the program shows, so that the tip read is
    // one shown afresh for `window`, not an earlier one still up.
    MoveTo(POINT{r.right + 60, r.bottom + 60});
    WaitUntil([&] { return !TopWindow(process, TOOLTIPS_CLASSW); });
    MoveTo(at.value_or(CentreOf(window)));
    // Read from the tip once it shows its text: a busy program may answer a
    // read late, and an answer it gave too late reads as no text.
    WaitUntil([&] {
      const HWND tip = TopWindow(process, TOOLTIPS_CLASSW);
      return tip && !(text = TextOf(tip)).empty();
    });
  }
  return text;
}

RemoteBuffer::RemoteBuffer(DWORD processId, std::size_t size)
    : process_(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)) {
  address_ = ::VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address_) Fail("VirtualAllocEx");
}

RemoteBuffer::RemoteBuffer(RemoteBuffer&& other) noexcept
    : process_(std::move(other.process_)), address_(std::exchange(other.address_, nullptr)) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_) ::VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

void RemoteBuffer::Write(const void* data, std::size_t size, std::size_t offset) {
  if (!::WriteProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data, size, nullptr)) {
    Fail("WriteProcessMemory");
  }
}

void RemoteBuffer::Read(void* data, std::size_t size, std::size_t offset) const {
  if (!::ReadProcessMemory(process_.get(), static_cast<const char*>(address_) + offset, data, size, nullptr)) {
    Fail("ReadProcessMemory");
  }
}

std::wstring ClipboardText() {
  if (!::OpenClipboard(nullptr)) return {};
  std::wstring text;
  if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

void CopyFiles(const std::vector<std::wstring>& files) {
  // Put there the OLE way, as Explorer does, then left as plain clipboard
  // data that outlives this call.
  ::OleInitialize(nullptr);
  const std::shared_ptr<IDataObject> data = FileListData(files);
  if (FAILED(::OleSetClipboard(data.get())) || FAILED(::OleFlushClipboard())) Fail("placing files on the clipboard");
}

RemoteBuffer DropFiles(HWND target, const std::vector<std::wstring>& files) {
  std::wstring names;
  for (const auto& file : files) names += file + L'\0';
  names += L'\0';
  DROPFILES header{sizeof header, POINT{5, 5}, FALSE, TRUE};
  RemoteBuffer block(ProcessOf(target), sizeof header + names.size() * sizeof(wchar_t));
  block.Write(&header, sizeof header);
  block.Write(names.data(), names.size() * sizeof(wchar_t), sizeof header);
  if (!::PostMessageW(target, WM_DROPFILES, static_cast<WPARAM>(block.At()), 0)) Fail("posting WM_DROPFILES");
  return block;
}

bool Choose(const Launcher& launcher, POINT at, std::initializer_list<WORD> keys) {
  RightClick(at);
  if (!launcher.Menu()) return false;
  for (const WORD key : keys) Press(key);
  return true;
}

void SaveScreenshot(const Path& file) {
  BITMAPINFOHEADER header{};
  const std::vector<std::uint32_t> pixels =
      Grab(RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, &header);
  const std::size_t image = pixels.size() * sizeof(std::uint32_t);
  const BITMAPFILEHEADER head{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header + image), 0, 0,
                              sizeof(BITMAPFILEHEADER) + sizeof header};
  std::string bytes(reinterpret_cast<const char*>(&head), sizeof head);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(pixels.data()), image);
  CreateFolders(file.parent_path());
  WriteBytes(file, bytes);
}

}  // namespace vornish::e2e
