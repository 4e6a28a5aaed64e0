// Files dropped or pasted on buttons and buttons dragged onto each other.
#pragma once

#include <string>
#include <string_view>

#include "core/ButtonRecord.h"

namespace vornish {

// What a file dropped on button `index` does: nothing when there is no such
// button or a dialog that writes button records is open (it writes the very
// record the drop would change); a locked button's program opens it; an
// unlocked button registers it.
enum class FileDrop { Ignored, OpenWithButton, Register };
FileDrop FileDropOn(const ButtonList& buttons, int index, bool recordsDialogOpen);

// The tool tip of a button: its title; an empty one (no file and no title)
// says how a file gets onto it.
std::wstring ButtonTip(const ButtonRecord& button);

// A dropped file registered on an unlocked button: its name (with extension)
// as title, its path as target, its folder (ending in "\") as working folder,
// and everything else as a new button has it, `defColor` as colour.
ButtonRecord RegisterDroppedFile(std::wstring_view path, OleColor defColor, std::wstring_view currentDirectory);

// The parameter that hands a dropped file to a locked button's program: the
// path, in quotation marks when it contains a space so that it stays one
// argument.
std::wstring DroppedFileParameter(std::wstring_view path);

// Button `source` dragged onto button `target`: their contents change places,
// counts included; the buttons themselves stay where they are.
void SwapButtons(ButtonList& buttons, int source, int target);

// The image under the pointer while a button is dragged.
enum class DragImage { Drag, Drop, UnDrop };

// Where the pointer is during a button drag.
enum class DragPlace { SourceButton, OtherButton, BarOrBackground, Outside };

// The drag image as the pointer moves: over another button it shows that
// dropping swaps, leaving that button shows the plain drag image again, the
// control bar and the background show that nothing can be dropped, and over
// the dragged button itself or outside the window nothing changes.
class DragFeedback {
 public:
  DragImage Image() const { return image_; }
  // `button` is the index of the button under the pointer (OtherButton only).
  DragImage MoveTo(DragPlace place, int button = -1);

 private:
  DragImage image_ = DragImage::Drag;
  int over_ = -1;  // the other button the pointer is over, -1 for none
};

}  // namespace vornish
