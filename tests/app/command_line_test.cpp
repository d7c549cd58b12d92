#include <gtest/gtest.h>

#include <string>

#include <QDir>
#include <QProcess>

#include "app/command_line.h"
#include "version.h"

namespace sondrix {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, ArgumentsGiveTheActionAndAnAbsoluteTarget) {
  const QString here = QDir::currentPath();
  const struct {
    QStringList arguments;
    Action action;
    QString target;
  } cases[] = {
      {{"sondrix"}, Action::Open, {}},
      {{"sondrix", "a.WFM"}, Action::Open, here + "/a.WFM"},
      {{"sondrix", "/data/run 1/"}, Action::Open, "/data/run 1"},
      {{"sondrix", "--", "-odd.wfm"}, Action::Open, here + "/-odd.wfm"},
      {{"sondrix", "--version"}, Action::Version, {}},
      {{"sondrix", "-h", "a.WFM"}, Action::Help, {}},
      {{"sondrix", "a.WFM", "b.WFM"}, Action::Error, {}},
      {{"sondrix", "--bogus"}, Action::Error, {}},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.arguments);
    EXPECT_EQ(line.action, c.action) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(line.target, c.target) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(line.error.isEmpty(), c.action != Action::Error);
  }
}

// The program itself: the version comes from the build, and needs no display.
TEST(CommandLineTest, TheProgramPrintsItsVersion) {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(SONDRIX_EXE), {QStringLiteral("--version")});
  ASSERT_TRUE(program.waitForFinished(30000));
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(program.readAllStandardOutput().toStdString(),
            std::string("sondrix ") + kSondrixVersion + "\n");
}

}  // namespace
}  // namespace sondrix
