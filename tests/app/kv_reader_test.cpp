// The key=value reader's rules, which settings files and level descriptions depend on.
#include "app/kv_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/harness.h"
#include "support/named_pipe.h"

namespace {
std::string value_in(const std::string& content, const std::string& key) {
    TempDir dir;
    std::string path = dir.path + "/file.ini";
    write_file(path, content);
    return read_value(key, path);
}
}  // namespace

TEST(KeyValueReader, ReadsValuesWithEitherLineEndAndComments) {
    EXPECT_EQ(value_in("mode=3\n", "mode"), "3");
    EXPECT_EQ(value_in("mode=3\r\nresx=1280\r\n", "mode"), "3");
    EXPECT_EQ(value_in("mode=3\r\nresx=1280\r\n", "resx"), "1280");
    EXPECT_EQ(value_in("volume_general=80;loud\n", "volume_general"), "80");
    EXPECT_EQ(value_in("; a comment\ntitre=Le=Niveau\n", "titre"), "Le");
    EXPECT_EQ(value_in("fond=3 \n", "fond"), "3 ");      // blanks in a value stay
    EXPECT_EQ(value_in("theme=base", "theme"), "base");  // last line without a line end
}

TEST(KeyValueReader, FirstMatchWinsAndKeysCompareExactly) {
    EXPECT_EQ(value_in("mode=1\nmode=2\n", "mode"), "1");
    EXPECT_EQ(value_in("mode\nmode=2\n", "mode"), "2");  // a line without '=' has no match
    EXPECT_EQ(value_in("mode = 3\n", "mode"), "");
    EXPECT_EQ(value_in("Mode=3\n", "mode"), "");
    EXPECT_EQ(value_in(";mode=3\n", "mode"), "");
}

TEST(KeyValueReader, EqualsIsSearchedFromTheFourthCharacter) {
    EXPECT_EQ(value_in("ab=5\n", "ab"), "");
    EXPECT_EQ(value_in("ab=5=6\n", "ab"), "6");
    EXPECT_EQ(value_in("abc=5\n", "abc"), "5");
}

TEST(KeyValueReader, LongLinesAreCutAndContinueAsLinesOfTheirOwn) {
    // Only the first 40 characters of a line count.
    std::string key = "k23";
    std::string line = key + "=" + std::string(36, 'v') + "TAIL\n";
    EXPECT_EQ(value_in(line, key), std::string(36, 'v'));
    // A value starting beyond character 40 is lost.
    std::string far = std::string(41, 'k') + "=value\n";
    EXPECT_EQ(value_in(far, std::string(40, 'k')), "");
    // Past 49 characters the rest of the line is read as a line of its own.
    std::string split = std::string(49, 'x') + "abc=tail\n";
    EXPECT_EQ(value_in(split, "abc"), "tail");
}

TEST(KeyValueReader, MissingFileKeyOrValueGivesEmptyText) {
    EXPECT_EQ(read_value("mode", "/nonexistent/settings.ini"), "");
    EXPECT_EQ(value_in("", "mode"), "");
    EXPECT_EQ(value_in("; only\n;comments\n", "mode"), "");
    EXPECT_EQ(value_in("mode=\n", "mode"), "");
    EXPECT_EQ(value_in("resx=1\n", "mode"), "");
    // A named pipe would be waited on for ever: it is never opened.
    TempDir dir;
    NamedPipe pipe(dir.path + "/pipe.ini");
    testing::internal::CaptureStdout();
    std::string value = read_value("mode", pipe.path);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(value, "");
    EXPECT_FALSE(pipe.opened());
}

// The README's level description, copied into a level's config.ini, gives each value exactly:
// a comment after a value would leave its blanks in the value (theme "base  " has no folder).
TEST(KeyValueReader, TheReadmeLevelExampleReadsAsWritten) {
    std::string readme = read_file(source_dir() + "/README.md");
    size_t section = readme.find("## Making a level");
    ASSERT_NE(section, std::string::npos);
    size_t fence = readme.find("```ini\n", section);
    ASSERT_NE(fence, std::string::npos);
    size_t start = fence + 7, end = readme.find("```", start);
    ASSERT_NE(end, std::string::npos);
    // The block is indented with the list item it belongs to; the copy is not.
    size_t indent = fence - (readme.rfind('\n', fence) + 1);
    std::istringstream block(readme.substr(start, end - start));
    std::string config, line;
    while (std::getline(block, line))
        config += line.erase(0, std::min(indent, line.find_first_not_of(' '))) + "\n";

    TempDir dir;
    std::string path = dir.path + "/levels/mon_niveau/config.ini";
    write_file(path, config);
    EXPECT_EQ(read_value("titre", path), "Mon niveau");
    EXPECT_EQ(read_value("createur", path), "Moi");
    EXPECT_EQ(read_value("fond", path), "1");
    EXPECT_EQ(read_value("musique", path), "prairie.ogg");
    EXPECT_EQ(read_value("theme", path), "base");
}
