// The text-collection search window over a small collection made here:
// searching a Hebrew word, the panels of the texts with hits, closing them,
// the word that is nowhere, and the way out of a text that cannot be read.
#include <QApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QScrollArea>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/controller_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"
#include "textsearch/nvc_label_qt.h"
#include "textsearch/progress_window_qt.h"
#include "textsearch/spinner_qt.h"
#include "textsearch/text_about_box_qt.h"
#include "textsearch/text_search_window_qt.h"
#include "textsearch/url_label_qt.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

const std::string kShalom = "\xF9\xEC\xE5\xED";  // שלום
const std::string kZebra = "\xE6\xE1\xF8\xE4";   // זברה

class TextSearchWindow : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    ASSERT_TRUE(InitStartUpIn(folder.Folder()));
    folder.CopyShippedFile("NuvStr.DLL");
    EngPrompts = true;
    // Windows text files, lines ending in CR LF, some names in other cases.
    Text("Tanach/Bereishis.nvw", "\xE1\xF8\xE0\xF9\xE9\xFA \xE1\xF8\xE0\r\n" + kShalom + " \xF2\xEC\xE9\xEB\xED\r\n");
    Text("Tanach/SHEMOS.NVW", "\xE5\xE0\xEC\xE4 \xF9\xEE\xE5\xFA\r\n");
    Text("Tanach/devorim.nvw", "\xE0\xEC\xE4 \xE4\xE3\xE1\xF8\xE9\xED\r\n\xE5" + kShalom + "\r\n" + kShalom + "\r\n");
    fs::create_directories(Texts() / "Tanach" / "Vayikro.nvw");  // a folder, not a text
    Text("bavli/ZEROIM/gbrochos.nvw", "\xEE\xE0\xE9\xEE\xFA\xE9 " + kShalom + "\r\n");
    Text("bavli/ZEROIM/MPeioh.nvw", "\xE0\xEC\xE5 \xE3\xE1\xF8\xE9\xED\r\n");
  }
  void TearDown() override {
    window.reset();
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  fs::path Texts() const { return folder.Path("Texts"); }
  void Text(const std::string& rel, const std::string& bytes) {
    fs::create_directories((Texts() / rel).parent_path());
    std::ofstream(Texts() / rel, std::ios::binary) << bytes;
  }
  TTextSearch& Window() {
    if (!window) {
      TTextSearch::Hooks hooks;
      hooks.controller = &controller;
      hooks.hidden = [this] { ++hidden; };
      window = std::make_unique<TTextSearch>(folder.Folder(), std::move(hooks));
      window->show();
    }
    return *window;
  }
  std::string Caption(const TTextPanel* p) const { return p->Label->text().toStdString(); }
  // The panels from the top of the text area down.
  std::vector<std::string> ShownOrder() {
    std::vector<std::string> out;
    QLayout* l = Window().FilePanel()->widget()->layout();
    for (int i = 0; i < l->count(); ++i)
      if (auto* p = qobject_cast<TTextPanel*>(l->itemAt(i)->widget())) out.push_back(Caption(p));
    return out;
  }
  void ExpectSearchEnded() {
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(Window().FilePanel()->isVisible());
    EXPECT_TRUE(Window().findChildren<TNuvPrgress*>().isEmpty());
  }
  int Node(int item) { return Window().Tree().Item(item); }

  test::TempProgramFolder folder;
  test::RecordingMessageSink sink;
  TNvcController controller;
  std::unique_ptr<TTextSearch> window;
  int hidden = 0;
  std::string savedProgPath_;
};

