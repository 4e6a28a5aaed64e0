#include "core/win32/CrashHandler.h"

#include <shlobj.h>

#include <algorithm>
#include <atomic>

#include "core/CrashReport.h"
#include "core/win32/Handles.h"
#include "version.h"

namespace vornish::win32 {

namespace {

constexpr int kMostFrames = 48;
constexpr int kReadingSlots = 8;  // the icon workers and the window's thread, with room
constexpr std::size_t kLongestPath = 32768;
constexpr ULONG kStackReserve = 64 * 1024;
// The report's name holds its time stamp, filled in at crash time.
constexpr std::wstring_view kStampPattern = L"00000000-000000";

struct ReadingSlot {
  std::atomic<DWORD> thread{0};
  std::atomic<std::size_t> length{0};
  wchar_t path[kLongestPath];
};

// Everything the handler works with, made before any crash: the one state of
// the program outside its model, since nothing can be handed to a crash.
using StackLimitsFn = void(WINAPI*)(PULONG_PTR low, PULONG_PTR high);

struct CrashState {
  StackLimitsFn stackLimits = nullptr;  // GetCurrentThreadStackLimits, looked up in advance
  wchar_t folder[kLongestPath];  // empty when the system names none
  wchar_t reportPath[kLongestPath];
  std::size_t stampAt = 0;  // where the time stamp goes in reportPath
  wchar_t notesPath[kLongestPath];
  UniqueKernelHandle reported;  // set once the first fault is reported
  std::atomic<DWORD> reporter{0};
  ReadingSlot slots[kReadingSlots];
  // The fault, taken on the faulting thread; used by the reporting thread alone.
  EXCEPTION_RECORD record;
  CONTEXT context;
  DWORD thread = 0;
  ULONG_PTR stackLow = 0;
  ULONG_PTR stackHigh = 0;
  CrashFrame frames[kMostFrames];
  wchar_t modules[kMostFrames + 1][MAX_PATH];
  char text[4 * kLongestPath];  // the longest path read, in UTF-8, fits
};
CrashState crash;

CrashFrame FrameAt(std::uint64_t address, wchar_t (&name)[MAX_PATH]) {
  CrashFrame frame{address, {}, 0};
  HMODULE module = nullptr;
  if (address != 0 &&
      ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(address)), &module)) {
    const std::wstring_view full(name, ::GetModuleFileNameW(module, name, MAX_PATH));
    frame.module = full.substr(full.find_last_of(L"\\/") + 1);
    frame.moduleBase = reinterpret_cast<std::uintptr_t>(module);
  }
  return frame;
}

// The return addresses from the faulting frame outwards, unwound with the
// tables every x64 module carries, while the frames lie inside the faulting
// thread's stack. The stack is read from the faulting frame up, where it is
// committed.
int ReturnAddresses(CONTEXT& context, ULONG_PTR low, ULONG_PTR high) {
  int count = 0;
#if defined(_M_X64) || defined(__x86_64__)
  while (count < kMostFrames && context.Rip != 0 && context.Rsp >= low && context.Rsp + 8 <= high) {
    DWORD64 imageBase = 0;
    const PRUNTIME_FUNCTION function = ::RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
    if (function) {
      PVOID handlerData = nullptr;
      DWORD64 establisher = 0;
      ::RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData, &establisher,
                         nullptr);
    } else {
      // A leaf function: the return address is on top of the stack.
      context.Rip = *reinterpret_cast<const DWORD64*>(context.Rsp);
      context.Rsp += 8;
    }
    if (context.Rip != 0) {
      crash.frames[count] = FrameAt(context.Rip, crash.modules[count]);
      ++count;
    }
  }
#else
  (void)context, (void)low, (void)high;
#endif
  return count;
}

// The file `thread` was reading, when it named one.
std::wstring_view ReadingOf(DWORD thread) {
  for (const ReadingSlot& slot : crash.slots) {
    if (slot.thread.load(std::memory_order_acquire) == thread) {
      return {slot.path, slot.length.load(std::memory_order_acquire)};
    }
  }
  return {};
}

void PutDigits(wchar_t* at, unsigned value, int digits) {
  for (int i = digits - 1; i >= 0; --i, value /= 10) at[i] = static_cast<wchar_t>(L'0' + value % 10);
}

