#include "model/sample_allocator.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace sondrix {
namespace {

#ifdef __linux__
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr bool OnHugePages(std::size_t bytes) { return bytes >= kHugePage; }
#else
constexpr bool OnHugePages(std::size_t) { return false; }
#endif

}  // namespace

void* AllocateSamples(std::size_t bytes) {
#ifdef __linux__
  if (OnHugePages(bytes)) {
    if (bytes > std::numeric_limits<std::size_t>::max() - kHugePage) throw std::bad_alloc();
    const std::size_t size = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, size);
    if (memory == nullptr) throw std::bad_alloc();
    ::madvise(memory, size, MADV_HUGEPAGE);  // only a hint
    return memory;
  }
#endif
  return ::operator new(bytes);
}

void FreeSamples(void* memory, std::size_t bytes) noexcept {
  if (OnHugePages(bytes)) {
    std::free(memory);  // NOLINT(cppcoreguidelines-no-malloc): from aligned_alloc
  } else {
    ::operator delete(memory);
  }
}

}  // namespace sondrix