TEST_F(TextSearchWindow, HebrewWordOpensItsTextsInTreeOrder) {
  TTextSearch& w = Window();
  EXPECT_EQ(w.TreeView1()->topLevelItem(0)->text(0), "Texts");
  w.SelectNode(Node(1));  // the Tanach
  w.SetSearchText(kShalom);
  w.GoBtnClick();
  ExpectSearchEnded();
  EXPECT_TRUE(sink.requests.empty());

  // Devorim was searched first (the walk goes from the last book), so its
  // panel is the older one; Bereishis sits above it and is current.
  ASSERT_EQ(w.Panels().size(), 2u);
  EXPECT_EQ(Caption(w.Panels()[0]), "Devorim");
  EXPECT_EQ(Caption(w.Panels()[1]), "Bereishis");
  EXPECT_EQ(ShownOrder(), (std::vector<std::string>{"Bereishis", "Devorim"}));
  EXPECT_EQ(w.CurPanel(), w.Panels()[1]);
  EXPECT_EQ(w.NodeState(Node(2)), 2);   // Bereishis
  EXPECT_EQ(w.NodeState(Node(3)), -1);  // Shemos: no hit, no panel
  EXPECT_EQ(w.NodeState(Node(6)), 2);   // Devorim
  EXPECT_TRUE(w.Button("CloseBtn")->isEnabled());
  EXPECT_TRUE(w.findChild<TNvcSpinner*>("NvcSpinner1")->isEnabled());

  // The first hit is selected: the word at the start of line 2.
  THebTextEditor& e = w.CurEditor()->HebEditor();
  EXPECT_TRUE(e.ReadOnly());
  int32_t l1, c1, l2, c2;
  ASSERT_TRUE(e.GetSelection(l1, c1, l2, c2));
  e.LineToPara(l1, c1);
  EXPECT_EQ(l1, 2);
  EXPECT_EQ(c1, 1);
  EXPECT_EQ(w.LastSearchText(), kShalom);
  ASSERT_FALSE(w.History().empty());
  EXPECT_EQ(w.History().front(), kShalom);

  // Whole words: Devorim's first "ושלום" no longer counts; its second line does.
  w.Button("WrdWhole")->click();
  EXPECT_TRUE(w.Button("WrdBeg")->isChecked());
  EXPECT_TRUE(w.Button("WrdEnd")->isChecked());
  EXPECT_EQ(w.SearchOptions(), 0x40);
  w.GoBtnClick();
  ASSERT_EQ(w.Panels().size(), 2u);
  THebTextEditor& d = w.Panels()[0]->Editor->HebEditor();
  ASSERT_TRUE(d.GetSelection(l1, c1, l2, c2));
  d.LineToPara(l1, c1);
  EXPECT_EQ(l1, 3);
  w.Button("WrdBeg")->click();  // raising one raises the whole-word button too
  EXPECT_FALSE(w.Button("WrdWhole")->isChecked());
  EXPECT_EQ(w.SearchOptions(), 0x100);

  // Close the current text: its neighbour becomes current.
  w.Close1Click();
  ASSERT_EQ(w.Panels().size(), 1u);
  EXPECT_EQ(Caption(w.CurPanel()), "Devorim");
  EXPECT_EQ(w.NodeState(Node(2)), -1);
  w.Close1Click();
  EXPECT_TRUE(w.Panels().empty());
  EXPECT_EQ(w.CurPanel(), nullptr);
  EXPECT_FALSE(w.Button("CloseBtn")->isEnabled());
}

TEST_F(TextSearchWindow, WordThatIsNowhereIsNotFound) {
  TTextSearch& w = Window();
  w.SelectNode(0);  // everything, Bavli included
  w.SetSearchText(kZebra);
  w.GoBtnClick();
  ExpectSearchEnded();
  EXPECT_TRUE(w.Panels().empty());
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find("was not found"), std::string::npos);
  EXPECT_NE(sink.requests[0].text.find(kZebra), std::string::npos);

  // A collection without a single file searches nothing and says nothing.
  sink.requests.clear();
  w.SelectNode(w.Tree().nodes[0].children[3]);  // Tosefto
  w.GoBtnClick();
  EXPECT_TRUE(sink.requests.empty());
  // No search text: asked for one.
  w.ClearTClick();
  w.GoBtnClick();
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find("Type the text"), std::string::npos);
}

TEST_F(TextSearchWindow, TextThatCannotBeReadEndsTheSearchCleanly) {
  if (::geteuid() == 0) {
    // The superuser reads any file; the kernel's memory file fails for all.
    fs::remove(Texts() / "Tanach" / "Bereishis.nvw");
    fs::create_symlink("/proc/self/mem", Texts() / "Tanach" / "Bereishis.nvw");
  } else {
    fs::permissions(Texts() / "Tanach" / "Bereishis.nvw", fs::perms::none, fs::perm_options::replace);
  }
  TTextSearch& w = Window();
  w.SelectNode(Node(1));
  w.SetSearchText(kShalom);
  w.GoBtnClick();
  ExpectSearchEnded();
  // Devorim was opened before the walk reached Bereishis.
  ASSERT_EQ(w.Panels().size(), 1u);
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests[0].type, platform::MsgDlgType::Error);
}

