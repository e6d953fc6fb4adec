#pragma once
// The program started in-process over a temporary program folder with an
// English interface, its messages recorded, and restarted on the same
// folder when a test asks: for tests of commands over open documents.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/standard_tools.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel::test {

class ProgramFixture : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    folder.CopyShippedFile("DIDOD.drf");  // the conversion tables
    Start();
  }
  void TearDown() override {
    program.reset();
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  void Start() {
    program = std::make_unique<Program>();
    ASSERT_TRUE(program->Start({"nuvel"}, nullptr));
    form = program->MainForm();
    docs = program->Documents();
    form->resize(1000, 700);
  }
  // Ends the program (unmodified documents close without asking) and starts it again.
  void Restart() {
    for (TMDIChild* c : docs->Children()) c->HebDoc().SetModified(false);
    form->close();
    program.reset();
    Start();
  }
  std::string WriteFile(const char* name, const std::string& bytes) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // Opens a file in a maximized document window.
  TMDIChild* Open(const std::string& path) {
    TMDIChild* c = docs->OpenFile(path, 255, false);
    if (c) {
      c->showMaximized();
      QApplication::processEvents();
    }
    return c;
  }

  TempProgramFolder folder;
  QTemporaryDir dir;
  RecordingMessageSink sink;
  std::string savedProgPath_;
  std::unique_ptr<Program> program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;
};

}  // namespace nuvel::test
