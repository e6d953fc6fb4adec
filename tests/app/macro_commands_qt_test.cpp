// Recording keystrokes in one document window and playing them into
// another; the stop key; damaged and missing macro files; the chooser.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "app/document_windows_qt.h"
#include "app/macro_commands_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/ini_location.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "platform/atomic_file.h"
#include "platform/virtual_keys.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"
#include "tools/macro_dialog_qt.h"
#include "tools/macro_form_qt.h"
#include "tools/macro_magic_qt.h"

namespace nuvel {
namespace {

using namespace platform;

class MacroCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nKEYTYPE=E\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    form = program.MainForm();
    docs = program.Documents();
    magic = form->MacroMagic;
    form->show();
    form->Commands->OnRan = [this](const QString& item) { ran.push_back(item); };
  }
  void TearDown() override {
    ProgPath = saved_;
    EngPrompts = true;
    SetWriteSpaceLimitForTests(-1);
  }
  // A new document window whose editor has the focus.
  TMDIChild* NewDocument() {
    form->Item("New1")->trigger();
    TMDIChild* child = docs->ActiveChild();
    if (!child) return nullptr;
    QApplication::setActiveWindow(form);
    child->HebDoc().SetEngm(true);
    child->Editor()->setFocus();
    QApplication::processEvents();
    return child;
  }
  static QWidget* Focus() { return QApplication::focusWidget(); }
  std::string TextOf(TMDIChild* c) const { return c->HebDoc().Text(); }
  bool WaitWhilePlaying() {
    return QTest::qWaitFor([this] { return magic->GetState() != TMacroMagic::Playing; }, 5000);
  }
  // A file of the user's data folder, where recordings go.
  std::string UserFile(const char* name) const { return UserDataFolder() + name; }
  void WriteUserFile(const char* name, const std::string& bytes) const {
    std::filesystem::create_directories(UserDataFolder());
    std::ofstream(UserFile(name), std::ios::binary) << bytes;
  }
  void WriteMacro(const char* name, const std::vector<MacroEvent>& events) const {
    WriteUserFile(name, FormatMacroRecords(events));
  }

  test::TempProgramFolder folder;
  test::RecordingMessageSink sink;
  Program program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;
  TMacroMagic* magic = nullptr;
  std::vector<QString> ran;
  std::string saved_;
};

