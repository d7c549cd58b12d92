#include "cli/output_claims.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "cli/messages.h"
#include "support/files.h"
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
  std::filesystem::create_hard_link(dir / "a.wfm", dir / "hard.wfm");
  using Paths = std::vector<std::filesystem::path>;
  using Reasons = std::vector<std::string>;
  const auto replaces = [](const std::string& output, const std::string& what) {
    return cli_messages::kTheOutput + output + cli_messages::kWouldReplace + what;
  };
  const std::string theInput = cli_messages::kTheInput;
#ifdef _WIN32
  // Symbolic links need a right that programs seldom have there; names ignore case instead.
  const std::string link = d + "/sub/..";
  std::vector<std::tuple<Paths, Paths, Reasons>> rows = {
      {{d + "/a.wfm"}, {d + "/A.WFM"}, {replaces(d + "/A.WFM", theInput)}},
      {{d + "/a.wfm", d + "/c.wfm"},
       {d + "/out.CSV", d + "/OUT.csv"},
       {"", replaces(d + "/OUT.csv", cli_messages::kTheOutputOf + d + "/a.wfm")}},
  };
#else
  const std::string link = d + "/link";
  std::filesystem::create_directory_symlink(dir.path(), dir / "link");
  std::filesystem::create_symlink(dir / "a.wfm", dir / "soft.wfm");
  std::filesystem::create_symlink(dir / "hard.wfm", dir / "soft-hard.wfm");
  std::vector<std::tuple<Paths, Paths, Reasons>> rows = {
      {{d + "/a.wfm"}, {d + "/soft.wfm"}, {replaces(d + "/soft.wfm", theInput)}},
      {{d + "/a.wfm"}, {d + "/soft-hard.wfm"}, {replaces(d + "/soft-hard.wfm", theInput)}},
  };
#endif
  rows.insert(
      rows.end(),
      {
          {{d + "/a.wfm"}, {d + "/a.CSV"}, {""}},
          {{d + "/a.wfm"}, {link + "/a.wfm"}, {replaces(link + "/a.wfm", theInput)}},
          {{d + "/a.wfm"}, {d + "/hard.wfm"}, {replaces(d + "/hard.wfm", theInput)}},
          // Another input, there or not (yet); the first spelling of it is named.
          {{d + "/a.wfm", d + "/sub/b.wfm", link + "/sub/b.wfm"},
           {d + "/sub/b.wfm", d + "/x.CSV", d + "/y.CSV"},
           {replaces(d + "/sub/b.wfm", d + "/sub/b.wfm"), "", ""}},
          {{d + "/a.wfm", d + "/gone.CSV"},
           {link + "/gone.CSV", d + "/gone.CSV.CSV"},
           {replaces(link + "/gone.CSV", d + "/gone.CSV"), ""}},
          // An earlier output, written or not; a refused file claims nothing.
          {{d + "/a.wfm", d + "/sub/b.wfm", d + "/c.wfm", d + "/e.wfm"},
           {d + "/a.wfm", d + "/out.CSV", link + "/out.CSV", d + "/a.wfm.CSV"},
           {replaces(d + "/a.wfm", theInput), "",
            replaces(link + "/out.CSV", cli_messages::kTheOutputOf + d + "/sub/b.wfm"), ""}},
      });
  for (const auto& [inputs, outputs, reasons] : rows) {
    EXPECT_EQ(CheckOutputs(inputs, outputs), reasons) << outputs.front();
  }
}

#ifndef _WIN32
// An output that is a link counts as where the link ends, there or not; a link never leads a
// write onto a capture that is no input, nor through another user's link in a shared folder.
TEST(CheckOutputsTest, FollowsOutputLinksToWhereTheyEnd) {
  testing::TempDir dir;
  const std::string d = dir.path().string() + "/";
  std::filesystem::create_directory(dir / "out");
  synth::WriteBytes(dir / "x.wfm", synth::SerializeWfm(synth::MakeCapture({})));
  synth::WriteBytes(dir / "old.CSV", "ModelName,DSX");
  for (const char* name : {"a.wfm", "b.wfm"}) synth::WriteBytes(dir / name, "in");
  std::filesystem::create_symlink("b.CSV", dir / "out/a.CSV");
  std::filesystem::create_symlink("../missing.CSV", dir / "out/m1.CSV");
  std::filesystem::create_symlink(d + "missing.CSV", dir / "out/m2.CSV");
  std::filesystem::create_symlink("../x.wfm", dir / "out/x.CSV");
  std::filesystem::create_symlink("../old.CSV", dir / "out/old.CSV");
  std::filesystem::create_symlink("../a.wfm", dir / "out/in.CSV");
  const auto replaces = [&](const std::string& output, const std::string& what) {
    return cli_messages::kTheOutput + d + output + cli_messages::kWouldReplace + what;
  };
  using Paths = std::vector<std::filesystem::path>;
  const Paths inputs = {d + "a.wfm", d + "b.wfm"};
  const std::vector<std::pair<Paths, std::vector<std::string>>> rows = {
      {{d + "out/a.CSV", d + "out/b.CSV"},
       {"", replaces("out/b.CSV", cli_messages::kTheOutputOf + d + "a.wfm")}},
      {{d + "out/m1.CSV", d + "out/m2.CSV"},
       {"", replaces("out/m2.CSV", cli_messages::kTheOutputOf + d + "a.wfm")}},
      {{d + "out/x.CSV", d + "out/old.CSV"},
       {replaces("out/x.CSV", cli_messages::kTheCapture + d + "out/../x.wfm"), ""}},
      {{d + "out/b.CSV", d + "out/in.CSV"}, {"", replaces("out/in.CSV", d + "a.wfm")}},
  };
  for (const auto& [outputs, reasons] : rows) {
    EXPECT_EQ(CheckOutputs(inputs, outputs), reasons) << outputs.front();
  }
  if (::geteuid() != 0) return;  // only root can give a link to another user
  std::filesystem::create_directory(dir / "shared");
  ::chmod((dir / "shared").c_str(), 01777);
  std::filesystem::create_symlink(d + "old.CSV", dir / "shared/a.CSV");
  ASSERT_EQ(::lchown((dir / "shared/a.CSV").c_str(), 65534, 65534), 0);
  EXPECT_EQ(CheckOutputs(inputs, {d + "shared/a.CSV"}),
            std::vector<std::string>{cli_messages::kTheOutput + d + "shared/a.CSV" +
                                     cli_messages::kLinkNotFollowed + d + "shared/a.CSV" +
                                     cli_messages::kLinkOfAnotherUser});
}
#endif

}  // namespace
}  // namespace sondrix::cli
