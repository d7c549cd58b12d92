// The converter's outputs that are not plain files, and its guards that no file is lost without a
// word: standard output that cannot take the text, lists that never end, and the sample maker's
// options. (Outputs through links are CheckOutputs' table; a conversion cut short by a signal is
// the CSV writer's and SafeFile's case: the old file stays, no temporary is left.)
#include <filesystem>
#include <string>

#include "cli/convert_program.h"
#include "cli/file_list.h"
#include "cli/messages.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;
namespace messages = cli_messages;

TEST_F(ConvertProgram, WritesAFifoADeviceOrStandardOutputAsAStream) {
  const std::string input = capture("in.wfm", 300);
  ASSERT_EQ(run("-o " + (dir / "file.CSV").string() + " " + input), 0) << err;
  const std::string csv = testing::ReadWhole(dir / "file.CSV");
  ASSERT_TRUE(csv.starts_with("ModelName,"));
  for (const char* target : {"-", "/dev/stdout"}) {
    ASSERT_EQ(run(std::string("-o ") + target + " " + input), 0) << err;
    EXPECT_TRUE(out == csv) << target << ": the CSV text alone, no name line after it";
  }
  const fs::path fifo = dir / "fifo";
  ASSERT_TRUE(testing::MakeFifo(fifo));
  // A reader at the other end, as a pipe has; the group ends with the converter's status.
  const std::string read = "timeout 60 cat " + fifo.string() + " >" + (dir / "read").string();
  EXPECT_EQ(shell("{ " + read + " & timeout 60 " + SONDRIX_CONVERT_EXE + " -o " + fifo.string() +
                  " " + input + "; s=$?; wait; exit $s; }"),
            0)
      << err;
  EXPECT_TRUE(testing::ReadWhole(dir / "read") == csv);
  EXPECT_EQ(out, fifo.string() + "\n");
  EXPECT_EQ(fs::symlink_status(fifo).type(), fs::file_type::fifo);
  if (testing::MakeCharDevice(dir / "null", 1, 3)) {
    EXPECT_EQ(run("-o " + (dir / "null").string() + " " + input), 0) << err;
    EXPECT_EQ(fs::status(dir / "null").type(), fs::file_type::character);
  }
  const fs::path full = testing::MakeCharDevice(dir / "full", 1, 7) ? dir / "full" : "/dev/full";
  EXPECT_EQ(run("-o " + full.string() + " " + input), 1);
  EXPECT_EQ(err, "sondrix-convert: " + input + ": " + full.string() +
                     ": writing failed: No space left on device\n");
}

// What does not reach standard output fails the run with the system's reason, as the shell's
// own tools do; the redirection inside the group applies to the converter alone.
TEST_F(ConvertProgram, AStandardOutputThatCannotTakeTheTextFailsTheRun) {
  const std::string a = capture("a.WFM", 100);
  const std::string exe = SONDRIX_CONVERT_EXE;
  std::string infos = "--info";  // more than the output's buffer: a write fails, not the close
  for (int i = 0; i < 12; ++i) infos += " " + a;
  for (const std::string& args :
       {infos, "-d " + dir.path().string() + " " + a, std::string("--help")}) {
    EXPECT_EQ(shell("{ timeout 60 " + exe + " " + args + " >/dev/full; }"), 1) << args;
    EXPECT_EQ(err, std::string("sondrix-convert: ") + messages::kWriteError +
                       ": No space left on device\n")
        << args;
  }
}

// An endless stream ends the run as a list that cannot be read, at the line where it stops being
// one (which lines those are, a NUL among them, is the list parser's rule).
TEST_F(ConvertProgram, AListThatIsNoListEndsWithItsLine) {
  const std::string names = std::to_string(cli::FileListParser::kMaxNames);
  EXPECT_EQ(shell("yes a | " + std::string(SONDRIX_CONVERT_EXE) + " --files-from -"), 2);
  EXPECT_EQ(err, "sondrix-convert: the list - cannot be read: line " +
                     std::to_string(cli::FileListParser::kMaxNames + 1) + ": more than " + names +
                     " names; split the list\nRun with --help for more information.\n");
  synth::WriteBytes(dir / "one", "a");  // a read of one byte is a list too
  EXPECT_EQ(shell("cd " + dir.path().string() + " && " + SONDRIX_CONVERT_EXE + " --files-from one"),
            1);
  EXPECT_TRUE(err.starts_with("sondrix-convert: a: ")) << err;
}

TEST_F(ConvertProgram, NamesWithControlCharactersAreQuoted) {
  const std::string a = capture("a\nb.WFM", 100);
  EXPECT_EQ(run("--info '" + a + "'"), 0) << err;
  EXPECT_TRUE(out.starts_with(messages::kInfoFile + ("'" + dir.path().string()) +
                              "/a'$'\\n''b.WFM'\nModelName: "));
  // Also where a reader's reason names the file, and where the output cannot be written.
  std::filesystem::create_directory(dir / "c\td.csv");
  const std::string c = "'" + dir.path().string() + "/c'$'\\t''d.csv'";
  EXPECT_EQ(run("'" + (dir / "c\td.csv").string() + "'"), 1);
  EXPECT_EQ(err, "sondrix-convert: " + c + ": cannot open " + c + ": Is a directory\n");
  EXPECT_EQ(run("-o '" + (dir / "c\td.csv" / "x\ny" / "z.csv").string() + "' '" + a + "'"), 1);
  EXPECT_NE(err.find("/c'$'\\t''d.csv/x'$'\\n''y/z.csv': the file cannot be created"),
            std::string::npos)
      << err;
}

TEST_F(ConvertProgram, SampleMakerTakesHelpAndRefusesOtherOptions) {
  const std::string samples = "cd " + dir.path().string() + " && " + SONDRIX_SAMPLES_EXE;
  EXPECT_EQ(shell(samples + " --help"), 0);
  EXPECT_TRUE(out.starts_with("usage: sondrix-samples DIR\n")) << out;
  EXPECT_EQ(err, "");
  EXPECT_EQ(shell(samples + " --bogus"), 2);
  EXPECT_EQ(out, "");
  EXPECT_TRUE(err.starts_with("sondrix-samples: unknown option --bogus\nusage: ")) << err;
  for (const char* name : {"--help", "--bogus"}) EXPECT_FALSE(fs::exists(dir / name));
}

}  // namespace
}  // namespace sondrix
