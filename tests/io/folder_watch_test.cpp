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
  std::vector<std::pair<std::string, std::int64_t>> expected{{"a.wfm", 5}};
#ifndef _WIN32
  std::filesystem::create_symlink(dir / "a.wfm", dir / "link.wfm");
  expected.emplace_back("link.wfm", 5);
  ASSERT_TRUE(testing::MakeFifo(dir / "pipe.wfm"));
#endif
  std::vector<std::pair<std::string, std::int64_t>> listed;
  for (const FolderEntry& file :
       ListFolder(dir.path(), [](std::string_view name) { return name.ends_with(".wfm"); })) {
    listed.emplace_back(file.name, file.size);
  }
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, expected);
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
