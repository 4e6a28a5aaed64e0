#include "buttons/win32/ShellIcons.h"

#include <shellapi.h>
#include <shlobj.h>

#include "core/win32/WinFileSystem.h"

namespace vornish::win32 {

namespace {

// The shell's icon functions take only classic paths: a longer one is given
// by its short (8.3) form, which is empty when the system keeps none.
std::wstring ClassicPath(std::wstring_view file) {
  std::wstring path(file);
  if (path.size() < MAX_PATH) return path;
  const std::wstring extended = ExtendedPath(path);
  const DWORD size = ::GetShortPathNameW(extended.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring shortPath(size, L'\0');
  const DWORD length = ::GetShortPathNameW(extended.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return {};
  shortPath.resize(length);
  if (shortPath.rfind(L"\\\\?\\UNC\\", 0) == 0) {
    shortPath = L"\\\\" + shortPath.substr(8);
  } else if (shortPath.rfind(L"\\\\?\\", 0) == 0) {
    shortPath.erase(0, 4);
  }
  return shortPath.size() < MAX_PATH ? shortPath : std::wstring();
}

bool Usable(const std::wstring& path) { return !path.empty(); }

}  // namespace

int ShellIconSource::Count(std::wstring_view file) {
  const std::wstring path = ClassicPath(file);
  if (!Usable(path)) return 0;
  const HICON count = ::ExtractIconW(instance_, path.c_str(), static_cast<UINT>(-1));
  return static_cast<int>(reinterpret_cast<INT_PTR>(count));
}

IconSource::Probe ShellIconSource::ProbeIcon(std::wstring_view file, int index) {
  probed_.reset();
  if (::GetFileAttributesW(ExtendedPath(file).c_str()) == INVALID_FILE_ATTRIBUTES) return Probe::Missing;
  UniqueIcon icon = FileIcon(file, index, size_);
  if (!icon) return Probe::NoIcon;
  probed_ = std::move(icon);
  probedFile_.assign(file);
  probedIndex_ = index;
  return Probe::Icon;
}

UniqueIcon ShellIconSource::TakeIcon(std::wstring_view file, int index) {
  if (probed_ && probedFile_ == file && probedIndex_ == index) return std::move(probed_);
  return FileIcon(file, index, size_);
}

UniqueIcon FileIcon(std::wstring_view file, int index, int size) {
  const std::wstring path = ClassicPath(file);
  if (!Usable(path)) return UniqueIcon();
  // Only the one image asked for is made (SHDefExtractIconW also makes a
  // small one beside it).
  HICON icon = nullptr;
  const UINT made = ::PrivateExtractIconsW(path.c_str(), index, size, size, &icon, nullptr, 1, LR_DEFAULTCOLOR);
  if (made == 0 || made == static_cast<UINT>(-1)) return UniqueIcon();
  return UniqueIcon(icon);
}

UniqueIcon TypeIcon(std::wstring_view file, int size) {
  const std::wstring path = ClassicPath(file);
  if (!Usable(path)) return UniqueIcon();
  SHFILEINFOW info{};
  if (::SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) && info.szDisplayName[0] != L'\0') {
    UniqueIcon icon = FileIcon(info.szDisplayName, info.iIcon, size);
    if (icon) return icon;
  }
  // No location to read the icon from at the right size: the shell's own.
  const UINT which = size <= ::GetSystemMetrics(SM_CXSMICON) ? SHGFI_SMALLICON : SHGFI_LARGEICON;
  if (::SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | which)) return UniqueIcon(info.hIcon);
  return UniqueIcon();
}

FaceIcon MakeFaceIcon(const ButtonRecord& record, int size, HINSTANCE instance) {
  ShellIconSource icons(instance, size);
  const IconChoice choice = ChooseIcon(record.Icon, record.File, record.IconNo, icons);
  UniqueIcon icon;
  if (choice.draw == IconChoice::Draw::FileIcon) {
    icon = icons.TakeIcon(choice.source, choice.index);
  } else if (choice.draw == IconChoice::Draw::Associated) {
    icon = TypeIcon(choice.source, size);
  }
  return {icon ? IconImage::FromIcon(icon.get(), size) : IconImage(), choice.resetIconNo, false,
          choice.draw == IconChoice::Draw::FileIcon};
}

}  // namespace vornish::win32
