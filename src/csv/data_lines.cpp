#include "csv/data_lines.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "csv/messages.h"
#include "io/line_blocks.h"
#include "model/sample_allocator.h"
#include "numtext/fixed_decimal.h"
#include "numtext/leading_number.h"
#include "numtext/substrings.h"

namespace sondrix {
namespace {

// The upper bound of the volt arrays: the most samples one read stores.
constexpr std::int32_t kSampleLimit = kSampleCapacity - 1;
constexpr std::int32_t kSamplesPerPump = 10'000;
// The volt arrays double as the data arrive, from at least this many samples.
constexpr std::int64_t kFirstGrowth = 4096;
// Less text than this (about 3,000 lines) is parsed faster than a thread is started for it.
constexpr std::size_t kMinPieceBytes = std::size_t{128} * 1024;

// The volt arrays as the data section writes them: pointers that hold until the next pump or
// growth, after which they are looked up again (the window may grow the arrays during a pump).
class VoltColumns {
 public:
  using Pointers = std::array<float*, kChannelCount>;

  explicit VoltColumns(VoltArrays& volts) : volts_(volts) { refresh(); }

  void refresh() {
    size_ = kSampleCapacity;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      size_ = std::min(size_, static_cast<std::int64_t>(volts_[c].size()));
      columns_[c] = volts_[c].data();
    }
  }
  // Samples `from` to `to` (below kSampleCapacity) of every column become writable. The arrays
  // grow as if each sample asked in turn: doubling, so they end as large as a line-by-line read
  // leaves them.
  void makeRoomFor(std::int64_t from, std::int64_t to) {
    for (std::int64_t i = std::max(from, size_); i <= to; i = std::max(i + 1, size_)) {
      GrowVolts(volts_, std::min(std::max({size_ * 2, i + 1, kFirstGrowth}),
                                 std::int64_t{kSampleCapacity}));
      refresh();
    }
  }
  // Storage for the samples a file states, taken at once: the arrays still grow as above, but
  // within it, so a long file's arrays are not copied and touched again at every doubling. Only a
  // hint: without the memory, or for a wrong count, they grow as they would have.
  void reserveFor(std::int64_t samples) {
    std::int64_t room = size_;
    while (room < samples && room < kSampleCapacity) {
      room = std::min(std::max(room * 2, kFirstGrowth), std::int64_t{kSampleCapacity});
    }
    if (room <= size_) return;
    try {
      for (auto& column : volts_) column.reserve(static_cast<std::size_t>(room));
    } catch (const std::bad_alloc&) {
      return;
    }
    refresh();
  }
  const Pointers& columns() const { return columns_; }

