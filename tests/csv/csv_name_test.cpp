#include "csv/csv_name.h"

#include <gtest/gtest.h>

#include <string_view>

namespace sondrix {
namespace {

// The first ".WFM" (any case, not at the start) and all after it become ".CSV"; else it is added.
TEST(CsvNameForWfmTest, CutAtTheFirstWfmAnyCase) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"Ab.Wfm", "Ab.CSV"}, {"x.wfm.WFM.bak", "x.CSV"}, {"\xe6\xb3\xa2.WFM", "\xe6\xb3\xa2.CSV"},
      {".WFM", ".WFM.CSV"}, {"xWFM", "xWFM.CSV"},       {"", ".CSV"}};
  for (const auto& [name, want] : cases) EXPECT_EQ(CsvNameForWfm(name), want) << name;
}

}  // namespace
}  // namespace sondrix
