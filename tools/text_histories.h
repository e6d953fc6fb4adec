#pragma once
// The typed-text histories of the find and replace dialogs and of the
// file-name prompt: string lists, newest first, that live for the whole run
// and are kept in the registry lists History_Find, History_Repl and
// History_File. There is one of each; the dialogs and the main window use
// these directly.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

using TextHistory = std::vector<std::string>;

inline constexpr std::size_t kTextHistoryMax = 20;
// A prompt's text is cut to this many characters before it is used.
inline constexpr std::size_t kPromptTextMax = 255;

extern TextHistory HistoryFind;  // find texts of both search dialogs
extern TextHistory HistoryRepl;  // replacement texts
extern TextHistory HistoryFile;  // file names opened or saved (the file-name prompt's list)

// Puts `text` at the top of `list`: an entry equal to it (without regard to
// ASCII case when `ignoreCase`) is removed first; over twenty entries, the
// last one goes.
void PutOnTop(TextHistory& list, std::string_view text, bool ignoreCase);

// PutOnTop without regard to case: the typed-text rule of the dialogs.
void AddToHistory(TextHistory& list, std::string_view text);

// What the history button gives for the current text: the entry after the
// one equal to it (without regard to case), wrapping from the last entry to
// the first; the first entry for a text not in the list; nothing for an
// empty list.
std::optional<std::string> NextHistoryEntry(const TextHistory& list, std::string_view current);

// A prompt's text as it is used: trailing NUL, LF and CR characters removed,
// then cut to 255 characters.
std::string TrimPromptText(std::string_view text);

// Replaces the three lists by their registry lists.
void LoadTextHistories();
// Writes the three lists to the registry.
void SaveTextHistories();

}  // namespace nuvel
