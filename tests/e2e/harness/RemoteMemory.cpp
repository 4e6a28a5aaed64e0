#include "harness/RemoteMemory.h"

#include <shlobj.h>

#include <utility>

#include "harness/Errors.h"

namespace vornish::e2e {

UniqueHandle OpenProcessMemory(DWORD processId) {
  UniqueHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                       PROCESS_QUERY_INFORMATION | SYNCHRONIZE,
                                   FALSE, processId));
  if (!process) ThrowLastError("OpenProcess for memory access");
  return process;
}

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {
  if (address_ == nullptr) ThrowLastError("VirtualAllocEx");
}

RemoteBuffer::RemoteBuffer(RemoteBuffer&& other) noexcept
    : process_(other.process_), address_(std::exchange(other.address_, nullptr)), size_(other.size_) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

void RemoteBuffer::Write(const void* data, std::size_t size, std::size_t offset) {
  if (offset + size > size_) throw std::out_of_range("RemoteBuffer::Write past the end");
  SIZE_T written = 0;
  if (!WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &written) ||
      written != size) {
    ThrowLastError("WriteProcessMemory");
  }
}

void RemoteBuffer::Read(void* data, std::size_t size, std::size_t offset) const {
  if (offset + size > size_) throw std::out_of_range("RemoteBuffer::Read past the end");
  SIZE_T read = 0;
  if (!ReadProcessMemory(process_, static_cast<const char*>(address_) + offset, data, size, &read) ||
      read != size) {
    ThrowLastError("ReadProcessMemory");
  }
}

std::wstring RemoteBuffer::ReadText(std::size_t offset, std::size_t maxChars) const {
  std::wstring text(maxChars, L'\0');
  Read(text.data(), maxChars * sizeof(wchar_t), offset);
  text.resize(text.find(L'\0') == std::wstring::npos ? maxChars : text.find(L'\0'));
  return text;
}

RemoteBuffer DropFiles(HANDLE process, HWND target, const std::vector<std::wstring>& files, POINT where) {
  // DROPFILES, then each name with its null, then one more null.
  std::wstring names;
  for (const auto& file : files) names += file + L'\0';
  names += L'\0';
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.pt = where;
  header.fNC = FALSE;
  header.fWide = TRUE;

  RemoteBuffer block(process, sizeof header + names.size() * sizeof(wchar_t));
  block.WriteValue(header);
  block.Write(names.data(), names.size() * sizeof(wchar_t), sizeof header);
  if (!PostMessageW(target, WM_DROPFILES, static_cast<WPARAM>(block.AsLParam()), 0)) {
    ThrowLastError("posting WM_DROPFILES");
  }
  return block;
}

}  // namespace vornish::e2e
