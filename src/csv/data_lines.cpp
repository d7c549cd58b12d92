#include "csv/data_lines.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "csv/messages.h"
#include "numtext/leading_number.h"
#include "numtext/substrings.h"

namespace sondrix {
namespace {

// The upper bound of the volt arrays: the most samples one read stores.
constexpr std::int32_t kSampleLimit = kSampleCapacity - 1;
constexpr std::int32_t kSamplesPerPump = 10'000;
// The volt arrays double as the data arrive, from at least this many samples.
constexpr std::int64_t kFirstGrowth = 4096;
// A block ends after this much text, so that two blocks in flight stay small however long the
// lines are; about 180,000 lines of the instrument's files.
constexpr std::size_t kBlockBytes = std::size_t{8} << 20;
// Fewer lines than this are parsed faster than a thread is started for them (about 0.2 ms).
constexpr std::int32_t kMinPieceLines = 4096;

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
    const std::size_t comma = text.find(',', start);
    if (slot == kFieldSlots) return giveUp();
    if (slot >= first && slot < first + kChannelCount) {
      const std::size_t length = comma == std::string_view::npos ? comma : comma - start;
      value[slot - first] = ParseStrictFloat(text.substr(start, length));
      set |= 1U << (slot - first);
    }
    ++slot;
    if (comma == std::string_view::npos) return set;
    start = comma + 1;
  }
}

// Data lines as read, trimmed, one after another; comments and empty lines are left out, so
// line j is sample firstSample + j.
struct LineBlock {
  std::string text;
  std::vector<std::size_t> starts;  // where each line begins, then the end of the last
  std::int32_t firstSample = 0;

  std::int32_t lines() const { return static_cast<std::int32_t>(starts.size()) - 1; }
  std::string_view line(std::int32_t j) const {
    const auto at = static_cast<std::size_t>(j);
    return std::string_view(text).substr(starts[at], starts[at + 1] - starts[at]);
  }
};

// The next block: up to `maxLines` data lines, the sample limit or the end of the file.
void readBlock(TextFile& file, std::string& line, std::size_t firstValueField,
               std::int32_t maxLines, LineBlock& block, bool& firstLineHoldsNumber) {
  block.text.clear();
  block.starts.clear();
  const auto most = static_cast<std::size_t>(std::min(maxLines, kSampleLimit - block.firstSample));
  while (block.starts.size() < most && block.text.size() < kBlockBytes && !file.atEnd()) {
    ReadTextLine(file, line);
    if (line.empty() || line.front() == '/') continue;
    const std::string_view text = TrimBlanks(line);
    if (block.firstSample == 0 && block.starts.empty()) {
      // Judged on the line's own fields: the slots may hold numbers of the header lines.
      ValueSlots own;
      splitValues(text, firstValueField, own);
      firstLineHoldsNumber = std::ranges::any_of(own, [](const auto& v) { return v.has_value(); });
    }
    block.starts.push_back(block.text.size());
    // Every text beyond the split's limit is given up alike, so no more of it is kept.
    block.text.append(text.substr(0, kMaxSplitChars + 1));
  }
  block.starts.push_back(block.text.size());
}

// Lines `from` to `to` (excluded) of a block, and what they leave for the pieces after them:
// the line where each slot is first set, and the slots' values after the last line.
struct Piece {
  std::int32_t from = 0;
  std::int32_t to = 0;
  std::array<std::int32_t, kChannelCount> firstSet{};  // `to` for a slot no line sets
  ValueSlots value;
};

// The piece's lines into their samples, for the slots its own lines have set; the samples
// before a slot is first set are left to carryOver.
void parsePiece(const LineBlock& block, std::size_t firstValueField,
                const VoltColumns::Pointers& columns, Piece& piece) {
  piece.firstSet.fill(piece.to);
  SlotSet known = 0;
  for (std::int32_t j = piece.from; j < piece.to; ++j) {
    const SlotSet set = splitValues(block.line(j), firstValueField, piece.value);
    for (std::size_t c = 0; c < kChannelCount; ++c) {
      if ((set & ~known) >> c & 1U) piece.firstSet[c] = j;
    }
    known |= set;
    const auto i = static_cast<std::size_t>(block.firstSample) + static_cast<std::size_t>(j);
    for (std::size_t c = 0; c < kChannelCount; ++c) {
      // A value that does not convert leaves the sample as it was.
      if ((known >> c & 1U) && piece.value[c]) columns[c][i] = *piece.value[c];
    }
  }
}

// In line order: the samples of a piece before its lines set a slot take what the lines before
// left in the slot (nothing: they stay as they were), and `carried` takes what the piece leaves.
void carryOver(const LineBlock& block, const std::vector<Piece>& pieces,
               const VoltColumns::Pointers& columns, ValueSlots& carried) {
  for (const Piece& piece : pieces) {
    for (std::size_t c = 0; c < kChannelCount; ++c) {
      if (carried[c]) {
        std::fill(columns[c] + block.firstSample + piece.from,
                  columns[c] + block.firstSample + piece.firstSet[c], *carried[c]);
      }
      if (piece.firstSet[c] < piece.to) carried[c] = piece.value[c];
    }
  }
}

// The block's lines cut into pieces of (nearly) equal line counts.
void cutBlock(const DataSplit& split, std::int32_t lines, std::vector<Piece>& pieces) {
  const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
  const auto worth = static_cast<unsigned>((lines + kMinPieceLines - 1) / kMinPieceLines);
  const unsigned wanted = split.pieces > 0 ? split.pieces : std::min(cores, worth);
  // lines is at most the sample limit, so every bound fits.
  const unsigned count = std::clamp(wanted, 1U, static_cast<unsigned>(std::max(lines, 1)));
  pieces.assign(count, Piece{});
  for (unsigned p = 0; p < count; ++p) {
    pieces[p].from = static_cast<std::int32_t>(std::int64_t{lines} * p / count);
    pieces[p].to = static_cast<std::int32_t>(std::int64_t{lines} * (p + 1) / count);
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
                           bool& firstLineHoldsNumber) {
  ValueSlots carried;
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    carried[c] = ParseStrictFloat(f[firstValueField + c]);
  }
  VoltColumns columns(volts);
  std::string line;
  std::array<LineBlock, 2> blocks;
  const std::int32_t blockLines = std::max(split.blockLines, 1);
  readBlock(file, line, firstValueField, blockLines, blocks[0], firstLineHoldsNumber);
  std::vector<Piece> pieces;
  for (std::size_t k = 0;; ++k) {
    const LineBlock& block = blocks[k % 2];
    const std::int32_t lines = block.lines();
    if (lines == 0) return block.firstSample;
    const std::int32_t endSample = block.firstSample + lines;
    columns.makeRoomFor(block.firstSample, endSample - 1);
    cutBlock(split, lines, pieces);
    const VoltColumns::Pointers at = columns.columns();
    {
      std::vector<std::jthread> workers;
      workers.reserve(pieces.size());
      for (Piece& piece : pieces) {
        const auto parse = [&block, firstValueField, &at, &piece] {
          parsePiece(block, firstValueField, at, piece);
        };
        try {
          workers.emplace_back(parse);
        } catch (const std::system_error&) {
          parse();  // no thread to be had: this one parses the piece
        }
      }
      LineBlock& next = blocks[(k + 1) % 2];
      next.firstSample = endSample;
      readBlock(file, line, firstValueField, blockLines, next, firstLineHoldsNumber);
    }  // the workers are joined here
    carryOver(block, pieces, at, carried);
    reportSamples(ui, block.firstSample, endSample);
    columns.refresh();
  }
}

}  // namespace sondrix
