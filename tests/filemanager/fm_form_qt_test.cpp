// A file manager window on a temporary folder: listing, sorting, the file
// operations with their questions, opening in the editor and the viewer,
// attributes, new folders, the filter and the settings it keeps.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <filesystem>

#include "app/file_managers_qt.h"
#include "core/settings.h"
#include "filemanager/dir_tree_qt.h"
#include "filemanager/file_list_view_qt.h"
#include "filemanager/fm_form_qt.h"
#include "formats/lzh_file.h"
#include "tests/filemanager/fm_test_folder.h"
#include "tests/support/recording_message_sink.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using platform::mrAll;
using platform::mrNo;
using platform::mrOk;
using platform::mrYes;

struct ScriptedPrompts : FileManagerPrompts {
  std::deque<std::optional<std::string>> changes, lines, folders;
  std::deque<std::optional<uint32_t>> attributes;
  std::vector<std::string> asked;  // operation and From of each change dialog
  std::optional<std::string> Change(const QString& operation, const std::string&, const std::string& from) override {
    asked.push_back(operation.toStdString() + " " + from);
    return Next(changes);
  }
  std::optional<uint32_t> Attributes(const std::string&, const std::string&, const std::string&, uint32_t) override {
    return Next(attributes);
  }
  std::optional<std::string> Line(const std::string&, const std::string&, const std::string&) override {
    return Next(lines);
  }
  std::optional<std::string> Folder(const std::string&) override { return Next(folders); }
  template <class T>
  static std::optional<T> Next(std::deque<std::optional<T>>& q) {
    if (q.empty()) return std::nullopt;
    auto v = q.front();
    q.pop_front();
    return v;
  }
};

class FileManagerWindow : public testing::Test {
 protected:
  void SetUp() override {
    dir.Write("notes.txt", "some notes\n");
    dir.Write("a.txt", "lower");
    dir.Write("A.TXT", "UPPER CASE");
    dir.Write("my notes.txt", "blanks in the name");
    dir.Write("big.dat", std::string(5000, 'x'));
    fs::create_directories(dir.Path("Sub"));
    prompts = std::make_shared<ScriptedPrompts>();
    FileManagerHost host;
    host.activateIfOpen = [this](const std::string& p) { return p == openInEditor; };
    host.openFile = [this](const std::string& p, int format) { opened.push_back({p, format}); };
    host.viewFile = [this](const std::string& p) { viewed.push_back(p); };
    form = std::make_unique<TFMForm>(1, host, prompts);
    form->show();
    ASSERT_TRUE(form->ShowFolder(dir.Path()));
  }

  std::vector<std::string> Listed() const {
    std::vector<std::string> names;
    for (const auto& f : form->FileList->Files()) names.push_back(f.name);
    return names;
  }
  void Select(std::initializer_list<const char*> names) {
    form->FileList->SelectRow(-1);
    bool first = true;
    for (const char* n : names) {
      if (first) {
        ASSERT_TRUE(form->FileList->SelectName(n)) << n;
        first = false;
        continue;
      }
      for (int r = 0; r < form->FileList->Count(); ++r) {
        if (form->FileList->Entry(r).name == n) {
          form->FileList->ReportView()->selectionModel()->select(
              form->FileList->ReportView()->model()->index(r, 0),
              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
      }
    }
  }
  void Run(const char* action) {
    QAction* a = form->Action(QString::fromLatin1(action));
    ASSERT_NE(a, nullptr) << action;
    ASSERT_TRUE(a->isEnabled()) << action;
    a->trigger();
  }

  test::FmTestFolder dir;  // also the settings' program folder
  test::RecordingMessageSink sink;
  std::shared_ptr<ScriptedPrompts> prompts;
  std::unique_ptr<TFMForm> form;
  std::string openInEditor;
  std::vector<std::pair<std::string, int>> opened;
  std::vector<std::string> viewed;
};

TEST_F(FileManagerWindow, ListsTheFolderWithRealNames) {
  EXPECT_EQ(form->Folder(), dir.Path());
  // The list's own order is by size, and its button says so; a.txt and
  // A.TXT are two files.
  EXPECT_EQ(Listed(), (std::vector<std::string>{"a.txt", "A.TXT", "notes.txt", "my notes.txt", "big.dat"}));
  EXPECT_TRUE(form->ToolButton(QStringLiteral("SpeedButton2"))->isChecked());
  EXPECT_EQ(form->LablDate->text().toStdString(), "5044  bytes in  5  files");
  form->SortButtonClick(0);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"A.TXT", "a.txt", "big.dat", "my notes.txt", "notes.txt"}));
  EXPECT_TRUE(form->ToolButton(QStringLiteral("SpeedButton1"))->isChecked());
  EXPECT_FALSE(form->ToolButton(QStringLiteral("SpeedButton2"))->isChecked());
  form->SortButtonClick(0);
  EXPECT_EQ(Listed().front(), "notes.txt");
  // The filter, without regard to case.
  prompts->lines.push_back("*.TXT");
  form->ChgBtnClick();
  EXPECT_EQ(Listed().size(), 4u);
  EXPECT_EQ(ReadIniString("FileManager", "Filter"), "*.TXT");
  prompts->lines.push_back("");
  form->ChgBtnClick();
  EXPECT_EQ(form->Filter(), "*.*");
  EXPECT_EQ(Listed().size(), 5u);
}

