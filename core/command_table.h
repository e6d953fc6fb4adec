#pragma once
// A command table: an ordered list of entries, each mapping one key or a
// two-key sequence, each key with its shift byte, to a command number.
#include <cstdint>
#include <string>
#include <vector>

#include "core/command_numbers.h"

namespace nuvel {

// Shift2 value meaning: the second key with no modifier or with Ctrl alone.
inline constexpr uint8_t kShiftEither = 0x80;

struct TNvcCommandEntry {
  uint8_t Key1 = 0;    // virtual-key code of the first key
  uint8_t Shift1 = 0;  // shift byte: 2 Shift, 4 Ctrl, 8 Alt
  uint8_t Key2 = 0;    // second key, 0 for a one-key command
  uint8_t Shift2 = 0;  // shift byte of the second key, or kShiftEither
  TNvcCommand Command = ccNone;

  // Two entries are the same entry when their four key bytes are equal.
  bool SameKeys(const TNvcCommandEntry& other) const { return PackedKeys() == other.PackedKeys(); }
  // The four key bytes in one number: Key1 lowest, then Shift1, Key2, Shift2.
  uint32_t PackedKeys() const {
    return uint32_t{Key1} | uint32_t{Shift1} << 8 | uint32_t{Key2} << 16 | uint32_t{Shift2} << 24;
  }
  static TNvcCommandEntry FromPacked(uint32_t keys, TNvcCommand command) {
    return {static_cast<uint8_t>(keys), static_cast<uint8_t>(keys >> 8),
            static_cast<uint8_t>(keys >> 16), static_cast<uint8_t>(keys >> 24), command};
  }

  friend bool operator==(const TNvcCommandEntry&, const TNvcCommandEntry&) = default;
};

class TNvcCommandTable {
 public:
  TNvcCommandTable();
  explicit TNvcCommandTable(std::string name, bool isActive = true);

  const std::string& TableName() const { return name_; }
  void SetTableName(std::string name) { name_ = std::move(name); }
  bool IsActive() const { return active_; }
  void SetIsActive(bool value) { active_ = value; }

  // Indexes out of range raise ETableNotFound.
  void Add(const TNvcCommandEntry& entry);
  void Insert(int index, const TNvcCommandEntry& entry);
  void Delete(int index);
  void Replace(int index, const TNvcCommandEntry& entry);
  const TNvcCommandEntry& GetEntry(int index) const;
  // First entry with the same four key bytes, or -1.
  int IndexOf(const TNvcCommandEntry& entry) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  void Clear() { entries_.clear(); }

  const std::vector<TNvcCommandEntry>& Entries() const { return entries_; }

 private:
  void CheckIndex(int index, int limit) const;

  std::string name_;
  bool active_ = true;
  std::vector<TNvcCommandEntry> entries_;
};

}  // namespace nuvel
