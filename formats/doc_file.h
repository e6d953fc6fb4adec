#pragma once
// A Doc e-book: a Palm database whose record 1 describes the text, whose next
// records hold the text in pieces of 4096 bytes, plain or compressed, and
// whose last records are bookmarks. Also reads the text of eReader books
// (type "PNRD", creator "PPRS") of the kind whose record 1 is 116 or 202
// bytes long.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "formats/doc_bookmark.h"
#include "formats/palm_pdb.h"

namespace nuvel {

class EInvalidDocFile : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr uint32_t kDocRecordSize = 4096;

class TDocFile : public TPalmPDB {
 public:
  // Opens an existing e-book: header, record list, record 1 and bookmarks.
  explicit TDocFile(const std::string& FileName);
  // A new, empty e-book; nothing is written until Save.
  static TDocFile CreateNew(const std::string& FileName, bool Compressed, const std::string& Title);

  // The whole text, with CR LF line ends; sets each bookmark's Position and
  // TextDamaged.
  std::string GetText();
  // Replaces every record with Text (CR LF line ends) and the bookmarks, and
  // writes the file beside itself, renaming it over the old one when whole;
  // with a `BackupPath`, the old file becomes that backup copy first.
  // A failed save leaves both the file and this object as they were.
  void Save(std::string_view Text, const std::string& BackupPath = {});

  void AddBookmark(const std::string& Name, int64_t Position, int32_t Line, int32_t Col);
  void SetBookmark(std::size_t Index, int64_t Position, int32_t Line, int32_t Col);
  void RenameBookmark(std::size_t Index, const std::string& Name);
  void DeleteBookmark(std::size_t Index);

  // The text of record Index (from 1), decoded.
  std::string DecodeTextRecord(uint32_t Index) const;
  // As above; `damaged` is set when the record could not be decoded to its
  // end.
  std::string DecodeTextRecord(uint32_t Index, bool& damaged) const;
  static std::vector<uint8_t> CompressRecord(std::string_view Text);
  // The text of the bytes of a text record (unmasked in place for eReader).
  std::string DecodeTextBytes(std::span<uint8_t> Record, bool& damaged) const;

  bool Compressed = false;
  uint32_t TextRecordCount = 0;
  uint32_t RecordSize = kDocRecordSize;
  uint32_t Position = 0;
  std::vector<TBookmark> Bookmarks;
  bool IsEReader = false;
  bool KeepMarkup = false;
  // The text is in logical order (books of other programs, new books) or in
  // the system's storage order (its own books): told from the text when it
  // is read, and kept for writing it back.
  bool LogicalOrder = true;
  // Set by GetText when the book is damaged or cut short: the file ends
  // before its last record, a text record could not be decoded to its end,
  // or the text is not as long as record 1 gives. The text is still what
  // could be read; Damage says what was found.
  bool TextDamaged = false;
  struct TDamage {
    uint32_t badRecords = 0;      // text records that could not be decoded to their end
    uint32_t firstBadRecord = 0;  // the first of them, counted from 1 among the text records
    uint64_t readLength = 0;      // bytes of text decoded
    uint64_t declaredLength = 0;  // the length record 1 gives (0 when it gives none)
  };
  TDamage Damage;

 private:
  struct NewTag {};
  TDocFile(const std::string& FileName, bool Compressed, const std::string& Title, NewTag);
  void ReadDescription();
  uint32_t text_length_ = 0;  // the text's length as record 1 gives it
  void ReadBookmarks();
};

}  // namespace nuvel
