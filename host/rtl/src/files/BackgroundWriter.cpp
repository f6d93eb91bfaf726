#include "BackgroundWriter.h"

#include <utility>

namespace rtl {

namespace {
constexpr size_t kMaxQueuedBytes = size_t{16} << 20;
constexpr size_t kMaxSpareBuffers = 4;
// Each flush costs the disk a commit of its own: small batches are only
// written, and flushed together once this much has gathered.
constexpr size_t kFlushEvery = size_t{512} << 10;
}  // namespace

TBackgroundWriter::TBackgroundWriter(TWrite write, TFlush flush)
    : write_(std::move(write)), flush_(std::move(flush)), thread_([this] { Run(); }) {}

TBackgroundWriter::~TBackgroundWriter() { Stop(true); }

void TBackgroundWriter::Stop(bool dropQueued) {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    dropQueued_ = dropQueued_ || dropQueued;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

std::string TBackgroundWriter::Hand(std::string piece) {
  std::string next;
  {
    std::unique_lock lock(mutex_);
    drained_.wait(lock, [&] { return queuedBytes_ < kMaxQueuedBytes || error_ != 0; });
    queuedBytes_ += piece.size();
    queue_.push_back(std::move(piece));
    if (!spare_.empty()) {
      next = std::move(spare_.back());
      spare_.pop_back();
    }
  }
  wake_.notify_one();
  return next;
}

int TBackgroundWriter::Error() {
  std::lock_guard lock(mutex_);
  return error_;
}

int TBackgroundWriter::Finish() {
  Stop(false);
  return error_;  // the thread has ended
}

void TBackgroundWriter::Run() {
  std::unique_lock lock(mutex_);
  std::vector<std::string> batch;
  for (;;) {
    wake_.wait(lock, [&] { return !queue_.empty() || stopping_; });
    if (queue_.empty() || dropQueued_) return;
    batch.swap(queue_);
    queuedBytes_ = 0;
    const bool failed = error_ != 0;
    lock.unlock();
    drained_.notify_one();
    // After a failure nothing more is written; the pieces are only let go.
    int err = 0;
    for (const std::string& piece : batch) {
      if (failed || err != 0) break;
      err = write_(piece);
      unflushed_ += piece.size();
    }
    // Flushing what is written so far leaves the final flush only the tail.
    if (!failed && err == 0 && unflushed_ >= kFlushEvery) {
      err = flush_();
      unflushed_ = 0;
    }
    lock.lock();
    if (error_ == 0) error_ = err;
    for (std::string& piece : batch) {
      piece.clear();
      if (spare_.size() < kMaxSpareBuffers) spare_.push_back(std::move(piece));
    }
    batch.clear();
    if (error_ != 0) drained_.notify_one();
  }
}

}  // namespace rtl
