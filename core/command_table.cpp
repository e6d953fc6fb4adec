#include "core/command_table.h"

#include "core/exceptions.h"
#include "core/message_table.h"

namespace nuvel {

// The name a new table gets until it is given one.
TNvcCommandTable::TNvcCommandTable() : name_(GetLibraryString(30277)) {}

TNvcCommandTable::TNvcCommandTable(std::string name, bool isActive)
    : name_(std::move(name)), active_(isActive) {}

void TNvcCommandTable::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) throw ETableNotFound();
}

void TNvcCommandTable::Add(const TNvcCommandEntry& entry) { entries_.push_back(entry); }

void TNvcCommandTable::Insert(int index, const TNvcCommandEntry& entry) {
  CheckIndex(index, Count() + 1);
  entries_.insert(entries_.begin() + index, entry);
}

void TNvcCommandTable::Delete(int index) {
  CheckIndex(index, Count());
  entries_.erase(entries_.begin() + index);
}

void TNvcCommandTable::Replace(int index, const TNvcCommandEntry& entry) {
  CheckIndex(index, Count());
  entries_[static_cast<size_t>(index)] = entry;
}

const TNvcCommandEntry& TNvcCommandTable::GetEntry(int index) const {
  CheckIndex(index, Count());
  return entries_[static_cast<size_t>(index)];
}

int TNvcCommandTable::IndexOf(const TNvcCommandEntry& entry) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].SameKeys(entry)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace nuvel
