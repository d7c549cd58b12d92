#include "view/readouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "synth/signals.h"
#include "view/cursors.h"
#include "view/engineering.h"
#include "view/measurement_table.h"
#include "view/measurements.h"
#include "view/point_readouts.h"
#include "view/surface_click.h"

namespace sondrix {
namespace {

ViewState Window(std::int32_t start, std::int32_t end, float top, float bottom) {
  ViewState v;
  v.WaveLoaded = v.WaveDrawn = true;
  std::tie(v.StartIndex, v.EndIndex, v.YTop, v.YBottom) = std::tuple(start, end, top, bottom);
  return v;
}

TEST(ReadoutsTest, CursorPositionsByTheTraceScales) {
  const ViewState v = Window(1000, 1999, 32767.0f, -32768.0f);
  const std::tuple<double, std::optional<std::int64_t>> samples[] = {
      {0.0, 1000},    {1.0, 1999}, {0.5, 1500},  // 1499.5 rounds to even
      {0.4995, 1499}, {-0.5, 500}, {1e300, std::nullopt}, {std::nan(""), std::nullopt}};
  for (const auto& [fraction, want] : samples) {
    EXPECT_EQ(SampleAtCursor(v, fraction), want) << fraction;
  }
  // -0.5 at the middle is a whole count half to even.
  const std::pair<double, double> counts[] = {
      {0.0, 32767}, {1.0, -32768}, {0.5, 0}, {0.75, -16384}};
  for (const auto& [fraction, count] : counts) EXPECT_EQ(CountAtCursor(v, fraction), count);
  EXPECT_EQ(CountAtCursor(Window(0, 1, 100.0f, -300.0f), 0.25), 0.0);
  // The level slider's middle is the zoom's 4 divisions up; its ends the surface's edges.
  const std::pair<int, double> levels[] = {{0, 0.5}, {-32768, 0.0}, {8192, 0.625}};
  for (const auto& [value, fraction] : levels) EXPECT_EQ(LevelCursorFraction(value), fraction);
}

// Five significant digits, halves to even; a carry to 1000 takes the next prefix; below the n
// row's four decimals a value reads 0; M is the largest prefix.
TEST(ReadoutsTest, ReadingsInFiveSignificantDigits) {
  const std::tuple<double, const char*, std::string> cases[] = {
      {1.23456789, "V", "1.2346V"},
      {0.000012, "s", "12us"},
      {1.03125, "V", "1.0312V"},
      {-0.5, "V", "-500mV"},
      {999.996e-6, "s", "1ms"},
      {999.996, "Hz", "1kHz"},
      {999999.6, "Hz", "1MHz"},
      {-1234567.0, "", "-1.2346M"},
      {1.2345678e12, "", "1234600M"},
      {12345.678, "V", "12.346kV"},
      {1e-13, "A", "0.0001nA"},
      {4e-14, "A", "0A"},
      {-1e-20, "V", "0V"},
      {-INFINITY, "V", "—"},
      {std::nan(""), "Hz", "—"},
      // Each prefix from its own power of ten on.
      {1e-6, "s", "1us"},
      {1e-3, "s", "1ms"},
      {1.0, "V", "1V"},
      {1e3, "Hz", "1kHz"},
      {1e6, "Hz", "1MHz"}};
  for (const auto& [value, unit, want] : cases) EXPECT_EQ(ReadingText(value, unit), want) << value;
}

// Channels 1 and 3 shown of three (2 V/div, 0.5 V offset; 1 A/div), 1 us apart, trigger 40 of 100.
WaveRecord Record() {
  WaveRecord r;
  std::tie(r.header.ChCount, r.header.Points, r.header.Delta, r.header.TrigAddr) =
      std::tuple(3, 100, 1e-6, 40);
  for (auto& counts : r.buffers.SrcData) counts.assign(101, 0);
  const std::tuple<float, float, const char*, std::int16_t> setups[] = {
      {2.0f, 0.5f, "V", 1}, {1.0f, 0.0f, "V", 0}, {1.0f, 0.0f, "A", 1}, {1.0f, 0.0f, "V", 1}};
  for (std::size_t ch = 0; ch < 4; ++ch) {  // channel 4 lies beyond the count
    auto& c = r.header.Channel[ch];
    std::tie(c.Vdiv, c.Offset, c.Unit, c.DispOn) = setups[ch];
  }
  r.buffers.SrcData[0][90] = 8192;
  r.buffers.SrcData[2][90] = -4096;
  return r;
}

std::vector<std::string> Texts(const std::vector<ReadoutPiece>& pieces) {
  std::vector<std::string> texts;
  for (const ReadoutPiece& p : pieces) texts.push_back(p.text);
  return texts;
}

TEST(ReadoutsTest, CursorLineAndMeasurementTableInTheChannelsUnitsAndColours) {
  const WaveRecord r = Record();
  ViewState v = Window(0, 99, 8192.0f, -8192.0f);
  const auto pieces = CursorReadouts(r, v, 90.0 / 99.0, 0.25);
  using Want = std::vector<std::string>;
  EXPECT_EQ(Texts(pieces),
            (Want{"Xｶｰｿﾙ=50us", "Ch1:1.5V", "Ch3:-500mA", "Yｶｰｿﾙ", "Ch1:500mV", "Ch3:500mA"}));
  EXPECT_EQ(std::tuple(pieces[0].colour, pieces[2].colour), std::tuple(kWhite, kChannelColours[2]));

  // Before the trigger, and beyond the record: the time still, but no sample values.
  EXPECT_EQ(Texts(CursorReadouts(r, v, 0.0, 0.5)),
            (Want{"Xｶｰｿﾙ=-40us", "Ch1:-500mV", "Ch3:0A", "Yｶｰｿﾙ", "Ch1:-500mV", "Ch3:0A"}));
  EXPECT_EQ(Texts(CursorReadouts(r, v, 100.0 / 99.0, 0.5))[1], "Ch1:—") << "the sample after";
  // A 1 ns interval carried through 32 bits puts 500 us at 499.999986 us: read as 500us.
  WaveRecord fine = r;
  fine.header.Delta = double{1e-9f};
  EXPECT_EQ(Texts(CursorReadouts(fine, Window(0, 500040, 8192.0f, -8192.0f), 1.0, 0.5))[0],
            "Xｶｰｿﾙ=500us");
  EXPECT_EQ(Texts(CursorReadouts(fine, v, -160.0 / 99.0, 0.5))[0], "Xｶｰｿﾙ=-200ns");
  v.WaveLoaded = false;
  EXPECT_TRUE(CursorReadouts(r, v, 0.5, 0.5).empty());

  // The measurement table's rows in the channels' units and colours.
  const MeasurementTable table = TabulateMeasurements(
      r.header, {{0, -1, 2, 3, 0.5, 0.001, std::nullopt}, {.channel = 2, .frequency = 2.5e6}});
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0],
            (MeasurementRow{kChannelColours[0], {"Ch1", "-1V", "2V", "3V", "500mV", "1mV", "—"}}));
  EXPECT_EQ(table.rows[1].cells[1], "0A");
  EXPECT_EQ(table.rows[1].cells[6], "2.5MHz");
}

