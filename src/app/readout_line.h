#pragma once

#include <vector>

#include <QWidget>

#include "view/readouts.h"

namespace sondrix {

// The read-out lines under the waveform: each piece in its colour, a gap between them, wrapped
// into as many lines as its height holds (a piece is never split). Pieces too many for them are
// drawn in a smaller font, down to three quarters of its size, and only then left out, an
// ellipsis in their place.
class ReadoutLine final : public QWidget {
 public:
  explicit ReadoutLine(QWidget* parent);

  void setPieces(std::vector<ReadoutPiece> pieces);
  // The pieces as one plain text, separated by two spaces.
  QString text() const;
  // Every piece is shown whole.
  bool showsAll() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Layout {
    QFont font;
    std::vector<std::size_t> lineStarts;  // the piece each line begins with
    bool whole = true;
    std::size_t shown = 0;  // pieces drawn, from the first
  };
  Layout layOut(const QFont& font) const;
  Layout layOut() const;

  std::vector<ReadoutPiece> pieces_;
};

}  // namespace sondrix
