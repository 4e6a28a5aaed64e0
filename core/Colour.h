// Colour values as the launcher stores them: 0x00BBGGRR, or 0x80000000 plus a
// Windows system colour index (the OLE colour convention).
#pragma once

#include <cstdint>

namespace vornish {

using OleColor = std::uint32_t;

inline constexpr OleColor kSysColourFlag = 0x80000000u;
inline constexpr OleColor kColourDesktop = 0x80000001u;
inline constexpr OleColor kColourActiveCaption = 0x80000002u;
inline constexpr OleColor kColourInactiveCaption = 0x80000003u;
inline constexpr OleColor kColourButtonFace = 0x8000000Fu;
inline constexpr OleColor kColourButtonShadow = 0x80000010u;
inline constexpr OleColor kColourButtonText = 0x80000012u;
inline constexpr OleColor kColour3DHighlight = 0x80000014u;

inline constexpr bool IsSystemColour(OleColor c) { return (c & kSysColourFlag) != 0; }

// Resolves a colour value to 0x00BBGGRR. `sysColour` maps a system colour
// index to its current RGB value (GetSysColor on Windows).
template <typename SysColourFn>
std::uint32_t ResolveColour(OleColor colour, SysColourFn&& sysColour) {
  if (IsSystemColour(colour)) return static_cast<std::uint32_t>(sysColour(static_cast<int>(colour & 0xFFu))) & 0xFFFFFFu;
  return colour & 0xFFFFFFu;
}

}  // namespace vornish
