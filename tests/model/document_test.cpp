#include "model/document.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/par_file.h"
#include "support/identical_sets.h"
#include "support/temp_dir_test.h"

namespace tarvo::model {
namespace {

namespace fs = std::filesystem;

class DocumentTest : public testing::TempDirTest {};

TEST_F(DocumentTest, StartsUntitledWithoutSuffix) {
  ConfigurationDocument document;
  EXPECT_EQ(document.Title(), "Безымянный");
  EXPECT_EQ(document.WindowTitle(), "Безымянный - TarvoConfig");
  EXPECT_TRUE(document.Untitled());
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(document.Set().Variant(), DeviceVariant::None);
}

TEST_F(DocumentTest, NewConfigurationTitle) {
  ConfigurationDocument document;
  document.NewConfiguration(0x46);
  EXPECT_EQ(document.Title(), "Безымянный [вычислитель ЛУР-В, исполнение 46]");
  document.NewConfiguration(0x60);
  EXPECT_EQ(document.Title(), "Безымянный [вычислитель ЛУР-УВ, исполнение 60]");
  EXPECT_EQ(document.Set().nodeCount, 6);
}

TEST_F(DocumentTest, StoreThenOpen) {
  ConfigurationDocument document;
  document.NewConfiguration(0x47);
  document.SetModified(true);
  std::string message;
  ASSERT_TRUE(document.Store(PathOf("g.par"), message)) << message;
  EXPECT_FALSE(document.Modified());
  EXPECT_FALSE(document.Untitled());
  EXPECT_EQ(document.Title(), "g.par [вычислитель ЛУР-Г, исполнение 47]");
  EXPECT_EQ(Contents(PathOf("g.par")).size(), kParFileSize);
  EXPECT_EQ(FilesInDir(), 1u) << "no temporary file is left behind";

  ConfigurationDocument reopened;
  ASSERT_TRUE(reopened.Open(PathOf("g.par"), message)) << message;
  EXPECT_TRUE(reopened.Set().SameContent(document.Set()));
  EXPECT_FLOAT_EQ(reopened.OpenedFormatVersion(), 1.16f);
  EXPECT_EQ(reopened.PathName(), PathOf("g.par"));
}

TEST_F(DocumentTest, RefusedFileChangesNothing) {
  ConfigurationDocument document;
  document.NewConfiguration(0x49);
  std::string message;
  ASSERT_TRUE(document.Store(PathOf("l.par"), message));
  document.Set().daylightSaving = 1;
  document.SetModified(true);
  const ParameterSet before = document.Set();

  const std::string full = Contents(PathOf("l.par"));
  Write(PathOf("short.par"), full.substr(0, 5000));
  std::string overCount = full;
  overCount[20] = 21;
  Write(PathOf("over.par"), overCount);

  const std::vector<std::pair<std::string, std::string>> cases = {
      {PathOf("short.par"), "Не удалось открыть файл параметров «" + PathOf("short.par") +
                                "»: файл обрывается: в нём 5000 байт, а файлу версии формата "
                                "1,16 нужно 8554."},
      {PathOf("over.par"), "Не удалось открыть файл параметров «" + PathOf("over.par") +
                               "»: число каналов учета 21 вне допустимого диапазона 0..20."},
      {PathOf("missing.par"), "Не удалось открыть файл параметров «" + PathOf("missing.par") +
                                  "»: файл или папка не найдены."},
      {dir_.string(), "Не удалось открыть файл параметров «" + dir_.string() +
                          "»: по этому пути находится папка."},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_FALSE(document.Open(path, message));
    EXPECT_EQ(message, expected);
    EXPECT_TRUE(testing::IdenticalSets(document.Set(), before)) << path;
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(document.PathName(), PathOf("l.par"));
    EXPECT_EQ(document.Title(), "l.par [вычислитель ЛУР-Л, исполнение 49]");
  }
}

std::ptrdiff_t WriteHalfThenDiskFull(int fd, const void* data, std::size_t size) {
  const std::ptrdiff_t half = ::write(fd, data, size / 2);
  if (half > 0 && static_cast<std::size_t>(half) < size) return half;
  errno = ENOSPC;
  return -1;
}

TEST_F(DocumentTest, FailedSaveKeepsOldFileAndModifiedFlag) {
  ConfigurationDocument document;
  document.NewConfiguration(0x46);
  std::string message;
  ASSERT_TRUE(document.Store(PathOf("v.par"), message));
  const std::string old = Contents(PathOf("v.par"));

  document.Set().daylightSaving = 1;
  document.SetModified(true);
  EXPECT_FALSE(document.Store(PathOf("v.par"), message, WriteHalfThenDiskFull));
  EXPECT_EQ(message,
            "Не удалось сохранить файл параметров «" + PathOf("v.par") + "»: нет места на диске.");
  EXPECT_EQ(Contents(PathOf("v.par")), old);
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(FilesInDir(), 1u) << "the temporary file is removed";
}

TEST_F(DocumentTest, SaveIntoMissingFolderOrOverAFolderFails) {
  ConfigurationDocument document;
  document.NewConfiguration(0x46);
  document.SetModified(true);
  std::string message;
  EXPECT_FALSE(document.Store(PathOf("no/such/dir/x.par"), message));
  EXPECT_NE(message.find("файл или папка не найдены"), std::string::npos) << message;
  fs::create_directory(PathOf("folder.par"));
  EXPECT_FALSE(document.Store(PathOf("folder.par"), message));
  EXPECT_NE(message.find("по этому пути находится папка"), std::string::npos) << message;
  EXPECT_TRUE(document.Modified());
  EXPECT_TRUE(document.Untitled());
  EXPECT_TRUE(fs::is_directory(PathOf("folder.par")));
}

TEST_F(DocumentTest, SaveKeepsPermissionsOfReplacedFile) {
  ConfigurationDocument document;
  document.NewConfiguration(0x46);
  std::string message;
  ASSERT_TRUE(document.Store(PathOf("p.par"), message));
  fs::permissions(PathOf("p.par"),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(document.Store(PathOf("p.par"), message));
  EXPECT_EQ(fs::status(PathOf("p.par")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(DocumentTest, SaveThroughALinkReplacesTheFileItPointsTo) {
  ConfigurationDocument document;
  document.NewConfiguration(0x46);
  std::string message;
  ASSERT_TRUE(document.Store(PathOf("real.par"), message));
  fs::create_symlink(PathOf("real.par"), PathOf("link.par"));
  document.NewConfiguration(0x47);
  ASSERT_TRUE(document.Store(PathOf("link.par"), message)) << message;
  EXPECT_TRUE(fs::is_symlink(PathOf("link.par")));
  ConfigurationDocument reopened;
  ASSERT_TRUE(reopened.Open(PathOf("real.par"), message));
  EXPECT_EQ(reopened.Set().ident.executionCode, 0x47);
}

}  // namespace
}  // namespace tarvo::model
