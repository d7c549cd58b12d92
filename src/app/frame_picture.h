#pragma once

#include <QSize>
#include <QString>

namespace sondrix {

// What became of a picture: its exit status for the terminal, and with it what failed.
struct PictureOutcome {
  enum Status { Written = 0, Failed = 1, Refused = 2 };
  Status status = Written;
  QString failure;  // "PATH: reason", PATH being the file it concerns
};

// `sondrix --picture OUT [--size WxH] FILE`: the waveform frame of FILE (a WFM capture, or CSV/TXT
// by its name) as playing it shows it with the default view (the whole record, the source only,
// both cursors in the middle), drawn without a window into the PNG file OUT. An empty size is the
// frame's own. Nothing else is read or written: not the settings, not the data folder. OUT is
// looked at before FILE is read: FILE itself, or anything a picture may not replace, is refused
// and left as it was.
PictureOutcome WriteFramePicture(const QString& capture, const QString& picture, QSize size);

}  // namespace sondrix
