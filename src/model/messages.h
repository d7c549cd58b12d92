#pragma once

// Reasons that every layer above may give, so that each is spelled once.
namespace sondrix::model_messages {

// A step that needed more memory than there is; the longer reasons add which step it was.
inline constexpr const char* kNotEnoughMemory = "not enough memory";

}  // namespace sondrix::model_messages
