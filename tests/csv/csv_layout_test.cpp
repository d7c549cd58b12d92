#include "csv/csv_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "support/read_file.h"

namespace sondrix {
namespace {

WaveHeader twoChannelHeader() {
  WaveHeader h;
  h.ModelName = "DSX2002QK-02\r";
  h.FileVersion = "1.02\r";
  h.AcqTime = "2026/12/06 10:11:12\r";
  h.AcqMode = "Normal\r";
  h.TimeDiv = 5e-4;
  h.Delay = -0.001;
  h.Delta = 5e-7;
  h.Points = 5000;
  h.TrigAddr = 2500;
  h.ChCount = 2;
  const auto set = [&h](std::size_t ch, float vdiv, float offset, const char* unit,
                        const char* display) {
    h.Channel[ch].Vdiv = vdiv;
    h.Channel[ch].Offset = offset;
    h.Channel[ch].Unit = unit;
    h.Channel[ch].Display = display;
  };
  set(0, 0.5f, 0.0f, "V", "ON");
  set(1, 2.0f, -0.25f, "A", "OFF");
  return h;
}

TEST(CsvHeaderText, WritesEveryLineInOrder) {
  EXPECT_EQ(CsvHeaderText(twoChannelHeader()),
            "ModelName,DSX2002QK-02\r\r\n"
            "FileVersion,1.02\r\r\n"
            "Acquisition Time, 2026/12/06 10:11:12\r\r\n"
            "Time/div(second), 5e-04 \r\n"
            "Delay (second),-0.001 \r\n"
            "Delta (second), 5e-07 \r\n"
            "Acquisition Mode,Normal\r\r\n"
            "Trigger Address, 2500 \r\n"
            "CH1 Display,ON\r\n"
            "CH2 Display,OFF\r\n"
            "CH1 V/div, 0.5 \r\n"
            "CH2 A/div, 2 \r\n"
            "CH1 Offset, 0 \r\n"
            "CH2 Offset,-0.25 \r\n"
            "CH1 Coupling,\r\n"
            "CH2 Coupling,\r\n"
            "CH1 Bandwidth,\r\n"
            "CH2 Bandwidth,\r\n"
            "Points , 5000 \r\n"
            "Time(s),Ch1 V,Ch2 A\r\n");
}

TEST(CsvHeaderText, ChannelCountDecidesLinesAndColumns) {
  const struct {
    std::int16_t chCount;
    int displayLines;
    const char* columns;
  } cases[] = {
      {0, 0, "Time(s),Ch1 ,Ch2 ,Ch3 ,Ch4 "}, {1, 1, "Time(s),Ch1 ,Ch2 ,Ch3 ,Ch4 "},
      {3, 3, "Time(s),Ch1 ,Ch2 ,Ch3 ,Ch4 "}, {4, 4, "Time(s),Ch1 ,Ch2 ,Ch3 ,Ch4 "},
      {9, 4, "Time(s),Ch1 ,Ch2 ,Ch3 ,Ch4 "}, {2, 2, "Time(s),Ch1 ,Ch2 "},
  };
  for (const auto& c : cases) {
    WaveHeader h;
    h.ChCount = c.chCount;
    const auto lines = testing::SplitCrLf(CsvHeaderText(h));
    int display = 0;
    for (const auto& line : lines) display += line.find(" Display,") != std::string::npos;
    EXPECT_EQ(display, c.displayLines) << c.chCount;
    EXPECT_EQ(lines.back(), c.columns) << c.chCount;
  }
}

TEST(ValueDecimals, FineForHighResolutionAveragedOrSixteenBitData) {
  const struct {
    const char* mode;
    std::int16_t dataWidth;
    int decimals;
  } cases[] = {
      {"HiRes", 1, 4},  {"Average", 1, 4}, {"Normal", 8, 4}, {"Normal", 64, 4},
      {"Normal", 1, 3}, {"hires", 1, 3},   {" High", 0, 3},  {"", 0, 3},
  };
  for (const auto& c : cases) {
    WaveHeader h;
    h.AcqMode = c.mode;
    h.DataWidth = c.dataWidth;
    EXPECT_EQ(ValueDecimals(h), c.decimals) << c.mode << " " << c.dataWidth;
  }
}

TEST(DataSkipFromText, LeadingNumberRoundedAndKeptInRange) {
  const struct {
    const char* text;
    int skip;
  } cases[] = {{"0", 0},   {"-5", 0},  {"abc", 0},      {"2000", 1000}, {"2.5", 2},
               {"3.5", 4}, {" 7x", 7}, {"1e999", 1000}, {"", 0}};
  for (const auto& c : cases) EXPECT_EQ(DataSkipFromText(c.text), c.skip) << c.text;
}

TEST(FormatDataLine, TimeIsRelativeToTheTrigger) {
  const std::vector<float> ch1{0.5f, -0.012f, 0.0f};
  const std::vector<float> ch2{12.0f, 1.0f, -1.0f};
  DataLineFormat f;
  f.columns = {ch1.data(), ch2.data(), nullptr, nullptr};
  f.columnCount = 2;
  f.trigAddr = 1;
  f.delta = 1e-6;
  std::string line(kMaxDataLineChars, '\0');
  const auto format = [&](std::int64_t i) {
    return std::string(line.data(), FormatDataLine(line.data(), f, i));
  };
  EXPECT_EQ(format(0), "-1.000000e-6,5.0000e-1,1.2000e1\r\n");
  EXPECT_EQ(format(1), ".000000e0,-1.2000e-2,1.0000e0\r\n");
  f.valueDecimals = kCoarseValueDecimals;
  EXPECT_EQ(format(2), "1.000000e-6,.000e0,-1.000e0\r\n");
}

}  // namespace
}  // namespace sondrix