 private:
  VoltArrays& volts_;
  Pointers columns_{};
  std::int64_t size_ = 0;
};

// From the column header on only the four value slots of the field table are read, and only for
// their numbers. So each keeps its converted value instead of its text, and a data line is split
// in place, as Get_Items would split it, without copying its fields or upper-casing it (case
// changes no number). Slots the line does not reach keep their value, as the table keeps its text.
using ValueSlots = std::array<std::optional<float>, kChannelCount>;
using SlotSet = unsigned;  // bit c: the line set value slot c

SlotSet splitValues(std::string_view text, std::size_t first, ValueSlots& value) {
  SlotSet set = 0;
  const auto giveUp = [&] {  // slots 0 and 1 emptied: an empty text converts to nothing
    for (std::size_t slot = 0; slot < 2; ++slot) {
      if (slot >= first && slot < first + kChannelCount) {
        value[slot - first].reset();
        set |= 1U << (slot - first);
      }
    }
    return set;
  };
  if (text.size() > kMaxSplitChars) return giveUp();
  std::size_t slot = 0;
  std::size_t start = 0;
  for (;;) {
    if (slot == kFieldSlots) return giveUp();
    std::size_t comma = std::string_view::npos;
    if (slot >= first && slot < first + kChannelCount) {
      float number = 0.0f;
      std::optional<float>& into = value[slot - first];
      std::size_t used = 0;
      // Most fields are plain numbers, read without first looking for their end.
      if (ParseFloatField(text.substr(start), used, number)) {
        comma = start + used == text.size() ? std::string_view::npos : start + used;
        into = number;
      } else {
        comma = text.find(',', start);
        const std::size_t length = comma == std::string_view::npos ? comma : comma - start;
        if (ParseStrictFloat(text.substr(start, length), number)) {
          into = number;
        } else {
          into.reset();
        }
      }
      set |= 1U << (slot - first);
    } else {
      comma = text.find(',', start);
    }
    ++slot;
    if (comma == std::string_view::npos) return set;
    start = comma + 1;
  }
}

// What a piece's lines leave in a sample of each channel, in line order: a value, or one of two
// NaNs that no conversion gives (ParseStrictFloat refuses "nan" and every infinity): the sample
// stays as it was, or it takes what the lines before the piece left in the slot.
constexpr std::uint32_t kKeepBits = 0x7FC0'0001;
constexpr std::uint32_t kCarryBits = 0x7FC0'0002;
using Row = std::array<float, kChannelCount>;
// On 2 MB pages once they are that large: a long file's first rows land in fresh memory.
using Rows = std::vector<Row, SampleAllocator<Row>>;
// Rows are taken for a piece's bytes at this many per line at once, so that a file of data lines
// grows them seldom; a piece of shorter lines grows them as it needs.
constexpr std::size_t kBytesPerLineGuess = 32;

// A piece of a block, from a line start to a line start (or the block's end), and what its lines
// leave for the samples and for the pieces after it.
struct Piece {
  const char* begin = nullptr;
  const char* end = nullptr;
  Rows rows;                      // one for each data line; comments and empty lines are left out
  SlotSet set = 0;                // the slots any of its lines set
  ValueSlots value;               // the slots' values after its last line
  bool firstHoldsNumber = false;  // its first data line converts in one of its own value fields
};

// A data line of the plain form the instrument and the converter write: the fields before the
// values, then kChannelCount values of the fixed form and the line's end. Reads its values and
// moves `at` past it; false, moving nothing, for any other line, which the splitting above then
// reads. Both give the same floats.
bool readPlainLine(const char*& at, const char* end, std::size_t first, Row& values) {
  if (first + kChannelCount > kFieldSlots || at == end || *at == '/') return false;
  const char* p = at;
  for (std::size_t skipped = 0; skipped < first; ++skipped) {
    constexpr std::ptrdiff_t kLongestSkipped = 64;  // a time or a count
    const char* const stop = p + std::min(end - p, kLongestSkipped);
    while (p < stop && *p != ',' && *p != '\n' && *p != '\r') ++p;
    if (p == stop || *p != ',') return false;
    ++p;
  }
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    double value = 0.0;
    const char* stop = ReadFixedDecimal(p, end, value);
    if (stop == nullptr || stop == end) return false;
    values[c] = static_cast<float>(value);
    if (c + 1 < kChannelCount) {
      if (*stop != ',') return false;
    } else {
      if (*stop == '\r') ++stop;
      if (stop == end || *stop != '\n') return false;
    }
    p = stop + 1;
  }
  at = p;
  return true;
}

// The piece's lines, split as ReadTextLine splits them, into its rows. The work is done on this
// thread's own copies: the pieces lie side by side, and threads writing their slots and row ends
// line by line would pass one cache line to and fro.
void parsePiece(std::size_t firstValueField, Piece& piece) {
  Rows rows = std::move(piece.rows);
  rows.clear();
  rows.reserve(static_cast<std::size_t>(piece.end - piece.begin) / kBytesPerLineGuess);
  SlotSet set = 0;
  ValueSlots value = piece.value;
  bool firstHoldsNumber = false;
  std::string scratch;
  constexpr SlotSet kEverySlot = (1U << kChannelCount) - 1;
  for (const char* at = piece.begin; at < piece.end;) {
    // The first line is judged on its own fields below; most of the others are plain.
    if (Row plain; !rows.empty() && readPlainLine(at, piece.end, firstValueField, plain)) {
      for (std::size_t c = 0; c < kChannelCount; ++c) value[c] = plain[c];
      set |= kEverySlot;
      rows.push_back(plain);
      continue;
    }
    const std::string_view line = NextBlockLine(at, piece.end, scratch);
    if (line.empty() || line.front() == '/') continue;
    const std::string_view text = TrimBlanks(line);
    if (rows.empty()) {
      // Judged on the line's own fields: the slots may hold numbers of the lines before.
      ValueSlots own;
      splitValues(text, firstValueField, own);
      firstHoldsNumber = std::ranges::any_of(own, [](const auto& v) { return v.has_value(); });
    }
    set |= splitValues(text, firstValueField, value);
    Row& row = rows.emplace_back();
    for (std::size_t c = 0; c < kChannelCount; ++c) {
      const std::uint32_t mark = (set >> c & 1U) ? kKeepBits : kCarryBits;
      row[c] = value[c] && (set >> c & 1U) ? *value[c] : std::bit_cast<float>(mark);
    }
  }
  piece.rows = std::move(rows);
  piece.set = set;
  piece.value = value;
  piece.firstHoldsNumber = firstHoldsNumber;
}

// Where a piece's rows go: samples `first` on, as many as `count` (fewer than its rows at the
// sample limit), and what the lines before it left in the slots.
struct Placement {
  std::int32_t first = 0;
  std::int32_t count = 0;
  ValueSlots carried;
};

