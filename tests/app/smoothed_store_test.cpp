// A smoothed display stores the smoothing of the whole record, whatever window is on screen.
#include <QLineEdit>
#include <QRadioButton>

#include "csv/csv_writer.h"
#include "csv/to_volts.h"
#include "form_fixture.h"
#include "support/read_file.h"
#include "view/smooth_samples.h"

namespace sondrix::testing {
namespace {

TEST_F(FormTest, AZoomedSmoothedStoreWritesTheWholeRecordSmoothed) {
  writeCapture("noisy.wfm", synth::SineCapture(2, 3000));
  play("noisy.wfm");
  child<QPushButton>("Expand")->click();
  child<QPushButton>("Expand")->click();
  ASSERT_GT(form().view().StartIndex, 0) << "the window is a part of the record";
  // Only the zoomed window has ever been drawn smoothed.
  child<QLineEdit>("SmPoints")->setText(QStringLiteral("9"));
  child<QRadioButton>("smOption2")->setChecked(true);
  // A width typed but not applied does not change what is shown, nor what is stored.
  child<QLineEdit>("SmPoints")->setText(QStringLiteral("101"));
  const auto stored = root.path() / "stored.CSV";
  services.chosen = Q(stored);
  child<QPushButton>("SelResultFileFolder")->click();

  WaveRecord expected = form().record();
  std::vector<std::int16_t> smoothed(static_cast<std::size_t>(expected.header.Points));
  ASSERT_TRUE(ToVoltsForDisplayed(expected, [&](int ch) {
    SmoothSamples(expected.buffers.SrcData[static_cast<std::size_t>(ch)], 0,
                  expected.header.Points - 1, 9, smoothed);
    return std::span<const std::int16_t>(smoothed);
  }));
  NullSink quiet;
  const auto reference = root.path() / "reference.CSV";
  ASSERT_TRUE(WriteCsvFile(reference, expected.header, expected.buffers.VoltData, 0, quiet).ok());
  EXPECT_EQ(ReadWhole(stored), ReadWhole(reference));
}

}  // namespace
}  // namespace sondrix::testing
