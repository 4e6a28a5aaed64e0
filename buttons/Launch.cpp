#include "buttons/Launch.h"

#include <limits>

#include "core/ButtonRecord.h"
#include "core/Text.h"

namespace vornish {

bool IsProgramFile(std::wstring_view file) { return EndsWithIgnoreAsciiCase(file, L".EXE"); }

std::wstring ProcessCommandLine(std::wstring_view program, std::wstring_view parameters) {
  std::wstring line;
  line.reserve(program.size() + parameters.size() + 3);
  const bool quote = program.find(L' ') != std::wstring_view::npos;
  if (quote) line.push_back(L'"');
  line.append(program);
  if (quote) line.push_back(L'"');
  line.push_back(L' ');
  line.append(parameters);
  return line;
}

LaunchPlan PlanLaunch(std::wstring_view file, std::wstring_view workingFolder, std::wstring_view parameters,
                      std::int32_t state, const FileSystem& fs) {
  LaunchPlan plan;
  if (file.empty()) return plan;
  plan.show = (state >= kStateNormal && state <= kStateMaximised) ? state : kStateNormal;
  if (IsProgramFile(file)) {
    plan.kind = LaunchPlan::Kind::Process;
    plan.program.assign(file);
    plan.commandLine = ProcessCommandLine(file, parameters);
    return plan;
  }
  plan.kind = LaunchPlan::Kind::Shell;
  plan.file.assign(file);
  plan.parameters.assign(parameters);
  plan.folder = (!workingFolder.empty() && fs.PathExists(workingFolder)) ? std::wstring(workingFolder)
                                                                         : fs.CurrentDirectory();
  return plan;
}

std::int32_t CountAfterLaunch(std::int32_t count) {
  return count == std::numeric_limits<std::int32_t>::max() ? count : count + 1;
}

bool TargetMissing(const ButtonRecord& button, const FileSystem& fs) {
  const std::wstring_view f = button.File;
  const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  const bool drive = f.size() >= 3 && ((f[0] >= L'A' && f[0] <= L'Z') || (f[0] >= L'a' && f[0] <= L'z')) &&
                     f[1] == L':' && separator(f[2]);
  const bool share = f.size() >= 3 && separator(f[0]) && separator(f[1]) && !separator(f[2]);
  return (drive || share) && !fs.PathExists(f);
}

Launched LaunchButton(LauncherModel& model, int index, std::wstring_view parameters, const FileSystem& fs,
                      Starter& starter) {
  if (index < 0 || index > model.ButtonLast()) return Launched::Nothing;
  const ButtonRecord launched = model.Buttons[static_cast<std::size_t>(index)];
  if (TargetMissing(launched, fs)) return Launched::Missing;
  const LaunchPlan plan = PlanLaunch(launched.File, launched.Path, parameters, launched.State, fs);
  if (plan.kind == LaunchPlan::Kind::None || !starter.CarryOut(plan)) return Launched::Nothing;
  if (!model.settings.CountEnable || index > model.ButtonLast()) return Launched::Started;
  ButtonRecord& now = model.Buttons[static_cast<std::size_t>(index)];
  if (now.File == launched.File && now.Sys == launched.Sys) now.Count = CountAfterLaunch(now.Count);
  return Launched::Started;
}

}  // namespace vornish
