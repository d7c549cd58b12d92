#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "app/file_browser.h"
#include "app/main_form.h"
#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "support/files.h"
#include "support/scripted_services.h"
#include "synth/wfm_writer.h"

// Readable failures for texts of the window.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace sondrix::testing {

inline QString Q(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

// A real MainForm on scripted services in temporary folders; the current directory is put back.
class FormTest : public ::testing::Test {
 protected:
  FormTest() : services(Q(root.path() / "ProgramData" / "Sondrix")) {}
  ~FormTest() override { QDir::setCurrent(startDir_); }

  MainForm& form() {
    if (!form_) form_ = std::make_unique<MainForm>(services);
    return *form_;
  }
  // Closes and drops the window, as the program's end does, so a test can start it again.
  void restart() {
    if (form_) form_->close();
    form_.reset();
  }
  template <typename Widget>
  Widget* child(const char* name) {
    auto* widget = form().findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Every command ends with the run storing in the data folder.
  bool inDataFolder() { return form().runFolder() == form().DataFolder(); }
  void writeCapture(const std::string& name, const synth::Capture& capture) {
    synth::WriteBytes(files.path() / name, synth::SerializeWfm(synth::MakeCapture(capture)));
  }
  void play(const std::string& name, const char* button = "BinToCsvConvert") {
    ASSERT_TRUE(form().browser().setPath(Q(files.path())));
    form().browser().selectFilter(2);
    auto* list = child<QListWidget>("FileList");
    const auto found = list->findItems(QString::fromStdString(name), Qt::MatchFixedString);
    ASSERT_EQ(found.size(), 1) << name;
    list->setCurrentItem(found.front());
    press(button);
  }
  // The window at a roomy size playing four sine channels of 10,000 points, "four.wfm".
  void showPlayingFour() {
    writeCapture("four.wfm", synth::SineCapture(4, 10000));
    form().resize(1200, 780);
    form().show();
    play("four.wfm");
  }
  void press(const char* button) { child<QPushButton>(button)->click(); }
  QString text(const char* box) { return child<QLineEdit>(box)->text(); }
  void enter(const char* box, const QString& text) {
    auto* edit = child<QLineEdit>(box);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  TempDir root;
  TempDir files;
  ScriptedServices services;

 private:
  QString startDir_ = QDir::currentPath();
  std::unique_ptr<MainForm> form_;
};

}  // namespace sondrix::testing
