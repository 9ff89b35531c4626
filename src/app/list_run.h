// A long list run (city list, city history) on a worker thread, handing its results to
// the window in batches. The worker adds lines as the engine finds them; the window
// takes what has come every few dozen milliseconds and shows it in one go, so that it
// repaints, scrolls and reacts to Stop at all times, and a list of 100,000 lines is not
// added line by line. No toolkit: the window polls Take() from its own timer.
//
// Each run has its own stop flag: stopping or starting one run never touches another.
// An exception that escapes the work ends the run, not the program: the lines added
// before it stay, and the last batch carries its message.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
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
    std::optional<std::string> failure;  // finished by an exception: what it said
  };

  ListRun() = default;
  ~ListRun() { Wait(); }
  ListRun(const ListRun&) = delete;
  ListRun& operator=(const ListRun&) = delete;

  // Starts `work` on a worker thread with this run's stop flag cleared; the work reports
  // through Add, SetStatus and SetProgress and hands StopFlag() to its engine. `ended`,
  // when given, is called on the worker thread as its last step, so that the window can
  // take the last batch at once instead of at its next poll (it must only post a message
  // to the window's thread). Precondition: !Active().
  void Start(std::function<void(ListRun&)> work, std::function<void()> ended = {});
  // Between Start and the Take() that returns the finished batch.
  bool Active() const { return active_; }
  // Asks this run's work to end after its current item (its engine tests the flag).
  void RequestStop() { stop_ = true; }
  // Waits for the worker to end (the caller has asked it to stop through RequestStop);
  // the pending batch stays for Take().
  void Wait();

  // Worker side.
  const std::atomic<bool>& StopFlag() const { return stop_; }
  void Add(std::string line, std::string record);
  // A block's lines and records at once: line, '\n', record, '\n', and so on.
  void AddPairs(std::string_view pairs);
  void SetStatus(std::string status);
  void SetProgress(long long done, long long total);

  // Window side: the pending batch; when the work has ended, the worker is joined and the
  // batch is marked finished.
  Batch Take();

 private:
  std::thread worker_;
  std::mutex mutex_;
  Batch pending_;
  std::exception_ptr failure_;  // written by the worker before ended_, read after the join
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  bool active_ = false;
};

}  // namespace varomintel
