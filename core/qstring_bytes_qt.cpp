#include "core/qstring_bytes_qt.h"

#include <QFile>

#include "core/charset.h"

namespace nuvel {

QString FromUtf8(std::string_view bytes) { return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())); }

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

QString FromFileName(std::string_view name) { return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size()))); }

std::string ToFileName(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString FromSystemText(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (char ch : bytes) {
    const auto c = static_cast<uint8_t>(ch);
    if (IsPointedLetter(c)) {
      for (uint8_t part : PointedLetterParts(c)) out += QChar(HebUnicodeTable[part]);
    } else {
      out += QChar(HebUnicodeTable[c]);
    }
  }
  return out;
}

}  // namespace nuvel
