// Memory inside another process, for messages that carry pointers (tooltip
// and list-view requests, WM_DROPFILES): Windows copies only the standard
// text messages between processes, so for the others the pointer must be
// valid in the receiver. Both sides are 64-bit, so structures have the same
// layout on either side.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "harness/Handles.h"

namespace vornish::e2e {

// A process handle that allows reading and writing its memory.
UniqueHandle OpenProcessMemory(DWORD processId);

class RemoteBuffer {
 public:
  // Committed read/write pages of at least `size` bytes in `process`, which
  // must have been opened with OpenProcessMemory (the handle is borrowed).
  RemoteBuffer(HANDLE process, std::size_t size);
  RemoteBuffer(RemoteBuffer&& other) noexcept;
  RemoteBuffer& operator=(RemoteBuffer&&) = delete;
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();

  // The address as the other process sees it.
  void* Address() const noexcept { return address_; }
  LPARAM AsLParam(std::size_t offset = 0) const noexcept {
    return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
  }
  std::size_t Size() const noexcept { return size_; }

  void Write(const void* data, std::size_t size, std::size_t offset = 0);
  void Read(void* data, std::size_t size, std::size_t offset = 0) const;

  template <class T>
  void WriteValue(const T& value, std::size_t offset = 0) {
    Write(&value, sizeof value, offset);
  }
  template <class T>
  T ReadValue(std::size_t offset = 0) const {
    T value{};
    Read(&value, sizeof value, offset);
    return value;
  }
  // A null-terminated wide string of at most `maxChars` characters.
  std::wstring ReadText(std::size_t offset, std::size_t maxChars) const;

 private:
  HANDLE process_;
  void* address_;
  std::size_t size_;
};

// Drops `files` onto `target` at client point `where`, as Explorer does with
// WM_DROPFILES, for a window that called DragAcceptFiles. The returned buffer
// holds the DROPFILES block: keep it alive until the target has handled the
// message (wait for its effect), since the message is posted. The target's
// DragFinish cannot free it (it is no global memory handle; Wine ignores the
// request), so the buffer does.
RemoteBuffer DropFiles(HANDLE process, HWND target, const std::vector<std::wstring>& files, POINT where);

}  // namespace vornish::e2e
