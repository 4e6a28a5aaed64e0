#include "buttons/IconChoice.h"

namespace vornish {

std::wstring_view IconSourceOf(std::wstring_view ExeIcon, std::wstring_view ExeFile) {
  return ExeIcon.empty() ? ExeFile : ExeIcon;
}

bool IconReadFromFileItself(std::wstring_view source) {
  const auto dot = source.rfind(L'.');
  if (dot == std::wstring_view::npos || source.find_first_of(L"\\/", dot) != std::wstring_view::npos) return false;
  std::wstring extension(source.substr(dot + 1));
  for (wchar_t& c : extension) c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  for (std::wstring_view own : {L"exe", L"dll", L"ico", L"icl", L"cpl", L"ocx", L"scr"}) {
    if (extension == own) return true;
  }
  return false;
}

IconChoice ChooseIcon(std::wstring_view ExeIcon, std::wstring_view ExeFile, std::int32_t ExeIconNo,
                      IconSource& icons) {
  IconChoice choice;
  choice.source.assign(IconSourceOf(ExeIcon, ExeFile));
  if (choice.source.empty()) return choice;
  choice.index = ExeIconNo;
  IconSource::Probe probe = icons.ProbeIcon(choice.source, choice.index);
  // An icon found at a number of 0 or more proves the file has that many
  // icons; only otherwise is it counted (which costs another file read).
  if (probe != IconSource::Probe::Icon || ExeIconNo < 0) {
    const int count = icons.Count(choice.source);
    if (static_cast<std::int64_t>(count) < static_cast<std::int64_t>(ExeIconNo) + 1) {
      choice.index = 0;
      choice.resetIconNo = true;
      if (ExeIconNo != 0) probe = icons.ProbeIcon(choice.source, 0);
    }
  }
  switch (probe) {
    case IconSource::Probe::Missing:
      break;
    case IconSource::Probe::Icon:
      choice.draw = IconChoice::Draw::FileIcon;
      break;
    case IconSource::Probe::NoIcon:
      choice.draw = IconChoice::Draw::Associated;
      break;
  }
  return choice;
}

}  // namespace vornish
