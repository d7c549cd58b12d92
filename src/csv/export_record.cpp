#include "csv/export_record.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <utility>

#include "csv/csv_writer.h"
#include "csv/messages.h"

namespace sondrix {
namespace {

// Counts read per call, on the stack of the thread that formats them: 32 KB, a few thousand
// reads for a 5,000,000-point capture's four channels.
constexpr std::int64_t kWindowCounts = 16384;
using CountWindow = std::array<std::int16_t, kWindowCounts>;

// The counts of the record, read piece by piece: a displayed channel's from the file (0 for
// one the file does not hold, as in a fresh record), with its volts as ToVolts makes them (0
// where they do not fit); a channel that is not displayed is written as 0 volts.
class FileCountSource final : public CsvCountSource {
 public:
  FileCountSource(const WaveHeader& header, int channels, ChannelCounts& counts)
      : header_(header), channels_(channels), counts_(counts) {
    // Asked once for each count of each column, so the display texts are read here, once.
    for (std::size_t c = 0; c < displayed_.size(); ++c)
      displayed_[c] = IsDisplayed(header.Channel[c]);
  }

  bool fill(std::int64_t firstLine, std::int64_t lines, std::int64_t step,
            std::span<std::int16_t* const> columns) override {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      std::int16_t* to = columns[c];
      if (!displayed_[c] || std::cmp_greater_equal(c, channels_)) {
        std::fill_n(to, lines, std::int16_t{0});
      } else if (!fillChannel(static_cast<int>(c), firstLine, lines, step, to)) {
        return false;
      }
    }
    return true;
  }

  float volts(int column, std::int16_t count) const override {
    const auto c = static_cast<std::size_t>(column);
    return displayed_[c] ? FittedVolts(count, header_.Channel[c]).value_or(0.0f) : 0.0f;
  }

 private:
  // Reads every sample, or windows of samples of which every step-th is kept.
  bool fillChannel(int ch, std::int64_t firstLine, std::int64_t lines, std::int64_t step,
                   std::int16_t* to) {
    if (step == 1) {
      return counts_.read(ch, firstLine, std::span(to, static_cast<std::size_t>(lines)));
    }
    CountWindow window;
    for (std::int64_t k = 0; k < lines;) {
      const std::int64_t take = std::min(lines - k, (kWindowCounts - 1) / step + 1);
      const auto span = static_cast<std::size_t>((take - 1) * step + 1);
      if (!counts_.read(ch, (firstLine + k) * step, std::span(window).first(span))) return false;
      for (std::int64_t j = 0; j < take; ++j)
        to[k + j] = window[static_cast<std::size_t>(j * step)];
      k += take;
    }
    return true;
  }

  const WaveHeader& header_;
  int channels_;
  ChannelCounts& counts_;
  std::array<bool, kChannelCount> displayed_{};
};

enum class Fit { Fits, Unfit, ReadFailed };

// The least and greatest of the first `points` counts of channel `ch`.
std::optional<std::array<std::int16_t, 2>> countRange(ChannelCounts& counts, int ch,
                                                      std::int64_t points) {
  std::array<std::int16_t, 2> range{std::numeric_limits<std::int16_t>::max(),
                                    std::numeric_limits<std::int16_t>::min()};
  CountWindow window;
  for (std::int64_t first = 0; first < points; first += kWindowCounts) {
    const auto n = static_cast<std::size_t>(std::min(kWindowCounts, points - first));
    const std::span<std::int16_t> read = std::span(window).first(n);
    if (!counts.read(ch, first, read)) return std::nullopt;
    const auto [low, high] = std::ranges::minmax(read);
    range = {std::min(range[0], low), std::max(range[1], high)};
  }
  return range;
}

// Whether the volts of every displayed channel fit, as ToVoltsForDisplayed finds before a store.
// Volts grow or fall with the count (a product exact in double, then one rounded subtraction),
// so the counts between two that fit fit too: the extremes of the count range settle most
// channels at once, and the others by their own least and greatest counts.
Fit displayedVoltsFit(const WaveHeader& header, int channels, ChannelCounts& counts) {
  for (int ch = 0; ch < kChannelCount; ++ch) {
    const ChannelSetup& setup = header.Channel[static_cast<std::size_t>(ch)];
    if (!IsDisplayed(setup)) continue;
    const auto fits = [&](std::int16_t count) { return FittedVolts(count, setup).has_value(); };
    if (ch >= channels) {
      if (!fits(0)) return Fit::Unfit;
      continue;
    }
    if (fits(std::numeric_limits<std::int16_t>::min()) &&
        fits(std::numeric_limits<std::int16_t>::max())) {
      continue;
    }
    const auto range = countRange(counts, ch, header.Points);
    if (!range) return Fit::ReadFailed;
    if (!fits((*range)[0]) || !fits((*range)[1])) return Fit::Unfit;
  }
  return Fit::Fits;
}

}  // namespace

ExportResult ExportRecord(WaveRecord& record, const CountsOfChannel& counts,
                          const std::filesystem::path& path, int skip, UiSink& ui,
                          const ExportOptions& options) {
  if (!ToVoltsForDisplayed(record, counts) && options.unfit == UnfitVolts::Refuse) {
    return {ExportResult::Status::UnfitVolts, csv_messages::kVoltsDoNotFit};
  }
  if (options.beforeWrite) options.beforeWrite();
  CsvWriteResult written = WriteCsvFile(path, record.header, record.buffers.VoltData, skip, ui,
                                        options.rules, options.threads);
  if (!written.ok()) return {ExportResult::Status::WriteFailed, std::move(written.reason)};
  return {};
}

ExportResult ExportCounts(const WaveHeader& header, int channels, ChannelCounts& counts,
                          const std::filesystem::path& path, int skip, UiSink& ui,
                          const ExportOptions& options) {
  if (options.unfit == UnfitVolts::Refuse) {
    switch (displayedVoltsFit(header, channels, counts)) {
      case Fit::Fits:
        break;
      case Fit::Unfit:
        return {ExportResult::Status::UnfitVolts, csv_messages::kVoltsDoNotFit};
      case Fit::ReadFailed:
        return {ExportResult::Status::ReadFailed, counts.failure()};
    }
  }
  if (options.beforeWrite) options.beforeWrite();
  FileCountSource source(header, channels, counts);
  CsvWriteResult written =
      WriteCsvFile(path, header, source, skip, ui, options.rules, options.threads);
  if (written.status == CsvWriteResult::kSourceFailed) {
    return {ExportResult::Status::ReadFailed, counts.failure()};
  }
  if (!written.ok()) return {ExportResult::Status::WriteFailed, std::move(written.reason)};
  return {};
}

}  // namespace sondrix
