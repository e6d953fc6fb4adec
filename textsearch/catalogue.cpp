#include "textsearch/catalogue.h"

#include <map>

#include "core/charset.h"

namespace nuvel {

namespace {

// The system's bytes of a name written here in UTF-8 (Hebrew letters,
// ASCII blanks, hyphens and double quotes).
std::string Heb(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto b = static_cast<uint8_t>(utf8[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
    } else if ((b & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      const auto c = static_cast<char16_t>(((b & 0x1F) << 6) | (static_cast<uint8_t>(utf8[++i]) & 0x3F));
      out.push_back(static_cast<char>(UnicodeToHebChar(c)));
    }
  }
  return out;
}

struct Name {
  const char* english;
  const char* hebrew;
};

// English names that differ from the file-name stem, and the Hebrew name of
// every book, order, tractate and part, by stem.
const std::map<std::string_view, Name>& Names() {
  static const std::map<std::string_view, Name> names = {
      // Tanach
      {"Bereishis", {nullptr, "בראשית"}}, {"Shemos", {nullptr, "שמות"}}, {"Vayikro", {nullptr, "ויקרא"}},
      {"Bamidbor", {nullptr, "במדבר"}}, {"Devorim", {nullptr, "דברים"}}, {"Yehoshua", {nullptr, "יהושע"}},
      {"Shofetim", {nullptr, "שופטים"}}, {"Shmuel", {nullptr, "שמואל"}}, {"Melochim", {nullptr, "מלכים"}},
      {"Yeshayohu", {nullptr, "ישעיהו"}}, {"Yirmiyohu", {nullptr, "ירמיהו"}}, {"Yechezkel", {nullptr, "יחזקאל"}},
      {"TreiOsor", {nullptr, "תרי עשר"}}, {"Doniel", {nullptr, "דניאל"}},
      {"EzraNechemia", {"Ezra-Nechemia", "עזרא-נחמיה"}}, {"DivreiHayomim", {"Divrei Hayomim", "דברי הימים"}},
      {"5Megillos", {"5 Megillos", "חמש מגילות"}}, {"Iyov", {nullptr, "איוב"}}, {"Mishlei", {nullptr, "משלי"}},
      {"Tehillim", {nullptr, "תהלים"}},
      // Orders
      {"Zeroim", {nullptr, "זרעים"}}, {"Moed", {nullptr, "מועד"}}, {"Noshim", {nullptr, "נשים"}},
      {"Nezikin", {nullptr, "נזיקין"}}, {"Kodshim", {nullptr, "קדשים"}}, {"Taharos", {nullptr, "טהרות"}},
      // Tractates
      {"Brochos", {nullptr, "ברכות"}}, {"Peioh", {nullptr, "פאה"}}, {"Demai", {nullptr, "דמאי"}},
      {"Kilayim", {nullptr, "כלאים"}}, {"Sheviis", {nullptr, "שביעית"}}, {"Terumos", {nullptr, "תרומות"}},
      {"Maaseros", {nullptr, "מעשרות"}}, {"MaaserSheini", {"Maaser Sheini", "מעשר שני"}},
      {"Challoh", {nullptr, "חלה"}}, {"Orloh", {nullptr, "ערלה"}}, {"Bikkurim", {nullptr, "ביכורים"}},
      {"Shabbos", {nullptr, "שבת"}}, {"Eiruvin", {nullptr, "עירובין"}}, {"Pesochm", {"Pesochim", "פסחים"}},
      {"Sheklm", {"Shekolim", "שקלים"}}, {"RoshHsh", {"Rosh Hashonoh", "ראש השנה"}}, {"Yoma", {nullptr, "יומא"}},
      {"Succah", {"Succoh", "סוכה"}}, {"Beitzoh", {nullptr, "ביצה"}}, {"Taanis", {nullptr, "תענית"}},
      {"Megillah", {nullptr, "מגילה"}}, {"MoedKtn", {"Moed Kotton", "מועד קטן"}}, {"Chagigah", {nullptr, "חגיגה"}},
      {"Yevomos", {nullptr, "יבמות"}}, {"Kesuvos", {nullptr, "כתובות"}}, {"Nedorim", {nullptr, "נדרים"}},
      {"Nozir", {nullptr, "נזיר"}}, {"Sotoh", {nullptr, "סוטה"}}, {"Gittin", {nullptr, "גיטין"}},
      {"Kiddushin", {nullptr, "קידושין"}}, {"BovoKammo", {"Bovo Kammo", "בבא קמא"}},
      {"BovoMetzia", {"Bovo Metzia", "בבא מציעא"}}, {"BovoBasro", {"Bovo Basro", "בבא בתרא"}},
      {"Sanhedrin", {nullptr, "סנהדרין"}}, {"Makkos", {nullptr, "מכות"}}, {"Shavuos", {nullptr, "שבועות"}},
      {"Eduyos", {nullptr, "עדיות"}}, {"AvodaZora", {"Avoda Zora", "עבודה זרה"}}, {"Ovos", {nullptr, "אבות"}},
      {"Horiyos", {nullptr, "הוריות"}}, {"Zevochim", {nullptr, "זבחים"}}, {"Menochos", {nullptr, "מנחות"}},
      {"Chulin", {nullptr, "חולין"}}, {"Bechoros", {nullptr, "בכורות"}}, {"Eruchin", {nullptr, "ערכין"}},
      {"Temuroh", {nullptr, "תמורה"}}, {"Kerisos", {nullptr, "כריתות"}}, {"Meiloh", {nullptr, "מעילה"}},
      {"Tomid", {nullptr, "תמיד"}}, {"Middos", {nullptr, "מדות"}}, {"Kinnim", {nullptr, "קנים"}},
      {"Keilim", {nullptr, "כלים"}}, {"Oholos", {nullptr, "אהלות"}}, {"Negoim", {nullptr, "נגעים"}},
      {"Poroh", {nullptr, "פרה"}}, {"Mikvaos", {nullptr, "מקואות"}}, {"Niddah", {nullptr, "נדה"}},
      {"Machshirin", {nullptr, "מכשירין"}}, {"Zovim", {nullptr, "זבים"}}, {"TvulYom", {"Tvul Yom", "טבול יום"}},
      {"Yodayim", {nullptr, "ידים"}}, {"Uktzim", {nullptr, "עוקצים"}},
      // Parts of the Mishneh Torah
      {"Intro", {"Introduction", "הקדמה"}}, {"Mado", {nullptr, "המדע"}}, {"Ahavoh", {nullptr, "אהבה"}},
      {"Zmn", {"Zemanim", "זמנים"}}, {"Kdusho", {"Kedushoh", "קדושה"}}, {"Haflo", {"Haflooh", "הפלאה"}},
      {"Avodoh", {nullptr, "עבודה"}}, {"Korbon", {"Korbonos", "קרבנות"}}, {"Taharo", {"Taharoh", "טהרה"}},
      {"Nezkin", {"Nezikin", "נזיקין"}}, {"Kinyan", {nullptr, "קנין"}}, {"Msh", {"Mishpotim", "משפטים"}},
      {"Shoftm", {"Shofetim", "שופטים"}},
  };
  return names;
}

TCatalogueEntry Row(std::string_view folder, std::string_view prefix, std::string_view stem,
                    std::string_view ext = ".nvw") {
  const Name& n = Names().at(stem);
  return {n.english ? std::string(n.english) : std::string(stem),
          std::string(folder) + std::string(prefix) + std::string(stem) + std::string(ext), Heb(n.hebrew)};
}

struct Tractate {
  char prefix;  // 'G' with Gemara, 'M' Mishna only
  const char* stem;
};

const std::vector<std::vector<Tractate>>& BavliOrders() {
  static const std::vector<std::vector<Tractate>> orders = {
      {{'G', "Brochos"}, {'M', "Peioh"}, {'M', "Demai"}, {'M', "Kilayim"}, {'M', "Sheviis"}, {'M', "Terumos"},
       {'M', "Maaseros"}, {'M', "MaaserSheini"}, {'M', "Challoh"}, {'M', "Orloh"}, {'M', "Bikkurim"}},
      {{'G', "Shabbos"}, {'G', "Eiruvin"}, {'G', "Pesochm"}, {'M', "Sheklm"}, {'G', "RoshHsh"}, {'G', "Yoma"},
       {'G', "Succah"}, {'G', "Beitzoh"}, {'G', "Taanis"}, {'G', "Megillah"}, {'G', "MoedKtn"}, {'G', "Chagigah"}},
      {{'G', "Yevomos"}, {'G', "Kesuvos"}, {'G', "Nedorim"}, {'G', "Nozir"}, {'G', "Sotoh"}, {'G', "Gittin"},
       {'G', "Kiddushin"}},
      {{'G', "BovoKammo"}, {'G', "BovoMetzia"}, {'G', "BovoBasro"}, {'G', "Sanhedrin"}, {'G', "Makkos"},
       {'G', "Shavuos"}, {'M', "Eduyos"}, {'G', "AvodaZora"}, {'M', "Ovos"}, {'G', "Horiyos"}},
      {{'G', "Zevochim"}, {'G', "Menochos"}, {'G', "Chulin"}, {'G', "Bechoros"}, {'G', "Eruchin"},
       {'G', "Temuroh"}, {'G', "Kerisos"}, {'G', "Meiloh"}, {'G', "Tomid"}, {'M', "Middos"}, {'M', "Kinnim"}},
      {{'M', "Keilim"}, {'M', "Oholos"}, {'M', "Negoim"}, {'M', "Poroh"}, {'M', "Taharos"}, {'M', "Mikvaos"},
       {'G', "Niddah"}, {'M', "Machshirin"}, {'M', "Zovim"}, {'M', "TvulYom"}, {'M', "Yodayim"}, {'M', "Uktzim"}},
  };
  return orders;
}

constexpr const char* kOrders[] = {"Zeroim", "Moed", "Noshim", "Nezikin", "Kodshim", "Taharos"};

std::vector<CatalogueGroup> BuildGroups() {
  std::vector<CatalogueGroup> groups;
  {
    CatalogueGroup g{0, -1, false, {}};
    for (const char* stem : {"Bereishis", "Shemos", "Vayikro", "Bamidbor", "Devorim", "Yehoshua", "Shofetim",
                             "Shmuel", "Melochim", "Yeshayohu", "Yirmiyohu", "Yechezkel", "TreiOsor", "Doniel",
                             "EzraNechemia", "DivreiHayomim", "5Megillos", "Iyov", "Mishlei", "Tehillim"})
      g.rows.push_back(Row("Tanach\\", "", stem));
    groups.push_back(std::move(g));
  }
  {
    CatalogueGroup g{1, -1, true, {}};
    for (const char* order : kOrders) g.rows.push_back(Row("Bavli\\", "", order, ""));
    groups.push_back(std::move(g));
  }
  for (size_t o = 0; o < BavliOrders().size(); ++o) {
    CatalogueGroup g{1, static_cast<int>(o), false, {}};
    const std::string folder = std::string("Bavli\\") + kOrders[o] + "\\";
    for (const Tractate& t : BavliOrders()[o]) {
      const bool capitals = std::string_view(t.stem) == "Ovos";
      g.rows.push_back(Row(folder, std::string(1, t.prefix), t.stem, capitals ? ".NVW" : ".nvw"));
    }
    groups.push_back(std::move(g));
  }
  {
    CatalogueGroup g{2, -1, false, {}};
    for (const char* stem : {"Intro", "Mado", "Ahavoh", "Zmn", "Noshim", "Kdusho", "Haflo", "Zeroim", "Avodoh",
                             "Korbon", "Taharo", "Nezkin", "Kinyan", "Msh", "Shoftm"})
      g.rows.push_back(Row("RambamMT\\", "MT", stem));
    groups.push_back(std::move(g));
  }
  {
    // The Bavli's tractates without Tomid, Middos, Kinnim and Ovos.
    CatalogueGroup g{3, -1, false, {}};
    for (const auto& order : BavliOrders())
      for (const Tractate& t : order) {
        const std::string_view s = t.stem;
        if (s == "Tomid" || s == "Middos" || s == "Kinnim" || s == "Ovos") continue;
        g.rows.push_back(Row("Tosefto\\", "T", s));
      }
    groups.push_back(std::move(g));
  }
  {
    CatalogueGroup g{4, -1, false, {}};
    for (const char* stem : {"Brochos",  "Peioh",     "Demai",     "Kilayim",   "Sheviis",   "Terumos",
                             "Maaseros", "MaaserSheini", "Challoh", "Orloh",     "Bikkurim",  "Shabbos",
                             "Eiruvin",  "Pesochm",   "Sheklm",    "RoshHsh",   "Yoma",      "Succah",
                             "Beitzoh",  "Taanis",    "Megillah",  "MoedKtn",   "Chagigah",  "Yevomos",
                             "Kesuvos",  "Nedorim",   "Nozir",     "Sotoh",     "Gittin",    "Kiddushin",
                             "BovoKammo", "BovoMetzia", "BovoBasro", "Sanhedrin", "Makkos",  "Shavuos",
                             "AvodaZora", "Horiyos",  "Niddah"})
      g.rows.push_back(Row("Yerushalmi\\", "Y", stem));
    groups.push_back(std::move(g));
  }
  return groups;
}

}  // namespace

std::string_view CollectionName(int collection, bool english) {
  static const char* const kEnglish[kCollectionCount] = {"Tanach", "Bavli", "RambamMT", "Tosefto", "Yerushalmi"};
  static const std::string kHebrew[kCollectionCount] = {Heb("תנ\"ך"), Heb("בבלי"), Heb("רמב\"ם-מ\"ת"),
                                                        Heb("תוספתא"), Heb("ירושלמי")};
  if (collection < 0 || collection >= kCollectionCount) return {};
  return english ? std::string_view(kEnglish[collection]) : std::string_view(kHebrew[collection]);
}

std::string_view CatalogueRootCaption(bool english) {
  static const std::string kHebrew = Heb("טקסטים");
  return english ? std::string_view("Texts") : std::string_view(kHebrew);
}

const std::vector<CatalogueGroup>& CatalogueGroups() {
  static const std::vector<CatalogueGroup> groups = BuildGroups();
  return groups;
}

}  // namespace nuvel
