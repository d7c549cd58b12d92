#include "csv/csv_name.h"

#include <gtest/gtest.h>

#include <string_view>

namespace sondrix {
namespace {

TEST(CsvNameForWfmTest, CutAtTheFirstWfmAnyCase) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"abc.wfm", "abc.CSV"},
      {"Ab.Wfm", "Ab.CSV"},  // the name keeps its own case
      {"x.WFM.WFM", "x.CSV"},
      {"a.wfmx", "a.CSV"},  // the first ".WFM" anywhere counts
      {"run.wfm.bak", "run.CSV"},
      {"a.b.WFM", "a.b.CSV"},
      {"\xe6\xb3\xa2.WFM", "\xe6\xb3\xa2.CSV"},
      {".WFM", ".WFM.CSV"},  // starts with it: appended
      {".wfm.wfm", ".wfm.wfm.CSV"},
      {"noext", "noext.CSV"},
      {"data.csv", "data.csv.CSV"},
      {"x.WF", "x.WF.CSV"},
      {"xWFM", "xWFM.CSV"},
      {"", ".CSV"},
  };
  for (const auto& [name, want] : cases) EXPECT_EQ(CsvNameForWfm(name), want) << name;
}

}  // namespace
}  // namespace sondrix
