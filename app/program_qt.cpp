#include "app/program_qt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "app/document_windows_qt.h"
#include "app/file_managers_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_documents_qt.h"
#include "app/main_form_qt.h"
#include "app/program_icon_qt.h"
#include "app/single_instance_qt.h"
#include "app/startup_file.h"
#include "core/conv_mode.h"
#include "core/message_texts.h"
#include "core/start_up_checks.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "platform/unfinished_save.h"
#include "tools/spell_dictionary_check.h"
#include "tools/text_histories.h"

namespace nuvel {

std::unique_ptr<QWidget> CreateSplashForm() {
  auto splash = std::make_unique<QWidget>(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  splash->setObjectName(QStringLiteral("NuvelTxtSplash"));
  splash->setWindowTitle(QStringLiteral("Nuvel Text"));
  splash->setFixedSize(300, 328);
  auto* layout = new QVBoxLayout(splash.get());
  auto* name = new QLabel(QStringLiteral("Nuvel Text Editor"), splash.get());
  name->setObjectName(QStringLiteral("NameLabel"));
  QFont f(QStringLiteral("DejaVu Sans"), 22);
  f.setBold(true);
  f.setItalic(true);
  name->setFont(f);
  name->setStyleSheet(QStringLiteral("color: blue"));
  name->setAlignment(Qt::AlignCenter);
  name->setWordWrap(true);
  layout->addWidget(name);
  return splash;
}

namespace {

// Ends the message loop once the main window has closed, whatever other
// top-level windows (a file manager window, a tool) are still shown: the
// program is its main window.
class QuitWithMainWindow : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Close) {
      auto* window = static_cast<QWidget*>(watched);
      // After the close handler: a close the window refused keeps it shown.
      QTimer::singleShot(0, this, [window] {
        if (!window->isVisible()) QCoreApplication::exit(0);
      });
    }
    return false;
  }
};

}  // namespace

Program::Program() = default;

Program::~Program() {
  // The document windows report to the main window's parts while they go.
  form_.reset();
}

TFMForm* Program::FileForm1() const { return fileManagers_ ? fileManagers_->First() : nullptr; }

TFMForm* Program::FileForm2() const { return fileManagers_ ? fileManagers_->Second() : nullptr; }

bool Program::Start(const std::vector<std::string>& arguments, std::unique_ptr<SingleInstanceGuard> guard) {
  guard_ = std::move(guard);
  const std::string argument = arguments.size() > 1 ? arguments[1] : std::string();
  if (guard_ && !guard_->IsFirst()) {
    // Another copy runs: it gets the file of this start and comes forward.
    // When it does not answer (stopped, or gone), this start runs on its own.
    QByteArray file;
    if (auto name = StartupFileArgument(argument, CurrentFolder())) file = QByteArray::fromStdString(*name);
    if (guard_->HandOff(file)) return false;
  }

  InitSharedState();
  // An unknown program folder has been reported by InitStartUp; the program ends.
  if (!InitStartUp()) {
    exitCode_ = 1;
    return false;
  }
  LoadConvMode();
  LoadTextHistories();
  // What saves of killed runs put together in the system's temporary folder
  // (for files in folders they could not write) goes, except a copy that
  // holds a file's only good text until its user has been asked about it.
  platform::SweepTemporaryFiles(platform::SystemTempFolder(), platform::UnfinishedSaveFolder());

  QApplication::setWindowIcon(ProgramIcon());
  splash_ = CreateSplashForm();
  splash_->show();
  QApplication::setApplicationDisplayName(QStringLiteral("Nuvel Text Editor"));

  form_ = std::make_unique<TMainForm>();
  form_->installEventFilter(new QuitWithMainWindow(form_.get()));
  {
    // The menus are refreshed once, when every command is in place.
    MainCommands::Batch batch(*form_->Commands);
    docs_ = AttachDocumentWindows(*form_);
    if (guard_) {
      QObject::connect(guard_.get(), &SingleInstanceGuard::SecondInstance, form_.get(),
                       [form = form_.get()](const QByteArray& file) { form->SecondInstance(file.toStdString()); });
    }
    form_->SetCommandLineArgument(argument);

    // The file manager windows: the first one, shown when it was showing at
    // the last end, and a second one when the settings ask for it.
    fileManagers_ = AttachFileManagers(*form_, *docs_);
    fileManagers_->StartUp();
  }

  form_->ShowByState();
  // The splash goes when the main window is up and the loop runs.
  QTimer::singleShot(0, form_.get(), [this] { splash_.reset(); });
  return true;
}

void Program::ReportStartUpProblems() {
  if (!form_) return;
  if (std::string problems = StartUpProblemsMessage(SpellDictionaryProblems(SpellFilesFromSettings()));
      !problems.empty()) {
    QTimer::singleShot(0, form_.get(), [problems = std::move(problems)] {
      MessageDlg(problems, MsgDlgType::Warning, platform::mbOK);
    });
  }
}

}  // namespace nuvel
