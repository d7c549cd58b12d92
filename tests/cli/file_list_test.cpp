#include "cli/file_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "cli/messages.h"

namespace sondrix::cli {
namespace {

// The names, or the error, of `text` fed whole and fed one byte at a time: where the pieces of a
// read end must not matter.
std::vector<std::string> Parse(const std::string& text, bool nul, std::size_t pieceSize) {
  FileListParser list(nul);
  bool ok = true;
  for (std::size_t at = 0; ok && at < text.size(); at += pieceSize) {
    ok = list.feed(std::string_view(text).substr(at, pieceSize));
  }
  if (ok && list.finish()) return list.names();
  return {"error: " + list.error()};
}

TEST(FileListParser, TakesNamesAndRefusesWhatNoListHolds) {
  const std::size_t max = FileListParser::kMaxName;
#ifndef _WIN32
  EXPECT_EQ(max, std::size_t{PATH_MAX - 1}) << "the longest path the system takes";
#endif
  const std::string longest(max, 'x');
  const std::string tooLong =
      cli_messages::kLongerThan + std::to_string(max) + cli_messages::kLongerThanEnd;
  const std::string line = std::string("error: ") + cli_messages::kListLine;
  const std::string entry = std::string("error: ") + cli_messages::kListEntry;
  const std::string moreThan = ": " + (cli_messages::kMoreThan + std::to_string(max));
  const struct Row {
    std::string text;
    bool nul;
    std::vector<std::string> names;  // or one "error: ..." that starts so
  } rows[] = {
      {"a\r\nb\n\n\rc", false, {"a", "b", "\rc"}},
      {std::string("a\nb\0\0c", 7), true, {"a\nb", "c"}},
      {"x\n" + longest + "\r\n" + longest, false, {"x", longest, longest}},
      {longest + std::string(1, '\0'), true, {longest}},
      {std::string(max, '\n') + "y", false, {"y"}},
      {std::string(max, '\n'), false, {}},  // the end of the list is no further empty line
      {std::string("x\na\0b\n", 6), false, {line + "2: " + cli_messages::kHoldsNul}},
      {"x\n\n" + longest + "z\n", false, {line + "3: " + tooLong}},
      {longest + "\r\r\n", false, {line + "1: " + tooLong}},
      {longest + "z", true, {entry + "1: " + tooLong}},
      {std::string(max + 1, '\n'),
       false,
       {line + std::to_string(max + 1) + moreThan + cli_messages::kEmptyLinesInARow}},
      {"a" + std::string(max + 2, '\0'),
       true,
       {entry + std::to_string(max + 2) + moreThan + cli_messages::kEmptyNamesInARow}},
  };
  for (const Row& row : rows) {
    for (const std::size_t piece : {row.text.size() + 1, std::size_t{1}}) {
      std::vector<std::string> got = Parse(row.text, row.nul, piece);
      if (got.size() == 1 && row.names.size() == 1 && row.names[0].starts_with("error: ")) {
        EXPECT_TRUE(got[0].starts_with(row.names[0])) << got[0] << " / " << row.names[0];
      } else {
        EXPECT_EQ(got, row.names) << row.text.substr(0, 20) << ", pieces of " << piece;
      }
    }
  }
}

}  // namespace
}  // namespace sondrix::cli
