// The faces the launcher made at its last start, kept in a file so that the
// next start shows them without reading every program's icons again. A face
// is taken from the cache only for the same icon fields, the same size and
// an icon file that has not changed since (its time of writing and length).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ButtonRecord.h"

namespace vornish {

// What a face was made from, besides the record's fields: the icon file's
// last writing time and length as the file system gives them.
struct FileStamp {
  std::uint64_t written = 0;
  std::uint64_t length = 0;
  bool operator==(const FileStamp&) const = default;
};

struct CachedFace {
  std::wstring icon;  // ExeIcon and ExeFile and ExeIconNo of the record
  std::wstring file;
  std::int32_t iconNo = 0;
  std::int32_t size = 0;  // pixels on a side
  FileStamp stamp;
  bool resetIconNo = false;
  std::vector<std::uint32_t> pixels;  // size x size

  // Whether this is the face of `record` at `size` while its icon file
  // carries `now`.
  bool Answers(const ButtonRecord& record, std::int32_t size, const FileStamp& now) const;
};

// The cache file's bytes.
std::string FaceCacheBytes(const std::vector<CachedFace>& faces);
// The faces in a cache file's bytes; none when the bytes are not a complete
// cache of this version (another program's file, a cut-off write).
std::vector<CachedFace> FacesFromCache(std::string_view bytes);

}  // namespace vornish
