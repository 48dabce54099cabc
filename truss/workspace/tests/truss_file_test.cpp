// The truss file's text: what the writer writes, what the reader accepts, and every kind of damaged
// file it refuses. No window is involved: reading is a function of the text alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "beam/solver/tests/beam_cases.h"
#include "truss/workspace/truss_file.h"

namespace {

using truss_file::contents;

// Three bars from the points 0, 1 and 2 on the ground to point 3 above them, loaded downwards.
const char* const kExample =
    "\"321499410\"\r\n"
    "3\r\n"
    "4\r\n"
    "5\r\n"
    "1,0,0,1,0\r\n"
    "0,1,0,1,1\r\n"
    "0,0,1,1,2\r\n"
    "#TRUE#,0,0,1,2168,29100\r\n"
    "#TRUE#,0,0,1,4168,29100\r\n"
    "#TRUE#,0,0,1,6168,29100\r\n"
    "#TRUE#,0,-1,0,4168,27100\r\n"
    "210,210,210,\"E\"\r\n"
    "1000,1000,1000,\"A\"\r\n"
    "1000,1,1000,2,\"F\"\r\n"
    "50\r\n";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(TrussFile, TheExampleReadsAsItsTruss) {
  std::string why;
  std::optional<contents> c = truss_file::read(kExample, &why);
  ASSERT_TRUE(c) << why;
  EXPECT_EQ(c->dof_count, 5);
  ASSERT_EQ(c->bars.size(), 3u);
  EXPECT_EQ(c->bars[0], (truss_file::bar_row{0, 3}));
  EXPECT_EQ(c->bars[2], (truss_file::bar_row{2, 3}));
  ASSERT_EQ(c->points.size(), 4u);
  EXPECT_EQ(c->points[3], (truss_file::point_line{true, 0, -1, 0, 4168, 27100}));
  EXPECT_EQ(c->E, (std::vector<float>{210, 210, 210}));
  EXPECT_EQ(c->A, (std::vector<float>{1000, 1000, 1000}));
  EXPECT_EQ(c->loads, (std::vector<truss_file::load_pair>{{1000, 1}, {1000, 2}}));
  EXPECT_EQ(c->magnification, 50);
  // What the program writes is that format, byte for byte.
  EXPECT_EQ(truss_file::write(*c), kExample);
}

// A file's text and what it is.
struct TextCase {
  const char* name;
  std::string text;
};

std::string withLF(const std::string& text) {
  std::string lf;
  for (char ch : text)
    if (ch != '\r') lf += ch;
  return lf;
}

const TextCase kForeignCases[] = {
    {"lines ended by LF", withLF(kExample)},
    {"the signature without its quotes", replaced(kExample, "\"321499410\"", "321499410")},
    {"no end after the last line", replaced(kExample, "50\r\n", "50")},
    {"blank lines after the last line", std::string(kExample) + "\r\n\r\n"},
    {"blanks around items", replaced(kExample, "210,210,210,\"E\"", " 210 , 210,210 , \"E\" ")},
    {"numbers with a point and an exponent", replaced(kExample, "210,210,210", "210.0,.21E3,2.1e+02")},
    {"the E and A markers not looked at", replaced(kExample, "\"A\"", "\"x\"")},
    {"bar rows whose numbers are anything", replaced(kExample, "0,1,0,1,1", "0,1,0,1,\"seven\"")},
    {"marks as texts", replaced(kExample, "1,0,0,1,0", "\"1\",\"0\",0,\"1\",0")},
};

struct ForeignFile : ::testing::TestWithParam<TextCase> {};

TEST_P(ForeignFile, OfTheFormatReads) {
  const TextCase& c = GetParam();
  const contents expected = *truss_file::read(kExample);
  std::string why;
  std::optional<contents> got = truss_file::read(c.text, &why);
  ASSERT_TRUE(got) << why;
  EXPECT_EQ(*got, expected);
}
INSTANTIATE_TEST_SUITE_P(TrussFile, ForeignFile, ::testing::ValuesIn(kForeignCases), caseName<TextCase>);

const TextCase kDamagedCases[] = {
    {"an empty file", ""},
    {"a wrong signature", replaced(kExample, "321499410", "321499411")},
    {"another file altogether", "hello, world\r\n"},
    {"no load line end F: it would never be found", replaced(kExample, ",\"F\"", "")},
    {"a bar count of -1", replaced(kExample, "\r\n3\r\n", "\r\n-1\r\n")},
    {"a bar count of 10^9", replaced(kExample, "\r\n3\r\n", "\r\n1000000000\r\n")},
    {"more bar slots than the editor has", replaced(kExample, "\r\n3\r\n", "\r\n201\r\n")},
    {"a point count of 0", replaced(kExample, "\r\n4\r\n", "\r\n0\r\n")},
    {"more point slots than the editor has", replaced(kExample, "\r\n4\r\n", "\r\n51\r\n")},
    {"more free directions than there can be", replaced(kExample, "\r\n5\r\n", "\r\n101\r\n")},
    {"a count that is not a whole number", replaced(kExample, "\r\n3\r\n", "\r\n3.5\r\n")},
    {"a count that is text", replaced(kExample, "\r\n3\r\n", "\r\n\"3\"\r\n")},
    {"a non-numeric coordinate", replaced(kExample, "4168,27100", "4168,abc")},
    {"a coordinate with trailing text", replaced(kExample, "4168,27100", "4168,27100x")},
    {"an infinite coordinate", replaced(kExample, "4168,27100", "inf,27100")},
    {"a coordinate that is not a number", replaced(kExample, "4168,27100", "nan,27100")},
    {"a coordinate beyond a float", replaced(kExample, "4168,27100", "1e39,27100")},
    {"a coordinate far off the canvas", replaced(kExample, "4168,27100", "4168,2000000")},
    {"an empty item", replaced(kExample, "4168,27100", "4168,")},
    {"a negative E", replaced(kExample, "210,210,210", "210,-210,210")},
    {"an infinite A", replaced(kExample, "1000,1000,1000,", "1000,1e39,1000,")},
    {"a negative load", replaced(kExample, "1000,1,1000,2", "-1000,1,1000,2")},
    {"a load without its direction", replaced(kExample, "1000,1,1000,2", "1000,1,1000")},
    {"a direction number 0", replaced(kExample, "1000,1,1000,2", "1000,0,1000,2")},
    {"a direction number d + 1", replaced(kExample, "1000,1,1000,2", "1000,1,1000,6")},
    {"a bar with one end", replaced(kExample, "1,0,0,1,0", "1,0,0,0,0")},
    {"a bar with three ends", replaced(kExample, "1,0,0,1,0", "1,1,0,1,0")},
    {"a mark that is neither 0 nor 1", replaced(kExample, "1,0,0,1,0", "1,0,2,1,0")},
    {"a bar row short of an item", replaced(kExample, "1,0,0,1,0", "1,0,0,1")},
    {"a point line with an extra item", replaced(kExample, "4168,27100", "4168,27100,5")},
    {"a Boolean that is not one", replaced(kExample, "#TRUE#,0,-1", "TRUE,0,-1")},
    {"a load sign of 2", replaced(kExample, "#TRUE#,0,-1", "#TRUE#,0,2")},
    {"a support type of 4", replaced(kExample, "#TRUE#,0,0,1,2168", "#TRUE#,0,0,4,2168")},
    {"a load on a fixed point", replaced(kExample, "#TRUE#,0,0,1,2168", "#TRUE#,1,0,1,2168")},
    {"a vertical load on a roller moving in x", replaced(kExample, "#TRUE#,0,-1,0", "#TRUE#,0,-1,2")},
    {"a horizontal load on a roller moving in y", replaced(kExample, "#TRUE#,0,-1,0", "#TRUE#,1,0,3")},
    {"point 0 deleted", replaced(kExample, "#TRUE#,0,0,1,2168", "#FALSE#,0,0,0,2168")},
    {"a bar at a deleted point", replaced(kExample, "#TRUE#,0,0,1,4168", "#FALSE#,0,0,0,4168")},
    {"a magnification of 0", replaced(kExample, "\r\n50\r\n", "\r\n0\r\n")},
    {"a magnification beyond the slider", replaced(kExample, "\r\n50\r\n", "\r\n30001\r\n")},
    {"text after the last line", std::string(kExample) + "more\r\n"},
    {"an unclosed quote", replaced(kExample, "\"E\"", "\"E")},
    {"a quote inside an item", replaced(kExample, "\"E\"", "E\"x\"")},
    {"a lone CR as a line end", replaced(kExample, "\r\n50\r\n", "\r50\r\n")},
};

struct DamagedFile : ::testing::TestWithParam<TextCase> {};

TEST_P(DamagedFile, IsRefused) { EXPECT_FALSE(truss_file::read(GetParam().text)); }
INSTANTIATE_TEST_SUITE_P(TrussFile, DamagedFile, ::testing::ValuesIn(kDamagedCases), caseName<TextCase>);

TEST(TrussFile, AFileThatEndsEarlyIsDamagedWhereverItEnds) {
  const std::string text = kExample;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1)) {
    if (end + 1 == text.size()) break;
    EXPECT_FALSE(truss_file::read(text.substr(0, end + 1))) << "cut after " << text.substr(0, end + 1);
  }
  EXPECT_FALSE(truss_file::read(std::string(truss_file::kMaxFileSize + 1, '\n')));
}

