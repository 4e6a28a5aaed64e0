#include "harness/Pixels.h"

#include <string>
#include <vector>

#include "harness/Errors.h"
#include "harness/Files.h"
#include "harness/Handles.h"

namespace vornish::e2e {

COLORREF ScreenPixel(int x, int y) {
  WindowDc screen;
  if (!screen) ThrowLastError("GetDC(screen)");
  return GetPixel(screen.Get(), x, y);
}

COLORREF WindowPixel(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return ScreenPixel(point.x, point.y);
}

void SaveScreenshot(const std::filesystem::path& bmpFile) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);

  WindowDc screen;
  UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
  if (!screen || !memory) ThrowLastError("preparing a screenshot");

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueGdiObject bitmap(CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&header),
                                          DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) ThrowLastError("CreateDIBSection");
  HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
  const BOOL copied = BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), left, top, SRCCOPY);
  SelectObject(memory.Get(), previous);
  if (!copied) ThrowLastError("BitBlt(screen)");
  GdiFlush();

  const std::size_t stride = ((static_cast<std::size_t>(width) * 3 + 3) / 4) * 4;
  const std::size_t imageSize = stride * static_cast<std::size_t>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + imageSize);
  header.biSizeImage = static_cast<DWORD>(imageSize);

  std::string bytes;
  bytes.reserve(file.bfSize);
  bytes.append(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(static_cast<const char*>(bits), imageSize);
  CreateFolders(bmpFile.parent_path());
  WriteBytes(bmpFile, bytes);
}

}  // namespace vornish::e2e
