#include "load/trig_addr.h"

#include "model/scale.h"
#include "numtext/rounding.h"

namespace sondrix {

std::int32_t ComputeTrigAddr(double delay, double timeDiv, std::int32_t points) {
  const double delayTerm =
      timeDiv == 0.0 ? 0.0 : delay / timeDiv * (points / static_cast<double>(kDivisionsX));
  return RoundClampInt32(delayTerm + points / 2.0);
}

}  // namespace sondrix
