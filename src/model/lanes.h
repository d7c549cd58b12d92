#pragma once

namespace sondrix {

// The vector loops' lanes: the widest the processor runs (sixteen 32-bit lanes with AVX-512, eight
// with AVX2), at most eight, or four, which every processor runs. All give the same outputs; the
// narrower ones let one machine check the loops of every other.
enum class Lanes { Widest, Eight, Four };

#if defined(__x86_64__) && defined(__GNUC__)
// Whether the processor runs the wider loops, looked up once.
inline bool HaveAvx512() {
  static const bool have = __builtin_cpu_supports("avx512f") != 0;
  return have;
}

inline bool HaveAvx2() {
  static const bool have = __builtin_cpu_supports("avx2") != 0;
  return have;
}
#endif

}  // namespace sondrix
