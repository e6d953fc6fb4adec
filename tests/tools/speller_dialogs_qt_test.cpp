// The speller's dialogs tell how to check the whole document: the answer
// that the word at the caret is correct, and the speller in the check of
// that word; not the speller of the run over the document.
#include "tools/speller_dialogs_qt.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "core/shared_state.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

TEST(SpellerDialogs, TheHintSaysHowToCheckTheWholeDocument) {
  test::TempProgramFolder folder;
  folder.CopyShippedFile("NuvStr.DLL");
  const bool wasEnglish = EngPrompts;
  EngPrompts = true;
  const QString hint =
      "Continue checks the document from the cursor to its end; to check all of it, press Ctrl+Home before Spell.";

  TSplOKDlg correct;
  QLabel* label = correct.findChild<QLabel*>("HintLabel");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), hint);
  ASSERT_NE(correct.findChild<QPushButton*>("ContinueBtn"), nullptr);

  for (const bool run : {false, true}) {
    TSplDlg speller;
    TSpellerRequest request;
    request.Word = "teh";
    request.Suggestions = {"the"};
    request.Replacement = "the";
    request.Run = run;
    speller.Load(request);
    QLabel* shown = speller.findChild<QLabel*>("HintLabel");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->isVisibleTo(&speller), !run) << run;
    EXPECT_EQ(shown->text(), run ? QString() : hint) << run;
    EXPECT_EQ(speller.findChild<QPushButton*>("ContSpl")->text(), run ? "S&top" : "&Continue");
  }
  EngPrompts = wasEnglish;
}

}  // namespace
}  // namespace nuvel
