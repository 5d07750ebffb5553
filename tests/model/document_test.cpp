#include "model/document.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "model/par_file.h"
#include "model/value_text.h"
#include "support/identical_sets.h"
#include "support/old_par_file.h"
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

// A report text's CR LF line breaks and a 0x1A byte, which a text-mode file would turn into
// LF and an end of file, come back as they were, and the file holds the bytes written.
TEST_F(DocumentTest, StoreKeepsEveryByteOfTheTexts) {
  ConfigurationDocument document;
  document.NewConfiguration(0x47);
  document.Set().headerEnabled = 1;
  std::strcpy(document.Set().headerText, "\xD1\xF2\xE0\xED\xF6\xE8\xFF\r\n\x1A\r\nend");
  std::strcpy(document.Set().footerText, "\n\r\x1A");
  std::string message;
  ASSERT_TRUE(document.Store(PathOf("texts.par"), message)) << message;
  const std::vector<std::uint8_t> written = WriteParameterBytes(document.Set());
  EXPECT_EQ(Contents(PathOf("texts.par")), std::string(written.begin(), written.end()));

  ConfigurationDocument reopened;
  ASSERT_TRUE(reopened.Open(PathOf("texts.par"), message)) << message;
  EXPECT_STREQ(reopened.Set().headerText, document.Set().headerText);
  EXPECT_STREQ(reopened.Set().footerText, document.Set().footerText);
  EXPECT_TRUE(reopened.Set().SameContent(document.Set()));
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
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have no POSIX permission bits";
#endif
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
#ifdef _WIN32
  GTEST_SKIP() << "MinGW's C++ library cannot make symbolic links";
#endif
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

// A document with a configuration of its own, modified since it was stored, and the proof that
// a refused file left all of it alone.
class OpenedDocumentTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    document.NewConfiguration(0x49);
    std::string message;
    ASSERT_TRUE(document.Store(PathOf("l.par"), message)) << message;
    document.Set().daylightSaving = 1;
    document.Set().pageFilled[3] = 1;
    document.SetModified(true);
    before = document.Set();
  }
  void ExpectUnchanged(const std::string& what) {
    EXPECT_TRUE(testing::IdenticalSets(document.Set(), before)) << what;
    EXPECT_TRUE(document.Modified()) << what;
    EXPECT_FALSE(document.Untitled()) << what;
    EXPECT_EQ(document.PathName(), PathOf("l.par")) << what;
  }

  ConfigurationDocument document;
  ParameterSet before{};
};

struct TruncationCase {
  const char* name;
  std::vector<std::uint8_t> (*file)();
  const char* versionText;
};

class EveryTruncation : public OpenedDocumentTest,
                        public ::testing::WithParamInterface<TruncationCase> {};

// Every length short of the whole file: one message naming the file and why, and nothing of the
// file reaches the configuration.
TEST_P(EveryTruncation, IsRefusedAndChangesNothing) {
  const TruncationCase& c = GetParam();
  const std::vector<std::uint8_t> full = c.file();
  const std::string path = PathOf("cut.par");
  Write(path, full);
  std::string message;
  ASSERT_TRUE(ConfigurationDocument().Open(path, message)) << message;

  for (std::size_t length = full.size(); length-- > 0;) {
    fs::resize_file(path, length);
    const std::string have = std::to_string(length);
    const std::string reason = length < 4
                                   ? "в нём " + have + " байт, нет даже номера версии формата"
                                   : "в нём " + have + " байт, а файлу версии формата " +
                                         c.versionText + " нужно " + std::to_string(full.size());
    EXPECT_FALSE(document.Open(path, message)) << length;
    EXPECT_EQ(message, "Не удалось открыть файл параметров «" + path +
                           "»: файл обрывается: " + reason + ".");
    ExpectUnchanged("length " + have);
    if (HasFailure()) break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, EveryTruncation,
    ::testing::Values(TruncationCase{"v116",
                                     [] {
                                       ParameterSet set{};
                                       MakeNewConfiguration(set, 0x47);
                                       return WriteParameterBytes(set);
                                     },
                                     "1,16"},
                      TruncationCase{"v105", [] { return testing::OldFile(1.05f, 0x46, 5, 2); },
                                     "1,05"}),
    [](const auto& info) { return std::string(info.param.name); });

std::int32_t IntAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[offset + i];
  return static_cast<std::int32_t>(value);
}

