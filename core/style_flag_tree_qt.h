#pragma once
// The drag-image control style: widgets that carry it show the image of a
// drag in progress over themselves. Windows that accept dropped files mark
// themselves and all their controls at creation.
class QWidget;

namespace nuvel {

// Name of the widget property that carries the style.
inline constexpr const char* kDisplayDragImageProperty = "displayDragImage";

// Adds the drag-image style to `control` and, when `recursive`, to every
// widget below it.
void SetStyleFlagTree(QWidget* control, bool recursive);

// True when `control` carries the drag-image style.
bool DisplaysDragImage(const QWidget* control);

}  // namespace nuvel
