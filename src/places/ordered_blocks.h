// A list computed on all cores: the input is cut into blocks, a small pool of threads
// computes the blocks, and the calling thread hands the finished blocks on in the
// input's order. At most `slots` blocks are read ahead, so the memory stays bounded
// whatever the length of the input.
#pragma once

#include <cstddef>
#include <functional>

namespace varomintel {

// The threads that compute a list's blocks: one per core, at least one.
unsigned ListThreads();

// How a list is cut for its threads. threads 0 stands for ListThreads().
struct ListBlocks {
  unsigned threads = 0;
  std::size_t size = 1024;  // places of the city file, or records of the catalogue, per block
};

struct BlockSteps {
  // On the calling thread: fills the slot with the next block's input; false when the
  // input has ended (the slot is then left alone).
  std::function<bool(std::size_t slot)> read;
  // On a pool thread (on the calling thread when there is one thread): computes the
  // block in the slot. Blocks in different slots are computed at the same time.
  std::function<void(std::size_t slot)> work;
  // On the calling thread, block after block in the input's order: hands the finished
  // block on. False ends the run: the blocks read ahead are dropped, not handed on.
  std::function<bool(std::size_t slot)> handOn;
};

// The number of slots a run with `threads` threads uses: every thread busy while the
// calling thread reads one block and hands on another.
inline std::size_t BlockSlots(unsigned threads) { return threads <= 1 ? 1 : 2 * std::size_t{threads}; }

// Runs the steps until the input ends or handOn returns false. An exception thrown by a
// step ends the run (after the pool has stopped) and leaves this function; a block whose
// work threw is not handed on, those before it have been.
void RunOrderedBlocks(unsigned threads, const BlockSteps& steps);

}  // namespace varomintel
