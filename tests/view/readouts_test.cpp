#include "view/readouts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "view/cursors.h"
#include "view/engineering.h"
#include "view/measurement_table.h"

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

TEST(ReadoutsTest, ReadingsInTheCaptionsForm) {
  const std::tuple<double, const char*, std::string> cases[] = {
      {1.234, "V", "1.23V"},      {-0.5, "V", "-500mV"},     {0.0, "V", "0V"},
      {1e-13, "A", "0A"},         {2.5e6, "Hz", "2.5MHz"},   {1e6, "Hz", "1MHz"},
      {-1234567.0, "", "-1.23M"}, {999.996, "Hz", "1000Hz"}, {50e-6, "V", "50uV"}};
  for (const auto& [value, unit, want] : cases) EXPECT_EQ(ReadingText(value, unit), want) << value;
}

// Channels 1 and 3 shown of three (2 V/div with 0.5 V offset, and 1 A/div), 1 us per sample,
// the trigger at sample 40 of 100.
WaveRecord Record() {
  WaveRecord r;
  r.header.ChCount = 3;
  r.header.Points = 100;
  r.header.Delta = 1e-6;
  r.header.TrigAddr = 40;
  GrowSource(r.buffers, 101);
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

TEST(ReadoutsTest, TheLineNamesTheTimeAndEachShownChannelsValues) {
  const WaveRecord r = Record();
  ViewState v = Window(0, 99, 8192.0f, -8192.0f);
  const auto pieces = CursorReadouts(r, v, 90.0 / 99.0, 0.25);
  using Want = std::vector<std::string>;
  EXPECT_EQ(Texts(pieces),
            (Want{"Xｶｰｿﾙ=50us", "Ch1:1.5V", "Ch3:-500mA", "Yｶｰｿﾙ", "Ch1:500mV", "Ch3:500mA"}));
  EXPECT_EQ(pieces[0].colour, kWhite);
  EXPECT_EQ(pieces[2].colour, kChannelColours[2]);
  EXPECT_EQ(pieces[3].colour, kWhite);

  // Before the trigger, and beyond the record: the time still, but no sample values.
  EXPECT_EQ(Texts(CursorReadouts(r, v, 0.0, 0.5)),
            (Want{"Xｶｰｿﾙ=-40us", "Ch1:-500mV", "Ch3:0A", "Yｶｰｿﾙ", "Ch1:-500mV", "Ch3:0A"}));
  EXPECT_EQ(Texts(CursorReadouts(r, v, 100.0 / 99.0, 0.5))[1], "Ch1:—") << "the sample after";
  v.WaveLoaded = false;
  EXPECT_TRUE(CursorReadouts(r, v, 0.5, 0.5).empty());
}

TEST(ReadoutsTest, MeasurementTableRowsInTheChannelsUnitsAndColours) {
  const WaveRecord r = Record();
  const MeasurementTable table = TabulateMeasurements(
      r.header, {{0, -1, 2, 3, 0.5, 0.001, std::nullopt}, {.channel = 2, .frequency = 2.5e6}});
  EXPECT_EQ(table.head[0], "測定");
  EXPECT_EQ(table.head.back(), "周波数") << "the frequency is the last column";
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0],
            (MeasurementRow{kChannelColours[0], {"Ch1", "-1V", "2V", "3V", "500mV", "1mV", "—"}}));
  EXPECT_EQ(table.rows[1].colour, kChannelColours[2]);
  EXPECT_EQ(table.rows[1].cells[1], "0A");
  EXPECT_EQ(table.rows[1].cells[6], "2.5MHz");
}

void ExpectPlacement(const CursorPlacement& p, const std::string& text, double fraction) {
  EXPECT_EQ(p.boxText, text);
  EXPECT_DOUBLE_EQ(p.fraction, fraction) << text;
}

TEST(CursorsTest, SliderTextsAndLinePositions) {
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
}

// Only numbers beyond the line's 32-bit twip coordinate (800 twips per division) fall back.
TEST(CursorsTest, TypedTimeCursorPosition) {
  const std::tuple<std::string, std::string, double> cases[] = {
      {"7", "7", 0.7},       {" 2.5 div", " 2.5 div", 0.25},   {"abc", "abc", 0.0},
      {"-1", "-1", -0.1},    {"2684354", "2684354", 268435.4}, {"-2684354", "-2684354", -268435.4},
      {"2684355", "5", 0.5}, {"-2684356", "5", 0.5},           {"1e400", "5", 0.5}};
  for (const auto& [in, text, fraction] : cases) ExpectPlacement(ExpPosEntered(in), text, fraction);
}

}  // namespace
}  // namespace sondrix
