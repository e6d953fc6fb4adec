// The e-book commands on a started program: e-books open into document
// windows with their bookmarks, the Palm menu and the popup show those
// bookmarks, bookmarks are added, moved and renamed and come back after a
// save, eReader books are not written back, and documents are handed to a
// stand-in Palm desktop made of a registry key and plain folders.
#include "app/ebook_commands_qt.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>

#include "app/document_windows_qt.h"
#include "app/file_prompts.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "formats/doc_file.h"
#include "tests/support/standard_tools.h"
#include "formats/ebook_settings.h"
#include "formats/palm_desktop.h"
#include "platform/input_box.h"
#include "platform/registry_store.h"
#include "platform/user_temp_folder.h"
#include "tests/formats/palm_file_builder.h"
#include "tests/support/reading_order.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

class NoPrompts : public FilePrompts {
 public:
  std::vector<std::string> OpenFileNames(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> SaveFileName(const std::string&, const std::string&, const std::string&) override {
    if (saves.empty()) return std::nullopt;
    std::string s = saves.front();
    saves.pop_front();
    return s;
  }
  TFileStrAnswer AskFileStr(const TFileStrRequest&) override { return {}; }
  std::deque<std::string> saves;
};

struct Answers {
  std::deque<std::optional<int>> bookmarks, users;
  std::deque<std::optional<EbookSettingsChoice>> settings;
  std::deque<std::optional<DatabaseInfoChoice>> info;
  std::vector<std::string> bookmarkCaptions;
  std::vector<std::vector<std::string>> bookmarkNames, userNames;
  std::vector<std::pair<std::string, std::string>> settingsSeen;  // default folder, desktop folder
};

template <typename T>
std::optional<T> Next(std::deque<std::optional<T>>& q) {
  if (q.empty()) return std::nullopt;
  auto a = q.front();
  q.pop_front();
  return a;
}

class ScriptedDialogs : public EbookDialogs {
 public:
  explicit ScriptedDialogs(Answers& a) : a_(a) {}
  std::optional<DatabaseInfoChoice> DatabaseInfo(const TDocFile&, bool) override { return Next(a_.info); }
  std::optional<EbookSettingsChoice> Settings(const TSettings& s, const std::string& desktop) override {
    a_.settingsSeen.emplace_back(s.DefaultDirectory, desktop);
    return Next(a_.settings);
  }
  std::optional<int> ChooseBookmark(const std::string& caption, const std::vector<std::string>& names) override {
    a_.bookmarkCaptions.push_back(caption);
    a_.bookmarkNames.push_back(names);
    return Next(a_.bookmarks);
  }
  std::optional<int> ChooseUser(const std::vector<std::string>& users, int) override {
    a_.userNames.push_back(users);
    return Next(a_.users);
  }

