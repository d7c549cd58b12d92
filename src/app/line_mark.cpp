#include "app/line_mark.h"

#include <algorithm>

#include <QPainter>

namespace sondrix {

LineMark::LineMark(const QString& name, QColor colour, QWidget* parent)
    : QWidget(parent), colour_(colour) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineMark::setColour(QColor colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void LineMark::placeHorizontal(int left, int right, int y, int thickness) {
  setGeometry(std::min(left, right), y - thickness / 2, std::max(1, std::abs(right - left)),
              thickness);
}

void LineMark::placeVertical(int x, int top, int bottom, int thickness) {
  setGeometry(x - thickness / 2, std::min(top, bottom), thickness,
              std::max(1, std::abs(bottom - top)));
}

void LineMark::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), colour_); }

}  // namespace sondrix
