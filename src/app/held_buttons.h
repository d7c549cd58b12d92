#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "app/scope_exit.h"

namespace sondrix {

// Disables the given buttons while it lives and then gives each its earlier state back, however
// the command ends. The long commands hold the buttons that would load, convert or store another
// waveform while they let the window handle events: such a command run in the middle would mix
// two waveforms in the record or in the file being written.
class HeldButtons {
 public:
  HeldButtons(std::initializer_list<QWidget*> buttons) : release_(Hold(buttons)) {}

 private:
  // Gives each button its state from before the hold; a button already gone is skipped.
  struct Release {
    std::vector<std::pair<QPointer<QWidget>, bool>> held;
    void operator()() const {
      for (const auto& [button, enabled] : held) {
        if (button) button->setEnabled(enabled);
      }
    }
  };

  static Release Hold(std::initializer_list<QWidget*> buttons) {
    Release release;
    for (QWidget* button : buttons) {
      release.held.emplace_back(button, button->isEnabled());
      button->setEnabled(false);
    }
    return release;
  }

  ScopeExit<Release> release_;
};

}  // namespace sondrix
