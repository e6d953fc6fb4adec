#include "editor/primary_selection_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#include "core/controller_qt.h"
#include "core/conv_mode.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// The PRIMARY selection of a desktop, kept here: the offscreen platform has none.
struct FakeBoard : TSelectionBoard {
  std::unique_ptr<QMimeData> data;
  int sets = 0;
  bool Supported() const override { return true; }
  void Set(QMimeData* d) override {
    data.reset(d);
    ++sets;
  }
  const QMimeData* Current() const override { return data.get(); }
  void Clear() override { data.reset(); }
  // Another program takes the selection.
  void TakenBy(const QString& text) {
    data = std::make_unique<QMimeData>();
    data->setText(text);
  }
  std::string Text() const { return data ? data->data("text/plain").toStdString() : std::string("(none)"); }
};

class PrimarySelectionTest : public ::testing::Test {
 protected:
  void SetUp() override { before_ = SetSelectionBoard(&board); }
  void TearDown() override { SetSelectionBoard(before_); }
  FakeBoard board;

 private:
  TSelectionBoard* before_ = nullptr;
};

TClipboardCopy CopyOf(const char16_t* text) {
  TClipboardCopy copy;
  copy.unicodeText = text;
  copy.bytes = {'x'};
  return copy;
}

// Selecting costs nothing: the text is made only when a program asks for
// it, and only the plain text is ever made (Qt also asks for an image).
TEST_F(PrimarySelectionTest, TextIsMadeOnlyWhenAskedFor) {
  int made = 0;
  TPrimarySelection primary([&]() -> std::optional<TClipboardCopy> {
    ++made;
    return CopyOf(u"ab\u05D0");
  });
  primary.Follow(TPrimarySelection::Range{1, 1, 900000, 1});
  ASSERT_NE(board.data, nullptr);
  EXPECT_TRUE(board.data->hasText());
  EXPECT_TRUE(board.data->formats().contains("text/plain"));
  EXPECT_FALSE(board.data->hasImage());
  EXPECT_EQ(made, 0);
  EXPECT_EQ(board.Text(), "ab\xD7\x90");
  EXPECT_EQ(board.data->text(), QString::fromUtf16(u"ab\u05D0"));
  EXPECT_EQ(made, 2) << "each request makes the text of the selection as it is then";
  // This program's own paste takes the bytes and the text from one making.
  const TClipboardPaste paste = ReadPrimarySelection();
  EXPECT_EQ(made, 3);
  EXPECT_EQ(paste.bytes, std::optional<std::vector<uint8_t>>(std::vector<uint8_t>{'x'}));
  EXPECT_EQ(paste.unicodeText, std::optional<std::u16string>(u"ab\u05D0"));
}

// The offer follows the selection: a new selection is offered anew, the
// same one is not (focus coming back must not take the selection from the
// program that holds it), and a selection that goes away withdraws the
// offer, but never another program's selection.
TEST_F(PrimarySelectionTest, OfferFollowsTheSelection) {
  const TPrimarySelection::Range first{1, 1, 1, 5};
  const TPrimarySelection::Range second{1, 1, 2, 3};
  TPrimarySelection primary([] { return std::optional<TClipboardCopy>(CopyOf(u"t")); });
  primary.Follow(first);
  EXPECT_EQ(board.sets, 1);
  primary.Follow(first);
  EXPECT_EQ(board.sets, 1);
  primary.Follow(second);
  EXPECT_EQ(board.sets, 2);
  EXPECT_NE(primary.Offered(), nullptr);
  primary.Follow(std::nullopt);
  EXPECT_EQ(board.data, nullptr);

  primary.Follow(first);
  ASSERT_NE(primary.Offered(), nullptr);
  board.TakenBy("other");
  EXPECT_EQ(primary.Offered(), nullptr);
  primary.Follow(first);
  EXPECT_EQ(board.Text(), "other") << "the same selection is not offered again";
  primary.Follow(std::nullopt);
  EXPECT_EQ(board.Text(), "other") << "another program's selection stays";
}

TEST_F(PrimarySelectionTest, EditorGoneOrFailingGivesNothing) {
  {
    TPrimarySelection primary([]() -> std::optional<TClipboardCopy> { throw std::runtime_error("broken"); });
    primary.Follow(TPrimarySelection::Range{1, 1, 1, 2});
    EXPECT_EQ(board.Text(), "");
    EXPECT_FALSE(ReadPrimarySelection().unicodeText.has_value());
  }
  EXPECT_EQ(board.data, nullptr) << "an editor that goes takes its offer with it";
}

