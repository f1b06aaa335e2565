// The key=value reader's rules, which settings files and level descriptions depend on.
#include "app/kv_reader.h"

#include <gtest/gtest.h>

#include "support/harness.h"

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
}
