// The launcher's commands: what the menus choose and the timer carries out.
// A menu item's command number (its identity in the menus) becomes a typed
// command as it is chosen, and stays one until the dispatcher runs it.
#pragma once

#include <cstdint>

#include "core/ButtonRecord.h"

namespace vornish {

// Each with its command number.
enum class Command {
  Nothing,           // separators, "ｷｬﾝｾﾙ", any other number
  AddButton,         // 0
  InsertButton,      // 1
  DeleteButton,      // 2
  InitButton,        // 3
  ButtonSettings,    // 5
  Ranking,           // 7
  LauncherSettings,  // 8
  HelpContents,      // 10, 100
  Exit,              // 12
  HelpSearch,        // 101
  Tips,              // 103
  About,             // 105
  Undo,              // 15, Ctrl+Z
};

// The command of item `index` of the button pop-up menu, and of item `index`
// of its help submenu (numbered from 100).
Command PopMenuCommand(int index);
Command HelpMenuCommand(int index);
// The command a key pressed on the strip asks for (`shift`: the masks of
// core/Mouse.h): Ctrl+Z undoes.
Command KeyCommand(int keyCode, int shift);

// Whether `command` opens a window that writes button records: drops on the
// buttons are refused while it is open.
bool WritesButtonRecords(Command command);

// A command as it was chosen: what to do, and the button whose menu chose it
// (-1 for none: the window's background, the tray, the control bar). Both are
// fixed at the moment of the choice, so that nothing that happens before the
// command runs (another menu, a drop, a click) changes what it acts on.
struct ChosenCommand {
  Command command = Command::Nothing;
  int button = -1;
  bool operator==(const ChosenCommand&) const = default;
};

// The bar paint marker: what the control bar shows, and whether a command runs.
enum class BarMarker {
  RepaintWhenActive,  // the bar is repainted when the window is next found active
  CommandRunning,
  ShownActive,        // the bar shows its active colours
};

// What a tick does to the window.
class TickHost {
 public:
  virtual ~TickHost() = default;
  virtual void PlaceWindow() = 0;
  // The active window of the launcher's thread is the main window.
  virtual bool MainWindowActive() = 0;
  virtual void ShowBarInactive() = 0;
  virtual void ShowBarActive() = 0;
  virtual void Run(const ChosenCommand& chosen) = 0;
};

// The timer `tmrPopUp`: every tick keeps a docked window in place, repaints
// the bar when the window gains activation and runs the pending command. It
// ticks only while a tick has something to do (Due): a launcher at rest
// costs no CPU at all, and the window's own events (activation, a move)
// bring the next tick.
// Commands never run inside one another, nor inside a launch: while one of
// those is under way (a modal window or the shell may pump messages), ticks
// leave a newly chosen command pending until it is over.
class CommandTimer {
 public:
  // The command the next tick runs; Nothing takes back one posted before.
  void Post(const ChosenCommand& chosen) { pending_ = chosen; }
  // A command waits for the next tick.
  bool Pending() const { return pending_.command != Command::Nothing; }

  void SetMarker(BarMarker marker) { marker_ = marker; }
  // A command or a launch is under way (its modal windows make the main
  // window inactive, which resets the marker), or the launcher has exited.
  bool CommandRunning() const { return marker_ == BarMarker::CommandRunning || held_ > 0; }

  // Whether a tick has anything to do: a command waits, or the bar does not
  // show the activation (`active`: the main window is the active one).
  bool Due(bool active) const {
    return (Pending() && !exited_) || (active ? marker_ == BarMarker::RepaintWhenActive
                                              : marker_ == BarMarker::ShownActive);
  }

  // One tick (also run directly after a caller has posted a command).
  void Tick(TickHost& host, std::int32_t Position);
  // Runs `chosen` at once, after the command still waiting for its tick:
  // commands run in the order they were chosen, each on the buttons as its
  // choice saw them. Nothing runs after an exit.
  void Start(TickHost& host, const ChosenCommand& chosen, std::int32_t Position);
  // The command being carried out; Nothing between commands.
  Command Running() const { return running_; }

  // Keeps commands from running for the scope's lifetime.
  class Hold {
   public:
    explicit Hold(CommandTimer& timer) : timer_(timer) { ++timer_.held_; }
    ~Hold() { --timer_.held_; }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    CommandTimer& timer_;
  };

  // A launch under way: commands wait for it, and so does a close asked for
  // meanwhile, so that the launch is counted in what the close saves.
  class Launch {
   public:
    explicit Launch(CommandTimer& timer) : hold_(timer), timer_(timer) { ++timer_.launches_; }
    ~Launch() { --timer_.launches_; }
    Launch(const Launch&) = delete;
    Launch& operator=(const Launch&) = delete;

   private:
    Hold hold_;
    CommandTimer& timer_;
  };
  // A close is asked for: false while a launch is under way, when it becomes
  // the exit command, which the tick after the launch carries out.
  bool MayClose();

 private:
  BarMarker marker_ = BarMarker::RepaintWhenActive;
  ChosenCommand pending_;
  Command running_ = Command::Nothing;
  int held_ = 0;
  int launches_ = 0;
  bool exited_ = false;
};

// Which items of the button pop-up menu are enabled.
struct ButtonMenuState {
  bool insert = true;    // "ﾎﾞﾀﾝ挿入(&I)"
  bool remove = true;    // "ﾎﾞﾀﾝ削除(&D)"
  bool init = true;      // "ﾎﾞﾀﾝ初期化(&C)"
  bool settings = true;  // "ﾎﾞﾀﾝ設定(&B)..."
  bool undo = false;     // "元に戻す(&U)"
  bool operator==(const ButtonMenuState&) const = default;
};

// For the menu opened on `currentButton` (-1: the background or the tray).
// An entry without a file counts as empty whatever its system-object number.
// "元に戻す(&U)" is enabled when there is a change to undo.
ButtonMenuState MenuStateFor(const ButtonList& buttons, int currentButton, bool canUndo);

}  // namespace vornish
