#include "buttons/win32/IconLoader.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "buttons/IconChoice.h"
#include "buttons/Launch.h"
#include "core/Paths.h"
#include "core/win32/Com.h"
#include "core/win32/CrashHandler.h"
#include "core/win32/Trace.h"
#include "core/win32/WinFileSystem.h"

namespace vornish::win32 {

namespace {
// A worker with nothing to do for this long ends; the next request starts one.
constexpr auto kIdleEnd = std::chrono::seconds(1);
// How long the loader waits, when it goes, for a worker still reading.
constexpr auto kWorkersEnd = std::chrono::seconds(2);
}  // namespace

struct IconLoader::Job {
  HWND window;
  std::uint64_t number;
  ButtonRecord record;
  int size;
  std::wstring volume;  // where the icon is read from
};

// Lives as long as the loader or a worker, whichever is longer: a face made
// after the loader has gone is dropped here.
struct IconLoader::Shared {
  Maker maker;
  std::mutex mutex;
  std::condition_variable wake;  // a job that can start, or the loader gone
  std::condition_variable idle;  // a job done, or a worker ended
  std::deque<Job> queue;
  std::uint64_t requests = 0;             // the counter every request takes its number from
  std::map<HWND, std::uint64_t> latest;   // the number of each button's latest request
  std::map<HWND, FaceIcon> ready;
  std::vector<std::wstring> reading;      // the volumes workers read from now
  std::map<std::wstring, bool> fixed;     // whether a drive is a local fixed disk
  int workers = 0;
  int waiting = 0;  // workers with nothing to do
  int pending = 0;  // jobs queued or being made
  bool closing = false;

  // The first queued job whose volume no worker reads from now.
  std::deque<Job>::iterator Startable() {
    return std::find_if(queue.begin(), queue.end(), [&](const Job& job) {
      return job.volume.empty() || std::find(reading.begin(), reading.end(), job.volume) == reading.end();
    });
  }
  // The volume whose files are read one at a time: a local fixed disk always
  // answers, so its files are read side by side (none for it); a share, a
  // network or a removable drive may not.
  std::wstring OneAtATime(std::wstring volume) {
    if (volume.size() != 2 || volume[1] != L':') return volume;
    auto known = fixed.find(volume);
    if (known == fixed.end()) {
      known = fixed.emplace(volume, ::GetDriveTypeW((volume + L"\\").c_str()) == DRIVE_FIXED).first;
    }
    return known->second ? std::wstring() : volume;
  }
  // Drops the queued jobs of `window`.
  void Cancel(HWND window) {
    pending -= static_cast<int>(std::erase_if(queue, [&](const Job& job) { return job.window == window; }));
  }
};

void IconLoader::Make(Shared& shared, Job& job) {
  FaceIcon face;
  try {
    // Should the system's reader fault on this file, the next start leaves
    // it alone.
    const ReadingFile reading(IconSourceOf(job.record));
    face = shared.maker(job.record, job.size);
    // Learnt here rather than on the window's thread: a share may not answer.
    face.missing = TargetMissing(job.record, WinFileSystem());
  } catch (...) {
    // No face: the button shows its colour only.
    TraceException(L"making a button's face");
  }
  bool post = false;
  {
    const std::lock_guard lock(shared.mutex);
    const auto it = shared.latest.find(job.window);
    if (it != shared.latest.end() && it->second == job.number) {
      shared.ready[job.window] = std::move(face);
      post = true;
    }
  }
  // Posted before the job counts as done: whoever waited for the faces finds
  // their messages in the queue.
  if (post) ::PostMessageW(job.window, kFaceReadyMessage, 0, 0);
  {
    const std::lock_guard lock(shared.mutex);
    --shared.pending;
  }
  shared.idle.notify_all();
}

void IconLoader::Work(const std::shared_ptr<Shared>& shared) {
  ReserveCrashStack();
  Shared& s = *shared;
  {
    // Shell extensions that make icons need COM on their thread.
    const ComScope com;
    std::unique_lock lock(s.mutex);
    while (!s.closing) {
      auto next = s.Startable();
      if (next == s.queue.end()) {
        ++s.waiting;
        const bool woken =
            s.wake.wait_for(lock, kIdleEnd, [&] { return s.closing || s.Startable() != s.queue.end(); });
        --s.waiting;
        if (!woken) break;
        continue;
      }
      Job job = std::move(*next);
      s.queue.erase(next);
      s.reading.push_back(job.volume);
      lock.unlock();
      Make(s, job);
      lock.lock();
      s.reading.erase(std::find(s.reading.begin(), s.reading.end(), job.volume));
      // Jobs of that volume may start now.
      s.wake.notify_all();
    }
  }
  // Counted out only once its apartment has gone (see ~IconLoader).
  {
    const std::lock_guard lock(s.mutex);
    --s.workers;
  }
  s.idle.notify_all();
}

IconLoader::IconLoader(Maker maker) : shared_(std::make_shared<Shared>()) {
  shared_->maker = maker ? std::move(maker) : [](const ButtonRecord& record, int size) {
    return MakeFaceIcon(record, size, ::GetModuleHandleW(nullptr));
  };
}

IconLoader::~IconLoader() {
  std::unique_lock lock(shared_->mutex);
  shared_->closing = true;
  shared_->pending -= static_cast<int>(shared_->queue.size());
  shared_->queue.clear();
  shared_->latest.clear();  // faces still being made are dropped
  shared_->wake.notify_all();
  // The workers end, their COM apartments with them, before the loader goes:
  // none may be tearing one down while the process ends (under Wine that can
  // hang the exit). One that a share keeps from answering is not waited for
  // long.
  shared_->idle.wait_for(lock, kWorkersEnd, [&] { return shared_->workers == 0; });
}

void IconLoader::Request(HWND window, const ButtonRecord& record, int size) {
  std::unique_lock lock(shared_->mutex);
  Shared& s = *shared_;
  const std::uint64_t number = ++s.requests;
  s.latest[window] = number;
  s.ready.erase(window);
  s.Cancel(window);
  s.queue.push_back(Job{window, number, record, size, s.OneAtATime(VolumeOf(IconSourceOf(record)))});
  ++s.pending;
  if (s.waiting > 0 || s.workers >= kMostWorkers) {
    s.wake.notify_all();
    return;
  }
  ++s.workers;
  try {
    std::thread(&IconLoader::Work, shared_).detach();
  } catch (const std::system_error&) {
    // No thread to be had: made here, at once, when no worker will.
    if (--s.workers > 0) return;
    Job job = std::move(s.queue.back());
    s.queue.pop_back();
    lock.unlock();
    Make(s, job);
  }
}

std::optional<FaceIcon> IconLoader::Take(HWND window) {
  const std::lock_guard lock(shared_->mutex);
  const auto it = shared_->ready.find(window);
  if (it == shared_->ready.end()) return std::nullopt;
  FaceIcon face = std::move(it->second);
  shared_->ready.erase(it);
  return face;
}

void IconLoader::Forget(HWND window) {
  const std::lock_guard lock(shared_->mutex);
  shared_->latest.erase(window);
  shared_->ready.erase(window);
  shared_->Cancel(window);
}

bool IconLoader::WaitIdle(std::chrono::milliseconds timeout) {
  std::unique_lock lock(shared_->mutex);
  return shared_->idle.wait_for(lock, timeout, [&] { return shared_->pending == 0; });
}

}  // namespace vornish::win32
