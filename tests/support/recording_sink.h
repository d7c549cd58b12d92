#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/ui_sink.h"

namespace sondrix::testing {

// Keeps every report in order, so tests can check what the window would have shown and when.
struct RecordingSink final : UiSink {
  struct Call {
    enum Kind { Message, Detail, Progress, Pump } kind;
    std::string text;
    int value = 0;
  };
  std::vector<Call> calls;
  int max = 1100;
  std::function<void()> onPump;  // what the window does during a pump, e.g. run another command

  void message(std::string_view text) override {
    calls.push_back({Call::Message, std::string(text)});
  }
  void detail(std::string_view text) override {
    calls.push_back({Call::Detail, std::string(text)});
  }
  void progress(int value) override { calls.push_back({Call::Progress, {}, value}); }
  int progressMax() const override { return max; }
  void pumpEvents() override {
    calls.push_back({Call::Pump, {}});
    if (onPump) onPump();
  }

  std::vector<std::string> messages() const { return all(Call::Message, &Call::text); }
  std::vector<int> progressValues() const { return all(Call::Progress, &Call::value); }
  int pumps() const { return static_cast<int>(all(Call::Pump, &Call::value).size()); }

 private:
  template <typename T>
  std::vector<T> all(Call::Kind kind, T Call::*field) const {
    std::vector<T> out;
    for (const Call& c : calls) {
      if (c.kind == kind) out.push_back(c.*field);
    }
    return out;
  }
};

}  // namespace sondrix::testing
