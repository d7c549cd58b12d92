#include "cli/terminal_progress.h"

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

}  // namespace
}  // namespace sondrix::cli
