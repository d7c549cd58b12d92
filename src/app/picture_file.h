#pragma once

#include <QImage>
#include <QString>

namespace sondrix {

// Why a PNG picture may not be written as `path`, empty when it may. A picture replaces only
// nothing, an empty file or another PNG picture (links followed), so that a slip in the name
// never costs a capture, a table or anything else the operator keeps; a folder, a FIFO or a
// device is never written into. The reason is the system's text or says what is there.
QString PictureTargetCheck(const QString& path);

// Writes `image` as the PNG file `path` once the check allows it: encoded first, then written to
// a temporary file that takes the name only when complete, so a failure or a kill leaves the old
// file whole. Empty, or why there is no file (the system's reason where it gave one).
QString WritePicture(const QImage& image, const QString& path);

}  // namespace sondrix
