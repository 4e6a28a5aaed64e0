#include "buttons/win32/IconLoader.h"

#include <condition_variable>
#include <map>
#include <mutex>

#include "buttons/Launch.h"
#include "core/win32/Com.h"
#include "core/win32/WinFileSystem.h"
#include "core/win32/Trace.h"

namespace vornish::win32 {

// Lives as long as the loader or a face still being made, whichever is
// longer: a face made after its window has gone is dropped here.
struct IconLoader::Shared {
  Maker maker;
  std::mutex mutex;
  std::condition_variable idle;
  int pending = 0;
  std::map<HWND, std::uint64_t> latest;  // the newest request of each button
  std::map<HWND, FaceIcon> ready;
};

struct IconLoader::Job {
  std::shared_ptr<Shared> shared;
  HWND window;
  std::uint64_t generation;
  ButtonRecord record;
  int size;
};

void CALLBACK IconLoader::MakeFace(PTP_CALLBACK_INSTANCE, void* context) {
  const std::unique_ptr<Job> job(static_cast<Job*>(context));
  Shared& shared = *job->shared;
  FaceIcon face;
  try {
    // Shell extensions that make icons need COM on their thread.
    const ComScope com;
    face = shared.maker(job->record, job->size);
    // Learnt here rather than on the window's thread: a share may not answer.
    face.missing = TargetMissing(job->record, WinFileSystem());
  } catch (...) {
    // No face: the button shows its colour only.
    TraceException(L"making a button's face");
  }
  bool post = false;
  {
    const std::lock_guard lock(shared.mutex);
    const auto it = shared.latest.find(job->window);
    if (it != shared.latest.end() && it->second == job->generation) {
      shared.ready[job->window] = std::move(face);
      post = true;
    }
  }
  // Posted before the job counts as done: whoever waited for the faces finds
  // their messages in the queue.
  if (post) ::PostMessageW(job->window, kFaceReadyMessage, 0, 0);
  {
    const std::lock_guard lock(shared.mutex);
    --shared.pending;
  }
  shared.idle.notify_all();
}

IconLoader::IconLoader(Maker maker) : shared_(std::make_shared<Shared>()) {
  shared_->maker = maker ? std::move(maker) : [](const ButtonRecord& record, int size) {
    return MakeFaceIcon(record, size, ::GetModuleHandleW(nullptr));
  };
}

IconLoader::~IconLoader() {
  const std::lock_guard lock(shared_->mutex);
  shared_->latest.clear();  // faces still being made are dropped
}

void IconLoader::Request(HWND window, const ButtonRecord& record, int size) {
  std::uint64_t generation = 0;
  {
    const std::lock_guard lock(shared_->mutex);
    generation = ++shared_->latest[window];
    shared_->ready.erase(window);
    ++shared_->pending;
  }
  auto job = std::make_unique<Job>(Job{shared_, window, generation, record, size});
  if (::TrySubmitThreadpoolCallback(MakeFace, job.get(), nullptr)) {
    job.release();
    return;
  }
  MakeFace(nullptr, job.release());  // no pool: made here, at once
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
}

bool IconLoader::WaitIdle(std::chrono::milliseconds timeout) {
  std::unique_lock lock(shared_->mutex);
  return shared_->idle.wait_for(lock, timeout, [&] { return shared_->pending == 0; });
}

}  // namespace vornish::win32
