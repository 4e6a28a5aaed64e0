#include "buttons/IconButtonProps.h"

namespace vornish {

namespace {

// A new button: strings empty, a normal window, the button-face colour.
ButtonRecord DefaultProps() { return EmptyButton(kColourButtonFace); }

template <typename T>
T ReadOr(const PropertyBag& bag, std::wstring_view name, const T& fallback) {
  const auto value = bag.Read(name);
  if (!value) return fallback;
  if (const T* typed = std::get_if<T>(&*value)) return *typed;
  return fallback;
}

template <typename T>
void WriteUnlessDefault(PropertyBag& bag, std::wstring_view name, const T& value, const T& fallback) {
  if (!(value == fallback)) bag.Write(name, PropertyValue(value));
}

}  // namespace

IconButtonProps::IconButtonProps() : v_(DefaultProps()) {}

void IconButtonProps::Changed(std::wstring_view name) {
  if (PropertyChanged) PropertyChanged(name);
}

void IconButtonProps::SetExeTitle(std::wstring_view value) { v_.Title.assign(value); Changed(L"ExeTitle"); }
void IconButtonProps::SetExeFile(std::wstring_view value) { v_.File.assign(value); Changed(L"ExeFile"); }
void IconButtonProps::SetExePath(std::wstring_view value) { v_.Path.assign(value); Changed(L"ExePath"); }
void IconButtonProps::SetExeParam(std::wstring_view value) { v_.Param.assign(value); Changed(L"ExeParam"); }
void IconButtonProps::SetExeState(std::int32_t value) { v_.State = value; Changed(L"ExeState"); }
void IconButtonProps::SetExeIcon(std::wstring_view value) { v_.Icon.assign(value); Changed(L"ExeIcon"); }
void IconButtonProps::SetExeIconNo(std::int32_t value) { v_.IconNo = value; Changed(L"ExeIconNo"); }
void IconButtonProps::SetExeLock(bool value) { v_.Lock = value; Changed(L"ExeLock"); }
void IconButtonProps::SetExeCount(std::int32_t value) { v_.Count = value; Changed(L"ExeCount"); }
void IconButtonProps::SetExeSys(std::int32_t value) { v_.Sys = value; Changed(L"ExeSys"); }

bool IconButtonProps::SetExeColor(OleColor value) {
  if (value == v_.Color) return false;
  v_.Color = value;
  Changed(L"ExeColor");
  return true;
}

void IconButtonProps::Assign(const ButtonRecord& r) {
  SetExeTitle(r.Title);
  SetExeFile(r.File);
  SetExePath(r.Path);
  SetExeParam(r.Param);
  SetExeState(r.State);
  SetExeIcon(r.Icon);
  SetExeIconNo(r.IconNo);
  SetExeLock(r.Lock);
  SetExeColor(r.Color);
  SetExeCount(r.Count);
  SetExeSys(r.Sys);
}

void IconButtonProps::ReadProperties(const PropertyBag& bag) {
  const ButtonRecord d = DefaultProps();
  v_.Title = ReadOr(bag, L"ExeTitle", d.Title);
  v_.File = ReadOr(bag, L"ExeFile", d.File);
  v_.Path = ReadOr(bag, L"ExePath", d.Path);
  v_.Param = ReadOr(bag, L"ExeParam", d.Param);
  v_.State = ReadOr(bag, L"ExeState", d.State);
  v_.Icon = ReadOr(bag, L"ExeIcon", d.Icon);
  v_.IconNo = ReadOr(bag, L"ExeIconNo", d.IconNo);
  v_.Lock = ReadOr(bag, L"ExeLock", d.Lock);
  // The face's background is set directly, without the setter's notification.
  v_.Color = static_cast<OleColor>(ReadOr(bag, L"ExeColor", static_cast<std::int32_t>(d.Color)));
  v_.Count = ReadOr(bag, L"ExeCount", d.Count);
  v_.Sys = ReadOr(bag, L"ExeSys", d.Sys);
}

void IconButtonProps::WriteProperties(PropertyBag& bag) const {
  const ButtonRecord d = DefaultProps();
  WriteUnlessDefault(bag, L"ExeTitle", v_.Title, d.Title);
  WriteUnlessDefault(bag, L"ExeFile", v_.File, d.File);
  WriteUnlessDefault(bag, L"ExePath", v_.Path, d.Path);
  WriteUnlessDefault(bag, L"ExeParam", v_.Param, d.Param);
  WriteUnlessDefault(bag, L"ExeState", v_.State, d.State);
  WriteUnlessDefault(bag, L"ExeIcon", v_.Icon, d.Icon);
  WriteUnlessDefault(bag, L"ExeIconNo", v_.IconNo, d.IconNo);
  WriteUnlessDefault(bag, L"ExeLock", v_.Lock, d.Lock);
  WriteUnlessDefault(bag, L"ExeColor", static_cast<std::int32_t>(v_.Color), static_cast<std::int32_t>(d.Color));
  WriteUnlessDefault(bag, L"ExeCount", v_.Count, d.Count);
  WriteUnlessDefault(bag, L"ExeSys", v_.Sys, d.Sys);
}

}  // namespace vornish
