#include "app/picture_file.h"

#include <string_view>
#include <system_error>

#include <QBuffer>
#include <QByteArray>

#include "app/qt_text.h"
#include "app/split_path.h"
#include "io/replace_check.h"
#include "io/safe_write.h"

namespace sondrix {
namespace {

// The eight bytes every PNG file starts with.
constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

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

QString PictureTargetCheck(const QString& path) {
  const std::error_code refused = ReplaceCheck(FileSystemPath(path), kPngSignature);
  return refused ? Reason(refused) : QString();
}

QString WritePicture(const QImage& image, const QString& path) {
  if (QString refused = PictureTargetCheck(path); !refused.isEmpty()) return refused;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
    return QStringLiteral("the picture cannot be encoded as PNG");
  }
  const std::error_code failed = Write(bytes, path);
  return failed ? Reason(failed) : QString();
}

}  // namespace sondrix
