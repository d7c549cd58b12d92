#pragma once

#include <cstddef>
#include <cstdint>

#include "csv/field_table.h"
#include "io/text_file.h"
#include "model/sample_buffers.h"
#include "model/ui_sink.h"

namespace sondrix {

// How the data lines are shared among threads. The text is read in blocks of whole lines; each
// block is cut at line ends into pieces that are parsed at once, one thread each, while the next
// block is read. The samples come out the same for any split.
struct DataSplit {
  // Pieces per block; 0 for one per core, fewer when the block is too small to be worth it.
  unsigned pieces = 0;
  // Bytes read per block (a block holds at least one whole line, and ends at a line end).
  std::size_t blockBytes = std::size_t{8} << 20;
};

// The data lines from the one after the column header `f` up to the end of the file or the
// sample limit, into the volt arrays; returns the samples read. Every 10,000 samples "データ
// index=" and the count go to `ui.detail` and events are pumped once, after the block holding
// those samples is complete; the arrays are looked up again after the pumps. `statedSamples`, the
// count the header gives (0 for none), only sets how much storage is taken at once.
std::int32_t ReadDataLines(TextFile& file, const FieldTable& f, std::size_t firstValueField,
                           VoltArrays& volts, UiSink& ui, const DataSplit& split,
                           bool& firstLineHoldsNumber, std::int32_t statedSamples = 0);

}  // namespace sondrix
