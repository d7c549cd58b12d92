#include "model/sample_allocator.h"

#include <cstdlib>
#include <mutex>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace sondrix {
namespace {

#ifdef __linux__
constexpr std::size_t kHugePage = std::size_t{2} << 20;
// From half a page up, so that a channel of a million 16-bit samples (just under 2 MB) is on one
// such page too: its first touch then costs one fault, and its page is kept when it is freed.
constexpr bool OnHugePages(std::size_t bytes) { return bytes >= kHugePage / 2; }

// The 2 MB pages of freed arrays; when they would hold more than kMostKeptSampleBytes, the
// oldest blocks go first.
class KeptBlocks {
 public:
  std::size_t bytes() {
    const std::scoped_lock hold(lock_);
    return kept_;
  }

  void* take(std::size_t size) {
    const std::scoped_lock hold(lock_);
    for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
      if (block->size != size) continue;
      void* memory = block->memory;
      kept_ -= size;
      blocks_.erase(std::next(block).base());
      return memory;
    }
    return nullptr;
  }

  // False when the block is too large to keep: the caller frees it.
  bool keep(void* memory, std::size_t size) noexcept {
    if (size > kMostKeptSampleBytes) return false;
    const std::scoped_lock hold(lock_);
    try {
      blocks_.push_back({memory, size});
    } catch (const std::bad_alloc&) {
      return false;
    }
    kept_ += size;
    std::size_t oldest = 0;
    for (; kept_ > kMostKeptSampleBytes; ++oldest) {
      kept_ -= blocks_[oldest].size;
      std::free(blocks_[oldest].memory);  // NOLINT(cppcoreguidelines-no-malloc): aligned_alloc
    }
    blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(oldest));
    return true;
  }

 private:
  struct Block {
    void* memory;
    std::size_t size;
  };
  std::mutex lock_;
  std::vector<Block> blocks_;  // oldest first
  std::size_t kept_ = 0;
};

// Never destroyed: arrays of other static objects may be freed after it would be.
KeptBlocks& Kept() {
  static KeptBlocks* const kept = new KeptBlocks;
  return *kept;
}

// Whole 2 MB pages for `bytes`, which the caller has checked.
constexpr std::size_t HugePageSize(std::size_t bytes) {
  return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}
#else
constexpr bool OnHugePages(std::size_t) { return false; }
#endif

}  // namespace

void* AllocateSamples(std::size_t bytes) {
#ifdef __linux__
  if (OnHugePages(bytes)) {
    if (bytes > std::numeric_limits<std::size_t>::max() - kHugePage) throw std::bad_alloc();
    const std::size_t size = HugePageSize(bytes);
    if (void* kept = Kept().take(size)) return kept;
    void* memory = std::aligned_alloc(kHugePage, size);
    if (memory == nullptr) throw std::bad_alloc();
    ::madvise(memory, size, MADV_HUGEPAGE);  // only a hint
    return memory;
  }
#endif
  return ::operator new(bytes);
}

std::size_t KeptSampleBytes() {
#ifdef __linux__
  return Kept().bytes();
#else
  return 0;
#endif
}

void FreeSamples(void* memory, std::size_t bytes) noexcept {
  if (OnHugePages(bytes)) {
#ifdef __linux__
    if (memory != nullptr && Kept().keep(memory, HugePageSize(bytes))) return;
#endif
    std::free(memory);  // NOLINT(cppcoreguidelines-no-malloc): from aligned_alloc
    return;
  }
  ::operator delete(memory);
}

}  // namespace sondrix
