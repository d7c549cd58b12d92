#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sondrix {

inline constexpr int kChannelCount = 4;  // channels 0..3 in memory, CH1..CH4 in texts

// One channel's settings as the file describes them; probe factor already in Vdiv and Offset.
struct ChannelSetup {
  float Vdiv = 0.0f;        // volts per division
  float Offset = 0.0f;      // volts
  std::string Unit;         // one unit letter
  std::string Chrev;        // "ON" inverts the channel
  std::string Coupling;     // no reader sets it; exported empty
  std::string Bandwidth;    // no reader sets it; exported empty
  std::string Display;      // "ON" shows the channel
  std::int16_t DispOn = 0;  // 1 when Display is exactly "ON"
  std::string Probe;        // its leading number is the probe factor
  std::string AutoProbe;    // replaces Probe when Probe reads "AU"
  std::string RescaleOn;
  std::string RescaleA;  // factor, as text
  std::string RescaleB;  // offset, as text
};

// The setup values of the loaded waveform. A load overwrites only what its file carries, so
// members the file lacks keep the previous file's values.
struct WaveHeader {
  std::string ModelName;
  std::int16_t ChCount = 0;     // 2 selects the two-channel CSV layout
  std::int16_t WfmVersion = 0;  // 6 or more selects the long binary header
  std::string FileVersion;
  std::string AcqTime;
  std::string AcqMode;
  double TimeDiv = 0.0;  // seconds per division
  double Delay = 0.0;    // trigger delay, seconds
  double Delta = 0.0;    // sample interval, seconds
  std::int32_t Points = 0;
  std::int32_t TrigAddr = 0;  // sample index of the trigger, set by every draw
  std::array<ChannelSetup, kChannelCount> Channel;
  std::int16_t DataWidth = 0;  // 8 or 64: 16-bit samples; anything else: 8-bit
};

}  // namespace sondrix
