// Which icon a button's face shows: the choice made by IconRefresh from the
// button's icon properties and what the icon source holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/ButtonRecord.h"

namespace vornish {

// The platform's icon extraction, as far as the choice needs it.
class IconSource {
 public:
  enum class Probe {
    Icon,     // the file holds icon `index`
    NoIcon,   // it does not (a document, or an index beyond its icons)
    Missing,  // the file does not exist
  };
  virtual ~IconSource() = default;
  virtual int Count(std::wstring_view file) = 0;
  virtual Probe ProbeIcon(std::wstring_view file, int index) = 0;
};

struct IconChoice {
  enum class Draw {
    Nothing,     // the face shows only its colour
    FileIcon,    // icon `index` of `source`
    Associated,  // the icon the shell shows for `source`'s file type
  };
  Draw draw = Draw::Nothing;
  std::wstring source;
  int index = 0;
  // The icon number was out of range: ExeIconNo becomes 0 and the button
  // raises FileChange.
  bool resetIconNo = false;

  bool operator==(const IconChoice&) const = default;
};

// The file a button's icon is read from: ExeIcon, or ExeFile when ExeIcon is
// empty; a missing ExeIcon is not replaced by ExeFile.
std::wstring_view IconSourceOf(std::wstring_view ExeIcon, std::wstring_view ExeFile);
inline std::wstring_view IconSourceOf(const ButtonRecord& record) { return IconSourceOf(record.Icon, record.File); }

// Whether the icons of `source` are read from the file itself (a program, a
// library, an icon file), never through the shell: a link's or a document's
// icon comes from handlers that may wait for a network drive.
bool IconReadFromFileItself(std::wstring_view source);

// The choice from the icon source (see IconSourceOf).
IconChoice ChooseIcon(std::wstring_view ExeIcon, std::wstring_view ExeFile, std::int32_t ExeIconNo,
                      IconSource& icons);

}  // namespace vornish
