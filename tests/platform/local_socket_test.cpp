#include "platform/local_socket.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace nuvel::platform {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

LocalDeadline In(int ms) { return Clock::now() + std::chrono::milliseconds(ms); }

// A line each way between a listener and a copy that connects, by a path
// and by an abstract name.
TEST(LocalSocket, LinesGoBothWays) {
  const fs::path folder = fs::temp_directory_path() / ("nuvel-socket-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  for (const std::string& name : {(folder / "a.sock").string(), "nuvel-socket-test-" + std::to_string(::getpid())}) {
    SCOPED_TRACE(name);
    const LocalSocket listener = ListenLocal(name, true);
    ASSERT_TRUE(listener.IsOpen());
    EXPECT_FALSE(AcceptLocal(listener).IsOpen()) << "no one has connected yet";
    const LocalSocket client = ConnectLocal(name, In(1000));
    ASSERT_TRUE(client.IsOpen());
    ASSERT_TRUE(WriteLocal(client, "name\xF9\n", In(1000)));
    LocalSocket server = AcceptLocal(listener);
    ASSERT_TRUE(server.IsOpen());
    std::string got;
    ASSERT_TRUE(ReadLocalLine(server, got, In(1000)));
    EXPECT_EQ(got, "name\xF9\n");
    ASSERT_TRUE(WriteLocal(server, "ok\n", In(1000)));
    std::string answer;
    ASSERT_TRUE(ReadLocalLine(client, answer, In(1000)));
    EXPECT_EQ(answer, "ok\n");
    // The other side closing ends reading, without a line.
    server.Close();
    answer.clear();
    EXPECT_FALSE(ReadLocalLine(client, answer, In(1000)));
    EXPECT_TRUE(answer.empty());
  }
  struct stat facts {};
  ASSERT_EQ(::stat((folder / "a.sock").c_str(), &facts), 0);
  EXPECT_EQ(facts.st_mode & 0777, 0600u) << "the user's alone";
  fs::remove_all(folder);
}

TEST(LocalSocket, NothingListeningOrBadNamesFailAtOnce) {
  const fs::path folder = fs::temp_directory_path() / ("nuvel-socket-none-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const auto start = Clock::now();
  EXPECT_FALSE(ConnectLocal((folder / "none.sock").string(), In(2000)).IsOpen());
  EXPECT_FALSE(ConnectLocal("nuvel-socket-nobody-" + std::to_string(::getpid()), In(2000)).IsOpen());
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_FALSE(ListenLocal(std::string(200, 'x'), false).IsOpen()) << "too long for an address";
  EXPECT_FALSE(ListenLocal("", false).IsOpen());
  // A file left where a listener ended is replaced by the next one.
  const fs::path stale = folder / "stale.sock";
  std::ofstream(stale) << "left over";
  const LocalSocket listener = ListenLocal(stale.string(), true);
  EXPECT_TRUE(listener.IsOpen());
  EXPECT_TRUE(ConnectLocal(stale.string(), In(1000)).IsOpen());
  fs::remove_all(folder);
}

// A reader that waits for a line that does not come gives up at its deadline.
TEST(LocalSocket, ReadingStopsAtTheDeadline) {
  const std::string name = "nuvel-socket-quiet-" + std::to_string(::getpid());
  const LocalSocket listener = ListenLocal(name, false);
  ASSERT_TRUE(listener.IsOpen());
  const LocalSocket client = ConnectLocal(name, In(1000));
  ASSERT_TRUE(client.IsOpen());
  std::string got;
  const auto start = Clock::now();
  EXPECT_FALSE(ReadLocalLine(client, got, In(200)));
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(150));
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
}

}  // namespace
}  // namespace nuvel::platform
