// Placement of a window fixed to a screen edge: the task bar's size and edge,
// and the window's rectangle beside it. Lengths in twips unless said.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Twips.h"

namespace vornish {

// A screen (one monitor) in pixels: its size and the work area the system
// leaves beside its task bar, measured from the monitor's top-left corner.
struct ScreenMetrics {
  int width = 0;
  int height = 0;
  int workLeft = 0;
  int workTop = 0;
  int workRight = 0;
  int workBottom = 0;
  int dpi = kDefaultDpi;
};

// What `GetTaskBar` measures. TaskDisp: 0 no task bar (TaskH and TaskW are
// then both 30), 1 at the top or bottom, 2 at the left or right.
struct TaskBarSize {
  std::int32_t TaskH = 0;
  std::int32_t TaskW = 0;
  std::int32_t TaskDisp = 0;
  bool operator==(const TaskBarSize&) const = default;
};

// Measures the task bar from the work area and corrects the TaskBar setting
// when it names an edge of the other orientation (a vertical bar makes it 3
// unless it is 1 or 3; a horizontal one makes it 4 unless it is 2 or 4).
TaskBarSize GetTaskBar(const ScreenMetrics& screen, std::int32_t& TaskBar);

// The window's rectangle for `Position` 1 to 4 on a screen of
// `screenWidth` x `screenHeight` twips with a button side of `buttonSide`;
// nothing for a floating window (0 or any other value).
std::optional<TwipsRect> PlaceWindow(std::int32_t Position, std::int32_t TaskBar, const TaskBarSize& task,
                                     std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t buttonSide);

// One monitor of the desktop: its whole area and its work area, in pixels
// of the virtual screen.
struct Monitor {
  PixelRect area;
  PixelRect work;
};

// The monitor `window` lies on: the one it overlaps most, else the one
// nearest to it; the first of equals. `monitors` is not empty.
std::size_t MonitorOf(const std::vector<Monitor>& monitors, const PixelRect& window);

// The monitor as the task-bar rules see it, at `dpi`.
ScreenMetrics MetricsOf(const Monitor& monitor, int dpi);

// `PlaceWindow` on `monitor`: the rectangle (pixels of the virtual screen) of
// a window fixed to its edge `Position` beside the monitor's own task bar;
// nothing for a floating window. Measuring the task bar may correct TaskBar.
std::optional<PixelRect> DockedRect(const Monitor& monitor, int dpi, std::int32_t Position, std::int32_t& TaskBar,
                                    std::int32_t buttonSide);

// A monitor's whole area in twips at `dpi` (for pulling a window back onto it).
TwipsRect AreaInTwips(const Monitor& monitor, int dpi);

// Where a menu asked for from the keyboard opens beside `item` (the focused
// button, pixels of the virtual screen): below it for a row, to its right for
// a column, so that it hides neither the button nor the strip beyond it; the
// system turns it to the other side of `exclude` when there is no room. The
// point stays inside `work`, the work area of the item's monitor, so a button
// partly beyond the screen still gets its menu on it.
struct MenuAnchor {
  int x = 0;
  int y = 0;
  bool vertical = true;  // below (or above) the item, else beside it
  PixelRect exclude;     // the part of the item on the work area
  bool operator==(const MenuAnchor&) const = default;
};
MenuAnchor MenuAnchorFor(const PixelRect& item, const PixelRect& work, bool column);

}  // namespace vornish
