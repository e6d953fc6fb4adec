#pragma once
// The built program run as a process of its own on the offscreen platform,
// driven by an input script, in folders of its own: a copy of the built
// program folder, a settings folder, a home, a runtime folder (lock and
// socket of the single-instance guard) and a temporary folder, so that no
// other running copy can answer it and it touches no user's files. Messages
// it shows come back on its standard error as "nuvel: message: <text>".
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace nuvel::test {

class ProgramRun {
 public:
  // English interface and English documents.
  static constexpr char kEnglishIni[] = "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=1\r\n";

  // Folders under `root`: program, documents, config, data, home, runtime, tmp.
  explicit ProgramRun(const std::filesystem::path& root)
      : root_(root),
        program(root / "program"),
        documents(root / "documents"),
        config(root / "config"),
        data(root / "data"),
        home(root / "home"),
        runtime(root / "runtime"),
        temp(root / "tmp") {
    namespace fs = std::filesystem;
    for (const fs::path& p : {program, documents, config, data, home, runtime, temp}) fs::create_directories(p);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    fs::copy(NUVEL_PROGRAM_DIR, program, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    Write(program / "NuvelW.INI", kEnglishIni);
  }

  static void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  // Later starts run the program as another user ("nobody") when this
  // process is the superuser, through setpriv, with every folder of the run
  // handed to that user; otherwise as this user. False when that cannot be
  // arranged here.
  bool AsAnotherUser() {
    if (::geteuid() != 0) return true;
    if (::access("/usr/bin/setpriv", X_OK) != 0) return false;
    namespace fs = std::filesystem;
    // The temporary folders on the way to the run (the system's own stay as they are).
    const fs::path tmp = fs::temp_directory_path();
    for (fs::path p = root_; p != tmp && p != p.root_path(); p = p.parent_path()) {
      std::error_code ec;
      fs::permissions(p, fs::perms::others_exec | fs::perms::group_exec, fs::perm_options::add, ec);
    }
    for (const auto& entry : fs::recursive_directory_iterator(root_))
      if (::lchown(entry.path().c_str(), kOtherUser, kOtherUser) != 0) return false;
    if (::chown(root_.c_str(), kOtherUser, kOtherUser) != 0) return false;
    otherUser_ = true;
    return true;
  }
  static constexpr uid_t kOtherUser = 65534;

  // The environment the program runs in: this process's, with the run's
  // own settings, home, runtime and temporary folders.
  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(config.string()));
    env.insert("XDG_DATA_HOME", QString::fromStdString(data.string()));
    env.insert("HOME", QString::fromStdString(home.string()));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
    env.insert("TMPDIR", QString::fromStdString(temp.string()));
    return env;
  }

  // Starts the program with the script and arguments, not waiting for it.
  std::unique_ptr<QProcess> Start(const std::string& script, const QStringList& arguments,
                                  const QProcessEnvironment& extra = {}, const QString& shellScript = {}) {
    const std::filesystem::path scriptFile = root_ / ("input" + std::to_string(++starts_) + ".script");
    Write(scriptFile, script);
    if (otherUser_) ::lchown(scriptFile.c_str(), kOtherUser, kOtherUser);
    QProcessEnvironment env = Environment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("NUVEL_INPUT_SCRIPT", QString::fromStdString(scriptFile.string()));
    for (const QString& key : extra.keys()) env.insert(key, extra.value(key));
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(QString::fromStdString(documents.string()));
    const QString executable = QString::fromStdString((programFile.empty() ? program / "nuvel" : programFile).string());
    if (!shellScript.isEmpty()) {
      process->start("/bin/sh", QStringList{shellScript} + arguments);
    } else if (otherUser_) {
      process->start("/usr/bin/setpriv",
                     QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", executable} + arguments);
    } else {
      process->start(executable, arguments);
    }
    process->waitForStarted();
    return process;
  }

  // Waits for a started program: its exit code, -1 when it crashed or did
  // not end within `ms` (it is then killed). Its standard error goes to `errors`.
  int Finish(QProcess& process, int ms = 60000) {
    if (!process.waitForFinished(ms)) {
      process.kill();
      process.waitForFinished();
      errors = process.readAllStandardError().toStdString();
      return -1;
    }
    errors = process.readAllStandardError().toStdString();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }

  int Run(const std::string& script, const QStringList& arguments, const QProcessEnvironment& extra = {}) {
    auto process = Start(script, arguments, extra);
    return Finish(*process);
  }

  // Runs the program with arguments given as bytes, which need not be UTF-8
  // (a file name as the system keeps it), through a shell that passes them on
  // unchanged; as this user.
  int RunWithBytes(const std::string& script, const std::vector<std::string>& arguments) {
    std::string launcher = "exec \"$1\"";
    for (const std::string& argument : arguments) {
      launcher += " \"$(printf '";
      for (unsigned char c : argument) {
        const char octal[] = {'\\', static_cast<char>('0' + (c >> 6)), static_cast<char>('0' + ((c >> 3) & 7)),
                              static_cast<char>('0' + (c & 7)), 0};
        launcher += octal;
      }
      launcher += "')\"";
    }
    const std::filesystem::path launcherFile = root_ / "launch.sh";
    Write(launcherFile, launcher + "\n");
    auto process = Start(script, {QString::fromStdString((program / "nuvel").string())}, {},
                         QString::fromStdString(launcherFile.string()));
    return Finish(*process);
  }

  // True when the last finished run showed a message containing `text`.
  bool Told(const std::string& text) const {
    for (size_t at = errors.find("nuvel: message: "); at != std::string::npos;
         at = errors.find("nuvel: message: ", at + 1)) {
      const size_t end = errors.find("\nnuvel: ", at + 1);
      if (errors.substr(at, end == std::string::npos ? std::string::npos : end - at).find(text) != std::string::npos)
        return true;
    }
    return false;
  }

 private:
  std::filesystem::path root_;
  int starts_ = 0;
  bool otherUser_ = false;

 public:
  std::filesystem::path program, documents, config, data, home, runtime, temp;

  // What Start runs instead of the program folder's executable (an installed
  // launcher); empty: the program folder's.
  std::filesystem::path programFile;

  // The user's own INI file of the run, where its settings are written.
  std::filesystem::path UserIni() const { return config / "nuvel" / "settings" / "NuvelW.INI"; }
  std::string errors;
};

}  // namespace nuvel::test
