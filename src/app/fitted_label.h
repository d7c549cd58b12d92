#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

namespace sondrix {

// What a caption shows in `width` pixels: the text in its own font when it fits; else in a
// smaller font, down to `smallest` times the size; only then cut short with an ellipsis, after
// the last whole word that fits (or the last whole character, for a single word).
struct FittedText {
  QFont font;
  QString text;
};
FittedText FitText(const QFont& font, const QString& text, int width, double smallest);

// A label that paints its text fitted to its width (FitText) and keeps the text itself whole,
// for the captions a narrow window would otherwise cut in the middle of a character. It asks
// the layout for no width of its own.
class FittedLabel final : public QLabel {
 public:
  FittedLabel(double smallest, QWidget* parent);

  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double smallest_;
};

}  // namespace sondrix
