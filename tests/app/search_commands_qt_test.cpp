// The search commands of the main window over real document windows: the
// find and replace dialogs, Find Next, the histories across a restart, Go to
// Line, Go to Character and Enter by ASCII.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <functional>

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "platform/input_box.h"
#include "tools/char_entry.h"
#include "tools/search_dlgs_qt.h"
#include "tools/text_histories.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"
#include "tests/editor/heb_editor_test_support.h"

namespace nuvel {
namespace {

using test::Paras;

// Runs `act` on the modal dialog of type D once it shows, then closes it.
template <typename D>
void WhenShown(std::function<void(D&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    act(*dlg);
    dlg->reject();
  });
}

void Type(THebEditWin* edit, const std::string& text) {
  edit->Line().Text = text;
  edit->RefreshText();
}

struct ScriptedCharEntry : TCharEntryService {
  std::deque<std::optional<TCharEntryFields>> answers;
  std::optional<TCharEntryFields> Ask(const std::string&, const std::string&) override {
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

struct ScriptedInputBox : platform::InputBoxService {
  std::deque<std::optional<std::string>> answers;
  std::optional<std::string> Ask(const platform::InputBoxRequest&) override {
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

class SearchCommands : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    previousChar_ = SetCharEntryService(&chars);
    previousBox_ = platform::SetInputBoxService(&boxes);
    Start();
  }
  void TearDown() override {
    program.reset();
    SetCharEntryService(previousChar_);
    platform::SetInputBoxService(previousBox_);
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  void Start() {
    program = std::make_unique<Program>();
    ASSERT_TRUE(program->Start({"nuvel"}, nullptr));
    form = program->MainForm();
    docs = program->Documents();
  }
  THebTextEditor& Open(const char* name, const std::string& bytes, bool english) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    // The document's direction is set before the file is read: its lines
    // are stored in that direction's order.
    form->Keyboard().EnglishFile = english;
    TMDIChild* c = docs->OpenFile(path, 255, false);
    EXPECT_NE(c, nullptr);
    return c->HebDoc();
  }
  void Run(const char* item) {
    QAction* a = form->Item(item);
    ASSERT_NE(a, nullptr) << item;
    ASSERT_TRUE(a->isEnabled()) << item;
    a->trigger();
  }

  test::TempProgramFolder folder;
  QTemporaryDir dir;
  test::RecordingMessageSink sink;
  ScriptedCharEntry chars;
  ScriptedInputBox boxes;
  TCharEntryService* previousChar_ = nullptr;
  platform::InputBoxService* previousBox_ = nullptr;
  std::string savedProgPath_;
  std::unique_ptr<Program> program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;
};

TEST_F(SearchCommands, FindDialogFindsAndFindNextGoesOn) {
  THebTextEditor& e = Open("english.txt", "one cat\r\ntwo cat\r\nCat three\r\n", true);
  EXPECT_FALSE(form->Item("Findnext1")->isEnabled());  // nothing searched yet
  WhenShown<THebFindDlg>([](THebFindDlg& d) {
    EXPECT_FALSE(d.CheckBox1()->isChecked());  // an English document starts without case
    Type(d.FindEdit(), "cat\r\n");             // a trailing line break is not searched
    d.FindNxtBtnClick();
  });
  Run("Find1");
  EXPECT_EQ(e.SelBegin().Para, 1);
  EXPECT_EQ(e.SelBegin().Pos, 5);
  EXPECT_EQ(docs->SearchString, "cat");
  ASSERT_EQ(HistoryFind.size(), 1u);
  EXPECT_EQ(HistoryFind[0], "cat");
  form->Commands->Refresh();
  Run("Findnext1");
  EXPECT_EQ(e.SelBegin().Para, 2);
  Run("Findnext1");
  EXPECT_EQ(e.SelBegin().Para, 3);  // without regard to case
  Run("Findnext1");
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find("\"cat\" was not found"), std::string::npos) << sink.requests[0].text;
}

TEST_F(SearchCommands, EmptyFindTextIsRefusedAndEnterSearches) {
  THebTextEditor& e = Open("a.txt", "abc abc\r\n", true);
  WhenShown<THebFindDlg>([](THebFindDlg& d) {
    Type(d.FindEdit(), "\r\n");
    d.FindNxtBtnClick();  // nothing to search: no message, no history
    Type(d.FindEdit(), "abc");
    d.UpButton()->setChecked(false);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&d, &enter);
  });
  Run("Find1");
  EXPECT_TRUE(sink.requests.empty());
  EXPECT_EQ(HistoryFind, TextHistory{"abc"});
  EXPECT_EQ(e.SelBegin().Pos, 1);
  EXPECT_EQ(e.SelEnd().Pos, 4);
}

TEST_F(SearchCommands, ReplaceDialogInHebrewDocumentAndHistoriesAfterRestart) {
  // shalom olam: shin lamed vav final-mem, ayin vav lamed final-mem
  const std::string shalom = "\xF9\xEC\xE5\xED";
  const std::string olam = "\xF2\xE5\xEC\xED";
  THebTextEditor& e = Open("hebrew.txt", shalom + " " + olam + " " + shalom + "\r\n" + shalom + "\r\n", false);
  WhenShown<THebReplDlg>([&](THebReplDlg& d) {
    EXPECT_TRUE(d.CheckBox1()->isChecked());  // a Hebrew document starts case sensitive
    Type(d.FindEdit(), shalom);
    Type(d.ReplEdit(), olam);
    d.ReplaceClick(false);  // nothing selected yet: finds the first
    d.ReplaceClick(false);  // replaces it and selects the next
    d.ReplaceClick(true);   // the rest
  });
  Run("Replace1");
  EXPECT_EQ(Paras(e), olam + " " + olam + " " + olam + "|" + olam + "|");
  e.Undo();  // Replace All is one step
  EXPECT_EQ(Paras(e), olam + " " + olam + " " + shalom + "|" + shalom + "|");
  EXPECT_EQ(HistoryFind, TextHistory{shalom});
  EXPECT_EQ(HistoryRepl, TextHistory{olam});

  // The histories come back after a restart.
  e.SetModified(false);
  ASSERT_TRUE(form->close());
  program.reset();
  HistoryFind.clear();
  HistoryRepl.clear();
  Start();
  EXPECT_EQ(HistoryFind, TextHistory{shalom});
  EXPECT_EQ(HistoryRepl, TextHistory{olam});
  Open("again.txt", "x\r\n", false);
  WhenShown<THebReplDlg>([&](THebReplDlg& d) {
    d.HistBtn1Click();
    d.HistReplBtn1Click();
    EXPECT_EQ(d.FindEdit()->Line().Text, shalom);
    EXPECT_EQ(d.ReplEdit()->Line().Text, olam);
  });
  Run("Replace1");
}

TEST_F(SearchCommands, ReplaceAllCoversTheTextOrTheSelectedLinesAndTellsTheCount) {
  struct Case {
    const char* what;
    int32_t line1, col1, line2, col2;  // the selection; none when equal
    const char* find;
    const char* after;
    const char* told;
  } cases[] = {
      {"the caret at the end", 3, 6, 3, 6, "ab", "x x|x|x x|", "5 replacements"},
      {"a selection inside one line", 1, 1, 1, 3, "ab", "x x|x|x x|", "5 replacements"},
      {"a selection of lines", 2, 1, 3, 4, "ab", "ab ab|x|x ab|", "2 replacements"},
      {"no match", 1, 1, 1, 1, "zz", "ab ab|ab|ab ab|", "Search string 'zz' not found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    THebTextEditor& e = Open("words.txt", "ab ab\r\nab\r\nab ab\r\n", true);
    if (c.line1 == c.line2 && c.col1 == c.col2) {
      e.SetCaretPosition(c.line1, c.col1);
    } else {
      e.SetSelection(c.line1, c.col1, c.line2, c.col2, true);
    }
    sink.requests.clear();
    WhenShown<THebReplDlg>([&](THebReplDlg& d) {
      Type(d.FindEdit(), c.find);
      Type(d.ReplEdit(), "x");
      d.ReplaceClick(true);
    });
    Run("Replace1");
    EXPECT_EQ(Paras(e), c.after);
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_EQ(sink.requests[0].text, c.told);
    e.SetModified(false);
    docs->ActiveChild()->close();
  }
}

TEST_F(SearchCommands, KeyboardButtonCyclesItsLayers) {
  Open("a.txt", "x\r\n", true);
  WhenShown<THebFindDlg>([](THebFindDlg& d) {
    std::string captions;
    for (int i = 0; i < 4; ++i) {
      captions += d.KbdLang()->text().toStdString();
      d.KbdLangClick();
    }
    EXPECT_EQ(captions, "EHNE");  // and on to H
    EXPECT_TRUE(d.FindEdit()->Line().HebrewKeys);
    EXPECT_FALSE(d.FindEdit()->Line().EnglishMode);
    d.KbdLangClick();  // N
    EXPECT_TRUE(d.FindEdit()->Line().NikudKeys);
  });
  Run("Find1");
}

TEST_F(SearchCommands, GotoLineCharacterAndEnterByAscii) {
  THebTextEditor& e = Open("a.txt", "ab<c\r\nd<e\r\nfg\r\n", true);
  boxes.answers = {"3", "x", "99"};
  Run("Gotoline1");
  EXPECT_EQ(e.CaretPara(), 3);
  Run("Gotoline1");  // not a number: ignored
  Run("Gotoline1");  // past the end: ignored
  EXPECT_EQ(e.CaretPara(), 3);

  e.MoveCaretToPara(1, 1, false);
  chars.answers = {TCharEntryFields{"<", ""}, TCharEntryFields{"", "60"}, std::nullopt};
  Run("GotoChar1");
  EXPECT_EQ(e.CaretPos(), 3);
  Run("GotoChar1");  // by its code, on to the next one
  EXPECT_EQ(e.CaretPara(), 2);
  EXPECT_EQ(e.CaretPos(), 2);
  Run("GotoChar1");  // cancelled: stays
  EXPECT_EQ(e.CaretPos(), 2);

  chars.answers = {TCharEntryFields{"", "65"}, TCharEntryFields{"", "0"}};
  Run("EnterByASCII1");
  Run("EnterByASCII1");  // code 0 is not a choice
  EXPECT_EQ(Paras(e), "ab<c|dA<e|fg|");
}

TEST(CharEntry, FieldsGiveTheCharacter) {
  struct Case {
    TCharEntryFields fields;
    uint8_t ch;
    bool chosen;
  };
  const Case cases[] = {
      {{"", "65"}, 'A', true},      {{"B", "65"}, 'B', true},  // the character field wins
      {{"", ""}, ' ', true},        {{"", "0"}, ' ', false},   {{"", "321"}, 'A', true},
      {{"\xE0", ""}, 0xE0, true},
  };
  for (const Case& c : cases) {
    bool chosen = false;
    EXPECT_EQ(CharacterOfFields(c.fields, chosen), c.ch) << c.fields.character << "/" << c.fields.code;
    EXPECT_EQ(chosen, c.chosen);
  }
}

TEST(SearchDialogs, CaptionsAndNotFoundTexts) {
  EXPECT_EQ(KbdLangCaption(TKbdLayer::Hebrew, true), "\xF2");
  EXPECT_EQ(KbdLayerOfCaption("?"), TKbdLayer::English);
  EXPECT_EQ(NextKbdLayer(KbdLayerOfCaption("\xF0")), TKbdLayer::English);
  EXPECT_EQ(SearchNotFoundText("ab", false), "Search string 'ab' not found");
  EXPECT_EQ(SearchNotFoundText("ab", true), "'ab' \xEC\xE0 \xEE\xF6\xE0\xFA\xE9 ");
  EXPECT_EQ(DialogSearchOptions(true, true, true, 0x20), 0x2 | 0x4 | 0x40 | 0x20);
  EXPECT_EQ(ReplacementsText(3, false), "3 replacements");
  EXPECT_EQ(ReplacementsText(1, false), "1 replacement");
  EXPECT_EQ(ReplacementsText(12, true), "12 \xE4\xE7\xEC\xF4\xE5\xFA");
}

}  // namespace
}  // namespace nuvel