// From the mark to the time cursor: the time, its inverse (none on the mark itself) and each
// channel's change, offset cancelled; none where either sample lies beyond the record.
TEST(PointReadoutsTest, MarkReadoutsFromTheMarkToTheTimeCursor) {
  WaveRecord r = Record();
  r.buffers.SrcData[0][20] = -4096;
  r.buffers.SrcData[0][100] = 8192;  // past the record's end
  const ViewState v = Window(0, 99, 8192.0f, -8192.0f);
  const std::tuple<std::int64_t, double, std::vector<std::string>> cases[] = {
      {20, 90.0 / 99, {"Δt=70us", "1/Δt=14.286kHz", "ΔCh1:3V", "ΔCh3:-500mA"}},
      {90, 20.0 / 99, {"Δt=-70us", "1/Δt=-14.286kHz", "ΔCh1:-3V", "ΔCh3:500mA"}},
      {90, 90.0 / 99, {"Δt=0s", "1/Δt=—", "ΔCh1:0V", "ΔCh3:0A"}},
      {100, 90.0 / 99, {"Δt=-10us", "1/Δt=-100kHz", "ΔCh1:—", "ΔCh3:—"}},
      {-1, 0.0, {"Δt=1us", "1/Δt=1MHz", "ΔCh1:—", "ΔCh3:—"}},
      {20, 100.0 / 99, {"Δt=80us", "1/Δt=12.5kHz", "ΔCh1:—", "ΔCh3:—"}},
      {20, 1e300, {"Δt=—", "1/Δt=—", "ΔCh1:—", "ΔCh3:—"}}};
  for (const auto& [mark, cursor, want] : cases) {
    EXPECT_EQ(Texts(MarkReadouts(r, v, mark, cursor)), want) << mark << " to " << cursor;
  }
  const auto pieces = MarkReadouts(r, v, 20, 0.5);
  EXPECT_EQ(std::tuple(pieces[1].colour, pieces[3].colour), std::tuple(kWhite, kChannelColours[2]));
}