// Noise of a parameter file's size opens only when the reader can take it: a version that is a
// number and counts in range. Otherwise it is refused whole; what opens saves and reopens alike.
TEST_F(OpenedDocumentTest, RandomBytesOfTheRightSize) {
  std::mt19937 random(9);
  std::uniform_int_distribution<int> byte(0, 255);
  int opened = 0;
  for (int round = 0; round < 200; ++round) {
    std::vector<std::uint8_t> bytes(round % 2 == 0 ? kParFileSize : ParameterFileSize(1.05f));
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(byte(random));
    if (round % 4 < 2) {  // half of them with counts the reader takes
      bytes[20] = static_cast<std::uint8_t>(round % 21);
      bytes[24] = static_cast<std::uint8_t>(round % 17);
      for (std::size_t i : {21u, 22u, 23u, 25u, 26u, 27u}) bytes[i] = 0;
    }
    const float version = Float32{static_cast<std::uint32_t>(IntAt(bytes, 0))}.Value();
    const std::int32_t channels = IntAt(bytes, 20), nodes = IntAt(bytes, 24);
    const bool readable = !std::isnan(version) && bytes.size() >= ParameterFileSize(version) &&
                          channels >= 0 && channels <= 20 && nodes >= 0 && nodes <= 16;

    const std::string path = PathOf("noise.par");
    Write(path, bytes);
    ConfigurationDocument target;
    target.NewConfiguration(0x49);
    target.Set() = before;
    target.SetModified(true);
    std::string message;
    const std::string what = "round " + std::to_string(round);
    ASSERT_EQ(target.Open(path, message), readable) << what << ": " << message;
    if (!readable) {
      EXPECT_EQ(message.rfind("Не удалось открыть файл параметров «" + path + "»: ", 0), 0u)
          << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
      EXPECT_TRUE(testing::IdenticalSets(target.Set(), before)) << what;
      EXPECT_TRUE(target.Modified()) << what;
      continue;
    }
    ++opened;
    EXPECT_EQ(target.Set().channelCount, channels) << what;
    EXPECT_FALSE(target.Modified()) << what;
    ASSERT_TRUE(target.Store(PathOf("saved.par"), message)) << message;
    ConfigurationDocument reopened;
    ASSERT_TRUE(reopened.Open(PathOf("saved.par"), message)) << message;
    EXPECT_TRUE(reopened.Set().SameContent(target.Set())) << what;
  }
  EXPECT_GT(opened, 50) << "the counts that were made valid open";
}

// A file another program put in place of the one opened, after it was opened or saved.
struct ReplacedCase {
  const char* name;
  void (*change)(const std::string& path);
  bool saves;  // the save goes on: nothing another program wrote is lost
};

class FileChangedBehindTheDocument : public OpenedDocumentTest,
                                     public ::testing::WithParamInterface<ReplacedCase> {};

TEST_P(FileChangedBehindTheDocument, SaveKeepsTheOtherProgramsFile) {
  const ReplacedCase& c = GetParam();
  const std::string path = PathOf("l.par");
  std::string message;
  ASSERT_TRUE(document.Open(path, message)) << message;
  document.Set().daylightSaving = 1;
  document.SetModified(true);
  c.change(path);
  const std::string theirs = fs::exists(path) ? Contents(path) : "";

  EXPECT_EQ(document.Store(path, message), c.saves) << message;
  if (c.saves) {
    EXPECT_FALSE(document.Modified());
    ConfigurationDocument reopened;
    ASSERT_TRUE(reopened.Open(path, message)) << message;
    EXPECT_EQ(reopened.Set().daylightSaving, 1);
  } else {
    EXPECT_EQ(message, "Не удалось сохранить файл параметров «" + path +
                           "»: файл изменен другой программой после того, как был открыт или "
                           "сохранен.");
    EXPECT_EQ(Contents(path), theirs);
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(FilesInDir(), 1u) << "no temporary file is left";
    // Saving under the name chosen again, as Save as does, replaces it knowingly.
    EXPECT_TRUE(document.StoreAs(path, message)) << message;
  }
}

void WriteOtherConfiguration(const std::string& path) {
  ParameterSet other{};
  MakeNewConfiguration(other, 0x47);
  const auto bytes = WriteParameterBytes(other);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FileChangedBehindTheDocument,
    ::testing::Values(
        ReplacedCase{"ReplacedByRename",
                     [](const std::string& path) {
                       WriteOtherConfiguration(path + ".new");
                       fs::rename(path + ".new", path);
                     },
                     false},
        ReplacedCase{"RewrittenInPlace", WriteOtherConfiguration, false},
        ReplacedCase{"Emptied", [](const std::string& path) { fs::resize_file(path, 0); }, false},
        ReplacedCase{"Removed", [](const std::string& path) { fs::remove(path); }, true},
        ReplacedCase{"Untouched", [](const std::string&) {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenedDocumentTest, EverySaveTakesTheFileItWroteAsTheOneToReplace) {
  std::string message;
  for (int i = 0; i < 3; ++i) {
    document.Set().tariffZones[0] = static_cast<std::uint8_t>(i);
    EXPECT_TRUE(document.Store(PathOf("l.par"), message)) << message;
  }
  ASSERT_TRUE(document.Store(PathOf("other.par"), message)) << message;
  WriteOtherConfiguration(PathOf("l.par"));
  EXPECT_TRUE(document.Store(PathOf("l.par"), message))
      << "only the file last opened or saved is watched: " << message;
}

}  // namespace
}  // namespace tarvo::model
