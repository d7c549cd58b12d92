#include "load/arrivals.h"

#include <gtest/gtest.h>

namespace sondrix {
namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;

class ArrivalsTest : public ::testing::Test {
 protected:
  Arrivals::Time at(std::chrono::milliseconds ms) const { return start + ms; }
  void list(std::vector<FolderEntry> files, std::chrono::milliseconds ms) {
    arrivals.listed(files, at(ms));
  }

  Arrivals::Time start{};
  Arrivals arrivals;
};

// A file is tried once its size has stood still for 200 ms, or at once when its writer closed it;
// every change starts the wait again, and each change is handed out once.
TEST_F(ArrivalsTest, AFileIsTriedOnceItStandsStillOrIsClosed) {
  list({{"a.wfm", 10, 1}}, 0ms);
  EXPECT_EQ(arrivals.next(), at(200ms));
  list({{"a.wfm", 20, 2}}, 150ms);  // still growing
  EXPECT_EQ(arrivals.due(at(349ms)), Names{});
  EXPECT_EQ(arrivals.due(at(350ms)), Names{"a.wfm"});
  EXPECT_EQ(arrivals.due(at(900ms)), Names{}) << "handed out once";
  EXPECT_EQ(arrivals.next(), std::nullopt);
  list({{"a.wfm", 20, 3}}, 1000ms);  // rewritten at the same size
  arrivals.closed("a.wfm", at(1001ms));
  EXPECT_EQ(arrivals.due(at(1001ms)), Names{"a.wfm"});
  arrivals.closed("a.wfm", at(1002ms));  // a close without a change brings nothing
  arrivals.closed("other.wfm", at(1002ms));
  EXPECT_EQ(arrivals.due(at(5000ms)), Names{});
}

// The files there when following begins are old; files come out in the order they appeared (by
// their time of writing within one listing), and a file removed and written again is new.
TEST_F(ArrivalsTest, OldFilesWaitForAChangeAndNewOnesComeInOrder) {
  arrivals.knownAlready({{"old.wfm", 5, 1}});
  list({{"old.wfm", 5, 1}, {"c.wfm", 1, 3}, {"b.wfm", 1, 2}}, 0ms);
  list({{"old.wfm", 5, 1}, {"c.wfm", 1, 3}, {"b.wfm", 1, 2}, {"a.wfm", 1, 1}}, 10ms);
  list({{"old.wfm", 6, 2}, {"c.wfm", 1, 3}, {"b.wfm", 1, 2}, {"a.wfm", 1, 1}}, 20ms);
  EXPECT_EQ(arrivals.due(at(300ms)), (Names{"old.wfm", "b.wfm", "c.wfm", "a.wfm"}));
  list({{"old.wfm", 6, 2}}, 400ms);
  list({{"old.wfm", 6, 2}, {"a.wfm", 1, 1}}, 500ms);
  EXPECT_EQ(arrivals.due(at(700ms)), Names{"a.wfm"});
}

// A refused file waits for its next change; one refused for 10 s since it appeared is reported
// once with the last reason, and a file read in the end is never reported.
TEST_F(ArrivalsTest, ARefusedFileWaitsForAChangeAndIsReportedOnceAfterTenSeconds) {
  list({{"part.wfm", 10, 1}, {"good.wfm", 10, 1}}, 0ms);
  EXPECT_EQ(arrivals.due(at(200ms)), (Names{"good.wfm", "part.wfm"}));
  arrivals.refused("part.wfm", "ends early");
  arrivals.refused("good.wfm", "ends early");
  EXPECT_EQ(arrivals.next(), at(10000ms));
  list({{"part.wfm", 10, 1}, {"good.wfm", 20, 2}}, 3000ms);
  EXPECT_EQ(arrivals.due(at(3200ms)), Names{"good.wfm"});
  arrivals.accepted("good.wfm");
  list({{"part.wfm", 30, 2}, {"good.wfm", 20, 2}}, 9000ms);
  EXPECT_EQ(arrivals.due(at(9200ms)), Names{"part.wfm"});
  arrivals.refused("part.wfm", "broken");
  EXPECT_TRUE(arrivals.overdue(at(9999ms)).empty());
  using Late = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(arrivals.overdue(at(10000ms)), (Late{{"part.wfm", "broken"}}));
  EXPECT_TRUE(arrivals.overdue(at(20000ms)).empty());
  EXPECT_EQ(arrivals.next(), std::nullopt);
}

}  // namespace
}  // namespace sondrix
