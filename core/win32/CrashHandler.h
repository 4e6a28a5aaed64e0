// The last resort for an exception nothing else handled: a short report in
// %LOCALAPPDATA%\Vornish and a note for the next start, which tells the user
// about it and leaves alone the file the crashed thread was reading; then the
// process ends at once. Nothing is sent anywhere.
//
// At crash time the heap, the loader lock or the stack may be what broke: the
// handler uses only what was prepared when it was installed, buffers of its
// own and the kernel's file calls, and reads the stack only within the
// faulting thread's limits.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vornish::win32 {

// For the whole process, from now on; reserves stack on the calling thread.
void InstallCrashHandler();

// Where the crash handler leaves its notes for the next start; empty when the
// system names no folder for them.
std::wstring CrashNotesPath();

// Keeps enough stack for the report on the calling thread, so that even a
// stack overflow is reported (every thread that runs the launcher's code).
void ReserveCrashStack();

// Names, for the crash report and the next start, the file this thread reads
// while the object lives: when a system library faults reading it, the next
// start does not read it again. Fixed slots, prepared in advance; a thread
// that finds none free names nothing.
class ReadingFile {
 public:
  explicit ReadingFile(std::wstring_view path);
  ~ReadingFile();
  ReadingFile(const ReadingFile&) = delete;
  ReadingFile& operator=(const ReadingFile&) = delete;

 private:
  int slot_ = -1;
};

// Never called by the launcher. The crash test starts a thread here
// (vornish-window's crash verb) to see a stack overflow reported on a thread
// that reserved its stack as the launcher's own threads do.
DWORD WINAPI OverflowStack(void* unused);

}  // namespace vornish::win32
