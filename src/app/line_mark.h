#pragma once

#include <QColor>
#include <QWidget>

namespace sondrix {

// A straight line lying on the window as a control of its own (the cursors, the reference-level
// and trigger marks): the surface can be cleared and redrawn under it without moving it.
class LineMark final : public QWidget {
 public:
  explicit LineMark(const QString& name, QColor colour, QWidget* parent);

  void setColour(QColor colour);
  QColor colour() const { return colour_; }
  // Places the line between two points of the parent, `thickness` pixels wide.
  void placeHorizontal(int left, int right, int y, int thickness);
  void placeVertical(int x, int top, int bottom, int thickness);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

}  // namespace sondrix