 private:
  Answers& a_;
};

class ScriptedInputBox : public platform::InputBoxService {
 public:
  std::optional<std::string> Ask(const platform::InputBoxRequest& r) override {
    prompts.push_back(r.prompt);
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<std::optional<std::string>> answers;
  std::vector<std::string> prompts;
};

class EbookCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nConversion=0\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    fs::create_directories(docsFolder);
    beforeDialogs_ = SetEbookDialogsFactory([this](QWidget*) { return std::make_unique<ScriptedDialogs>(answers); });
    beforeInput_ = platform::SetInputBoxService(&input);
  }
  void Start() {
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    form = program.MainForm();
    docs = program.Documents();
    docs->SetPrompts(&prompts);
    ebooks = docs->findChild<EbookCommands*>(QStringLiteral("EbookCommands"));
    ASSERT_NE(ebooks, nullptr);
    // The books of these tests are English: they open as English documents.
    form->Keyboard().EnglishFile = true;
  }
  void TearDown() override {
    SetEbookDialogsFactory(beforeDialogs_);
    platform::SetInputBoxService(beforeInput_);
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  // A stand-in desktop in the configuration folder with the given users.
  void MakeDesktop(const std::vector<std::pair<uint16_t, std::string>>& users, bool pointAtIt = true) {
    fs::create_directories(desktop);
    std::string bytes(13, '\0');
    bytes[0] = static_cast<char>(users.size());
    for (std::size_t i = 0; i < users.size(); ++i) {
      const auto& [id, name] = users[i];
      bytes += static_cast<char>(id & 0xFF);
      bytes += static_cast<char>(id >> 8);
      bytes += std::string(2, '\0');
      bytes += static_cast<char>(name.size()) + name;
      bytes += static_cast<char>(name.size() + 1) + name + "F";
      if (i + 1 < users.size()) bytes += "\x01\x80";
    }
    std::ofstream(desktop / "users.dat", std::ios::binary) << bytes;
    if (pointAtIt) {
      ASSERT_TRUE(SetPalmDesktopFolder(desktop.string()));
    }
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = docsFolder + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // An e-book of `text` (CR LF line ends) with bookmarks at the given offsets.
  std::string MakeBook(const std::string& name, const std::string& text,
                       const std::vector<std::pair<std::string, int64_t>>& marks = {}) {
    const std::string path = docsFolder + name;
    TDocFile book = TDocFile::CreateNew(path, true, "Book");
    for (const auto& [n, at] : marks) book.AddBookmark(n, at, -1, -1);
    book.Save(text);
    return path;
  }
  bool Run(const char* item) {
    form->Commands->Refresh();
    if (!form->Commands->Enabled(QString::fromLatin1(item))) return false;
    form->Commands->Run(QString::fromLatin1(item));
    return true;
  }
  bool Enabled(const char* item) {
    form->Commands->Refresh();
    return form->Commands->Enabled(QString::fromLatin1(item));
  }
  QStringList JumpItems() {
    QStringList names;
    for (QAction* a : form->Menu(QStringLiteral("Palm1"))->actions())
      if (a->objectName().startsWith(QLatin1String("BookmarkMenuJump"))) names << a->text();
    return names;
  }
  int Said(const std::string& part) const {
    int n = 0;
    for (const auto& r : sink.requests)
      if (r.text.find(part) != std::string::npos) ++n;
    return n;
  }
  static std::string Text(TMDIChild* c) { return c->HebDoc().Text(); }
  static std::pair<int, int> Caret(TMDIChild* c) {
    const auto& e = c->HebDoc();
    return {e.CaretPara(), e.CaretPos()};
  }

  test::TempProgramFolder folder;
  std::string docsFolder = folder.ConfigFolder() + "docs/";
  fs::path desktop = fs::path(folder.ConfigFolder()) / "palm";
  test::RecordingMessageSink sink;
  NoPrompts prompts;
  Answers answers;
  ScriptedInputBox input;
  std::string savedProgPath_;
  EbookDialogsFactory beforeDialogs_;
  platform::InputBoxService* beforeInput_ = nullptr;
  Program program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;
  EbookCommands* ebooks = nullptr;
};

TEST_F(EbookCommandsTest, WithoutADesktopEbooksStillOpenAndOnlyInstallingIsOff) {
  Start();
  EXPECT_FALSE(ebooks->PalmEnabled());
  EXPECT_TRUE(Enabled("Settings1"));
  for (const char* item : {"Properties2", "AddPDB", "Install1", "SendtoPalm1"}) EXPECT_FALSE(Enabled(item)) << item;
  TMDIChild* c = docs->OpenFile(MakeBook("b.pdb", "one\r\ntwo\r\n", {{"Two", 5}}), 255, true);
  ASSERT_NE(c, nullptr);
  ASSERT_NE(c->DocFile, nullptr);
  EXPECT_EQ(Text(c), "one\r\ntwo\r\n");
  EXPECT_FALSE(c->HebDoc().Modified());
  for (const char* item : {"Properties2", "AddPDB", "Update1", "Rename1", "MoreBookmarks1"})
    EXPECT_TRUE(Enabled(item)) << item;
  for (const char* item : {"Install1", "SendtoPalm1"}) EXPECT_FALSE(Enabled(item)) << item;
  // A plain text has no e-book commands.
  docs->OpenFile(Write("plain.txt", "x\r\n"), 255, true);
  EXPECT_FALSE(Enabled("AddPDB"));
  EXPECT_FALSE(Enabled("Properties2"));
}

TEST_F(EbookCommandsTest, BookmarkItemsFollowTheActiveEbookWithoutDuplicates) {
  Start();
  std::string text;
  std::vector<std::pair<std::string, int64_t>> marks;
  for (int i = 0; i < 20; ++i) {
    marks.emplace_back("Chapter " + std::to_string(i), static_cast<int64_t>(text.size()));
    text += "line " + std::to_string(i) + "\r\n";
  }
  TMDIChild* big = docs->OpenFile(MakeBook("big.pdb", text, marks), 255, true);
  ASSERT_NE(big, nullptr);
  QAction* separator = form->Item(QStringLiteral("BookmarkSeparator"));
  QAction* more = form->Item(QStringLiteral("MoreBookmarks1"));
  for (int refresh = 0; refresh < 3; ++refresh) {
    emit form->Menu(QStringLiteral("Palm1"))->aboutToShow();
    const QStringList items = JumpItems();
    ASSERT_EQ(items.size(), 16);
    EXPECT_EQ(items.front(), "Chapter 0");
    EXPECT_EQ(items.back(), "Chapter 15");
    EXPECT_TRUE(separator->isVisible());
    EXPECT_TRUE(more->isVisible());
  }
  // The popup holds the same items and "More".
  {
    QMenu popup;
    ebooks->AddPopupItems(*big, popup);
    QMenu* sub = popup.findChild<QMenu*>(QStringLiteral("Bookmark2"));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->actions().size(), 17);
    EXPECT_TRUE(sub->menuAction()->isEnabled());
    EXPECT_FALSE(popup.findChild<QAction*>(QStringLiteral("CheckPalm1"))->isVisible()) << "no desktop";
  }
  // A jump item puts the caret on its bookmark's line.
  form->Menu(QStringLiteral("Palm1"))->findChild<QAction*>(QStringLiteral("BookmarkMenuJump007"))->trigger();
  EXPECT_EQ(Caret(big), std::make_pair(8, 1));

  marks.resize(16);
  docs->OpenFile(MakeBook("sixteen.pdb", text, marks), 255, true);
  emit form->Menu(QStringLiteral("Palm1"))->aboutToShow();
  EXPECT_EQ(JumpItems().size(), 16);
  EXPECT_FALSE(more->isVisible());

  TMDIChild* none = docs->OpenFile(MakeBook("none.pdb", text), 255, true);
  emit form->Menu(QStringLiteral("Palm1"))->aboutToShow();
  EXPECT_TRUE(JumpItems().isEmpty());
  EXPECT_FALSE(separator->isVisible());
  QMenu popup;
  ebooks->AddPopupItems(*none, popup);
  EXPECT_FALSE(popup.findChild<QMenu*>(QStringLiteral("Bookmark2"))->menuAction()->isEnabled());
  none->close();
  docs->ActivateIfOpen(docsFolder + "big.pdb");
  emit form->Menu(QStringLiteral("Palm1"))->aboutToShow();
  EXPECT_EQ(JumpItems().size(), 16);
}

TEST_F(EbookCommandsTest, BookmarksAddedMovedAndRenamedComeBackAfterSaving) {
  Start();
  // Word wrap is off: lines are paragraphs.
  const std::string path = MakeBook("notes.pdb", "first line\r\nsecond\r\nthird line here\r\nlast\r\n");
  TMDIChild* c = docs->OpenFile(path, 255, true);
  ASSERT_NE(c, nullptr);
  c->HebDoc().SetCaretPosition(3, 5);
  input.answers = {std::string("A name of twenty chr"), std::string("Start")};
  ASSERT_TRUE(Run("AddPDB"));
  EXPECT_EQ(Said("maximum of 16 characters"), 1);
  ASSERT_EQ(c->DocFile->Bookmarks.size(), 1u);
  EXPECT_EQ(c->DocFile->Bookmarks[0].Name, "A name of twenty");
  EXPECT_EQ(c->DocFile->Bookmarks[0].Position, 12 + 8 + 4);
  EXPECT_TRUE(c->HebDoc().Modified()) << "closing asks to keep the new bookmark";
  c->HebDoc().SetCaretPosition(1, 1);
  ASSERT_TRUE(Run("AddPDB"));
  // Move the second one to line 4, column 3, and rename the first.
  c->HebDoc().SetCaretPosition(4, 3);
  answers.bookmarks = {1, 0};
  ASSERT_TRUE(Run("Update1"));
  input.answers = {std::string("Third")};
  ASSERT_TRUE(Run("Rename1"));
  EXPECT_EQ(answers.bookmarkCaptions, (std::vector<std::string>{"Update Bookmark", "Rename Bookmark"}));
  EXPECT_EQ(answers.bookmarkNames[0], (std::vector<std::string>{"A name of twenty", "Start"}));
  ASSERT_TRUE(Run("Save1"));
  EXPECT_FALSE(c->HebDoc().Modified());
  c->close();

  c = docs->OpenFile(path, 255, true);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(Text(c), "first line\r\nsecond\r\nthird line here\r\nlast\r\n");
  ASSERT_EQ(c->DocFile->Bookmarks.size(), 2u);
  EXPECT_EQ(c->DocFile->Bookmarks[0].Name, "Third");
  answers.bookmarks = {0, 1};
  ASSERT_TRUE(Run("MoreBookmarks1"));
  EXPECT_EQ(Caret(c), std::make_pair(3, 5));
  ASSERT_TRUE(Run("MoreBookmarks1"));
  EXPECT_EQ(Caret(c), std::make_pair(4, 3));
  // A cancelled choice changes nothing.
  answers.bookmarks = {std::nullopt, std::nullopt};
  ASSERT_TRUE(Run("Update1"));
  ASSERT_TRUE(Run("Delete2"));
  EXPECT_FALSE(c->HebDoc().Modified());
  ASSERT_EQ(c->DocFile->Bookmarks.size(), 2u);

  // Deleting the first leaves the other, also in the saved file; with none
  // left the item is off.
  answers.bookmarks = {0};
  ASSERT_TRUE(Run("Delete2"));
  EXPECT_EQ(answers.bookmarkCaptions.back(), "Delete Bookmark");
  EXPECT_TRUE(c->HebDoc().Modified());
  ASSERT_TRUE(Run("Save1"));
  EXPECT_EQ(TDocFile(path).Bookmarks.size(), 1u);
  EXPECT_EQ(TDocFile(path).Bookmarks[0].Name, "Start");
  answers.bookmarks = {0};
  ASSERT_TRUE(Run("Delete2"));
  EXPECT_FALSE(Enabled("Delete2"));
}

TEST_F(EbookCommandsTest, TagLineBecomesBookmarksWhenScanning) {
  WriteRegString("Palm", "BookmarkScan", "1");
  Start();
  TMDIChild* c = docs->OpenFile(
      MakeBook("tags.pdb", "*Chapter One of the story\r\ntext\r\n*Two\r\n<*>\r\n"), 255, true);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(Text(c), "Chapter One of the story\r\ntext\r\nTwo\r\n<*>\r\n");
  ASSERT_EQ(c->DocFile->Bookmarks.size(), 2u);
  EXPECT_EQ(c->DocFile->Bookmarks[0].Name, "Chapter One of t");
  EXPECT_EQ(c->DocFile->Bookmarks[0].Position, 0);
  EXPECT_EQ(c->DocFile->Bookmarks[1].Line, 3);
  EXPECT_TRUE(c->HebDoc().Modified());
}

TEST_F(EbookCommandsTest, SaveAsEbookExportsAndAnEreaderOriginalIsNotOverwritten) {
  Start();
  form->Keyboard().EnglishFile = true;  // English text in an English document
  TMDIChild* c = docs->OpenFile(Write("story.txt", "Once\r\nupon\r\n"), 255, true);
  ASSERT_NE(c, nullptr);
  prompts.saves = {docsFolder + "story.pdb"};
  ASSERT_TRUE(Run("SaveAs1"));
  ASSERT_NE(c->DocFile, nullptr);
  TDocFile back(docsFolder + "story.pdb");
  EXPECT_EQ(back.GetText(), "Once\r\nupon\r\n");
  EXPECT_EQ(back.Name, "story");

  // An eReader book: type PNRD, creator PPRS, record 1 of 116 bytes, its
  // text records masked.
  std::vector<uint8_t> description(116, 0);
  description[9] = 2;  // one text record, plus one
  std::vector<uint8_t> masked;
  for (char ch : std::string("Peanut text\n")) masked.push_back(static_cast<uint8_t>(ch) ^ 0xA5);
  const auto bytes = test::BuildPalmFile("Peanut", "PNRDPPRS", {{description, 0, 0}, {masked, 0, 0}});
  const std::string peanut = Write("peanut.pdb", test::AsString(bytes));
  TMDIChild* p = docs->OpenFile(peanut, 255, true);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(Text(p), "Peanut text\r\n");
  p->HebDoc().InsertString("x");
  ASSERT_TRUE(Run("Save1"));
  EXPECT_EQ(Said("eReader book"), 1);
  EXPECT_EQ(test::ReadWholeFile(peanut), test::AsString(bytes));
  EXPECT_TRUE(p->HebDoc().Modified());
  prompts.saves = {docsFolder + "plain-copy.pdb"};
  ASSERT_TRUE(Run("SaveAs1"));
  EXPECT_EQ(TDocFile(docsFolder + "plain-copy.pdb").GetText(), "xPeanut text\r\n");
  EXPECT_EQ(test::ReadWholeFile(peanut), test::AsString(bytes));
}

TEST_F(EbookCommandsTest, InstallWritesACopyAwayFromTheDocumentForTheOnlyUser) {
  MakeDesktop({{12, "Dana"}});
  Start();
  ASSERT_TRUE(ebooks->PalmEnabled());
  // An unrelated x.pdb beside x.txt is never touched.
  const std::string other = Write("x.pdb", "not ours");
  form->Keyboard().EnglishFile = true;  // English text in an English document
  TMDIChild* c = docs->OpenFile(Write("x.txt", "Hello\r\nPalm\r\n"), 255, true);
  ASSERT_NE(c, nullptr);
  ASSERT_TRUE(Enabled("SendtoPalm1"));
  EXPECT_FALSE(Enabled("Install1")) << "a text is no e-book";
  ASSERT_TRUE(Run("SendtoPalm1"));
  EXPECT_EQ(Said("Installing for User: Dana"), 1);
  const fs::path installed = desktop / "DanaF" / "Install" / "x.pdb";
  ASSERT_TRUE(fs::exists(installed));
  EXPECT_EQ(TDocFile(installed.string()).GetText(), "Hello\r\nPalm\r\n");
  EXPECT_EQ(test::ReadWholeFile(other), "not ours");
  EXPECT_EQ(c->DocFile, nullptr) << "the document stays a text";
  EXPECT_FALSE(fs::exists(fs::path(platform::UserTempFolder()) / "install" / "x.pdb"));
  {
    platform::RegistryStore store;
    EXPECT_EQ(store.ReadInteger(std::string(kPalmRootPalm) + "\\Pilot Desktop\\HotSync Manager", "Install12"), 1);
  }
  // A modified document is not sent before it is saved.
  c->HebDoc().InsertString("!");
  ASSERT_TRUE(Run("SendtoPalm1"));
  EXPECT_EQ(Said("Save the file first"), 1);
  EXPECT_EQ(Said("Installing for User"), 1);
}

TEST_F(EbookCommandsTest, InstallAnEbookAsItIsForTheChosenUser) {
  MakeDesktop({{1, "Avi"}, {2, "Dana"}, {3, "Noa"}});
  Start();
  const std::string path = MakeBook("book.pdb", "text\r\n", {{"Mark", 2}});
  const std::string before = test::ReadWholeFile(path);
  docs->OpenFile(path, 255, true);
  ASSERT_TRUE(Enabled("Install1"));
  answers.users = {2, std::nullopt};
  ASSERT_TRUE(Run("Install1"));
  ASSERT_EQ(answers.userNames.size(), 1u);
  EXPECT_EQ(answers.userNames[0], (std::vector<std::string>{"Avi", "Dana", "Noa"}));
  EXPECT_EQ(test::ReadWholeFile(desktop / "NoaF" / "Install" / "book.pdb"), before);
  EXPECT_EQ(test::ReadWholeFile(path), before);
  // Cancelled: nothing for anyone.
  ASSERT_TRUE(Run("Install1"));
  EXPECT_FALSE(fs::exists(desktop / "AviF"));
}

TEST_F(EbookCommandsTest, SettingsChooseTheDesktopAndRegisterTheAddOn) {
  Start();
  EXPECT_FALSE(ebooks->PalmEnabled());
  MakeDesktop({{5, "Dana"}}, false);
  const std::string folderName = desktop.string();
  answers.settings = {EbookSettingsChoice{"/books/", false, true, false, folderName}};
  ASSERT_TRUE(Run("Settings1"));
  EXPECT_TRUE(ebooks->PalmEnabled());
  EXPECT_EQ(ReadRegString("Palm", "DefaultDirectory"), "/books/");
  EXPECT_EQ(ReadRegString("Palm", "BookmarkScan"), "1");
  const std::string addOn = std::string(kPalmRootPalm) + "\\Pilot Desktop\\ApplicationNuvel";
  EXPECT_FALSE(platform::RegistryStore().KeyExists(addOn));
  for (bool on : {true, false, true}) {
    answers.settings = {EbookSettingsChoice{"/books/", false, true, on, folderName}};
    ASSERT_TRUE(Run("Settings1"));
    EXPECT_EQ(platform::RegistryStore().KeyExists(addOn), on);
    EXPECT_EQ(ReadRegString("Palm", "IntegrateWithDesktop"), on ? "1" : "0");
  }
  EXPECT_EQ(answers.settingsSeen.back().second, folderName);
}

TEST_F(EbookCommandsTest, PropertiesTakeEffectAtTheNextSave) {
  Start();
  const std::string path = MakeBook("p.pdb", "text\r\n");
  TMDIChild* c = docs->OpenFile(path, 255, true);
  ASSERT_NE(c, nullptr);
  DatabaseInfoChoice choice;
  choice.name = "Renamed";
  choice.readOnly = true;
  choice.compressed = false;
  answers.info = {choice};
  ASSERT_TRUE(Run("Properties2"));
  EXPECT_TRUE(c->HebDoc().Modified());
  ASSERT_TRUE(Run("Save1"));
  TDocFile back(path);
  EXPECT_EQ(back.Name, "Renamed");
  EXPECT_TRUE(back.ReadOnly);
  EXPECT_FALSE(back.Compressed);
  EXPECT_EQ(back.GetText(), "text\r\n");
}

TEST_F(EbookCommandsTest, ADamagedEbookDoesNotOpenAnEmptyWindow) {
  Start();
  const std::string path = Write("bad.pdb", "not a palm database at all, far too short");
  EXPECT_EQ(docs->OpenFile(path, 255, true), nullptr);
  EXPECT_TRUE(docs->Children().empty());
  EXPECT_GE(sink.requests.size(), 1u);
  EXPECT_EQ(test::ReadWholeFile(path), "not a palm database at all, far too short");
}

}  // namespace
}  // namespace nuvel

