#include "app/frame_picture.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFileInfo>

#include "app/picture_file.h"
#include "app/qt_text.h"
#include "app/report_picture.h"
#include "app/split_path.h"
#include "load/load_file.h"
#include "model/ui_sink.h"
#include "view/cursors.h"
#include "view/measurements.h"
#include "view/readouts.h"
#include "view/renderer.h"
#include "view/report_title.h"

namespace sondrix {

namespace {

PictureOutcome Failure(PictureOutcome::Status status, const QString& path, const QString& reason) {
  return {status, QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason};
}

// Whether the two names reach one file, links followed; false when either is not there.
bool SameFile(const QString& a, const QString& b) {
  std::error_code unknown;
  return std::filesystem::equivalent(FileSystemPath(a), FileSystemPath(b), unknown);
}

}  // namespace

PictureOutcome WriteFramePicture(const QString& capture, const QString& picture, QSize size,
                                 bool measure) {
  if (SameFile(capture, picture)) {
    return Failure(PictureOutcome::Refused, picture, QStringLiteral("is the FILE to draw"));
  }
  if (const QString refused = PictureTargetCheck(picture); !refused.isEmpty()) {
    return Failure(PictureOutcome::Refused, picture, refused);
  }
  WaveRecord record;
  NullSink quiet;
  // Text that holds no waveform is refused, as the converter refuses it, not drawn empty.
  const LoadResult loaded = LoadFileStrict(FileSystemPath(capture), record, quiet);
  if (!loaded.ok) return Failure(PictureOutcome::Failed, capture, U(loaded.reason));

  ViewState view;
  ResetView(view, record.header.Points);
  view.WaveLoaded = true;
  SmoothingChoice smoothing;
  SmoothedWindow smoothed;
  Scene scene = InitialScene();
  DrawWaveform(record, view, smoothing, smoothed, scene, view.StartIndex, view.EndIndex,
               record.header.TimeDiv);

  ReportContent content;
  content.scene = &scene;
  content.title = MakeReportTitle(Std(QFileInfo(capture).fileName()), record.header, view, scene);
  const SliderValues centre = CentredSliders();
  const double x = SliderXChanged(centre.x).fraction;
  const double y = SliderYChanged(centre.y).fraction;
  content.cursors = QPointF(x, y);
  content.readouts = CursorReadouts(record, view, x, LevelCursorFraction(centre.y));
  if (measure) {
    content.table = TabulateMeasurements(
        record.header, MeasureShownChannels(record, view.StartIndex, view.EndIndex));
  }
  if (const QString failed =
          WriteReport(content, size.isEmpty() ? kDefaultPictureSize : size, picture);
      !failed.isEmpty()) {
    return Failure(PictureOutcome::Failed, picture, failed);
  }
  return {};
}

}  // namespace sondrix
