// One launcher button as stored in the data file and held in the button list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Colour.h"

namespace vornish {

// Window state of a launched program: the platform's show commands.
inline constexpr std::int32_t kStateNormal = 1;
inline constexpr std::int32_t kStateMinimised = 2;
inline constexpr std::int32_t kStateMaximised = 3;

// The eleven fields in file order. A record that is merely created has every
// text empty and every number 0 (State 0, Color 0): the reader relies on this
// for short lines. EmptyButton() gives the values of a button that holds nothing.
struct ButtonRecord {
  std::wstring Title;
  std::wstring File;
  std::wstring Path;
  std::wstring Param;
  std::int32_t State = 0;
  std::wstring Icon;
  std::int32_t IconNo = 0;
  bool Lock = false;
  OleColor Color = 0;
  std::int32_t Count = 0;
  std::int32_t Sys = 0;

  bool operator==(const ButtonRecord&) const = default;
};

inline ButtonRecord EmptyButton(OleColor defColor) {
  ButtonRecord r;
  r.State = kStateNormal;
  r.Color = defColor;
  return r;
}

// The button list is limited to 32,768 entries (indices fit a signed 16-bit
// value, as the data file format has always assumed).
inline constexpr std::size_t kMaxButtons = 32768;

using ButtonList = std::vector<ButtonRecord>;

}  // namespace vornish