// The pointer reads the samples it is given (the source, or the smoothed window), by the traces'
// scale, from the trigger; nothing beyond the record or the given array.
TEST(PointReadoutsTest, PointerReadsTheShownSamples) {
  const WaveRecord r = Record();
  std::vector<std::int16_t> smoothed(101, 0);
  smoothed[90] = 4096;
  ShownSamples shown{r.buffers.SrcData[0], {}, smoothed, {}};
  const ViewState v = Window(50, 100, 8192.0f, -8192.0f);
  const std::tuple<double, ShownSamples, std::vector<std::string>> cases[] = {
      {0.8, shown, {"ﾎﾟｲﾝﾀ=50us", "Ch1:1.5V", "Ch3:500mA"}},
      {0.0, shown, {"ﾎﾟｲﾝﾀ=10us", "Ch1:-500mV", "Ch3:0A"}},
      {1.0, shown, {"ﾎﾟｲﾝﾀ=60us", "Ch1:—", "Ch3:—"}},
      {0.8, ShownSamples{}, {"ﾎﾟｲﾝﾀ=50us", "Ch1:—", "Ch3:—"}}};
  for (const auto& [fraction, samples, want] : cases) {
    EXPECT_EQ(Texts(PointerReadouts(r, v, samples, fraction)), want) << fraction;
  }
  // Where a sample lies across the surface, and a window of one sample at the left edge.
  EXPECT_DOUBLE_EQ(SampleFraction(v, 90), 0.8);
  EXPECT_EQ(SampleFraction(Window(7, 7, 1.0f, 0.0f), 9), 0.0);
}

void ExpectPlacement(const CursorPlacement& p, const std::string& text, double fraction) {
  EXPECT_EQ(p.boxText, text);
  EXPECT_DOUBLE_EQ(p.fraction, fraction) << text;
}

TEST(CursorsTest, SliderAndTypedTextsAndLinePositions) {
  const std::tuple<int, std::string, double> xs[] = {
      {0, "0", 0.0}, {250, "2.5", 0.25}, {537, "5.37", 0.537}, {1000, "10", 1.0}};
  for (const auto& [value, text, fraction] : xs)
    ExpectPlacement(SliderXChanged(value), text, fraction);
  const std::tuple<int, std::string, double> ys[] = {{-32768, "8", 0.0},
                                                     {0, "4", 32768.0 / 65535},
                                                     {8192, "3", 40960.0 / 65535},
                                                     {32767, "0.0001220703125", 1.0}};
  for (const auto& [value, text, fraction] : ys)
    ExpectPlacement(SliderYChanged(value), text, fraction);
  EXPECT_EQ(std::tuple(CentredSliders().x, CentredSliders().y),
            std::tuple(500, 0));  // -0.5 to even
  // Only typed numbers beyond the line's 32-bit twip coordinate (800 a division) fall back.
  const std::tuple<std::string, std::string, double> typed[] = {
      {"7", "7", 0.7},       {" 2.5 div", " 2.5 div", 0.25},   {"abc", "abc", 0.0},
      {"-1", "-1", -0.1},    {"2684354", "2684354", 268435.4}, {"-2684354", "-2684354", -268435.4},
      {"2684355", "5", 0.5}, {"-2684356", "5", 0.5},           {"1e400", "5", 0.5}};
  for (const auto& [in, text, fraction] : typed) ExpectPlacement(ExpPosEntered(in), text, fraction);
}

