#pragma once

#include <QSize>
#include <QString>

namespace sondrix {

// `sondrix --picture OUT [--size WxH] FILE`: the waveform frame of FILE (a WFM capture, or CSV/TXT
// by its name) as playing it shows it with the default view (the whole record, the source only,
// both cursors in the middle), drawn without a window into the PNG file OUT. An empty size is the
// frame's own. Nothing else is read or written: not the settings, not the data folder.
// Returns an empty text, or why there is no picture.
QString WriteFramePicture(const QString& capture, const QString& picture, QSize size);

}  // namespace sondrix
