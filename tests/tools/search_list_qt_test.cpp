// The incremental search list: a search a delay after the last key, the
// completed entry, the centred row, the pending search on leaving, and the
// pending trigger removed with the control.
#include "tools/search_list_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "core/controller_qt.h"

namespace nuvel {
namespace {

class SearchList : public ::testing::Test {
 protected:
  void SetUp() override {
    controller = new TNvcController(&window);
    list = new TNvcSearchList(&window);
    list->setGeometry(0, 0, 200, 200);
    other = new QLineEdit(&window);
    other->move(0, 210);
    window.resize(220, 260);
    window.show();
    QApplication::setActiveWindow(&window);
    list->Edit()->setFocus();
  }
  void Type(const char* text) {
    for (const char* p = text; *p; ++p) QTest::keyClick(list->Edit(), *p);
  }
  bool WaitForSearch() {
    return QTest::qWaitFor([this] { return list->Edit()->TriggerHandle() < 0; }, 3000);
  }

  QWidget window;
  TNvcController* controller = nullptr;
  TNvcSearchList* list = nullptr;
  QLineEdit* other = nullptr;
};

TEST_F(SearchList, TypingTheStartOfAnEntrySelectsAndCompletesIt) {
  list->SetItems({"B", "Abc", "Aa", "Ab"});
  ASSERT_EQ(list->Items(), (std::vector<std::string>{"Aa", "Ab", "Abc", "B"}));
  list->SetKeyDelay(60);
  Type("ab");
  EXPECT_GE(list->Edit()->TriggerHandle(), 0);  // one search waits for the delay
  EXPECT_EQ(list->ItemIndex(), -1);
  ASSERT_TRUE(WaitForSearch());
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->Edit()->text(), QString("Ab"));
  EXPECT_EQ(list->Edit()->selectedText(), QString());

  // "x" begins no entry: selection and text stay.
  list->Edit()->setText("x");
  list->Edit()->setModified(true);
  list->Edit()->ExecuteSearch();
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->Edit()->text(), QString("x"));
  // An empty text selects the first entry.
  list->Edit()->clear();
  list->Edit()->ExecuteSearch();
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(SearchList, TheCompletedPartIsSelectedAndTheRowCentred) {
  std::vector<std::string> words;
  for (int i = 0; i < 60; ++i) words.push_back("w" + std::to_string(100 + i));
  list->SetItems(words);
  list->SetItemHeight(13);
  list->Edit()->setText("w14");
  list->Edit()->setModified(true);
  list->Edit()->ExecuteSearch();
  EXPECT_EQ(list->ItemIndex(), 40);
  EXPECT_EQ(list->Edit()->text(), QString("w140"));
  EXPECT_EQ(list->Edit()->selectedText(), QString("0"));
  const int visible = list->ListBox()->viewport()->height() / 13;
  EXPECT_EQ(list->TopIndex(), 40 - visible / 2);
}

TEST_F(SearchList, LeavingTheEditRunsThePendingSearchAtOnce) {
  list->SetItems({"alpha", "beta", "gamma"});
  list->SetKeyDelay(100000);
  Type("g");
  ASSERT_GE(list->Edit()->TriggerHandle(), 0);
  other->setFocus();
  EXPECT_EQ(list->Edit()->TriggerHandle(), -1);
  EXPECT_EQ(controller->TimerPool().Count(), 0);
  EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(SearchList, WithoutResultsTheEditKeepsWhatWasTyped) {
  list->SetItems({"alpha", "beta"});
  list->Edit()->ShowResults = false;
  list->SetKeyDelay(-5);
  EXPECT_EQ(list->KeyDelay(), 500);  // a negative delay is ignored
  list->SetKeyDelay(60);
  Type("BE");
  ASSERT_TRUE(WaitForSearch());
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->Edit()->text(), QString("BE"));
  Type("T");  // every key that leaves text schedules a search
  EXPECT_GE(list->Edit()->TriggerHandle(), 0);
}

TEST_F(SearchList, APendingSearchGoesWithTheControl) {
  list->SetItems({"alpha"});
  list->SetKeyDelay(100000);
  Type("a");
  ASSERT_EQ(controller->TimerPool().Count(), 1);
  delete list;
  EXPECT_EQ(controller->TimerPool().Count(), 0);
}

TEST_F(SearchList, ClickingAnEntryPutsItInTheEdit) {
  list->SetItems({"alpha", "beta"});
  QListWidget* box = list->ListBox();
  QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(box->item(1)).center());
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->Edit()->text(), QString("beta"));
}

}  // namespace
}  // namespace nuvel