// Only Shift, only Ctrl or no key act; the cursors land on the slider step nearest the click.
TEST(SurfaceClickTest, KeysChooseWhatAClickMoves) {
  using A = ClickAction;
  const ClickKeys none{}, shift{.shift = true}, ctrl{.control = true};
  const std::tuple<double, double, ClickKeys, A, int> cases[] = {
      {0.4237, 0.9, none, A::TimeCursor, 424},
      {0.0, 0.0, none, A::TimeCursor, 0},
      {1.0, 0.5, none, A::TimeCursor, 1000},
      {1.3, 0.5, none, A::TimeCursor, 1000},  // kept within the slider
      {0.9, 0.0, ctrl, A::LevelCursor, -32768},
      {0.9, 1.0, ctrl, A::LevelCursor, 32767},
      {0.1, 0.5, ctrl, A::LevelCursor, 0},  // -0.5 to even
      {0.1, 0.625, ctrl, A::LevelCursor, 8191},
      {0.3, 0.2, shift, A::ReferenceMark, 0},
      {0.3, 0.2, {.shift = true, .control = true}, A::None, 0},
      {0.3, 0.2, {.alt = true}, A::None, 0},
      {0.3, 0.2, {.control = true, .meta = true}, A::None, 0}};
  for (const auto& [x, y, keys, action, value] : cases) {
    const ClickOutcome click = ClickOnSurface(x, y, keys);
    EXPECT_EQ(std::tuple(click.action, click.sliderValue), std::tuple(action, value))
        << x << ", " << y;
  }
}

// Channel `ch` holds `samples` at 2 V/div (4096 counts per volt), 0.5 V offset, 1 us apart.
WaveRecord RecordOf(int ch, const std::vector<std::int16_t>& samples) {
  WaveRecord r;
  const auto points = static_cast<std::int32_t>(samples.size());
  std::tie(r.header.ChCount, r.header.Delta, r.header.Points) = std::tuple(4, 1e-6, points);
  GrowSource(r.buffers, r.header.Points + 1);
  auto& setup = r.header.Channel[static_cast<std::size_t>(ch)];
  std::tie(setup.Vdiv, setup.Offset, setup.DispOn) = std::tuple(2.0f, 0.5f, 1);
  std::copy(samples.begin(), samples.end(),
            r.buffers.SrcData[static_cast<std::size_t>(ch)].begin());
  return r;
}

// The figures sample by sample; rising: the first sample >= mid + h after one <= mid - h.
struct Direct {
  double min = INFINITY, max = -INFINITY, sum = 0, squares = 0;
  Crossings rising;
  explicit Direct(const std::vector<std::int16_t>& counts) {
    const auto [lo, hi] = std::ranges::minmax(counts);
    const double mid = (lo + hi) / 2.0, h = (hi - lo) / 10.0;
    bool armed = false;
    for (std::size_t i = 0; i < counts.size(); ++i) {
      const double v = counts[i] * 2.0 / 8192 - 0.5;
      std::tie(min, max, sum, squares) =
          std::tuple(std::min(min, v), std::max(max, v), sum + v, squares + v * v);
      if (h > 0 && counts[i] <= mid - h) armed = true;
      if (h > 0 && armed && counts[i] >= mid + h) {
        armed = false;
        if (rising.count++ == 0) rising.first = static_cast<std::int64_t>(i);
        rising.last = static_cast<std::int64_t>(i);
      }
    }
  }
};

