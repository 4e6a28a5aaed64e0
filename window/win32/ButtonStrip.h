// The strip of icon buttons in the main window: one control per entry of the
// button list that could be created, laid out in a row or a column.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "buttons/win32/IconButton.h"
#include "core/Layout.h"

namespace vornish::win32 {

class ButtonStrip {
 public:
  ButtonStrip(const LauncherModel& model, IconButtonEvents& events, IconLoader::Maker maker = {})
      : model_(model), events_(events), icons_(std::move(maker)) {}

  // Makes controls for the first `count` entries, as many as the longest
  // window the system makes holds at `layout`: removes the ones beyond,
  // creates missing ones where `layout` puts them, shown with their records
  // (OLE drops only once AfterFirstPaint was called).
  // Stops at the first control the system refuses to create; returns how
  // many there are.
  int Resize(HINSTANCE instance, HWND parent, HWND tooltip, int count, const ButtonLayout& layout, int dpi);
  int Count() const { return static_cast<int>(buttons_.size()); }
  // Makes, or starts making, the faces of the first `count` entries (as many
  // as the longest window holds at `layout`) before their controls exist, at
  // `dpi` (IconLoader::MakeAhead).
  void MakeFacesAhead(int count, const ButtonLayout& layout, int dpi);
  // The entries the last Resize left out for the window's length.
  int Beyond() const { return beyond_; }
  // True once each time more entries are left out than were last told of.
  bool MoreBeyondToTell();
  IconButton& operator[](int index) { return *buttons_[static_cast<std::size_t>(index)]; }

  // Controls `from`..`to` show their records again.
  void Refresh(int from, int to);
  // Every icon is made again (icon size or DPI changed).
  void RefreshIcons();
  // The faces that show a button's file as gone are made again: one that is
  // back loses the mark.
  void RefreshBroken();
  // Button `index`'s face follows what a launch found: its file `missing`,
  // or there.
  void ShowMissing(int index, bool missing);
  // Moves the buttons that are not where `layout` puts them, in one batch,
  // and shows the ones a screen can show, hiding the others.
  void Arrange(const ButtonLayout& layout, int dpi);
  // Shows the buttons the window's place lets a screen show, hides the
  // others: after the window moved or the screens changed.
  void FollowWindow();
  // The size button 0 has, in twips (the designed 600 when there is none).
  std::int32_t Width(int dpi) const;
  std::int32_t Height(int dpi) const;

  // The index of the button whose window this is, -1 for none.
  int IndexOf(HWND window) const;
  // Once the window has been painted: the buttons' tips through `tooltip`,
  // their OLE drops (OLE is up), and the faces made at start kept for the
  // next start.
  void AfterFirstPaint(HWND tooltip);
  // Waits a moment for the faces asked for: a normal start paints complete
  // faces, while a source that does not answer delays only its own.
  void WaitForFaces();  // and drops the faces made ahead that no button took
  // The keyboard focus goes back to the button that had it when the window
  // was last deactivated.
  void RememberFocus();
  void RestoreFocus();

 private:
  RECT SeenArea() const;
  static bool Meet(const RECT& a, const RECT& b);
  // Moves button i to places[i] and shows or hides it, in one batch.
  void Place(const std::vector<RECT>& places);

  const LauncherModel& model_;
  IconButtonEvents& events_;
  IconLoader icons_;  // before the buttons, which use it until they go
  std::vector<std::unique_ptr<IconButton>> buttons_;
  HWND parent_ = nullptr;
  int focused_ = 0;
  int beyond_ = 0;
  int toldBeyond_ = 0;
  bool fileDrops_ = false;  // OLE is up: new buttons take OLE drops at once
};

// A rectangle as the system takes it.
RECT ToRect(const PixelRect& rect);

}  // namespace vornish::win32
