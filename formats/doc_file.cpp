#include "formats/doc_file.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "formats/big_endian.h"
#include "formats/ereader_markup.h"
#include "formats/palm_database_writer.h"
#include "formats/palmdoc_codec.h"

namespace nuvel {

namespace {

constexpr const char* kNotDoc = "Not a valid Doc file";
constexpr std::size_t kDescriptionSize = 16;
constexpr std::size_t kBookmarkSize = 20;
constexpr std::size_t kBookmarkNameSize = 16;
constexpr uint8_t kRecordDirty = 4;
constexpr uint32_t kUniqueIdBase = 0x6FA000;

std::string Upper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

}  // namespace

TDocFile::TDocFile(const std::string& FileName) : TPalmPDB(FileName, 1) {
  std::string type = Upper(DBType);
  std::string creator = Upper(Creator);
  if (type == "TEXT" && creator == "READ") {
    IsEReader = false;
  } else if (type == "PNRD" && creator == "PPRS") {
    IsEReader = true;
  } else {
    throw EInvalidDocFile(kNotDoc);
  }
  ReadDescription();
  if (!IsEReader) ReadBookmarks();
}

TDocFile::TDocFile(const std::string& FileName, bool Compressed, const std::string& Title, NewTag)
    : TPalmPDB(FileName, 0), Compressed(Compressed) {
  Name = Title.substr(0, 31);
  DBType = "TEXt";
  Creator = "REAd";
  Backup = true;
}

TDocFile TDocFile::CreateNew(const std::string& FileName, bool Compressed, const std::string& Title) {
  return TDocFile(FileName, Compressed, Title, NewTag{});
}

void TDocFile::ReadDescription() {
  RecordSize = kDocRecordSize;
  Position = 0;
  TextRecordCount = 0;
  Compressed = false;
  if (Records.empty()) return;  // no records: an empty text
  std::vector<uint8_t> r = ReadRecord(1);
  if (IsEReader) {
    // Only the kind whose text records are PalmDoc-coded and masked.
    if (r.size() != 116 && r.size() != 202) {
      throw EInvalidDocFile("This eReader book is of a kind that cannot be read");
    }
    Compressed = (r[1] & 2) != 0;
    uint16_t count = GetBigEndian16(r, 8);
    TextRecordCount = count > 0 ? count - 1u : 0;
  } else {
    if (r.size() < kDescriptionSize) throw EInvalidDocFile(kNotDoc);
    Compressed = (r[1] & 2) != 0;
    text_length_ = GetBigEndian32(r, 4);
    TextRecordCount = GetBigEndian16(r, 8);
    RecordSize = GetBigEndian16(r, 10);
    Position = GetBigEndian32(r, 12);
  }
  if (TextRecordCount > Records.size() - 1) throw EInvalidDocFile(kNotDoc);
}

void TDocFile::ReadBookmarks() {
  Bookmarks.clear();
  for (std::size_t index = TextRecordCount + 2; index <= Records.size(); ++index) {
    std::vector<uint8_t> r = ReadRecord(static_cast<uint32_t>(index));
    if (r.size() < kBookmarkSize) continue;  // not a bookmark: skipped
    TBookmark b;
    auto name_end = std::find(r.begin(), r.begin() + kBookmarkNameSize, uint8_t{0});
    b.Name.assign(r.begin(), name_end);
    b.Position = b.FilePosition = GetBigEndian32(r, kBookmarkNameSize);
    Bookmarks.push_back(std::move(b));
  }
}

std::string TDocFile::DecodeTextRecord(uint32_t Index) const {
  bool damaged = false;
  return DecodeTextRecord(Index, damaged);
}

std::string TDocFile::DecodeTextRecord(uint32_t Index, bool& damaged) const {
  std::vector<uint8_t> r = ReadRecord(Index);
  return DecodeTextBytes(r, damaged);
}

std::string TDocFile::DecodeTextBytes(std::span<uint8_t> r, bool& damaged) const {
  if (IsEReader) {
    for (uint8_t& b : r) b ^= 0xA5;
  }
  if (!Compressed) return std::string(r.begin(), r.end());
  return DecodePalmDocRecord(r, RecordSize, &damaged);
}

std::vector<uint8_t> TDocFile::CompressRecord(std::string_view Text) { return nuvel::CompressRecord(Text); }

std::string TDocFile::GetText() {
  std::string text;
  TextDamaged = CutShort;
  Damage = {};
  uint32_t number = 0;
  // Decodes one text record, noting a record that could not be decoded to its end.
  auto decode = [&](std::span<uint8_t> r) {
    ++number;
    bool bad = false;
    std::string piece = DecodeTextBytes(r, bad);
    if (bad) {
      if (Damage.badRecords++ == 0) Damage.firstBadRecord = number;
      TextDamaged = true;
    }
    Damage.readLength += piece.size();
    return piece;
  };
  if (IsEReader && !KeepMarkup) {
    // Markup may run across records: join them first.
    std::string joined;
    ReadRecords(2, TextRecordCount, [&](std::span<uint8_t> r) { joined += decode(r); });
    text.reserve(joined.size() + joined.size() / 16);
    CrLfAppender appender(text, Bookmarks);
    appender.Append(RemoveEReaderMarkup(joined));
    appender.Finish();
    return text;
  }
  // Record by record into the one result, which is sized from the length the
  // book gives (believed only as far as the file could hold).
  uint64_t expected = std::min<uint64_t>(text_length_, FileSize * 8);
  text.reserve(expected + expected / 16);
  CrLfAppender appender(text, Bookmarks);
  ReadRecords(2, TextRecordCount, [&](std::span<uint8_t> r) { appender.Append(decode(r)); });
  appender.Finish();
  if (!IsEReader) {
    // A book cut short inside its last record decodes without a fault but
    // gives less text than it declares; a damaged code may give more.
    Damage.declaredLength = text_length_;
    if (Damage.readLength != text_length_) TextDamaged = true;
  }
  return text;
}

void TDocFile::Save(std::string_view Text, const std::string& BackupPath) {
  std::vector<TBookmark> bookmarks = Bookmarks;
  BookmarksToFile(Text, bookmarks);
  LfPieces pieces(Text);
  // An empty text is stored as a single space.
  const bool empty = pieces.Length() == 0;
  const uint64_t length = empty ? 1 : pieces.Length();
  if (length > 0xFFFFFFFFu) throw EInvalidDocFile("The text is too long for a Doc file");
  uint64_t text_records = (length + kDocRecordSize - 1) / kDocRecordSize;
  uint64_t count = 1 + text_records + bookmarks.size();
  if (text_records > 0xFFFF || count > kPalmMaxRecords) {
    throw EInvalidDocFile("The text is too long for a Doc file");
  }

  // The new records are kept apart until the file is in place, so a failed
  // write leaves this object describing the old file.
  std::vector<TPDBRecordHeader> records;
  records.reserve(count);
  auto header = EncodeHeader(DateTimeToPalmDate(NowDateTime()), static_cast<uint32_t>(count));
  platform::AtomicWriteOptions options;
  options.backupPath = BackupPath;
  PalmDatabaseWriter writer(FileName, header, static_cast<uint32_t>(count), options);
  auto add = [&](std::span<const uint8_t> data, uint8_t flags, uint32_t unique_id) {
    TPDBRecordHeader r;
    r.Attributes = flags;
    r.UniqueID = unique_id;
    r.Size = static_cast<uint32_t>(data.size());
    r.Offset = writer.AddRecord(data, PalmEntryAttributes(flags), unique_id);
    records.push_back(std::move(r));
  };

  std::array<uint8_t, kDescriptionSize> description{};
  PutBigEndian16(description, 0, Compressed ? 2 : 1);
  PutBigEndian32(description, 4, static_cast<uint32_t>(length));
  PutBigEndian16(description, 8, static_cast<uint32_t>(text_records));
  PutBigEndian16(description, 10, kDocRecordSize);
  add(description, kRecordDirty, kUniqueIdBase + 1);

  for (uint64_t i = 0; i < text_records; ++i) {
    std::string_view piece = empty ? std::string_view(" ") : pieces.Next(kDocRecordSize);
    uint32_t unique_id = kUniqueIdBase + static_cast<uint32_t>(i) + 2;
    if (Compressed) {
      add(nuvel::CompressRecord(piece), kRecordDirty, unique_id);
    } else {
      add(std::span(reinterpret_cast<const uint8_t*>(piece.data()), piece.size()), kRecordDirty, unique_id);
    }
  }

  for (const TBookmark& b : bookmarks) {
    std::array<uint8_t, kBookmarkSize> data{};
    std::copy_n(b.Name.begin(), std::min(b.Name.size(), kBookmarkNameSize), data.begin());
    PutBigEndian32(data, kBookmarkNameSize, static_cast<uint32_t>(std::clamp<int64_t>(b.FilePosition, 0, 0xFFFFFFFF)));
    add(data, 0, 0);
  }

  FileSize = writer.Finish();
  Records = std::move(records);
  Bookmarks = std::move(bookmarks);
  NumRecords = static_cast<uint32_t>(count);
  TextRecordCount = static_cast<uint32_t>(text_records);
  text_length_ = static_cast<uint32_t>(length);
  DBType = "TEXt";
  Creator = "REAd";
  RecordSize = kDocRecordSize;
  Position = 0;
  IsEReader = false;
  Mode = 1;
  // The object now describes the file just written, whole.
  CutShort = false;
  TextDamaged = false;
  Damage = {};
}

void TDocFile::AddBookmark(const std::string& Name, int64_t Position, int32_t Line, int32_t Col) {
  TBookmark b;
  b.Name = Name;
  b.Position = b.FilePosition = Position;
  b.Line = Line;
  b.Col = Col;
  Bookmarks.push_back(std::move(b));
}

void TDocFile::SetBookmark(std::size_t Index, int64_t Position, int32_t Line, int32_t Col) {
  TBookmark& b = Bookmarks.at(Index);
  b.Position = b.FilePosition = Position;
  b.Line = Line;
  b.Col = Col;
}

void TDocFile::RenameBookmark(std::size_t Index, const std::string& Name) { Bookmarks.at(Index).Name = Name; }

void TDocFile::DeleteBookmark(std::size_t Index) {
  if (Index >= Bookmarks.size()) throw std::out_of_range("no bookmark " + std::to_string(Index));
  Bookmarks.erase(Bookmarks.begin() + static_cast<std::ptrdiff_t>(Index));
}

}  // namespace nuvel
