#pragma once

#include <string>
#include <string_view>

namespace sondrix {

// The CSV name of a played WFM file: the name up to its first ".WFM" (any case) with ".CSV"
// after it, so abc.wfm gives abc.CSV and x.WFM.WFM gives x.CSV; a name that begins with ".WFM"
// or has none gets ".CSV" appended (.WFM gives .WFM.CSV).
std::string CsvNameForWfm(std::string_view name);

}  // namespace sondrix
