#include "app/resume_file.h"

#include <algorithm>
#include <cstdint>

#include <QStringEncoder>

#include "app/qt_text.h"
#include "app/split_path.h"

#include "io/byte_reader.h"
#include "io/link_walk.h"
#include "io/safe_write.h"
#include "numtext/leading_number.h"
#include "numtext/print_form.h"
#include "numtext/rounding.h"

namespace sondrix {

QString ResumeNumber(std::int32_t value) { return U(PrintForm(value)); }

QString ResumeBool(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

namespace {

std::optional<double> WholeNumber(const QString& line) {
  return ParseStrict(line.toLocal8Bit().toStdString());
}

}  // namespace

std::optional<std::int32_t> ResumeInt32(const QString& line) {
  const auto number = WholeNumber(line);
  return number ? RoundToInt32(*number) : std::nullopt;
}

std::optional<std::int16_t> ResumeInt16(const QString& line) {
  const auto number = WholeNumber(line);
  return number ? RoundToInt16(*number) : std::nullopt;
}

std::optional<bool> ResumeBoolValue(const QString& line) {
  const QString word = line.trimmed();
  if (word.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
  if (word.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
  const auto number = WholeNumber(line);
  if (!number) return std::nullopt;
  return *number != 0.0;
}

int WriteResumeLines(const QString& path, const QStringList& lines) {
  QStringEncoder encode(QStringEncoder::System);
  QByteArray bytes;
  for (QString line : lines) {
    // One value a line: a line break inside a text would shift every value after it.
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    bytes += encode(line);
    bytes += "\r\n";
  }
  // A character the system's encoding cannot hold would come back as another one.
  if (encode.hasError()) return -1;

  // Nothing but a regular file (or nothing) at the path, links followed, is written.
  SafeFile file;
  const auto size = static_cast<std::size_t>(bytes.size());
  if (file.open(FileSystemPath(path)) || file.write(bytes.constData(), size) || file.commit()) {
    return -1;
  }
  return 0;
}

std::optional<QStringList> ReadResumeLines(const QString& path) {
  // Only a regular file is read: a FIFO would wait for a writer, a device might never end. Links
  // are followed as the write follows them, so that a link another user planted in a shared
  // folder neither feeds the settings nor, written back, replaces a file of that user's choice.
  const std::filesystem::path file = FileSystemPath(path);
  if (CheckLinks(file)) return std::nullopt;
  ByteReader reader;
  if (reader.open(file)) return std::nullopt;
  // 18 lines of settings; the cap only keeps a stray huge file from filling the memory.
  QByteArray bytes(
      static_cast<qsizetype>(std::min<std::int64_t>(reader.size(), std::int64_t{16} * 1024 * 1024)),
      Qt::Uninitialized);
  if (!reader.read(bytes.data(), bytes.size())) return std::nullopt;
  QStringList lines;
  qsizetype start = 0;
  while (start < bytes.size() && lines.size() < kResumeLineCount) {
    qsizetype end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    lines.push_back(QString::fromLocal8Bit(bytes.mid(start, end - start)));
    if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

int WriteResumeFile(const QString& path, std::span<const ResumeLine> table) {
  QStringList lines;
  for (const ResumeLine& line : table) lines.push_back(line.write());
  return WriteResumeLines(path, lines);
}

int ReadResumeFile(const QString& path, std::span<const ResumeLine> table) {
  const auto lines = ReadResumeLines(path);
  if (!lines) return -1;
  for (qsizetype i = 0; i < lines->size() && i < static_cast<qsizetype>(table.size()); ++i) {
    if (!table[static_cast<std::size_t>(i)].read((*lines)[i])) return -1;
  }
  return lines->size() == static_cast<qsizetype>(table.size()) ? 0 : -1;
}

}  // namespace sondrix
