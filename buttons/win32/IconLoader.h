// Makes button faces on a few threads of its own, so that a source that takes
// long (a share that does not answer) delays only its own face, never the
// window. A face that is ready is posted to the button that asked for it.
//
// At most kMostWorkers threads, each with its COM apartment for its life,
// started when faces are asked for and ended when there has been nothing to
// do for a while. One file a volume is read at a time (a local fixed disk's
// files side by side): a share that does not answer ties up one thread,
// while the other volumes go on. Every request
// takes a number from one counter; a face is handed over only when it answers
// its button's latest request, so nothing reaches a button that went (or a
// new window that was given its handle), and a face made for an earlier
// request (an earlier icon size or DPI) is dropped. Requests not started yet
// are cancelled outright.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "buttons/FaceCache.h"
#include "buttons/win32/ShellIcons.h"

namespace vornish::win32 {

// Posted to a button when its face is ready.
inline constexpr UINT kFaceReadyMessage = WM_APP + 11;

class IconLoader {
 public:
  static constexpr int kMostWorkers = 3;

  // How a face is made; the shell's extraction unless a caller says otherwise.
  using Maker = std::function<FaceIcon(const ButtonRecord& record, int size)>;
  explicit IconLoader(Maker maker = {});
  // Cancels what has not started and waits a moment for the workers to end;
  // faces still being made are dropped when done, on their own threads.
  ~IconLoader();
  IconLoader(const IconLoader&) = delete;
  IconLoader& operator=(const IconLoader&) = delete;

  // Asks for the face of `record` at `size` for the button `window`. Only the
  // face of its latest request is handed over. A face made ahead for the same
  // icon and size is taken instead of making another.
  void Request(HWND window, const ButtonRecord& record, int size);
  // Makes the face of `record` at `size` before its button exists, for a
  // later Request: at once on this thread when it is read from a local fixed
  // disk and the faces made so have taken less than a moment in all, else on
  // a worker (while the window is being made).
  void MakeAhead(const ButtonRecord& record, int size);
  // Faces made ahead that no request took are dropped.
  void DropAhead();
  // The faces of the last start, kept at `path`, stand in for the faces made
  // ahead on this thread that they answer (FaceCache.h).
  void ReadCache(std::wstring path);
  // Keeps the faces made ahead on this thread at the cache's path for the
  // next start, unless they are the ones read; lets go of both.
  void SaveCache();
  // The latest face made for `window`, once it is ready.
  std::optional<FaceIcon> Take(HWND window);
  // The button `window` goes: what was asked for it is dropped.
  void Forget(HWND window);
  // Waits up to `timeout` until every face asked for is made; true then.
  bool WaitIdle(std::chrono::milliseconds timeout);

 private:
  struct Shared;
  struct Job;
  struct Ahead;
  // Queues `job` and wakes or starts a worker for it (the caller holds `lock`).
  void Queue(std::unique_lock<std::mutex>& lock, Job next);
  static void Work(const std::shared_ptr<Shared>& shared);
  // Makes `job`'s face, then hands it over.
  static void Make(Shared& shared, Job& job);
  static FaceIcon Made(Shared& shared, const Job& job);
  static void Deliver(Shared& shared, Job& job, FaceIcon face);
  // The face of a job made ahead on this thread: from the cache, or made.
  FaceIcon MadeHere(const Job& job);
  std::shared_ptr<Shared> shared_;
  std::chrono::steady_clock::duration madeHere_{};  // by MakeAhead on this thread
  std::wstring cachePath_;
  std::vector<CachedFace> cacheRead_;   // the last start's faces
  std::vector<CachedFace> cacheMade_;   // this start's, from the cache or made
  bool cacheChanged_ = false;           // a face was made that the cache did not hold
};

}  // namespace vornish::win32
