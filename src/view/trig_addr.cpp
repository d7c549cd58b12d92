#include "view/trig_addr.h"

#include "numtext/rounding.h"

namespace sondrix {

std::int32_t ComputeTrigAddr(double delay, double timeDiv, std::int32_t points) {
  const double delayTerm = timeDiv == 0.0 ? 0.0 : delay / timeDiv * (points / 10.0);
  return RoundClampInt32(delayTerm + points / 2.0);
}

}  // namespace sondrix
