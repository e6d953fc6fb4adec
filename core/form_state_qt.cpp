#include "core/form_state_qt.h"

#include <QColor>
#include <QEvent>
#include <QMetaProperty>
#include <QPalette>
#include <QScreen>
#include <QVariant>
#include <charconv>
#include <cmath>
#include <vector>

#include "core/qstring_bytes_qt.h"
#include "core/exceptions.h"
#include "core/message_table.h"

namespace nuvel {
namespace {

constexpr int kMsgOnlyOnForms = 30337;

// Window placement values as the registry keeps them.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
constexpr int kShowMinNoActive = 6;
constexpr int kRestoreToMaximized = 2;


int ScreenPixelsPerInch(const QWidget* form) {
  const QScreen* screen = form ? form->screen() : nullptr;
  return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

// Four decimal numbers joined by ",".
bool ParseRect(const std::string& text, int (&out)[4]) {
  const char* p = text.data();
  const char* end = p + text.size();
  for (int i = 0; i < 4; ++i) {
    auto [next, ec] = std::from_chars(p, end, out[i]);
    if (ec != std::errc()) return false;
    p = next;
    if (i < 3) {
      if (p == end || *p != ',') return false;
      ++p;
    }
  }
  return p == end;
}

bool SameNameNoCase(const char* a, const QString& b) {
  return QString::fromLatin1(a).compare(b, Qt::CaseInsensitive) == 0;
}

int FindPropertyNoCase(const QObject* object, const QString& name) {
  const QMetaObject* meta = object->metaObject();
  for (int i = 0; i < meta->propertyCount(); ++i) {
    if (SameNameNoCase(meta->property(i).name(), name)) return i;
  }
  return -1;
}

// Writes and reads one property value as text: TNvcDataFiler.
class DataFiler {
 public:
  DataFiler(TNvcAbstractStore& store, std::string section, std::string prefix)
      : store_(store), section_(std::move(section)), prefix_(std::move(prefix)) {}

  void Write(const QObject* object, const QMetaProperty& property) {
    const std::string ident = prefix_ + property.name();
    const QVariant value = property.read(object);
    if (value.metaType().id() == QMetaType::QStringList) {
      store_.WriteString(section_, ident, "");
      const std::string listSection = section_ + "." + ident;
      store_.EraseSection(listSection);
      const QStringList items = value.toStringList();
      store_.WriteInteger(listSection, "Count", static_cast<int>(items.size()));
      for (int i = 0; i < items.size(); ++i) {
        store_.WriteString(listSection, "Item" + std::to_string(i), ToUtf8(items[i]));
      }
      return;
    }
    if (QObject* child = ChildObject(value)) {
      DataFiler nested(store_, section_, ident + ".");
      nested.WriteAll(child);
      return;
    }
    if (auto text = AsText(property, value)) store_.WriteString(section_, ident, *text);
  }

  void Read(QObject* object, const QMetaProperty& property) {
    const std::string ident = prefix_ + property.name();
    const QVariant current = property.read(object);
    if (current.metaType().id() == QMetaType::QStringList) {
      const std::string listSection = section_ + "." + ident;
      const int count = store_.ReadInteger(listSection, "Count", 0);
      if (count <= 0) return;
      QStringList items;
      for (int i = 0; i < count; ++i) {
        items.push_back(FromUtf8(store_.ReadString(listSection, "Item" + std::to_string(i), "")));
      }
      property.write(object, items);
      return;
    }
    if (QObject* child = ChildObject(current)) {
      DataFiler nested(store_, section_, ident + ".");
      nested.ReadAll(child);
      return;
    }
    const auto currentText = AsText(property, current);
    if (!currentText || !property.isWritable()) return;
    const std::string text = store_.ReadString(section_, ident, *currentText);
    if (auto value = FromText(property, current, text)) property.write(object, *value);
  }

  void WriteAll(const QObject* object) {
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
      Write(object, meta->property(i));
    }
  }
  void ReadAll(QObject* object) {
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
      Read(object, meta->property(i));
    }
  }

