#include "csv/csv_layout.h"
#include "csv/csv_name.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/files.h"

namespace sondrix {
namespace {

TEST(CsvHeaderText, WritesEveryLineInOrderPerChannelCount) {
  WaveHeader h;
  std::tie(h.ModelName, h.FileVersion, h.AcqTime, h.AcqMode) =
      std::tuple("DSX2002QK-02\r", "1.02\r", "2026/12/06 10:11:12\r", "Normal\r");
  std::tie(h.TimeDiv, h.Delay, h.Delta, h.Points, h.TrigAddr, h.ChCount) =
      std::tuple(5e-4, -0.001, 5e-7, 5000, 2500, 2);
  auto& [ch1, ch2, ch3, ch4] = h.Channel;
  std::tie(ch1.Vdiv, ch1.Unit, ch1.Display) = std::tuple(0.5f, 'V', "ON");
  std::tie(ch2.Vdiv, ch2.Offset, ch2.Unit, ch2.Display) = std::tuple(2.0f, -0.25f, 'A', "OFF");
  EXPECT_EQ(CsvHeaderText(h),
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
  // Per-channel lines for channels 1 to min(ChCount, 4); four value columns unless ChCount is 2.
  for (const auto& [chCount, channels] :
       {std::pair<std::int16_t, unsigned>{0, 0}, {3, 3}, {9, 4}}) {
    h.ChCount = chCount;
    const auto lines = testing::SplitCrLf(CsvHeaderText(h));
    EXPECT_EQ(lines.size(), 10u + 5u * channels) << chCount;  // 9 lines, 5 a channel, the columns
    EXPECT_EQ(lines.back(), "Time(s),Ch1 V,Ch2 A,Ch3 ,Ch4 ") << chCount;
  }
}

TEST(ValueDecimals, FineForHighResolutionAveragedOrSixteenBitData) {
  const std::tuple<const char*, std::int16_t, int> rows[] = {
      {"HiRes", 1, 4},  {"Average", 1, 4}, {"Normal", 8, 4}, {"Normal", 64, 4},
      {"Normal", 1, 3}, {"hires", 1, 3},   {" High", 0, 3},  {"", 0, 3},
  };
  for (const auto& [mode, dataWidth, decimals] : rows) {
    WaveHeader h;
    h.AcqMode = mode;
    h.DataWidth = dataWidth;
    EXPECT_EQ(ValueDecimals(h), decimals) << mode << " " << dataWidth;
  }
}

TEST(DataSkipFromText, LeadingNumberRoundedAndKeptInRange) {
  const std::pair<const char*, int> rows[] = {{"-5", 0},  {"2000", 1000}, {"2.5", 2},
                                              {"3.5", 4}, {" 7x", 7},     {"1e999", 1000}};
  for (const auto& [text, skip] : rows) EXPECT_EQ(DataSkipFromText(text), skip) << text;
}

TEST(FormatDataLine, TimeIsRelativeToTheTrigger) {
  const std::vector<float> ch1{0.5f, -0.012f, 0.0f};
  const std::vector<float> ch2{12.0f, 1.0f, -1.0f};
  DataLineFormat f{
      .columns = {ch1.data(), ch2.data()}, .columnCount = 2, .trigAddr = 1, .delta = 1e-6};
  char line[kMaxDataLineChars] = {};
  EXPECT_EQ(std::string(line, FormatDataLine(line, f, 0)), "-1.000000e-6,5.0000e-1,1.2000e1\r\n");
  f.valueDecimals = kCoarseValueDecimals;
  EXPECT_EQ(std::string(line, FormatDataLine(line, f, 2)), "1.000000e-6,.000e0,-1.000e0\r\n");
  // Four value columns unless told otherwise.
  f = {.columns = {ch1.data(), ch2.data(), ch1.data(), ch2.data()}, .delta = 1e-6};
  EXPECT_EQ(std::string(line, FormatDataLine(line, f, 1)),
            "1.000000e-6,-1.2000e-2,1.0000e0,-1.2000e-2,1.0000e0\r\n");
}

// The first ".WFM" (any case, not at the start) and all after it become ".CSV"; else it is added.
TEST(CsvNameForWfmTest, CutAtTheFirstWfmAnyCase) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"Ab.Wfm", "Ab.CSV"}, {"x.wfm.WFM.bak", "x.CSV"}, {"\xe6\xb3\xa2.WFM", "\xe6\xb3\xa2.CSV"},
      {".WFM", ".WFM.CSV"}, {"xWFM", "xWFM.CSV"},       {"", ".CSV"}};
  for (const auto& [name, want] : cases) EXPECT_EQ(CsvNameForWfm(name), want) << name;
}

}  // namespace
}  // namespace sondrix
