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

  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const Call& c : calls) {
      if (c.kind == Call::Message) out.push_back(c.text);
    }
    return out;
  }
  std::vector<int> progressValues() const {
    std::vector<int> out;
    for (const Call& c : calls) {
      if (c.kind == Call::Progress) out.push_back(c.value);
    }
    return out;
  }
  int pumps() const {
    int n = 0;
    for (const Call& c : calls) n += c.kind == Call::Pump ? 1 : 0;
    return n;
  }
};

}  // namespace sondrix::testing
