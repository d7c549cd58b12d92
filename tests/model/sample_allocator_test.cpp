#include "model/sample_allocator.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace sondrix {
namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

// A freed array's 2 MB pages serve the next array of as many pages, the latest freed first, and
// what is kept never exceeds its bound.
TEST(SampleAllocator, ServesFreedPagesAgainWithinWhatIsKept) {
#ifndef __linux__
  GTEST_SKIP() << "2 MB pages are asked for on Linux only";
#endif
  const std::size_t before = KeptSampleBytes();
  void* older = AllocateSamples(5 * kMegabyte);
  void* newer = AllocateSamples(5 * kMegabyte);
  FreeSamples(older, 5 * kMegabyte);
  FreeSamples(newer, 5 * kMegabyte);
  EXPECT_EQ(KeptSampleBytes(), before + 12 * kMegabyte);  // three pages each
  void* other = AllocateSamples(3 * kMegabyte);           // two pages: a block of its own
  EXPECT_NE(other, newer);
  EXPECT_NE(other, older);
  void* again = AllocateSamples(5 * kMegabyte + 1000);
  EXPECT_EQ(again, newer);
  EXPECT_EQ(AllocateSamples(4 * kMegabyte + 1), older);
  EXPECT_EQ(KeptSampleBytes(), before);
  FreeSamples(other, 3 * kMegabyte);
  FreeSamples(again, 5 * kMegabyte + 1000);
  FreeSamples(older, 4 * kMegabyte + 1);
  // A million 16-bit samples, just under 2 MB, lie on one such page as well.
  FreeSamples(AllocateSamples(2'000'002), 2'000'002);
  EXPECT_EQ(KeptSampleBytes(), before + 18 * kMegabyte);  // with the 16 MB freed above

  // Twice what may be kept, so that whatever other tests left goes first; none of it is touched.
  std::vector<void*> many;
  for (std::size_t held = 0; held < 2 * kMostKeptSampleBytes; held += 8 * kMegabyte) {
    many.push_back(AllocateSamples(8 * kMegabyte));
  }
  for (void* block : many) FreeSamples(block, 8 * kMegabyte);
  EXPECT_EQ(KeptSampleBytes(), kMostKeptSampleBytes);
  // Neither a block too large to keep nor a small array changes what is kept.
  const std::size_t kept = KeptSampleBytes();
  FreeSamples(AllocateSamples(kMostKeptSampleBytes + kMegabyte), kMostKeptSampleBytes + kMegabyte);
  FreeSamples(AllocateSamples(1000), 1000);
  EXPECT_EQ(KeptSampleBytes(), kept);
}

}  // namespace
}  // namespace sondrix
