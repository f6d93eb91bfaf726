#pragma once
// Writes pieces of a file and flushes them to disk on a thread of its own,
// so that making the next piece and the disk's work on the last overlap.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace rtl {

class TBackgroundWriter {
 public:
  // Both return 0 or an errno: `write` writes one piece, `flush` makes what
  // is written durable.
  using TWrite = std::function<int(std::string_view)>;
  using TFlush = std::function<int()>;

  TBackgroundWriter(TWrite write, TFlush flush);
  // Stops after the batch at hand; pieces not yet written are dropped.
  ~TBackgroundWriter();
  TBackgroundWriter(const TBackgroundWriter&) = delete;
  TBackgroundWriter& operator=(const TBackgroundWriter&) = delete;

  // Queues `piece` and gives back an empty buffer to fill next. Waits while
  // much is queued, so a slow disk holds the maker back instead of memory
  // filling up.
  std::string Hand(std::string piece);
  // The errno of the first failed write or flush, or 0.
  int Error();
  // Waits until every piece is written and flushed; the first errno or 0.
  int Finish();

 private:
  void Run();
  void Stop(bool dropQueued);

  const TWrite write_;
  const TFlush flush_;
  std::mutex mutex_;
  std::condition_variable wake_;     // pieces queued, or stop
  std::condition_variable drained_;  // room in the queue
  std::vector<std::string> queue_;
  std::vector<std::string> spare_;  // written buffers, kept for reuse
  size_t queuedBytes_ = 0;
  size_t unflushed_ = 0;  // written since the last flush; the writer's thread only
  bool stopping_ = false;
  bool dropQueued_ = false;
  int error_ = 0;
  std::thread thread_;  // last: starts once the members it uses exist
};

}  // namespace rtl
