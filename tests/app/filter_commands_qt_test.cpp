// The filter commands on real document windows: the built-in filters of the
// user commands, Super Find with a rule file over one document and over all,
// its failures, editing and making rule files, the sort, and Sheim Hashem
// protection after opening, each result checked byte for byte; the dialogs
// in Hebrew.
#include "app/filter_commands_qt.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/document_windows_qt.h"
#include "app/file_prompts.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/ini_location.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"
#include "tools/rule_form_qt.h"
#include "tools/sort_form_qt.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

class NamedPrompts : public FilePrompts {
 public:
  std::vector<std::string> OpenFileNames(const std::string& title, const std::string&, const std::string&) override {
    titles.push_back(title);
    return names;
  }
  std::optional<std::string> SaveFileName(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  TFileStrAnswer AskFileStr(const TFileStrRequest&) override { return {}; }
  std::vector<std::string> names;
  std::vector<std::string> titles;
};

class ScriptedSuperFind : public tools::TSuperFindUi {
 public:
  explicit ScriptedSuperFind(std::deque<tools::TRuleFormAnswer>* answers, std::vector<tools::TRuleFormRequest>* seen)
      : answers_(answers), seen_(seen) {}
  tools::TRuleFormAnswer AskRuleForm(const tools::TRuleFormRequest& request) override {
    seen_->push_back(request);
    if (answers_->empty()) return {};
    tools::TRuleFormAnswer a = answers_->front();
    answers_->pop_front();
    return a;
  }

 private:
  std::deque<tools::TRuleFormAnswer>* answers_;
  std::vector<tools::TRuleFormRequest>* seen_;
};

// Answers the sort questions in turn and notes, in the fixture (the command
// destroys the stand-in when it returns), whether each offered the unit.
class ScriptedSort : public tools::TSortUi {
 public:
  ScriptedSort(std::deque<std::optional<tools::TSortOptions>>* answers, std::vector<bool>* offeredUnit)
      : answers_(answers), offeredUnit_(offeredUnit) {}
  std::optional<tools::TSortOptions> AskSort(const tools::TSortRequest& request) override {
    offeredUnit_->push_back(request.offerUnit);
    if (answers_->empty()) return std::nullopt;
    auto a = answers_->front();
    answers_->pop_front();
    return a;
  }

