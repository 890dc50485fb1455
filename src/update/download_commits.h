// Downloads put in their destination's place on worker threads: each
// file's data is flushed and then it replaces the old copy while the next
// file downloads, and the flushes of several files share the disk's
// journal commits.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "access/ftp/ftp_download_file.h"

namespace kelvo {

// What became of one commit: the row it was handed for, and the message
// of its failure (the old copy kept).
struct DownloadCommit {
  std::size_t row = 0;
  std::optional<std::string> error;
};

class DownloadCommits {
 public:
  DownloadCommits() = default;
  // Waits for the commits under way; those not begun yet are dropped, their
  // temporary files removed and their old copies kept.
  ~DownloadCommits();
  DownloadCommits(const DownloadCommits&) = delete;
  DownloadCommits& operator=(const DownloadCommits&) = delete;

  // Commits FILE for ROW on a worker, then runs AFTER there (when the
  // commit succeeded). Waits while too many files are waiting already, so
  // that open files stay few.
  void add(std::size_t row, std::unique_ptr<FtpDownloadFile> file, std::function<void()> after);
  // Returns the commits finished since the last call, in no set order.
  std::vector<DownloadCommit> takeFinished();
  // Waits until every commit handed over is finished and returns those not
  // taken yet.
  std::vector<DownloadCommit> finish();

 private:
  struct Job {
    std::size_t row;
    std::unique_ptr<FtpDownloadFile> file;
    std::function<void()> after;
  };
  void work();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> waiting_;
  std::size_t running_ = 0;
  std::vector<DownloadCommit> finished_;
  bool closing_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace kelvo
