#include <gtest/gtest.h>

#include "app/numeric_text.h"

namespace sondrix {
namespace {

TEST(NumericTextTest, OnlyANumberBeyondTheFloatRangeFallsBack) {
  const std::pair<const char*, const char*> rows[] = {
      {"3", "3"},         {" -2.5e3x", " -2.5e3x"}, {"abc", "abc"}, {"", ""},
      {"1e308", "1e308"}, {"1e309", "D"},           {"-1e999", "D"}};
  for (const auto& [text, checked] : rows) {
    EXPECT_EQ(CheckNumericText(QString::fromLatin1(text), QStringLiteral("D")),
              QString::fromLatin1(checked))
        << text;
  }
  EXPECT_EQ(BoxNumber(QStringLiteral("2.5 files")), 2.5);
  EXPECT_EQ(BoxNumber(QStringLiteral("many")), 0.0);
}

}  // namespace
}  // namespace sondrix