 private:
  static QObject* ChildObject(const QVariant& value) {
    if (!(value.metaType().flags() & QMetaType::PointerToQObject)) return nullptr;
    return value.value<QObject*>();
  }

  static std::optional<std::string> AsText(const QMetaProperty& property, const QVariant& value) {
    if (property.isEnumType()) {
      const QMetaEnum e = property.enumerator();
      const int n = value.toInt();
      if (property.isFlagType()) {
        std::string text = "[";
        bool first = true;
        for (int k = 0; k < e.keyCount(); ++k) {
          const int bit = e.value(k);
          if (bit != 0 && (n & bit) == bit) {
            if (!first) text += ",";
            text += e.key(k);
            first = false;
          }
        }
        return text + "]";
      }
      const char* key = e.valueToKey(n);
      return key ? std::optional<std::string>(key) : std::nullopt;
    }
    switch (value.metaType().id()) {
      case QMetaType::Bool:
        return std::string(value.toBool() ? "True" : "False");
      case QMetaType::Int:
      case QMetaType::UInt:
      case QMetaType::Short:
      case QMetaType::UShort:
      case QMetaType::Long:
      case QMetaType::LongLong:
        return std::to_string(value.toLongLong());
      case QMetaType::ULong:
      case QMetaType::ULongLong:
        return std::to_string(value.toULongLong());
      case QMetaType::Double:
        return ToUtf8(QString::number(value.toDouble(), 'g', 15));
      case QMetaType::Float:
        return ToUtf8(QString::number(value.toFloat(), 'g', 7));
      case QMetaType::QChar:
        return ToUtf8(QString(value.toChar()));
      case QMetaType::Char:
        return std::string(1, value.value<char>());
      case QMetaType::QString:
        return ToUtf8(value.toString());
      default:
        // Method and other kinds of property are neither written nor read.
        return std::nullopt;
    }
  }

  static std::optional<QVariant> FromText(const QMetaProperty& property, const QVariant& current,
                                          const std::string& text) {
    if (property.isEnumType()) {
      const QMetaEnum e = property.enumerator();
      if (property.isFlagType()) {
        int bits = 0;
        QString members = FromUtf8(text);
        for (QChar& c : members) {
          if (c == '[' || c == ']' || c == ',') c = ' ';
        }
        for (const QString& member : members.split(' ', Qt::SkipEmptyParts)) {
          for (int k = 0; k < e.keyCount(); ++k) {
            if (SameNameNoCase(e.key(k), member)) bits |= e.value(k);
          }
        }
        return QVariant(bits);
      }
      for (int k = 0; k < e.keyCount(); ++k) {
        if (SameNameNoCase(e.key(k), FromUtf8(text))) return QVariant(e.value(k));
      }
      return std::nullopt;
    }
    switch (current.metaType().id()) {
      case QMetaType::Bool:
        if (SameNameNoCase("True", FromUtf8(text))) return QVariant(true);
        if (SameNameNoCase("False", FromUtf8(text))) return QVariant(false);
        return std::nullopt;
      case QMetaType::Int:
      case QMetaType::UInt:
      case QMetaType::Short:
      case QMetaType::UShort:
      case QMetaType::Long:
      case QMetaType::LongLong:
      case QMetaType::ULong:
      case QMetaType::ULongLong: {
        long long n = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (ec != std::errc() || end != text.data() + text.size()) n = 0;
        QVariant v(n);
        v.convert(current.metaType());
        return v;
      }
      case QMetaType::Double:
      case QMetaType::Float: {
        bool ok = false;
        const double d = FromUtf8(text).toDouble(&ok);
        if (!ok) return std::nullopt;
        QVariant v(d);
        v.convert(current.metaType());
        return v;
      }
      case QMetaType::QChar:
        return text.empty() ? std::nullopt : std::optional<QVariant>(QVariant(FromUtf8(text).at(0)));
      case QMetaType::Char:
        return text.empty() ? std::nullopt
                            : std::optional<QVariant>(QVariant::fromValue<char>(text[0]));
      case QMetaType::QString:
        return QVariant(FromUtf8(text));
      default:
        return std::nullopt;
    }
  }

