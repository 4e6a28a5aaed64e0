#include "dialogs/About.h"

#include "core/Paths.h"
#include "core/Text.h"

namespace vornish {

namespace {

constexpr std::wstring_view kColon = L"：";  // full-width

constexpr std::wstring_view kMsInfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::wstring_view kSharedToolsKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";

}  // namespace

std::wstring VersionTitle(unsigned major, unsigned minor) {
  return L"Vornish  Ver." + ToDecimal(major) + L"." + ToDecimal(minor);
}

std::wstring LinkClipboardText(Link link, std::wstring_view caption) {
  if (link == Link::Web) {
    const std::size_t colon = caption.find(kColon);
    if (colon != std::wstring_view::npos) caption.remove_prefix(colon + kColon.size());
  }
  return link == Link::None ? std::wstring() : std::wstring(caption);
}

std::wstring LinkTarget(Link link, std::wstring_view caption) {
  return link == Link::Mail ? L"mailto:" + std::wstring(caption) : LinkClipboardText(link, caption);
}

Link LitLink(Link lit, Pointer pointer) {
  switch (pointer) {
    case Pointer::MailLabel:
      return Link::Mail;
    case Pointer::WebLabel:
      return Link::Web;
    case Pointer::Background:
      return Link::None;
    case Pointer::OtherLabel:
      break;
  }
  return lit;
}

std::wstring HelpLinkCaption(std::wstring_view programFolder) {
  return L"Vornish ヘルプ" + std::wstring(kColon) + JoinPath(programFolder, kHtmlHelpFileName);
}

std::wstring SystemInfoProgram(const RegistryReader& registry, const FileSystem& fs) {
  // Read-only: a normal user may not open the machine's keys for more.
  const auto read = [&](std::wstring_view key, std::wstring_view name) {
    return registry.ReadRegistryText(RegistryRoot::LocalMachine, key, name, RegistryAccess::Read);
  };
  if (auto program = read(kMsInfoKey, L"PATH")) return *program;
  const auto folder = read(kSharedToolsKey, L"MSINFO");
  if (!folder) return {};
  std::wstring program = *folder + L"\\MSINFO32.EXE";
  return fs.FileExists(program) ? program : std::wstring();
}

}  // namespace vornish
