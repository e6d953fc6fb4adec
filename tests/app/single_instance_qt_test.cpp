#include "app/single_instance_qt.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/single_instance_name.h"

namespace nuvel {
namespace {

QString UniqueKey(const char* what) {
  return QString("nuvel-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(what);
}

TEST(SingleInstance, SecondGuardFailsAndItsFileNameReachesTheFirst) {
  QTemporaryDir dir;
  QString key = UniqueKey("second");
  SingleInstanceGuard first(key, dir.path());
  ASSERT_TRUE(first.IsFirst());
  QSignalSpy spy(&first, &SingleInstanceGuard::SecondInstance);

  const QString names[] = {QString::fromUtf8("/tmp/שלום.txt"), QString()};
  for (const QString& name : names) {
    SingleInstanceGuard second(key, dir.path());
    EXPECT_FALSE(second.IsFirst());
    ASSERT_TRUE(second.NotifyFirst(name));
    ASSERT_TRUE(spy.wait(3000));
    EXPECT_EQ(spy.takeFirst().at(0).toString(), name);
  }
}

TEST(SingleInstance, LockIsFreedWhenTheFirstEnds) {
  QTemporaryDir dir;
  QString key = UniqueKey("freed");
  {
    SingleInstanceGuard first(key, dir.path());
    ASSERT_TRUE(first.IsFirst());
  }
  SingleInstanceGuard again(key, dir.path());
  EXPECT_TRUE(again.IsFirst());
}

TEST(SingleInstance, OtherNamesDoNotSeeEachOther) {
  QTemporaryDir dir;
  SingleInstanceGuard a(UniqueKey("a"), dir.path());
  SingleInstanceGuard b(UniqueKey("b"), dir.path());
  EXPECT_TRUE(a.IsFirst());
  EXPECT_TRUE(b.IsFirst());
}

TEST(SingleInstance, NotifyFailsWhenTheFirstHasEnded) {
  QTemporaryDir dir;
  QString key = UniqueKey("ended");
  auto first = std::make_unique<SingleInstanceGuard>(key, dir.path());
  ASSERT_TRUE(first->IsFirst());
  SingleInstanceGuard second(key, dir.path());
  EXPECT_FALSE(second.IsFirst());
  first.reset();
  EXPECT_FALSE(second.NotifyFirst("x", 500));
}

TEST(SingleInstanceName, ProgramFileAndUser) {
  EXPECT_EQ(SingleInstanceKey("/opt/nuvel/nuvel", "dana"), "nuvel-dana");
  EXPECT_EQ(SingleInstanceKey("/opt/nuvel/other-name", "dana"), "other-name-dana");
  EXPECT_EQ(SingleInstanceKey("/x/my prog", "a/b"), "my_prog-a_b");
}

}  // namespace
}  // namespace nuvel
