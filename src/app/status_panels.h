#pragma once

class QLabel;

namespace sondrix {

// The status bar's two panels: the step a command is at, and the file or count it concerns.
struct StatusPanels {
  QLabel* step = nullptr;
  QLabel* detail = nullptr;
};

}  // namespace sondrix
