#include "wfm/wfm_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <span>
#include <string>
#include <system_error>

#include "io/byte_reader.h"
#include "model/messages.h"
#include "model/sample_buffers.h"
#include "model/scale.h"
#include "numtext/rounding.h"
#include "wfm/byte_order.h"
#include "wfm/messages.h"
#include "wfm/placed_samples.h"
#include "wfm/setup_lines.h"

namespace sondrix {
namespace {

constexpr std::string_view kEndLine = "[END OF SETUP]";
constexpr std::int64_t kShortHeaderSize = 57;
constexpr std::int64_t kLongHeaderSize = 62;
constexpr std::int64_t kChannelTableSize = 32;
constexpr int kMaxBlocks = 4;
// Setup lines are a few dozen characters; a "line" this long is binary data without its end
// line, and holding it would only exhaust memory.
constexpr std::size_t kMaxLineLength = 1 << 20;

ReadResult failure(std::string reason) { return {ReadStatus::ReadError, std::move(reason)}; }

std::string at(std::int64_t offset) { return "byte " + std::to_string(offset) + ": "; }

// The binary header's fields as the reader uses them.
struct BinaryLayout {
  std::int32_t points = 0;
  std::int32_t blockLen = 0;
  std::int32_t dataStart = 0;
  std::int16_t dataWidth = 0;
};

// The data-width field is taken without byte swapping: first byte low, divided by 256.
std::int16_t dataWidthOf(std::uint8_t first, std::uint8_t second) {
  const auto raw = static_cast<std::int16_t>(static_cast<std::uint16_t>(first | (second << 8)));
  return *RoundToInt16(raw / 256.0);  // |raw / 256| <= 128: always fits
}

bool isSixteenBit(std::int16_t dataWidth) { return dataWidth == 8 || dataWidth == 64; }

std::int64_t sampleSizeOf(const BinaryLayout& layout) {
  return isSixteenBit(layout.dataWidth) ? 2 : 1;
}

ReadResult readTextHeader(ByteReader& file, WaveRecord& record) {
  std::array<char, 2> ignored{};
  if (!file.read(ignored.data(), 2)) return failure("the file ends before its setup header");
  // The first two bytes are not looked at; the first line reads as if it began with "Mo".
  std::string line = "Mo";
  SetupLineState state;
  for (std::int64_t lineNo = 1;; ++lineNo) {
    const ByteReader::LineRead got = file.readLine(line, kMaxLineLength);
    if (got == ByteReader::LineRead::EndOfFile) {
      return failure("line " + std::to_string(lineNo) + ": the file ends before \"" +
                     std::string(kEndLine) + "\"");
    }
    if (got == ByteReader::LineRead::TooLong) {
      return failure("line " + std::to_string(lineNo) + ": longer than " +
                     std::to_string(kMaxLineLength) + " bytes, so not a setup line");
    }
    if (std::string_view(line).substr(0, kEndLine.size()) == kEndLine) return {};
    ReadResult result = ApplyHeaderLine(line, state, record);
    if (!result.ok()) {
      result.reason = "line " + std::to_string(lineNo) + ": " + result.reason;
      return result;
    }
    line.clear();
  }
}

// Fields are stored as they are taken: points, then the first index (which may fail), then the
// data width.
ReadResult readBinaryHeader(ByteReader& file, WaveRecord& record, BinaryLayout& layout) {
  const bool longHeader = record.header.WfmVersion >= 6;
  std::array<std::uint8_t, kLongHeaderSize> bytes{};
  const std::int64_t start = file.offset();
  if (!file.read(bytes.data(), longHeader ? kLongHeaderSize : kShortHeaderSize)) {
    return failure(at(start) + "the file ends within the binary header");
  }
  layout.points = Swap32(&bytes[28]);
  record.WfmPoints = layout.points;
  layout.blockLen = Swap32(&bytes[32]);
  const std::int64_t dataStart = std::int64_t{Swap32(&bytes[40])} + 4;
  if (dataStart > INT32_MAX) return failure(at(start + 40) + "the first sample index overflows");
  layout.dataStart = static_cast<std::int32_t>(std::max<std::int64_t>(dataStart, 0));
  const std::size_t widthAt = longHeader ? 48 : 44;
  layout.dataWidth = dataWidthOf(bytes[widthAt], bytes[widthAt + 1]);
  record.header.DataWidth = layout.dataWidth;
  return {};
}

// Checks every block's size before a sample is placed, so that a file cut short leaves the
// shown waveform's samples as they were.
ReadResult checkBlocks(const ByteReader& file, const BinaryLayout& layout, int blocks) {
  const std::int64_t blockBytes = std::int64_t{layout.blockLen} * sampleSizeOf(layout);
  const std::int64_t shownEnd = std::int64_t{layout.dataStart} + layout.points;
  for (int ch = 0; ch < blocks; ++ch) {
    const std::int64_t before = ch * blockBytes;
    const std::string where =
        at(file.offset() + before) + "the block of channel " + std::to_string(ch + 1);
    if (layout.blockLen < 1 || blockBytes > file.remaining() - before) {
      return failure(where + " ends before its " + std::to_string(layout.blockLen) + " samples");
    }
    if (shownEnd > layout.blockLen) {
      return failure(where + " holds " + std::to_string(layout.blockLen) + " samples, fewer than " +
                     std::to_string(shownEnd) + " (first index + points)");
    }
  }
  return {};
}

// The 16-bit negation of the lowest count is that count itself.
std::int16_t inverted(std::int16_t s) {
  return s == std::numeric_limits<std::int16_t>::min() ? s : static_cast<std::int16_t>(-s);
}

// Samples read as the file holds them into the storage of `samples` become counts in place:
// big-endian 16-bit ones swapped, 8-bit ones widened to the common scale (each step of theirs is
// kCountsPerStep counts), and negated where the channel is inverted. The 8-bit samples take the
// first `count` bytes and are widened from the last, so that none is overwritten before it is
// read.
template <bool kInvert>
void decodeInPlace(std::int16_t* samples, std::int64_t count, std::int64_t sampleSize) {
  if (sampleSize == 2) {
    // Each sample is read from and written to its own place only, so the loop goes in vectors.
    for (std::int64_t k = 0; k < count; ++k) {
      std::uint16_t word = 0;
      std::memcpy(&word, samples + k, sizeof word);
      word = static_cast<std::uint16_t>(word << 8 | word >> 8);
      // Negation modulo 2^16 leaves the lowest count as it is, as `inverted` does.
      if constexpr (kInvert) word = static_cast<std::uint16_t>(0u - word);
      samples[k] = static_cast<std::int16_t>(word);
    }
    return;
  }
  const auto* raw = reinterpret_cast<const std::uint8_t*>(samples);
  for (std::int64_t k = count - 1; k >= 0; --k) {
    const auto s = static_cast<std::int16_t>(static_cast<std::int8_t>(raw[k]) * kCountsPerStep);
    samples[k] = kInvert ? inverted(s) : s;
  }
}

void decodeInPlace(std::int16_t* samples, std::int64_t count, std::int64_t sampleSize,
                   bool invert) {
  (invert ? decodeInPlace<true> : decodeInPlace<false>)(samples, count, sampleSize);
}

std::string unreadableBlock(std::int64_t blockStart, int ch) {
  return at(blockStart) + "the block of channel " + std::to_string(ch + 1) + " could not be read";
}

// Reads the shown part of one block, whose size checkBlocks passed, into `target` (nullptr: the
// samples are passed over).
ReadResult readBlock(ByteReader& file, const BinaryLayout& layout, int ch, std::int16_t* target,
                     bool invert) {
  const std::int64_t sampleSize = sampleSizeOf(layout);
  const std::int64_t blockStart = file.offset();
  const std::int64_t count = layout.points;
  bool ok = file.skip(layout.dataStart * sampleSize);
  if (!target) {
    ok = ok && file.skip(count * sampleSize);
  } else {
    ok = ok && file.read(target, count * sampleSize);
    if (ok) decodeInPlace(target, count, sampleSize, invert);
  }
  const std::int64_t shownEnd = std::int64_t{layout.dataStart} + layout.points;
  ok = ok && file.skip((layout.blockLen - shownEnd) * sampleSize);
  if (!ok) return failure(unreadableBlock(blockStart, ch));
  return {};
}

// Everything before the samples: the setup and binary headers, the channel table and the check
// of every block's size. `file` is left at the first block.
ReadResult readHeaders(ByteReader& file, WaveRecord& record, BinaryLayout& layout) {
  if (ReadResult r = readTextHeader(file, record); !r.ok()) return r;

  const double timeDiv = record.header.TimeDiv;
  if (!(std::isfinite(timeDiv) && timeDiv != 0.0)) {
    return failure(at(file.offset()) + "the time per division is 0 or not finite");
  }

  if (ReadResult r = readBinaryHeader(file, record, layout); !r.ok()) return r;

  if (!file.skip(kChannelTableSize)) {
    return failure(at(file.offset()) + "the file ends within the channel table");
  }
  if (layout.points < 1) {
    return failure("the binary header gives " + std::to_string(layout.points) + " points");
  }
  if (layout.points > kSampleCapacity) {
    return failure("the binary header gives " + std::to_string(layout.points) +
                   " points, more than the " + std::to_string(kSampleCapacity) +
                   " the program holds");
  }
  if (!std::isfinite(timeDiv * kDivisionsX / layout.points)) {
    return failure("the sample interval of " + std::to_string(layout.points) + " points over " +
                   std::to_string(kDivisionsX) + " divisions is not finite");
  }
  if (record.WfmChannels < 1) {
    return failure("the model line gives " + std::to_string(record.WfmChannels) + " channels");
  }

  const std::int32_t stored = std::min(record.WfmChannels, kMaxBlocks);
  record.waveBuf = {layout.points, record.WfmChannels, stored};
  return checkBlocks(file, layout, stored);
}

bool invertedChannel(const WaveRecord& record, int ch) {
  return record.header.Channel[static_cast<std::size_t>(ch)].Chrev == "ON";
}

ReadResult readWfm(ByteReader& file, WaveRecord& record) {
  BinaryLayout layout;
  if (ReadResult r = readHeaders(file, record, layout); !r.ok()) return r;
  // A file that lacks a channel the load takes is refused after the read, so its samples are
  // only passed over; the others go straight into the source arrays, sized for drawing.
  const bool place = HoldsLoadedChannels(record);
  if (place) GrowSource(record.buffers, SourceSizeForDrawing(layout.points));
  for (int ch = 0; ch < record.waveBuf.storedChannels; ++ch) {
    std::int16_t* target =
        place ? record.buffers.SrcData[static_cast<std::size_t>(ch)].data() : nullptr;
    if (ReadResult r = readBlock(file, layout, ch, target, invertedChannel(record, ch)); !r.ok()) {
      return r;
    }
  }
  return {};
}

// The reports around a read of the file or bytes that `open` opens in `file`.
template <typename Open, typename Read>
ReadResult reportedRead(ByteReader& file, Open open, Read read, UiSink& ui) {
  ui.message(wfm_messages::kMayTakeAWhile);
  ReadResult result;
  try {
    const std::error_code opened = open(file);
    result = opened ? failure("the file cannot be opened: " + opened.message()) : read(file);
  } catch (const std::bad_alloc&) {
    result = failure(std::string(model_messages::kNotEnoughMemory) + " for the samples");
  }
  if (result.status == ReadStatus::ReadError) ui.message(wfm_messages::kReadError);
  if (result.ok()) ui.message(wfm_messages::kReadComplete);
  return result;
}

std::error_code openFile(ByteReader& file, const std::filesystem::path& path) {
  return file.open(path);
}

std::error_code openInMemory(ByteReader& file, std::string_view bytes) {
  file.openBytes(bytes);
  return {};
}

}  // namespace

ReadResult ReadWfmFile(const std::filesystem::path& path, WaveRecord& record, UiSink& ui) {
  ByteReader file;
  return reportedRead(
      file, [&](ByteReader& f) { return openFile(f, path); },
      [&](ByteReader& f) { return readWfm(f, record); }, ui);
}

ReadResult ReadWfmBytes(std::string_view bytes, WaveRecord& record, UiSink& ui) {
  ByteReader file;
  return reportedRead(
      file, [&](ByteReader& f) { return openInMemory(f, bytes); },
      [&](ByteReader& f) { return readWfm(f, record); }, ui);
}

ReadResult WfmSampleReader::readHeader(WaveRecord& record) {
  BinaryLayout layout;
  if (ReadResult r = readHeaders(file_, record, layout); !r.ok()) return r;
  blocksAt_ = file_.offset();
  sampleSize_ = sampleSizeOf(layout);
  blockBytes_ = std::int64_t{layout.blockLen} * sampleSize_;
  shownAt_ = std::int64_t{layout.dataStart} * sampleSize_;
  points_ = layout.points;
  channels_ = record.waveBuf.storedChannels;
  for (int ch = 0; ch < channels_; ++ch) {
    invert_[static_cast<std::size_t>(ch)] = invertedChannel(record, ch);
  }
  return {};
}

ReadResult WfmSampleReader::open(const std::filesystem::path& path, WaveRecord& record,
                                 UiSink& ui) {
  return reportedRead(
      file_, [&](ByteReader& f) { return openFile(f, path); },
      [&](ByteReader&) { return readHeader(record); }, ui);
}

ReadResult WfmSampleReader::openBytes(std::string_view bytes, WaveRecord& record, UiSink& ui) {
  return reportedRead(
      file_, [&](ByteReader& f) { return openInMemory(f, bytes); },
      [&](ByteReader&) { return readHeader(record); }, ui);
}

ReadResult WfmSampleReader::read(int ch, std::int64_t first, std::span<std::int16_t> out) const {
  const auto count = static_cast<std::int64_t>(out.size());
  if (ch < 0 || ch >= channels_ || first < 0 ||
      count > points_ - std::min<std::int64_t>(first, points_)) {
    return failure("samples " + std::to_string(first) + " to " + std::to_string(first + count) +
                   " of channel " + std::to_string(ch + 1) + " are not in the file");
  }
  const std::int64_t blockStart = blocksAt_ + ch * blockBytes_;
  if (!file_.readAt(blockStart + shownAt_ + first * sampleSize_, out.data(), count * sampleSize_)) {
    return failure(unreadableBlock(blockStart, ch));
  }
  decodeInPlace(out.data(), count, sampleSize_, invert_[static_cast<std::size_t>(ch)]);
  return {};
}

}  // namespace sondrix
