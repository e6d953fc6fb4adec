#include "platform/qt/key_edge_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <vector>

#include "core/command_processor.h"
#include "platform/virtual_keys.h"

namespace nuvel::platform {
namespace {

// Records every key press as the edge translates it.
class KeyRecorder : public QWidget {
 public:
  KeyRecorder() { setFocusPolicy(Qt::StrongFocus); }
  std::vector<KeyStroke> strokes;

 protected:
  void keyPressEvent(QKeyEvent* e) override { strokes.push_back(KeyStrokeOf(*e)); }
};

struct EdgeCase {
  const char* name;
  int key;
  Qt::KeyboardModifiers modifiers;
  const char16_t* text;  // what the platform reports the key typed
  KeyStroke expected;
};

constexpr auto kNo = Qt::NoModifier;
constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;

class KeyEdgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    widget.show();
    widget.activateWindow();
    widget.setFocus();
  }
  KeyRecorder widget;
};

TEST_F(KeyEdgeTest, QtKeyClicksBecomeWindowsKeyPresses) {
  const EdgeCase cases[] = {
      {"letter", Qt::Key_A, kNo, u"a", {'A', 0, 'a'}},
      {"Shift+letter", Qt::Key_A, kShift, u"A", {'A', 2, 'A'}},
      {"Shift+digit reports its symbol", Qt::Key_Exclam, kShift, u"!", {'1', 2, '!'}},
      {"Shift+5", Qt::Key_Percent, kShift, u"%", {'5', 2, '%'}},
      {"Ctrl+Shift+digit", Qt::Key_ParenRight, kCtrl | kShift, u"", {'0', 6, 0}},
      {"Ctrl+letter types a control character", Qt::Key_S, kCtrl, u"\x13", {'S', 4, 19}},
      {"Ctrl+letter without text", Qt::Key_K, kCtrl, u"", {'K', 4, 11}},
      {"Ctrl+digit", Qt::Key_5, kCtrl, u"", {'5', 4, 0}},
      {"Alt+letter types nothing", Qt::Key_F, kAlt, u"f", {'F', 8, 0}},
      {"Alt+digit", Qt::Key_3, kAlt, u"3", {'3', 8, 0}},
      {"Ctrl+Alt+digit", Qt::Key_7, kCtrl | kAlt, u"", {'7', 12, 0}},
      {"Hebrew layout letter (shin on A)", 0x05E9, kNo, u"\u05E9", {'A', 0, 0xF9}},
      {"Hebrew layout final letter (tav on comma)", 0x05EA, kNo, u"\u05EA", {VK_OEM_COMMA, 0, 0xFA}},
      {"Hebrew layout Ctrl+letter (dalet on S)", 0x05D3, kCtrl, u"", {'S', 4, 19}},
      {"Hebrew layout Alt+letter (qof on E)", 0x05E7, kAlt, u"\u05E7", {'E', 8, 0}},
      {"Hebrew point", 0x05B8, kNo, u"\u05B8", {0, 0, 0xC8}},
      {"lone Shift", Qt::Key_Shift, kShift, u"", {VK_SHIFT, 2, 0}},
      {"lone Shift not yet among modifiers", Qt::Key_Shift, kNo, u"", {VK_SHIFT, 2, 0}},
      {"lone Ctrl", Qt::Key_Control, kCtrl, u"", {VK_CONTROL, 4, 0}},
      {"lone Alt", Qt::Key_Alt, kNo, u"", {VK_MENU, 8, 0}},
      {"Caps Lock", Qt::Key_CapsLock, kNo, u"", {VK_CAPITAL, 0, 0}},
      {"Enter", Qt::Key_Return, kNo, u"\r", {VK_RETURN, 0, 13}},
      {"Ctrl+Enter", Qt::Key_Return, kCtrl, u"", {VK_RETURN, 4, 10}},
      {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, u"\r", {VK_RETURN, 0, 13}},
      {"Backspace", Qt::Key_Backspace, kNo, u"\b", {VK_BACK, 0, 8}},
      {"Shift+Tab", Qt::Key_Backtab, kShift, u"", {VK_TAB, 2, 9}},
      {"Escape", Qt::Key_Escape, kNo, u"\x1b", {VK_ESCAPE, 0, 27}},
      {"Ctrl+Shift+PgDn", Qt::Key_PageDown, kCtrl | kShift, u"", {VK_NEXT, 6, 0}},
      {"F2", Qt::Key_F2, kNo, u"", {VK_F2, 0, 0}},
      {"keypad digit", Qt::Key_5, Qt::KeypadModifier, u"5", {VK_NUMPAD0 + 5, 0, '5'}},
      {"keypad star", Qt::Key_Asterisk, Qt::KeypadModifier, u"*", {VK_MULTIPLY, 0, '*'}},
      {"Shift+8 star", Qt::Key_Asterisk, kShift, u"*", {'8', 2, '*'}},
      {"keypad Home", Qt::Key_Home, Qt::KeypadModifier, u"", {VK_HOME, 0, 0}},
      {"punctuation", Qt::Key_Semicolon, kNo, u";", {VK_OEM_1, 0, ';'}},
      {"Ctrl+[", Qt::Key_BracketLeft, kCtrl, u"", {VK_OEM_4, 4, 27}},
      {"sheqel sign", Qt::Key_4, kAlt | kCtrl, u"\u20AA", {'4', 12, 0xA4}},
      // Control characters X puts in a key's text are not typed.
      {"Delete with X's text", Qt::Key_Delete, kNo, u"\x7f", {VK_DELETE, 0, 0}},
      {"Shift+Delete with X's text", Qt::Key_Delete, kShift, u"\x7f", {VK_DELETE, 2, 0}},
      {"keypad Delete with X's text", Qt::Key_Delete, Qt::KeypadModifier, u"\x7f", {VK_DELETE, 0, 0}},
      {"Ctrl+slash with X's text", Qt::Key_Slash, kCtrl, u"\x1f", {VK_OEM_2, 4, 0}},
      {"Ctrl+letter still types its control character", Qt::Key_A, kCtrl, u"\x01", {'A', 4, 1}},
  };
  for (const auto& c : cases) {
    widget.strokes.clear();
    QTest::sendKeyEvent(QTest::Press, &widget, static_cast<Qt::Key>(c.key),
                        QString::fromUtf16(c.text), c.modifiers);
    QTest::sendKeyEvent(QTest::Release, &widget, static_cast<Qt::Key>(c.key),
                        QString::fromUtf16(c.text), c.modifiers);
    // QTest presses the modifier keys first, as a keyboard does; the key
    // itself comes last.
    ASSERT_FALSE(widget.strokes.empty()) << c.name;
    const KeyStroke& got = widget.strokes.back();
    EXPECT_EQ(got.VirtualKey, c.expected.VirtualKey) << c.name;
    EXPECT_EQ(int(got.Shift), int(c.expected.Shift)) << c.name;
    EXPECT_EQ(int(got.Typed), int(c.expected.Typed)) << c.name;
  }
}

