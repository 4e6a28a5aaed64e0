#include "core/Launcher.h"

namespace vornish {

DataFileLoad LoadLauncher(LauncherModel& model, LauncherServices services) {
  model.settings = LoadSettings(services.store);
  DataFileLoad load = ReadDataFile(model.DataFilePath, model.Buttons, services.fs, services.codec,
                                   services.system, model.settings.DefColor);
  model.writeDataFile = !load.protectsFile();
  return load;
}

WindowPosition VisibleWindowPosition(WindowPosition saved, std::int32_t windowWidth, std::int32_t windowHeight,
                                     std::int32_t screenWidth, std::int32_t screenHeight) {
  WindowPosition p = saved;
  if (p.left < 0) p.left = 0;
  if (p.top < 0) p.top = 0;
  if (static_cast<std::int64_t>(p.left) + windowWidth > screenWidth) p.left = screenWidth - windowWidth;
  if (static_cast<std::int64_t>(p.top) + windowHeight > screenHeight) p.top = screenHeight - windowHeight;
  return p;
}

UnloadReport SaveLauncher(const LauncherModel& model, LauncherServices services,
                          std::optional<WindowPosition> position) {
  // Every step runs whatever happened to the ones before it.
  UnloadReport report;
  const auto guarded = [](auto&& step) {
    try {
      step();
    } catch (...) {
    }
  };
  if (model.writeDataFile) {
    report.dataFileError = {FileResult::Status::Failed, 0, L""};
    guarded([&] { report.dataFileError = WriteDataFile(model.DataFilePath, model.Buttons, services.fs, services.codec); });
    report.dataFileWritten = report.dataFileError.ok();
  } else {
    report.dataFileSkipped = true;
  }
  if (position) guarded([&] { report.positionSaved = SaveWindowPosition(services.store, *position); });
  guarded([&] { report.settingsSaved = SaveSettings(services.store, model.settings); });
  return report;
}

}  // namespace vornish