bool WriteAll(const wchar_t* path, DWORD access, DWORD disposition, std::string_view bytes) {
  const UniqueFile file(::CreateFileW(path, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// Writes the report of the fault taken, and the note for the next start.
void Report() {
  CrashInfo info;
  info.code = crash.record.ExceptionCode;
  info.where = FrameAt(reinterpret_cast<std::uintptr_t>(crash.record.ExceptionAddress), crash.modules[kMostFrames]);
  info.stack = {crash.frames, static_cast<std::size_t>(ReturnAddresses(crash.context, crash.stackLow, crash.stackHigh))};
  info.version = VORNISH_VERSION_TEXT;
  info.commit = VORNISH_COMMIT;
  info.processId = ::GetCurrentProcessId();
  info.reading = ReadingOf(crash.thread);
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char time[] = "0000-00-00 00:00:00";
  FixedText(std::span(time, 4)).Decimal(now.wYear);
  for (const auto& [at, value] : {std::pair{5, now.wMonth}, {8, now.wDay}, {11, now.wHour}, {14, now.wMinute},
                                  {17, now.wSecond}}) {
    time[at] = static_cast<char>('0' + value / 10);
    time[at + 1] = static_cast<char>('0' + value % 10);
  }
  info.time = std::string_view(time, sizeof time - 1);
  if (crash.folder[0] == L'\0') return;

  wchar_t* stamp = crash.reportPath + crash.stampAt;
  PutDigits(stamp, now.wYear, 4);
  PutDigits(stamp + 4, now.wMonth, 2);
  PutDigits(stamp + 6, now.wDay, 2);
  PutDigits(stamp + 9, now.wHour, 2);
  PutDigits(stamp + 11, now.wMinute, 2);
  PutDigits(stamp + 13, now.wSecond, 2);
  ::CreateDirectoryW(crash.folder, nullptr);
  const bool written = WriteAll(crash.reportPath, GENERIC_WRITE, CREATE_ALWAYS, FormatCrashReport(info, crash.text));
  const std::string_view note =
      FormatCrashNote(written ? std::wstring_view(crash.reportPath) : std::wstring_view(), info.reading, crash.text);
  if (!note.empty()) WriteAll(crash.notesPath, FILE_APPEND_DATA, OPEN_ALWAYS, note);
}

// On the faulting thread: reports the fault (the first one: a thread that
// faults while another reports waits for that report) and ends the process.
void ReportAndEnd(const EXCEPTION_POINTERS& pointers) {
  const UINT code = pointers.ExceptionRecord->ExceptionCode;
  const DWORD self = ::GetCurrentThreadId();
  DWORD first = 0;
  if (!crash.reporter.compare_exchange_strong(first, self)) {
    // A fault inside the handler itself ends the process at once.
    if (first != self && crash.reported) ::WaitForSingleObject(crash.reported.get(), INFINITE);
    ::TerminateProcess(::GetCurrentProcess(), code);
    return;
  }
  crash.record = *pointers.ExceptionRecord;
  crash.context = *pointers.ContextRecord;
  crash.thread = self;
  if (crash.stackLimits) crash.stackLimits(&crash.stackLow, &crash.stackHigh);
  Report();
  if (crash.reported) ::SetEvent(crash.reported.get());
  // At once: nothing of the launcher runs any more, so nothing it holds (the
  // data file least of all) is written from a process in this state. The
  // next start tells the user.
  ::TerminateProcess(::GetCurrentProcess(), code);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
  if (pointers && pointers->ExceptionRecord && pointers->ContextRecord) ReportAndEnd(*pointers);
  ::TerminateProcess(::GetCurrentProcess(), 1);
  return EXCEPTION_EXECUTE_HANDLER;
}

// A stack overflow is taken as it happens, before the search for a handler:
// that search needs stack too, more than is left under Wine. Nothing of the
// launcher's recovers from one.
LONG WINAPI OnStackOverflow(EXCEPTION_POINTERS* pointers) {
  if (pointers && pointers->ExceptionRecord && pointers->ContextRecord &&
      pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
    ReportAndEnd(*pointers);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

// Copies `text` into `into`, ending it; false when it does not fit.
template <std::size_t N>
bool Keep(wchar_t (&into)[N], std::wstring_view text) {
  if (text.size() >= N) return false;
  std::copy(text.begin(), text.end(), into);
  into[text.size()] = L'\0';
  return true;
}

// Each call keeps a page of the stack until there is none left.
int Deeper(volatile char* above) {
  volatile char page[4096];
  page[0] = above[0];
  page[1] = 0;
  if (page[0] == 0) return 0;  // never: the first page holds 1
  return Deeper(page) + page[1];
}

}  // namespace

void InstallCrashHandler() {
  PWSTR local = nullptr;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local))) {
    const std::wstring folder = std::wstring(local) + L"\\Vornish";
    const std::wstring name = CrashReportFileName(kStampPattern, ::GetCurrentProcessId());
    if (!Keep(crash.reportPath, folder + L"\\" + name) ||
        !Keep(crash.notesPath, folder + L"\\" + std::wstring(kCrashNotesFileName)) || !Keep(crash.folder, folder)) {
      crash.folder[0] = L'\0';
    }
    crash.stampAt = folder.size() + 1 + name.find(kStampPattern);
  }
  ::CoTaskMemFree(local);
  crash.reported.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  // Looked up now: not every SDK declares it for the systems the build targets.
  crash.stackLimits = reinterpret_cast<StackLimitsFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetCurrentThreadStackLimits")));
  ReserveCrashStack();
  ::SetUnhandledExceptionFilter(&OnUnhandledException);
  ::AddVectoredExceptionHandler(1, &OnStackOverflow);
}

std::wstring CrashNotesPath() { return crash.folder[0] != L'\0' ? std::wstring(crash.notesPath) : std::wstring(); }

void ReserveCrashStack() {
  ULONG size = kStackReserve;
  ::SetThreadStackGuarantee(&size);
}

ReadingFile::ReadingFile(std::wstring_view path) {
  const DWORD self = ::GetCurrentThreadId();
  for (int i = 0; i < kReadingSlots; ++i) {
    ReadingSlot& slot = crash.slots[i];
    DWORD free = 0;
    if (!slot.thread.compare_exchange_strong(free, self)) continue;
    const std::size_t length = std::min(path.size(), kLongestPath);
    std::copy_n(path.data(), length, slot.path);
    slot.length.store(length, std::memory_order_release);
    slot_ = i;
    return;
  }
}

ReadingFile::~ReadingFile() {
  if (slot_ < 0) return;
  ReadingSlot& slot = crash.slots[slot_];
  slot.length.store(0, std::memory_order_release);
  slot.thread.store(0, std::memory_order_release);
}

DWORD WINAPI OverflowStack(void*) {
  ReserveCrashStack();
  volatile char first[1] = {1};
  return static_cast<DWORD>(Deeper(first));
}

}  // namespace vornish::win32
