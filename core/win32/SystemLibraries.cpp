#include "core/win32/SystemLibraries.h"

#include <uxtheme.h>

#include <vector>

namespace vornish::win32 {

namespace {

// The library is kept for the process's life: what it made (an accessible
// object a screen reader holds, say) may outlive any caller.
template <typename Function>
Function* Entry(const wchar_t* library, const char* name) {
  const HMODULE module = LoadSystemLibrary(library);
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace

void LoadLibrariesFromSystemOnly() {
  // Looked up: not every SDK declares it for the systems the build targets.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // uxtheme.dll is not the launcher's to load: the system's own libraries
  // (user32's theme hooks, the common controls) load it by name when the
  // first themed window is made, and some may not ask with the search
  // restricted as above. Loaded here from the system folder, it is in the
  // process before any of them asks, and they get this one. What no program
  // can prevent: a library a static import pulls in while the process starts,
  // before its first instruction (under Wine, whose user32 loads uxtheme.dll
  // by name at that time and lets it go again; the test of planted libraries
  // records it).
  LoadSystemLibrary(L"uxtheme.dll");
}

HMODULE LoadSystemLibrary(const wchar_t* name) { return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); }

HRESULT CreateStandardAccessible(HWND hwnd, LONG objectId, REFIID riid, void** object) {
  static const auto create =
      Entry<decltype(::CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
  return create ? create(hwnd, objectId, riid, object) : E_NOTIMPL;
}

LRESULT AccessibleResult(REFIID riid, WPARAM wParam, IUnknown* object) {
  static const auto result = Entry<decltype(::LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  return result ? result(riid, wParam, object) : E_NOTIMPL;
}

BSTR AllocateString(const wchar_t* text) {
  static const auto allocate = Entry<decltype(::SysAllocString)>(L"oleaut32.dll", "SysAllocString");
  return allocate ? allocate(text) : nullptr;
}

std::optional<VS_FIXEDFILEINFO> FileVersion(const wchar_t* path) {
  static const auto size = Entry<decltype(::GetFileVersionInfoSizeW)>(L"version.dll", "GetFileVersionInfoSizeW");
  static const auto read = Entry<decltype(::GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
  static const auto query = Entry<decltype(::VerQueryValueW)>(L"version.dll", "VerQueryValueW");
  if (!size || !read || !query) return std::nullopt;
  DWORD ignored = 0;
  const DWORD bytes = size(path, &ignored);
  std::vector<BYTE> data(bytes);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (bytes == 0 || !read(path, 0, bytes, data.data()) ||
      !query(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || length < sizeof *info) {
    return std::nullopt;
  }
  return *info;
}

BOOL ShowOpenFileDialog(OPENFILENAMEW& open) {
  static const auto show = Entry<decltype(::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  return show ? show(&open) : FALSE;
}

BOOL ShowColourDialog(CHOOSECOLORW& choose) {
  static const auto show = Entry<decltype(::ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
  return show ? show(&choose) : FALSE;
}

void UseTabBackground(HWND page) {
  static const auto enable = Entry<decltype(::EnableThemeDialogTexture)>(L"uxtheme.dll", "EnableThemeDialogTexture");
  if (enable) enable(page, ETDT_ENABLETAB);
}

}  // namespace vornish::win32
