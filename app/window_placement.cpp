#include "app/window_placement.h"

#include <algorithm>

#include "app/dialog_filter.h"
#include "app/file_name_parts.h"

namespace nuvel {

PlaceRect CascadePlace(int areaWidth, int areaHeight, int index, int step, int minWidth, int minHeight) {
  PlaceRect r;
  r.width = std::max(minWidth, areaWidth * 3 / 4);
  r.height = std::max(minHeight, areaHeight * 3 / 4);
  step = std::max(step, 1);
  // As many steps as fit before the window would leave the area, eight at most.
  const int room = std::min(areaWidth - r.width, areaHeight - r.height);
  const int steps = std::clamp(room / step + 1, 1, 8);
  const int n = std::max(index, 0) % steps;
  r.x = r.y = n * step;
  return r;
}

std::string OpenDialogFolder(std::string_view activeFileName, bool activeIsTitled, std::string_view lastFolder,
                             std::string_view home, bool (*folderExists)(const std::string&)) {
  if (activeIsTitled) {
    std::string folder(FolderOf(activeFileName));
    if (!folder.empty() && folderExists(folder)) return folder;
  }
  if (!lastFolder.empty() && folderExists(std::string(lastFolder))) return std::string(lastFolder);
  return std::string(home);
}

std::string WithAllFilesFirst(std::string_view filter) {
  std::string out = "All files (*.*)|*.*";
  for (const FilterEntry& e : ParseDialogFilter(filter)) {
    const bool all = std::any_of(e.patterns.begin(), e.patterns.end(),
                                 [](const std::string& p) { return p == "*.*" || p == "*"; });
    if (all) continue;
    out += "|" + e.text + "|";
    for (size_t i = 0; i < e.patterns.size(); ++i) out += (i ? ";" : "") + e.patterns[i];
  }
  return out;
}

PlaceRect KeepOnScreen(PlaceRect frame, PlaceRect screen) {
  frame.width = std::min(frame.width, screen.width);
  frame.height = std::min(frame.height, screen.height);
  frame.x = std::clamp(frame.x, screen.x, screen.x + screen.width - frame.width);
  frame.y = std::clamp(frame.y, screen.y, screen.y + screen.height - frame.height);
  return frame;
}

PlaceRect KeyboardPlace(int width, int height, PlaceRect screen, PlaceRect mainFrame, PlaceRect workspace) {
  PlaceRect r{mainFrame.x + (mainFrame.width - width) / 2, mainFrame.y + mainFrame.height, width, height};
  if (r.y + height > screen.y + screen.height) r.y = std::max(workspace.y, workspace.y + workspace.height - height);
  return KeepOnScreen(r, screen);
}

}  // namespace nuvel
