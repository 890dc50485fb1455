// Commits of finished downloads on a few worker threads.
#include "update/download_commits.h"

#include <exception>
#include <system_error>

namespace kelvo {

namespace {

// Flushes mostly wait for the disk; a few at once let it write them in one
// go, and more than a few gain nothing.
constexpr std::size_t kWorkers = 4;
// Finished downloads that may wait for a worker, each holding its file open.
constexpr std::size_t kWaiting = 16;

}  // namespace

DownloadCommits::~DownloadCommits() {
  std::deque<Job> dropped;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
    dropped.swap(waiting_);
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void DownloadCommits::add(std::size_t row, std::unique_ptr<FtpDownloadFile> file,
                          std::function<void()> after) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return waiting_.size() < kWaiting; });
  // One more worker while every one has its commit; a system that gives no
  // thread at all fails the download, its file removed.
  if (workers_.size() < kWorkers && workers_.size() <= waiting_.size() + running_) {
    try {
      workers_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      if (workers_.empty()) throw;
    }
  }
  waiting_.push_back({row, std::move(file), std::move(after)});
  lock.unlock();
  changed_.notify_all();
}

std::vector<DownloadCommit> DownloadCommits::takeFinished() {
  std::vector<DownloadCommit> taken;
  const std::lock_guard<std::mutex> lock(mutex_);
  taken.swap(finished_);
  return taken;
}

std::vector<DownloadCommit> DownloadCommits::finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return waiting_.empty() && running_ == 0; });
  std::vector<DownloadCommit> taken;
  taken.swap(finished_);
  return taken;
}

void DownloadCommits::work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
    if (waiting_.empty()) return;
    Job job = std::move(waiting_.front());
    waiting_.pop_front();
    ++running_;
    lock.unlock();
    changed_.notify_all();
    DownloadCommit done{job.row, std::nullopt};
    try {
      job.file->commit();
      if (job.after) job.after();
    } catch (const std::exception& e) {
      done.error = e.what();
    }
    job.file.reset();  // a failed commit's temporary file goes at once
    lock.lock();
    --running_;
    finished_.push_back(std::move(done));
    changed_.notify_all();
  }
}

}  // namespace kelvo
