// Libraries come from the system folder only. A portable copy of the launcher
// runs from Downloads or a USB stick, where anyone can put a DLL beside it
// under a system library's name; the loader looks in the program's folder
// first. So the program imports only known DLLs (which Windows always takes
// from the system) and the common controls (taken from the side-by-side store
// through the manifest), and loads every other library here, on first use,
// from the system folder.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <oleacc.h>

#include <optional>

namespace vornish::win32 {

// First thing at start: later loads by name search the system folder only.
void LoadLibrariesFromSystemOnly();

// `name` from the system folder; null when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Each loads its library the first time it is needed and keeps it; each
// fails as its system function does when the library cannot be loaded.

// oleacc.dll, when a screen reader asks.
HRESULT CreateStandardAccessible(HWND hwnd, LONG objectId, REFIID riid, void** object);
LRESULT AccessibleResult(REFIID riid, WPARAM wParam, IUnknown* object);
// oleaut32.dll, with them: `text` as a BSTR, null when out of memory.
BSTR AllocateString(const wchar_t* text);

// version.dll, when the version window opens: the fixed part of `path`'s
// version resource, nothing when it has none.
std::optional<VS_FIXEDFILEINFO> FileVersion(const wchar_t* path);

// comdlg32.dll, when a file or colour dialog opens.
BOOL ShowOpenFileDialog(OPENFILENAMEW& open);
BOOL ShowColourDialog(CHOOSECOLORW& choose);

// uxtheme.dll: a dialog page drawn with the tab control's background.
void UseTabBackground(HWND page);

}  // namespace vornish::win32
