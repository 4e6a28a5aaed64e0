// The launcher's model: its settings, its button list and the few values that
// go with them. The main window owns one and every part of the program works
// on it; nothing else holds mutable state.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "core/ButtonRecord.h"
#include "core/DataFile.h"
#include "core/FileSystem.h"
#include "core/Settings.h"
#include "core/SystemInfo.h"
#include "core/TextCodec.h"
#include "core/Twips.h"

namespace vornish {

struct LauncherModel {
  Settings settings;
  ButtonList Buttons;       // index i belongs to the button control i
  int CurrentButton = -1;   // button the pop-up menu was opened on; -1 none
  std::wstring DataFilePath;
  bool writeDataFile = true;  // false when this run must leave the file alone
  // The version of the data file that was read (none when there was none).
  std::optional<FileStamp> dataFileStamp;
  std::uint64_t dataFileHash = 0;

  int ButtonLast() const { return static_cast<int>(Buttons.size()) - 1; }
};

// The platform services the model is loaded from and saved to.
struct LauncherServices {
  SettingsStore& store;
  FileSystem& fs;
  const TextCodec& codec;
  const SystemInfo& system;
};

// Removes what interrupted saves of the data file left behind, then reads the
// settings and the data file (which needs DefColor). A file that could not be
// read whole is protected: writeDataFile becomes false.
DataFileLoad LoadLauncher(LauncherModel& model, LauncherServices services);

// The name a changed data file is kept under: its name with the time added,
// "VRN-20261207-103015.dat", and a number when that exists too.
std::wstring KeptCopyPath(std::wstring_view path, std::wstring_view timeStamp, const FileSystem& fs);

// The saved window position made visible on `screen` (the monitor nearest to
// it): a window reaching beyond the right or bottom edge is moved back so that
// it ends there, and then no edge stays left of or above the screen, so that
// a window larger than the screen keeps its control bar on it. All in twips.
WindowPosition VisibleWindowPosition(WindowPosition saved, std::int32_t windowWidth, std::int32_t windowHeight,
                                     const TwipsRect& screen);

struct UnloadReport {
  bool dataFileWritten = false;
  bool dataFileSkipped = false;  // protected in this run
  FileResult dataFileError;      // why writing failed
  // Another program had changed the file since it was read: its version was
  // kept under this name.
  std::wstring keptCopy;
  bool positionSaved = false;
  bool settingsSaved = false;
  // What a step threw when it failed outright (the next steps ran all the same).
  std::exception_ptr dataFileThrew, positionThrew, settingsThrew;
};

// The saving half of the unload step: the data file, then the window position
// (unless `position` is empty, as for a minimised window), then the settings.
// Every step runs whatever happened to the previous one. A data file that is
// no longer the version that was read is copied aside before it is replaced;
// when that copy fails, it is not replaced.
UnloadReport SaveLauncher(const LauncherModel& model, LauncherServices services,
                          std::optional<WindowPosition> position);

}  // namespace vornish
