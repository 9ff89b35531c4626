#include "app/list_run.h"

#include <utility>

namespace varomintel {

void ListRun::Start(std::function<void(ListRun&)> work) {
  Wait();
  pending_ = Batch{};
  ended_ = false;
  active_ = true;
  worker_ = std::thread([this, work = std::move(work)] {
    work(*this);
    ended_ = true;
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
    active_ = false;
  }
  return batch;
}

}  // namespace varomintel
