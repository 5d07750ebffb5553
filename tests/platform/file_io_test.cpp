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

// What cannot be a parameter file is refused at once with its reason, never read or waited on.
TEST_F(FileIoTest, OnlyFilesAreRead) {
  ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0600), 0);
  fs::create_directory(PathOf("folder"));
  fs::create_symlink(PathOf("loop-b"), PathOf("loop-a"));
  fs::create_symlink(PathOf("loop-a"), PathOf("loop-b"));
  struct Case {
    std::string path;
    const char* reason;
  };
  for (const Case& c : {Case{PathOf("pipe"), "это не файл, а устройство, канал или сокет"},
                        Case{"/dev/zero", "это не файл, а устройство, канал или сокет"},
                        Case{PathOf("folder"), "по этому пути находится папка"},
                        Case{PathOf("loop-a"), "символические ссылки в пути замкнуты в круг"},
                        Case{PathOf("absent"), "файл или папка не найдены"}}) {
    std::vector<std::uint8_t> bytes{7};
    std::string reason;
    EXPECT_FALSE(ReadFileBytes(c.path, 8554, bytes, reason)) << c.path;
    EXPECT_EQ(reason, c.reason) << c.path;
  }
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
