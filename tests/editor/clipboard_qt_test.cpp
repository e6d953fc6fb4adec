#include "editor/clipboard_qt.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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

}  // namespace
}  // namespace nuvel
