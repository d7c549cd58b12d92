#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include <QString>
#include <QStringList>

namespace sondrix {

// The settings file holds one value per line, its meaning given by its position.
inline constexpr int kResumeLineCount = 18;

// A number as the file holds it: a blank (or the minus sign), the digits, a blank (" 0 ", "-5 ").
QString ResumeNumber(std::int32_t value);
// A boolean as the file holds it: "True" or "False".
QString ResumeBool(bool value);

// Whole-line conversions of a line read back; nullopt when the line does not convert. Blanks
// around the value are allowed and fractions round half to even.
std::optional<std::int32_t> ResumeInt32(const QString& line);
std::optional<std::int16_t> ResumeInt16(const QString& line);
// "True" or "False" in any letter case, or a number (0 is false).
std::optional<bool> ResumeBoolValue(const QString& line);

// Writes the lines in the system's 8-bit encoding, each ended by CR LF, into a temporary file
// beside `path` that replaces the old file only once every line is written, so a failed write
// leaves the previous settings whole. A line break inside a line is written as a blank. A path
// that names anything but a regular file, links followed, is left as it is. Returns 0, or -1 on
// any failure, also when a character cannot be encoded.
int WriteResumeLines(const QString& path, const QStringList& lines);

// The first `kResumeLineCount` lines of the file without their line ends (CR LF, LF or CR);
// fewer when the file is shorter. nullopt when it cannot be read or is not a regular file (a FIFO
// is not waited on).
std::optional<QStringList> ReadResumeLines(const QString& path);

// One line of the settings file, tied to the control or value it keeps: `read` applies a line read
// back (false when the control refuses it), `write` gives the line to write.
struct ResumeLine {
  const char* name;
  std::function<bool(const QString& line)> read;
  std::function<QString()> write;
};

// Writes the table's lines with WriteResumeLines: 0, or -1 on any failure.
int WriteResumeFile(const QString& path, std::span<const ResumeLine> table);

// Applies the file's lines to the table in order, each before the next line is looked at, so a
// damaged line keeps the settings before it and leaves the rest as they are. 0 when every line
// of the table was read and applied, -1 otherwise.
int ReadResumeFile(const QString& path, std::span<const ResumeLine> table);

}  // namespace sondrix
