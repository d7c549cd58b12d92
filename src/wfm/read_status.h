#pragma once

#include <cstdint>
#include <string>

namespace sondrix {

// The small integers that callers and the window expect from a read.
enum class ReadStatus : std::int16_t {
  Ok = 0,
  ReadError = -1,
  UnknownSeries = -2,  // the model line names neither known series
};

struct ReadResult {
  ReadStatus status = ReadStatus::Ok;
  std::string reason;  // what was wrong and where; empty on success

  bool ok() const { return status == ReadStatus::Ok; }
};

}  // namespace sondrix
