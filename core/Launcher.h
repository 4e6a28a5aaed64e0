// The launcher's model: its settings, its button list and the few values that
// go with them. The main window owns one and every part of the program works
// on it; nothing else holds mutable state.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "core/ButtonRecord.h"
#include "core/CrashReport.h"
#include "core/DataFile.h"
#include "core/FileSystem.h"
#include "core/Settings.h"
#include "core/SystemInfo.h"
#include "core/TextCodec.h"
#include "core/Twips.h"
#include "core/UndoHistory.h"

namespace vornish {

struct LauncherModel {
  Settings settings;
  ButtonList Buttons;       // index i belongs to the button control i
  std::wstring DataFilePath;
  bool writeDataFile = true;  // false when this run must leave the file alone
  // ContentHash of the version of the data file this launcher last read,
  // wrote or kept a copy of (none while it has seen none): any other content
  // found there was put there by another program.
  std::optional<std::uint64_t> dataFileHash;
  // The user's changes to the set of buttons, for undoing them (core/Editing.h).
  UndoHistory history;
  // Files whose reading crashed the launcher: not read again.
  SkippedFiles skipped;

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

struct DataFileSave {
  bool written = false;
  bool skipped = false;  // protected in this run
  FileResult error;      // why it was not written
  // Another program had changed the file since this launcher last read or
  // wrote it: that version was kept under this name.
  std::wstring keptCopy;

  bool failed() const { return !written && !skipped; }
};

// Writes the buttons to the data file, as often as the launcher likes, unless
// the file is protected in this run. A file whose content is not the version
// this launcher last read or wrote is copied aside first, once; when that copy
// fails, the file is not replaced. Only the content tells: another program may
// rewrite the file with the same size and put its old time back. After a copy
// or a write the model remembers that version as its own.
DataFileSave SaveDataFile(LauncherModel& model, LauncherServices services);

struct UnloadReport {
  DataFileSave dataFile;
  bool positionSaved = false;
  bool settingsSaved = false;
  // The settings file that could not be written and why (the registry's
  // failures are not told).
  std::wstring settingsFile;
  std::wstring settingsFailure;
  // What a step threw when it failed outright (the next steps ran all the same).
  std::exception_ptr dataFileThrew, positionThrew, settingsThrew;
};

// The saving half of the unload step: the data file (SaveDataFile), then the
// window position (unless `position` is empty, as for a minimised window),
// then the settings. Every step runs whatever happened to the previous one.
UnloadReport SaveLauncher(LauncherModel& model, LauncherServices services, std::optional<WindowPosition> position);

}  // namespace vornish