// 0.2 s at 1 us, the last block short, ending on a lone sample. The crossing search skips blocks
// and chunks by their extremes: sides change at block edges and in every chunk, lone samples cross
// at a chunk's second place, a spike ends a block; noise within the hysteresis adds no crossing.
TEST(MeasurementsTest, FiguresAgreeWithADirectComputation) {
  const std::size_t n = 200'001;
  std::vector<std::vector<std::int16_t>> cases = {synth::Sine(n, 20000, 50),
                                                  synth::Square(n, 8192, 40, 0.25),
                                                  synth::NoisySine(n, 12000, 7, 1000, 3),
                                                  synth::Sine(n, 20000, 2.5),
                                                  synth::Sine(n, 20000, 1.5),
                                                  synth::Ramp(n, -32768, 32767),
                                                  std::vector<std::int16_t>(n, 32767),
                                                  synth::NoisySine(n, 12000, 74, 3000, 5),
                                                  synth::Square(n, 8000, n / 4096.0),
                                                  synth::Square(n, 8000, n / 6.0),
                                                  synth::NoisySine(n, 100, 800, 300, 9),
                                                  synth::Sine(n, 3, 40),
                                                  std::vector<std::int16_t>(n, 0)};
  for (const std::size_t i : {100, 8193, 9000, 16385, 20000, 20033})
    cases.back()[i] = static_cast<std::int16_t>(i % 2 == 0 ? -1000 : 1000);
  cases.push_back(cases[7]);
  cases.back()[4095] = 32767;
  cases.back()[4096] = -32768;
  for (std::size_t s = 0; s < cases.size(); ++s) {
    const auto& samples = cases[s];
    const ChannelMeasurement m =
        MeasureChannel(RecordOf(2, samples), 2, 0, static_cast<std::int32_t>(n) - 1).value();
    const Direct d(samples);
    SCOPED_TRACE(s);
    EXPECT_EQ(std::tuple(m.min, m.max, m.peakToPeak), std::tuple(d.min, d.max, d.max - d.min));
    EXPECT_NEAR(m.mean, d.sum / n, 1e-9);
    EXPECT_NEAR(m.rms, std::sqrt(d.squares / n), 1e-9);
    const Crossings fast = RisingCrossings(samples, StatsOfCounts(samples));
    EXPECT_EQ(std::tuple(fast.count, fast.first, fast.last),
              std::tuple(d.rising.count, d.rising.first, d.rising.last));
    // (count - 1) periods between the first crossing and the last.
    const double span = static_cast<double>(d.rising.last - d.rising.first) * 1e-6;
    const auto direct = d.rising.count >= 2
                            ? std::optional(static_cast<double>(d.rising.count - 1) / span)
                            : std::nullopt;
    EXPECT_EQ(m.frequency, direct);
  }
}

TEST(MeasurementsTest, OnlyTheWindowAndTheShownChannelsCount) {
  std::vector<std::int16_t> samples(1000, 0);
  samples[10] = samples[950] = 8192;  // outside the window
  samples[500] = -4096;
  WaveRecord r = RecordOf(1, samples);
  const ChannelMeasurement m = MeasureChannel(r, 1, 100, 900).value();
  EXPECT_EQ(std::tuple(m.min, m.max), std::tuple(-1.5, -0.5));
  EXPECT_DOUBLE_EQ(MeasureChannel(r, 1, 500, 500).value().mean, -1.5) << "a window of one sample";
  for (const auto& [start, end] : {std::pair(-1, 10), std::pair(5, 4), std::pair(0, 1000)})
    EXPECT_FALSE(MeasureChannel(r, 1, start, end)) << start << ".." << end;
  EXPECT_FALSE(MeasureChannel(r, 4, 0, 10));
  EXPECT_TRUE(MeasureChannel(r, 1, 0, 999).value().frequency);
  r.header.Delta = 0;  // a record without a sample interval has no frequency
  EXPECT_FALSE(MeasureChannel(r, 1, 0, 999).value().frequency);

  r.header.Channel[3].DispOn = 1;
  r.header.Channel[0].DispOn = 1;
  r.header.ChCount = 2;  // channel 4 lies beyond the count
  EXPECT_EQ(ShownChannels(r.header), (std::vector<int>{0, 1}));
  EXPECT_EQ(MeasureShownChannels(r, 0, 999).at(1).channel, 1);
  r.header.ChCount = 0;
  EXPECT_TRUE(MeasureShownChannels(r, 0, 999).empty());
}

}  // namespace
}  // namespace sondrix
