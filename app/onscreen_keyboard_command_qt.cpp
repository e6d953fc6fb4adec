#include "app/onscreen_keyboard_command_qt.h"

#include <QAction>
#include <QMdiArea>
#include <QPointer>
#include <QScreen>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_state_store.h"
#include "app/window_placement.h"
#include "editor/editor_widget_qt.h"
#include "editor/heb_text_editor.h"
#include "ui/interface_texts_qt.h"
#include "ui/onscreen_keyboard_qt.h"

namespace nuvel {

TKey_Form* OnScreenKeyboardOf(TMainForm& form) {
  // A closed keyboard may wait for its deletion; it is no longer there.
  for (TKey_Form* k : form.findChildren<TKey_Form*>(QStringLiteral("Key_Form"), Qt::FindDirectChildrenOnly))
    if (k->isVisible()) return k;
  return nullptr;
}

void AttachOnScreenKeyboard(MainCommands& commands, TMainForm& form, DocumentWindows& docs) {
  commands.On("OnscreenKeyboard1", [&form, &docs] {
    QAction* item = form.Item(QStringLiteral("OnscreenKeyboard1"));
    if (TKey_Form* shown = OnScreenKeyboardOf(form)) {
      shown->close();
      return;
    }
    OnScreenKeyboardTarget target;
    QPointer<DocumentWindows> alive(&docs);
    target.editor = [alive]() -> THebTextEditor* {
      // The document last active: the keyboard's own window may hold the
      // activation for a moment without taking it from the document.
      TMDIChild* c = alive ? qobject_cast<TMDIChild*>(alive->Area()->currentSubWindow()) : nullptr;
      return c ? dynamic_cast<THebTextEditor*>(&c->CurrentEditor()->Editor()) : nullptr;
    };
    target.keyTypeChanged = [&form](TKeytype type) { form.CheckKeyboardItem(KeytypeLetter(type)); };
    target.closed = [item] {
      if (item) item->setChecked(false);
    };
    target.store = &ProgramStateStore();
    auto* keyboard = new TKey_Form(target, &form);
    keyboard->setAttribute(Qt::WA_DeleteOnClose);
    if (!form.Options.EnglishUI) SetHebCaps(keyboard, "SetHebCaps_Key_Form");
    if (item) item->setChecked(true);
    // Off the menus and the toolbar, until the user puts it elsewhere.
    keyboard->adjustSize();
    const QRect frame = form.frameGeometry();
    const QRect area(docs.Area()->mapToGlobal(QPoint(0, 0)), docs.Area()->size());
    const QRect screen = form.screen() ? form.screen()->availableGeometry() : frame;
    const PlaceRect at = KeyboardPlace(keyboard->width(), keyboard->height(),
                                       {screen.x(), screen.y(), screen.width(), screen.height()},
                                       {frame.x(), frame.y(), frame.width(), frame.height()},
                                       {area.x(), area.y(), area.width(), area.height()});
    keyboard->move(at.x, at.y);
    keyboard->show();
    keyboard->FollowEditor();
  });
}

}  // namespace nuvel
