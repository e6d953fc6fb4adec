#include "core/form_state_qt.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QWidget>
#include <memory>

#include "core/exceptions.h"
#include "core/menu_mru_qt.h"
#include "core/state_store.h"
#include "platform/registry_store.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// A store in memory, to look at exactly what the components write.
class MemoryStore : public TNvcAbstractStore {
 public:
  std::string ReadString(std::string_view section, std::string_view ident,
                         std::string_view def) override {
    auto s = sections.find(std::string(section));
    if (s == sections.end()) return std::string(def);
    auto v = s->second.find(std::string(ident));
    return v == s->second.end() ? std::string(def) : v->second;
  }
  void WriteString(std::string_view section, std::string_view ident,
                   std::string_view value) override {
    sections[std::string(section)][std::string(ident)] = std::string(value);
  }
  void EraseSection(std::string_view section) override { sections.erase(std::string(section)); }

  std::map<std::string, std::map<std::string, std::string>> sections;
};

// A component with one property of each kind the state store keeps.
class Sample : public QObject {
  Q_OBJECT
  Q_PROPERTY(int Count MEMBER count)
  Q_PROPERTY(bool Flag MEMBER flag)
  Q_PROPERTY(QString Caption MEMBER caption)
  Q_PROPERTY(double Ratio MEMBER ratio)
  Q_PROPERTY(QChar Letter MEMBER letter)
  Q_PROPERTY(Mode Kind MEMBER kind)
  Q_PROPERTY(Styles Style READ GetStyle WRITE SetStyle)
  Q_PROPERTY(QStringList Lines MEMBER lines)
  Q_PROPERTY(QObject* Inner MEMBER inner)

 public:
  enum Mode { mdFirst, mdSecond, mdThird };
  Q_ENUM(Mode)
  enum Style { stBold = 1, stItalic = 2, stUnder = 4 };
  Q_DECLARE_FLAGS(Styles, Style)
  Q_FLAG(Styles)

  using QObject::QObject;
  Styles GetStyle() const { return style; }
  void SetStyle(Styles s) { style = s; }

  int count = 0;
  bool flag = false;
  QString caption;
  double ratio = 0;
  QChar letter = 'a';
  Mode kind = mdFirst;
  Styles style;
  QStringList lines;
  QObject* inner = nullptr;
};

class Inner : public QObject {
  Q_OBJECT
  Q_PROPERTY(int Depth MEMBER depth)

 public:
  using QObject::QObject;
  int depth = 0;
};

TEST(FormState, OnlyOnForms) {
  QObject notAForm;
  try {
    TNvcFormState state(&notAForm);
    FAIL() << "must raise";
  } catch (const ENvcException& e) {
    EXPECT_STREQ(e.what(), "This component can only be used on forms");
  }
}

TEST(FormState, PlacementRoundTrips) {
  MemoryStore store;
  {
    QWidget form;
    TNvcFormState state(&form);
    state.SetStorage(&store);
    state.SetSection("TextSearch");
    form.setGeometry(30, 40, 320, 200);
    state.SaveState();
  }
  auto& values = store.sections["TextSearch"];
  EXPECT_EQ(values["Flags"], "0");
  EXPECT_EQ(values["ShowCmd"], "1");
  EXPECT_EQ(values["NormalPos"], "30,40,350,240");
  EXPECT_FALSE(values["PixelsPerInch"].empty());
  EXPECT_EQ(values.count("Color"), 0u);

  QWidget form;
  TNvcFormState state(&form);
  state.SetStorage(&store);
  state.SetSection("TextSearch");
  state.FormCreated();
  EXPECT_TRUE(state.Restored());
  EXPECT_EQ(form.geometry(), QRect(30, 40, 320, 200));
}

TEST(FormState, PlacementInTheRegistry) {
  test::TempProgramFolder folder;
  TNvcRegistryStore store;
  store.SetKeyName("Software\\Marvek Ila\\NuvelText");
  {
    QWidget form;
    TNvcFormState state(&form);
    state.SetStorage(&store);
    state.SetSection("3.55\\FViewer");
    form.setGeometry(11, 22, 333, 244);
    form.setWindowState(Qt::WindowMaximized);
    state.SaveState();
  }
  platform::RegistryStore registry;
  const std::string key = "Software\\Marvek Ila\\NuvelText\\3.55\\FViewer";
  EXPECT_EQ(registry.ReadString(key, "ShowCmd"), "3");
  EXPECT_EQ(registry.ReadString(key, "NormalPos"), "11,22,344,266");

  QWidget form;
  TNvcFormState state(&form);
  state.SetStorage(&store);
  state.SetSection("3.55\\FViewer");
  state.RestoreState();
  EXPECT_EQ(form.windowState(), Qt::WindowMaximized);
  EXPECT_EQ(form.normalGeometry(), QRect(11, 22, 333, 244));
}

