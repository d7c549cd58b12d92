#pragma once

#include <vector>

#include <QWidget>

#include "view/readouts.h"

namespace sondrix {

// The cursors' read-out line under the waveform: each piece in its colour, a gap between them.
// A line too long for its width is drawn in a smaller font, down to three quarters of its size,
// and only then cut short with an ellipsis.
class ReadoutLine final : public QWidget {
 public:
  explicit ReadoutLine(QWidget* parent);

  void setPieces(std::vector<ReadoutPiece> pieces);
  // The pieces as one plain text, separated by two spaces.
  QString text() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<ReadoutPiece> pieces_;
};

}  // namespace sondrix
