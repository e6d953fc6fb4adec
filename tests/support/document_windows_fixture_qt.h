#pragma once
// A main window's parts with the document windows on them, in a temporary
// program folder, with scripted file prompts and a recording message sink:
// for tests of opening and saving documents through the file commands.
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/document_windows_qt.h"
#include "app/file_prompts.h"
#include "core/controller_qt.h"
#include "core/settings.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel::test {

// File prompts that give scripted answers and remember what they were asked.
struct ScriptedFilePrompts : FilePrompts {
  std::deque<std::vector<std::string>> opens;
  std::deque<std::optional<std::string>> saves;
  std::vector<std::string> saveTitles, saveSuggestions;
  std::vector<std::string> OpenFileNames(const std::string&, const std::string&, const std::string&) override {
    if (opens.empty()) return {};
    auto r = opens.front();
    opens.pop_front();
    return r;
  }
  std::optional<std::string> SaveFileName(const std::string& title, const std::string&,
                                          const std::string& suggested) override {
    saveTitles.push_back(title);
    saveSuggestions.push_back(suggested);
    if (saves.empty()) return std::nullopt;
    auto r = saves.front();
    saves.pop_front();
    return r;
  }
  TFileStrAnswer AskFileStr(const TFileStrRequest&) override { return {}; }
};

class DocumentWindowsFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitStartUpIn(folder.Folder()));
    window.resize(900, 700);
    area = new QMdiArea(&window);
    window.setCentralWidget(area);
    controller = new TNvcController(&window);
    for (const char* name : {"Split1", "ReadOnly1", "CollectAll1", "Wordwrap1"}) {
      auto* a = new QAction(QString::fromLatin1(name), &window);
      a->setObjectName(QString::fromLatin1(name));
      a->setCheckable(true);
      actions[name] = a;
    }
    DocumentFrame frame;
    frame.window = &window;
    frame.area = area;
    frame.controller = controller;
    frame.item = [this](const QString& n) -> QAction* {
      auto it = actions.find(n.toStdString());
      return it == actions.end() ? nullptr : it->second;
    };
    docs = new DocumentWindows(frame, &window);
    docs->SetPrompts(&prompts);
    window.show();
  }

  std::string PathOf(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
  std::string WriteFile(const std::string& name, const std::string& bytes) const {
    const std::string path = PathOf(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // The texts of the messages shown so far (as the message sink got them).
  std::vector<std::string> Told() const {
    std::vector<std::string> out;
    for (const auto& r : sink.requests) out.push_back(r.text);
    return out;
  }
  bool ToldSomething(const std::string& part) const {
    for (const auto& r : sink.requests)
      if (r.text.find(part) != std::string::npos) return true;
    return false;
  }

  TempProgramFolder folder;
  QTemporaryDir dir;
  RecordingMessageSink sink;
  // Before the window: its closing still looks items up.
  std::map<std::string, QAction*> actions;
  QMainWindow window;
  QMdiArea* area = nullptr;
  TNvcController* controller = nullptr;
  DocumentWindows* docs = nullptr;
  ScriptedFilePrompts prompts;
};

}  // namespace nuvel::test
