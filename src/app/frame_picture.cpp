#include "app/frame_picture.h"

#include <filesystem>
#include <system_error>

#include <QDir>

#include "app/picture_file.h"
#include "app/qt_text.h"
#include "app/split_path.h"
#include "app/wave_frame.h"
#include "load/load_file.h"
#include "model/ui_sink.h"
#include "view/cursors.h"
#include "view/readouts.h"
#include "view/renderer.h"

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

PictureOutcome WriteFramePicture(const QString& capture, const QString& picture, QSize size) {
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

  WaveFrame frame(nullptr);
  // By default as wide as the frame likes to be, and no higher than its contents.
  const int width = frame.sizeHint().width();
  frame.resize(size.isEmpty() ? QSize(width, frame.heightForWidth(width)) : size);
  frame.showScene(&scene);
  const SliderValues centre = CentredSliders();
  const double x = SliderXChanged(centre.x).fraction;
  frame.surface()->setCursorX(x);
  frame.surface()->setCursorY(SliderYChanged(centre.y).fraction);
  frame.showReadouts(CursorReadouts(record, view, x, LevelCursorFraction(centre.y)));
  if (const QString failed = WritePicture(frame.picture(), picture); !failed.isEmpty()) {
    return Failure(PictureOutcome::Failed, picture, failed);
  }
  return {};
}

}  // namespace sondrix
