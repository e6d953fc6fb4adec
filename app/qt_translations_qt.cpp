#include "app/qt_translations_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/shared_state.h"

namespace nuvel {

QTranslator* InstallQtHebrewTexts(QObject* owner) {
  auto* translator = new QTranslator(owner);
  const bool found =
      translator->load(QStringLiteral("qtbase_he"), QString::fromStdString(ProgPath) + QStringLiteral("translations")) ||
      translator->load(QStringLiteral("qtbase_he"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (!found) {
    delete translator;
    return nullptr;
  }
  // With Qt's Hebrew texts the whole interface reads right to left.
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace nuvel
