// Program entry.
#include <QApplication>

#include "app/main_form_qt.h"
#include "app/temporary_document_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "app/message_sink_qt.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Nuvel Text Editor");
  nuvel::QtMessageSink message_sink;

  nuvel::InitSharedState();
  // An unknown program folder has been reported by InitStartUp; the program ends.
  if (!nuvel::InitStartUp()) return 1;

  nuvel::TMainForm form;
  // One document to type in until the document windows come.
  nuvel::OpenTemporaryDocument(form);
  form.ShowByState();
  return QApplication::exec();
}
