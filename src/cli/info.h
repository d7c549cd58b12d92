#pragma once

#include <string>

#include "model/wave_record.h"

namespace sondrix::cli {

// The record's header members as "Name: value" lines, channels numbered 1 to 4 after the member
// name (Vdiv1, Offset1, ...). A text's final CR is left out so that the lines stay readable.
std::string InfoText(const WaveRecord& record);

}  // namespace sondrix::cli
