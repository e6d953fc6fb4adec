#include "platform/file_read_buffer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/atomic_file.h"

namespace nuvel::platform {
namespace {

namespace fs = std::filesystem;

class FileReadBufferTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("nuvel-read-buffer-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  fs::path Write(const std::string& name, const std::string& bytes) const {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Text(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>('a' + (i * 7 + i / 4096) % 26);
    return s;
  }
  fs::path folder;
};

TEST_F(FileReadBufferTest, ReadsAsReadFileBytesDoes) {
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  // Large files are read by several threads, a range each.
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, page - 1, page, page + 1, std::size_t{5} << 20,
                                 (std::size_t{16} << 20) + 1, (std::size_t{41} << 20) + 12345}) {
    SCOPED_TRACE(size);
    const fs::path path = Write("f.txt", Text(size));
    FileReadBuffer buffer;
    int error = -1;
    ASSERT_TRUE(buffer.Read(path, error));
    EXPECT_EQ(error, 0);
    std::string expected;
    ASSERT_TRUE(ReadFileBytes(path, expected));
    const auto bytes = buffer.Bytes();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()), expected);
  }
  struct Case {
    const char* what;
    fs::path path;
    int error;
  } failures[] = {{"missing", folder / "none.txt", ENOENT}, {"folder", folder, EISDIR}};
  for (const Case& c : failures) {
    FileReadBuffer buffer;
    int error = 0;
    EXPECT_FALSE(buffer.Read(c.path, error)) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
    EXPECT_TRUE(buffer.Bytes().empty()) << c.what;
  }
}

// Given back in whole blocks behind the offset; what lies after it stays.
TEST_F(FileReadBufferTest, ReleasedBytesAreOnlyThoseBeforeTheOffset) {
  const std::string text = Text(std::size_t{9} << 20);
  FileReadBuffer buffer;
  int error = 0;
  ASSERT_TRUE(buffer.Read(Write("big.txt", text), error));
  std::size_t last = 0;
  std::size_t furthest = 0;
  for (const std::size_t offset : {std::size_t{100}, std::size_t{3} << 20, (std::size_t{3} << 20) + 5,
                                   std::size_t{2} << 20, std::size_t{7} << 20, text.size() + 100}) {
    SCOPED_TRACE(offset);
    buffer.ReleaseBefore(offset);
    furthest = std::max(furthest, offset);
    EXPECT_LE(buffer.Released(), furthest);
    EXPECT_GE(buffer.Released(), last) << "never less than before";
    last = buffer.Released();
    const auto bytes = buffer.Bytes();
    ASSERT_EQ(bytes.size(), text.size());
    EXPECT_TRUE(std::equal(bytes.begin() + static_cast<std::ptrdiff_t>(last), bytes.end(),
                           text.begin() + static_cast<std::ptrdiff_t>(last)));
  }
  EXPECT_GT(buffer.Released(), std::size_t{5} << 20) << "most of the file was given back";
}

}  // namespace
}  // namespace nuvel::platform
