// Blocks done on several threads are taken in their order on the calling
// thread, whatever the number of threads and the size of a block, and a
// failure anywhere ends the run after the blocks before it.
#include "session/ordered_blocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <new>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace headly {
namespace {

struct Block {
  std::vector<int64_t> records;
};

// Runs records first..last-1 and returns the records as taken, in order.
std::vector<int64_t> taken(int64_t first, int64_t last, WorkSplit split, std::atomic<int>* workers = nullptr) {
  std::vector<int64_t> seen;
  int64_t expectedBegin = first;
  runOrderedBlocks<Block>(
      first, last, split,
      [&] {
        if (workers) ++*workers;
        return 0;
      },
      [](int, int64_t begin, int64_t end, Block& block) {
        block.records.clear();  // a result is reused
        for (int64_t r = begin; r < end; ++r) block.records.push_back(r);
      },
      [&](int64_t begin, int64_t end, const Block& block) {
        EXPECT_EQ(begin, expectedBegin);
        expectedBegin = end;
        seen.insert(seen.end(), block.records.begin(), block.records.end());
      });
  return seen;
}

std::vector<int64_t> range(int64_t first, int64_t last) {
  std::vector<int64_t> r;
  for (int64_t i = first; i < last; ++i) r.push_back(i);
  return r;
}

TEST(OrderedBlocks, EveryRecordOnceInOrderForAnySplit) {
  for (int threads : {1, 2, 3, 4})
    for (int64_t block : {1, 2, 7, 1000}) {
      EXPECT_EQ(taken(1, 201, WorkSplit{threads, block}), range(1, 201)) << threads << " " << block;
      EXPECT_EQ(taken(0, 1, WorkSplit{threads, block}), range(0, 1));
    }
  EXPECT_TRUE(taken(5, 5, WorkSplit{2, 1}).empty());
}

TEST(OrderedBlocks, ResultsAreTakenOnTheCallingThreadWhileOthersHelp) {
  std::atomic<int> workers = 0;
  std::atomic<bool> helped = false;
  const std::thread::id caller = std::this_thread::get_id();
  std::vector<int64_t> seen;
  std::mutex madeOn;
  std::set<std::thread::id> workerThreads;
  runOrderedBlocks<int64_t>(
      0, 2000, WorkSplit{2, 1},
      [&] {
        ++workers;
        const std::lock_guard<std::mutex> lock(madeOn);
        workerThreads.insert(std::this_thread::get_id());
        return 0;
      },
      [&](int, int64_t begin, int64_t, int64_t& first) {
        if (std::this_thread::get_id() != caller) helped = true;
        // The first block waits for the other thread to do one.
        for (int wait = 0; begin == 0 && !helped && wait < 5000; ++wait)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        first = begin;
      },
      [&](int64_t, int64_t, int64_t first) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        seen.push_back(first);
      });
  EXPECT_TRUE(helped);
  EXPECT_EQ(seen, range(0, 2000));
  EXPECT_EQ(workers, 2);  // one worker for every thread, made on that thread
  EXPECT_EQ(workerThreads.size(), 2u);
  // One thread alone needs no other.
  workers = 0;
  EXPECT_EQ(taken(0, 50, WorkSplit{1, 1}, &workers), range(0, 50));
  EXPECT_EQ(workers, 1);
}

TEST(OrderedBlocks, AFailedBlockIsThrownAfterTheBlocksBeforeIt) {
  for (int threads : {1, 2, 3}) {
    std::vector<int64_t> seen;
    EXPECT_THROW(runOrderedBlocks<int64_t>(
                     0, 500, WorkSplit{threads, 3}, [] { return 0; },
                     [](int, int64_t begin, int64_t, int64_t& first) {
                       if (begin == 300) throw std::runtime_error("block 100");
                       first = begin;
                     },
                     [&](int64_t, int64_t, int64_t first) { seen.push_back(first); }),
                 std::runtime_error);
    ASSERT_EQ(seen.size(), 100u) << threads;
    EXPECT_EQ(seen.back(), 297);
  }
}

TEST(OrderedBlocks, HelpersWithoutAWorkerLeaveTheBlocksToTheCallingThread) {
  std::atomic<int> made = 0;
  std::vector<int64_t> seen;
  runOrderedBlocks<int64_t>(
      0, 300, WorkSplit{3, 2},
      [&] {
        if (made++ > 0) throw std::bad_alloc();
        return 0;
      },
      [](int, int64_t begin, int64_t, int64_t& first) { first = begin; },
      [&](int64_t, int64_t, int64_t first) { seen.push_back(first); });
  ASSERT_EQ(seen.size(), 150u);
  EXPECT_EQ(seen.back(), 298);
}

TEST(OrderedBlocks, AFailureWhileTakingStopsTheHelpers) {
  std::atomic<int64_t> produced = 0;
  EXPECT_THROW(runOrderedBlocks<int>(
                   0, 100000, WorkSplit{3, 1}, [] { return 0; }, [&](int, int64_t, int64_t, int&) { ++produced; },
                   [](int64_t begin, int64_t, int) {
                     if (begin == 10) throw std::runtime_error("disk full");
                   }),
               std::runtime_error);
  // Only the blocks that had room were done: the helpers stopped and were
  // joined before the exception left.
  EXPECT_LT(produced.load(), 100);
}

TEST(OrderedBlocks, BlocksHoldAboutTheSameBytesWhateverTheLines) {
  const WorkSplit shortLines = settleSplit({}, 40), longLines = settleSplit({}, 4000);
  EXPECT_GE(shortLines.threads, 1);
  EXPECT_LE(shortLines.threads, 4);
  EXPECT_GT(shortLines.blockRecords, longLines.blockRecords);
  EXPECT_GE(settleSplit({}, 1e9).blockRecords, 1);  // huge lines: still a record a block
  EXPECT_EQ(settleSplit({2, 5}, 40).blockRecords, 5);  // what is asked stays
  EXPECT_EQ(settleSplit({2, 5}, 40).threads, 2);
}

}  // namespace
}  // namespace headly
