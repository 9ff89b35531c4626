// A long list run (city list, city history) on a worker thread, handing its results to
// the window in batches. The worker adds lines as the engine finds them; the window
// takes what has come every few dozen milliseconds and shows it in one go, so that it
// repaints, scrolls and reacts to Stop at all times, and a list of 100,000 lines is not
// added line by line. No toolkit: the window polls Take() from its own timer.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace varomintel {

class ListRun {
 public:
  // What has come since the last Take().
  struct Batch {
    std::vector<std::string> lines;    // the on-screen lines
    std::vector<std::string> records;  // the saved records, one per line
    std::optional<std::string> status;  // the newest status text, when it changed
    long long done = 0, total = 0;     // progress (bytes of a file, records of the catalogue)
    bool finished = false;             // the work has ended and this is the last batch
  };

  ListRun() = default;
  ~ListRun() { Wait(); }
  ListRun(const ListRun&) = delete;
  ListRun& operator=(const ListRun&) = delete;

  // Starts `work` on a worker thread; it reports through Add, SetStatus and SetProgress.
  // Precondition: !Active().
  void Start(std::function<void(ListRun&)> work);
  // Between Start and the Take() that returns the finished batch.
  bool Active() const { return active_; }
  // Waits for the worker to end (the caller has asked it to stop through the run's stop
  // flag); the pending batch stays for Take().
  void Wait();

  // Worker side.
  void Add(std::string line, std::string record);
  void SetStatus(std::string status);
  void SetProgress(long long done, long long total);

  // Window side: the pending batch; when the work has ended, the worker is joined and the
  // batch is marked finished.
  Batch Take();

 private:
  std::thread worker_;
  std::mutex mutex_;
  Batch pending_;
  std::atomic<bool> ended_{false};
  bool active_ = false;
};

}  // namespace varomintel
