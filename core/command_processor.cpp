#include "core/command_processor.h"

#include <charconv>

#include "core/builtin_command_tables.h"
#include "core/exceptions.h"
#include "platform/ascii_case.h"
#include "platform/virtual_keys.h"

namespace nuvel {

namespace {

std::unique_ptr<TNvcCommandTable> BuiltInTable(std::string_view name, bool isActive) {
  auto table = std::make_unique<TNvcCommandTable>(std::string(name), isActive);
  for (const auto& entry : BuiltInEntriesFor(name)) table->Add(entry);
  return table;
}

bool IsLoneModifier(uint8_t key) {
  using namespace platform;
  return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_CAPITAL ||
         key == VK_NUMLOCK || key == VK_SCROLL;
}

}  // namespace

TNvcCommandProcessor::TNvcCommandProcessor() {
  tables_.push_back(BuiltInTable(DefaultTableName(), true));
  tables_.push_back(BuiltInTable(WordStarTableName(), false));
  tables_.push_back(BuiltInTable(GridTableName(), false));
  ResetState();
}

TNvcCommandProcessor::~TNvcCommandProcessor() = default;

void TNvcCommandProcessor::AddCommand(std::string_view tableName, uint8_t key1, uint8_t shift1,
                                      uint8_t key2, uint8_t shift2, TNvcCommand command) {
  TNvcCommandTable* table = GetTableByName(tableName);
  if (table == nullptr) throw ETableNotFound();
  TNvcCommandEntry entry{key1, shift1, key2, shift2, command};
  if (table->IndexOf(entry) >= 0) throw EDuplicateCommand();
  table->Add(entry);
}

int TNvcCommandProcessor::CreateCommandTable(std::string_view tableName, bool isActive) {
  return AddTable(std::make_unique<TNvcCommandTable>(std::string(tableName), isActive));
}

TNvcCommandTable& TNvcCommandProcessor::GetTable(int index) {
  if (index < 0 || index >= Count()) throw ETableNotFound();
  return *tables_[static_cast<size_t>(index)];
}

const TNvcCommandTable& TNvcCommandProcessor::GetTable(int index) const {
  if (index < 0 || index >= Count()) throw ETableNotFound();
  return *tables_[static_cast<size_t>(index)];
}

TNvcCommandTable* TNvcCommandProcessor::GetTableByName(std::string_view name) {
  for (auto& table : tables_) {
    if (platform::EqualsNoCase(table->TableName(), name)) return table.get();
  }
  return nullptr;
}

const TNvcCommandTable* TNvcCommandProcessor::GetTableByName(std::string_view name) const {
  for (const auto& table : tables_) {
    if (platform::EqualsNoCase(table->TableName(), name)) return table.get();
  }
  return nullptr;
}

void TNvcCommandProcessor::ResetState() {
  state_ = TState::Idle;
  firstKey_ = 0;
  firstShift_ = 0;
}

TNvcCommand TNvcCommandProcessor::TranslateKey(const platform::KeyStroke& key) {
  return Translate(static_cast<uint8_t>(key.VirtualKey & 0xFF), key.Shift);
}

TNvcCommand TNvcCommandProcessor::TranslateKeyShift(uint16_t key,
                                                    const platform::TShiftState& shift) {
  return Translate(static_cast<uint8_t>(key & 0xFF), platform::ShiftByte(shift));
}

TNvcCommand TNvcCommandProcessor::PeekKey(const platform::KeyStroke& key) {
  const TState state = state_;
  const uint8_t firstKey = firstKey_;
  const uint8_t firstShift = firstShift_;
  const TNvcCommand answer = TranslateKey(key);
  state_ = state;
  firstKey_ = firstKey;
  firstShift_ = firstShift;
  return answer;
}

TNvcCommand TNvcCommandProcessor::Translate(uint8_t key, uint8_t shift) {
  // A modifier pressed on its own neither completes nor cancels a sequence.
  if (IsLoneModifier(key)) {
    return state_ == TState::WaitSecondKey ? ccWaitSecondKey : ccNoCommand;
  }
  if (state_ == TState::Literal) {
    state_ = TState::Idle;
    return ccNoCommand;
  }
  // Every table is searched in the state the translation started in, so a
  // table that answers 0 does not change how the next one is searched.
  const TState start = state_;
  for (const auto& table : tables_) {
    if (!table->IsActive()) continue;
    TNvcCommand result = ccNone;
    for (const auto& e : table->Entries()) {
      if (start == TState::Idle) {
        if (e.Key1 != key || e.Shift1 != shift) continue;
        if (e.Key2 != 0) {
          state_ = TState::WaitSecondKey;
          firstKey_ = key;
          firstShift_ = shift;
          result = ccWaitSecondKey;
        } else {
          result = e.Command;
          if (result == ccCtrlChar) state_ = TState::Literal;
        }
        break;
      }
      if (e.Key1 != firstKey_ || e.Shift1 != firstShift_ || e.Key2 != key) continue;
      const bool shiftMatches =
          e.Shift2 == shift ||
          (e.Shift2 == kShiftEither && (shift == 0 || shift == platform::kShiftBitCtrl));
      if (!shiftMatches) continue;
      result = e.Command;
      state_ = result == ccCtrlChar ? TState::Literal : TState::Idle;
      break;
    }
    if (result != ccNone) return result;
  }
  const TNvcCommand answer = start == TState::WaitSecondKey ? ccNoSecondKey : ccNoCommand;
  ResetState();
  return answer;
}

std::string TNvcCommandProcessor::UniqueTableName(const std::string& name) const {
  if (GetTableByName(name) == nullptr) return name;
  size_t cut = name.size();
  while (cut > 1 && name[cut - 1] >= '0' && name[cut - 1] <= '9') --cut;
  const std::string base = name.substr(0, cut);
  for (unsigned n = 1;; ++n) {
    char digits[12];
    auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    std::string candidate = base + std::string(digits, end);
    if (GetTableByName(candidate) == nullptr) return candidate;
  }
}

int TNvcCommandProcessor::AddTable(std::unique_ptr<TNvcCommandTable> table) {
  table->SetTableName(UniqueTableName(table->TableName()));
  tables_.push_back(std::move(table));
  return Count() - 1;
}

std::vector<TNvcStoredTable> TNvcCommandProcessor::StoreTables() const {
  std::vector<TNvcStoredTable> stored;
  for (const auto& table : tables_) {
    TNvcStoredTable out{table->TableName(), table->IsActive(), {}};
    const auto builtIn = BuiltInEntriesFor(table->TableName());
    if (builtIn.empty()) {
      for (const auto& e : table->Entries()) out.Pairs.push_back({e.PackedKeys(), e.Command});
    } else {
      for (const auto& b : builtIn) {
        if (table->IndexOf(b) < 0) out.Pairs.push_back({b.PackedKeys(), ccNone});
      }
      for (const auto& e : table->Entries()) {
        bool copy = false;
        for (const auto& b : builtIn) copy = copy || b == e;
        if (!copy) out.Pairs.push_back({e.PackedKeys(), e.Command});
      }
    }
    stored.push_back(std::move(out));
  }
  return stored;
}

void TNvcCommandProcessor::LoadTables(const std::vector<TNvcStoredTable>& stored) {
  tables_.clear();
  ResetState();
  for (const auto& in : stored) {
    auto table = std::make_unique<TNvcCommandTable>(in.TableName, in.IsActive);
    const auto builtIn = BuiltInEntriesFor(in.TableName);
    if (builtIn.empty()) {
      for (const auto& p : in.Pairs) table->Add(TNvcCommandEntry::FromPacked(p.Keys, p.Command));
    } else {
      for (const auto& b : builtIn) table->Add(b);
      for (const auto& p : in.Pairs) {
        const auto entry = TNvcCommandEntry::FromPacked(p.Keys, p.Command);
        const int at = table->IndexOf(entry);
        if (at < 0) {
          table->Add(entry);
        } else if (p.Command != ccNone) {
          table->Replace(at, entry);
        } else {
          table->Delete(at);
        }
      }
    }
    AddTable(std::move(table));
  }
}

}  // namespace nuvel