TEST_F(KeyEdgeTest, KeyClickShortcutsOfQTest) {
  // QTest makes up the text itself here; the key code decides.
  QTest::keyClick(&widget, Qt::Key_Q, Qt::ControlModifier);
  QTest::keyClick(&widget, Qt::Key_1, Qt::ShiftModifier);
  QTest::keyClick(&widget, Qt::Key_X, Qt::AltModifier);
  QTest::keyClick(&widget, 'b');
  ASSERT_EQ(widget.strokes.size(), 7u);
  // Each modifier key arrives on its own before the key it modifies.
  EXPECT_EQ(widget.strokes[0], (KeyStroke{VK_CONTROL, 4, 0}));
  EXPECT_EQ(widget.strokes[1], (KeyStroke{'Q', 4, 17}));
  EXPECT_EQ(widget.strokes[2], (KeyStroke{VK_SHIFT, 2, 0}));
  EXPECT_EQ(widget.strokes[3].VirtualKey, '1');
  EXPECT_EQ(widget.strokes[3].Shift, 2);
  EXPECT_EQ(widget.strokes[4], (KeyStroke{VK_MENU, 8, 0}));
  EXPECT_EQ(widget.strokes[5], (KeyStroke{'X', 8, 0}));
  EXPECT_EQ(widget.strokes[6], (KeyStroke{'B', 0, 'b'}));
}

