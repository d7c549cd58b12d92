#include "view/plot_trace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace sondrix {
namespace {

// The plotting rule written out plainly: strict comparisons, extremes in time order for a line.
std::vector<TracePoint> Reference(const std::vector<std::int16_t>& v, int start, int end,
                                  bool dots) {
  std::vector<TracePoint> out;
  const int step = (end - start) / 800;
  if (step <= 5) {
    if (!dots) out.push_back({start, v[start]});
    for (int i = dots ? start : start + 1; i <= end - 1; ++i) out.push_back({i, v[i]});
    return out;
  }
  out.push_back({start, v[start]});
  for (int g = start + 1; g <= end - step - 1; g += step) {
    std::int16_t max = v[g], min = v[g];
    int maxIndex = g, minIndex = g;
    for (int j = g + 1; j <= g + step - 1; ++j) {
      if (v[j] > max) {
        max = v[j];
        maxIndex = j;
      } else if (v[j] < min) {
        min = v[j];
        minIndex = j;
      }
    }
    if (!dots && minIndex < maxIndex) {
      out.push_back({minIndex, min});
      out.push_back({maxIndex, max});
    } else {
      out.push_back({maxIndex, max});
      out.push_back({minIndex, min});
    }
  }
  return out;
}

std::vector<TracePoint> Plot(const std::vector<std::int16_t>& v, int start, int end, bool dots) {
  std::vector<TracePoint> points;
  PlotTrace(v, start, end, dots ? TraceStyle::Dots : TraceStyle::Line, points);
  return points;
}

std::vector<std::int16_t> Random(std::size_t n, std::uint32_t seed, int lo, int hi) {
  std::mt19937 engine(seed);
  std::vector<std::int16_t> v(n);
  const auto range = static_cast<std::uint32_t>(hi - lo + 1);
  for (auto& s : v) s = static_cast<std::int16_t>(lo + static_cast<int>(engine() % range));
  return v;
}

TEST(PlotTraceTest, MatchesThePlainRuleOnRandomAndCoarseRecords) {
  struct Window {
    int start, end;
  };
  // Around the threshold 6 x 800, spans that do not divide evenly, offsets into the record.
  // {0, 4802}: the last whole group ends just before the sample at the window's end.
  const Window windows[] = {{0, 4799},       {0, 4800}, {0, 4801},  {0, 4802},
                            {17, 17 + 4800}, {0, 9999}, {3, 12345}, {0, 59999},
                            {1000, 8000},    {5, 5},    {0, 1}};
  // Wide values, and values from a small set so that equal extremes are common.
  const std::pair<int, int> ranges[] = {{-32768, 32767}, {-2, 2}};
  std::uint32_t seed = 1;
  for (const auto& [lo, hi] : ranges) {
    const auto v = Random(60000, seed++, lo, hi);
    for (const Window& w : windows) {
      for (bool dots : {false, true}) {
        EXPECT_EQ(Plot(v, w.start, w.end, dots), Reference(v, w.start, w.end, dots))
            << w.start << ".." << w.end << (dots ? " dots" : " line") << " range " << lo;
      }
    }
  }
}

TEST(PlotTraceTest, EmptyWindowAndWindowsOutsideTheSamples) {
  const std::vector<std::int16_t> v{42, 43};
  // An empty record's window 0..-1: a line still starts at index 0, dots plot nothing.
  EXPECT_EQ(Plot(v, 0, -1, false), (std::vector<TracePoint>{{0, 42}}));
  EXPECT_TRUE(Plot(v, 0, -1, true).empty());
  EXPECT_TRUE(Plot(v, 0, 2, false).empty());
  EXPECT_TRUE(Plot(v, -1, 1, false).empty());
  EXPECT_TRUE(Plot({}, 0, -1, false).empty());
}

}  // namespace
}  // namespace sondrix
