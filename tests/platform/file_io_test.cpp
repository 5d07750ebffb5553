#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir_test.h"

namespace tarvo::platform {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public testing::TempDirTest {
 protected:
  void TearDown() override {
    ::umask(savedMask_);
    TempDirTest::TearDown();
  }
  bool Save(const std::string& name, std::string& reason) {
    const std::uint8_t bytes[] = {1, 2, 3};
    return WriteFileAtomically(PathOf(name), bytes, reason);
  }
  static unsigned ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
  }

  const mode_t savedMask_ = ::umask(022);
};

struct ModeCase {
  unsigned umask;
  unsigned existingMode;  // 0: the file is new
  unsigned expectedMode;
};

class SavedFileMode : public FileIoTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(SavedFileMode, NewFilesFollowTheUmaskAndReplacedFilesKeepTheirMode) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have no POSIX permission bits or umask";
#endif
  const ModeCase& c = GetParam();
  if (c.existingMode != 0) {
    Write(PathOf("f.par"), "old");
    ::chmod(PathOf("f.par").c_str(), c.existingMode);
  }
  ::umask(c.umask);
  std::string reason;
  ASSERT_TRUE(Save("f.par", reason)) << reason;
  EXPECT_EQ(ModeOf(PathOf("f.par")), c.expectedMode);
  EXPECT_EQ(Contents(PathOf("f.par")), std::string("\1\2\3"));
  EXPECT_EQ(FilesInDir(), 1u) << "no temporary file is left";
  EXPECT_EQ(::umask(c.umask), c.umask) << "the umask stays as the program set it";
}

INSTANTIATE_TEST_SUITE_P(Cases, SavedFileMode,
                         ::testing::Values(ModeCase{022, 0, 0644}, ModeCase{077, 0, 0600},
                                           ModeCase{002, 0, 0664}, ModeCase{077, 0640, 0640},
                                           ModeCase{022, 0600, 0600}, ModeCase{0, 0444, 0444}));

struct RefusalCase {
  std::string path;
  const char* reason;
};

void ExpectRefused(const std::vector<RefusalCase>& cases) {
  for (const RefusalCase& c : cases) {
    std::vector<std::uint8_t> bytes{7};
    std::string reason;
    EXPECT_FALSE(ReadFileBytes(c.path, 8554, bytes, reason)) << c.path;
    EXPECT_EQ(reason, c.reason) << c.path;
  }
}

// What cannot be a parameter file is refused at once with its reason, never read or waited on.
TEST_F(FileIoTest, OnlyFilesAreRead) {
  fs::create_directory(PathOf("folder"));
#ifdef _WIN32
  const char* device = "NUL";
#else
  const char* device = "/dev/zero";
#endif
  ExpectRefused({{device, "это не файл, а устройство, канал или сокет"},
                 {PathOf("folder"), "по этому пути находится папка"},
                 {PathOf("absent"), "файл или папка не найдены"}});
}

TEST_F(FileIoTest, PipesAndLinkLoopsAreRefused) {
#ifdef _WIN32
  GTEST_SKIP() << "named pipes and symbolic links in a folder are POSIX things";
#else
  ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0600), 0);
  fs::create_symlink(PathOf("loop-b"), PathOf("loop-a"));
  fs::create_symlink(PathOf("loop-a"), PathOf("loop-b"));
  ExpectRefused({{PathOf("pipe"), "это не файл, а устройство, канал или сокет"},
                 {PathOf("loop-a"), "символические ссылки в пути замкнуты в круг"}});
#endif
}

// Text mode would end the file at byte 0x1A and change the line ends.
TEST_F(FileIoTest, EveryByteRoundTrips) {
  std::vector<std::uint8_t> bytes = {0x1A, '\r', '\n', '\n', '\r', 0x00, 0xFF, 0x1A};
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<std::uint8_t>(b));
  std::string reason;
  ASSERT_TRUE(WriteFileAtomically(PathOf("bytes.par"), bytes, reason)) << reason;
  std::vector<std::uint8_t> back;
  ASSERT_TRUE(ReadFileBytes(PathOf("bytes.par"), 1000, back, reason)) << reason;
  EXPECT_EQ(back, bytes);
  EXPECT_EQ(fs::file_size(PathOf("bytes.par")), bytes.size());
}

TEST_F(FileIoTest, AnExistingFileIsReplacedWhole) {
  Write(PathOf("f.par"), std::string(5000, 'o'));
  const std::uint8_t shorter[] = {'n', 'e', 'w'};
  std::string reason;
  FileStamp written;
  ASSERT_TRUE(WriteFileAtomically(PathOf("f.par"), shorter, reason, nullptr, nullptr, &written))
      << reason;
  EXPECT_EQ(Contents(PathOf("f.par")), "new");
  EXPECT_EQ(FilesInDir(), 1u) << "no temporary file is left";
  std::vector<std::uint8_t> back;
  FileStamp read;
  ASSERT_TRUE(ReadFileBytes(PathOf("f.par"), 100, back, reason, &read)) << reason;
  EXPECT_EQ(read, written);
}

TEST_F(FileIoTest, AFolderIsNotReplaced) {
  fs::create_directory(PathOf("folder"));
  std::string reason;
  EXPECT_FALSE(Save("folder", reason));
  EXPECT_EQ(reason, "по этому пути находится папка");
  EXPECT_TRUE(fs::is_directory(PathOf("folder")));
}

TEST_F(FileIoTest, ACyrillicNameIsWrittenAndReadUnderThatName) {
  const std::string name = "Станция №1.par";
  std::string reason;
  ASSERT_TRUE(Save(name, reason)) << reason;
  EXPECT_TRUE(fs::exists(dir_ / std::u8string(u8"Станция №1.par")));
  std::vector<std::uint8_t> back;
  ASSERT_TRUE(ReadFileBytes(PathOf(name), 100, back, reason)) << reason;
  EXPECT_EQ(back, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(FolderTakesNewFiles(platform::Utf8OfPath(dir_), reason)) << reason;
}

TEST_F(FileIoTest, ALargeFileIsReadOnlyAsFarAsAsked) {
  {
    std::ofstream big(PathOf("big.par"), std::ios::binary);
    big.seekp(1 << 30);
    big.put('x');
  }
  std::vector<std::uint8_t> bytes;
  std::string reason;
  ASSERT_TRUE(ReadFileBytes(PathOf("big.par"), 8554, bytes, reason)) << reason;
  EXPECT_EQ(bytes.size(), 8554u);
}

}  // namespace
}  // namespace tarvo::platform
