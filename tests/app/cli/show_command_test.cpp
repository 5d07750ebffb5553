#include <gtest/gtest.h>

#include <sstream>

#include "app/cli/command.h"
#include "model/document.h"
#include "support/json_check.h"
#include "support/temp_dir_test.h"

namespace tarvo::app {
namespace {

// The first digit string of the file, shown as K019 on ЛУР-В: the reader takes its bytes
// unchecked.
constexpr std::size_t kSms1Offset = 61;

struct Case {
  std::string fileName;
  std::string digits;     // written at the offset, up to 8 bytes, then zero bytes
  std::string shown;      // K019 in text
  std::string csv;        // K019 in csv
  std::string jsonValue;  // K019 in json, between the quotes
  std::string jsonFile;   // "file" in json, after the folder
};

class ShowOfAnyFile : public testing::TempDirTest, public ::testing::WithParamInterface<Case> {
 protected:
  std::string Run(const std::string& path, const std::string& format) {
    std::ostringstream out, err;
    CliIo io{out, err};
    EXPECT_EQ(RunTarvo({"show", path, "--format", format}, io), 0) << err.str();
    return out.str();
  }
};

// Text a terminal shows as it is: UTF-8, and no control byte but the line breaks.
void ExpectPlainLines(const std::string& output) {
  EXPECT_TRUE(testing::IsUtf8(output));
  for (unsigned char c : output) {
    EXPECT_TRUE(c == '\n' || (c >= 0x20 && c != 0x7F)) << int(c);
  }
}

std::string LineStarting(const std::string& output, const std::string& head) {
  const auto at = output.find("\n" + head);
  if (at == std::string::npos) return {};
  return output.substr(at + 1, output.find('\n', at + 1) - at - 1);
}

TEST_P(ShowOfAnyFile, PrintsUtf8WithControlCharactersEscaped) {
  const Case& c = GetParam();
#ifdef _WIN32
  if (c.jsonFile != c.fileName) GTEST_SKIP() << "Windows names files in UTF-16: always UTF-8 here";
#endif
  const std::string path = PathOf(c.fileName);
  model::ConfigurationDocument document;
  document.NewConfiguration(0x46);
  std::string message;
  ASSERT_TRUE(document.Store(path, message)) << message;
  std::string bytes = Contents(path);
  ASSERT_GT(bytes.size(), kSms1Offset + 9);
  bytes.replace(kSms1Offset, 9, c.digits + std::string(9 - c.digits.size(), '\0'));
  Write(path, bytes);

  const std::string text = Run(path, "text");
  ExpectPlainLines(text);
  EXPECT_EQ(LineStarting(text, "  K019  ").substr(0, 8 + c.shown.size()), "  K019  " + c.shown);

  const std::string csv = Run(path, "csv");
  ExpectPlainLines(csv);
  const std::string csvLine = LineStarting(csv, "system,K019,");
  EXPECT_TRUE(csvLine.ends_with("," + c.csv)) << csvLine;

  const std::string json = Run(path, "json");
  EXPECT_TRUE(testing::JsonCheck::Valid(json)) << json;
  const std::string value = "\"value\": \"" + c.jsonValue + "\"}";
  const auto k019 = json.find("{\"code\": \"K019\"");
  ASSERT_NE(k019, std::string::npos);
  EXPECT_EQ(json.find(value, k019), json.find("\"value\": ", k019));
  EXPECT_NE(json.find("\"file\": \"" + dir_.string() + "/" + c.jsonFile + "\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowOfAnyFile,
    ::testing::Values(
        // K019 shows the first three bytes.
        Case{"a.par", "12345678", "123", "123", "123", "a.par"},
        // Code page 1251 letters, as the reader leaves them.
        Case{"a.par", "\xE0\xE1\xE2", "абв", "абв", "абв", "a.par"},
        Case{"a.par", "\x80\xB9\xFF", "Ђ№я", "Ђ№я", "Ђ№я", "a.par"},
        // Control bytes: an escape, a line break, and 1251's one undefined byte, which stands
        // for the C1 control U+0098; a tab, DEL and a carriage return.
        Case{"a.par", "\x1B\n\x98", "\\x1B\\x0A\\u0098", "\\x1B\\x0A\\u0098",
             "\\u001b\\u000a\xC2\x98", "a.par"},
        Case{"a.par", "\t\x7F\r", "\\x09\\x7F\\x0D", "\\x09\\x7F\\x0D", "\\u0009\x7F\\u000d",
             "a.par"},
        // JSON's own quote and backslash.
        Case{"a.par", "\"\\1", "\"\\1", "\"\"\"\\1\"", "\\\"\\\\1", "a.par"},
        // A file name that is not UTF-8.
        Case{"\xE9t\xE9.par", "0", "0", "0", "0", "\\ufffdt\\ufffd.par"}));

}  // namespace
}  // namespace tarvo::app
