#include "FileReleaser.h"

#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace rtl {

namespace {

class TFileReleaser {
 public:
  ~TFileReleaser() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
  }

  void Release(int fd) {
    {
      std::lock_guard lock(mutex_);
      if (stopping_) {
        ::close(fd);
        return;
      }
      queue_.push_back(fd);
      if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
  }

 private:
  void Run() {
    std::unique_lock lock(mutex_);
    std::vector<int> batch;
    for (;;) {
      wake_.wait(lock, [&] { return !queue_.empty() || stopping_; });
      if (queue_.empty()) return;  // stopping, nothing left
      batch.swap(queue_);
      lock.unlock();
      for (int fd : batch) ::close(fd);
      batch.clear();
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<int> queue_;
  bool stopping_ = false;
  std::thread thread_;
};

TFileReleaser& Releaser() {
  static TFileReleaser releaser;
  return releaser;
}

}  // namespace

void ReleaseFileLater(int fd) { Releaser().Release(fd); }

}  // namespace rtl
