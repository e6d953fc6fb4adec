#include "app/temporary_document_qt.h"

#include <gtest/gtest.h>

#include <QTest>

#include "app/main_form_qt.h"
#include "core/shared_state.h"
#include "editor/editor_widget_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class TemporaryDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    ProgPath = temp_.Folder();
  }
  void TearDown() override { ProgPath = saved_; }
  test::TempProgramFolder temp_;
  std::string saved_;
};

TEST_F(TemporaryDocument, MainWindowIsNamedAndShown) {
  TMainForm form;
  OpenTemporaryDocument(form);
  form.show();
  EXPECT_EQ(form.objectName(), QString("MainForm"));
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.HasDocument());
}

TEST_F(TemporaryDocument, HoldsAnEditorToTypeIn) {
  TMainForm form;
  OpenTemporaryDocument(form);
  form.show();
  TNvcEditorWidget* editor = TemporaryDocumentEditor(form);
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->Created());
  QTest::keyClicks(editor, "hi");
  EXPECT_EQ(editor->Editor().Text(), "hi");
}

TEST_F(TemporaryDocument, DigitAndCtrlKKeysReachTheEditorWhileNoCommandTakesThem) {
  TMainForm form;
  OpenTemporaryDocument(form);
  form.show();
  TNvcEditorWidget* editor = TemporaryDocumentEditor(form);
  int opened = 0;
  form.OpenCommand = [&] { ++opened; };
  QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
  QTest::keyClick(editor, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(opened, 0) << "a document is open";
  EXPECT_FALSE(CtrlKPending);
}

}  // namespace
}  // namespace nuvel
