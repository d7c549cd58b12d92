// Keys for every command of the window, following desktop conventions where there is one. Each
// shows in its menu entry or in its control's tooltip, and F1 lists them with the mouse gestures.
#include <tuple>

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QShortcut>

#include "app/main_form.h"
#include "app/messages.h"
#include "app/qt_text.h"
#include "app/wave_frame.h"
#include "app/wave_surface.h"
#include "app/waveform_panel.h"

namespace sondrix {
namespace {

struct KeyedCommand {
  const char* control;  // the button, box or menu entry the keys press
  QKeySequence keys;
};

const std::vector<KeyedCommand>& KeyedCommands() {
  static const std::vector<KeyedCommand> commands{
      {"BinToCsvConvert", QKeySequence(Qt::Key_F5)},
      {"InputDsTypeCsvFile", QKeySequence(Qt::SHIFT | Qt::Key_F5)},
      {"SelResultFileFolder", QKeySequence(QKeySequence::Save)},
      {"Start", QKeySequence(Qt::Key_F9)},
      {"Stop", QKeySequence(Qt::SHIFT | Qt::Key_F9)},
      {"FollowNew", QKeySequence(Qt::CTRL | Qt::Key_L)},
      {"Expand", QKeySequence(Qt::CTRL | Qt::Key_E)},
      {"XReset", QKeySequence(Qt::CTRL | Qt::Key_0)},
      {"ResetCursor", QKeySequence(Qt::CTRL | Qt::Key_Home)},
      {"CdCheck", QKeySequence(Qt::CTRL | Qt::Key_K)},
      {"smOption0", QKeySequence(Qt::CTRL | Qt::Key_1)},
      {"smOption1", QKeySequence(Qt::CTRL | Qt::Key_2)},
      {"smOption2", QKeySequence(Qt::CTRL | Qt::Key_3)},
      {"SavePicture", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {"CopyPicture", QKeySequence(QKeySequence::Copy)},
      {"Measure", QKeySequence(Qt::CTRL | Qt::Key_M)},
  };
  return commands;
}

QString KeyText(const QKeySequence& keys) { return keys.toString(QKeySequence::NativeText); }

}  // namespace

void MainForm::connectKeys() {
  QString list;
  for (const KeyedCommand& command : KeyedCommands()) {
    const QString name = QString::fromLatin1(command.control);
    if (auto* action = findChild<QAction*>(name)) {
      // Window-wide, though the entries live in the waveform's menu; a text box keeps its Ctrl+C.
      action->setShortcut(command.keys);
      action->setShortcutContext(Qt::WindowShortcut);
      action->setShortcutVisibleInContextMenu(true);
      list += KeyText(command.keys) + u'\t' + action->text() + u'\n';
      continue;
    }
    auto* button = findChild<QAbstractButton*>(name);
    button->setToolTip(button->text().trimmed() + QStringLiteral(" (") + KeyText(command.keys) +
                       u')');
    // As a click of the control: nothing while it is disabled or hidden.
    new QShortcut(command.keys, this, [button] {
      if (button->isEnabled() && button->isVisible()) button->click();
    });
    list += KeyText(command.keys) + u'\t' + button->text().trimmed() + u'\n';
  }

  WaveSurface* surface = waveFrame().surface();
  // Plus and minus zoom as one notch of the wheel at the middle of the waveform.
  const std::pair<QKeySequence, int> zooms[] = {{QKeySequence(QKeySequence::ZoomIn), 1},
                                                {QKeySequence(Qt::Key_Plus), 1},
                                                {QKeySequence(QKeySequence::ZoomOut), -1},
                                                {QKeySequence(Qt::Key_Minus), -1}};
  for (const auto& [keys, notches] : zooms) {
    // The bare keys only on the waveform: a text box takes them as text.
    const Qt::ShortcutContext scope =
        keys.toString().size() == 1 ? Qt::WidgetShortcut : Qt::WindowShortcut;
    new QShortcut(
        keys, surface,
        [surface, notches = notches] {
          emit surface->wheelTurned(notches, false, {0.5, 0.5});
        },
        scope);
  }
  // The menu key and Shift+F10 open the waveform's menu, as a right click does.
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
    new QShortcut(
        keys, surface,
        [surface] {
          QMenu::exec(surface->actions(), surface->mapToGlobal(surface->rect().center()));
        },
        Qt::WidgetShortcut);
  }
  // The arrows pan by a division while the waveform has the keys; elsewhere they move the caret,
  // the sliders and the list's selection as usual.
  const std::tuple<Qt::Key, int, int> pans[] = {
      {Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, 1}, {Qt::Key_Down, 0, -1}};
  for (const auto& [key, across, up] : pans) {
    new QShortcut(
        QKeySequence(key), surface,
        [this, across = across, up = up] { waveform_->panDivisions(across, up); },
        Qt::WidgetShortcut);
  }
  // Back and forward through the views as a browser goes through pages; the bare Backspace only
  // on the waveform, where it deletes no text.
  new QShortcut(
      QKeySequence(Qt::Key_Backspace), surface, [this] { waveform_->goBack(); },
      Qt::WidgetShortcut);
  new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this, [this] { waveform_->goBack(); });
  new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this, [this] { waveform_->goForward(); });
  list += U(messages::kKeyListGestures);
  new QShortcut(QKeySequence(QKeySequence::HelpContents), this, [this, list] {
    services_.showMessage(list, U(messages::kKeyListTitle), MessageButtons::Ok);
  });
}

}  // namespace sondrix
