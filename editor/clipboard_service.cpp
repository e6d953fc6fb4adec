#include "editor/clipboard_service.h"

namespace nuvel {
namespace {

TClipboardService* g_service = nullptr;

}  // namespace

TClipboardService* SetClipboardService(TClipboardService* service) {
  TClipboardService* before = g_service;
  g_service = service;
  return before;
}

TClipboardService* CurrentClipboardService() { return g_service; }

}  // namespace nuvel
