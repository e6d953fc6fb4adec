#pragma once
// The list behind a most-recently-used menu: names newest first, at most
// MaxItems of them, with the menu captions they get. File names compare
// exactly and keep their case.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/exceptions.h"

namespace nuvel {

enum class MruStyle { msNormal, msSplit };
enum class MruAddPosition { apAnchor = 0, apTop = 1, apBottom = 2 };

struct MruOptions {
  bool AddAccelerators = true;
  bool StripPath = false;
  bool AddSeparator = true;
};

// The divider between the two groups of a split list.
inline constexpr std::string_view kMruDivider = "-";

// What a click on an item asks of the list.
inline constexpr int kMruActionMoveToTop = 0;
inline constexpr int kMruActionRemove = 1;

// Component-library messages of the lists, raised as EMenuMRUError.
inline constexpr int kMsgMruNoMenuItem = 30400;
inline constexpr int kMsgMruInvalidAnchor = 30402;
inline constexpr int kMsgMruCallAddSplit = 30403;

class MruList {
 public:
  const std::vector<std::string>& Items() const { return items_; }
  // Replaces the items as they stand (a list read back from the store).
  void SetItems(std::vector<std::string> items) { items_ = std::move(items); }

  int MaxItems() const { return maxItems_; }
  // Values below 1 are ignored.
  void SetMaxItems(int max);

  MruStyle Style() const { return style_; }
  void SetStyle(MruStyle style) { style_ = style; }

  // Puts `name` at the top. A name already at the top changes nothing; an
  // equal name further down moves up; the oldest falls off past MaxItems.
  // Raises EMenuMRUError (30403) on a split list.
  void MRUAdd(std::string_view name);
  // The same for a split list: group 1 above the divider, group 2 below.
  // Raises EMenuMRUError (30402) for group 0 or a list that is not split.
  void MRUAddSplit(std::string_view name, int group);
  // Removes the item equal to `name`, when present.
  void MRURemove(std::string_view name);
  void MRUClear() { items_.clear(); }

  // A click on item `index` with the handler's answer: 0 moves it to the top
  // (of its group in a split list), 1 removes it, anything else keeps it.
  void ApplyClick(size_t index, int action);

 private:
  std::vector<std::string> items_;
  int maxItems_ = 4;
  MruStyle style_ = MruStyle::msNormal;
};

// Measures a caption in pixels, in the menu's font.
using TextWidthFn = std::function<int(std::string_view)>;

// `path` when maxWidth is 0 or it fits; else folders at the end of its
// folder part are dropped one by one for "/.../" until it fits or none are
// left; when even that is too wide it is cut with "..." at its end.
std::string ShortenPathToWidth(std::string_view path, int maxWidth, const TextWidthFn& width);

// The caption of item `number` (from 1): the name (only its file part with
// StripPath), shortened to maxWidth and isolated left to right (U+2066 ...
// U+2069, so that a right-to-left menu shows it as written); with
// accelerators "&1 ".."&9 " before it, "&A ".."&Z " for 10..35, and nothing
// from 36 on.
std::string MRUCaption(std::string_view name, int number, const MruOptions& options, int maxWidth,
                       const TextWidthFn& width);

// Store section of a list: "owner.name.Items", or "name.Items" without owner.
std::string MruStoreSection(std::string_view ownerName, std::string_view name);

}  // namespace nuvel
