#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/wave_header.h"
#include "numtext/sci_format.h"

namespace sondrix {

// The export's lines before the data: the header lines, one volts-per-division line per channel
// (so that the file can be read back at its scale) and the column-header line; CR LF after each.
std::string CsvHeaderText(const WaveHeader& header);

// Digits after the point of the volt columns: 4 for high-resolution or averaged acquisitions and
// for 16-bit data, 3 for other 8-bit data.
int ValueDecimals(const WaveHeader& header);

// Two value columns for a two-channel record, four for every other channel count.
int ValueColumns(const WaveHeader& header);

// The largest decimation interval: every 1001st sample. The text box, the converter's --skip
// and the writer all keep the interval within 0..kMaxDataSkip.
inline constexpr int kMaxDataSkip = 1000;

// The decimation interval of a text box: leading number, rounded half to even, kept in
// 0..kMaxDataSkip.
int DataSkipFromText(std::string_view text);

// Everything one data line needs; the columns point at volt arrays of at least Points samples.
struct DataLineFormat {
  std::array<const float*, kChannelCount> columns{};
  int columnCount = 4;
  std::int32_t trigAddr = 0;
  double delta = 0.0;
  int valueDecimals = kFineValueDecimals;
};

inline constexpr std::size_t kMaxDataLineChars = (kChannelCount + 1) * (kSciMaxChars + 1) + 2;

// Writes the line of sample `index` (time, the volts, CR LF) and returns its end.
char* FormatDataLine(char* out, const DataLineFormat& format, std::int64_t index);

}  // namespace sondrix
