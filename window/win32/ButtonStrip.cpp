#include "window/win32/ButtonStrip.h"

#include <algorithm>

#include "buttons/IconChoice.h"
#include "core/Paths.h"
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
  parent_ = parent;
  const RECT seen = SeenArea();
  if (Count() > count) buttons_.resize(static_cast<std::size_t>(count));
  buttons_.reserve(static_cast<std::size_t>(count));
  while (Count() < count) {
    auto button = std::make_unique<IconButton>(Count(), model_, events_, icons_);
    const RECT bounds = ToRect(ToPixels(layout.Button(Count()), dpi));
    // The system limits the windows of a process: entries beyond that stay
    // in the list, and in the data file, without a control.
    if (!button->Create(instance, parent, tooltip, bounds, Meet(bounds, seen), fileDrops_)) break;
    // In the strip before its first refresh, which may already report a reset.
    buttons_.emplace_back(std::move(button))->IconRefresh();
  }
  return Count();
}

void ButtonStrip::MakeFacesAhead(int count, const ButtonLayout& layout, int dpi) {
  // The faces of the last start are kept beside the notes of crashes.
  const std::wstring_view notes = model_.skipped.notesPath;
  icons_.ReadCache(notes.empty() ? std::wstring() : GetFolder(notes, L"") + L"faces.cache");
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
  std::vector<RECT> places;
  places.reserve(buttons_.size());
  for (int i = 0; i < Count(); ++i) places.push_back(ToRect(ToPixels(layout.Button(i), dpi)));
  Place(places);
}

void ButtonStrip::FollowWindow() {
  std::vector<RECT> places;
  places.reserve(buttons_.size());
  for (const auto& button : buttons_) places.push_back(button->Bounds());
  Place(places);
}

// A button no screen can show is a hidden window: it is neither shown nor
// painted with the window (a strip of a thousand buttons is mostly beyond
// the screen, and Wine paints every visible child of a window, on the
// screen or not).
RECT ButtonStrip::SeenArea() const {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  RECT area{left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  POINT origin{0, 0};
  ::ClientToScreen(parent_, &origin);
  ::OffsetRect(&area, -origin.x, -origin.y);
  return area;
}

bool ButtonStrip::Meet(const RECT& a, const RECT& b) {
  RECT overlap{};
  return ::IntersectRect(&overlap, &a, &b) != FALSE;
}

void ButtonStrip::Place(const std::vector<RECT>& places) {
  struct Change {
    IconButton* button;
    RECT place;
    UINT flags;
    bool show;
  };
  const RECT seen = SeenArea();
  std::vector<Change> changes;
  for (int i = 0; i < Count(); ++i) {
    IconButton& button = (*this)[i];
    const RECT& place = places[static_cast<std::size_t>(i)];
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (::EqualRect(&place, &button.Bounds())) flags |= SWP_NOMOVE | SWP_NOSIZE;
    const bool show = Meet(place, seen);
    if (show != button.Shown()) {
      flags |= show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    } else if (flags & SWP_NOMOVE) {
      continue;
    }
    changes.push_back(Change{&button, place, flags, show});
  }
  HDWP batch = changes.empty() ? nullptr : ::BeginDeferWindowPos(static_cast<int>(changes.size()));
  for (const auto& [button, r, flags, show] : changes) {
    button->MovedTo(r);
    button->ShownAs(show);
    if (batch) batch = ::DeferWindowPos(batch, button->hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
    if (!batch) ::SetWindowPos(button->hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
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

void ButtonStrip::AfterFirstPaint(HWND tooltip) {
  fileDrops_ = true;
  for (auto& button : buttons_) {
    button->AttachTooltip(tooltip);
    button->EnableFileDrops();
  }
  icons_.SaveCache();  // a file written is a moment the first paint need not wait for
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
  // Unless the window has moved it beyond the screens: then the first one
  // that shows.
  const auto shown = std::find_if(buttons_.begin(), buttons_.end(), [](const auto& b) { return b->Shown(); });
  IconButton& remembered = (*this)[std::clamp(focused_, 0, Count() - 1)];
  ::SetFocus(remembered.Shown() || shown == buttons_.end() ? remembered.hwnd() : (*shown)->hwnd());
}

}  // namespace vornish::win32
