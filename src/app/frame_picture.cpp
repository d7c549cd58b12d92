#include "app/frame_picture.h"

#include "app/qt_text.h"
#include "app/split_path.h"
#include "app/wave_frame.h"
#include "load/load_file.h"
#include "model/ui_sink.h"
#include "view/cursors.h"
#include "view/readouts.h"
#include "view/renderer.h"

namespace sondrix {

QString WriteFramePicture(const QString& capture, const QString& picture, QSize size) {
  WaveRecord record;
  NullSink quiet;
  const LoadResult loaded = LoadFile(FileSystemPath(capture), record, quiet);
  if (!loaded.ok) return U(loaded.reason);

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
  if (!frame.picture().save(picture, "PNG")) {
    return QStringLiteral("cannot write the picture %1").arg(picture);
  }
  return {};
}

}  // namespace sondrix
