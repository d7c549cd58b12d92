#pragma once

namespace sondrix {

// The surface shows 10 divisions across and 8 up. Vertically the instrument's 8-bit converter
// spans the 8 divisions in 256 steps, 32 per division, and the record holds 16-bit counts, 256 per
// step: one division is 8192 counts, and the counts' range is the full scale of the surface.
inline constexpr int kDivisionsX = 10;
inline constexpr int kDivisionsY = 8;
inline constexpr int kStepsPerDivision = 32;
inline constexpr int kCountsPerStep = 256;
inline constexpr int kCountsPerDivision = kStepsPerDivision * kCountsPerStep;
inline constexpr float kFullScaleTop = 32767.0f;
inline constexpr float kFullScaleBottom = -32768.0f;

}  // namespace sondrix
