#include "core/menu_mru_qt.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMenu>
#include <memory>

#include "core/state_store.h"
#include "platform/registry_store.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// Names and texts of a menu's items, separators shown as "-".
QStringList Names(const QMenu& menu) {
  QStringList out;
  for (QAction* a : menu.actions()) out << a->objectName();
  return out;
}
// Texts without the marks that isolate each name (the captions' own test
// checks those).
QStringList Texts(const QMenu& menu) {
  QStringList out;
  for (QAction* a : menu.actions()) {
    QString text = a->text();
    text.remove(QChar(0x2066)).remove(QChar(0x2069));
    out << (a->isSeparator() ? QStringLiteral("-") : text);
  }
  return out;
}

class MenuMruTest : public ::testing::Test {
 protected:
  MenuMruTest() {
    owner.setObjectName("MainForm");
    menu.setObjectName("File1");
    menu.addAction("&Open")->setObjectName("Open1");
    menu.addAction("E&xit")->setObjectName("Exit1");
  }
  QAction* Exit() { return menu.findChild<QAction*>("Exit1"); }

  QObject owner;
  QMenu menu;
};

TEST_F(MenuMruTest, ItemsGoAboveTheAnchorWithASeparator) {
  TNvcMenuMRU mru(&owner);
  mru.setObjectName("NvcMRU1");
  mru.SetMenuItem(&menu);
  mru.SetAnchorItem(Exit());
  for (const char* name : {"/tmp/a.txt", "/tmp/b.txt", "/tmp/c.txt"}) mru.MRUAdd(name);
  EXPECT_EQ(Names(menu), (QStringList{"Open1", "NvcMRUNvcMRU11", "NvcMRUNvcMRU12", "NvcMRUNvcMRU13",
                                      "NvcMRUNvcMRU1Separator", "Exit1"}));
  EXPECT_EQ(Texts(menu), (QStringList{"&Open", "&1 /tmp/c.txt", "&2 /tmp/b.txt", "&3 /tmp/a.txt",
                                      "-", "E&xit"}));
  mru.MRUClear();
  EXPECT_EQ(Names(menu), (QStringList{"Open1", "Exit1"}));
}

TEST_F(MenuMruTest, AddPositions) {
  struct Case {
    MruAddPosition position;
    bool anchor;
    QStringList texts;
  };
  const Case cases[] = {
      {MruAddPosition::apAnchor, false, {"&1 x", "-", "&Open", "E&xit"}},
      {MruAddPosition::apTop, true, {"&1 x", "-", "&Open", "E&xit"}},
      {MruAddPosition::apBottom, true, {"&Open", "E&xit", "-", "&1 x"}},
  };
  for (const auto& c : cases) {
    TNvcMenuMRU mru(&owner);
    mru.setObjectName("Favorites");
    mru.SetMenuItem(&menu);
    if (c.anchor) mru.SetAnchorItem(Exit());
    mru.SetAddPosition(c.position);
    mru.MRUAdd("x");
    EXPECT_EQ(Texts(menu), c.texts);
    mru.MRUClear();
  }
}

TEST_F(MenuMruTest, EighteenNamesShowEighteenItemsAndOneSeparator) {
  TNvcMenuMRU mru(&owner);
  mru.setObjectName("ReopenMRU");
  mru.SetMaxItems(18);
  mru.SetMenuItem(&menu);
  mru.SetAnchorItem(Exit());
  for (int i = 0; i < 20; ++i) mru.MRUAdd(QString("/f%1").arg(i));
  const QStringList texts = Texts(menu);
  ASSERT_EQ(texts.size(), 2 + 18 + 1);
  EXPECT_EQ(texts[1], "&1 /f19");
  EXPECT_EQ(texts[9], "&9 /f11");
  EXPECT_EQ(texts[10], "&A /f10");
  EXPECT_EQ(texts[18], "&I /f2");
  EXPECT_EQ(texts[19], "-");
  EXPECT_EQ(texts[20], "E&xit");
}

TEST_F(MenuMruTest, InvisibleListShowsNothing) {
  TNvcMenuMRU mru(&owner);
  mru.setObjectName("M");
  mru.SetMenuItem(&menu);
  mru.MRUAdd("a");
  mru.SetVisible(false);
  EXPECT_EQ(Names(menu), (QStringList{"Open1", "Exit1"}));
}

