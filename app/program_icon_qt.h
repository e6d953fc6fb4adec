#pragma once
// The program's icon, drawn at start-up: the letter nun in white on a blue
// square, in the sizes window frames and task bars ask for.
#include <QIcon>

namespace nuvel {

QIcon ProgramIcon();

}  // namespace nuvel
