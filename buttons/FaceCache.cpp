#include "buttons/FaceCache.h"


#include "core/Utf8.h"

namespace vornish {

namespace {

constexpr std::string_view kMagic{"Vornish faces 1\n", 16};
// Faces are at most 256 pixels on a side (an icon's largest image).
constexpr std::int32_t kLargestSide = 256;

void Put(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

void PutText(std::string& out, std::wstring_view text) {
  const std::string utf8 = ToUtf8(text);
  Put(out, utf8.size(), 4);
  out += utf8;
}

// Reads little-endian fields from the front of `rest`; false once it runs out.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : rest_(bytes) {}
  bool empty() const { return rest_.empty(); }
  bool Take(std::uint64_t& value, int bytes) {
    if (rest_.size() < static_cast<std::size_t>(bytes)) return false;
    value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint64_t{static_cast<unsigned char>(rest_[i])} << (8 * i);
    rest_.remove_prefix(static_cast<std::size_t>(bytes));
    return true;
  }
  bool TakeText(std::wstring& text) {
    std::uint64_t length = 0;
    if (!Take(length, 4) || rest_.size() < length) return false;
    text = FromUtf8(rest_.substr(0, length));
    rest_.remove_prefix(length);
    return true;
  }

 private:
  std::string_view rest_;
};

}  // namespace

bool CachedFace::Answers(const ButtonRecord& record, std::int32_t side, const FileStamp& now) const {
  return size == side && iconNo == record.IconNo && icon == record.Icon && file == record.File && stamp == now;
}

std::string FaceCacheBytes(const std::vector<CachedFace>& faces) {
  std::string out(kMagic);
  Put(out, faces.size(), 4);
  for (const CachedFace& face : faces) {
    PutText(out, face.icon);
    PutText(out, face.file);
    Put(out, static_cast<std::uint32_t>(face.iconNo), 4);
    Put(out, static_cast<std::uint32_t>(face.size), 4);
    Put(out, face.stamp.written, 8);
    Put(out, face.stamp.length, 8);
    Put(out, face.resetIconNo ? 1 : 0, 1);
    for (std::uint32_t pixel : face.pixels) Put(out, pixel, 4);
  }
  return out;
}

std::vector<CachedFace> FacesFromCache(std::string_view bytes) {
  if (bytes.substr(0, kMagic.size()) != kMagic) return {};
  Reader in(bytes.substr(kMagic.size()));
  std::uint64_t count = 0;
  if (!in.Take(count, 4)) return {};
  std::vector<CachedFace> faces;
  while (faces.size() < count) {
    CachedFace face;
    std::uint64_t iconNo = 0, size = 0, reset = 0;
    if (!in.TakeText(face.icon) || !in.TakeText(face.file) || !in.Take(iconNo, 4) || !in.Take(size, 4) ||
        !in.Take(face.stamp.written, 8) || !in.Take(face.stamp.length, 8) || !in.Take(reset, 1) || size == 0 ||
        size > kLargestSide || reset > 1) {
      return {};
    }
    face.iconNo = static_cast<std::int32_t>(static_cast<std::uint32_t>(iconNo));
    face.size = static_cast<std::int32_t>(size);
    face.resetIconNo = reset == 1;
    face.pixels.resize(size * size);
    for (std::uint32_t& pixel : face.pixels) {
      std::uint64_t value = 0;
      if (!in.Take(value, 4)) return {};
      pixel = static_cast<std::uint32_t>(value);
    }
    faces.push_back(std::move(face));
  }
  if (!in.empty()) return {};
  return faces;
}

}  // namespace vornish
