#include "cli/quoted_name.h"

#include <algorithm>
#include <array>

#include "io/utf8_path.h"

namespace sondrix::cli {
namespace {

// Bytes of UTF-8 sequences count as printable: the name shows as its characters.
bool isControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

void appendEscape(std::string& out, char c) {
  switch (c) {
    case '\a':
      out += "\\a";
      return;
    case '\b':
      out += "\\b";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    case '\v':
      out += "\\v";
      return;
    default:
      break;
  }
  // Three octal digits always, so that a digit after it cannot join it.
  const auto byte = static_cast<unsigned char>(c);
  const std::array<char, 4> octal{'\\', static_cast<char>('0' + (byte >> 6)),
                                  static_cast<char>('0' + ((byte >> 3) & 7)),
                                  static_cast<char>('0' + (byte & 7))};
  out.append(octal.data(), octal.size());
}

}  // namespace

std::string QuotedName(std::string_view utf8) {
  const auto firstControl = std::find_if(utf8.begin(), utf8.end(), isControl);
  if (firstControl == utf8.end()) return std::string(utf8);
  std::string out;
  // GNU ls opens with one more empty pair of quotes when a quote comes before the first control
  // character, except at the very start; kept so that the two agree byte for byte.
  if (!utf8.empty() && utf8.front() != '\'' &&
      std::find(utf8.begin(), firstControl, '\'') != firstControl) {
    out += "''";
  }
  out += '\'';
  bool inEscape = false;  // within $'...'
  for (const char c : utf8) {
    if (isControl(c)) {
      if (!inEscape) out += "'$'";
      inEscape = true;
      appendEscape(out, c);
    } else if (c == '\'') {
      out += "'\\''";
      inEscape = false;
    } else {
      if (inEscape) out += "''";
      inEscape = false;
      out += c;
    }
  }
  out += '\'';
  return out;
}

std::string QuotedPath(const std::filesystem::path& path) { return QuotedName(Utf8Path(path)); }

}  // namespace sondrix::cli
