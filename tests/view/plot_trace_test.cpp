#include "view/plot_trace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace sondrix {
namespace {

// The plotting rule written out plainly: the first largest and smallest of each group, in time
// order for a line.
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
    const auto group = v.begin() + g;
    const auto maxAt = static_cast<int>(std::max_element(group, group + step) - v.begin());
    const auto minAt = static_cast<int>(std::min_element(group, group + step) - v.begin());
    const TracePoint hi{maxAt, v[maxAt]}, lo{minAt, v[minAt]};
    out.push_back(!dots && minAt < maxAt ? lo : hi);
    out.push_back(!dots && minAt < maxAt ? hi : lo);
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
  // Around the threshold 6 x 800, spans that do not divide evenly, offsets into the record.
  // {0, 4802}: the last whole group ends just before the sample at the window's end. An empty
  // record's window 0..-1: a line still starts at index 0, dots plot nothing.
  const std::pair<int, int> windows[] = {{0, 4799},       {0, 4800}, {0, 4801},  {0, 4802},
                                         {17, 17 + 4800}, {0, 9999}, {3, 12345}, {0, 59999},
                                         {1000, 8000},    {5, 5},    {0, 1},     {0, -1}};
  // Wide values, and values from a small set so that equal extremes are common.
  const std::pair<int, int> ranges[] = {{-32768, 32767}, {-2, 2}};
  std::uint32_t seed = 1;
  for (const auto& [lo, hi] : ranges) {
    const auto v = Random(60000, seed++, lo, hi);
    for (const auto& [start, end] : windows) {
      for (bool dots : {false, true}) {
        EXPECT_EQ(Plot(v, start, end, dots), Reference(v, start, end, dots))
            << start << ".." << end << (dots ? " dots" : " line") << " range " << lo;
      }
    }
  }
}

TEST(PlotTraceTest, WindowsOutsideTheSamplesPlotNothing) {
  const std::vector<std::int16_t> v{42, 43};
  for (const auto& [start, end] : {std::pair(0, 2), std::pair(-1, 1), std::pair(0, -2)}) {
    EXPECT_TRUE(Plot(v, start, end, false).empty()) << start << ".." << end;
  }
  EXPECT_TRUE(Plot({}, 0, -1, false).empty());
}

}  // namespace
}  // namespace sondrix