  TNvcAbstractStore& store_;
  std::string section_;
  std::string prefix_;
};

}  // namespace

// ---------------------------------------------------------------- state base

TNvcAbstractState::TNvcAbstractState(QObject* form) : QObject(form) {
  auto* widget = qobject_cast<QWidget*>(form);
  if (!widget) throw ENvcException(GetLibraryString(kMsgOnlyOnForms));
  form_ = widget;
  widget->installEventFilter(this);
}

TNvcAbstractState::~TNvcAbstractState() {
  if (form_) form_->removeEventFilter(this);
}

std::string TNvcAbstractState::Section() const {
  if (!section_.empty() || !form_) return section_;
  return form_->metaObject()->className();
}

void TNvcAbstractState::FormCreated() {
  if (restored_ || !active_) return;
  RestoreState();
  restored_ = true;
  if (OnRestoreState) OnRestoreState(this);
}

void TNvcAbstractState::SaveNow() {
  if (active_ && restored_) {
    SaveState();
    if (OnSaveState) OnSaveState(this);
  }
  saved_ = true;
}

void TNvcAbstractState::FormCloseQuery() {
  if (!active_ || !form_) return;
  SaveNow();
}

void TNvcAbstractState::FormDestroying() {
  if (active_ && !saved_ && form_) SaveNow();
}

