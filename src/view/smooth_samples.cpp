#include "view/smooth_samples.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "numtext/rounding.h"
#include "view/sliding_mean.h"

namespace sondrix {
namespace {

// The window is cut into pieces that two threads take in turn, so that a thread slowed by other
// work on the machine leaves more pieces to the other. Each piece starts with a sum over its
// first output's neighbours; a piece of 64 half or more outputs keeps that within a few percent.
constexpr std::int64_t kShortestPiece = std::int64_t{1} << 15;
// Starting a thread takes tens of microseconds, about what half of this many outputs take.
constexpr std::int64_t kThreadFrom = std::int64_t{1} << 18;

void slideInPieces(const MeanWindow& window, std::int64_t start) {
  const std::int64_t end = window.last + 1;
  const std::int64_t piece = std::max(kShortestPiece, 64 * window.half);
  const std::int64_t pieces = (end - start + piece - 1) / piece;
  std::atomic<std::int64_t> next{0};
  const auto takePieces = [&] {
    for (std::int64_t p = next++; p < pieces; p = next++) {
      SlideMeans(window, start + p * piece, std::min(end, start + (p + 1) * piece));
    }
  };
  // Joined on leaving, before the caller reads the outputs.
  std::jthread helper;
  if (pieces > 1 && end - start >= kThreadFrom) {
    try {
      helper = std::jthread(takePieces);
    } catch (const std::system_error&) {
      // No second thread to be had: this one takes every piece.
    }
  }
  takePieces();
}

}  // namespace

std::int32_t SmoothSamples(std::span<const std::int16_t> source, std::int32_t start,
                           std::int32_t end, std::int32_t width, std::span<std::int16_t> target) {
  const auto limit = static_cast<std::int64_t>(std::min(source.size(), target.size()));
  const auto fits = [&](std::int64_t last) { return start >= 0 && last < limit; };
  if (width <= 2) {
    if (!fits(end)) return end;
    if (start <= end) {
      std::copy(source.begin() + start, source.begin() + end + 1, target.begin() + start);
    }
    return end;
  }
  if (start > end) end = start + 1;
  if (!fits(end)) return end;

  const std::int64_t half = RoundToInt32((width - 1.0) / 2.0).value_or(0);
  // A sliding sum: each step adds the sample entering the window and drops the one leaving it,
  // so the cost does not grow with the width. Integer sums make it equal the direct sum.
  slideInPieces({source.data(), target.data(), end, half, width}, start);
  return end;
}

}  // namespace sondrix
