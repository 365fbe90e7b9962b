// Work over a run of records cut into blocks that several threads do at
// once, while the calling thread takes the blocks' results in their order:
// whatever it makes of them comes out as if one thread had done all. Only
// the calling thread takes results, so only it touches files and windows.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace headly {

// How work is split: the threads taking part (the calling one included)
// and the records of a block.
struct WorkSplit {
  int threads = 0;            // 0: one for every processor, at most four
  int64_t blockRecords = 0;   // 0: about 64 KB of lines a block
};

// The threads and block size to use for records of bytesPerRecord bytes on
// average.
WorkSplit settleSplit(const WorkSplit& asked, double bytesPerRecord);

// Which blocks are claimed, done and taken; shared by the threads of one run.
class BlockSchedule {
 public:
  BlockSchedule(int64_t blocks, int slotCount);

  // The next block for a helper thread, waiting for a free slot; -1 when
  // every block is claimed or the work stops.
  int64_t claimWaiting();
  // The next block if its slot is free now, else -1.
  int64_t tryClaim();
  // A block is done, with the exception that ended it, if any.
  void finish(int64_t block, std::exception_ptr failure);
  // Waits until block is done (true) or a block can be claimed (false).
  bool waitDone(int64_t block);
  std::exception_ptr failure(int64_t block);
  // The result of block is taken: its slot is free.
  void release(int64_t block);
  // Helpers claim nothing more.
  void stop();

 private:
  bool claimable() const;
  int64_t claim();

  std::mutex mutex_;
  std::condition_variable changed_;
  const int64_t blocks_;
  const int slots_;
  int64_t nextClaim_ = 0, taken_ = 0;
  bool stopped_ = false;
  std::vector<char> done_;
  std::vector<std::exception_ptr> failures_;
};

// Runs produce(worker, begin, end, result) for every block [begin, end) of
// the records first..last-1 on the threads of split, each thread with its
// own Worker from makeWorker(), and then take(begin, end, result) on the
// calling thread for the blocks in order. makeWorker runs on every thread at
// once, so it only reads what the threads share; a helper thread whose
// worker cannot be made leaves its blocks to the others. A Result is reused
// for later blocks; what it holds on the heap may lie next to another's, so
// work that writes often writes to its worker and sets the result once. An
// exception in produce is thrown here when its block's turn comes, after the
// blocks before it were taken; any exception stops the helper threads, which
// are joined before it leaves.
template <class Result, class MakeWorker, class Produce, class Take>
void runOrderedBlocks(int64_t first, int64_t last, const WorkSplit& split, MakeWorker makeWorker, Produce produce,
                      Take take) {
  if (last <= first) return;
  const int64_t size = split.blockRecords > 0 ? split.blockRecords : 1;
  const int64_t blocks = (last - first + size - 1) / size;
  const auto beginOf = [&](int64_t k) { return first + k * size; };
  const auto endOf = [&](int64_t k) { return k + 1 == blocks ? last : first + (k + 1) * size; };
  int threads = split.threads < 1 ? 1 : split.threads;
  if (int64_t(threads) > blocks) threads = int(blocks);
  auto mine = makeWorker();
  if (threads == 1) {
    Result result{};
    for (int64_t k = 0; k < blocks; ++k) {
      produce(mine, beginOf(k), endOf(k), result);
      take(beginOf(k), endOf(k), result);
    }
    return;
  }

  // Threads that write to one cache line at once slow each other down: the
  // results of blocks done at once lie apart, and a helper's worker is made
  // on its own thread, in memory of its own.
  struct alignas(64) Slot {
    Result result{};
  };
  const int slotCount = 2 * threads;
  std::vector<Slot> results(static_cast<size_t>(slotCount));
  BlockSchedule schedule(blocks, slotCount);
  const auto run = [&](auto& worker, int64_t k) {
    std::exception_ptr failure;
    try {
      produce(worker, beginOf(k), endOf(k), results[size_t(k % slotCount)].result);
    } catch (...) {
      failure = std::current_exception();
    }
    schedule.finish(k, failure);
  };
  std::vector<std::thread> helpers;
  struct Joiner {
    BlockSchedule& schedule;
    std::vector<std::thread>& helpers;
    ~Joiner() {
      schedule.stop();
      for (std::thread& t : helpers) t.join();
    }
  } joiner{schedule, helpers};
  for (int t = 1; t < threads; ++t) {
    try {
      helpers.emplace_back([&run, &schedule, &makeWorker] {
        std::optional<decltype(makeWorker())> worker;
        try {
          worker.emplace(makeWorker());
        } catch (...) {
          return;  // the other threads do the work
        }
        for (int64_t k; (k = schedule.claimWaiting()) >= 0;) run(*worker, k);
      });
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the others do the work
    }
  }
  for (int64_t k = 0; k < blocks; ++k) {
    while (!schedule.waitDone(k)) {
      const int64_t claimed = schedule.tryClaim();
      if (claimed >= 0) run(mine, claimed);
    }
    if (std::exception_ptr failure = schedule.failure(k)) std::rethrow_exception(failure);
    take(beginOf(k), endOf(k), results[size_t(k % slotCount)].result);
    schedule.release(k);
  }
}

}  // namespace headly
