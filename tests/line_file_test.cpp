// The one way the readers of the program's line files take a file: read
// whole, split into lines by one rule for line ends, whole numbers in range.

#include "platform/line_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "support/test_database.h"

namespace {

namespace pf = vexlab::platform;
using Lines = std::vector<std::string_view>;

TEST(LineFile, CrLfALoneLfAndALoneCrEachEndALine) {
    const std::vector<std::pair<std::string, Lines>> cases = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb\r\nc\r\n", {"a", "b", "c"}},
        {"a\rb", {"a", "b"}},
        // A header with a stray CR before its line end is the header, and
        // an empty line after it, as an editor shows it.
        {"[section]\r\r\nx", {"[section]", "", "x"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"", {}},
        {"last", {"last"}},
        {std::string("a\0b\r\n", 5), {std::string_view("a\0b", 3)}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(pf::split_lines(text), lines) << text;
    EXPECT_TRUE(pf::ends_with_line_end("a\r\n"));
    EXPECT_TRUE(pf::ends_with_line_end("a\r"));
    EXPECT_FALSE(pf::ends_with_line_end("a"));
    EXPECT_FALSE(pf::ends_with_line_end(""));
}

TEST(LineFile, WholeNumbersAreWholeAndInRange) {
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::vector<std::pair<std::string, std::optional<std::int64_t>>> cases = {
        {" 12 ", 12},
        {"-3 ", -3},
        {"+7", 7},
        {"0", 0},
        {" 2147483647 ", kMax},
        {"-2147483648 ", kMin},
        {" 2147483648 ", std::nullopt},
        {" 4294967305 ", std::nullopt},
        {" 9.5 ", std::nullopt},
        {"1e3", std::nullopt},
        {"12x", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"+", std::nullopt},
        {"+-3", std::nullopt},
        {"--3", std::nullopt},
        {"\t5", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(pf::whole_number(text, kMin, kMax), number) << text;
    EXPECT_EQ(pf::whole_number("5", 0, 4), std::nullopt);
    EXPECT_EQ(pf::whole_number("-1", 0, 4), std::nullopt);
    EXPECT_EQ(pf::whole_number("4", 0, 4), 4);
}

TEST(LineFile, AFileIsReadWholeAndAFolderOrNoFileIsRefused) {
    vexlab::test::TempDir dir;
    const std::string bytes("one\r\ntwo\0\xff\n", 11);
    const std::string path = dir.file("f.txt");
    std::ofstream(path, std::ios::binary) << bytes;
    EXPECT_EQ(pf::read_whole_file(path), bytes);

    std::filesystem::create_directory(dir.file("folder"));
    try {
        pf::read_whole_file(dir.file("folder"));
        ADD_FAILURE() << "a folder was read";
    } catch (const pf::FileReadError& error) {
        EXPECT_FALSE(error.missing());
        EXPECT_STREQ(error.what(), "a folder stands in the place of the file");
    }
    try {
        pf::read_whole_file(dir.file("none.txt"));
        ADD_FAILURE() << "a missing file was read";
    } catch (const pf::FileReadError& error) {
        EXPECT_TRUE(error.missing());
    }
}

}  // namespace
