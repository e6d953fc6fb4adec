#include "app/single_instance_qt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <future>

#include "app/single_instance_name.h"

namespace nuvel {
namespace {

QString UniqueKey(const char* what) {
  return QString("nuvel-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(what);
}

// Runs a later copy's hand-off on a thread of its own, as a second process
// would, while this thread runs the first copy's events.
bool HandOffFromAnotherCopy(SingleInstanceGuard& second, const QByteArray& name, int waitMs = 2000) {
  auto result = std::async(std::launch::async, [&] { return second.HandOff(name, waitMs); });
  while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) QTest::qWait(10);
  return result.get();
}

TEST(SingleInstance, LaterCopyHandsItsFileNameToTheFirst) {
  QTemporaryDir dir;
  const QString key = UniqueKey("second");
  SingleInstanceGuard first(key, dir.path());
  ASSERT_TRUE(first.IsFirst());
  QSignalSpy spy(&first, &SingleInstanceGuard::SecondInstance);

  // Names go over as the file system's bytes, whatever they hold: not
  // UTF-8, a line break, the percent sign that carries them.
  const QByteArray names[] = {QByteArray("/tmp/\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D.txt"), QByteArray(),
                              QByteArray("/a b/c.txt"), QByteArray("/tmp/\xF9\xEC\xE5\xED.txt"),
                              QByteArray("/tmp/two\nlines %41.txt")};
  for (const QByteArray& name : names) {
    SingleInstanceGuard second(key, dir.path());
    EXPECT_FALSE(second.IsFirst());
    ASSERT_TRUE(HandOffFromAnotherCopy(second, name));
    ASSERT_TRUE(!spy.isEmpty() || spy.wait(3000));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.takeFirst().at(0).toByteArray(), name);
  }
}

TEST(SingleInstance, FirstThatIsStillStartingIsAskedAgain) {
  // The first copy holds the lock but listens only after a while: the later
  // copy keeps trying instead of losing its file.
  QTemporaryDir dir;
  const QString key = UniqueKey("starting");
  SingleInstanceGuard first(key, dir.path(), nullptr, /*listenNow=*/false);
  ASSERT_TRUE(first.IsFirst());
  QSignalSpy spy(&first, &SingleInstanceGuard::SecondInstance);
  SingleInstanceGuard second(key, dir.path());
  auto result = std::async(std::launch::async, [&] { return second.HandOff("late.txt", 3000); });
  QTest::qWait(300);
  ASSERT_TRUE(first.Listen());
  while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) QTest::qWait(10);
  EXPECT_TRUE(result.get());
  ASSERT_TRUE(!spy.isEmpty() || spy.wait(3000));
  EXPECT_EQ(spy.takeFirst().at(0).toByteArray(), "late.txt");
}

TEST(SingleInstance, FirstThatDoesNotAnswerIsGivenUpInBoundedTime) {
  // The first copy's events do not run (a stopped process): the later copy
  // gives up after its wait and runs on its own; the first, when it runs
  // again, does not open the file the later copy kept.
  QTemporaryDir dir;
  const QString key = UniqueKey("stopped");
  SingleInstanceGuard first(key, dir.path());
  QSignalSpy spy(&first, &SingleInstanceGuard::SecondInstance);
  SingleInstanceGuard second(key, dir.path());
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(second.HandOff("kept.txt", 300));
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_FALSE(second.IsFirst());
  QTest::qWait(300);
  EXPECT_EQ(spy.size(), 0);
}

TEST(SingleInstance, LaterCopyBecomesFirstWhenTheFirstHasEnded) {
  QTemporaryDir dir;
  const QString key = UniqueKey("ended");
  auto first = std::make_unique<SingleInstanceGuard>(key, dir.path());
  ASSERT_TRUE(first->IsFirst());
  SingleInstanceGuard second(key, dir.path());
  EXPECT_FALSE(second.IsFirst());
  const QString socket = first->SocketName();
  ASSERT_TRUE(QFile::exists(socket));
  first.reset();
  EXPECT_FALSE(QFile::exists(socket)) << "the socket's file goes with the copy that listened";
  EXPECT_FALSE(second.HandOff("x", 500));
  EXPECT_TRUE(second.IsFirst());
  // And it takes files from the next copy.
  QSignalSpy spy(&second, &SingleInstanceGuard::SecondInstance);
  SingleInstanceGuard third(key, dir.path());
  ASSERT_TRUE(HandOffFromAnotherCopy(third, "y"));
  ASSERT_TRUE(!spy.isEmpty() || spy.wait(3000));
  EXPECT_EQ(spy.takeFirst().at(0).toByteArray(), "y");
}

