// The eleven properties of an icon button, mirroring a ButtonRecord field for
// field, with the control's persistence in a keyed property store. The Win32
// control keeps one of these and adds drawing and input.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/ButtonRecord.h"

namespace vornish {

using PropertyValue = std::variant<std::wstring, std::int32_t, bool>;

// A keyed store of property values (the container's property bag).
class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  virtual std::optional<PropertyValue> Read(std::wstring_view name) const = 0;
  virtual void Write(std::wstring_view name, const PropertyValue& value) = 0;
};

class IconButtonProps {
 public:
  IconButtonProps();

  // Raised by every setter with the property's name (ExeColor only when the
  // colour actually changes).
  std::function<void(std::wstring_view)> PropertyChanged;

  const std::wstring& ExeTitle() const { return v_.Title; }
  const std::wstring& ExeFile() const { return v_.File; }
  const std::wstring& ExePath() const { return v_.Path; }
  const std::wstring& ExeParam() const { return v_.Param; }
  std::int32_t ExeState() const { return v_.State; }
  const std::wstring& ExeIcon() const { return v_.Icon; }
  std::int32_t ExeIconNo() const { return v_.IconNo; }
  bool ExeLock() const { return v_.Lock; }
  OleColor ExeColor() const { return v_.Color; }
  std::int32_t ExeCount() const { return v_.Count; }
  std::int32_t ExeSys() const { return v_.Sys; }

  void SetExeTitle(std::wstring_view value);
  void SetExeFile(std::wstring_view value);
  void SetExePath(std::wstring_view value);
  void SetExeParam(std::wstring_view value);
  void SetExeState(std::int32_t value);
  void SetExeIcon(std::wstring_view value);
  void SetExeIconNo(std::int32_t value);
  void SetExeLock(bool value);
  // Returns false, and does nothing at all, when the colour is unchanged.
  bool SetExeColor(OleColor value);
  void SetExeCount(std::int32_t value);
  void SetExeSys(std::int32_t value);

  // All eleven from a record, in property order; and back.
  void Assign(const ButtonRecord& record);
  ButtonRecord ToRecord() const { return v_; }

  // Persistence: keys are the property names; values equal to their default
  // are not written and missing keys read as the default.
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

 private:
  void Changed(std::wstring_view name);
  ButtonRecord v_;
};

}  // namespace vornish
