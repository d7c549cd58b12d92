// sondrix-convert: converts WFM captures (and CSV/TXT waveform files) into the CSV files that
// the window stores, for scripts that handle thousands of captures.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/convert.h"
#include "cli/info.h"
#include "cli/terminal_progress.h"
#include "csv/csv_layout.h"
#include "io/safe_write.h"
#include "version.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr const char* kProgram = "sondrix-convert";

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Converts oscilloscope WFM captures and CSV/TXT waveform files into CSV files (time "
      "and volts per channel).",
      kProgram};
  std::string skipText = "0";
  std::string output;
  std::string outDir;
  bool info = false;
  std::vector<std::string> inputs;
  app.add_option("--skip", skipText,
                 "Write every (N+1)-th sample; the leading number counts, rounded half to even "
                 "and kept within 0..1000")
      ->option_text("N");
  auto* outputOpt =
      app.add_option("-o,--output", output, "Output file (one input only); - for standard output");
  auto* dirOpt = app.add_option("-d,--dir", outDir, "Folder for the output files")
                     ->check(CLI::ExistingDirectory);
  outputOpt->excludes(dirOpt);
  app.add_flag("--info", info, "Print the header members of each file and write nothing");
  app.add_option("FILE", inputs, "WFM, CSV or TXT files to convert")->required();
  app.set_version_flag("--version", std::string(kProgram) + " " + sondrix::kSondrixVersion);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help and --version end here too, with CLI11's exit code 0.
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  }
  if (!output.empty() && inputs.size() != 1) {
    std::fprintf(stderr, "%s: -o names one output file, but %zu inputs were given\n", kProgram,
                 inputs.size());
    return kExitUsage;
  }

  sondrix::cli::ConvertOptions options;
  options.skip = sondrix::DataSkipFromText(skipText);
  if (!output.empty()) options.output = std::filesystem::path(output);
  if (!outDir.empty()) options.outDir = std::filesystem::path(outDir);
  for (const std::string& input : inputs) options.keep.emplace_back(input);

  sondrix::cli::TerminalProgress progress(!info &&
                                          sondrix::cli::TerminalProgress::StderrIsTerminal());
  int status = kExitOk;
  for (const std::string& input : inputs) {
    progress.setLabel(input);
    sondrix::cli::ConvertResult result;
    if (info) {
      sondrix::WaveRecord record;
      result = sondrix::cli::LoadInput(input, record, progress);
      if (result.ok) {
        std::printf("File: %s\n%s", input.c_str(), sondrix::cli::InfoText(record).c_str());
      }
    } else {
      result = sondrix::cli::ConvertFile(input, options, progress);
      if (result.ok) options.keep.push_back(result.written);
    }
    progress.finish();
    if (!result.ok) {
      std::fprintf(stderr, "%s: %s: %s\n", kProgram, input.c_str(), result.reason.c_str());
      status = kExitFailed;
    } else if (!info && !sondrix::IsStandardOutput(result.written)) {
      // The name of each file written, except where it would land inside the CSV text itself.
      std::printf("%s\n", result.written.string().c_str());
    }
  }
  return status;
}
