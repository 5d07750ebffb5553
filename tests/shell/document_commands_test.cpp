#include "shell/document_commands.h"

#include <gtest/gtest.h>

#include "fakes/recording_ui.h"
#include "platform/utf8_path.h"
#include "support/temp_dir_test.h"

namespace tarvo::shell {
using model::ConfigurationDocument;
using model::NewConfigurationDialog;
using model::RecentFiles;
namespace {

using platform::Answer;
using platform::Buttons;

class DocumentCommandsTest : public testing::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    document.NewConfiguration(0x47);
    std::string message;
    ASSERT_TRUE(document.Store(PathOf("g.par"), message));
    document.NewConfiguration(0x49);
    ASSERT_TRUE(document.Store(PathOf("l.par"), message));
  }

  RunNewConfigurationDialog Choose(int type, int code, bool ok = true) {
    return [=, this](NewConfigurationDialog& dialog) {
      ++dialogsShown;
      dialog.SelectType(type);
      dialog.SelectCode(code);
      return ok;
    };
  }

  ConfigurationDocument document;
  testing::RecordingUi ui;
  RecentFiles recent;
  DocumentCommands commands{document, ui, recent};
  int dialogsShown = 0;
};

TEST_F(DocumentCommandsTest, OpenWithChangesAsksOnceAndNoKeepsEverything) {
  document.SetModified(true);
  ui.answers = {Answer::No};
  commands.Open();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kOpenAnotherQuestion);
  EXPECT_EQ(ui.messages[0].buttons, Buttons::YesNo);
  EXPECT_TRUE(ui.fileDialogs.empty());
  EXPECT_EQ(document.PathName(), PathOf("l.par"));
  EXPECT_TRUE(document.Modified());
}

TEST_F(DocumentCommandsTest, OpenThroughTheDialog) {
  document.SetModified(true);
  ui.answers = {Answer::Yes};
  ui.fileNames = {PathOf("g.par")};
  commands.Open();
  EXPECT_EQ(ui.messages.size(), 1u) << "asked once, not again when opening";
  ASSERT_EQ(ui.fileDialogs.size(), 1u);
  EXPECT_EQ(ui.fileDialogs[0].title, "Открытие файла параметров");
  EXPECT_EQ(ui.fileDialogs[0].filter, "Файлы параметров (*.par)|*.par|");
  EXPECT_TRUE(ui.fileDialogs[0].mustExist);
  EXPECT_EQ(document.Title(), "g.par [вычислитель ЛУР-Г, исполнение 47]");
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(recent.Entries(), std::vector<std::string>{PathOf("g.par")});
}

TEST_F(DocumentCommandsTest, RecentFileAsksTheSameQuestionOnce) {
  document.SetModified(true);
  EXPECT_TRUE(commands.OpenDocumentFile(PathOf("g.par")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kOpenAnotherQuestion);
}

TEST_F(DocumentCommandsTest, FailedOpenIsReportedAndKeepsTheDocument) {
  document.SetModified(true);
  EXPECT_FALSE(commands.OpenDocumentFile(PathOf("missing.par"), true));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, platform::Icon::Error);
  EXPECT_NE(ui.messages[0].text.find(PathOf("missing.par")), std::string::npos);
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(document.PathName(), PathOf("l.par"));
  EXPECT_TRUE(recent.Entries().empty());
}

TEST_F(DocumentCommandsTest, NewWithoutChangesShowsOnlyTheDialog) {
  commands.New(Choose(3, 0));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(dialogsShown, 1);
  EXPECT_EQ(document.Title(), "Безымянный [вычислитель ЛУР-УВ, исполнение 60]");
  EXPECT_TRUE(document.Untitled());
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(document.Set().nodeCount, 6);
}

TEST_F(DocumentCommandsTest, CancelledNewKeepsTheConfiguration) {
  commands.New(Choose(2, 1, false));
  EXPECT_EQ(document.Title(), "l.par [вычислитель ЛУР-Л, исполнение 49]");
  EXPECT_FALSE(document.Untitled());
}

TEST_F(DocumentCommandsTest, NewAsksToSaveAndCancelStops) {
  document.SetModified(true);
  ui.answers = {Answer::Cancel};
  commands.New(Choose(0, 0));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Сохранить изменения в файле " + PathOf("l.par") + " ?");
  EXPECT_EQ(ui.messages[0].buttons, Buttons::YesNoCancel);
  EXPECT_EQ(dialogsShown, 0);
  EXPECT_TRUE(document.Modified());
}

TEST_F(DocumentCommandsTest, SaveOfAnUntitledConfigurationAsksForAName) {
  document.NewConfiguration(0x46);
  ui.fileNames = {PathOf("v.par")};
  EXPECT_TRUE(commands.Save());
  ASSERT_EQ(ui.fileDialogs.size(), 1u);
  EXPECT_EQ(ui.fileDialogs[0].title, "Сохранение файла параметров");
  EXPECT_EQ(ui.fileDialogs[0].defaultExtension, ".par");
  EXPECT_TRUE(ui.fileDialogs[0].confirmOverwrite);
  EXPECT_EQ(document.Title(), "v.par [вычислитель ЛУР-В, исполнение 46]");
  EXPECT_FALSE(document.Untitled());
}

