// The version window ("ﾊﾞｰｼﾞｮﾝ情報") without its window: its title, what its
// two link labels copy and open, which of them is lit, and where the system
// information program is found.
#pragma once

#include <string>
#include <string_view>

#include "core/FileSystem.h"
#include "core/Registry.h"

namespace vornish {

// The addresses the mail label offers. The project has none to give yet, and
// an address that reaches nobody is worse than none: while this is empty the
// window shows no mail label.
inline constexpr std::wstring_view kContactAddresses = L"";

// "Vornish  Ver.1.0" for version 1.0.
std::wstring VersionTitle(unsigned major, unsigned minor);

enum class Link { None, Mail, Web };

// What a click on a link puts on the clipboard: the mail label's whole
// caption, the web label's text after its first "：" (all of it without one).
std::wstring LinkClipboardText(Link link, std::wstring_view caption);
// What a double-click opens: "mailto:" and the addresses, or the web address.
std::wstring LinkTarget(Link link, std::wstring_view caption);

// Where the mouse moved, as the window tells its parts apart.
enum class Pointer { MailLabel, WebLabel, Background, OtherLabel };
// The link lit after the mouse moved: the label under it, none over the
// window's background, and no change over any other label.
Link LitLink(Link lit, Pointer pointer);

// The web label's caption for the help file beside the program.
std::wstring HelpLinkCaption(std::wstring_view programFolder);

// The system information program as the registry names it: the program in
// "Shared Tools\MSINFO", else MSINFO32.EXE in the folder of "Shared Tools
// Location" when it is there; empty when neither.
std::wstring SystemInfoProgram(const RegistryReader& registry, const FileSystem& fs);

}  // namespace vornish
