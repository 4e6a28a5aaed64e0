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
// How long the faces made ahead may take on the caller's thread in all.
constexpr auto kMadeHereAtMost = std::chrono::milliseconds(100);
// How long the loader waits, when it goes, for a worker still reading.
constexpr auto kWorkersEnd = std::chrono::seconds(2);
}  // namespace

// A face made before its button exists: handed to the request that claims
// it, at once when it is made already, else when it is.
struct IconLoader::Ahead {
  ButtonRecord record;
  int size = 0;
  std::optional<FaceIcon> face;  // made and not yet claimed
  HWND claimedBy = nullptr;
  std::uint64_t number = 0;  // the claiming request's
  bool done = false;
  bool dropped = false;  // no request took it in time: dropped once made
  bool Answers(const ButtonRecord& r, int s) const {
    return !claimedBy && !dropped && size == s && record.Icon == r.Icon && record.File == r.File && record.IconNo == r.IconNo;
  }
};

struct IconLoader::Job {
  HWND window;  // none for a face made ahead
  std::uint64_t number;
  ButtonRecord record;
  int size;
  std::wstring volume;  // where the icon is read from
  std::list<Ahead>::iterator ahead{};
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
  std::list<Ahead> ahead;
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

void IconLoader::Make(Shared& shared, Job& job) { Deliver(shared, job, Made(shared, job)); }

FaceIcon IconLoader::Made(Shared& shared, const Job& job) {
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
  return face;
}

void IconLoader::Deliver(Shared& shared, Job& job, FaceIcon face) {
  HWND post = nullptr;
  {
    const std::lock_guard lock(shared.mutex);
    HWND window = job.window;
    std::uint64_t number = job.number;
    if (!window) {
      // Made ahead: kept until a request claims it, or handed to the one that has.
      window = job.ahead->claimedBy;
      number = job.ahead->number;
      if (!window && !job.ahead->dropped) {
        job.ahead->face = std::move(face);
        job.ahead->done = true;
      } else {
        shared.ahead.erase(job.ahead);
      }
    }
    const auto it = window ? shared.latest.find(window) : shared.latest.end();
    if (it != shared.latest.end() && it->second == number) {
      shared.ready[window] = std::move(face);
      post = window;
    }
  }
  // Posted before the job counts as done: whoever waited for the faces finds
  // their messages in the queue.
  if (post) ::PostMessageW(post, kFaceReadyMessage, 0, 0);
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
  for (auto it = s.ahead.begin(); it != s.ahead.end(); ++it) {
    if (!it->Answers(record, size)) continue;
    if (!it->done) {
      it->claimedBy = window;
      it->number = number;
      return;
    }
    s.ready[window] = std::move(*it->face);
    s.ahead.erase(it);
    lock.unlock();
    ::PostMessageW(window, kFaceReadyMessage, 0, 0);
    return;
  }
  Queue(lock, Job{window, number, record, size, s.OneAtATime(VolumeOf(IconSourceOf(record)))});
}

void IconLoader::MakeAhead(const ButtonRecord& record, int size) {
  std::unique_lock lock(shared_->mutex);
  Shared& s = *shared_;
  const auto ahead = s.ahead.emplace(s.ahead.end());
  ahead->record = record;
  ahead->size = size;
  Job job{nullptr, 0, record, size, s.OneAtATime(VolumeOf(IconSourceOf(record))), ahead};
  // A face read from a program or icon file on a local fixed disk is made
  // here and now while the time allowed for it lasts: at start a thread
  // costs more than a face (and under Wine a thread's memory outlives it).
  // A share that may not answer, a link or document whose shell handler may
  // wait for one, and the rest of a long strip go to the workers.
  if (!job.volume.empty() || !IconReadFromFileItself(IconSourceOf(record)) || madeHere_ >= kMadeHereAtMost) {
    Queue(lock, std::move(job));
    return;
  }
  ++s.pending;
  lock.unlock();
  const auto start = std::chrono::steady_clock::now();
  Deliver(s, job, MadeHere(job));
  madeHere_ += std::chrono::steady_clock::now() - start;
}

namespace {

std::optional<FileStamp> StampOf(std::wstring_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(ExtendedPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return FileStamp{(std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime,
                   (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow};
}

}  // namespace

FaceIcon IconLoader::MadeHere(const Job& job) {
  const std::optional<FileStamp> stamp =
      cachePath_.empty() ? std::nullopt : StampOf(IconSourceOf(job.record));
  if (!stamp) return Made(*shared_, job);
  const auto cached = std::find_if(cacheRead_.begin(), cacheRead_.end(),
                                   [&](const CachedFace& face) { return face.Answers(job.record, job.size, *stamp); });
  const auto keep = [&](CachedFace face) {
    const bool kept = std::any_of(cacheMade_.begin(), cacheMade_.end(), [&](const CachedFace& f) {
      return f.Answers(job.record, job.size, *stamp);
    });
    if (!kept) cacheMade_.push_back(std::move(face));
  };
  if (cached != cacheRead_.end()) {
    keep(*cached);
    return FaceIcon{IconImage::FromPixels(cached->size, cached->pixels), cached->resetIconNo,
                    TargetMissing(job.record, WinFileSystem()), true};
  }
  FaceIcon face = Made(*shared_, job);
  if (face.fromFile && !face.image.empty()) {
    keep(CachedFace{job.record.Icon, job.record.File, job.record.IconNo, job.size, *stamp, face.resetIconNo,
                    face.image.pixels()});
    cacheChanged_ = true;
  }
  return face;
}

void IconLoader::ReadCache(std::wstring path) {
  cachePath_ = std::move(path);
  std::string bytes;
  if (!cachePath_.empty() && WinFileSystem().ReadAll(cachePath_, bytes).ok()) cacheRead_ = FacesFromCache(bytes);
}

void IconLoader::SaveCache() {
  if (!cachePath_.empty() && (cacheChanged_ || cacheMade_.size() != cacheRead_.size())) {
    // The folder is made on first use; a cache that cannot be written is only
    // a slower next start.
    ::CreateDirectoryW(GetFolder(cachePath_, L"").c_str(), nullptr);
    WinFileSystem().ReplaceContents(cachePath_, FaceCacheBytes(cacheMade_));
  }
  cacheRead_ = {};
  cacheMade_ = {};
  cacheChanged_ = false;
}

void IconLoader::DropAhead() {
  const std::lock_guard lock(shared_->mutex);
  Shared& s = *shared_;
  // Those still queued go with their jobs; one being made goes once made.
  s.pending -= static_cast<int>(std::erase_if(s.queue, [&](const Job& job) {
    if (job.window || job.ahead->claimedBy) return false;
    s.ahead.erase(job.ahead);
    return true;
  }));
  std::erase_if(s.ahead, [](const Ahead& a) { return a.done; });
  for (Ahead& a : s.ahead) a.dropped = !a.claimedBy;
}

void IconLoader::Queue(std::unique_lock<std::mutex>& lock, Job next) {
  Shared& s = *shared_;
  s.queue.push_back(std::move(next));
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