bool TNvcAbstractState::eventFilter(QObject* watched, QEvent* event) {
  if (watched == form_) {
    if (event->type() == QEvent::Show && !restored_) FormCreated();
    if (event->type() == QEvent::Close) FormCloseQuery();
  }
  return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------- form state

TNvcFormState::TNvcFormState(QObject* form) : TNvcAbstractState(form) {}

void TNvcFormState::SaveState() {
  TNvcAbstractStore* store = Storage();
  QWidget* form = Form();
  if (!store || !form) return;
  const std::string section = Section();
  store->Open();
  const bool minimized = form->isMinimized();
  const bool maximized = (form->windowState() & Qt::WindowMaximized) != 0;
  store->WriteInteger(section, "Flags", minimized && maximized ? kRestoreToMaximized : 0);
  store->WriteInteger(section, "ShowCmd",
                      minimized ? kShowMinimized : maximized ? kShowMaximized : kShowNormal);
  QRect normal = form->normalGeometry();
  if (!normal.isValid()) normal = form->geometry();
  store->WriteString(section, "NormalPos",
                     std::to_string(normal.left()) + "," + std::to_string(normal.top()) + "," +
                         std::to_string(normal.left() + normal.width()) + "," +
                         std::to_string(normal.top() + normal.height()));
  store->WriteInteger(section, "PixelsPerInch", ScreenPixelsPerInch(form));
  if (options_ & fsDefaultMonitor) {
    const QScreen* screen = form->screen();
    store->WriteString(section, "DefaultMonitor", screen ? ToUtf8(screen->name()) : "");
  }
  if (options_ & fsColor) {
    store->WriteString(section, "Color", ToUtf8(form->palette().color(QPalette::Window).name()));
  }
  if (options_ & fsActiveControl) {
    const QWidget* focus = form->focusWidget();
    store->WriteString(section, "ActiveControl",
                       focus && form->isAncestorOf(focus) ? ToUtf8(focus->objectName()) : "");
  }
  store->Close();
}

void TNvcFormState::RestoreState() {
  TNvcAbstractStore* store = Storage();
  QWidget* form = Form();
  if (!store || !form || !(options_ & (fsState | fsPosition))) return;
  const std::string section = Section();
  store->Open();
  const int screenPpi = ScreenPixelsPerInch(form);
  // Placement saved at another resolution would put the form astray.
  if (store->ReadInteger(section, "PixelsPerInch", screenPpi) != screenPpi) {
    store->Close();
    return;
  }
  if (options_ & fsPosition) {
    int r[4];
    if (ParseRect(store->ReadString(section, "NormalPos", ""), r) && r[0] < r[2]) {
      const bool sizeable = form->minimumSize() != form->maximumSize();
      if (!(options_ & fsNoSize) && sizeable) {
        form->setGeometry(r[0], r[1], r[2] - r[0], r[3] - r[1]);
      } else {
        // The saved corner is the one of the window's inside, as for the
        // sized placement above, not of its frame.
        form->setGeometry(r[0], r[1], form->width(), form->height());
      }
    }
  }
  if (options_ & fsState) {
    const int show = store->ReadInteger(section, "ShowCmd", -1);
    Qt::WindowStates state = form->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (show == kShowMinimized || show == kShowMinNoActive) {
      state |= Qt::WindowMinimized;
    } else if (show == kShowMaximized) {
      state |= Qt::WindowMaximized;
    }
    if (show != -1) form->setWindowState(state);
  }
  if (options_ & fsColor) {
    const QColor color(FromUtf8(store->ReadString(section, "Color", "")));
    if (color.isValid()) {
      QPalette palette = form->palette();
      palette.setColor(QPalette::Window, color);
      form->setPalette(palette);
    }
  }
  if (options_ & fsActiveControl) {
    const QString name = FromUtf8(store->ReadString(section, "ActiveControl", ""));
    auto* control = name.isEmpty() ? nullptr : form->findChild<QWidget*>(name);
    if (control && control->isEnabled() && control->focusPolicy() != Qt::NoFocus) {
      control->setFocus();
    }
  }
  store->Close();
}

// ----------------------------------------------------------- component state

TNvcComponentState::TNvcComponentState(QObject* form) : TNvcAbstractState(form) {}

QObject* TNvcComponentState::FindComponent(const QString& name) const {
  QWidget* form = Form();
  if (!form) return nullptr;
  if (form->objectName() == name) return form;
  return form->findChild<QObject*>(name);
}

void TNvcComponentState::SetStoredProperties(const QStringList& paths) {
  stored_.clear();
  for (const QString& path : paths) {
    const QString name = path.section('.', 0, 0);
    QObject* component = FindComponent(name);
    if (!component) continue;
    stored_.push_back(path);
    // A component that goes away takes its entries with it.
    connect(component, &QObject::destroyed, this, [this, name] {
      stored_.removeIf([&name](const QString& p) { return p.section('.', 0, 0) == name; });
    });
  }
}

namespace {

// Runs `use` with a filer on each stored "Component.Property" path whose
// component (looked up by `find`) and property are still there; the store
// is open meanwhile.
template <class Find, class Use>
void ForEachStoredProperty(TNvcAbstractStore& store, const std::string& section, const QStringList& stored,
                           Find find, Use use) {
  store.Open();
  for (const QString& path : stored) {
    const QString name = path.section('.', 0, 0);
    QObject* component = find(name);
    if (!component) continue;
    const int index = FindPropertyNoCase(component, path.section('.', 1));
    if (index < 0) continue;
    DataFiler filer(store, section, ToUtf8(name) + ".");
    use(filer, component, component->metaObject()->property(index));
  }
  store.Close();
}

}  // namespace

void TNvcComponentState::SaveState() {
  TNvcAbstractStore* store = Storage();
  if (!store) return;
  ForEachStoredProperty(
      *store, Section(), stored_, [this](const QString& name) { return FindComponent(name); },
      [](DataFiler& filer, QObject* component, const QMetaProperty& property) { filer.Write(component, property); });
}

void TNvcComponentState::RestoreState() {
  TNvcAbstractStore* store = Storage();
  if (!store) return;
  ForEachStoredProperty(
      *store, Section(), stored_, [this](const QString& name) { return FindComponent(name); },
      [](DataFiler& filer, QObject* component, const QMetaProperty& property) { filer.Read(component, property); });
}

}  // namespace nuvel
