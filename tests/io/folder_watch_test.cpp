#include "io/folder_watch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/files.h"

namespace sondrix {
namespace {

using testing::TempDir;

void Write(const std::filesystem::path& path, const char* text) { std::ofstream(path) << text; }

// The listing holds the wanted regular files and links to them, with their sizes; FIFOs, folders
// and unwanted names are left out.
TEST(FolderWatchTest, TheListingHoldsWantedRegularFiles) {
  const TempDir dir;
  Write(dir / "a.wfm", "12345");
  Write(dir / "notes.txt", "1");
  std::filesystem::create_directory(dir / "sub.wfm");
  std::filesystem::create_symlink(dir / "a.wfm", dir / "link.wfm");
#ifndef _WIN32
  ASSERT_TRUE(testing::MakeFifo(dir / "pipe.wfm"));
#endif
  std::vector<FolderEntry> files =
      ListFolder(dir.path(), [](std::string_view name) { return name.ends_with(".wfm"); });
  std::sort(files.begin(), files.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(std::tuple(files[0].name, files[0].size), std::tuple("a.wfm", 5));
  EXPECT_EQ(std::tuple(files[1].name, files[1].size), std::tuple("link.wfm", 5));
  EXPECT_TRUE(ListFolder(dir / "missing", [](std::string_view) { return true; }).empty());
}

#ifdef __linux__
// The kernel tells a change and names the files closed after writing or moved in; asked to poll,
// the watch stays silent.
TEST(FolderWatchTest, TheKernelNamesFilesClosedOrMovedIn) {
  const TempDir dir;
  FolderWatch watch(dir.path());
  ASSERT_TRUE(watch.notifies());
  EXPECT_FALSE(watch.take().any);
  Write(dir / "a.wfm", "1");
  Write(dir / ".b.tmp", "2");
  std::filesystem::rename(dir / ".b.tmp", dir / "b.wfm");
  const FolderChanges changes = watch.take();
  EXPECT_TRUE(changes.any);
  EXPECT_EQ(changes.closed, (std::vector<std::string>{"a.wfm", ".b.tmp", "b.wfm"}));
  EXPECT_FALSE(FolderWatch(dir.path(), true).notifies());
}
#endif

}  // namespace
}  // namespace sondrix