TEST(FormState, ShowCommandsAndOptions) {
  struct Case {
    std::string showCmd;
    unsigned options;
    bool fixedSize;
    Qt::WindowStates state;
    QRect geometry;
  };
  const QRect start(5, 6, 100, 80);
  const Case cases[] = {
      {"3", TNvcFormState::fsState | TNvcFormState::fsPosition, false, Qt::WindowMaximized,
       QRect(10, 20, 300, 200)},
      {"2", TNvcFormState::fsState, false, Qt::WindowMinimized, start},
      {"6", TNvcFormState::fsState, false, Qt::WindowMinimized, start},
      {"9", TNvcFormState::fsState | TNvcFormState::fsPosition, false, Qt::WindowNoState,
       QRect(10, 20, 300, 200)},
      // Without size, or on a form of fixed size, the form only moves.
      {"1", TNvcFormState::fsPosition | TNvcFormState::fsNoSize, false, Qt::WindowNoState,
       QRect(10, 20, 100, 80)},
      {"1", TNvcFormState::fsPosition, true, Qt::WindowNoState, QRect(10, 20, 100, 80)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.showCmd);
    MemoryStore store;
    QWidget probe;
    store.sections["F"] = {{"ShowCmd", c.showCmd},
                           {"NormalPos", "10,20,310,220"},
                           {"PixelsPerInch", "0"}};
    {
      // The stored resolution must be the screen's.
      TNvcFormState s(&probe);
      s.SetStorage(&store);
      s.SetSection("F");
      s.SaveState();
      const std::string ppi = store.sections["F"]["PixelsPerInch"];
      store.sections["F"] = {{"ShowCmd", c.showCmd},
                             {"NormalPos", "10,20,310,220"},
                             {"PixelsPerInch", ppi}};
    }
    QWidget form;
    form.setGeometry(start);
    if (c.fixedSize) form.setFixedSize(start.size());
    TNvcFormState state(&form);
    state.SetOptions(c.options);
    state.SetStorage(&store);
    state.SetSection("F");
    state.RestoreState();
    EXPECT_EQ(form.windowState(), c.state);
    EXPECT_EQ(form.geometry(), c.geometry);
  }
}

TEST(FormState, OtherResolutionRestoresNothing) {
  MemoryStore store;
  store.sections["F"] = {{"ShowCmd", "3"}, {"NormalPos", "1,2,300,400"}, {"PixelsPerInch", "1"}};
  QWidget form;
  form.setGeometry(5, 6, 100, 80);
  TNvcFormState state(&form);
  state.SetStorage(&store);
  state.SetSection("F");
  state.RestoreState();
  EXPECT_EQ(form.geometry(), QRect(5, 6, 100, 80));
  EXPECT_EQ(form.windowState(), Qt::WindowNoState);
}

TEST(FormState, SectionDefaultsToTheFormClassAndCloseSaves) {
  MemoryStore store;
  QWidget form;
  TNvcFormState state(&form);
  state.SetStorage(&store);
  EXPECT_EQ(state.Section(), "QWidget");
  int saves = 0;
  state.OnSaveState = [&](TNvcAbstractState*) { ++saves; };
  form.show();  // first show restores
  EXPECT_TRUE(state.Restored());
  form.close();
  EXPECT_TRUE(state.Saved());
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(store.sections["QWidget"]["ShowCmd"], "1");
}

TEST(FormState, OptionalValues) {
  MemoryStore store;
  QWidget form;
  auto* button = new QPushButton(&form);
  button->setObjectName("OkBtn");
  QPalette palette = form.palette();
  palette.setColor(QPalette::Window, QColor("#102030"));
  form.setPalette(palette);
  TNvcFormState state(&form);
  state.SetOptions(TNvcFormState::fsPosition | TNvcFormState::fsColor |
                   TNvcFormState::fsActiveControl | TNvcFormState::fsDefaultMonitor);
  state.SetStorage(&store);
  state.SetSection("F");
  state.SaveState();
  EXPECT_EQ(store.sections["F"]["Color"], "#102030");
  EXPECT_EQ(store.sections["F"].count("DefaultMonitor"), 1u);

  store.sections["F"]["Color"] = "#405060";
  QWidget other;
  TNvcFormState restore(&other);
  restore.SetOptions(TNvcFormState::fsPosition | TNvcFormState::fsColor);
  restore.SetStorage(&store);
  restore.SetSection("F");
  restore.RestoreState();
  EXPECT_EQ(other.palette().color(QPalette::Window), QColor("#405060"));
}

