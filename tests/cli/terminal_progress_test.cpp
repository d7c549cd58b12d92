#include "cli/terminal_progress.h"
#include "cli/quoted_name.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace sondrix::cli {
namespace {

class TerminalProgressTest : public ::testing::Test {
 protected:
  // What the bar wrote since the last call.
  std::string drawn() {
    std::fflush(terminal);
    const long end = std::ftell(terminal);
    std::string text(static_cast<std::size_t>(end - read), '\0');
    std::fseek(terminal, read, SEEK_SET);
    text.resize(std::fread(text.data(), 1, text.size(), terminal));
    // C asks for a seek between reading and writing a stream (Windows' C library holds to it).
    std::fseek(terminal, 0, SEEK_END);
    read = end;
    return text;
  }
  void TearDown() override { std::fclose(terminal); }

  std::FILE* terminal = std::tmpfile();
  long read = 0;
};

TEST_F(TerminalProgressTest, CountsWholeFilesAndMovesWithTheirParts) {
  TerminalProgress bar(terminal);
  bar.show(0.5, 3);
  EXPECT_EQ(drawn(), "\r[#####                         ] 0/3");
  bar.show(2.9, 3);
  EXPECT_EQ(drawn(), "\r[############################# ] 2/3") << "a finished file draws at once";
  bar.show(4.0, 3);
  EXPECT_EQ(drawn(), "\r[##############################] 3/3");
  bar.finish();
  EXPECT_EQ(drawn(), "\r\033[K");
  bar.finish();
  EXPECT_EQ(drawn(), "") << "nothing to clear";
}

// The right-hand texts are what `ls --quoting-style=shell-escape` prints in a UTF-8 locale.
TEST(QuotedName, ControlCharactersAreQuotedAsTheShellReadsThem) {
  const std::pair<std::string, std::string> rows[] = {
      {"plain name's.WFM", "plain name's.WFM"},
      {"é.CSV", "é.CSV"},
      {"a\nb", "'a'$'\\n''b'"},
      {"\nb", "''$'\\n''b'"},
      {"c\r", "'c'$'\\r'"},
      {"a\n\nb", "'a'$'\\n\\n''b'"},
      {"\x1b[1m", "''$'\\033''[1m'"},
      {"a\x01"
       "1",
       "'a'$'\\001''1'"},
      {"e\x7f", "'e'$'\\177'"},
      {"\t", "''$'\\t'"},
      {"'\n", "''\\'''$'\\n'"},
      {"a\x01'", "'a'$'\\001'\\'''"},
      {"it's\x01", "'''it'\\''s'$'\\001'"},
      {"'a'\n", "''\\''a'\\'''$'\\n'"},
  };
  for (const auto& [name, quoted] : rows) EXPECT_EQ(QuotedName(name), quoted) << quoted;
}

}  // namespace
}  // namespace sondrix::cli