TEST_F(TextSearchWindow, DoubleClickOpensATextAtItsFirstAlef) {
  TTextSearch& w = Window();
  w.SetSearchText(kShalom);
  const int shemos = Node(3);
  w.SelectNode(shemos);
  w.TreeView1DblClick();
  ASSERT_EQ(w.Panels().size(), 1u);
  EXPECT_EQ(Caption(w.CurPanel()), "Shemos");
  EXPECT_EQ(w.NodeState(shemos), 1);
  EXPECT_EQ(w.SearchText(), kShalom);    // the search text is put back
  EXPECT_EQ(w.LastSearchText(), "\xE0");  // alef was the search
  w.TreeView1DblClick();                 // image 1: nothing
  EXPECT_EQ(w.Panels().size(), 1u);
  w.SelectNode(Node(1));
  w.TreeView1DblClick();  // a collection: nothing
  EXPECT_EQ(w.Panels().size(), 1u);
}

TEST_F(TextSearchWindow, PanelHeightAndHistory) {
  TTextSearch& w = Window();
  w.resize(872, 800);
  std::vector<int> heights;
  for (int i = 0; i < 20; ++i) {
    w.NvcSpinner1Click(ssUp);
    heights.push_back(w.PnlWid());
  }
  EXPECT_EQ(heights[0], 140);
  EXPECT_EQ(heights.back(), 10);  // stops once 15 or less
  for (int i = 0; i < 200; ++i) w.NvcSpinner1Click(ssDown);
  EXPECT_GE(w.PnlWid(), w.FilePanel()->height() - 40);
  EXPECT_LT(w.PnlWid(), w.FilePanel()->height() - 40 + 10);
  w.NvcSpinner1Click(ssLeft);  // other states: nothing

  // History: searches enter at the top once each; the button walks them.
  for (const std::string& s : {std::string("abc"), kShalom, std::string("ABC")}) {
    w.SetSearchText(s);
    w.SelectNode(Node(2));
    w.GoBtnClick();
  }
  EXPECT_EQ(w.History(), (std::vector<std::string>{kShalom, "abc"}));
  w.SetSearchText(kShalom);
  w.HistBtn1Click();
  EXPECT_EQ(w.SearchText(), "abc");
  w.HistBtn1Click();
  EXPECT_EQ(w.SearchText(), kShalom);
  w.SetSearchText("other");
  w.HistBtn1Click();
  EXPECT_EQ(w.SearchText(), kShalom);

  // Closing hides the window and keeps the history and the height.
  w.close();
  EXPECT_EQ(hidden, 1);
  std::vector<std::string> saved;
  LoadRegStrings("TextSrchList", saved);
  EXPECT_EQ(saved, w.History());
  EXPECT_EQ(ReadRegString("TextSrchPnl", "PnlWid"), std::to_string(w.PnlWid()));
  window.reset();
  TTextSearch& again = Window();
  EXPECT_EQ(again.History(), saved);
  EXPECT_EQ(again.PnlWid(), std::stoi(ReadRegString("TextSrchPnl", "PnlWid")));
}

TEST_F(TextSearchWindow, HebrewTreeAndScopeMenus) {
  EngPrompts = false;
  TTextSearch& w = Window();
  EXPECT_EQ(w.TreeView1()->topLevelItem(0)->text(0), QString::fromUtf8("טקסטים"));
  w.SearchTanach1Click(1);
  EXPECT_EQ(w.TreeView1()->currentItem()->text(0), QString::fromUtf8("בבלי"));
  EXPECT_EQ(w.findChild<TNvcLabel*>("NvcLabel1")->text(), QString::fromUtf8("בבלי"));
  // The Bavli's orders are there (GBrochos is); Moed has no tractates.
  const auto& bavli = w.Tree().nodes[static_cast<size_t>(w.Tree().Item(22))];
  ASSERT_EQ(bavli.children.size(), 6u);
  EXPECT_EQ(w.Tree().nodes[static_cast<size_t>(bavli.children[0])].children.size(), 11u);
  EXPECT_TRUE(w.Tree().nodes[static_cast<size_t>(bavli.children[1])].children.empty());
}

TEST_F(TextSearchWindow, AboutBoxLinkNeverStartsABrowser) {
  TTextSearch::Hooks hooks;
  std::vector<std::string> opened;
  int beeps = 0, clicks = 0;
  hooks.showAbout = [&](TTextAboutBox& box) {
    box.Link->Opener = [&opened](const std::string& url) {
      opened.push_back(url);
      return false;  // the desktop could not open it
    };
    box.Link->Beep = [&beeps] { ++beeps; };
    box.Link->OnClick = [&clicks](TNvcURL&) { ++clicks; };
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box.Link, &press);
    QApplication::sendEvent(box.Link, &release);
  };
  window = std::make_unique<TTextSearch>(folder.Folder(), std::move(hooks));
  window->About1Click();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].rfind("https://", 0), 0u);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace nuvel
