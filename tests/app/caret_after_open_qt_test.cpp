// The caret of a document that has just come up, by New or by opening a
// file, stands where the status bar says it is (line 1, column 1), in both
// directions: the document window grows to its size after the editor placed
// the caret, and the caret must follow.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>

#include <cstdlib>

#include "editor/heb_text_editor_widget_qt.h"
#include "tests/support/program_fixture_qt.h"

namespace nuvel {
namespace {

class CaretAfterOpen : public test::ProgramFixture {};

TEST_F(CaretAfterOpen, CaretStandsOnTheFirstCell) {
  struct Case {
    const char* name;
    bool english;
    std::string file;  // empty: New
  } const cases[] = {
      {"new Hebrew document", false, ""},
      {"new English document", true, ""},
      {"Hebrew file", false, "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED\r\n"},
      {"English file", true, "Hello world\r\n"},
  };
  form->show();
  QApplication::setActiveWindow(form);
  int files = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.file.empty()) {
      form->Keyboard().EnglishFile = c.english;
      form->Item("New1")->trigger();
    } else {
      form->OpenFile(WriteFile(("doc" + std::to_string(++files) + ".txt").c_str(), c.file), 255, true);
    }
    TMDIChild* child = docs->ActiveChild();
    ASSERT_NE(child, nullptr);
    auto* editor = dynamic_cast<THebTextEditorWidget*>(child->Editor());
    ASSERT_NE(editor, nullptr);
    // Let the window reach its size and the caret settle, as they would
    // before a user's first key.
    QTest::qWait(50);
    QApplication::processEvents();
    THebTextEditor& ed = editor->HebEditor();
    ASSERT_EQ(ed.Engm(), c.english);
    ASSERT_EQ(ed.CaretLine(), 1);
    ASSERT_EQ(ed.CaretCol(), 1);
    ASSERT_EQ(ed.TopLine(), 1);
    // The cell of line 1, column 1 in the window as it is now: at the left
    // edge of the text in an English document, at its right edge in a
    // Hebrew one; the caret stands at the cell's side where the text begins.
    const THebGeometry g = ed.Geometry();
    const int start = c.english ? g.LeftMargin : g.TextRight();
    const TNvcCaretPair& caret = editor->CaretPair();
    EXPECT_LE(std::abs(caret.PositionX() - start), g.CharWidth)
        << "caret at x " << caret.PositionX() << ", the first cell begins at " << start << " (window "
        << g.ClientWidth << " wide)";
    EXPECT_EQ(caret.PositionY(), 0);
    child->close();
    QApplication::processEvents();
  }
}

}  // namespace
}  // namespace nuvel
