#include "csv/export_record.h"

#include "csv/csv_writer.h"
#include "csv/messages.h"

namespace sondrix {

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

}  // namespace sondrix
