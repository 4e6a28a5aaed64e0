#include "window/Placement.h"

#include "core/Layout.h"

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

}  // namespace vornish
