#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sondrix {

// How a system spells paths: Windows takes '\' and '/' alike (its own is '\') and ignores the case
// of names; the others have '/' alone. Every rule takes the style, so that each is tested for
// both systems on either.
enum class PathStyle { Posix, Windows };
#ifdef _WIN32
inline constexpr PathStyle kHostPathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kHostPathStyle = PathStyle::Posix;
#endif

// The window's paths are UTF-16 text, as Qt holds them.
using PathText = std::u16string;
using PathView = std::u16string_view;

char16_t NativeSeparator(PathStyle style);

// Where the last separator of `path` is; npos when it has none.
std::size_t LastSeparator(PathView path, PathStyle style);

// `folder`, the native separator and `name`, with no doubled separator after a folder that ends
// in one (a root).
PathText JoinPathText(PathView folder, PathView name, PathStyle style);

// Where the settings and stored files live: a fixed folder for all users on Windows, else Sondrix
// in the user's data folder.
PathText DataFolderFor(PathStyle style, PathView userDataFolder);

// A drive's entry in the drive list: its root in native separators, then " [label]" when the
// volume has a name.
PathText DriveCaption(PathView root, PathView label, PathStyle style);

// Whether `path` lies on the volume mounted at `root`, both with '/' separators.
bool IsOnRoot(PathView path, PathView root, PathStyle style);

// The drive of `folder`: the deepest of `roots` that holds it, since volumes mount inside one
// another; empty when none does.
PathText DriveOf(PathView folder, const std::vector<PathText>& roots, PathStyle style);

}  // namespace sondrix