// The bilingual editor's window: its selection as other programs read it,
// and a middle click that pastes the selection at the click.
class PrimaryEditorTest : public PrimarySelectionTest {
 protected:
  void SetUp() override {
    PrimarySelectionTest::SetUp();
    saved_ = ProgPath;
    ProgPath = temp_.Folder();
    mode_ = GetConvMode();
    SetConvMode(kConvCp1255);
    form_ = std::make_unique<QWidget>();
    new TNvcController(form_.get());
    auto* layout = new QVBoxLayout(form_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    widget_ = new THebTextEditorWidget(form_.get());
    layout->addWidget(widget_);
    form_->resize(500, 200);
    form_->show();
    QApplication::setActiveWindow(form_.get());
    widget_->setFocus();
    QApplication::processEvents();
  }
  void TearDown() override {
    form_.reset();
    SetConvMode(mode_);
    ProgPath = saved_;
    PrimarySelectionTest::TearDown();
  }
  THebTextEditor& Ed() { return widget_->HebEditor(); }
  std::string Para(int32_t n) {
    const auto bytes = Ed().GetPara(n);
    return std::string(bytes.begin(), bytes.end());
  }
  void MiddleClick(QPoint at) {
    QTest::mouseClick(widget_->viewport(), Qt::MiddleButton, {}, at);
    QApplication::processEvents();
  }

  test::TempProgramFolder temp_;
  std::string saved_;
  int mode_ = 0;
  std::unique_ptr<QWidget> form_;
  THebTextEditorWidget* widget_ = nullptr;
};

// A mixed line in each direction: its bytes as the document keeps them, and
// the text as it reads.
struct MixedLine {
  const char* name;
  bool english;
  std::string stored;
  const char* logical;  // UTF-8
};
const MixedLine kMixedLines[] = {
    {"Hebrew document", false, "\xF9\xEC\xE5\xED 5.21 tset \xF2\xE5\xEC\xED",
     "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D test 12.5 \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D"},
    {"English document", true, "Hello \xED\xE5\xEC\xF9 2024/05/12",
     "Hello \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 2024/05/12"},
};

TEST_F(PrimaryEditorTest, SelectionReadsInReadingOrder) {
  for (const MixedLine& c : kMixedLines) {
    SCOPED_TRACE(c.name);
    Ed().SetEngm(c.english);
    Ed().LoadString(c.stored + "\r\nx");
    Ed().SetCaretPosition(1, 1);
    QApplication::processEvents();
    EXPECT_EQ(board.data, nullptr) << "no selection, nothing offered";
    Ed().SelectRange(1, 1, 1, static_cast<int32_t>(c.stored.size()) + 1, true);
    QApplication::processEvents();
    EXPECT_EQ(board.Text(), c.logical);
    // The caret leaving the selection takes the offer away.
    Ed().SetCaretPosition(2, 1);
    QApplication::processEvents();
    EXPECT_EQ(board.data, nullptr);
  }
}

TEST_F(PrimaryEditorTest, MiddleClickPastesAtTheClickInOneUndoStep) {
  for (const MixedLine& c : kMixedLines) {
    SCOPED_TRACE(c.name);
    Ed().SetEngm(c.english);
    Ed().LoadString("ab\r\n\r\ncd");
    ASSERT_EQ(Ed().ParaCount(), 3);
    Ed().SetCaretPosition(1, 1);
    QApplication::processEvents();
    board.TakenBy(QString::fromUtf8(c.logical));
    // Into the empty second line, wherever the click falls on it.
    const int32_t h = Ed().LineHeight();
    MiddleClick(QPoint(widget_->viewport()->width() / 2, h + h / 2));
    EXPECT_EQ(Para(2), c.stored) << "turned into the document's order as a paste is";
    EXPECT_EQ(Para(1), "ab");
    EXPECT_EQ(Para(3), "cd");
    EXPECT_EQ(board.Text(), c.logical) << "the other program keeps its selection";
    Ed().Undo();
    EXPECT_EQ(Ed().Text(), "ab\r\n\r\ncd");
    EXPECT_FALSE(Ed().CanUndo());
  }
}

TEST_F(PrimaryEditorTest, MiddleClickPastesNothingIntoAReadOnlyDocumentOrFromNothing) {
  Ed().LoadString("ab");
  Ed().SetReadOnly(true);
  board.TakenBy("zz");
  MiddleClick(QPoint(5, 5));
  EXPECT_EQ(Ed().Text(), "ab");
  Ed().SetReadOnly(false);
  board.Clear();
  MiddleClick(QPoint(5, 5));
  EXPECT_EQ(Ed().Text(), "ab");
  EXPECT_FALSE(Ed().CanUndo());
}

}  // namespace
}  // namespace nuvel
