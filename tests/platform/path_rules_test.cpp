#include "platform/path_rules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace sondrix {
namespace {

constexpr PathStyle kPosix = PathStyle::Posix;
constexpr PathStyle kWindows = PathStyle::Windows;
constexpr auto kNone = PathView::npos;

TEST(PathRules, SplitsAtTheLastSeparatorOfEitherKindOnWindowsOnly) {
  const std::tuple<PathView, PathStyle, std::size_t> rows[] = {
      {u"bare.csv", kPosix, kNone},  {u"bare.csv", kWindows, kNone},
      {u"/a/b.csv", kPosix, 2},      {u"C:\\a\\b.csv", kWindows, 4},
      {u"C:\\a/b.csv", kWindows, 4}, {u"C:/a\\b.csv", kWindows, 4},
      {u"/a\\b.csv", kPosix, 0},     {u"/a/", kPosix, 2},
  };
  for (const auto& [path, style, at] : rows) EXPECT_EQ(LastSeparator(path, style), at);
}

TEST(PathRules, JoinsWithTheNativeSeparatorOnceAfterARoot) {
  const std::tuple<PathView, PathView, PathStyle, PathView> rows[] = {
      {u"/", u"x", kPosix, u"/x"},
      {u"/a", u"x", kPosix, u"/a/x"},
      {u"C:\\", u"x", kWindows, u"C:\\x"},
      {u"C:/", u"x", kWindows, u"C:/x"},
      {u"C:\\a", u"x", kWindows, u"C:\\a\\x"},
      {u"/a\\", u"x", kPosix, u"/a\\/x"},
  };
  for (const auto& [folder, name, style, joined] : rows) {
    EXPECT_EQ(JoinPathText(folder, name, style), joined);
  }
  EXPECT_EQ(DataFolderFor(kWindows, u"C:/Users/u/AppData/Local"), u"C:\\ProgramData\\Sondrix");
  EXPECT_EQ(DataFolderFor(kPosix, u"/home/u/.local/share"), u"/home/u/.local/share/Sondrix");
}

TEST(PathRules, DrivesAreCaptionedAndFoundByTheDeepestRoot) {
  EXPECT_EQ(DriveCaption(u"C:/", u"", kWindows), u"C:\\");
  EXPECT_EQ(DriveCaption(u"/media/usb", u"測定 USB", kPosix), u"/media/usb [測定 USB]");
  const std::vector<PathText> posix = {u"/", u"/media", u"/media/usb"};
  const std::vector<PathText> windows = {u"C:/", u"D:/"};
  const std::tuple<PathView, const std::vector<PathText>*, PathStyle, PathView> rows[] = {
      {u"/", &posix, kPosix, u"/"},
      {u"/media/usb/x", &posix, kPosix, u"/media/usb"},
      {u"/media/usb2", &posix, kPosix, u"/media"},
      {u"/Media/usb", &posix, kPosix, u"/"},
      {u"c:/data", &windows, kWindows, u"C:/"},
      {u"D:/", &windows, kWindows, u"D:/"},
      {u"E:/x", &windows, kWindows, u""},
  };
  for (const auto& [folder, roots, style, drive] : rows) {
    EXPECT_EQ(DriveOf(folder, *roots, style), drive);
  }
  EXPECT_TRUE(IsOnRoot(u"/media", u"/media", kPosix));
  EXPECT_FALSE(IsOnRoot(u"/med", u"/media", kPosix));
}

}  // namespace
}  // namespace sondrix
