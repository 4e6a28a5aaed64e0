#include "buttons/DragDrop.h"

#include <utility>

#include "core/Paths.h"

namespace vornish {

FileDrop FileDropOn(const ButtonList& buttons, int index, bool recordsDialogOpen) {
  if (recordsDialogOpen || index < 0 || index >= static_cast<int>(buttons.size())) return FileDrop::Ignored;
  return buttons[static_cast<std::size_t>(index)].Lock ? FileDrop::OpenWithButton : FileDrop::Register;
}

std::wstring ButtonTip(const ButtonRecord& button) {
  if (!button.File.empty() || !button.Title.empty()) return button.Title;
  return L"ﾌｧｲﾙをﾄﾞﾛｯﾌﾟするか、ｺﾋﾟｰしてCtrl+Vで貼り付けると、このﾎﾞﾀﾝに登録できます。";
}

ButtonRecord RegisterDroppedFile(std::wstring_view path, OleColor defColor, std::wstring_view currentDirectory) {
  ButtonRecord b = EmptyButton(defColor);
  b.Title = GetFileName(path);
  b.File.assign(path);
  b.Path = GetFolder(path, currentDirectory);
  return b;
}

std::wstring DroppedFileParameter(std::wstring_view path) {
  if (path.find(L' ') == std::wstring_view::npos) return std::wstring(path);
  return L"\"" + std::wstring(path) + L"\"";
}

void SwapButtons(ButtonList& buttons, int source, int target) {
  const int count = static_cast<int>(buttons.size());
  if (source < 0 || target < 0 || source >= count || target >= count || source == target) return;
  std::swap(buttons[static_cast<std::size_t>(source)], buttons[static_cast<std::size_t>(target)]);
}

DragImage DragFeedback::MoveTo(DragPlace place, int button) {
  const bool leaving = over_ >= 0 && !(place == DragPlace::OtherButton && button == over_);
  if (leaving) {
    image_ = DragImage::Drag;
    over_ = -1;
  }
  switch (place) {
    case DragPlace::OtherButton:
      if (over_ != button) {
        over_ = button;
        image_ = DragImage::Drop;
      }
      break;
    case DragPlace::BarOrBackground:
      image_ = DragImage::UnDrop;
      break;
    case DragPlace::SourceButton:
    case DragPlace::Outside:
      break;
  }
  return image_;
}

}  // namespace vornish
