#include "editor/save_document.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "editor/save_rule.h"
#include "formats/disk_format.h"
#include "formats/file_names.h"
#include "formats/load_document.h"
#include "formats/sheim_filter_hook.h"
#include "tests/formats/formats_test_support.h"
#include "tests/formats/load_test_target.h"

namespace nuvel::test {
namespace {

using C = TEditConfig;
using W = TWriterKind;
using SP = TSavePass;

TEST(SaveRule, FirstRuleThatApplies) {
  struct Case {
    C config;
    const char* ext;
    int mode;
    uint8_t disk;
    TSaveRule rule;
  } cases[] = {
      {C::Default, ".PDB", 8, 0, {'h', W::None, SP::None, 0}},
      {C::ThreeB2, ".PRC", 2, 0, {'h', W::None, SP::None, 0}},
      {C::Default, ".RTF", 0, 0, {'a', W::Rtf, SP::Fixed, 2}},
      {C::ProgramEditor, ".TXT", 8, 0, {'a', W::Rtf, SP::Fixed, 2}},
      {C::ProgramEditor, ".NVW", 2, 5, {'b', W::Lines, SP::None, 0}},
      {C::Default, ".NVS", 2, 0, {'c', W::Nvs, SP::Fixed, 4}},
      {C::NuvelDos, ".NVS", 2, 0, {'c', W::Lines, SP::Fixed, 4}},
      {C::ProgramEditor, ".NVS", 2, 0, {'c', W::Lines, SP::Fixed, 4}},
      {C::Tag, ".NVS", 2, 0, {'c', W::Lines, SP::Fixed, 4}},
      {C::Default, ".3T", 2, 0, {'d', W::ThreeB2, SP::ThreeB2, 6}},
      {C::ThreeB2, ".TXT", 2, 0, {'d', W::ThreeB2, SP::ThreeB2, 6}},
      {C::ThreeB2, ".RLE", 2, 0, {'e', W::Lines, SP::None, 0}},
      {C::ProgramEditor, ".TXT", 2, 5, {'e', W::Lines, SP::None, 0}},
      {C::NuvelDos, ".TXT", 2, 5, {'f', W::Lines, SP::Current, 0}},
      {C::Tag, ".HTM", 2, 5, {'f', W::Lines, SP::Current, 0}},
      {C::Default, ".HTM", 2, 0, {'g', W::Lines, SP::Current, 0}},
      {C::NulRecords, ".TXT", 2, 1, {'g', W::Nvs, SP::Current, 0}},
      {C::Default, ".TXT", 2, 2, {'g', W::DosText, SP::Current, 0}},
      {C::Default, ".TXT", 2, 3, {'g', W::Einstein, SP::Current, 0}},
      {C::Default, ".TXT", 2, 4, {'g', W::ThreeB2, SP::ThreeB2, 6}},
      {C::Default, ".TXT", 2, 5, {'g', W::Unicode, SP::Current, 0}},
      {C::Default, ".TXT", 2, 255, {'g', W::Lines, SP::Current, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseSaveRule(c.config, c.ext, c.mode, c.disk), c.rule)
        << static_cast<int>(c.config) << " " << c.ext << " " << c.mode << " " << int(c.disk);
  }
}

const TParagraphs kAbcDef = {B("abc"), B("def"), B("")};

TEST(DocumentWriters, GoldenBytes) {
  TParagraphs paras = kAbcDef;
  paras.pop_back();  // the save leaves out the empty last paragraph
  const TWrapSettings wrap{80, 8};
  EXPECT_EQ(S(WriteDosTextFormat(paras, wrap, false)), "abc\r\ndef\r\n");
  EXPECT_EQ(S(WriteDosTextFormat(paras, wrap, true)), "abc\ndef\n");
  EXPECT_EQ(S(WriteNvsFormat(paras, wrap)), "abc\x14\r\ndef\x14\r\n");
  EXPECT_EQ(S(WriteLinesFormat(paras, false)), "abc\r\ndef\r\n");
  EXPECT_EQ(S(WriteLinesFormat(paras, true)), "abc\ndef\n");
  EXPECT_EQ(S(WriteUnicodeFormat(paras, false)),
            std::string("\xFF\xFE" "a\0b\0c\0\r\0\n\0d\0e\0f\0", 18));
  // The paragraphs hold Windows-1255 bytes.
  EXPECT_EQ(S(WriteUnicodeFormat({B({0xE0, 0xE1, 0xCC, 0x96, 0x14})}, false)),
            std::string("\xFF\xFE\xD0\x05\xD1\x05\xBC\x05\x13\x20\x14\x00", 12));
  EXPECT_EQ(S(WriteUnicodeFormat(paras, true, TTextForm::Utf8, true)), "abc\ndef\n");
  EXPECT_EQ(S(WriteUnicodeFormat({B({0xF9, 0xA4})}, false, TTextForm::Utf8Mark)), "\xEF\xBB\xBF\xD7\xA9\xE2\x82\xAA");
  EXPECT_EQ(S(WriteUnicodeFormat({B("a")}, false, TTextForm::Utf16)), std::string("a\0", 2));
}

TEST(DocumentWriters, WrappedParagraphs) {
  const TParagraphs hello = {B("hello world")};
  const TWrapSettings wrap{6, 8};
  ASSERT_EQ(ScreenLines(hello[0], wrap).size(), 2u);
  EXPECT_EQ(S(WriteEinsteinFormat(hello, wrap)), "hello\xDBworld\r\n");
  EXPECT_EQ(S(WriteEinsteinFormat({B("helloworld")}, TWrapSettings{5, 8})), "hello\xDBworld\r\n");
  EXPECT_EQ(S(WriteNvsFormat(hello, wrap)), "hello \r\nworld\x14\r\n");
  EXPECT_EQ(S(WriteDosTextFormat(hello, wrap, false)), "hello \r\nworld\r\n");
  EXPECT_EQ(S(Write3B2Format({B("aaa bbb")}, TWrapSettings{4, 8}, "<body>")),
            "fdt \"tx1\",0,\"\"\r\n$<body>aaa \\\r\n$bbb<>\r\n");
  EXPECT_EQ(S(Write3B2Format({B("<head>T"), B("$5"), B("")}, TWrapSettings{80, 8}, "<body>")),
            "fdt \"tx1\",0,\"\"\r\n"
            "$<head>T<>\r\n"
            "<body>$5<>\r\n"
            "$<body><>\r\n");
  // An inner line that ends in a backslash gets no second one.
  EXPECT_EQ(S(Write3B2Format({B("ab\\ cd")}, TWrapSettings{4, 8}, "<p>")),
            "fdt \"tx1\",0,\"\"\r\n$<p>ab\\ \\\r\n$cd<>\r\n");
}

TEST(DocumentWriters, RtfDocument) {
  std::vector<uint8_t> out;
  ASSERT_TRUE(WriteRtfFormat({B("a{b}"), B({0xE0})}, false, "NotFound", out));
  const std::string s = S(out);
  EXPECT_NE(s.find("}\\rtlpar\\qr\\plain\\rtlch a\\{b\\}\\par\n\r\\'e0\\par\n\r\r\n}"), std::string::npos) << s;
  ASSERT_TRUE(WriteRtfFormat({B("x")}, true, "{\\header H}", out));
  EXPECT_NE(S(out).find("- }{\\header H}x\\par\n\r\r\n}"), std::string::npos);
  EXPECT_EQ(S(out).find("rtlpar"), std::string::npos);
}

class SaveDocumentTest : public FormatsTest {
 protected:
  TSaveRequest Request(std::string_view name, TParagraphs text) {
    TSaveRequest r;
    r.fileName = temp_.Path(name).string();
    r.text = std::move(text);
    r.wrap = TWrapSettings{80, 8};
    return r;
  }
  std::string Saved(const TSaveRequest& r) {
    const TSaveResult result = SaveDocument(r);
    EXPECT_EQ(result.status, TSaveStatus::Saved) << result.message;
    return ReadWholeFile(r.fileName);
  }
};

TEST_F(SaveDocumentTest, ExtensionsAndConfigurations) {
  SetConvMode(2);
  const TParagraphs pointed = {B({0x81, 'x'}), B("")};
  // .html counts as .HTM: the disk format decides (0: lines, current mode).
  EXPECT_EQ(Saved(Request("a.html", pointed)), "\xE1\xCCx\r\n");
  TSaveRequest dos = Request("a.txt", kAbcDef);
  dos.diskConv = kDiskDosText;
  EXPECT_EQ(Saved(dos), "abc\r\ndef\r\n");
  // The Program Editor configuration converts only .RTF and .NVS names.
  NoConversion = true;
  EXPECT_EQ(Saved(Request("p.txt", pointed)), "\x81x\r\n");
  EXPECT_NE(Saved(Request("p.rtf", pointed)).find("\\'e1\\'ccx\\par"), std::string::npos);
  SetConvMode(2);
  EXPECT_EQ(Saved(Request("p.nvs", {B({0xE0}), B("")})), "\x80\r\n");  // lines under Program Editor
  NoConversion = false;
  EXPECT_EQ(GetConvMode(), 2);
}

TEST_F(SaveDocumentTest, WizardTranslationTypeOverridesTheModeForTheSaveOnly) {
  SetConvMode(0);
  TSaveRequest r = Request("w.txt", {B({0xE0}), B("")});
  r.trTypeFL = 4;
  EXPECT_EQ(Saved(r), "\x80\r\n");
  EXPECT_EQ(GetConvMode(), 0);
}

TEST_F(SaveDocumentTest, PalmNamesAreRefusedAndLeftAlone) {
  const std::string name = WriteTemp("book.pdb", "ebook");
  TSaveRequest r = Request("book.pdb", kAbcDef);
  const TSaveResult result = SaveDocument(r);
  EXPECT_EQ(result.status, TSaveStatus::RefusedPalm);
  EXPECT_EQ(result.message, "No Loading Over Here!");
  EXPECT_EQ(ReadWholeFile(name), "ebook");
}

TEST_F(SaveDocumentTest, BackupCopyKeepsTheOldFile) {
  WriteTemp("doc.txt", "old");
  TSaveRequest r = Request("doc.txt", kAbcDef);
  r.makeBackup = true;
  r.backupExt = "BAKUP";
  EXPECT_EQ(BackupFileName(r.fileName, r.backupExt), temp_.Path("doc.BAKU").string());
  EXPECT_EQ(Saved(r), "abc\r\ndef\r\n");
  EXPECT_EQ(temp_.ReadFile("doc.BAKU"), "old");
  // A backup name equal to the file name makes no copy.
  TSaveRequest same = Request("doc.txt", kAbcDef);
  same.makeBackup = true;
  same.backupExt = "txt";
  Saved(same);
  EXPECT_EQ(temp_.ReadFile("doc.BAKU"), "old");
}

TEST_F(SaveDocumentTest, DocumentsReadWithLfKeepThem) {
  TSaveRequest r = Request("lf.txt", kAbcDef);
  r.lfLineEnds = true;
  EXPECT_EQ(Saved(r), "abc\ndef\n");
  r.fileName = temp_.Path("lf.nvs").string();
  EXPECT_EQ(Saved(r), "abc\x14\r\ndef\x14\r\n");  // the DOS format fixes CR LF
}

TEST_F(SaveDocumentTest, Default3B2StyleComesFromThePreferences) {
  WriteIniString("S3B2", "Default_Style", "<p>");
  EXPECT_EQ(Saved(Request("a.3t", {B("x"), B("")})), "fdt \"tx1\",0,\"\"\r\n$<p>x<>\r\n");
}

TEST_F(SaveDocumentTest, SheimProtectionIsRemovedFromTheCopyOnly) {
  SetSheimFilterHook([](TDocumentText& text, int kind) {
    EXPECT_EQ(kind, kSheimRemoveFilter);
    // The filter works paragraph by paragraph, as the built-in one does.
    for (uint32_t i = 0; i < text.ParaCount(); ++i) {
      const auto p = text.Para(i);
      if (std::vector<uint8_t>(p.begin(), p.end()) == B("guarded")) text.ReplacePara(i, B("plain"));
    }
  });
  TSaveRequest r = Request("s.txt", {B("guarded"), B("open"), B("guarded"), B("")});
  r.sheimFiltered = true;
  EXPECT_EQ(Saved(r), "plain\r\nopen\r\nplain\r\n");
  SetSheimFilterHook(nullptr);
  EXPECT_EQ(r.text[0], B("guarded"));
}

// A write that fails part of the way (the process may write no more than a
// few kilobytes) leaves the old file as it was and no temporary file.
TEST_F(SaveDocumentTest, FailedWriteLeavesTheOldFileWhole) {
  const std::string oldBytes = "the old text\r\n";
  WriteTemp("big.txt", oldBytes);
  TParagraphs big(200, std::vector<uint8_t>(1000, 'x'));
  const TSaveRequest r = Request("big.txt", big);

  struct sigaction ignore {};
  struct sigaction saved {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &saved);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 16384;
  setrlimit(RLIMIT_FSIZE, &small);
  const TSaveResult result = SaveDocument(r);
  setrlimit(RLIMIT_FSIZE, &old);
  sigaction(SIGXFSZ, &saved, nullptr);

  EXPECT_EQ(result.status, TSaveStatus::WriteFailed);
  EXPECT_FALSE(result.message.empty());
  EXPECT_EQ(temp_.ReadFile("big.txt"), oldBytes);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(temp_.Folder())) {
    files += e.path().filename().string().starts_with("big.txt") ? 1 : 0;
  }
  EXPECT_EQ(files, 1);
}

// Every writer read back by its reader gives the text it was given.
TEST_F(SaveDocumentTest, RoundTrips) {
  const std::vector<uint8_t> hebrew = B({0xF9, 0xC8, 0xEC, 0x8D, 0xED, ' ', 0xE0, 0x81, 0xC8});
  const std::vector<uint8_t> hebrewPlain = B({0xF9, 0xC8, 0xEC, 0xE5, 0xC9, 0xED, ' ', 0xE0, 0xE1, 0xCC, 0xC8});
  const std::vector<uint8_t> pointedLetters = B({0x95, 0x9B, 0x81, 0x9A, 0x8D});
  const std::vector<uint8_t> tabs = B("tab\there 12.5");
  const std::vector<uint8_t> mark = B("mark\x14inside");
  const std::vector<uint8_t> longPara = B("one two three four five six seven eight nine ten eleven");
  const TParagraphs rich = {hebrew, tabs, mark, pointedLetters, {}, B("English text."), longPara};
  // DOS text joins lines: its paragraphs end in a blank and are kept apart by empty ones.
  auto withBlanks = [](TParagraphs paras) {
    TParagraphs out;
    for (auto& p : paras) {
      p.push_back(' ');
      out.push_back(p);
      out.emplace_back();
    }
    out.pop_back();
    return out;
  };
  struct Case {
    const char* name;
    uint8_t disk;
    int mode;
    TParagraphs text;
  } cases[] = {
      {"r.nvw", 255, 2, rich},
      {"r.rtf", 255, 0, rich},
      {"r.txt", kDiskUnicode, 0, rich},
      {"r.txt", kDiskUnicode, 7, rich},
      {"r.txt", kDiskEinstein, 0, rich},
      {"r.txt", kDiskNvw, 2, rich},
      {"r.txt", kDiskNvs, 2, rich},
      // The DOS code page has no pointed letters: the DOS format keeps letters and points.
      {"r.nvs", 255, 2, {hebrewPlain, tabs, mark, {}, B("English text."), longPara}},
      {"r.txt", kDiskDosText, 0, withBlanks({hebrew, tabs, mark, pointedLetters, longPara})},
      // 3B2 reads one paragraph a line and writes some points as entities of its own.
      {"r.3t", 255, 0, {hebrew, tabs, mark, B({0x95, 0x9B, 0x81, 0x9A}), {}, B("English 3.14. text")}},
      {"r.txt", kDisk3B2, 2, {hebrew, tabs, B("10.25")}},
  };
  for (const auto& c : cases) {
    SetConvMode(c.mode);
    TSaveRequest r = Request(c.name, c.text);
    r.diskConv = c.disk;
    r.wrap = TWrapSettings{c.disk == kDisk3B2 || std::string_view(c.name) == "r.3t" ? 32767 : 20, 8};
    r.englishDocument = false;
    const TSaveResult saved = SaveDocument(r);
    ASSERT_EQ(saved.status, TSaveStatus::Saved) << c.name;
    TestLoadTarget t;
    t.diskConv = c.disk;
    t.english = r.englishDocument;
    LoadDocument(t, r.fileName);
    EXPECT_EQ(t.paras.Paras(), c.text) << c.name << " disk " << int(c.disk) << " mode " << c.mode;
    EXPECT_EQ(GetConvMode(), c.mode);
  }
}

// A large document goes to the file in parts of some hundred kilobytes, read
// from the editor a paragraph at a time, and every writer's file still reads
// back as the text.
TEST_F(SaveDocumentTest, LargeDocumentsAreWrittenPartByPart) {
  const std::vector<uint8_t> hebrew = B({0xF9, 0xC8, 0xEC, 0x8D, 0xED, ' ', 0xE0, 0x81, 0xC8});
  const TParagraphs base = {hebrew, B("tab\there 12.5"), B("English text."),
                            B("one two three four five six seven eight nine ten eleven")};
  TParagraphs text;
  for (int i = 0; i < 20000; ++i) text.insert(text.end(), base.begin(), base.end());
  struct Case {
    const char* name;
    uint8_t disk;
    int mode;
  } cases[] = {
      {"big.nvw", 255, 2}, {"big.rtf", 255, 0}, {"big.txt", kDiskUnicode, 0}, {"big.3t", 255, 0}, {"big.txt", kDiskNvs, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " disk " + std::to_string(c.disk));
    SetConvMode(c.mode);
    TSaveRequest r = Request(c.name, {});
    r.diskConv = c.disk;
    r.wrap = TWrapSettings{std::string_view(c.name) == "big.3t" ? 32767 : 20, 8};
    r.englishDocument = false;
    // The editor's paragraphs, its empty last one included, read on demand.
    uint32_t reads = 0;
    r.paraCount = static_cast<uint32_t>(text.size()) + 1;
    r.para = [&](uint32_t i) -> std::span<const uint8_t> {
      ++reads;
      if (i == text.size()) return {};
      return text[i];
    };
    std::vector<std::size_t> parts;
    std::vector<uint8_t> streamed;
    ASSERT_TRUE(StreamSaveBytes(r, SaveRuleFor(r), [&](std::span<const uint8_t> part) {
      parts.push_back(part.size());
      streamed.insert(streamed.end(), part.begin(), part.end());
      return true;
    }));
    EXPECT_EQ(reads, r.paraCount) << "each paragraph read once";
    EXPECT_GT(parts.size(), 3u);
    for (std::size_t size : parts) EXPECT_LT(size, 512u * 1024);
    // A refused part stops the writing.
    int offered = 0;
    EXPECT_FALSE(StreamSaveBytes(r, SaveRuleFor(r), [&](std::span<const uint8_t>) { return ++offered < 2; }));
    EXPECT_EQ(offered, 2);

    ASSERT_EQ(SaveDocument(r).status, TSaveStatus::Saved);
    EXPECT_EQ(ReadWholeFile(r.fileName), S(streamed));
    TestLoadTarget t;
    t.diskConv = c.disk;
    t.english = r.englishDocument;
    LoadDocument(t, r.fileName);
    EXPECT_TRUE(t.paras.Paras() == text) << "read back as " << t.paras.Paras().size() << " paragraphs";
    EXPECT_EQ(GetConvMode(), c.mode);
  }
}

}  // namespace
}  // namespace nuvel::test
