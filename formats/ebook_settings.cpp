#include "formats/ebook_settings.h"

#include "core/settings.h"
#include "formats/palm_desktop.h"

namespace nuvel {

namespace {

constexpr std::string_view kSubkey = "Palm";

// A switch reads as stored; a missing one is on only with the desktop.
bool ReadSwitch(std::string_view name, bool desktop) {
  const std::string value = ReadRegString(kSubkey, name);
  if (value == kNotFound) return desktop;
  return value != "0";
}

std::string FolderOf(const std::string& name) {
  const auto slash = name.find_last_of('/');
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

}  // namespace

TSettings::TSettings(std::string FileName, const TUserData* Desktop) : FileName(std::move(FileName)) { Load(Desktop); }

void TSettings::Load(const TUserData* Desktop) {
  DesktopFound = Desktop != nullptr;
  DefaultDirectory = ReadRegString(kSubkey, "DefaultDirectory");
  if (DefaultDirectory == kNotFound) DefaultDirectory = FolderOf(FileName);
  DocCheckDirectory = ReadRegString(kSubkey, "DocCheckDirectory");
  if (DocCheckDirectory == kNotFound) {
    DocCheckDirectory.clear();
    if (Desktop && Desktop->Count() > 0 && !Desktop->DesktopPath().empty())
      DocCheckDirectory = Desktop->DesktopPath() + "/" + Desktop->UserFolder(0) + "/Backup";
  }
  BookmarkScan = ReadSwitch("BookmarkScan", DesktopFound);
  // Registering as an add-on means nothing without the desktop.
  IntegrateWithDesktop = DesktopFound && ReadSwitch("IntegrateWithDesktop", true);
  ShowPeanutCodes = ReadSwitch("ShowPeanutCodes", DesktopFound);
}

void TSettings::Save() const {
  WriteRegString(kSubkey, "DefaultDirectory", DefaultDirectory);
  WriteRegString(kSubkey, "BookmarkScan", BookmarkScan ? "1" : "0");
  WriteRegString(kSubkey, "IntegrateWithDesktop", IntegrateWithDesktop ? "1" : "0");
}

}  // namespace nuvel
