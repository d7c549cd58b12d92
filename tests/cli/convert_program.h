// The converter program run as a shell runs it, on captures generated in the test's folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <sys/wait.h>

#include "support/files.h"
#include "synth/wfm_writer.h"

namespace sondrix {

// A shell's view of how a program ended: its exit status, or 128 + the signal that ended it.
inline int ShellStatus(int status) {
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

class ConvertProgram : public ::testing::Test {
 protected:
  // Keeps stdout and stderr; a converter that waits for ever ends after 60 s with status 124.
  int run(const std::string& args) {
    return shell("timeout 60 " + std::string(SONDRIX_CONVERT_EXE) + " " + args);
  }
  int shell(const std::string& line) {
    const std::string command =
        line + " >" + (dir / "stdout").string() + " 2>" + (dir / "stderr").string();
    const int status = std::system(command.c_str());
    out = testing::ReadWhole(dir / "stdout");
    err = testing::ReadWhole(dir / "stderr");
    return ShellStatus(status);
  }
  // Four channels, the second inverted behind a 10X probe, the third not displayed.
  std::string capture(const std::string& name, std::size_t points = 2000) {
    synth::Capture c = synth::SineCapture(4, points);
    c.channels[1].invert = true;
    c.channels[1].probe = "10X";
    c.channels[2].display = false;
    const auto path = dir / name;
    synth::WriteBytes(path, synth::SerializeWfm(synth::MakeCapture(c)));
    return path.string();
  }

  testing::TempDir dir;
  std::string out;
  std::string err;
};

}  // namespace sondrix
