#pragma once
// The phrase dictionary's phrases: strings of the string library, the count
// at id 46724 as decimal text and the phrases at the ids after it, one a
// string. An entry begins with the words typed to find it; what follows
// its first blank is the phrase that is inserted.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

namespace platform {
class StringLibrary;
}

inline constexpr uint16_t kPhraseCountId = 46724;

// The phrases of `library` (null: none), sorted as the search list needs
// them and without duplicates. A count that is no decimal number, or is 0
// or below, gives none; an id the library lacks adds nothing; each phrase
// holds at most 149 characters.
std::vector<std::string> LoadPhrases(const platform::StringLibrary* library);

// What choosing `entry` inserts into a document: the text after its first
// blank (the whole entry when it has none), trimmed of blanks, in the
// document's storage order: in an English document the Hebrew runs are
// reversed, in a Hebrew document the Latin runs.
std::string PhraseToInsert(std::string_view entry, bool englishDocument);

}  // namespace nuvel
