#include "formats/ebook_damage_text.h"

#include "core/file_messages.h"
#include "core/message_texts.h"

namespace nuvel {

std::string EbookDamageText(const std::string& fileName, const TDocFile& book) {
  if (!book.TextDamaged) return {};
  const TDocFile::TDamage& d = book.Damage;
  std::string what;
  auto add = [&what](const std::string& part) { what += (what.empty() ? "" : "; ") + part; };
  if (book.CutShort) add(FileMessageFormat(FileMessage::EbookCutShort));
  const std::string records = GroupedNumber(book.TextRecordCount);
  if (d.badRecords == 1) {
    add(FileMessageText(FileMessage::EbookBadRecord, {GroupedNumber(d.firstBadRecord), records}));
  } else if (d.badRecords > 1) {
    add(FileMessageText(FileMessage::EbookBadRecords,
                        {GroupedNumber(d.badRecords), records, GroupedNumber(d.firstBadRecord)}));
  }
  if (!book.IsEReader && d.readLength != d.declaredLength) {
    add(FileMessageText(FileMessage::EbookTextLength, {GroupedNumber(d.readLength), GroupedNumber(d.declaredLength)}));
  }
  return FileMessageText(FileMessage::EbookDamaged, {FileNameInMessage(fileName), what});
}

}  // namespace nuvel
