#pragma once

#include <cstddef>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

namespace sondrix {

// Storage for sample arrays: `bytes` of memory, and its release with the same size. An array of
// 1 MB or more lies on whole 2 MB pages where the system offers them, so that touching it the
// first time costs one fault per 2 MB instead of one per 4 KB.
// The 2 MB pages of freed arrays are kept, up to kMostKeptSampleBytes, for the next arrays of the
// same size: writing pages the process holds costs a fraction of the system's clearing of new
// ones, and a program loads capture after capture of one size.
void* AllocateSamples(std::size_t bytes);
void FreeSamples(void* memory, std::size_t bytes) noexcept;
inline constexpr std::size_t kMostKeptSampleBytes = std::size_t{256} << 20;
// What the freed arrays kept for reuse hold.
std::size_t KeptSampleBytes();

// The allocator of the sample arrays. Growing an array leaves its new elements unset: a load
// writes them next, and clearing them first would go over the memory twice.
template <typename T>
struct SampleAllocator {
  using value_type = T;

  SampleAllocator() = default;
  template <typename U>
  explicit SampleAllocator(const SampleAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateSamples(n * sizeof(T)));
  }
  void deallocate(T* memory, std::size_t n) noexcept { FreeSamples(memory, n * sizeof(T)); }

  template <typename U>
  void construct(U* at) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(at)) U;
  }
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
  }

  friend bool operator==(const SampleAllocator&, const SampleAllocator&) = default;
};

// The allocator of the volt arrays: on the same pages, but growing one clears its new elements,
// since a value a CSV line leaves unset keeps what the array held.
template <typename T>
struct ClearedSampleAllocator : SampleAllocator<T> {
  template <typename U>
  struct rebind {
    using other = ClearedSampleAllocator<U>;
  };

  ClearedSampleAllocator() = default;
  template <typename U>
  explicit ClearedSampleAllocator(const ClearedSampleAllocator<U>&) noexcept {}

  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
  }

  friend bool operator==(const ClearedSampleAllocator&, const ClearedSampleAllocator&) = default;
};

}  // namespace sondrix
