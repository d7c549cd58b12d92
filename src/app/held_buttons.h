#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include <QPointer>
#include <QWidget>

namespace sondrix {

// Disables the given buttons while it lives and then gives each its earlier state back, however
// the command ends. The long commands hold the buttons that would load, convert or store another
// waveform while they let the window handle events: such a command run in the middle would mix
// two waveforms in the record or in the file being written.
class HeldButtons {
 public:
  HeldButtons(std::initializer_list<QWidget*> buttons) {
    for (QWidget* button : buttons) {
      held_.emplace_back(button, button->isEnabled());
      button->setEnabled(false);
    }
  }
  ~HeldButtons() {
    for (const auto& [button, enabled] : held_) {
      if (button) button->setEnabled(enabled);
    }
  }
  HeldButtons(const HeldButtons&) = delete;
  HeldButtons& operator=(const HeldButtons&) = delete;

 private:
  std::vector<std::pair<QPointer<QWidget>, bool>> held_;
};

}  // namespace sondrix
