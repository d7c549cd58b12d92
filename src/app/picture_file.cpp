#include "app/picture_file.h"

#include <string_view>
#include <system_error>

#include "app/split_path.h"
#include "io/replace_check.h"
#include "io/safe_write.h"

namespace sondrix {
namespace {

// How each format's files start: PNG's eight bytes, the XML declaration and root element Qt's
// SVG writer opens with (a hand-made drawing or another XML file is never replaced), PDF's
// header.
constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};
constexpr std::string_view kSvgSignature{
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg"};
constexpr std::string_view kPdfSignature{"%PDF-"};

std::string_view SignatureOf(PictureFormat format) {
  switch (format) {
    case PictureFormat::Svg:
      return kSvgSignature;
    case PictureFormat::Pdf:
      return kPdfSignature;
    case PictureFormat::Png:
      break;
  }
  return kPngSignature;
}

// The system's texts come in the locale's encoding.
QString Reason(const std::error_code& error) {
  return QString::fromLocal8Bit(error.message().c_str());
}

std::error_code Write(const QByteArray& bytes, const QString& path) {
  SafeFile file;
  if (const std::error_code opened =
          file.open(FileSystemPath(path), {.nonRegular = NonRegularTarget::Refuse}))
    return opened;
  if (const std::error_code written =
          file.write(bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
    return written;
  }
  return file.commit();
}

}  // namespace

PictureFormat PictureFormatOf(const QString& path) {
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return PictureFormat::Svg;
  if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return PictureFormat::Pdf;
  return PictureFormat::Png;
}

QString PictureExtension(PictureFormat format) {
  switch (format) {
    case PictureFormat::Svg:
      return QStringLiteral(".svg");
    case PictureFormat::Pdf:
      return QStringLiteral(".pdf");
    case PictureFormat::Png:
      break;
  }
  return QStringLiteral(".png");
}

QString PictureTargetCheck(const QString& path) {
  const std::error_code refused =
      ReplaceCheck(FileSystemPath(path), SignatureOf(PictureFormatOf(path)));
  return refused ? Reason(refused) : QString();
}

QString WritePictureBytes(const QByteArray& bytes, const QString& path) {
  if (QString refused = PictureTargetCheck(path); !refused.isEmpty()) return refused;
  const std::error_code failed = Write(bytes, path);
  return failed ? Reason(failed) : QString();
}

}  // namespace sondrix