TEST(SingleInstance, OtherKeysOrFoldersDoNotSeeEachOther) {
  QTemporaryDir dir;
  QTemporaryDir other;
  SingleInstanceGuard a(UniqueKey("a"), dir.path());
  SingleInstanceGuard b(UniqueKey("b"), dir.path());
  SingleInstanceGuard c(UniqueKey("a"), other.path());
  EXPECT_TRUE(a.IsFirst());
  EXPECT_TRUE(b.IsFirst());
  EXPECT_TRUE(c.IsFirst());
}

TEST(SingleInstance, LongFolderStillListens) {
  // A socket path longer than the system takes: the name moves to the
  // abstract socket space and the hand-off still works.
  QTemporaryDir dir;
  const QString deep = dir.filePath(QString(60, QLatin1Char('d')) + "/" + QString(60, QLatin1Char('e')));
  const QString key = UniqueKey("long");
  SingleInstanceGuard first(key, deep);
  ASSERT_TRUE(first.IsFirst());
  EXPECT_FALSE(first.SocketName().contains('/'));
  QSignalSpy spy(&first, &SingleInstanceGuard::SecondInstance);
  SingleInstanceGuard second(key, deep);
  ASSERT_TRUE(HandOffFromAnotherCopy(second, "deep.txt"));
  ASSERT_TRUE(!spy.isEmpty() || spy.wait(3000));
  EXPECT_EQ(spy.takeFirst().at(0).toByteArray(), "deep.txt");
}

TEST(SingleInstanceName, EveryPartOfTheScopeCounts) {
  const SingleInstanceScope base{"/opt/nuvel/nuvel", "/home/dana/.config/", "xcb::0", "dana", 1000};
  const std::string key = SingleInstanceKey(base);
  EXPECT_EQ(key.rfind("nuvel-dana-", 0), 0u) << key;
  EXPECT_EQ(key.size(), std::string("nuvel-dana-").size() + 16);
  EXPECT_EQ(SingleInstanceKey(base), key) << "the same scope gives the same key";

  struct Case {
    const char* what;
    SingleInstanceScope scope;
  };
  const Case others[] = {
      {"program folder", {"/usr/bin/nuvel", "/home/dana/.config/", "xcb::0", "dana", 1000}},
      {"program file", {"/opt/nuvel/nuvel2", "/home/dana/.config/", "xcb::0", "dana", 1000}},
      {"settings folder", {"/opt/nuvel/nuvel", "/tmp/test/config/", "xcb::0", "dana", 1000}},
      {"display", {"/opt/nuvel/nuvel", "/home/dana/.config/", "xcb::1", "dana", 1000}},
      {"window system", {"/opt/nuvel/nuvel", "/home/dana/.config/", "offscreen:", "dana", 1000}},
      {"user name", {"/opt/nuvel/nuvel", "/home/dana/.config/", "xcb::0", "dan", 1000}},
      {"user number", {"/opt/nuvel/nuvel", "/home/dana/.config/", "xcb::0", "dana", 1001}},
      {"no user name", {"/opt/nuvel/nuvel", "/home/dana/.config/", "xcb::0", "", 1000}},
  };
  for (const Case& c : others) EXPECT_NE(SingleInstanceKey(c.scope), key) << c.what;
}

TEST(SingleInstanceName, ReadablePartIsSafeAndShort) {
  const SingleInstanceScope scope{"/x/my prog with a very long name", "/c/", "d", "a/b c", 5};
  const std::string key = SingleInstanceKey(scope);
  EXPECT_EQ(key.substr(0, 19), "my_prog_with-a_b_c-") << key;
  EXPECT_EQ(key.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-"),
            std::string::npos);
  EXPECT_LE(key.size(), 42u);
}

}  // namespace
}  // namespace nuvel
