#include "load/spare_samples.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>

#include "load/messages.h"

namespace sondrix {
namespace {

// The samples past the record's end are those the shown array held there, as if the read had
// gone into it. Where the shown array ends before them, the load grew the read one just as it
// would have grown the shown one.
void keepTail(SampleArray& read, const SampleArray& shown, std::size_t points) {
  if (shown.size() <= points) return;
  if (shown.size() > read.size()) read.resize(shown.size());
  std::copy(shown.begin() + static_cast<std::ptrdiff_t>(points), shown.end(),
            read.begin() + static_cast<std::ptrdiff_t>(points));
}

}  // namespace

LoadResult LoadBesideShown(WaveRecord& record, SourceArrays& spare,
                           const std::function<LoadResult(WaveRecord&)>& load) {
  SourceArrays& source = record.buffers.SrcData;
  std::swap(source, spare);
  LoadResult loaded = load(record);
  if (!loaded.ok) {
    std::swap(source, spare);
    return loaded;
  }
  const auto placed = std::min<std::size_t>(
      static_cast<std::size_t>(std::max(record.waveBuf.storedChannels, 0)), kChannelCount);
  const auto points = static_cast<std::size_t>(record.header.Points);
  for (std::size_t ch = placed; ch < kChannelCount; ++ch) std::swap(source[ch], spare[ch]);
  try {
    for (std::size_t ch = 0; ch < placed; ++ch) keepTail(source[ch], spare[ch], points);
    GrowSource(record.buffers, SourceSizeForDrawing(record.header.Points));
  } catch (const std::bad_alloc&) {
    for (std::size_t ch = 0; ch < placed; ++ch) std::swap(source[ch], spare[ch]);
    loaded.ok = false;
    loaded.reason = load_messages::kNotEnoughMemory;
  }
  return loaded;
}

}  // namespace sondrix