TEST(TrussFile, TheWriterWritesEveryLoadAndUpToSevenDigits) {
  contents c;
  c.dof_count = 3;
  c.points = {{true, 0, 0, 1, 2168, 29100}, {true, 1, -1, 0, 2168.5f, -200}};
  c.bars = {{0, 1}, {}};
  c.E = {210.25f, 1.0f / 3};
  c.A = {1000, 123456789.0f};
  c.loads = {{0, 1}, {1500, 2}, {0.001f, 3}};
  c.magnification = 30000;
  const std::string text = truss_file::write(c);
  EXPECT_EQ(text,
            "\"321499410\"\r\n2\r\n2\r\n3\r\n1,1,0\r\n0,0,1\r\n#TRUE#,0,0,1,2168,29100\r\n#TRUE#,1,-1,0,2168.5,-200\r\n"
            "210.25,0.3333333,\"E\"\r\n1000,1.234568e+08,\"A\"\r\n0,1,1500,2,0.001,3,\"F\"\r\n30000\r\n");
  std::optional<contents> back = truss_file::read(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->loads[0], (truss_file::load_pair{0, 1})) << "a zero load comes back as zero";
  EXPECT_EQ(back->points, c.points);
  EXPECT_EQ(back->E[0], 210.25f);
}

TEST(TrussFile, TheFuzzersSeedFilesAreTrussFiles) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KESVO_FUZZ_CORPUS)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string why;
    EXPECT_TRUE(truss_file::read(text.str(), &why)) << entry.path() << ": " << why;
    ++files;
  }
  EXPECT_GE(files, 5);
}

}  // namespace