TEST_F(DocumentCommandsTest, FailedSaveAsKeepsTheOldNameAndStaysModified) {
  document.SetModified(true);
  ui.fileNames = {PathOf("no/such/folder/x.par")};
  EXPECT_FALSE(commands.SaveAs());
  EXPECT_EQ(document.Title(), "l.par [вычислитель ЛУР-Л, исполнение 49]");
  EXPECT_EQ(document.PathName(), PathOf("l.par"));
  EXPECT_TRUE(document.Modified());
  EXPECT_TRUE(recent.Entries().empty()) << "no file of that name was written";
  EXPECT_EQ(ui.messages.back().icon, platform::Icon::Error);
  // Save goes on to the file the configuration came from.
  EXPECT_TRUE(commands.Save());
  EXPECT_FALSE(document.Modified());
}

// Started in another folder, the entry must still name the same file.
TEST_F(DocumentCommandsTest, NamesTypedRelativeToTheCurrentFolderAreKeptAbsolute) {
  const std::filesystem::path started = std::filesystem::current_path();
  std::filesystem::create_directories(PathOf("files"));
  std::filesystem::current_path(PathOf(""));
  ui.fileNames = {"files/../files/u50.par"};
  const bool saved = commands.SaveAs();
  const bool opened = commands.OpenDocumentFile("./files/u50.par");
  std::filesystem::current_path(started);

  EXPECT_TRUE(saved);
  EXPECT_TRUE(opened);
  const std::string full =
      platform::Utf8OfPath(std::filesystem::path(PathOf("files/u50.par")).make_preferred());
  EXPECT_EQ(document.PathName(), full);
  EXPECT_EQ(recent.Entries(), std::vector<std::string>{full});
}

TEST_F(DocumentCommandsTest, SaveOverAFileAnotherProgramReplacedFailsAndSaveAsOverwrites) {
  ASSERT_TRUE(commands.OpenDocumentFile(PathOf("l.par"), false));
  document.SetModified(true);
  std::filesystem::rename(PathOf("g.par"), PathOf("l.par"));
  const std::string theirs = Contents(PathOf("l.par"));

  EXPECT_FALSE(commands.Save());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Не удалось сохранить файл параметров «" + PathOf("l.par") +
                                     "»: файл изменен другой программой после того, как был "
                                     "открыт или сохранен.");
  EXPECT_EQ(ui.messages[0].icon, platform::Icon::Error);
  EXPECT_EQ(Contents(PathOf("l.par")), theirs);
  EXPECT_TRUE(document.Modified());

  // Chosen in the save dialog, which asked before overwriting, the file is replaced.
  ui.fileNames = {PathOf("l.par")};
  EXPECT_TRUE(commands.SaveAs());
  EXPECT_FALSE(document.Modified());
  EXPECT_NE(Contents(PathOf("l.par")), theirs);
}

TEST_F(DocumentCommandsTest, ClosingAfterYesAndACancelledSaveAsGoesOn) {
  document.NewConfiguration(0x46);
  document.SetModified(true);
  ui.answers = {Answer::Yes};
  ui.fileNames = {std::nullopt};
  EXPECT_TRUE(commands.CanCloseFrame());
  EXPECT_EQ(ui.messages[0].text, "Сохранить изменения в файле  ?");
}

TEST_F(DocumentCommandsTest, ClosingStaysOpenWhenTheSaveFailed) {
  document.SetModified(true);
  std::filesystem::remove(PathOf("l.par"));
  std::filesystem::create_directory(PathOf("l.par"));  // the save cannot replace a folder
  ui.answers = {Answer::Yes};
  EXPECT_FALSE(commands.CanCloseFrame());
  EXPECT_TRUE(document.Modified());
}

TEST_F(DocumentCommandsTest, ClosingWithoutChangesAsksNothing) {
  EXPECT_TRUE(commands.CanCloseFrame());
  EXPECT_TRUE(ui.messages.empty());
}

TEST(NewConfigurationDialogTest, Lists) {
  NewConfigurationDialog dialog;
  EXPECT_EQ(dialog.TypeEntries(),
            (std::vector<std::string>{"ЛУР-В", "ЛУР-Г", "ЛУР-У", "ЛУР-УВ", "ЛУР-Л"}));
  EXPECT_EQ(dialog.CodeEntries(), (std::vector<std::string>{"46", "44", "41", "40"}));
  EXPECT_EQ(dialog.SelectedExecutionCode(), 0x46);
  dialog.SelectCode(3);
  dialog.SelectType(1);
  EXPECT_EQ(dialog.SelectedCode(), 0) << "a new type selects its first code";
  EXPECT_EQ(dialog.CodeEntries(), (std::vector<std::string>{"47", "45", "43", "42"}));
  dialog.SelectType(3);
  EXPECT_EQ(dialog.CodeEntries(), std::vector<std::string>{"60"});
  dialog.SelectCode(1);  // out of the list: ignored
  EXPECT_EQ(dialog.SelectedExecutionCode(), 0x60);
  dialog.SelectType(2);
  dialog.SelectCode(3);
  EXPECT_EQ(dialog.SelectedExecutionCode(), 0x53);
}

TEST(RecentFilesTest, NewestFirstAtMostFour) {
  RecentFiles recent;
  for (const char* path : {"/a", "/b", "/c", "/d", "/e"}) recent.Add(path);
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"/e", "/d", "/c", "/b"}));
  recent.Add("/c");
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
}

}  // namespace
}  // namespace tarvo::shell
