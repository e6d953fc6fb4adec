#include "filemanager/file_viewers_qt.h"

#include <algorithm>

#include "core/fixed_font_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "core/state_store.h"

namespace nuvel {

namespace {
TFileViewers* g_viewers = nullptr;
}  // namespace

TFileViewers* ProgramFileViewers() { return g_viewers; }
void SetProgramFileViewers(TFileViewers* viewers) { g_viewers = viewers; }

TFileViewers::TFileViewers(TViewFormHost host, QObject* parent) : QObject(parent), host_(std::move(host)) {
  if (host_.store == nullptr) {
    store_ = std::make_unique<TNvcRegistryStore>();
    store_->SetKeyName("Software\\Marvek Ila\\NuvelText");
    host_.store = store_.get();
  }
}

TFileViewers::~TFileViewers() {
  // Windows still shown go first: their placement is written to the store.
  for (const QPointer<TViewForm>& w : windows_) delete w.data();
  if (g_viewers == this) g_viewers = nullptr;
}

TViewForm* TFileViewers::View(const std::string& path) {
  TViewFormHost host = host_;
  // Only the latest window's showing and going count for the Window menu.
  auto latest = std::make_shared<TViewForm*>(nullptr);
  host.shownChanged = [this, latest](bool shown) {
    if (*latest == latest_.data() && host_.shownChanged) host_.shownChanged(shown);
  };
  auto* form = new TViewForm(host);
  *latest = form;
  latest_ = form;
  windows_.erase(std::remove(windows_.begin(), windows_.end(), nullptr), windows_.end());
  windows_.emplace_back(form);
  form->SetEnglishFile(ReadIniBool("GENPREFS", "ENG_FILE"));
  if (!EngPrompts) form->SetHebCaps();
  form->Viewer()->FixedFont().Assign(FixedFonts(1));
  form->show();
  form->Guarded([&] { form->Open(path); });
  return form;
}

void TFileViewers::ShowLatest() {
  if (!latest_) return;
  latest_->show();
  latest_->raise();
  latest_->activateWindow();
}

}  // namespace nuvel