TEST_F(FileManagerWindow, CommandsNeedASelection) {
  form->FileList->ReportView()->clearSelection();
  for (const char* name : {"Open1", "View1", "Copy1", "Move2", "Delete1", "Rename2", "Compress1", "Properties1"})
    EXPECT_FALSE(form->Action(QString::fromLatin1(name))->isEnabled()) << name;
  Select({"notes.txt"});
  for (const char* name : {"Open1", "View1", "Copy1", "Move2", "Delete1", "Rename2", "Compress1", "Properties1"})
    EXPECT_TRUE(form->Action(QString::fromLatin1(name))->isEnabled()) << name;
}

TEST_F(FileManagerWindow, OpensInTheEditorAndTheViewer) {
  Select({"my notes.txt", "A.TXT"});
  Run("Open1");
  // Whole names with their blanks and case, in list order, format from the file.
  EXPECT_EQ(opened, (std::vector<std::pair<std::string, int>>{{dir.Path("A.TXT"), 255}, {dir.Path("my notes.txt"), 255}}));
  opened.clear();
  Select({"a.txt"});
  Run("OpenNuvelDos2");
  EXPECT_EQ(opened, (std::vector<std::pair<std::string, int>>{{dir.Path("a.txt"), 1}}));
  // A file already in a document window comes forward instead.
  opened.clear();
  openInEditor = dir.Path("a.txt");
  Run("Open1");
  EXPECT_TRUE(opened.empty());
  // The viewer, and a file open in the editor is not viewed.
  Run("View1");
  EXPECT_TRUE(viewed.empty());
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find("is open in the editor"), std::string::npos);
  Select({"big.dat"});
  Run("View2");
  EXPECT_EQ(viewed, (std::vector<std::string>{dir.Path("big.dat")}));
}

TEST_F(FileManagerWindow, CopyRenameDelete) {
  Select({"notes.txt"});
  // A copy onto itself (the To field starts as the From name) is refused.
  prompts->changes.push_back("notes.txt");
  Run("Copy1");
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find("onto itself"), std::string::npos);
  EXPECT_EQ(dir.Read("notes.txt"), "some notes\n");

  // A copy into the subfolder, after Yes.
  sink.requests.clear();
  sink.answers = {mrYes};
  prompts->changes.push_back("Sub");
  Run("Copy1");
  EXPECT_EQ(dir.Read("Sub/notes.txt"), "some notes\n");
  EXPECT_EQ(prompts->asked.back(), "Copy notes.txt");

  // Again: the copy there exists, so it is asked about; No keeps it.
  dir.Write("Sub/notes.txt", "kept");
  sink.requests.clear();
  sink.answers = {mrYes, mrNo};
  prompts->changes.push_back("Sub");
  Run("Copy2");
  ASSERT_EQ(sink.requests.size(), 2u);
  EXPECT_NE(sink.requests[1].text.find("Replace it?"), std::string::npos);
  EXPECT_EQ(dir.Read("Sub/notes.txt"), "kept");

  // Rename a.txt onto A.TXT: asked twice, No to replacing keeps both.
  Select({"a.txt"});
  sink.requests.clear();
  sink.answers = {mrYes, mrNo};
  prompts->changes.push_back("A.TXT");
  Run("Rename1");
  EXPECT_EQ(dir.Read("a.txt"), "lower");
  EXPECT_EQ(dir.Read("A.TXT"), "UPPER CASE");
  // Rename to a new name.
  sink.answers = {mrYes};
  prompts->changes.push_back("b.txt");
  Select({"a.txt"});
  Run("Rename1");
  EXPECT_EQ(dir.Read("b.txt"), "lower");
  EXPECT_FALSE(dir.Exists("a.txt"));
  EXPECT_EQ(form->FileList->Entry(form->FileList->FocusedRow()).name, "b.txt");

  // Delete: No keeps, Yes deletes; only the selected real name goes.
  Select({"A.TXT"});
  sink.answers = {mrNo};
  Run("Delete1");
  EXPECT_TRUE(dir.Exists("A.TXT"));
  sink.answers = {mrYes};
  Run("Delete1");
  EXPECT_FALSE(dir.Exists("A.TXT"));
  EXPECT_TRUE(dir.Exists("b.txt"));
  EXPECT_EQ(Listed().size(), 4u);
}

