// sondrix-convert: converts WFM captures (and CSV/TXT waveform files) into the CSV files that
// the window stores, for scripts that handle thousands of captures.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/batch.h"
#include "cli/file_list.h"
#include "cli/messages.h"
#include "cli/quoted_name.h"
#include "cli/standard_output.h"
#include "cli/terminal_progress.h"
#include "cli/watch.h"
#include "csv/csv_layout.h"
#include "io/utf8_path.h"
#include "model/messages.h"
#include "version.h"

namespace {

namespace messages = sondrix::cli_messages;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr const char* kProgram = "sondrix-convert";

// Paths and --info texts on stdout, one line per failed file on stderr, the bar in between.
class ConsoleReport final : public sondrix::cli::BatchReport {
 public:
  // `flush`: each line reaches a reader at once, as a watch must tell what it wrote.
  ConsoleReport(std::FILE* terminal, sondrix::cli::StandardOutput& out, bool flush = false)
      : progress_(terminal), out_(out), flush_(flush) {}

  void outcome(const std::filesystem::path& input,
               const sondrix::cli::FileOutcome& outcome) override {
    progress_.finish();
    if (outcome.ok) {
      out_.write(outcome.text);
      if (flush_) out_.flush();
    } else {
      std::fprintf(stderr, "%s: %s: %s\n", kProgram, sondrix::cli::QuotedPath(input).c_str(),
                   outcome.reason.c_str());
    }
  }
  void progress(double filesDone, std::size_t files) override { progress_.show(filesDone, files); }

 private:
  sondrix::cli::TerminalProgress progress_;
  sondrix::cli::StandardOutput& out_;
  bool flush_;
};

int usageError(const std::string& text) {
  std::fprintf(stderr, "%s: %s\n%s\n", kProgram, text.c_str(), messages::kSeeHelp);
  return kExitUsage;
}

// CLI11's own folder check would read the name in the ANSI code page on Windows; this one reads
// it as the UTF-8 that every argument is, with the same texts.
std::string existingFolder(std::string& name) {
  std::error_code ec;
  const std::filesystem::file_status st = std::filesystem::status(sondrix::PathFromUtf8(name), ec);
  if (ec || st.type() == std::filesystem::file_type::not_found ||
      st.type() == std::filesystem::file_type::none) {
    return messages::kNoSuchFolder + name;
  }
  if (!std::filesystem::is_directory(st)) return messages::kFolderIsAFile + name;
  return {};
}

int run(int argc, char** argv, sondrix::cli::StandardOutput& out) {
  CLI::App app{messages::kAbout, kProgram};
  std::string skipText = "0";
  std::string output;
  std::string outDir;
  bool info = false;
  int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::string filesFrom;
  bool nulSeparated = false;
  std::vector<std::string> inputs;
  std::string watchDir;
  bool poll = false;
  app.add_option("--skip", skipText, messages::kHelpSkip + std::to_string(sondrix::kMaxDataSkip))
      ->option_text("N");
  auto* outputOpt = app.add_option("-o,--output", output, messages::kHelpOutput);
  auto* dirOpt = app.add_option("-d,--dir", outDir, messages::kHelpDir)
                     ->check(CLI::Validator(existingFolder, "DIR"));
  outputOpt->excludes(dirOpt);
  app.add_option("-j,--jobs", jobs, messages::kHelpJobs)
      ->check(CLI::Range(1, 1024))
      ->option_text("N");
  auto* listOpt =
      app.add_option("--files-from", filesFrom, messages::kHelpFilesFrom)->option_text("LIST");
  app.add_flag("-0,--null", nulSeparated, messages::kHelpNull)->needs(listOpt);
  auto* watchOpt = app.add_option("--watch", watchDir, messages::kHelpWatch)
                       ->option_text("DIR")
                       ->check(CLI::Validator(existingFolder, "DIR"));
  app.add_flag("--poll", poll, messages::kHelpPoll)->needs(watchOpt);
  watchOpt->excludes(outputOpt)->excludes(listOpt);
  app.add_flag("--info", info, messages::kHelpInfo)->excludes(watchOpt);
  app.add_option("FILE", inputs, messages::kHelpFiles)->excludes(watchOpt);
  app.set_version_flag("--version", std::string(kProgram) + " " + sondrix::kSondrixVersion);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help and --version end here too, with CLI11's exit code 0.
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  }
  if (watchOpt->count() > 0) {
    sondrix::cli::WatchOptions options;
    options.batch.convert.skip = sondrix::DataSkipFromText(skipText);
    if (!outDir.empty()) options.batch.convert.outDir = sondrix::PathFromUtf8(outDir);
    options.batch.jobs = jobs;
    options.poll = poll;
    ConsoleReport report(nullptr, out, true);
    sondrix::cli::WatchStop stop;
    sondrix::cli::StopOnSignals(stop);
    sondrix::cli::RunWatch(sondrix::PathFromUtf8(watchDir), options, report, stop);
    return kExitOk;
  }
  if (inputs.empty() && listOpt->count() == 0) {
    return usageError(messages::kNoInput);
  }
  if (listOpt->count() > 0) {
    std::string error;
    auto list = sondrix::cli::ReadFileList(filesFrom, nulSeparated, error);
    if (!list) return usageError(error);
    for (std::string& name : *list) inputs.push_back(std::move(name));
  }
  if (!output.empty() && inputs.size() != 1) {
    return usageError(messages::kOneOutput + std::to_string(inputs.size()) +
                      messages::kOneOutputEnd);
  }

  sondrix::cli::BatchOptions options;
  options.convert.skip = sondrix::DataSkipFromText(skipText);
  if (!output.empty()) options.convert.output = sondrix::PathFromUtf8(output);
  if (!outDir.empty()) options.convert.outDir = sondrix::PathFromUtf8(outDir);
  options.info = info;
  options.jobs = jobs;
  std::vector<std::filesystem::path> paths;
  paths.reserve(inputs.size());
  for (const std::string& input : inputs) paths.push_back(sondrix::PathFromUtf8(input));
  const bool bar = !info && sondrix::cli::TerminalProgress::StderrIsTerminal();
  ConsoleReport report(bar ? stderr : nullptr, out);
  return sondrix::cli::RunBatch(paths, options, report) ? kExitOk : kExitFailed;
}

// Runs the program, then fails it when what it wrote did not reach standard output; the message
// is the one the shell's own tools give. Running out of memory outside the conversion of a file
// (which reports it), for example for a list of a million names, ends the program with the
// reason and a failure status instead of an abort.
int runChecked(int argc, char** argv) {
  try {
    sondrix::cli::StandardOutput out;
    const int status = run(argc, argv, out);
    if (const int error = out.close()) {
      std::fprintf(stderr, "%s: %s: %s\n", kProgram, messages::kWriteError,
                   std::error_code(error, std::generic_category()).message().c_str());
      return status == kExitOk ? kExitFailed : status;
    }
    return status;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: %s\n", kProgram, sondrix::model_messages::kNotEnoughMemory);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", kProgram, e.what());
  }
  return kExitFailed;
}

}  // namespace

#ifdef _WIN32
// Windows gives main() its arguments in the ANSI code page, which cannot hold every file name;
// the wide ones can, and become the UTF-8 that the rest of the program reads.
int wmain(int argc, wchar_t** wargv) {
  std::vector<std::string> args;
  std::vector<char*> argv;
  args.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) args.push_back(sondrix::Utf8Path(wargv[i]));
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return runChecked(argc, argv.data());
}
#else
int main(int argc, char** argv) { return runChecked(argc, argv); }
#endif
