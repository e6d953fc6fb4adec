#pragma once
// Assigns interface texts to the components of a window, found by their
// object names: captions, hints, list items and the window's caption.
#include <QMenuBar>
#include <QObject>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "ui/interface_texts.h"

namespace nuvel {


// The component of that name under `root` (the root itself for its own
// name); document windows inside the root are not searched.
QObject* FindComponent(QObject* root, const QString& name);

// Assigns the texts in order; returns the names of the components that were
// not found or cannot take that kind of text.
std::vector<std::string> AssignTexts(QObject* root, const std::vector<ResolvedText>& texts);

// Loads the string library beside the program and assigns the list's texts;
// false, with nothing changed, when the library is missing.
bool ApplyLibraryTexts(QObject* root, const std::vector<TextAssignment>& list);

// Applies the Hebrew texts of the routine of that name (TextRoutines) to
// `window`, and turns the window right to left when the routine does; false,
// with nothing changed, without the library or for an unknown routine.
bool SetHebCaps(QWidget* window, std::string_view routine);

// Right-justifies a menu bar and orders it right to left: its first item
// sits at the right edge.
void SetMenuRightJustify(QMenuBar* menu);

}  // namespace nuvel
