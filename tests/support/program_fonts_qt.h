#pragma once
// Loads the program's own font files from the built program folder into
// Qt's font database, once per test program.
#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace nuvel::test {

// True when all four files loaded.
inline bool LoadProgramFonts() {
  static const bool loaded = [] {
    bool ok = true;
    for (const char* file : {"NuvDosBt.FON", "Scr_Nuvh.TTF", "Scr_NuvF.TTF", "Scr_NuvC.TTF"}) {
      const QString path = QString::fromUtf8(NUVEL_PROGRAM_DIR) + "/" + file;
      ok = QFontDatabase::addApplicationFont(path) >= 0 && ok;
    }
    return ok;
  }();
  return loaded;
}

}  // namespace nuvel::test
