// Makes button faces on the system's thread pool, so that a source that takes
// long (a share that does not answer) delays only its own face, never the
// window. A face that is ready is posted to the button that asked for it.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "buttons/win32/ShellIcons.h"

namespace vornish::win32 {

// Posted to a button when its face is ready.
inline constexpr UINT kFaceReadyMessage = WM_APP + 11;

class IconLoader {
 public:
  // How a face is made; the shell's extraction unless a caller says otherwise.
  using Maker = std::function<FaceIcon(const ButtonRecord& record, int size)>;
  explicit IconLoader(Maker maker = {});
  ~IconLoader();
  IconLoader(const IconLoader&) = delete;
  IconLoader& operator=(const IconLoader&) = delete;

  // Asks for the face of `record` at `size` for the button `window`. Only the
  // face of its latest request is handed over.
  void Request(HWND window, const ButtonRecord& record, int size);
  // The latest face made for `window`, once it is ready.
  std::optional<FaceIcon> Take(HWND window);
  // The button `window` goes: what was asked for it is dropped.
  void Forget(HWND window);
  // Waits up to `timeout` until every face asked for is made; true then.
  bool WaitIdle(std::chrono::milliseconds timeout);

 private:
  struct Shared;
  struct Job;
  static void CALLBACK MakeFace(PTP_CALLBACK_INSTANCE instance, void* job);
  std::shared_ptr<Shared> shared_;
};

}  // namespace vornish::win32
