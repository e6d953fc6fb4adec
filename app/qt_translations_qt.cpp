#include "app/qt_translations_qt.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/shared_state.h"

namespace nuvel {

bool InstallQtHebrewTexts() {
  static QTranslator* installed = nullptr;
  if (installed) return true;
  auto* translator = new QTranslator(QCoreApplication::instance());
  const bool found =
      translator->load(QStringLiteral("qtbase_he"), QString::fromStdString(ProgPath) + QStringLiteral("translations")) ||
      translator->load(QStringLiteral("qtbase_he"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (!found) {
    delete translator;
    return false;
  }
  // The main window keeps its own layout (its menus are made right to left
  // where they need it); the Hebrew texts must not turn the whole window.
  QGuiApplication::setLayoutDirection(QGuiApplication::layoutDirection());
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

}  // namespace nuvel
