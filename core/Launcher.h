// The launcher's model: its settings, its button list and the few values that
// go with them. The main window owns one and every part of the program works
// on it; nothing else holds mutable state.
#pragma once

#include <optional>
#include <string>

#include "core/ButtonRecord.h"
#include "core/DataFile.h"
#include "core/FileSystem.h"
#include "core/Settings.h"
#include "core/SystemInfo.h"
#include "core/TextCodec.h"

namespace vornish {

struct LauncherModel {
  Settings settings;
  ButtonList Buttons;       // index i belongs to the button control i
  int CurrentButton = -1;   // button the pop-up menu was opened on; -1 none
  std::wstring DataFilePath;
  std::wstring HelpFile;
  bool writeDataFile = true;  // false when this run must leave the file alone

  int ButtonLast() const { return static_cast<int>(Buttons.size()) - 1; }
};

// The platform services the model is loaded from and saved to.
struct LauncherServices {
  SettingsStore& store;
  FileSystem& fs;
  const TextCodec& codec;
  const SystemInfo& system;
};

// Reads the settings and then the data file (which needs DefColor). A file that
// exists but cannot be read, or holds more buttons than can be shown, is
// protected: writeDataFile becomes false.
DataFileLoad LoadLauncher(LauncherModel& model, LauncherServices services);

// The saved window position made visible: negative edges become 0, and a
// window reaching beyond the right or bottom screen edge is moved back so that
// it ends there. All in twips.
WindowPosition VisibleWindowPosition(WindowPosition saved, std::int32_t windowWidth, std::int32_t windowHeight,
                                     std::int32_t screenWidth, std::int32_t screenHeight);

struct UnloadReport {
  bool dataFileWritten = false;
  bool dataFileSkipped = false;  // protected in this run
  FileResult dataFileError;      // why writing failed
  bool positionSaved = false;
  bool settingsSaved = false;
};

// The saving half of the unload step: the data file, then the window position
// (unless `position` is empty, as for a minimised window), then the settings.
// Every step runs whatever happened to the previous one.
UnloadReport SaveLauncher(const LauncherModel& model, LauncherServices services,
                          std::optional<WindowPosition> position);

}  // namespace vornish