 private:
  std::deque<std::optional<tools::TSortOptions>>* answers_;
  std::vector<bool>* offeredUnit_;
};

class FilterCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    // Hebrew documents; their files are read as Windows-1255 text, the
    // word-processor mode.
    folder.WriteFile("NuvelW.INI",
                     "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=0\r\nConversion=0\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    fs::create_directories(docsFolder);
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    form = program.MainForm();
    docs = program.Documents();
    docs->SetPrompts(&prompts);
    beforeFind_ = SetSuperFindUiFactory([this] { return std::make_unique<ScriptedSuperFind>(&findAnswers, &findSeen); });
    beforeSort_ = SetSortUiFactory([this] { return std::make_unique<ScriptedSort>(&sortAnswers, &sortOfferedUnit); });
  }
  void TearDown() override {
    SetSuperFindUiFactory(beforeFind_);
    SetSortUiFactory(beforeSort_);
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = docsFolder + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  TMDIChild* Open(const std::string& name, const std::string& bytes) {
    return docs->OpenFile(Write(name, bytes), 255, false);
  }
  static std::string Text(TMDIChild* c) { return c->HebDoc().Text(); }
  bool Run(const char* item) {
    form->Commands->Refresh();
    if (!form->Commands->Enabled(QString::fromLatin1(item))) return false;
    form->Commands->Run(QString::fromLatin1(item));
    return true;
  }
  bool Said(const std::string& part) const {
    for (const auto& r : sink.requests)
      if (r.text.find(part) != std::string::npos) return true;
    return false;
  }

  test::TempProgramFolder folder;
  std::string docsFolder = folder.ConfigFolder() + "docs/";
  test::RecordingMessageSink sink;
  NamedPrompts prompts;
  std::string savedProgPath_;
  Program program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;
  std::deque<tools::TRuleFormAnswer> findAnswers;
  std::vector<tools::TRuleFormRequest> findSeen;
  std::deque<std::optional<tools::TSortOptions>> sortAnswers;
  std::vector<bool> sortOfferedUnit;  // one a question asked
  SuperFindUiFactory beforeFind_;
  SortUiFactory beforeSort_;
};

const std::string kNames = "\xE1\xF9\xED \xE9\xE4\xE5\xE4\r\n\xE0\xEC\xE4\xE9\xED \xE0\xE1\r\n";
const std::string kProtected = "\xE1\xF9\xED \xE9\x5F\xE5\xE4\r\n\xE0\xEC\x5F\xE9\xED \xE0\xE1\r\n";

TEST_F(FilterCommandsTest, UserCommandsProtectAndUnprotect) {
  TMDIChild* c = Open("names.txt", kNames);
  ASSERT_NE(c, nullptr);
  EXPECT_FALSE(c->HebDoc().Modified());
  c->EditorUserCommand(static_cast<TNvcCommand>(328));
  EXPECT_EQ(Text(c), kProtected);
  EXPECT_TRUE(c->HebDoc().Modified());
  // By hand the protection is the text's own: saving keeps it.
  EXPECT_FALSE(c->HebDoc().SheimFiltered());
  c->EditorUserCommand(static_cast<TNvcCommand>(329));
  EXPECT_EQ(Text(c), kNames);
  // A read-only document is not changed.
  c->HebDoc().SetReadOnly(true);
  c->EditorUserCommand(static_cast<TNvcCommand>(328));
  EXPECT_EQ(Text(c), kNames);
}

TEST_F(FilterCommandsTest, SuperFindRunsARuleFileOverTheCurrentDocument) {
  folder.WriteFile("Brackets.RLE", "/* digits in brackets */\r\n{[0-9]*}=<&0>\r\n\xE0\xE1=\xE1\xE0\r\n");
  TMDIChild* other = Open("other.txt", "12\r\n");
  TMDIChild* c = Open("doc.txt", "a12 \xE0\xE1\r\nb3\r\n");
  c->showMaximized();
  findAnswers.push_back({tools::TRuleFormResult::Run, "Brackets.RLE", false, false});
  ASSERT_TRUE(Run("SuperFind1"));
  ASSERT_EQ(findSeen.size(), 1u);
  EXPECT_EQ(findSeen[0].label, "DIDOD.rle");
  // The file opened as an English document, its first letter being Latin,
  // and the rules read it as it reads: the document keeps the Hebrew they
  // turned round reversed, and the file gets it as written.
  EXPECT_TRUE(c->HebDoc().Engm());
  EXPECT_EQ(Text(c), "a<12> \xE0\xE1\r\nb<3>\r\n");
  EXPECT_TRUE(c->HebDoc().Modified());
  c->HebDoc().SaveToFile(c->HebDoc().FileName());
  EXPECT_EQ(test::ReadWholeFile(c->HebDoc().FileName()), "a<12> \xE1\xE0\r\nb<3>\r\n");
  EXPECT_EQ(Text(other), "21\r\n");
  // The window came back as it was, and is the active one.
  EXPECT_TRUE(c->isMaximized());
  EXPECT_EQ(docs->ActiveChild(), c);
  EXPECT_EQ(ReadIniString("TOOLPREFS", "Default_Rule"), "Brackets");
  // The next time the dialog starts with that file.
  findAnswers.push_back({});
  ASSERT_TRUE(Run("SuperFind1"));
  EXPECT_EQ(findSeen[1].label, "Brackets.rle");
  EXPECT_EQ(findSeen[1].files.size(), 1u);
}

// Super Find starts on the rule file the program ships, which mends common
// Hebrew typing slips in text read in its own order and leaves the rest.
TEST_F(FilterCommandsTest, TheShippedRuleFileMendsCommonHebrewSlips) {
  folder.CopyShippedFile("DIDOD.Rle");
  struct Case {
    const char* what;
    std::string typed, mended;
  };
  const Case cases[] = {
      // "אםא" -> "אמא"; "לךל" -> "לכל"
      {"a final letter inside a word", "\xE0\xED\xE0 \xEC\xEA\xEC", "\xE0\xEE\xE0 \xEC\xEB\xEC"},
      // "שלומ לכולמ." -> "שלום לכולם."; "חופ" at the line end -> "חוף"
      {"a middle letter at a word's end", "\xF9\xEC\xE5\xEE \xEC\xEB\xE5\xEC\xEE.\r\n\xE7\xE5\xF4",
       "\xF9\xEC\xE5\xED \xEC\xEB\xE5\xEC\xED.\r\n\xE7\xE5\xF3"},
      // "טוב  מאוד , תודה !" -> "טוב מאוד, תודה!"
      {"double blanks and blanks before punctuation", "\xE8\xE5\xE1  \xEE\xE0\xE5\xE3 , \xFA\xE5\xE3\xE4 !",
       "\xE8\xE5\xE1 \xEE\xE0\xE5\xE3, \xFA\xE5\xE3\xE4!"},
      // "סה\"כ" and "עמ'" are abbreviations; a lone letter is a word of its own;
      // the indent of a line stays.
      {"what stays", "\xF1\xE4\"\xEB \xF2\xEE' \xEB \xEE\r\n   \xE0", "\xF1\xE4\"\xEB \xF2\xEE' \xEB \xEE\r\n   \xE0"},
  };
  for (const Case& c : cases) {
    TMDIChild* doc = Open("slips.txt", c.typed + "\r\n");
    ASSERT_NE(doc, nullptr) << c.what;
    findAnswers.push_back({tools::TRuleFormResult::Run, "DIDOD.rle", false, false});
    ASSERT_TRUE(Run("SuperFind1")) << c.what;
    EXPECT_EQ(findSeen.back().label, "DIDOD.rle");
    EXPECT_EQ(Text(doc), c.mended + "\r\n") << c.what;
    EXPECT_TRUE(sink.requests.empty()) << c.what << ": " << sink.requests[0].text;
    doc->HebDoc().SetModified(false);
    doc->close();
  }
}

TEST_F(FilterCommandsTest, SuperFindOverEveryOpenDocument) {
  folder.WriteFile("x.rle", "x=y\r\n");
  TMDIChild* a = Open("a.txt", "axa\r\n");
  TMDIChild* b = Open("b.txt", "xx\r\n");
  findAnswers.push_back({tools::TRuleFormResult::Run, "x.rle", true, true});
  ASSERT_TRUE(Run("SuperFind1"));
  EXPECT_EQ(Text(a), "aya\r\n");
  EXPECT_EQ(Text(b), "yy\r\n");
  EXPECT_FALSE(a->isMinimized());
  EXPECT_FALSE(b->isMinimized());
  EXPECT_EQ(docs->ActiveChild(), b);
  // "Create Backup" kept each file as it was on disk.
  EXPECT_EQ(test::ReadWholeFile(docsFolder + "a.BAK"), "axa\r\n");
  EXPECT_EQ(test::ReadWholeFile(docsFolder + "b.BAK"), "xx\r\n");
}

TEST_F(FilterCommandsTest, AFailingFilterLeavesTheDocumentsAndSaysWhy) {
  TMDIChild* a = Open("a.txt", "one\r\n");
  TMDIChild* b = Open("b.txt", "two\r\n");
  const std::string textA = Text(a);
  const std::string textB = Text(b);
  findAnswers.push_back({tools::TRuleFormResult::Run, "missing.rle", false, true});
  ASSERT_TRUE(Run("SuperFind1"));
  EXPECT_EQ(Text(a), textA);
  EXPECT_EQ(Text(b), textB);
  EXPECT_FALSE(a->HebDoc().Modified() || b->HebDoc().Modified());
  EXPECT_TRUE(Said("Rule file not found: " + UserDataFolder() + "missing.RLE"));
  // Said once, not once a document.
  EXPECT_EQ(sink.requests.size(), 1u);

  folder.WriteFile("bad.rle", "x=&\r\n");
  findAnswers.push_back({tools::TRuleFormResult::Run, "bad.rle", false, false});
  ASSERT_TRUE(Run("SuperFind1"));
  EXPECT_EQ(Text(b), textB);
  ASSERT_EQ(sink.requests.size(), 2u);
  EXPECT_NE(sink.requests[1].text.find("COMPILATION ERROR in RULE # 1"), std::string::npos);
  EXPECT_EQ(sink.requests[1].type, platform::MsgDlgType::Information);
}

TEST_F(FilterCommandsTest, SuperFindOpensRuleFilesForEditing) {
  // A rule file of the program folder is edited as the user's own copy.
  folder.WriteFile("mine.rle", "a=b\r\n");
  const std::string copy = UserDataFolder() + "mine.rle";
  Open("doc.txt", "x\r\n");
  findAnswers.push_back({tools::TRuleFormResult::Edit, "mine.rle", false, false});
  ASSERT_TRUE(Run("SuperFind1"));
  ASSERT_NE(docs->FindChild(copy), nullptr);
  EXPECT_EQ(Text(docs->FindChild(copy)), "a=b\r\n");
  EXPECT_EQ(docs->FindChild(folder.Folder() + "mine.rle"), nullptr);
  // Asked again, the open window comes forward.
  findAnswers.push_back({tools::TRuleFormResult::Edit, "mine.rle", false, false});
  ASSERT_TRUE(Run("SuperFind1"));
  EXPECT_EQ(docs->Children().size(), 2u);
  // A new rule file is made in the user's data folder, once saved.
  findAnswers.push_back({tools::TRuleFormResult::MakeNew, "mine.rle", false, false});
  ASSERT_TRUE(Run("SuperFind1"));
  TMDIChild* made = docs->FindChild(UserDataFolder() + "NewRLE.Rle");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(docs->ActiveChild(), made);
  EXPECT_FALSE(fs::exists(UserDataFolder() + "NewRLE.Rle"));
  EXPECT_FALSE(fs::exists(folder.Path("NewRLE.Rle")));
  EXPECT_EQ(folder.ReadFile("mine.rle"), "a=b\r\n");
}

TEST_F(FilterCommandsTest, SortsTheActiveDocument) {
  form->Keyboard().EnglishFile = true;  // an English list in an English document
  TMDIChild* c = Open("list.txt", "pear\r\nApple\r\nfig\r\napple\r\n");
  sortAnswers.push_back(tools::TSortOptions{true, false});
  ASSERT_TRUE(Run("Sort1"));
  ASSERT_EQ(sortOfferedUnit.size(), 1u);
  EXPECT_TRUE(sortOfferedUnit.back());
  // The lines come back as they were, without blanks to a common length.
  EXPECT_EQ(Text(c), "Apple\r\napple\r\nfig\r\npear\r\n");
  EXPECT_TRUE(c->HebDoc().Modified());
  sortAnswers.push_back(tools::TSortOptions{false, true});
  ASSERT_TRUE(Run("Sort1"));
  EXPECT_EQ(Text(c), "Apple\r\napple\r\nfig\r\npear\r\n");
  // Cancelled: nothing changes.
  c->HebDoc().SetModified(false);
  sortAnswers.push_back(std::nullopt);
  ASSERT_TRUE(Run("Sort1"));
  EXPECT_FALSE(c->HebDoc().Modified());
  // The Nuvel DOS configuration sorts by lines without asking.
  NuvDosConfig = true;
  sortAnswers.push_back(tools::TSortOptions{true, true});
  Run("Sort1");
  NuvDosConfig = false;
  ASSERT_EQ(sortOfferedUnit.size(), 4u);
  EXPECT_FALSE(sortOfferedUnit.back());
}

TEST_F(FilterCommandsTest, ItemsAreOnExactlyWhenTheyCanAct) {
  form->Commands->Refresh();
  for (const char* item : {"SuperFind1", "Sort1"}) EXPECT_FALSE(form->Item(item)->isEnabled()) << item;
  EXPECT_FALSE(form->Button("SuperFindButton")->isEnabled());
  EXPECT_TRUE(form->Item("OpenWithSheimProtection1")->isEnabled());
  EXPECT_TRUE(form->Button("SheimPrtBtn")->isEnabled());
  EXPECT_TRUE(form->Item("SheimHashemProtection1")->isEnabled());
  TMDIChild* c = Open("doc.txt", "x\r\n");
  form->Commands->Refresh();
  for (const char* item : {"SuperFind1", "Sort1"}) EXPECT_TRUE(form->Item(item)->isEnabled()) << item;
  EXPECT_TRUE(form->Button("SuperFindButton")->isEnabled());
  // A read-only document takes neither.
  form->Item("ReadOnly1")->setChecked(true);
  c->ApplyOptions();
  form->Commands->Refresh();
  for (const char* item : {"SuperFind1", "Sort1"}) EXPECT_FALSE(form->Item(item)->isEnabled()) << item;
}

TEST_F(FilterCommandsTest, OpenWithSheimHashemProtection) {
  const std::string file = Write("names.txt", kNames);
  prompts.names = {file};
  form->Item("OpenWithSheimProtection1")->trigger();
  ASSERT_EQ(prompts.titles.size(), 1u);
  EXPECT_EQ(prompts.titles[0], "Open with Sheim Hashem Protection");
  TMDIChild* c = docs->FindChild(file);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(Text(c), kProtected);
  EXPECT_TRUE(c->HebDoc().SheimFiltered());
  EXPECT_FALSE(c->HebDoc().Modified());
  EXPECT_TRUE(form->Button("SheimPrtBtn")->property("protection").toBool());
  // A change, saved: the file holds the names whole.
  c->HebDoc().SetCaretPosition(1, 1);
  c->HebDoc().InsertString("!");
  form->Item("Save1")->trigger();
  EXPECT_EQ(test::ReadWholeFile(file), "!" + kNames);
  EXPECT_EQ(Text(c), "!" + kProtected);
  // Another document without protection: the glyph follows the active one.
  Open("plain.txt", "x\r\n");
  EXPECT_FALSE(form->Button("SheimPrtBtn")->property("protection").toBool());
}

TEST_F(FilterCommandsTest, TheOptionProtectsEveryFileOpened) {
  QAction* option = form->Item("SheimHashemProtection1");
  ASSERT_FALSE(option->isChecked());
  option->trigger();
  EXPECT_TRUE(option->isChecked());
  EXPECT_EQ(ReadRegString("GENPREFS", "HebSheimProt"), "1");
  TMDIChild* c = Open("names.txt", kNames);
  EXPECT_EQ(Text(c), kProtected);
  EXPECT_TRUE(c->HebDoc().SheimFiltered());
  EXPECT_FALSE(c->HebDoc().Modified());
  option->trigger();
  EXPECT_EQ(ReadRegString("GENPREFS", "HebSheimProt"), "0");
  EXPECT_EQ(Text(Open("again.txt", kNames)), kNames);
  // The English name when its option is on.
  docs->Options.EngSheimProt = true;
  // The names are matched as they are written; the English file opens as
  // an English document.
  TMDIChild* e = Open("english.txt", "the GODLY God\r\n");
  EXPECT_EQ(Text(e), "the G-DLY G-d\r\n");
  EXPECT_TRUE(e->HebDoc().EngSheimFiltered());
  EXPECT_FALSE(e->HebDoc().SheimFiltered());
  docs->Options.EngSheimProt = false;
}

TEST_F(FilterCommandsTest, DialogsInHebrew) {
  EngPrompts = false;
  TRuleForm rule;
  EXPECT_EQ(rule.windowTitle(), QString::fromUtf8("בחירת קובץ כללים"));
  EXPECT_EQ(rule.findChild<QAbstractButton*>("BitBtn5")->text(), QString::fromUtf8("צור קובץ כללים חדש"));
  EXPECT_EQ(rule.layoutDirection(), Qt::RightToLeft);
  TSort_Form1 sort;
  EXPECT_EQ(sort.windowTitle(), QString::fromUtf8("הגדרת מיון"));
  auto radios = sort.findChild<QGroupBox*>("SortType")->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 2);
  EXPECT_EQ(radios[1]->text(), QString::fromUtf8("הבחנה ברישיות"));
  EXPECT_EQ(sort.layoutDirection(), Qt::RightToLeft);
  // The dialogs give back what was chosen.
  rule.Load({{{"a.rle", "/x/a.rle"}}, "DIDOD.rle", true, true});
  const tools::TRuleFormAnswer a = rule.Answer();
  EXPECT_EQ(a.label, "DIDOD.rle");
  EXPECT_TRUE(a.createBackup);
  EXPECT_FALSE(a.allFiles);
  sort.Load({false});
  radios[1]->setChecked(true);
  EXPECT_TRUE(sort.Options().byLines);
  EXPECT_TRUE(sort.Options().caseSensitive);
}

}  // namespace
}  // namespace nuvel
