#include "editor/clipboard_qt.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

#include "core/conv_engine.h"
#include "core/conv_mode.h"
#include "editor/clipboard_service.h"
#include "editor/heb_text_editor.h"

namespace nuvel {
namespace {

TEST(ClipboardQt, BytesAndPlainTextGoUpTogether) {
  TClipboardCopy copy;
  copy.bytes = {'a', 0xE0, 13, 10};
  copy.unicodeText = u"a\u05D0\r\n";
  PutOnClipboard(copy);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), QString::fromUtf16(u"a\u05D0\r\n"));
  const TClipboardPaste paste = ReadClipboard();
  ASSERT_TRUE(paste.bytes.has_value());
  EXPECT_EQ(*paste.bytes, copy.bytes);
  ASSERT_TRUE(paste.unicodeText.has_value());
  EXPECT_EQ(*paste.unicodeText, copy.unicodeText);
}

TEST(ClipboardQt, UnicodeOnlyPlacesNoBytes) {
  TClipboardCopy copy;
  copy.unicodeOnly = true;
  copy.unicodeText = u"\u05D0";
  PutOnClipboard(copy);
  const TClipboardPaste paste = ReadClipboard();
  EXPECT_FALSE(paste.bytes.has_value());
  EXPECT_EQ(paste.unicodeText, std::optional<std::u16string>(u"\u05D0"));
  // Text placed by another program comes as plain text only.
  QGuiApplication::clipboard()->setText(QStringLiteral("other"));
  EXPECT_FALSE(ReadClipboard().bytes.has_value());
  EXPECT_EQ(ReadClipboard().unicodeText, std::optional<std::u16string>(u"other"));
}

// Text goes between the editor and another program's line edit in logical
// order, whichever direction the document has: the line edit shows what the
// editor showed, and a line pasted from it comes back as it went.
TEST(ClipboardQt, MixedLinesRoundTripWithALineEdit) {
  TClipboardService* before = SetClipboardService(&DesktopClipboard());
  const int mode = GetConvMode();
  SetConvMode(kConvCp1255);
  // shalom, "test 12.5", olam / "Hello", shalom, "2024/05/12"
  const QString hebrewLine = QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D test 12.5 \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D");
  const QString englishLine = QString::fromUtf8("Hello \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 2024/05/12");
  struct Case {
    bool english;
    QString line;
    std::string stored;  // the document's own bytes after the paste
  } cases[] = {
      {false, hebrewLine, "\xF9\xEC\xE5\xED 5.21 tset \xF2\xE5\xEC\xED"},
      {true, englishLine, "Hello \xED\xE5\xEC\xF9 2024/05/12"},
  };
  for (const auto& c : cases) {
    QLineEdit other;
    other.setText(c.line);
    other.selectAll();
    other.copy();
    THebTextEditor e;
    e.SetEngm(c.english);
    e.PasteFromClipboard();
    EXPECT_EQ(e.Text(), c.stored) << c.english;
    QGuiApplication::clipboard()->clear();
    e.SelectAll(true);
    ASSERT_TRUE(e.CopyToClipboard());
    QLineEdit back;
    back.paste();
    EXPECT_EQ(back.text(), c.line) << c.english;
  }
  SetConvMode(mode);
  SetClipboardService(before);
}

}  // namespace
}  // namespace nuvel
