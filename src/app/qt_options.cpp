#include "app/qt_options.h"

#include <cstddef>

#include <QString>

namespace sondrix {
namespace {

// The options of Qt's gui and widget applications that take a value, as the next argument or
// after '=', and those that stand alone.
constexpr QLatin1String kWithValue[] = {
    QLatin1String("platform"),      QLatin1String("platformpluginpath"),
    QLatin1String("platformtheme"), QLatin1String("plugin"),
    QLatin1String("qmljsdebugger"), QLatin1String("qwindowgeometry"),
    QLatin1String("qwindowicon"),   QLatin1String("qwindowtitle"),
    QLatin1String("session"),       QLatin1String("display"),
    QLatin1String("geometry"),      QLatin1String("title"),
    QLatin1String("icon"),          QLatin1String("name"),
    QLatin1String("style"),         QLatin1String("stylesheet"),
};
constexpr QLatin1String kAlone[] = {
    QLatin1String("reverse"), QLatin1String("nograb"),      QLatin1String("dograb"),
    QLatin1String("sync"),    QLatin1String("testability"), QLatin1String("widgetcount"),
};

template <std::size_t N>
bool Among(QStringView name, const QLatin1String (&names)[N]) {
  for (const QLatin1String known : names) {
    if (name == known) return true;
  }
  return false;
}

}  // namespace

QStringList WithoutQtOptions(const QStringList& arguments) {
  QStringList kept = arguments.mid(0, 1);  // the program's name
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--")) return kept + arguments.mid(i);
    if (!argument.startsWith(u'-')) {
      kept << argument;
      continue;
    }
    // Qt reads "--platform" as "-platform".
    const QStringView name =
        QStringView(argument).mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(u'=');
    if (equals >= 0) {
      if (!Among(name.left(equals), kWithValue)) kept << argument;
      continue;
    }
    if (Among(name, kWithValue) && i + 1 < arguments.size()) {
      ++i;  // its value
    } else if (!Among(name, kAlone)) {
      kept << argument;
    }
  }
  return kept;
}

}  // namespace sondrix
