#include "platform/path_rules.h"

#include <algorithm>

namespace sondrix {
namespace {

bool isSeparator(char16_t c, PathStyle style) {
  return c == u'/' || (style == PathStyle::Windows && c == u'\\');
}

// Drive roots on Windows are letters, so folding the ASCII letters is all the case it needs.
char16_t foldCase(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool startsWith(PathView text, PathView prefix, PathStyle style) {
  if (text.size() < prefix.size()) return false;
  if (style == PathStyle::Posix) return text.starts_with(prefix);
  return std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char16_t a, char16_t b) { return foldCase(a) == foldCase(b); });
}

}  // namespace

char16_t NativeSeparator(PathStyle style) { return style == PathStyle::Windows ? u'\\' : u'/'; }

std::size_t LastSeparator(PathView path, PathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (isSeparator(path[i - 1], style)) return i - 1;
  }
  return PathView::npos;
}

PathText JoinPathText(PathView folder, PathView name, PathStyle style) {
  PathText path(folder);
  if (path.empty() || !isSeparator(path.back(), style)) path += NativeSeparator(style);
  path += name;
  return path;
}

PathText DataFolderFor(PathStyle style, PathView userDataFolder) {
  if (style == PathStyle::Windows) return u"C:\\ProgramData\\Sondrix";
  return PathText(userDataFolder) + u"/Sondrix";
}

PathText DriveCaption(PathView root, PathView label, PathStyle style) {
  PathText text(root);
  std::replace(text.begin(), text.end(), u'/', NativeSeparator(style));
  if (!label.empty()) text.append(u" [").append(label).append(u"]");
  return text;
}

bool IsOnRoot(PathView path, PathView root, PathStyle style) {
  if (path.size() == root.size()) return startsWith(path, root, style);
  if (!root.empty() && root.back() == u'/') return startsWith(path, root, style);
  return startsWith(path, root, style) && path.size() > root.size() && path[root.size()] == u'/';
}

PathText DriveOf(PathView folder, const std::vector<PathText>& roots, PathStyle style) {
  PathText drive;
  for (const PathText& root : roots) {
    if (IsOnRoot(folder, root, style) && root.size() > drive.size()) drive = root;
  }
  return drive;
}

}  // namespace sondrix
