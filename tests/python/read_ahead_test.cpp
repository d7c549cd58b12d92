#include "python/read_ahead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace sondrix::python {
namespace {

// One worker per job asked for, one per core when none is, never more than there are files (a
// thread with nothing to read) nor more than 256 (a list of thousands of files asked on as many
// threads).
TEST(WorkerCountTest, IsTheJobsWithinOneAndTheFilesUpTo256) {
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  EXPECT_EQ(WorkerCount(1, 40), 1);
  EXPECT_EQ(WorkerCount(3, 40), 3);
  EXPECT_EQ(WorkerCount(0, 1000), std::min(cores, 256));
  EXPECT_EQ(WorkerCount(-2, 1000), std::min(cores, 256));
  EXPECT_EQ(WorkerCount(8, 2), 2);
  EXPECT_EQ(WorkerCount(8, 0), 1);
  EXPECT_EQ(WorkerCount(1000, 1000), 256);
}

}  // namespace
}  // namespace sondrix::python