// The rows of a piece into their samples.
void storeRows(const Rows& rows, const Placement& at, const VoltColumns::Pointers& columns) {
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    float* out = columns[c] + at.first;
    for (std::int32_t j = 0; j < at.count; ++j) {
      const float v = rows[static_cast<std::size_t>(j)][c];
      const auto bits = std::bit_cast<std::uint32_t>(v);
      if (bits == kCarryBits) {
        if (at.carried[c]) out[j] = *at.carried[c];
      } else if (bits != kKeepBits) {
        out[j] = v;
      }
    }
  }
}

// `work(p)` for every piece p, one thread each, while this thread runs `meanwhile`; returns when
// all are done.
template <typename Work, typename Meanwhile>
void onEveryPiece(std::size_t pieces, const Work& work, const Meanwhile& meanwhile) {
  std::vector<std::jthread> workers;
  workers.reserve(pieces);
  for (std::size_t p = 0; p < pieces; ++p) {
    try {
      workers.emplace_back(work, p);
    } catch (const std::system_error&) {
      work(p);  // no thread to be had: this one does it
    }
  }
  meanwhile();
}  // the workers are joined here

// The block cut at line ends into pieces of about equal size.
void cutBlock(const DataSplit& split, const LineBlock& block, std::vector<Piece>& pieces) {
  const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
  const std::size_t worth = (block.size() + kMinPieceBytes - 1) / kMinPieceBytes;
  const std::size_t wanted = split.pieces > 0 ? split.pieces : std::min<std::size_t>(cores, worth);
  const std::size_t count = std::max<std::size_t>(wanted, 1);
  pieces.resize(count);  // the pieces keep their rows' storage from block to block
  const char* const begin = block.data();
  const char* const end = begin + block.size();
  const char* at = begin;
  for (std::size_t p = 0; p < count; ++p) {
    pieces[p].begin = at;
    const char* cut = begin + block.size() * (p + 1) / count;
    if (cut > at && cut < end) {
      // The piece ends after the LF that ends the line the cut falls in.
      const auto* lf = static_cast<const char*>(
          std::memchr(cut - 1, '\n', static_cast<std::size_t>(end - (cut - 1))));
      cut = lf ? lf + 1 : end;
    }
    at = std::max(at, std::min(cut, end));
    pieces[p].end = at;
  }
}

// "データindex=" and the count, and one pump, for every 10,000th sample after `from` up to `to`.
void reportSamples(UiSink& ui, std::int32_t from, std::int32_t to) {
  for (std::int32_t i = (from / kSamplesPerPump + 1) * kSamplesPerPump; i <= to;
       i += kSamplesPerPump) {
    ui.detail(csv_messages::kDataIndex + std::to_string(i));
    ui.pumpEvents();
  }
}

}  // namespace

std::int32_t ReadDataLines(TextFile& file, const FieldTable& f, std::size_t firstValueField,
                           VoltArrays& volts, UiSink& ui, const DataSplit& split,
                           bool& firstLineHoldsNumber, std::int32_t statedSamples) {
  ValueSlots carried;
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    carried[c] = ParseStrictFloat(f[firstValueField + c]);
  }
  VoltColumns columns(volts);
  columns.reserveFor(std::min(statedSamples, kSampleLimit));
  LineBlocks reader;
  std::array<LineBlock, 2> blocks;
  reader.next(file, split.blockBytes, blocks[0]);
  std::vector<Piece> pieces;
  std::int32_t samples = 0;
  std::vector<Placement> places;
  for (std::size_t k = 0; !blocks[k % 2].empty() && samples < kSampleLimit; ++k) {
    cutBlock(split, blocks[k % 2], pieces);
    onEveryPiece(
        pieces.size(), [&](std::size_t p) { parsePiece(firstValueField, pieces[p]); },
        [&] { reader.next(file, split.blockBytes, blocks[(k + 1) % 2]); });
    // In line order: where each piece's rows go and what the pieces before leave in the slots.
    const std::int32_t blockStart = samples;
    places.assign(pieces.size(), Placement{});
    for (std::size_t p = 0; p < pieces.size(); ++p) {
      const Piece& piece = pieces[p];
      if (samples == 0 && !piece.rows.empty()) firstLineHoldsNumber = piece.firstHoldsNumber;
      places[p] = {samples,
                   static_cast<std::int32_t>(std::min(
                       piece.rows.size(), static_cast<std::size_t>(kSampleLimit - samples))),
                   carried};
      samples += places[p].count;
      for (std::size_t c = 0; c < kChannelCount; ++c) {
        if (piece.set >> c & 1U) carried[c] = piece.value[c];
      }
    }
    columns.makeRoomFor(blockStart, samples - 1);
    const VoltColumns::Pointers at = columns.columns();
    onEveryPiece(
        pieces.size(), [&](std::size_t p) { storeRows(pieces[p].rows, places[p], at); }, [] {});
    reportSamples(ui, blockStart, samples);
    columns.refresh();
  }
  return samples;
}

}  // namespace sondrix
