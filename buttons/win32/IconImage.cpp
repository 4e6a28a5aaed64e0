#include "buttons/win32/IconImage.h"

#include <algorithm>
#include <utility>

#include "core/win32/Handles.h"

namespace vornish::win32 {

namespace {

BITMAPINFO TopDown32(int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The icon drawn over a uniform background, as 0x00RRGGBB pixels.
bool RenderOver(HDC dc, HICON icon, int size, std::uint32_t background, std::vector<std::uint32_t>& out) {
  BITMAPINFO info = TopDown32(size);
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return false;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const std::size_t count = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
  std::fill(pixels, pixels + count, background);
  {
    const SelectScope select(dc, bitmap.get());
    if (!::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) return false;
    ::GdiFlush();
  }
  out.assign(pixels, pixels + count);
  return true;
}

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

}  // namespace

IconImage IconImage::FromIcon(HICON icon, int size) {
  IconImage image;
  if (!icon || size <= 0) return image;
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return image;
  // Drawn over black the icon gives its premultiplied colour; over white,
  // how much of the white shows through tells the coverage.
  std::vector<std::uint32_t> overBlack;
  std::vector<std::uint32_t> overWhite;
  if (!RenderOver(dc.get(), icon, size, 0x000000u, overBlack) ||
      !RenderOver(dc.get(), icon, size, 0xFFFFFFu, overWhite)) {
    return image;
  }
  image.size_ = size;
  image.pixels_.resize(overBlack.size());
  for (std::size_t i = 0; i < overBlack.size(); ++i) {
    std::uint32_t through = 0;
    for (int shift : {0, 8, 16}) {
      const std::uint32_t b = Channel(overBlack[i], shift);
      const std::uint32_t w = Channel(overWhite[i], shift);
      through = std::max(through, w > b ? w - b : 0u);
    }
    const std::uint32_t alpha = 255u - through;
    image.pixels_[i] = (alpha << 24) | (overBlack[i] & 0xFFFFFFu);
  }
  return image;
}

IconImage IconImage::FromPixels(int size, std::vector<std::uint32_t> pixels) {
  IconImage image;
  if (size <= 0 || pixels.size() != static_cast<std::size_t>(size) * static_cast<std::size_t>(size)) return image;
  image.size_ = size;
  image.pixels_ = std::move(pixels);
  return image;
}

void IconImage::Draw(HDC dc, int x, int y, COLORREF background, bool dimmed) const {
  if (empty()) return;
  const std::uint32_t bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
  // Premultiplied: scaling every channel, coverage included, fades the icon.
  const std::uint32_t opacity = dimmed ? 100u : 255u;
  std::vector<std::uint32_t> out(pixels_.size());
  for (std::size_t i = 0; i < pixels_.size(); ++i) {
    const std::uint32_t p = pixels_[i];
    const std::uint32_t transparency = 255u - ((p >> 24) * opacity + 127u) / 255u;
    std::uint32_t pixel = 0;
    for (int c = 0; c < 3; ++c) {
      const int shift = 8 * c;
      const std::uint32_t value = (Channel(p, shift) * opacity + 127u) / 255u + (bg[c] * transparency + 127u) / 255u;
      pixel |= std::min(value, 255u) << shift;
    }
    out[i] = pixel;
  }
  BITMAPINFO info = TopDown32(size_);
  ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(size_), static_cast<DWORD>(size_), 0, 0, 0,
                      static_cast<UINT>(size_), out.data(), &info, DIB_RGB_COLORS);
}

}  // namespace vornish::win32
