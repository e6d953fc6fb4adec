#pragma once
// Where document windows go and where the open dialog starts: pure rules
// over sizes and names, so that they are tested without windows.
#include <string>
#include <string_view>

namespace nuvel {

struct PlaceRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PlaceRect&) const = default;
};

// The n-th cascaded document window (from 0) in a window area of the given
// size: three quarters of the area, at least `minWidth` x `minHeight`, each
// one `step` lower and further in than the last; after eight steps, or once
// a window would leave the area, from the corner again.
PlaceRect CascadePlace(int areaWidth, int areaHeight, int index, int step, int minWidth, int minHeight);

// The folder the open dialog starts in: the active document's folder when
// it has a titled file whose folder exists, else the last folder a file was
// opened from, else the home folder.
std::string OpenDialogFolder(std::string_view activeFileName, bool activeIsTitled, std::string_view lastFolder,
                             std::string_view home, bool (*folderExists)(const std::string&));

// The open dialog's filter with "All files" first, so that it starts
// showing every file (the editor reads any file as text); the other entries
// follow in their order.
std::string WithAllFilesFirst(std::string_view filter);

// A frame kept inside an area: the main window's on the available screen, a
// document window's in the window area. The frame is cut to the area's size
// when it is larger, and its top-left corner moved so that the whole frame
// is inside.
PlaceRect KeepOnScreen(PlaceRect frame, PlaceRect screen);

// Where the on-screen keyboard of the given size first opens, in screen
// coordinates: below the main window's frame when the screen has room
// there, else over the bottom of the window area (the workspace), never
// above its top, where the menus and the toolbar are; centred on the main
// window, and on the screen.
PlaceRect KeyboardPlace(int width, int height, PlaceRect screen, PlaceRect mainFrame, PlaceRect workspace);

}  // namespace nuvel
