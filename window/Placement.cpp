#include "window/Placement.h"

#include <algorithm>

#include "core/Layout.h"
#include "core/Settings.h"

namespace vornish {

namespace {
constexpr std::int32_t kNoTaskBar = 30;
}  // namespace

TaskBarSize GetTaskBar(const ScreenMetrics& screen, std::int32_t& TaskBar) {
  const int workWidth = screen.workRight - screen.workLeft;
  const int workHeight = screen.workBottom - screen.workTop;
  TaskBarSize t;
  if (workHeight >= screen.height) {
    if (workWidth >= screen.width) {
      t = {kNoTaskBar, kNoTaskBar, 0};
    } else {
      t = {0, PixelsToTwips(screen.width - workWidth, screen.dpi), 2};
      if (TaskBar != kTaskBarLeft && TaskBar != kTaskBarRight) TaskBar = kTaskBarRight;
    }
  } else {
    t = {PixelsToTwips(screen.height - workHeight, screen.dpi), 0, 1};
    if (TaskBar != kTaskBarTop && TaskBar != kTaskBarBottom) TaskBar = kTaskBarBottom;
  }
  return t;
}

std::optional<TwipsRect> PlaceWindow(std::int32_t Position, std::int32_t TaskBar, const TaskBarSize& task,
                                     std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t buttonSide) {
  const std::int32_t SW = screenWidth;
  const std::int32_t SH = screenHeight;
  const std::int32_t thickness = buttonSide + kStripCrossAllowance;
  TwipsRect r;
  switch (Position) {
    case kPositionLeft:
    case kPositionTop: {
      const bool column = Position == kPositionLeft;
      r.width = column ? thickness : SW - task.TaskW;
      r.height = column ? SH - task.TaskH : thickness;
      if (TaskBar == kTaskBarLeft) {
        r.left = task.TaskW;
      } else if (TaskBar == kTaskBarTop) {
        r.top = task.TaskH;
      }
      return r;
    }
    case kPositionRight:
      r.width = thickness;
      r.height = SH - task.TaskH;
      r.left = SW - r.width;
      if (TaskBar == kTaskBarTop) {
        r.top = task.TaskH;
      } else if (TaskBar == kTaskBarRight) {
        r.left -= task.TaskW;
      }
      return r;
    case kPositionBottom:
      r.height = thickness;
      r.top = SH - r.height;
      r.width = SW - task.TaskW;
      if (TaskBar == kTaskBarLeft) {
        r.left = task.TaskW;
      } else if (TaskBar == kTaskBarBottom) {
        r.top -= task.TaskH;
        r.width = SW;
      }
      return r;
    default:
      return std::nullopt;
  }
}

namespace {

// How far apart two rectangles are along one axis: 0 when they overlap.
std::int64_t Gap(int aLow, int aHigh, int bLow, int bHigh) {
  return std::max<std::int64_t>({0, std::int64_t{bLow} - aHigh, std::int64_t{aLow} - bHigh});
}

std::int64_t Overlap(int aLow, int aHigh, int bLow, int bHigh) {
  return std::max<std::int64_t>(0, std::int64_t{std::min(aHigh, bHigh)} - std::max(aLow, bLow));
}

}  // namespace

std::size_t MonitorOf(const std::vector<Monitor>& monitors, const PixelRect& window) {
  std::size_t best = 0;
  std::int64_t bestOverlap = -1;
  std::int64_t bestDistance = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const PixelRect& a = monitors[i].area;
    const std::int64_t overlap = Overlap(a.left, a.right, window.left, window.right) *
                                 Overlap(a.top, a.bottom, window.top, window.bottom);
    const std::int64_t dx = Gap(a.left, a.right, window.left, window.right);
    const std::int64_t dy = Gap(a.top, a.bottom, window.top, window.bottom);
    const std::int64_t distance = dx * dx + dy * dy;
    if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
      best = i;
      bestOverlap = overlap;
      bestDistance = distance;
    }
  }
  return best;
}

ScreenMetrics MetricsOf(const Monitor& m, int dpi) {
  return ScreenMetrics{m.area.Width(),           m.area.Height(),          m.work.left - m.area.left,
                       m.work.top - m.area.top,  m.work.right - m.area.left, m.work.bottom - m.area.top,
                       dpi};
}

std::optional<PixelRect> DockedRect(const Monitor& monitor, int dpi, std::int32_t Position, std::int32_t& TaskBar,
                                    std::int32_t buttonSide) {
  const TaskBarSize task = GetTaskBar(MetricsOf(monitor, dpi), TaskBar);
  const auto placed = PlaceWindow(Position, TaskBar, task, PixelsToTwips(monitor.area.Width(), dpi),
                                  PixelsToTwips(monitor.area.Height(), dpi), buttonSide);
  if (!placed) return std::nullopt;
  PixelRect r = ToPixels(*placed, dpi);
  r.left += monitor.area.left;
  r.right += monitor.area.left;
  r.top += monitor.area.top;
  r.bottom += monitor.area.top;
  return r;
}

TwipsRect AreaInTwips(const Monitor& m, int dpi) {
  return TwipsRect{PixelsToTwips(m.area.left, dpi), PixelsToTwips(m.area.top, dpi), PixelsToTwips(m.area.Width(), dpi),
                   PixelsToTwips(m.area.Height(), dpi)};
}

MenuAnchor MenuAnchorFor(const PixelRect& item, const PixelRect& work, bool column) {
  MenuAnchor a;
  a.vertical = !column;
  a.x = std::clamp(column ? item.right : item.left, work.left, std::max(work.left, work.right - 1));
  a.y = std::clamp(column ? item.top : item.bottom, work.top, std::max(work.top, work.bottom - 1));
  a.exclude = PixelRect{std::max(item.left, work.left), std::max(item.top, work.top), std::min(item.right, work.right),
                        std::min(item.bottom, work.bottom)};
  if (a.exclude.Width() <= 0 || a.exclude.Height() <= 0) a.exclude = PixelRect{a.x, a.y, a.x, a.y};
  return a;
}

}  // namespace vornish
