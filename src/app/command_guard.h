#pragma once

#include <exception>
#include <utility>

#include <QLabel>

#include "app/messages.h"
#include "app/qt_text.h"

namespace sondrix {

// A command that fails in a way nothing else handles (the memory for a huge record cannot be
// had) ends there with a word in the status bar; the window and the program stay.
template <typename Command>
auto Guarded(QLabel* panel, Command command) {
  return [panel, command = std::move(command)](auto&&...) {
    try {
      command();
    } catch (const std::exception&) {
      panel->setText(U(messages::kCommandFailed));
    }
  };
}

}  // namespace sondrix