TEST_F(FileManagerWindow, BatchesAnswerAllOrSkipOne) {
  Select({"a.txt", "A.TXT", "notes.txt"});
  // No to the first, All to the second: the rest go without questions.
  sink.answers = {mrNo, mrAll};
  prompts->changes.push_back("Sub");
  Run("Copy1");
  EXPECT_EQ(dir.Names("Sub"), (std::set<std::string>{"A.TXT", "notes.txt"}));
  EXPECT_EQ(sink.requests.size(), 2u);
  // Deleting several: a read-only file is asked about on its own, even after All.
  ::chmod(dir.Path("notes.txt").c_str(), 0444);
  Select({"a.txt", "notes.txt"});
  sink.requests.clear();
  sink.answers = {mrAll, mrNo};
  Run("Delete1");
  EXPECT_FALSE(dir.Exists("a.txt"));
  EXPECT_TRUE(dir.Exists("notes.txt"));
  ASSERT_EQ(sink.requests.size(), 2u);
  EXPECT_NE(sink.requests[1].text.find("read-only"), std::string::npos);
}

TEST_F(FileManagerWindow, CompressAndExpand) {
  Select({"big.dat"});
  sink.answers = {mrYes};
  prompts->changes.push_back("big.lzh");
  Run("Compress1");
  ASSERT_TRUE(dir.Exists("big.lzh"));
  EXPECT_LT(dir.Read("big.lzh").size(), 5000u);
  EXPECT_EQ(dir.Read("big.lzh").substr(0, kCompressHeader.size()), kCompressHeader);
  // Onto itself: refused before anything is written.
  Select({"big.lzh"});
  const std::string packed = dir.Read("big.lzh");
  sink.requests.clear();
  prompts->changes.push_back("big.lzh");
  Run("Decompress1");
  EXPECT_EQ(dir.Read("big.lzh"), packed);
  sink.answers = {mrYes};
  prompts->changes.push_back("back.dat");
  Run("Decompress2");
  EXPECT_EQ(dir.Read("back.dat"), std::string(5000, 'x'));
  // A file that is not compressed: reported, nothing made.
  Select({"notes.txt"});
  sink.requests.clear();
  sink.answers = {mrYes};
  prompts->changes.push_back("out.txt");
  Run("Decompress1");
  EXPECT_FALSE(dir.Exists("out.txt"));
  ASSERT_EQ(sink.requests.size(), 2u);
  EXPECT_NE(sink.requests[1].text.find("Cannot compress or expand"), std::string::npos);
}

TEST_F(FileManagerWindow, MoveAttributesAndFolders) {
  Select({"A.TXT"});
  sink.answers = {mrYes};
  prompts->changes.push_back(dir.Path("Sub") + "/");
  Run("Move1");
  EXPECT_FALSE(dir.Exists("A.TXT"));
  EXPECT_EQ(dir.Read("Sub/A.TXT"), "UPPER CASE");
  EXPECT_EQ(dir.Read("a.txt"), "lower");

  Select({"a.txt"});
  prompts->attributes.push_back(faReadOnly);
  Run("Properties1");
  struct stat st;
  ::stat(dir.Path("a.txt").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  prompts->attributes.push_back(faHidden);
  Run("Properties2");
  EXPECT_TRUE(dir.Exists(".a.txt"));
  const auto listed = Listed();
  EXPECT_EQ(std::count(listed.begin(), listed.end(), ".a.txt"), 0);  // hidden files are not listed

  prompts->lines.push_back("New Folder/Inner");
  sink.requests.clear();
  form->MakeDir1Click();
  EXPECT_TRUE(fs::is_directory(dir.Path("New Folder/Inner")));
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find(" created"), std::string::npos);
  EXPECT_EQ(form->Folder(), dir.Path());
  EXPECT_TRUE(form->DirTree->SetDirectory(dir.Path("New Folder/Inner")));
  EXPECT_TRUE(Listed().empty());
}

