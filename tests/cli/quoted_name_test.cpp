#include "cli/quoted_name.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace sondrix::cli {
namespace {

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
