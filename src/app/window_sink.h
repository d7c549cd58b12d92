#pragma once

#include <QLabel>
#include <QProgressBar>

#include "app/platform_services.h"
#include "app/qt_text.h"
#include "model/ui_sink.h"

namespace sondrix {

// What the core reports, shown where the operator looks: the step in the status bar's first
// panel, the file or count in the second, progress in the progress bar.
class WindowSink final : public UiSink {
 public:
  WindowSink(QLabel* panel1, QLabel* panel2, QProgressBar* progressBar, PlatformServices& services)
      : panel1_(panel1), panel2_(panel2), progressBar_(progressBar), services_(services) {}

  void message(std::string_view text) override { panel1_->setText(Text(text)); }
  void detail(std::string_view text) override { panel2_->setText(Text(text)); }
  void progress(int value) override { progressBar_->setValue(value); }
  int progressMax() const override { return progressBar_->maximum(); }
  void pumpEvents() override { services_.pumpEvents(); }

 private:
  static QString Text(std::string_view text) { return U(text); }

  QLabel* panel1_;
  QLabel* panel2_;
  QProgressBar* progressBar_;
  PlatformServices& services_;
};

}  // namespace sondrix
