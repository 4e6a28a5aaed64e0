#include "core/win32/CrashHandler.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <string>

#include "core/CrashReport.h"
#include "core/Text.h"
#include "core/win32/Handles.h"
#include "core/win32/SharedRoutines.h"
#include "version.h"

namespace vornish::win32 {

namespace {

constexpr int kMostFrames = 48;

CrashFrame FrameAt(std::uint64_t address) {
  CrashFrame frame{address, L"", 0};
  HMODULE module = nullptr;
  if (address != 0 &&
      ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(address)), &module)) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    const std::wstring full(path, length);
    frame.module = full.substr(full.find_last_of(L"\\/") + 1);
    frame.moduleBase = reinterpret_cast<std::uintptr_t>(module);
  }
  return frame;
}

// The return addresses from the faulting frame outwards, unwound with the
// tables every x64 module carries.
std::vector<CrashFrame> ReturnAddresses(const CONTEXT& fault) {
  std::vector<CrashFrame> frames;
#if defined(_M_X64) || defined(__x86_64__)
  CONTEXT context = fault;
  for (int i = 0; i < kMostFrames && context.Rip != 0; ++i) {
    DWORD64 imageBase = 0;
    const PRUNTIME_FUNCTION function = ::RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
    if (function) {
      PVOID handlerData = nullptr;
      DWORD64 establisher = 0;
      ::RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData, &establisher,
                         nullptr);
    } else {
      // A leaf function: the return address is on top of the stack.
      if (context.Rsp == 0) break;
      context.Rip = *reinterpret_cast<const DWORD64*>(context.Rsp);
      context.Rsp += 8;
    }
    if (context.Rip != 0) frames.push_back(FrameAt(context.Rip));
  }
#else
  (void)fault;
#endif
  return frames;
}

std::wstring TwoDigits(WORD value) { return (value < 10 ? L"0" : L"") + ToDecimal(value); }

// %LOCALAPPDATA%\Vornish, made when missing; empty when unknown.
std::wstring ReportFolder() {
  PWSTR local = nullptr;
  std::wstring folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &local))) {
    folder = std::wstring(local) + L"\\Vornish";
  }
  ::CoTaskMemFree(local);
  if (!folder.empty()) ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// Where the report went; empty when it could not be written.
std::wstring WriteReport(const EXCEPTION_POINTERS& pointers) {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  CrashInfo info;
  info.code = pointers.ExceptionRecord->ExceptionCode;
  info.where = FrameAt(reinterpret_cast<std::uintptr_t>(pointers.ExceptionRecord->ExceptionAddress));
  info.stack = ReturnAddresses(*pointers.ContextRecord);
  info.version = Widen(VORNISH_VERSION_TEXT);
  info.commit = Widen(VORNISH_COMMIT);
  info.time = ToDecimal(now.wYear) + L"-" + TwoDigits(now.wMonth) + L"-" + TwoDigits(now.wDay) + L" " +
              TwoDigits(now.wHour) + L":" + TwoDigits(now.wMinute) + L":" + TwoDigits(now.wSecond);
  info.processId = ::GetCurrentProcessId();
  const std::string text = CrashReportText(info);

  const std::wstring folder = ReportFolder();
  if (folder.empty()) return {};
  const std::wstring stamp = ToDecimal(now.wYear) + TwoDigits(now.wMonth) + TwoDigits(now.wDay) + L"-" +
                             TwoDigits(now.wHour) + TwoDigits(now.wMinute) + TwoDigits(now.wSecond);
  const std::wstring path = folder + L"\\" + CrashReportFileName(stamp, info.processId);
  const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
  DWORD written = 0;
  if (!file || !::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
      written != text.size()) {
    return {};
  }
  return path;
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
  // A second failure (another thread, or this handler itself) ends at once.
  // The one flag of the process's own: nothing else may be trusted now.
  static std::atomic<bool> entered{false};
  if (entered.exchange(true) || !pointers) return EXCEPTION_EXECUTE_HANDLER;
  std::wstring path;
  try {
    path = WriteReport(*pointers);
  } catch (...) {
    // No report: the message says so, with no path to name.
  }
  ShowMessage(nullptr, CrashMessage(path));
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallCrashHandler() { ::SetUnhandledExceptionFilter(&OnUnhandledException); }

}  // namespace vornish::win32