TEST_F(FileManagerWindow, ListViewAndStatus) {
  Select({"a.txt", "notes.txt"});
  EXPECT_EQ(form->NameSize->text().toStdString(), "Total selected size is: ");
  EXPECT_EQ(form->LablDate->text().toStdString(), "16  bytes in  2  files");
  form->ToolButton(QStringLiteral("SpeedButton6"))->click();
  EXPECT_TRUE(form->FileList->IsListView());
  Select({"my notes.txt"});
  EXPECT_TRUE(form->NameSize->text().startsWith(QStringLiteral("my notes.txt  18  ")));
  EXPECT_TRUE(form->LablDate->text().isEmpty());
  form->SelectAll1Click();
  EXPECT_EQ(form->LablDate->text().toStdString(), "5044  bytes in  5  files");
}

TEST_F(FileManagerWindow, SettingsOfTheWindow) {
  form->resize(520, 330);
  form->SortButtonClick(3);
  form->SaveWindowSettings();
  const FileWindowSettings s = ReadFileWindowSettings("");
  EXPECT_EQ(s.width, 520);
  EXPECT_EQ(s.sortColumn, 3);
  EXPECT_TRUE(s.forward);
  // A second window reads and writes its own keys.
  TFMForm second(2, FileManagerHost{}, prompts);
  EXPECT_EQ(second.objectName().toStdString(), "FMForm2");
  EXPECT_TRUE(second.windowTitle().endsWith(QStringLiteral(":2")));
  EXPECT_EQ(second.width(), 435);
  // Without a viewer, View stays disabled.
  second.ShowFolder(dir.Path());
  second.FileList->SelectName("notes.txt");
  EXPECT_FALSE(second.Action(QStringLiteral("View1"))->isEnabled());
  EXPECT_TRUE(second.Action(QStringLiteral("Copy1"))->isEnabled());
}

TEST(FileManagerWindows, NumbersCountAndClosing) {
  test::FmTestFolder dir;
  test::RecordingMessageSink sink;
  WriteIniString("FileManager", "Number", "2");
  WriteIniString("FileManager", "Showing", "1");
  FileManagers managers(FileManagerHost{}, std::make_shared<ScriptedPrompts>());
  managers.StartUp();
  ASSERT_EQ(managers.Windows().size(), 2u);
  EXPECT_TRUE(managers.First()->isVisible());
  EXPECT_TRUE(managers.Second()->isVisible());
  EXPECT_EQ(managers.Second()->Number(), 2);
  TFMForm* third = managers.NewWindow();
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->objectName().toStdString(), "FMForm3");
  EXPECT_EQ(managers.Second(), third);
  // Closing a later window frees its number for the next one.
  managers.Windows()[1]->close();
  EXPECT_EQ(managers.Windows().size(), 2u);
  EXPECT_EQ(managers.NewWindow()->Number(), 2);
  while (managers.Windows().size() < 10) ASSERT_NE(managers.NewWindow(), nullptr);
  EXPECT_EQ(managers.NewWindow(), nullptr);  // at most ten
  managers.SaveAll();
  EXPECT_EQ(ReadIniString("FileManager", "Number"), "10");
  // Closing the first window closes the others and hides it.
  managers.First()->close();
  EXPECT_EQ(managers.Windows().size(), 1u);
  EXPECT_FALSE(managers.First()->isVisible());
  EXPECT_EQ(ReadIniString("FileManager", "Showing"), "0");
  managers.SaveAll();
  EXPECT_EQ(ReadIniString("FileManager", "Number"), "1");
  QApplication::processEvents();
}

}  // namespace
}  // namespace nuvel
