#pragma once
// The program's file view windows. Each view of a file makes a new window;
// the latest one is remembered, and the main window's Window menu lists it
// while it is shown.
#include <QObject>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "filemanager/view_form_qt.h"

namespace nuvel {

class TNvcRegistryStore;

class TFileViewers : public QObject {
  Q_OBJECT
 public:
  // `host.shownChanged` is called by this object; the one given is told too.
  explicit TFileViewers(TViewFormHost host, QObject* parent = nullptr);
  ~TFileViewers() override;

  // The file manager's View: a new window for `path`, its find text English
  // as [GENPREFS] ENG_FILE says, its texts Hebrew with the Hebrew interface,
  // its font the first global fixed font; the file opened and the window
  // shown. An error of opening is shown and the window stays.
  TViewForm* View(const std::string& path);
  // The latest window, while it exists.
  TViewForm* Latest() const { return latest_; }
  // The Window menu's entry: shows and raises the latest window.
  void ShowLatest();

 private:
  TViewFormHost host_;
  std::unique_ptr<TNvcRegistryStore> store_;
  QPointer<TViewForm> latest_;
  std::vector<QPointer<TViewForm>> windows_;
};

// The program's file viewers once the main window set them up (null before).
TFileViewers* ProgramFileViewers();
void SetProgramFileViewers(TFileViewers* viewers);

}  // namespace nuvel
