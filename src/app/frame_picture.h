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

// The size of a picture drawn without --size.
inline constexpr QSize kDefaultPictureSize(1200, 900);

// `sondrix --picture OUT [--size WxH] [--measure] FILE`: FILE (a WFM capture, or CSV/TXT by its
// name) as playing it shows it with the default view (the whole record, the source only, both
// cursors in the middle), drawn without a window as a picture for a report into OUT, in the
// format OUT's extension names; `measure` adds the measurement table. An empty size is
// kDefaultPictureSize. Nothing else is read or written: not the settings, not the data folder.
// OUT is looked at before FILE is read: FILE itself, or anything a picture may not replace, is
// refused and left as it was.
PictureOutcome WriteFramePicture(const QString& capture, const QString& picture, QSize size,
                                 bool measure);

}  // namespace sondrix
