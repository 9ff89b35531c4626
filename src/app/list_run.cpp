#include "app/list_run.h"

#include <exception>
#include <utility>

namespace varomintel {

namespace {

std::string Message(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an exception of unknown type";
  }
}

}  // namespace

void ListRun::Start(std::function<void(ListRun&)> work, std::function<void()> ended) {
  Wait();
  pending_ = Batch{};
  failure_ = nullptr;
  stop_ = false;
  ended_ = false;
  active_ = true;
  worker_ = std::thread([this, work = std::move(work), ended = std::move(ended)] {
    // An exception leaving a thread's function would end the program (std::terminate):
    // it ends the run instead, and the window says why.
    // std::current_exception cannot throw again (a bad_alloc is the likely case); the
    // message is taken out on the window's thread.
    try {
      work(*this);
    } catch (...) {
      failure_ = std::current_exception();
    }
    ended_ = true;
    if (ended) ended();
  });
}

void ListRun::Wait() {
  if (worker_.joinable()) worker_.join();
}

void ListRun::Add(std::string line, std::string record) {
  const std::lock_guard<std::mutex> lock(mutex_);
  pending_.lines.push_back(std::move(line));
  pending_.records.push_back(std::move(record));
}

void ListRun::AddPairs(std::string_view pairs) {
  const std::lock_guard<std::mutex> lock(mutex_);
  while (!pairs.empty()) {
    const std::size_t lineEnd = pairs.find('\n');
    const std::size_t recordEnd = lineEnd == std::string_view::npos ? lineEnd : pairs.find('\n', lineEnd + 1);
    pending_.lines.emplace_back(pairs.substr(0, lineEnd));
    pending_.records.emplace_back(lineEnd == std::string_view::npos ? std::string_view()
                                                                     : pairs.substr(lineEnd + 1, recordEnd - lineEnd - 1));
    if (recordEnd == std::string_view::npos) break;
    pairs.remove_prefix(recordEnd + 1);
  }
}

void ListRun::SetStatus(std::string status) {
  const std::lock_guard<std::mutex> lock(mutex_);
  pending_.status = std::move(status);
}

void ListRun::SetProgress(long long done, long long total) {
  const std::lock_guard<std::mutex> lock(mutex_);
  pending_.done = done;
  pending_.total = total;
}

ListRun::Batch ListRun::Take() {
  // Read before taking the batch: whatever the worker added before it ended is in it.
  const bool ended = ended_;
  if (ended) Wait();
  Batch batch;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    batch = std::move(pending_);
    pending_ = Batch{};
    pending_.done = batch.done;
    pending_.total = batch.total;
  }
  if (ended && active_) {
    batch.finished = true;
    if (failure_) batch.failure = Message(std::exchange(failure_, nullptr));  // the worker has been joined
    active_ = false;
  }
  return batch;
}

}  // namespace varomintel
