#include "core/Launcher.h"

#include "core/Messages.h"
#include "core/Paths.h"
#include "core/Text.h"

namespace vornish {

namespace {

// Temporary files of saves that were cut short: those of processes that no
// longer run (a running one may be saving now).
void RemoveStaleTemporaries(std::wstring_view path, LauncherServices services) {
  const std::wstring folder = GetFolder(path, services.fs.CurrentDirectory());
  for (const std::wstring& file : services.fs.FindFiles(folder, GetFileName(path) + L".~*.tmp")) {
    const auto owner = TemporaryOwner(path, file);
    if (owner && *owner != services.system.ProcessId() && !services.system.ProcessRunning(*owner)) {
      services.fs.Remove(file);
    }
  }
}

// Whether the file on disk is another program's version, and its hash then
// (none when it cannot be read: whether it changed cannot be told, so it is
// kept all the same). No file is nothing to keep.
bool ChangedByAnother(const LauncherModel& model, const FileSystem& fs, std::optional<std::uint64_t>& hash) {
  if (!fs.FileExists(model.DataFilePath)) return false;
  std::string bytes;
  if (fs.ReadAll(model.DataFilePath, bytes).ok()) hash = ContentHash(bytes);
  return !hash || hash != model.dataFileHash;
}

}  // namespace

DataFileLoad LoadLauncher(LauncherModel& model, LauncherServices services) {
  RemoveStaleTemporaries(model.DataFilePath, services);
  model.settings = LoadSettings(services.store);
  DataFileLoad load = ReadDataFile(model.DataFilePath, model.Buttons, services.fs, services.codec,
                                   services.system, model.settings.DefColor);
  model.writeDataFile = !load.protectsFile();
  model.dataFileHash = load.hash;
  return load;
}

std::wstring KeptCopyPath(std::wstring_view path, std::wstring_view timeStamp, const FileSystem& fs) {
  const std::wstring name = GetFileName(path);
  const std::wstring folder(path.substr(0, path.size() - name.size()));
  const auto dot = name.rfind(L'.');
  const std::wstring stem = dot == std::wstring::npos ? name : name.substr(0, dot);
  const std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot);
  std::wstring kept = folder + stem + L"-" + std::wstring(timeStamp) + extension;
  for (int n = 2; fs.PathExists(kept); ++n) kept = folder + stem + L"-" + std::wstring(timeStamp) + L"-" + ToDecimal(n) + extension;
  return kept;
}

WindowPosition VisibleWindowPosition(WindowPosition saved, std::int32_t windowWidth, std::int32_t windowHeight,
                                     const TwipsRect& screen) {
  const std::int64_t right = std::int64_t{screen.left} + screen.width;
  const std::int64_t bottom = std::int64_t{screen.top} + screen.height;
  WindowPosition p = saved;
  if (std::int64_t{p.left} + windowWidth > right) p.left = static_cast<std::int32_t>(right - windowWidth);
  if (std::int64_t{p.top} + windowHeight > bottom) p.top = static_cast<std::int32_t>(bottom - windowHeight);
  if (p.left < screen.left) p.left = screen.left;
  if (p.top < screen.top) p.top = screen.top;
  return p;
}

DataFileSave SaveDataFile(LauncherModel& model, LauncherServices services) {
  DataFileSave save;
  if (!model.writeDataFile) {
    save.skipped = true;
    return save;
  }
  // Never destroy another program's version silently: keep it beside, once.
  std::optional<std::uint64_t> theirs;
  if (ChangedByAnother(model, services.fs, theirs)) {
    const std::wstring kept = KeptCopyPath(model.DataFilePath, services.system.TimeStamp(), services.fs);
    save.error = services.fs.CopyNew(model.DataFilePath, kept);
    if (!save.error.ok()) return save;
    save.keptCopy = kept;
    if (theirs) model.dataFileHash = theirs;
  }
  save.error = WriteDataFile(model.DataFilePath, model.Buttons, services.fs, services.codec, model.dataFileHash);
  save.written = save.error.ok();
  return save;
}

UnloadReport SaveLauncher(LauncherModel& model, LauncherServices services, std::optional<WindowPosition> position) {
  // Every step runs whatever happened to the ones before it.
  UnloadReport report;
  const auto guarded = [](std::exception_ptr& threw, auto&& step) {
    try {
      step();
    } catch (...) {
      threw = std::current_exception();
    }
  };
  report.dataFile.error = {FileResult::Status::Failed, 0, FileProblemText(FileProblem::Other)};
  guarded(report.dataFileThrew, [&] { report.dataFile = SaveDataFile(model, services); });
  if (position) {
    guarded(report.positionThrew, [&] { report.positionSaved = SaveWindowPosition(services.store, *position); });
  }
  guarded(report.settingsThrew, [&] { report.settingsSaved = SaveSettings(services.store, model.settings); });
  if ((!report.settingsSaved || (position && !report.positionSaved)) && !services.store.FilePath().empty()) {
    report.settingsFile = services.store.FilePath();
    report.settingsFailure = services.store.WriteFailure();
  }
  return report;
}

}  // namespace vornish
