#pragma once
// What the program checks once at start-up and tells the user in one
// message, while it still starts: its data files (the string library and the
// conversion tables) missing or damaged, and a settings folder it cannot
// write.
#include <string>
#include <vector>

namespace nuvel {

// One line for each of the program's data files in the program folder that
// is missing or damaged, naming the file and what goes without it.
std::vector<std::string> DataFileProblems();

// The message for the problems found: the data files' lines, with
// `moreDataFiles` (lines of the same kind about the data files of the layers
// above) after them, under one heading, then the settings folder when it
// cannot be written. Empty when there are none.
std::string StartUpProblemsMessage(const std::vector<std::string>& moreDataFiles = {});

}  // namespace nuvel
