#include "places/ordered_blocks.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace varomintel {

unsigned ListThreads() { return std::max(1u, std::thread::hardware_concurrency()); }

namespace {

// The pool's shared state; every member is guarded by `mutex`.
struct Pool {
  std::mutex mutex;
  std::condition_variable wake;  // a block was queued, or the pool closes
  std::condition_variable done;  // a block was finished
  std::deque<std::size_t> queue;
  std::vector<char> finished;
  std::vector<std::exception_ptr> failure;
  bool closing = false;
  std::vector<std::thread> threads;

  // Drops the queued blocks, lets the running ones end and joins the threads.
  ~Pool() {
    {
      const std::lock_guard<std::mutex> lock(mutex);
      queue.clear();
      closing = true;
    }
    wake.notify_all();
    for (std::thread& t : threads) t.join();
  }
};

}  // namespace

void RunOrderedBlocks(unsigned threads, const BlockSteps& steps) {
  if (threads <= 1) {
    while (steps.read(0)) {
      steps.work(0);
      if (!steps.handOn(0)) return;
    }
    return;
  }
  const std::size_t slots = BlockSlots(threads);
  Pool pool;
  pool.finished.assign(slots, 0);
  pool.failure.assign(slots, nullptr);
  for (unsigned i = 0; i < threads; ++i)
    pool.threads.emplace_back([&pool, &steps] {
      for (;;) {
        std::size_t slot = 0;
        {
          std::unique_lock<std::mutex> lock(pool.mutex);
          pool.wake.wait(lock, [&] { return pool.closing || !pool.queue.empty(); });
          if (pool.queue.empty()) return;
          slot = pool.queue.front();
          pool.queue.pop_front();
        }
        std::exception_ptr failure;
        try {
          steps.work(slot);
        } catch (...) {
          failure = std::current_exception();
        }
        {
          const std::lock_guard<std::mutex> lock(pool.mutex);
          pool.failure[slot] = failure;
          pool.finished[slot] = 1;
        }
        pool.done.notify_all();
      }
    });

  std::size_t read = 0, handed = 0;  // blocks read and handed on so far
  bool inputEnded = false;
  for (;;) {
    while (!inputEnded && read - handed < slots) {
      const std::size_t slot = read % slots;
      if (!steps.read(slot)) {
        inputEnded = true;
        break;
      }
      {
        const std::lock_guard<std::mutex> lock(pool.mutex);
        pool.finished[slot] = 0;
        pool.queue.push_back(slot);
      }
      pool.wake.notify_one();
      ++read;
    }
    if (handed == read) return;
    const std::size_t slot = handed % slots;
    std::exception_ptr failure;
    {
      std::unique_lock<std::mutex> lock(pool.mutex);
      pool.done.wait(lock, [&] { return pool.finished[slot] != 0; });
      failure = std::exchange(pool.failure[slot], nullptr);
    }
    if (failure) std::rethrow_exception(failure);
    ++handed;
    if (!steps.handOn(slot)) return;
  }
}

}  // namespace varomintel
