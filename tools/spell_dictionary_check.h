#pragma once
// The check of the main spell dictionaries made at start-up: cheap, from each
// file's size and index only, so that a dictionary cut short or replaced by
// other bytes is told before the speller is first used.
#include <string>
#include <vector>

#include "tools/spell_engine.h"

namespace nuvel {

// One line for each damaged main dictionary of `files` (the English one, the
// Hebrew one's rule file and each dictionary of a class it names, or the
// Hebrew .DIC itself without a rule file), naming the file and why. A
// missing file is left for the speller to tell when it is used. Each file
// named is noted as told.
std::vector<std::string> SpellDictionaryProblems(const TSpellFiles& files);

// The line that names a damaged dictionary file and why.
std::string SpellDamageLine(const std::string& path, const std::string& reason);

// True the first time it is asked about `path` in this run: its damage is
// told once, at start-up or when the speller first opens it.
bool FirstTellingOfSpellDamage(const std::string& path);

}  // namespace nuvel
