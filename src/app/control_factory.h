#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QString>
#include <QVBoxLayout>

#include "app/qt_text.h"

namespace sondrix {

// The window's controls carry the names the operator's manual and the settings file use.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// Frames packed closer than the style's spacing, so that the window fits a screen of 800 x 500.
template <typename Layout>
Layout* Packed(Layout* layout, int margin = 6) {
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(4);
  return layout;
}

inline QLineEdit* TextBox(const char* name, const char* text, QWidget* parent) {
  auto* box = Named(new QLineEdit(U(text), parent), name);
  box->setMinimumWidth(40);  // five digits
  box->setMaximumWidth(160);
  return box;
}

inline QGroupBox* Frame(const char* name, const char* caption, QWidget* parent) {
  return Named(new QGroupBox(U(caption), parent), name);
}

// A frame holding a single text box, as the operation frame's settings are shown.
inline QGroupBox* BoxFrame(const char* name, const char* caption, QLineEdit*& box,
                           const char* boxName, const char* text, QWidget* parent) {
  QGroupBox* frame = Frame(name, caption, parent);
  box = TextBox(boxName, text, frame);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(4, 0, 4, 4);  // the caption above is margin enough
  layout->addWidget(box);
  return frame;
}

}  // namespace sondrix
