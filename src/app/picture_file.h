#pragma once

#include <QByteArray>
#include <QString>

namespace sondrix {

enum class PictureFormat { Png, Svg, Pdf };

// The format a picture's name asks for: SVG for ".svg", PDF for ".pdf" (either case), PNG for
// any other name, as before there were three.
PictureFormat PictureFormatOf(const QString& path);
// ".png", ".svg" or ".pdf".
QString PictureExtension(PictureFormat format);

// Why a picture may not be written as `path`, empty when it may. A picture replaces only
// nothing, an empty file or another picture of its format (links followed), so that a slip in
// the name never costs a capture, a table or anything else the operator keeps; a folder, a FIFO
// or a device is never written into. The reason is the system's text or says what is there.
QString PictureTargetCheck(const QString& path);

// Writes the encoded picture as `path` once the check allows it, to a temporary file that
// takes the name only when complete, so a failure or a kill leaves the old file whole. Empty,
// or why there is no file (the system's reason where it gave one).
QString WritePictureBytes(const QByteArray& bytes, const QString& path);

}  // namespace sondrix
