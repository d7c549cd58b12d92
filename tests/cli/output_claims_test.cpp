#include "cli/output_claims.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "synth/wfm_writer.h"

namespace sondrix::cli {
namespace {

// Spellings of one file meet however they reach it; different files never do.
TEST(CheckOutputsTest, ComparesFilesNotSpellings) {
  testing::TempDir dir;
  const std::string d = dir.path().string();
  std::filesystem::create_directory(dir / "sub");
  synth::WriteBytes(dir / "a.wfm", "a");
  synth::WriteBytes(dir / "sub" / "b.wfm", "b");
  std::filesystem::create_directory_symlink(dir.path(), dir / "link");
  std::filesystem::create_symlink(dir / "a.wfm", dir / "soft.wfm");
  std::filesystem::create_hard_link(dir / "a.wfm", dir / "hard.wfm");
  std::filesystem::create_symlink(dir / "hard.wfm", dir / "soft-hard.wfm");
  using Paths = std::vector<std::filesystem::path>;
  using Reasons = std::vector<std::string>;
  const auto replaces = [](const std::string& output, const std::string& what) {
    return "the output " + output + " would replace " + what;
  };
  const std::tuple<Paths, Paths, Reasons> rows[] = {
      {{d + "/a.wfm"}, {d + "/a.CSV"}, {""}},
      {{d + "/a.wfm"}, {d + "/link/a.wfm"}, {replaces(d + "/link/a.wfm", "the input")}},
      {{d + "/a.wfm"}, {d + "/sub/.././a.wfm"}, {replaces(d + "/sub/.././a.wfm", "the input")}},
      {{d + "/a.wfm"}, {d + "/soft.wfm"}, {replaces(d + "/soft.wfm", "the input")}},
      {{d + "/a.wfm"}, {d + "/hard.wfm"}, {replaces(d + "/hard.wfm", "the input")}},
      {{d + "/a.wfm"}, {d + "/soft-hard.wfm"}, {replaces(d + "/soft-hard.wfm", "the input")}},
      // Another input, there or not (yet); the first spelling of it is named.
      {{d + "/a.wfm", d + "/sub/b.wfm", d + "/link/sub/b.wfm"},
       {d + "/sub/b.wfm", d + "/x.CSV", d + "/y.CSV"},
       {replaces(d + "/sub/b.wfm", d + "/sub/b.wfm"), "", ""}},
      {{d + "/a.wfm", d + "/gone.CSV"},
       {d + "/link/gone.CSV", d + "/gone.CSV.CSV"},
       {replaces(d + "/link/gone.CSV", d + "/gone.CSV"), ""}},
      // An earlier output, written or not; a refused file claims nothing.
      {{d + "/a.wfm", d + "/sub/b.wfm", d + "/c.wfm", d + "/e.wfm"},
       {d + "/a.wfm", d + "/out.CSV", d + "/link/out.CSV", d + "/a.wfm.CSV"},
       {replaces(d + "/a.wfm", "the input"), "",
        replaces(d + "/link/out.CSV", "the output of " + d + "/sub/b.wfm"), ""}},
  };
  for (const auto& [inputs, outputs, reasons] : rows) {
    EXPECT_EQ(CheckOutputs(inputs, outputs), reasons) << outputs.front();
  }
}

}  // namespace
}  // namespace sondrix::cli