TEST(KeyEdge, X11KeyCodesGiveThePositionWhateverTheLayoutTypes) {
  const struct {
    const char* name;
    int key;
    uint32_t scanCode;
    Qt::KeyboardModifiers modifiers;
    const char16_t* text;
    uint16_t vk;
  } cases[] = {
      {"dalet on the S key", 0x05D3, 31 + 8, kCtrl, u"", 'S'},
      {"slash on the Q key of a Hebrew layout", Qt::Key_Slash, 16 + 8, kCtrl, u"", 'Q'},
      {"exclamation mark on the 1 key", Qt::Key_Exclam, 2 + 8, kShift, u"!", '1'},
      {"zero", Qt::Key_ParenRight, 11 + 8, kShift, u")", '0'},
      {"Z of a German layout's Y key", Qt::Key_Z, 21 + 8, kNo, u"z", 'Y'},
      {"period", Qt::Key_Period, 52 + 8, kNo, u".", VK_OEM_PERIOD},
      {"arrow keys keep their names", Qt::Key_Left, 105 + 8, kNo, u"", VK_LEFT},
  };
  for (const auto& c : cases) {
    QKeyEvent e(QEvent::KeyPress, c.key, c.modifiers, c.scanCode, 0, 0,
                QString::fromUtf16(c.text));
    EXPECT_EQ(VirtualKeyOf(e, ScanCodeSet::X11), c.vk) << c.name;
  }
  // Without a scan-code set the same event is read from its key.
  QKeyEvent dalet(QEvent::KeyPress, 0x05D3, kCtrl, 31 + 8, 0, 0, QString());
  EXPECT_EQ(VirtualKeyOf(dalet, ScanCodeSet::None), 'S');
}

TEST(KeyEdge, SystemKeysAreAltWithoutCtrlAndF10) {
  EXPECT_TRUE(IsSystemKey({'F', 8, 0}));
  EXPECT_TRUE(IsSystemKey({'F', 8 | 2, 0}));
  EXPECT_FALSE(IsSystemKey({'F', 8 | 4, 0}));
  EXPECT_TRUE(IsSystemKey({0x79, 0, 0}));
  EXPECT_FALSE(IsSystemKey({'F', 0, 'f'}));
}

// The whole road from QTest key clicks to commands, under the WordStar table.
class ProcessorWidget : public QWidget {
 public:
  ProcessorWidget() {
    setFocusPolicy(Qt::StrongFocus);
    processor.LoadTables({{"WordStar", true, {}}, {"Default", true, {}}});
  }
  TNvcCommandProcessor processor;
  std::vector<TNvcCommand> answers;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    answers.push_back(processor.TranslateKey(KeyStrokeOf(*e)));
  }
};

TEST(KeyEdge, KeyClicksDriveTheTranslator) {
  ProcessorWidget w;
  w.show();
  w.setFocus();
  QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
  QTest::keyPress(&w, Qt::Key_Shift);
  QTest::keyRelease(&w, Qt::Key_Shift);
  QTest::keyClick(&w, Qt::Key_S);
  QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, &w, Qt::Key_Percent, QStringLiteral("%"),
                      Qt::ShiftModifier);
  QTest::sendKeyEvent(QTest::Click, &w, static_cast<Qt::Key>(0x05E1), QString(),
                      Qt::ControlModifier);  // samekh sits on X
  // The modifier presses that QTest sends before each combination reach the
  // translator too: typing while idle, still waiting while a sequence pends.
  EXPECT_EQ(w.answers, (std::vector<TNvcCommand>{
                           ccNoCommand, ccWaitSecondKey,      // Ctrl, Ctrl+Q
                           ccWaitSecondKey, ccHome,           // Shift alone, S
                           ccNoCommand, ccWaitSecondKey,      // Ctrl, Ctrl+K
                           ccWaitSecondKey, ccNoSecondKey,    // Shift, Shift+5
                           ccNoCommand, ccDown}));            // Ctrl, Ctrl+samekh
}

}  // namespace
}  // namespace nuvel::platform
