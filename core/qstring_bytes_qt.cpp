#include "core/qstring_bytes_qt.h"

#include <QFile>

#include <algorithm>

#include "core/charset.h"
#include "core/message_texts.h"

namespace nuvel {

QString FromUtf8(std::string_view bytes) { return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())); }

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

QString FromFileName(std::string_view name) { return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size()))); }

std::string ToFileName(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString FromSystemBytes(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) out += QChar(HebUnicodeTable[static_cast<uint8_t>(c)]);
  return out;
}

std::string ToSystemBytes(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) out.push_back(static_cast<char>(UnicodeToHebChar(c.unicode())));
  return out;
}

QString FromSystemText(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<uint8_t>(bytes[i]);
    if (bytes[i] == kFileNameBegin) {
      // A file name: the file system's bytes, isolated left to right.
      const size_t end = std::min(bytes.find(kFileNameEnd, i + 1), bytes.size());
      out += QChar(0x2066);
      out += FromFileName(bytes.substr(i + 1, end - i - 1));
      out += QChar(0x2069);
      i = end;
      continue;
    }
    if (IsPointedLetter(c)) {
      for (uint8_t part : PointedLetterParts(c)) out += QChar(HebUnicodeTable[part]);
    } else {
      out += QChar(HebUnicodeTable[c]);
    }
  }
  return out;
}

std::string ToSystemText(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) out += static_cast<char>(UnicodeToHebChar(c.unicode()));
  return out;
}

}  // namespace nuvel