TEST(ComponentState, PropertiesRoundTripByKind) {
  MemoryStore store;
  QWidget form;
  auto* sample = new Sample(&form);
  sample->setObjectName("Sample1");
  auto* inner = new Inner(&form);
  sample->count = -12;
  sample->flag = true;
  sample->caption = "Hello";
  sample->ratio = 2.5;
  sample->letter = 'Z';
  sample->kind = Sample::mdThird;
  sample->style = Sample::Styles(Sample::stBold) | Sample::stUnder;
  sample->lines = {"one", "two"};
  sample->inner = inner;
  inner->depth = 7;

  TNvcComponentState state(&form);
  state.SetStorage(&store);
  state.SetSection("S");
  state.SetStoredProperties({"Sample1.count", "Sample1.Flag", "Sample1.Caption", "Sample1.Ratio",
                             "Sample1.Letter", "Sample1.Kind", "Sample1.Style", "Sample1.Lines",
                             "Sample1.Inner", "Missing.Count"});
  EXPECT_EQ(state.StoredProperties().size(), 9);
  state.SaveState();
  auto& v = store.sections["S"];
  EXPECT_EQ(v["Sample1.Count"], "-12");
  EXPECT_EQ(v["Sample1.Flag"], "True");
  EXPECT_EQ(v["Sample1.Caption"], "Hello");
  EXPECT_EQ(v["Sample1.Ratio"], "2.5");
  EXPECT_EQ(v["Sample1.Letter"], "Z");
  EXPECT_EQ(v["Sample1.Kind"], "mdThird");
  EXPECT_EQ(v["Sample1.Style"], "[stBold,stUnder]");
  EXPECT_EQ(v["Sample1.Lines"], "");
  EXPECT_EQ(v["Sample1.Inner.Depth"], "7");
  EXPECT_EQ(store.sections["S.Sample1.Lines"]["Count"], "2");
  EXPECT_EQ(store.sections["S.Sample1.Lines"]["Item1"], "two");

  // Reading back into fresh values; text that names nothing leaves a value.
  sample->count = 3;
  sample->flag = false;
  sample->caption.clear();
  sample->ratio = 0;
  sample->letter = 'a';
  sample->kind = Sample::mdFirst;
  sample->style = {};
  sample->lines.clear();
  inner->depth = 0;
  v["Sample1.Kind"] = "MDSECOND";
  v["Sample1.Style"] = "[ stItalic , nothing]";
  v["Sample1.Count"] = "12x";
  state.RestoreState();
  EXPECT_EQ(sample->count, 0);
  EXPECT_TRUE(sample->flag);
  EXPECT_EQ(sample->caption, "Hello");
  EXPECT_DOUBLE_EQ(sample->ratio, 2.5);
  EXPECT_EQ(sample->letter, QChar('Z'));
  EXPECT_EQ(sample->kind, Sample::mdSecond);
  EXPECT_EQ(sample->style, Sample::Styles(Sample::stItalic));
  EXPECT_EQ(sample->lines, (QStringList{"one", "two"}));
  EXPECT_EQ(inner->depth, 7);
}

TEST(ComponentState, RemovedComponentsLeaveTheList) {
  QWidget form;
  auto* first = new Sample(&form);
  first->setObjectName("First");
  auto* second = new Sample(&form);
  second->setObjectName("Second");
  TNvcComponentState state(&form);
  state.SetStoredProperties({"First.Count", "Second.Count", "First.Caption"});
  delete first;
  EXPECT_EQ(state.StoredProperties(), QStringList{"Second.Count"});
}

TEST(ComponentState, AbsentValuesLeavePropertiesAlone) {
  MemoryStore store;
  QWidget form;
  auto* sample = new Sample(&form);
  sample->setObjectName("Sample1");
  sample->count = 5;
  sample->lines = {"keep"};
  TNvcComponentState state(&form);
  state.SetStorage(&store);
  state.SetSection("S");
  state.SetStoredProperties({"Sample1.Count", "Sample1.Lines"});
  state.RestoreState();
  EXPECT_EQ(sample->count, 5);
  EXPECT_EQ(sample->lines, QStringList{"keep"});
}

// The main window keeps its reopen list in the registry under "3.55".
TEST(ComponentState, MenuListsInTheRegistry) {
  test::TempProgramFolder folder;
  TNvcRegistryStore store;
  store.SetKeyName("Software\\Marvek Ila\\NuvelText");
  QWidget form;
  form.setObjectName("MainForm");
  auto* reopen = new TNvcMenuMRU(&form);
  reopen->setObjectName("ReopenMRU");
  reopen->SetMaxItems(18);
  TNvcComponentState state(&form);
  state.SetStorage(&store);
  state.SetSection("3.55\\");
  state.SetStoredProperties({"ReopenMRU.Items"});

  for (const char* name : {"/a", "/b", "/c"}) reopen->MRUAdd(name);
  state.SaveState();
  reopen->MRUClear();
  reopen->MRUAdd("/only");
  state.SaveState();

  platform::RegistryStore registry;
  const std::string key = "Software\\Marvek Ila\\NuvelText\\3.55\\.ReopenMRU.Items";
  EXPECT_EQ(registry.ReadString(key, "Count"), "1");
  EXPECT_EQ(registry.ReadString(key, "Item0"), "/only");
  EXPECT_FALSE(registry.ValueExists(key, "Item1"));

  reopen->MRUClear();
  state.RestoreState();
  EXPECT_EQ(reopen->ItemsList(), QStringList{"/only"});
}

}  // namespace
}  // namespace nuvel

#include "form_state_qt_test.moc"
