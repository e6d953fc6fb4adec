#include "formats/sheim_filter_hook.h"

#include <utility>

namespace nuvel {
namespace {

TSheimFilterHook& Hook() {
  static TSheimFilterHook hook;
  return hook;
}

}  // namespace

void SetSheimFilterHook(TSheimFilterHook hook) { Hook() = std::move(hook); }

void RunSheimFilter(TDocumentText& text, int filterKind) {
  if (Hook()) Hook()(text, filterKind);
}

}  // namespace nuvel