TEST_F(MacroCommands, TypingAndAMenuShortcutRecordedInOneDocumentReplayIntoAnother) {
  TMDIChild* first = NewDocument();
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(form->Item("Record1")->isEnabled());
  ASSERT_TRUE(form->Item("PlayMacro1")->isEnabled());
  form->Item("Record1")->trigger();
  ASSERT_EQ(magic->GetState(), TMacroMagic::Recording);
  QTest::keyClicks(Focus(), "abc");
  QTest::keyClick(Focus(), Qt::Key_Return);
  QTest::keyClicks(Focus(), "de");
  QApplication::processEvents();  // the menu items follow the text, as between a person's keys
  QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);  // Select All, a menu shortcut
  QTest::keyClick(Focus(), Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(Focus(), Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(Focus(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(Focus(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);  // stops
  ASSERT_EQ(magic->GetState(), TMacroMagic::Ready);
  const std::string typed = TextOf(first);
  // Select All, Copy and Paste doubled what was typed.
  EXPECT_EQ(std::count(typed.begin(), typed.end(), 'a'), 2) << typed;
  EXPECT_EQ(std::count(typed.begin(), typed.end(), 'e'), 2) << typed;
  EXPECT_EQ(std::count(ran.begin(), ran.end(), QString("SelectAll1")), 1);

  // The file holds the keys and no trace of the chord that stopped it.
  const auto events = ParseMacroRecords(test::ReadWholeFile(UserFile("Didod.mcr")));
  ASSERT_TRUE(events);
  ASSERT_FALSE(events->empty());
  EXPECT_EQ(KeyOfRecord(events->front()), (MacroKey{'A', true}));
  EXPECT_EQ(KeyOfRecord(events->back()), (MacroKey{VK_CONTROL, false}));
  EXPECT_EQ(HeldModifiers(*events), 0);
  for (const MacroEvent& e : *events) EXPECT_NE(KeyOfRecord(e), (MacroKey{'R', true}));

  TMDIChild* second = NewDocument();
  ASSERT_NE(second, first);
  form->Item("PlayMacro1")->trigger();
  EXPECT_EQ(magic->GetState(), TMacroMagic::Playing);
  ASSERT_TRUE(WaitWhilePlaying());
  EXPECT_EQ(TextOf(second), typed);
  EXPECT_EQ(std::count(ran.begin(), ran.end(), QString("SelectAll1")), 2);
}

TEST_F(MacroCommands, TheStopKeyEndsARecordingAndCancelsAPlayback) {
  TMDIChild* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  form->Item("Record1")->trigger();
  QTest::keyClicks(Focus(), "xy");
  QTest::sendKeyEvent(QTest::Click, Focus(), Qt::Key_Pause, char(0), Qt::ControlModifier);
  EXPECT_EQ(magic->GetState(), TMacroMagic::Ready);
  auto events = ParseMacroRecords(test::ReadWholeFile(UserFile("Didod.mcr")));
  ASSERT_TRUE(events);
  EXPECT_EQ(events->size(), 4u);  // x and y, down and up; nothing of Ctrl+Pause

  // A long macro: real keys are swallowed while it plays, the stop key cancels it.
  std::vector<MacroEvent> many;
  for (int i = 0; i < 400; ++i) {
    many.push_back(KeyRecord('Q', true, false, 0));
    many.push_back(KeyRecord('Q', false, false, 0));
  }
  WriteMacro("Didod.mcr", many);
  doc->HebDoc().SelectAll(true);
  doc->HebDoc().DeleteSelection();
  int cancelled = 0;
  magic->OnPlayCancelled = [&] { ++cancelled; };
  form->Item("PlayMacro1")->trigger();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  QTest::keyClick(Focus(), Qt::Key_Z);
  QTest::sendKeyEvent(QTest::Click, Focus(), Qt::Key_Cancel, char(0), Qt::NoModifier);
  EXPECT_EQ(magic->GetState(), TMacroMagic::Ready);
  EXPECT_EQ(cancelled, 1);
  const std::string text = TextOf(doc);
  EXPECT_EQ(text.find('z'), std::string::npos);
  EXPECT_GT(text.size(), 0u);
  EXPECT_LT(text.size(), 400u);
  magic->OnPlayCancelled = nullptr;
}

TEST_F(MacroCommands, MissingAndDamagedFilesAreRefusedWithAMessage) {
  TMDIChild* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  form->Item("PlayMacro1")->trigger();
  EXPECT_EQ(magic->GetState(), TMacroMagic::Ready);
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests.back().text.find("Didod.mcr"), std::string::npos);

  // Three good key records and a torn one: nothing is typed.
  std::string bytes = FormatMacroRecords(std::vector<MacroEvent>{KeyRecord('K', true, false, 0),
                                                                 KeyRecord('K', false, false, 0)});
  folder.WriteFile("Didod.MCR", bytes + bytes.substr(0, 30));
  form->Item("PlayMacro1")->trigger();
  EXPECT_EQ(magic->GetState(), TMacroMagic::Ready);
  ASSERT_EQ(sink.requests.size(), 2u);
  EXPECT_NE(sink.requests.back().text.find("damaged"), std::string::npos);
  QApplication::processEvents();
  EXPECT_EQ(TextOf(doc).find('k'), std::string::npos);

  // The upper-case file is the recorder's own: played, not doubled.
  folder.WriteFile("Didod.MCR", bytes);
  form->Item("PlayMacro1")->trigger();
  ASSERT_TRUE(WaitWhilePlaying());
  EXPECT_NE(TextOf(doc).find('k'), std::string::npos);
  form->Item("Record1")->trigger();
  QTest::keyClicks(Focus(), "m");
  form->Item("Record1")->trigger();
  // The recording is the user's; the program folder's file stays as it was.
  EXPECT_FALSE(std::filesystem::exists(folder.Path("Didod.mcr")));
  EXPECT_EQ(folder.ReadFile("Didod.MCR"), bytes);
  EXPECT_EQ(ParseMacroRecords(test::ReadWholeFile(UserFile("Didod.mcr")))->size(), 2u);
}

TEST_F(MacroCommands, ARecordingThatCannotBeWrittenSaysSoAndKeepsTheOldFile) {
  ASSERT_NE(NewDocument(), nullptr);
  const std::string old = FormatMacroRecords(std::vector<MacroEvent>{KeyRecord('O', true, false, 0)});
  WriteUserFile("Didod.mcr", old);
  form->Item("Record1")->trigger();
  QTest::keyClicks(Focus(), "abcdef");
  SetWriteSpaceLimitForTests(30);
  form->Item("Record1")->trigger();
  SetWriteSpaceLimitForTests(-1);
  EXPECT_EQ(magic->GetState(), TMacroMagic::Ready);
  EXPECT_EQ(test::ReadWholeFile(UserFile("Didod.mcr")), old);
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests.back().type, MsgDlgType::Error);
}

TEST_F(MacroCommands, ARecordingStopsAtItsCapacityWithAWarning) {
  ASSERT_NE(NewDocument(), nullptr);
  magic->SetCapacityForTests(5);
  form->Item("Record1")->trigger();
  QTest::keyClicks(Focus(), "abcdefgh");
  EXPECT_EQ(magic->GetState(), TMacroMagic::Ready);
  EXPECT_EQ(test::ReadWholeFile(UserFile("Didod.mcr")).size(), 5 * kMacroRecordSize);
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests.back().text.find("maximum recording capacity"), std::string::npos);
}

TEST_F(MacroCommands, TheRecorderTakesANameOnlyWhenReadyAndLoopsUntilCancelled) {
  ASSERT_NE(NewDocument(), nullptr);
  TMacroMagic m;
  EXPECT_EQ(m.GetState(), TMacroMagic::NoName);
  m.Play();  // no name: nothing
  EXPECT_EQ(m.GetState(), TMacroMagic::NoName);
  m.SetMacroName(folder.Folder() + "demo.txt");
  EXPECT_EQ(m.GetState(), TMacroMagic::Ready);
  EXPECT_THROW(m.Play(), ENoSuchMacro);
  EXPECT_EQ(m.GetState(), TMacroMagic::Ready);
  m.StartRecord();
  m.SetMacroName(folder.Folder() + "other");
  EXPECT_EQ(m.MacroName(), folder.Folder() + "demo.txt");
  QTest::keyClicks(Focus(), "q");
  EXPECT_TRUE(m.StopRecord());
  EXPECT_EQ(ParseMacroRecords(folder.ReadFile("demo.mcr"))->size(), 2u);

  int ended = 0, cancelled = 0;
  m.LoopPlayback = true;
  m.OnPlayEnded = [&] { ++ended; };
  m.OnPlayCancelled = [&] { ++cancelled; };
  m.Play();
  ASSERT_TRUE(QTest::qWaitFor([&] { return ended >= 3; }, 5000));
  EXPECT_EQ(m.GetState(), TMacroMagic::Playing);
  QTest::sendKeyEvent(QTest::Click, Focus(), Qt::Key_Pause, char(0), Qt::ControlModifier);
  EXPECT_EQ(m.GetState(), TMacroMagic::Ready);
  EXPECT_EQ(cancelled, 1);
}

TEST_F(MacroCommands, TheChooserListsTheMacroFilesAndSavesTheLastRecording) {
  folder.WriteFile("Didod.MCR", FormatMacroRecords(std::vector<MacroEvent>{KeyRecord('W', true, false, 0)}));
  folder.WriteFile("greet.mcr", "");
  folder.WriteFile("notes.txt", "");
  TMacroForm chooser;
  EXPECT_EQ(chooser.RuleLabel->text(), QString("Didod.MCR"));
  ASSERT_EQ(chooser.FileListBox1->count(), 2);
  EXPECT_EQ(chooser.FileListBox1->item(0)->text(), QString("Didod.MCR"));
  chooser.FileListBox1->setCurrentRow(1);
  EXPECT_EQ(chooser.ChosenFile(), folder.Folder() + "greet.mcr");

  std::string askedFilter;
  chooser.AskSaveName = [&](const std::string& filter, const std::string&) -> std::optional<std::string> {
    askedFilter = filter;
    return folder.Folder() + "kept.txt";
  };
  EXPECT_TRUE(chooser.SaveMacClick());
  EXPECT_EQ(askedFilter, "Nuvel Macro(*.MCR)|*.MCR");
  EXPECT_EQ(folder.ReadFile("kept.MCR"), folder.ReadFile("Didod.MCR"));
  EXPECT_EQ(chooser.FileListBox1->count(), 3);

  // A key macro's "&F" with no name runs the chooser and plays its choice.
  TMDIChild* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  MainCommands commands({}, nullptr);
  AttachMacroCommands(commands, *docs, *magic, {[](TMacroForm& f) {
                        f.FileListBox1->setCurrentRow(2);  // kept.MCR
                        return true;
                      },
                      nullptr});
  docs->PlayMacroFile({});
  ASSERT_TRUE(WaitWhilePlaying());
  EXPECT_EQ(TextOf(doc), "w");
}

// The user's recordings are listed with the factory ones, a user's file
// hiding a factory file of the same name; "Save Current" saves the user's
// last recording, and offers the user's folder.
TEST_F(MacroCommands, TheChooserListsTheUsersRecordingsWithTheFactoryOnes) {
  folder.WriteFile("Didod.MCR", FormatMacroRecords(std::vector<MacroEvent>{KeyRecord('F', true, false, 0)}));
  folder.WriteFile("greet.mcr", "");
  const std::string mine = FormatMacroRecords(std::vector<MacroEvent>{KeyRecord('U', true, false, 0)});
  WriteUserFile("didod.mcr", mine);
  WriteUserFile("mine.MCR", "");
  TMacroForm chooser;
  std::vector<std::string> listed;
  for (int i = 0; i < chooser.FileListBox1->count(); ++i) listed.push_back(chooser.FileListBox1->item(i)->text().toStdString());
  EXPECT_EQ(listed, (std::vector<std::string>{"didod.mcr", "greet.mcr", "mine.MCR"}));
  EXPECT_EQ(chooser.ChosenFile(), UserFile("didod.mcr")) << "the last recording is the user's";
  chooser.FileListBox1->setCurrentRow(1);
  EXPECT_EQ(chooser.ChosenFile(), folder.Folder() + "greet.mcr");

  std::string offeredFolder;
  chooser.AskSaveName = [&](const std::string&, const std::string& folderOffered) -> std::optional<std::string> {
    offeredFolder = folderOffered;
    return UserFile("kept.txt");
  };
  EXPECT_TRUE(chooser.SaveMacClick());
  EXPECT_EQ(offeredFolder, UserDataFolder());
  EXPECT_EQ(test::ReadWholeFile(UserFile("kept.MCR")), mine);
}

TEST_F(MacroCommands, ADigitKeyMacroEditedInTheEditorPlaysWithItsKey) {
  TMDIChild* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  const auto saved = MacroKeys;
  MainCommands commands({}, nullptr);
  bool accept = true;
  AttachMacroCommands(commands, *docs, *magic, {nullptr, [&](TMacroDialogN& d) {
                        d.show();
                        d.Memos[0]->setFocus();
                        d.Memos[0]->KeyType = TKeytype::English;
                        QTest::keyClicks(d.Memos[0], "hi");
                        QTest::keyClick(d.Memos[0], Qt::Key_Return);
                        sink.answers.push_back(mrNo);  // no key file
                        d.OKBtnClick();
                        return accept && d.result() == QDialog::Accepted;
                      }});
  commands.Run("ChangeMacros1");
  EXPECT_EQ(MacroKeys[1], "hi\r");
  QApplication::setActiveWindow(form);
  doc->Editor()->setFocus();
  QTest::keyClick(Focus(), Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(TextOf(doc).substr(0, 2), "hi");

  // Closed without OK, the table is as it was.
  accept = false;
  commands.Run("ChangeMacros1");
  EXPECT_EQ(MacroKeys[1], "hi\r");
  MacroKeys = saved;
}

}  // namespace
}  // namespace nuvel
