#include "core/CrashReport.h"

#include "core/Text.h"
#include "core/Utf8.h"

namespace vornish {

namespace {

std::string Hex(std::uint64_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0 && value != 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
  while (value != 0) {  // wider than asked
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
  }
  return "0x" + text;
}

// "0x00007FF6A1B21234  vornish.exe+0x1234", or "(no module)" after the address.
std::string FrameText(const CrashFrame& frame) {
  std::string text = Hex(frame.address, 16) + "  ";
  if (frame.module.empty()) return text + "(no module)";
  return text + ToUtf8(frame.module) + "+" + Hex(frame.address - frame.moduleBase, 1);
}

}  // namespace

std::string CrashReportText(const CrashInfo& info) {
  std::string text;
  const auto line = [&](const std::string& s) { text += s + "\r\n"; };
  line("Vornish " + ToUtf8(info.version) + " (commit " + ToUtf8(info.commit) + ") stopped on an unhandled exception.");
  line("Time: " + ToUtf8(info.time) + "  Process: " + ToUtf8(ToDecimal(static_cast<std::int64_t>(info.processId))));
  line("Exception: " + Hex(info.code, 8) + " at " + FrameText(info.where));
  if (!info.where.module.empty()) line("Module base: " + Hex(info.where.moduleBase, 16));
  line("Return addresses:");
  for (const CrashFrame& frame : info.stack) line("  " + FrameText(frame));
  return text;
}

std::wstring CrashReportFileName(std::wstring_view timeStamp, std::uint32_t processId) {
  return L"crash-" + std::wstring(timeStamp) + L"-" + ToDecimal(static_cast<std::int64_t>(processId)) + L".txt";
}

}  // namespace vornish
