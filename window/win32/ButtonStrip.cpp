#include "window/win32/ButtonStrip.h"

#include <algorithm>

#include "buttons/IconChoice.h"
#include "core/Twips.h"

namespace vornish::win32 {

namespace {
// A new button's size before any layout: 40 pixels at 96 DPI.
constexpr std::int32_t kDesignedButtonSide = 600;
}  // namespace

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

int ButtonStrip::Resize(HINSTANCE instance, HWND parent, HWND tooltip, int count, const ButtonLayout& layout,
                        int dpi) {
  const int fitting = std::min(count, ButtonsWithin(layout, kLongestWindow, dpi));
  beyond_ = count - fitting;
  toldBeyond_ = std::min(toldBeyond_, beyond_);
  count = fitting;
  if (Count() > count) buttons_.resize(static_cast<std::size_t>(count));
  buttons_.reserve(static_cast<std::size_t>(count));
  while (Count() < count) {
    auto button = std::make_unique<IconButton>(Count(), model_, events_, icons_);
    // The system limits the windows of a process: entries beyond that stay
    // in the list, and in the data file, without a control.
    if (!button->Create(instance, parent, tooltip, ToRect(ToPixels(layout.Button(Count()), dpi)), fileDrops_)) break;
    // In the strip before its first refresh, which may already report a reset.
    buttons_.emplace_back(std::move(button))->IconRefresh();
  }
  return Count();
}

void ButtonStrip::MakeFacesAhead(int count, const ButtonLayout& layout, int dpi) {
  const int fitting = std::min(count, ButtonsWithin(layout, kLongestWindow, dpi));
  const int size = ScaleFromDefaultDpi(model_.settings.Size, dpi);
  for (int i = 0; i < fitting; ++i) {
    const ButtonRecord& record = model_.Buttons[static_cast<std::size_t>(i)];
    const std::wstring_view source = IconSourceOf(record);
    if (!source.empty() && !model_.skipped.Skips(source)) icons_.MakeAhead(record, size);
  }
}

bool ButtonStrip::MoreBeyondToTell() {
  if (beyond_ <= toldBeyond_) return false;
  toldBeyond_ = beyond_;
  return true;
}

void ButtonStrip::Refresh(int from, int to) {
  for (int i = std::max(from, 0); i <= to && i < Count(); ++i) (*this)[i].Refresh();
}

void ButtonStrip::RefreshIcons() {
  for (auto& button : buttons_) button->IconRefresh();
}

void ButtonStrip::RefreshBroken() {
  for (auto& button : buttons_) {
    if (button->Broken()) button->IconRefresh();
  }
}

void ButtonStrip::ShowMissing(int index, bool missing) {
  if (index >= 0 && index < Count() && (*this)[index].Broken() != missing) (*this)[index].IconRefresh();
}

void ButtonStrip::Arrange(const ButtonLayout& layout, int dpi) {
  std::vector<std::pair<IconButton*, RECT>> moves;
  for (int i = 0; i < Count(); ++i) {
    const RECT r = ToRect(ToPixels(layout.Button(i), dpi));
    if (!::EqualRect(&r, &(*this)[i].Bounds())) moves.emplace_back(&(*this)[i], r);
  }
  HDWP batch = moves.empty() ? nullptr : ::BeginDeferWindowPos(static_cast<int>(moves.size()));
  for (const auto& [button, r] : moves) {
    button->MovedTo(r);
    if (batch) {
      batch = ::DeferWindowPos(batch, button->hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!batch) {
      ::SetWindowPos(button->hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (batch) ::EndDeferWindowPos(batch);
}

std::int32_t ButtonStrip::Width(int dpi) const {
  if (buttons_.empty()) return kDesignedButtonSide;
  return PixelsToTwips(buttons_.front()->Bounds().right - buttons_.front()->Bounds().left, dpi);
}

std::int32_t ButtonStrip::Height(int dpi) const {
  if (buttons_.empty()) return kDesignedButtonSide;
  return PixelsToTwips(buttons_.front()->Bounds().bottom - buttons_.front()->Bounds().top, dpi);
}

int ButtonStrip::IndexOf(HWND window) const {
  for (const auto& button : buttons_) {
    if (button->hwnd() == window) return button->Index();
  }
  return -1;
}

void ButtonStrip::AttachTooltip(HWND tooltip) {
  for (auto& button : buttons_) button->AttachTooltip(tooltip);
}

void ButtonStrip::EnableFileDrops() {
  fileDrops_ = true;
  for (auto& button : buttons_) button->EnableFileDrops();
}

void ButtonStrip::WaitForFaces() {
  icons_.WaitIdle(std::chrono::milliseconds(300));
  icons_.DropAhead();
}

void ButtonStrip::RememberFocus() {
  if (const int index = IndexOf(::GetFocus()); index >= 0) focused_ = index;
}

void ButtonStrip::RestoreFocus() {
  if (buttons_.empty()) return;
  ::SetFocus((*this)[std::clamp(focused_, 0, Count() - 1)].hwnd());
}

}  // namespace vornish::win32
