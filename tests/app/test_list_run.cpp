// The list run's worker thread: an exception thrown by the work ends the run with its
// message and keeps what was added before it; each run has a stop flag of its own, which
// neither another run's start nor its stop touches. Also built under ThreadSanitizer.
#include "app/list_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace varomintel {
namespace {

using namespace std::chrono_literals;

// Takes batches until the finished one, collecting the lines; fails after ten seconds.
struct Collected {
  std::vector<std::string> lines, records;
  std::optional<std::string> failure;
  bool finished = false;
};
Collected TakeAll(ListRun& run) {
  Collected c;
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (!c.finished && std::chrono::steady_clock::now() < deadline) {
    ListRun::Batch b = run.Take();
    c.lines.insert(c.lines.end(), b.lines.begin(), b.lines.end());
    c.records.insert(c.records.end(), b.records.begin(), b.records.end());
    if (b.failure) c.failure = b.failure;
    c.finished = b.finished;
    if (!c.finished) std::this_thread::sleep_for(1ms);
  }
  return c;
}

struct Thrown {
  const char* name;
  std::function<void()> raise;
  const char* message;
};

void PrintTo(const Thrown& row, std::ostream* os) { *os << row.name; }

class ListRunFailure : public ::testing::TestWithParam<Thrown> {};

TEST_P(ListRunFailure, EndsTheRunWithItsMessageAndKeepsTheLinesBeforeIt) {
  ListRun run;
  run.Start([](ListRun& r) {
    r.Add("line 1", "record 1");
    r.Add("line 2", "record 2");
    GetParam().raise();
    r.Add("never", "never");
  });
  const Collected c = TakeAll(run);
  ASSERT_TRUE(c.finished);
  EXPECT_FALSE(run.Active());
  EXPECT_EQ(c.lines, (std::vector<std::string>{"line 1", "line 2"}));
  EXPECT_EQ(c.records, (std::vector<std::string>{"record 1", "record 2"}));
  ASSERT_TRUE(c.failure);
  EXPECT_EQ(*c.failure, GetParam().message);

  // The next run starts clean: no failure left over from the last one. Its `ended` call
  // comes once, after the end: one Take then gives the whole finished batch.
  std::atomic<int> endedCalls{0};
  run.Start([](ListRun& r) { r.Add("again", "again"); }, [&] { ++endedCalls; });
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (endedCalls == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  const ListRun::Batch next = run.Take();
  EXPECT_TRUE(next.finished);
  EXPECT_EQ(next.lines, (std::vector<std::string>{"again"}));
  EXPECT_FALSE(next.failure);
  EXPECT_EQ(endedCalls, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Worker, ListRunFailure,
    ::testing::Values(Thrown{"OutOfMemory", [] { throw std::bad_alloc(); }, "std::bad_alloc"},
                      Thrown{"RuntimeError", [] { throw std::runtime_error("the city file vanished"); },
                             "the city file vanished"},
                      Thrown{"NotAnException", [] { throw 42; }, "an exception of unknown type"}),
    [](const ::testing::TestParamInfo<Thrown>& row) { return std::string(row.param.name); });

// Two runs as the two list windows have them: each works until its own flag is set.
TEST(ListRunStop, EachRunHasItsOwnFlagThatAnotherRunsStartDoesNotClear) {
  const auto untilStopped = [](ListRun& r) {
    while (!r.StopFlag().load()) std::this_thread::sleep_for(1ms);
    r.Add("stopped", "stopped");
  };
  ListRun a, b;
  a.Start(untilStopped);
  b.Start(untilStopped);
  a.RequestStop();
  EXPECT_TRUE(TakeAll(a).finished);
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(b.Take().finished) << "stopping one run ended the other";

  // b is asked to stop; before its worker has looked, a starts again: b still ends.
  b.RequestStop();
  a.Start(untilStopped);
  const Collected stoppedB = TakeAll(b);
  EXPECT_TRUE(stoppedB.finished) << "starting one run cleared the other's stop";
  EXPECT_EQ(stoppedB.lines, (std::vector<std::string>{"stopped"}));
  a.RequestStop();
  EXPECT_TRUE(TakeAll(a).finished);
}

}  // namespace
}  // namespace varomintel
