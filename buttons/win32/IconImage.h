// An icon rendered once into premultiplied BGRA pixels: the persistent image
// of a button's face. It holds no system handles, so a button keeps no icon
// or GDI object between refreshes, and it can be drawn over any face colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace vornish::win32 {

class IconImage {
 public:
  IconImage() = default;
  // Renders `icon` at `size` x `size` pixels (the icon is not kept).
  static IconImage FromIcon(HICON icon, int size);
  // An image rendered before (pixels(), kept), `size` x `size`.
  static IconImage FromPixels(int size, std::vector<std::uint32_t> pixels);

  bool empty() const { return pixels_.empty(); }
  int size() const { return size_; }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }

  // Draws the image with its top-left corner at (x, y) over `background`;
  // `dimmed`, it lets the background show through more than half.
  void Draw(HDC dc, int x, int y, COLORREF background, bool dimmed = false) const;

 private:
  int size_ = 0;
  std::vector<std::uint32_t> pixels_;  // premultiplied 0xAARRGGBB, rows top to bottom
};

}  // namespace vornish::win32
