#pragma once
// The command processor: an ordered list of named command tables and the key
// translator that turns key presses into command numbers, remembering the
// first key of a two-key sequence between presses.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/command_table.h"
#include "platform/key_stroke.h"

namespace nuvel {

// One table as stored with its form: the name, whether it is active, and
// pairs of packed keys (TNvcCommandEntry::PackedKeys) and command. Tables
// named "Default", "WordStar" or "Grid" hold only their differences from the
// built-in table of that name: a pair with command 0 removes a built-in entry.
struct TNvcStoredPair {
  uint32_t Keys = 0;
  TNvcCommand Command = ccNone;
  friend bool operator==(const TNvcStoredPair&, const TNvcStoredPair&) = default;
};

struct TNvcStoredTable {
  std::string TableName;
  bool IsActive = true;
  std::vector<TNvcStoredPair> Pairs;
  friend bool operator==(const TNvcStoredTable&, const TNvcStoredTable&) = default;
};

class TNvcCommandProcessor {
 public:
  // State of the translator between key presses.
  enum class TState : uint8_t { Idle = 0, WaitSecondKey = 1, Literal = 2 };

  // Starts with "Default" (active), "WordStar" and "Grid" (inactive).
  TNvcCommandProcessor();
  virtual ~TNvcCommandProcessor();
  TNvcCommandProcessor(const TNvcCommandProcessor&) = delete;
  TNvcCommandProcessor& operator=(const TNvcCommandProcessor&) = delete;

  // Appends an entry to the table of that name (without case). Raises
  // ETableNotFound for no such table and EDuplicateCommand when an entry with
  // the same keys is there; the table is then unchanged.
  void AddCommand(std::string_view tableName, uint8_t key1, uint8_t shift1, uint8_t key2,
                  uint8_t shift2, TNvcCommand command);
  // Adds an empty table under a unique name; returns its index.
  int CreateCommandTable(std::string_view tableName, bool isActive);

  // Raises ETableNotFound for an index out of range.
  TNvcCommandTable& GetTable(int index);
  const TNvcCommandTable& GetTable(int index) const;
  // The table of that name (without case), or null.
  TNvcCommandTable* GetTableByName(std::string_view name);
  const TNvcCommandTable* GetTableByName(std::string_view name) const;
  int Count() const { return static_cast<int>(tables_.size()); }

  // Back to no pending sequence.
  void ResetState();
  TState State() const { return state_; }

  // The command of a key press: the virtual key's low byte with the shift
  // byte taken when the key went down. Answers ccNoCommand (typing),
  // ccWaitSecondKey (first key of a sequence) or ccNoSecondKey (a second
  // key that matched nothing) when no table gives a command.
  TNvcCommand TranslateKey(const platform::KeyStroke& key);
  // The same for a key and a shift state (Shift 2, Ctrl 4, Alt 8).
  TNvcCommand TranslateKeyShift(uint16_t key, const platform::TShiftState& shift);
  // What TranslateKey would answer, leaving the pending sequence as it is.
  TNvcCommand PeekKey(const platform::KeyStroke& key);

  // Reads a table from a text file and adds it, active, under a unique name.
  // Raises an input/output error for a missing file or a bad number; nothing
  // is added then.
  virtual void LoadCommandTable(const std::string& fileName);
  // Writes the named table to a text file; nothing happens when no table has
  // that name. Raises an input/output error when the file cannot be written.
  virtual void SaveCommandTable(std::string_view tableName, const std::string& fileName);

  // The tables as they are stored with a form, built-in ones as differences.
  std::vector<TNvcStoredTable> StoreTables() const;
  // Replaces every table by the stored ones (in their order).
  void LoadTables(const std::vector<TNvcStoredTable>& stored);

 private:
  TNvcCommand Translate(uint8_t key, uint8_t shift);
  // Adds a table, renaming it when its name is taken; returns its index.
  int AddTable(std::unique_ptr<TNvcCommandTable> table);
  std::string UniqueTableName(const std::string& name) const;

  std::vector<std::unique_ptr<TNvcCommandTable>> tables_;
  TState state_ = TState::Idle;
  uint8_t firstKey_ = 0;
  uint8_t firstShift_ = 0;
};

}  // namespace nuvel
