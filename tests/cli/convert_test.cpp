// End to end: the converter program on generated captures, checking what it writes.
#include <map>
#include <string>
#include <vector>

#include "cli/convert_program.h"
#include "cli/messages.h"
#include "cli/quoted_name.h"

namespace sondrix {
namespace {

TEST_F(ConvertProgram, SkipOutputNamesAndFolders) {
  const std::string input = capture("x.WFM.WFM", 100);
  std::filesystem::create_directory(dir / "out");
  ASSERT_EQ(run("--skip 9.5 -d " + (dir / "out").string() + " " + input), 0) << err;
  const auto lines = testing::SplitCrLf(testing::ReadWhole(dir / "out" / "x.CSV"));
  EXPECT_EQ(lines.size(), 30u + 10u) << "9.5 rounds to the even 10: every 11th sample";
  EXPECT_EQ(run("-o " + input + " " + input), 1) << "never over the input";
  // Which outputs would replace an input or an earlier output is CheckOutputs' rule.
  EXPECT_NE(err.find("replace the input"), std::string::npos) << err;
}

TEST_F(ConvertProgram, ExitStatusTellsUsageErrorsFromFailedFiles) {
  const std::string good = capture("good.wfm");
  const auto unwritable = dir / "no-such-folder" / "x.csv";
  EXPECT_EQ(run("-o " + unwritable.string() + " " + good), 1);
  EXPECT_EQ(err, "sondrix-convert: " + good + ": " + unwritable.string() +
                     ": the file cannot be created: No such file or directory\n");

  EXPECT_EQ(run(""), 2);
  EXPECT_EQ(run("-o a.csv " + good + " " + good), 2);
  EXPECT_EQ(run("-d " + (dir / "missing").string() + " " + good), 2);
  EXPECT_NE(err.find(cli_messages::kNoSuchFolder + (dir / "missing").string()), std::string::npos)
      << err;
}

// Each kind of refusal reaches the report with its reason: a file its reader refuses, a FIFO (not
// waited on) as its reader refuses it, text without a waveform as NoWaveformReason tells it. A
// failed file leaves no output; which files the readers and the loader refuse are their tables.
TEST_F(ConvertProgram, WhatIsNotAWaveformFailsWithAReason) {
  std::filesystem::create_directory(dir / "out");
  synth::WriteBytes(dir / "bad.wfm", "ModelName = nothing useful\r\n");
  synth::WriteBytes(dir / "passwd.txt", "root:x:0:0:root:/root:/bin/bash\nbin:x:2:2::/bin:\n");
  ASSERT_TRUE(testing::MakeFifo(dir / "fifo.csv"));
  const std::pair<std::string, std::string> rows[] = {
      {(dir / "bad.wfm").string(),
       "line 1: the model line names neither series QK nor ZT at column 20"},
      {(dir / "passwd.txt").string(),
       "no column header line (\"CH1 ...,CH2 ...\" or \"Time...,CH1 ...\") was found"},
      {(dir / "fifo.csv").string(),
       "cannot open " + (dir / "fifo.csv").string() + ": not a regular file"},
  };
  for (const auto& [input, reason] : rows) {
    EXPECT_EQ(run("-d " + (dir / "out").string() + " " + input), 1) << input;
    EXPECT_EQ(err, "sondrix-convert: " + input + ": " + reason + "\n");
    EXPECT_EQ(run("--info " + input), 1) << input;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
}

// Outputs, stdout, stderr and the exit status do not depend on the number of jobs: a large file
// first, so that later ones finish before it, and failures of each kind in between.
TEST_F(ConvertProgram, ParallelJobsReportAsOneJobDoes) {
  std::string inputs = capture("big.wfm", 60'000) + " " + capture("a.wfm", 500);
  synth::WriteBytes(dir / "bad.wfm", "ModelName = nothing useful\r\n");
  inputs += " " + (dir / "bad.wfm").string() + " " + capture("b.WFM.WFM", 700);
  inputs += " " + (dir / "missing.wfm").string() + " " + capture("b.wfm", 300);  // b.CSV again
  inputs += " " + capture("c.wfm", 900);
  std::map<std::string, std::string> written;
  const auto inFolder3 = [](std::string text) {  // the texts of -j 1 as -j 3 gives them
    for (std::size_t at; (at = text.find("/out1/")) != std::string::npos;) text[at + 4] = '3';
    return text;
  };
  std::string oneJobOut;
  std::string oneJobErr;
  for (const std::string jobs : {"1", "3"}) {
    const auto folder = dir / ("out" + jobs);
    std::filesystem::create_directory(folder);
    EXPECT_EQ(run("-j " + jobs + " -d " + folder.string() + " " + inputs), 1) << err;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      const std::string bytes = testing::ReadWhole(entry.path());
      if (jobs == "1") written[name] = bytes;
      EXPECT_TRUE(written[name] == bytes) << name << " differs at -j " << jobs;
    }
    EXPECT_EQ(written.size(), 4u);
    if (jobs == "1") {
      EXPECT_LT(err.find("bad.wfm"), err.find("missing.wfm")) << "in input order";
      EXPECT_LT(err.find("missing.wfm"), err.find("b.wfm:"));
      oneJobOut = inFolder3(out);
      oneJobErr = inFolder3(err);
    } else {
      EXPECT_EQ(out, oneJobOut);
      EXPECT_EQ(err, oneJobErr);
    }
  }
}

TEST_F(ConvertProgram, FilesFromListsStandardInputAndNulSeparatedNames) {
  const std::string a = capture("a.wfm", 100);
  const std::string b = capture("with space\nand line.wfm", 100);
  const std::string c = capture("c.wfm", 100);
  synth::WriteBytes(dir / "lines", a + "\r\n\n" + c);
  synth::WriteBytes(dir / "nul", a + std::string(1, '\0') + b + std::string(1, '\0'));
  const std::pair<std::string, std::vector<std::string>> rows[] = {
      {"--files-from " + (dir / "lines").string(), {"a.CSV", "c.CSV"}},
      {"-0 --files-from " + (dir / "nul").string(), {"a.CSV", "with space\nand line.CSV"}},
      {"--null --files-from - < " + (dir / "nul").string() + " " + c,
       {"c.CSV", "a.CSV", "with space\nand line.CSV"}},  // the command line's names first
  };
  const auto folder = dir / "out";
  for (const auto& [args, names] : rows) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    ASSERT_EQ(run("-d " + folder.string() + " " + args), 0) << args << "\n" << err;
    std::string expected;
    // A name with a line end is quoted, so that each stays on its line.
    for (const std::string& name : names) expected += cli::QuotedPath(folder / name) + "\n";
    EXPECT_EQ(out, expected) << args;
  }
  synth::WriteBytes(dir / "empty", "");
  EXPECT_EQ(run("--files-from " + (dir / "empty").string()), 0) << "nothing to do is no failure";
  EXPECT_EQ(out + err, "");
  // An unreadable list is a usage error (its message: AListThatIsNoListEndsWithItsLine).
  EXPECT_EQ(run("--files-from " + (dir / "none").string()), 2);
  EXPECT_EQ(run("-0 " + a), 2) << "-0 without a list";
}

// `script` runs the converter on a terminal of its own and copies what that terminal showed.
TEST_F(ConvertProgram, DrawsItsBarOnlyOnATerminalAndNotForInfo) {
  if (shell("script --version") != 0) GTEST_SKIP() << "no script(1) to make a terminal with";
  const std::string input = capture("bar.wfm", 100);
  for (const std::string args : {"", "--info "}) {
    ASSERT_EQ(shell("script -qec '" + std::string(SONDRIX_CONVERT_EXE) + " " + args + input +
                    "' /dev/null"),
              0)
        << err;
    EXPECT_EQ(out.find("] 1/1") != std::string::npos, args.empty()) << args << out;
  }
}

// (The version printed is the installed tree's check.)
TEST_F(ConvertProgram, HelpAndInfoWriteNothing) {
  EXPECT_EQ(run("--help"), 0) << err;
  EXPECT_NE(out.find("--skip N"), std::string::npos) << out;
  ASSERT_EQ(run("--info " + capture("info.wfm")), 0) << err;
  for (const char* line : {"ModelName: DSX7004ZT-06-4\n", "Points: 2000\n", "TrigAddr: 1000\n",
                           "Vdiv1: 0.5\n", "Vdiv2: 5\n", "Chrev2: ON\n"}) {
    EXPECT_NE(out.find(line), std::string::npos) << line << out;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "info.CSV"));
}

}  // namespace
}  // namespace sondrix
