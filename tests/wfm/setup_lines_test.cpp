#include "wfm/setup_lines.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>

namespace sondrix {
namespace {

// Applies the lines in order, stopping at the first failure, as the reader does.
struct Header {
  WaveRecord record;
  SetupLineState state;

  ReadResult apply(std::initializer_list<std::string> lines) {
    for (const std::string& line : lines) {
      ReadResult r = ApplyHeaderLine(line, state, record);
      if (!r.ok()) return r;
    }
    return {};
  }
  bool ok(std::initializer_list<std::string> lines) { return apply(lines).ok(); }
  ChannelSetup& ch(int i) { return record.header.Channel[static_cast<std::size_t>(i)]; }
};

TEST(ModelLine, FindsTheSeriesAtColumn20Only) {
  // Channels and version, one digit each; -1: unknown (QK7002QK's first "QK" is at column 13).
  const std::tuple<std::string, int, int> cases[] = {
      {"DSX2002QK-02\r", 2, 0},  {"DSX7004ZT-06-4\r", 4, 6}, {"DSX7008ZT-05-8", 8, 5},
      {"DSX7004ZT-0X-Y", 0, 0},  {"DSX7004ZT-0614", 4, 6},   {"QK7002QK-02", -1, -1},
      {"DSX7004XY-06-4", -1, -1}};
  for (const auto& [model, channels, version] : cases) {
    Header h;
    const ReadStatus status = h.apply({"ModelName = " + model}).status;
    EXPECT_EQ(status, channels < 0 ? ReadStatus::UnknownSeries : ReadStatus::Ok) << model;
    const WaveHeader& w = h.record.header;
    EXPECT_EQ(w.ModelName, model) << "the name is kept even when unknown";
    if (channels < 0) continue;
    EXPECT_EQ(std::tuple(h.record.WfmChannels, w.ChCount, w.WfmVersion),
              std::tuple(channels, channels, version))
        << model;
  }
  Header caseSensitive;
  EXPECT_TRUE(caseSensitive.ok({"MODELNAME = DSX7004ZT-06-4"}));
  EXPECT_EQ(caseSensitive.record.header.ModelName, "") << "not a model line";
}

TEST(SetupLines, HeadingsChooseTheChannelDisplayNeedsOneAndValuesEndWithTheirColumns) {
  Header h;
  ASSERT_TRUE(h.ok({"Unit = A", "Display = ON", "[CHANNEL3]", "Display = off", "[MATH]",
                    "Display = ON", "[CHA]", "Display = ON"}));
  // No display before any heading or after a heading without digit, which selects channel 0;
  // other keys before any heading write to channel 0.
  EXPECT_EQ(
      std::tuple(h.ch(0).Unit, h.ch(0).Display, h.ch(2).Display, h.ch(2).DispOn, h.state.curCh),
      std::tuple("A", "", "OFF", 0, 0));
  Header afterMath;
  ASSERT_TRUE(afterMath.ok({"[CHANNEL2]", "[MEASURE]", "Display = ON", "Unit = W"}));
  EXPECT_EQ(std::tuple(afterMath.ch(1).Display, afterMath.ch(1).Unit), std::tuple("", "W"))
      << "other keys still write to the last channel";
  // A channel outside 1 to 4 fails at the next channel key.
  const std::pair<std::string, std::string> cases[] = {{"[CHANNEL0]", "channel 0 does not exist"},
                                                       {"[CHANNEL5]", "channel 5 does not exist"},
                                                       {"[CHANNEL]]", "channel 0 does not exist"}};
  for (const auto& [heading, reason] : cases) {
    Header outside;
    EXPECT_TRUE(outside.ok({heading, "Time/Div = 1ms"})) << heading;
    const ReadResult r = outside.apply({"Unit = V"});
    EXPECT_EQ(std::tuple(r.status, r.reason), std::tuple(ReadStatus::ReadError, reason));
  }
  // Only the heading's first digit counts; values end where their columns end.
  Header longer;
  ASSERT_TRUE(longer.ok({"[CHANNEL12]", "Probe = 1X\r", "Volts/Div = 000000000000000000025V",
                         "Offset = 000000000000000000035V", "Rescale A  = 00000000000000000003",
                         "ModelName = DSX7004ZT-06-4" + std::string(90, 'n'),
                         "FileVersion = " + std::string(101, 'v'),
                         "Acquisition Mode = " + std::string(101, 'm')}));
  const WaveHeader& w = longer.record.header;
  EXPECT_EQ(std::tuple(longer.ch(0).Vdiv, longer.ch(0).Offset, longer.ch(0).RescaleA,
                       w.ModelName.size(), w.FileVersion, w.AcqMode),
            std::tuple(2.0f, 3.0f, "3", 100u, std::string(100, 'v'), std::string(100, 'm')));
}

TEST(SetupLines, TakeEachValueFromItsColumnWithTheProbeFactorAndTheRescale) {
  Header h;
  ASSERT_TRUE(h.ok({"FileVersion = 1.20\r", "SaveTime = 2026/12/06 10:11:12\r",
                    "Acquisition Mode = Normal\r", "Time/Div = 500us\r", "Delay = -1.0E-3\r"}));
  ASSERT_TRUE(h.ok({"[CHANNEL1]", "Probe = AUX\r", "Auto Probe = 100X\r", "Volts/Div = 2V",
                    "[CHANNEL2]", "Probe = XX", "Volts/Div = 2V", "Offset = 1V"}));
  ASSERT_TRUE(h.ok({"[CHANNEL3]", "Probe = 10X\r", "Volts/Div = 1V", "Rescale A  = 2.0",
                    "Rescale B  = 100mV", "Rescale = ON\r", "Offset = 1V"}));
  ASSERT_TRUE(h.ok({"[CHANNEL4]\r", "Probe = 10X\r", "Volts/Div = 500mV\r", "Offset = -20mV\r",
                    "Invert = ON\r", "Display = ON\r", "Unit = A\r"}));
  const WaveHeader& w = h.record.header;
  // Texts taken whole keep the line's CR; the CR of a CR LF line is not part of an ON.
  EXPECT_EQ(std::tuple(w.FileVersion, w.AcqTime, w.AcqMode, w.TimeDiv, w.Delay),
            std::tuple("1.20\r", "2026/12/06 10:11:12\r", "Normal\r", 5e-4, -1e-3));
  const ChannelSetup& c = h.ch(3);  // the probe factor in Vdiv and Offset
  EXPECT_EQ(std::tuple(c.Probe, c.Chrev, c.Display, c.DispOn, c.Unit, c.Vdiv),
            std::tuple("10", "ON", "ON", 1, "A", 5.0f));
  EXPECT_FLOAT_EQ(c.Offset, -0.2f);
  EXPECT_EQ(std::tuple(h.ch(0).AutoProbe, h.ch(0).Probe, h.ch(0).Vdiv),
            std::tuple("100", "100", 200.0f))
      << "a probe of AU takes the auto probe text";
  EXPECT_EQ(std::tuple(h.ch(1).Vdiv, h.ch(1).Offset), std::tuple(0.0f, 0.0f))
      << "no number in the probe text";
  // The rescale acts on the volts seen so far: 2 x 10 V, and 2 x (10 V - 10 x 0.1 V).
  EXPECT_EQ(std::tuple(h.ch(2).RescaleA, h.ch(2).RescaleB, h.ch(2).Vdiv, h.ch(2).Offset),
            std::tuple("2", "0.1", 20.0f, 18.0f));

  // Rescale values stay from an earlier file; the probe must then be a plain number.
  EXPECT_EQ(h.apply({"[CHANNEL3]", "Probe = 10XX\r", "Offset = 0V"}).status, ReadStatus::ReadError);
  Header noFactor;
  EXPECT_EQ(noFactor.apply({"[CHANNEL1]", "Probe = 10X\r", "Rescale = ON", "Offset = 0V"}).status,
            ReadStatus::ReadError)
      << "no rescale factor was given";
}

TEST(SetupLines, ShortOrUnreadableValuesFailTheRead) {
  for (const std::string line :
       {"Probe", "Auto", "Delay = abc", "Delay", "Time/Div", "Volts/Div = 1E39V"}) {
    const ReadResult r = Header().apply({line});
    EXPECT_EQ(std::tuple(r.status, r.reason.empty()), std::tuple(ReadStatus::ReadError, false))
        << line;
  }
  EXPECT_TRUE(Header().ok({"Trigger Level = 1V", "", "\r", "random text"}));
}

}  // namespace
}  // namespace sondrix