namespace nuvel {
namespace {

TEST_F(EbookCommandsTest, BookMadeByTxt2pdbdocIsEditedSavedAndDecodedAgain) {
  if (std::system("command -v txt2pdbdoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "txt2pdbdoc not installed";
  WriteRegString("Palm", "BookmarkScan", "1");
  Start();
  const std::string source = Write("source.txt", "#One\nbody text\n#Two and more\n<#>\n");
  const std::string path = docsFolder + "made.pdb";
  ASSERT_EQ(std::system(("txt2pdbdoc 'Made' '" + source + "' '" + path + "' >/dev/null 2>&1").c_str()), 0);
  TMDIChild* c = docs->OpenFile(path, 255, true);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(Text(c), "One\r\nbody text\r\nTwo and more\r\n<#>\r\n");
  ASSERT_EQ(c->DocFile->Bookmarks.size(), 2u);
  // A bookmark of our own at line 2, column 6, and a line typed at the end.
  c->HebDoc().SetCaretPosition(2, 6);
  input.answers = {std::string("Text")};
  ASSERT_TRUE(Run("AddPDB"));
  c->HebDoc().SetCaretPosition(5, 1);
  c->HebDoc().InsertString("added");
  ASSERT_TRUE(Run("Save1"));
  c->close();

  const std::string decoded = docsFolder + "decoded.txt";
  ASSERT_EQ(std::system(("txt2pdbdoc -d '" + path + "' '" + decoded + "' >/dev/null 2>&1").c_str()), 0);
  // The tool reads every record after the first as text, the bookmark
  // records too: the text is what comes first.
  const std::string text = "One\nbody text\nTwo and more\n<#>\nadded";
  EXPECT_EQ(test::ReadWholeFile(decoded).substr(0, text.size() + 3), text + "One");

  c = docs->OpenFile(path, 255, true);
  ASSERT_NE(c, nullptr);
  ASSERT_EQ(c->DocFile->Bookmarks.size(), 3u);
  const std::vector<std::pair<std::string, std::pair<int, int>>> expected = {
      {"One", {1, 1}}, {"Two and more", {3, 1}}, {"Text", {2, 6}}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(c->DocFile->Bookmarks[i].Name, expected[i].first);
    ebooks->JumpToBookmark(static_cast<int>(i));
    EXPECT_EQ(Caret(c), expected[i].second) << expected[i].first;
  }
  EXPECT_FALSE(c->HebDoc().Modified()) << "no tag left to take out";
}

}  // namespace
}  // namespace nuvel

namespace nuvel {
namespace {

// Books of another program hold Windows-1255 in reading order: they read
// as they were written in either direction, and an edit at the start of
// the text is saved in reading order, as `txt2pdbdoc -d` shows.
TEST_F(EbookCommandsTest, BooksOfOtherProgramsAreReadAndSavedInReadingOrder) {
  if (std::system("command -v txt2pdbdoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "txt2pdbdoc not installed";
  Start();
  struct Case {
    const char* what;
    std::string utf8;  // the book's text, LF line ends
  };
  const Case cases[] = {
      {"English", "line one\nHello world from a book\n"},
      {"Hebrew with English, numbers and brackets", "שלום עולם - Hello world 123\nשורה: ירושלים (2024)\n3,500.25 [x]\n"},
      {"Hebrew with points", "סֵפֶר טוֹב לִקְרֹא\nעוד שורה\n"},
  };
  int n = 0;
  for (const bool english : {false, true}) {
    for (const Case& k : cases) {
      const std::string what = std::string(k.what) + (english ? ", English document" : ", Hebrew document");
      const std::string base = docsFolder + "book" + std::to_string(n++);
      std::ofstream(base + ".utf8", std::ios::binary) << k.utf8;
      ASSERT_EQ(std::system(("iconv -f utf-8 -t cp1255 '" + base + ".utf8' > '" + base + ".txt'").c_str()), 0);
      ASSERT_EQ(std::system(("txt2pdbdoc Book '" + base + ".txt' '" + base + ".pdb' >/dev/null 2>&1").c_str()), 0);
      form->Keyboard().EnglishFile = english;
      TMDIChild* c = docs->OpenFile(base + ".pdb", 255, true);
      ASSERT_NE(c, nullptr) << what;
      THebTextEditor& ed = c->HebDoc();
      ASSERT_EQ(ed.Engm(), english) << what;
      std::string expected;
      for (const std::string& line : test::LogicalParas(ed)) expected += line + "\n";
      EXPECT_EQ(expected, test::Own(k.utf8)) << what;
      // "Hello" put before the first line's text as it reads.
      const std::string first = test::LogicalParas(ed).front();
      const std::string edited = test::Turned(english, "Hello " + first);
      ed.ReplacePara(1, {reinterpret_cast<const uint8_t*>(edited.data()), edited.size()});
      ASSERT_TRUE(Run("Save1")) << what;
      ed.SetModified(false);
      c->close();
      const std::string decoded = test::ShellOutput("txt2pdbdoc -d '" + base + ".pdb' /dev/stdout 2>/dev/null");
      const std::string wanted = test::ShellOutput("printf 'Hello ' | cat - '" + base + ".txt'");
      EXPECT_EQ(decoded.substr(0, wanted.size()), wanted) << what;
    }
  }
}

// The system's own books keep its storage order, its own pointed letters
// among them: they open and save as they always did.
TEST_F(EbookCommandsTest, TheSystemsOwnBooksKeepTheirStorageOrder) {
  Start();
  // Hebrew stored reversed, as the system writes its books, with bet with
  // dagesh (0x81).
  const std::string text = "\xED\xEC\xE5\xF9 \x81\xE5\xE8 book\r\nline\r\n";
  for (const bool english : {false, true}) {
    const std::string path = MakeBook(english ? "own_en.pdb" : "own_he.pdb", text);
    form->Keyboard().EnglishFile = english;
    TMDIChild* c = docs->OpenFile(path, 255, true);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(Text(c), text);
    c->HebDoc().SetModified(true);
    ASSERT_TRUE(Run("Save1"));
    c->HebDoc().SetModified(false);
    c->close();
    EXPECT_EQ(TDocFile(path).GetText(), text);
  }
}

}  // namespace
}  // namespace nuvel
