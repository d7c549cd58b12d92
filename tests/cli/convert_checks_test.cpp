// The converter's guards that no file is lost without a word: outputs through links, standard
// output that cannot take the text, lists that never end, and the sample maker's options.
#include <filesystem>
#include <string>

#include "cli/convert_program.h"
#include "cli/file_list.h"
#include "cli/messages.h"

namespace sondrix {
namespace {

namespace fs = std::filesystem;
namespace messages = cli_messages;

// A dangling link among the outputs names another output's file: the later one is refused, and
// each output that is written holds its own capture.
TEST_F(ConvertProgram, AnOutputLinkNeverLetsOneOutputReplaceAnother) {
  const std::string a = capture("a.WFM", 100);
  const std::string b = capture("b.WFM", 200);
  fs::create_directory(dir / "out");
  fs::create_symlink("b.CSV", dir / "out/a.CSV");
  EXPECT_EQ(run("-j1 -d " + (dir / "out").string() + " " + a + " " + b), 1);
  EXPECT_EQ(err, "sondrix-convert: " + b + ": " + messages::kTheOutput +
                     (dir / "out/b.CSV").string() + messages::kWouldReplace +
                     messages::kTheOutputOf + a + "\n");
  EXPECT_EQ(testing::SplitCrLf(testing::ReadWhole(dir / "out/b.CSV")).size(), 30u + 100u)
      << "a's CSV, through the link";
}

// What does not reach standard output fails the run with the system's reason, as the shell's
// own tools do; the redirection inside the group applies to the converter alone.
TEST_F(ConvertProgram, AStandardOutputThatCannotTakeTheTextFailsTheRun) {
  const std::string a = capture("a.WFM", 100);
  const std::string exe = SONDRIX_CONVERT_EXE;
  for (const std::string& args :
       {"--info " + a, "-d " + dir.path().string() + " " + a, std::string("--help")}) {
    EXPECT_EQ(shell("{ timeout 60 " + exe + " " + args + " >/dev/full; }"), 1) << args;
    EXPECT_EQ(err, std::string("sondrix-convert: ") + messages::kWriteError +
                       ": No space left on device\n")
        << args;
  }
}

// An endless stream ends the run as a list that cannot be read, whichever way it is split.
TEST_F(ConvertProgram, AListThatIsNoListEndsWithItsLine) {
  const std::string max = std::to_string(cli::FileListParser::kMaxName);
  const std::string line = messages::kListLine;
  const std::pair<std::string, std::string> rows[] = {
      {"--files-from /dev/zero", line + "1: " + messages::kHoldsNul},
      {"-0 --files-from /dev/zero", messages::kListEntry +
                                        std::to_string(cli::FileListParser::kMaxName + 1) + ": " +
                                        messages::kMoreThan + max + messages::kEmptyNamesInARow},
      {"--files-from - < /dev/urandom", line},
  };
  const std::string names = std::to_string(cli::FileListParser::kMaxNames);
  EXPECT_EQ(shell("yes a | " + std::string(SONDRIX_CONVERT_EXE) + " --files-from -"), 2);
  EXPECT_EQ(err, "sondrix-convert: " + (messages::kTheList + std::string("-")) +
                     messages::kCannotBeRead + line +
                     std::to_string(cli::FileListParser::kMaxNames + 1) + ": " +
                     messages::kMoreThan + names + messages::kTooManyNames + "\n" +
                     messages::kSeeHelp + "\n");
  synth::WriteBytes(dir / "one", "a");  // a read of one byte is a list too
  EXPECT_EQ(shell("cd " + dir.path().string() + " && " + SONDRIX_CONVERT_EXE + " --files-from one"),
            1);
  EXPECT_TRUE(err.starts_with("sondrix-convert: a: ")) << err;
  for (const auto& [args, reason] : rows) {
    EXPECT_EQ(run(args), 2) << args;
    const std::string list = args.ends_with("urandom") ? "-" : "/dev/zero";
    EXPECT_EQ(err.rfind("sondrix-convert: " + (messages::kTheList + list) +
                            messages::kCannotBeRead + reason,
                        0),
              0u)
        << err;
  }
}

TEST_F(ConvertProgram, NamesWithControlCharactersAreQuoted) {
  const std::string a = capture("a\nb.WFM", 100);
  ASSERT_EQ(run("-d " + dir.path().string() + " '" + a + "'"), 0) << err;
  EXPECT_EQ(out, "'" + dir.path().string() + "/a'$'\\n''b.CSV'\n");
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
  EXPECT_FALSE(fs::exists(dir / "--help"));
  EXPECT_FALSE(fs::exists(dir / "--bogus"));
}

}  // namespace
}  // namespace sondrix