TEST_F(MenuMruTest, ClickingMovesOrRemoves) {
  TNvcMenuMRU mru(&owner);
  mru.setObjectName("M");
  mru.SetMenuItem(&menu);
  mru.SetAnchorItem(Exit());
  for (const char* name : {"a", "b", "c"}) mru.MRUAdd(name);
  QString clicked;
  int answer = kMruActionMoveToTop;
  mru.OnClick = [&](TNvcMenuMRU*, QString& text, int& action) {
    clicked = text;
    action = answer;
  };
  menu.findChild<QAction*>("NvcMRUM3")->trigger();
  EXPECT_EQ(clicked, "a");
  EXPECT_EQ(mru.ItemsList(), (QStringList{"a", "c", "b"}));
  answer = kMruActionRemove;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  menu.findChild<QAction*>("NvcMRUM2")->trigger();
  EXPECT_EQ(clicked, "c");
  EXPECT_EQ(mru.ItemsList(), (QStringList{"a", "b"}));
  EXPECT_EQ(Texts(menu), (QStringList{"&Open", "&1 a", "&2 b", "-", "E&xit"}));
}

TEST_F(MenuMruTest, LongPathsAreShortenedToTheMenuWidth) {
  TNvcMenuMRU mru(&owner);
  mru.setObjectName("M");
  mru.SetMenuItem(&menu);
  const QString path = "/home/someone/projects/nuvel/documents/letters/2026/a.txt";
  const QFontMetrics metrics(menu.font());
  const int width = metrics.horizontalAdvance("/home/someone/.../a.txt") + 2;
  mru.SetMaxMenuWidth(width);
  EXPECT_EQ(mru.MRUCaption(path, 1), QString("&1 ") + QChar(0x2066) + "/home/someone/.../a.txt" + QChar(0x2069));
  MruOptions strip;
  strip.StripPath = true;
  mru.SetOptions(strip);
  EXPECT_EQ(mru.MRUCaption(path, 2), QString("&2 ") + QChar(0x2066) + "a.txt" + QChar(0x2069));
}

TEST_F(MenuMruTest, SplitListNeedsAMenu) {
  TNvcMenuMRU mru(&owner);
  mru.setObjectName("S");
  mru.SetStyle(MruStyle::msSplit);
  try {
    mru.MRUAddSplit("a", 1);
    FAIL() << "no menu item";
  } catch (const EMenuMRUError& e) {
    EXPECT_STREQ(e.what(), "No menu item assigned");
  }
  mru.SetMenuItem(&menu);
  mru.MRUAddSplit("a", 1);
  mru.MRUAddSplit("b", 2);
  EXPECT_EQ(Texts(menu), (QStringList{"&1 a", "-", "&2 b", "-", "&Open", "E&xit"}));
}

TEST_F(MenuMruTest, ListRoundTripsThroughTheStore) {
  test::TempProgramFolder folder;
  TNvcRegistryStore store;
  store.SetKeyName("Software\\Marvek Ila\\NuvelText");
  {
    TNvcMenuMRU mru(&owner);
    mru.setObjectName("ReopenMRU");
    mru.SetStore(&store);
    mru.Loaded();
    for (const char* name : {"/x/One.txt", "/x/one.txt", "/x/two.txt"}) mru.MRUAdd(name);
  }
  platform::RegistryStore registry;
  const std::string key = "Software\\Marvek Ila\\NuvelText\\MainForm.ReopenMRU.Items";
  EXPECT_EQ(registry.ReadString(key, "Count"), "3");
  EXPECT_EQ(registry.ReadString(key, "0"), "/x/two.txt");
  EXPECT_EQ(registry.ReadString(key, "2"), "/x/One.txt");

  TNvcMenuMRU again(&owner);
  again.setObjectName("ReopenMRU");
  again.SetMaxItems(2);
  again.SetStore(&store);
  again.SetMenuItem(&menu);
  again.Loaded();
  EXPECT_EQ(again.ItemsList(), (QStringList{"/x/two.txt", "/x/one.txt"}));
  EXPECT_EQ(Texts(menu).size(), 2 + 2 + 1);
}

}  // namespace
}  // namespace nuvel
