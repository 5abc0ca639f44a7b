// The example-labs list: how the readers see a file, and what each writer
// leaves in it, line for line.

#include "labs/example_labs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "support/test_database.h"

namespace {

using vexlab::labs::ExampleLabsFile;
using vexlab::labs::LabSection;

// Fixture text is written with "\n"; the program writes CR LF.
std::string crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string read_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void write_file(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

class LabsFile : public ::testing::Test {
protected:
    ExampleLabsFile with(std::string_view text) {
        write_file(labs.path(), crlf(text));
        return labs;
    }
    std::string text() const { return read_file(labs.path()); }

    vexlab::test::TempDir dir;
    ExampleLabsFile labs{dir.path().string()};
};

// Two sections as the editor writes them.
constexpr std::string_view kExample =
    "[section]\n"
    "sectionname = Basics\n"
    "NumberOfLabs = 2\n"
    "labname = Modes\n"
    "labpath = /labs/modes.html\n"
    "labname = Host name\n"
    "labpath = /labs/hostname.html\n"
    "\n"
    "[section]\n"
    "sectionname = Routing\n"
    "NumberOfLabs = 1\n"
    "labname = RIP\n"
    "labpath = /labs/rip.html\n";

// --------------------------------------------------------------- the tree

struct TreeCase {
    const char* name;
    const char* file;
    std::vector<LabSection> tree;
};

TEST_F(LabsFile, TreeShowsSectionsAndTheirCountedLabs) {
    const TreeCase cases[] = {
        {"empty file", "", {}},
        {"example", kExample.data(), {{"Basics", {"Modes", "Host name"}}, {"Routing", {"RIP"}}}},
        {"no count line: no labs",
         "[section]\nsectionname = A\n\nlabname = x\nlabpath = /x.html\n",
         {{"A", {}}}},
        {"count 2 over three labs",
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = p\nlabname = z\nlabpath = p\n",
         {{"A", {"x", "y"}}}},
        {"name line followed directly by a lab",
         "[section]\nsectionname = A\nlabname = x\nlabpath = p\n",
         {{"A", {}}}},
        {"lines before the first header, blanks around names",
         "stray\n\n[section]\nsectionname =   Spaced  \nNumberOfLabs = 1\nlabname =  x \n",
         {{"Spaced", {"x"}}}},
        {"a lab name holding \"=\" gets no node",
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = a=b\nlabpath = p\nlabname = "
         "c\nlabpath = p\n",
         {{"A", {"c"}}}},
        {"header without a name line: no node, its labs dropped",
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\n\n[section]\nfoo = "
         "bar\nNumberOfLabs = 1\nlabname = y\n",
         {{"A", {"x"}}}},
        {"a count that is no number shows no labs",
         "[section]\nsectionname = A\nNumberOfLabs = two\nlabname = x\nlabpath = p\n",
         {{"A", {}}}},
        {"header right after a name line starts the next block",
         "[section]\nsectionname = A\n[section]\nsectionname = B\nNumberOfLabs = 1\nlabname = "
         "y\n",
         {{"A", {}}, {"B", {"y"}}}},
        {"two empty lines between blocks, no final line end",
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "p\n\n\n[section]\nsectionname = A",
         {{"A", {"x"}}, {"A", {}}}},
        {"letter case of keys counts",
         "[section]\nSectionName = A\n\n[Section]\nsectionname = B\n",
         {}},
    };
    for (const TreeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto tree = with(c.file).read_lab_tree();
        ASSERT_EQ(tree.size(), c.tree.size());
        for (std::size_t i = 0; i < tree.size(); ++i) {
            EXPECT_EQ(tree[i].name, c.tree[i].name);
            EXPECT_EQ(tree[i].labs, c.tree[i].labs);
        }
    }
}

TEST_F(LabsFile, LinesEndingInLineFeedAloneReadTheSame) {
    write_file(labs.path(), kExample);
    const auto tree = labs.read_lab_tree();
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0].labs, (std::vector<std::string>{"Modes", "Host name"}));
    EXPECT_EQ(labs.find_lab_page("Host name"), "/labs/hostname.html");
}

TEST_F(LabsFile, MissingFileReadsAsEmpty) {
    EXPECT_TRUE(labs.read_lab_tree().empty());
    EXPECT_FALSE(labs.section_exists("Basics"));
    EXPECT_EQ(labs.find_lab_page("Modes"), "");
}

// --------------------------------------------------------------- lookups

TEST_F(LabsFile, LookupsCompareNamesExactly) {
    with(std::string(kExample) +
         "\n[section]\nsectionname = More\nNumberOfLabs = 2\nlabname = RIP\nlabpath = "
         "/labs/rip2.html\nlabname = Broken\nnot a path\n");
    EXPECT_EQ(labs.find_lab_page("RIP"), "/labs/rip.html");  // the first in the file
    EXPECT_EQ(labs.find_lab_page("rip"), "");
    EXPECT_EQ(labs.find_lab_page("Broken"), "");
    EXPECT_EQ(labs.find_lab_path_in_section("More", "RIP"), "/labs/rip2.html");
    EXPECT_EQ(labs.find_lab_path_in_section("More", "Broken"), std::nullopt);
    EXPECT_EQ(labs.find_lab_path_in_section("Nowhere", "RIP"), std::nullopt);

    EXPECT_TRUE(labs.section_exists("Basics"));
    EXPECT_FALSE(labs.section_exists("basics"));
    EXPECT_FALSE(labs.section_exists(" Basics"));  // typed names are not trimmed

    EXPECT_TRUE(labs.lab_exists_in_section("Basics", "Host name"));
    EXPECT_FALSE(labs.lab_exists_in_section("Basics", "RIP"));
    EXPECT_TRUE(labs.lab_exists_in_section("More", "RIP"));

    EXPECT_EQ(labs.section_lab_count("Basics"), 2);
    EXPECT_EQ(labs.section_lab_count("Routing"), 1);
    EXPECT_EQ(labs.section_lab_count("Nowhere"), std::nullopt);
}

TEST_F(LabsFile, LabCheckEndsWithItsBlock) {
    with(
        "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = p\n\nlabname = "
        "y\n");
    EXPECT_TRUE(labs.lab_exists_in_section("A", "x"));
    EXPECT_FALSE(labs.lab_exists_in_section("A", "y"));
}

// --------------------------------------------------------------- writers

struct WriteCase {
    const char* name;
    const char* before;
    std::function<vexlab::labs::SaveResult(ExampleLabsFile&)> edit;
    const char* after;
};

TEST_F(LabsFile, WritersLeaveTheLayoutTheReadersExpect) {
    const WriteCase cases[] = {
        {"append to an empty file", "", [](auto& f) { return f.append_section("New"); },
         "[section]\nsectionname = New\n"},
        {"append keeps the name as typed", "[section]\nsectionname = A\n",
         [](auto& f) { return f.append_section(" B "); },
         "[section]\nsectionname = A\n\n[section]\nsectionname =  B \n"},
        {"add a lab to a section with labs", kExample.data(),
         [](auto& f) { return f.add_lab("Basics", "Ping", "/labs/ping.html"); },
         "[section]\nsectionname = Basics\nNumberOfLabs = 3\nlabname = Modes\nlabpath = "
         "/labs/modes.html\nlabname = Host name\nlabpath = /labs/hostname.html\nlabname = "
         "Ping\nlabpath = /labs/ping.html\n\n[section]\nsectionname = Routing\nNumberOfLabs = "
         "1\nlabname = RIP\nlabpath = /labs/rip.html\n"},
        {"add a lab to the last block, no empty line at the end", kExample.data(),
         [](auto& f) { return f.add_lab("Routing", "OSPF", "/labs/ospf.html"); },
         "[section]\nsectionname = Basics\nNumberOfLabs = 2\nlabname = Modes\nlabpath = "
         "/labs/modes.html\nlabname = Host name\nlabpath = /labs/hostname.html\n\n[section]\n"
         "sectionname = Routing\nNumberOfLabs = 2\nlabname = RIP\nlabpath = "
         "/labs/rip.html\nlabname = OSPF\nlabpath = /labs/ospf.html\n\n"},
        {"add the first lab of a section",
         "[section]\nsectionname = A\n\n[section]\nsectionname = B\n",
         [](auto& f) { return f.add_lab("A", "x", "/x.html"); },
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "/x.html\n\n[section]\nsectionname = B\n"},
        {"add a lab where the next header follows without an empty line",
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "p\n[section]\nsectionname = B\n",
         [](auto& f) { return f.add_lab("A", "y", "q"); },
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = q\n\n[section]\nsectionname = B\n"},
        {"remove the first of blocks separated by two empty lines",
         "[section]\nsectionname = A\n\n\n[section]\nsectionname = B\n",
         [](auto& f) { return f.remove_section("A"); }, "\n[section]\nsectionname = B\n"},
        {"remove every block of the name, and only sections", kExample.data(),
         [](auto& f) { return f.remove_section("Routing"); },
         "[section]\nsectionname = Basics\nNumberOfLabs = 2\nlabname = Modes\nlabpath = "
         "/labs/modes.html\nlabname = Host name\nlabpath = /labs/hostname.html\n\n"},
        {"remove a lab from one section only",
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = q\n\n[section]\nsectionname = B\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "r\n",
         [](auto& f) { return f.remove_lab("x", "B"); },
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = q\n\n[section]\nsectionname = B\n"},
        {"remove a lab and lower the count",
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = q\n",
         [](auto& f) { return f.remove_lab("x", "A"); },
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = y\nlabpath = q\n"},
        {"a lab the section does not hold leaves its count alone",
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = p\n",
         [](auto& f) { return f.remove_lab("z", "A"); },
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = p\n"},
        {"rename to the empty text", kExample.data(),
         [](auto& f) { return f.rename_section("Routing", ""); },
         "[section]\nsectionname = Basics\nNumberOfLabs = 2\nlabname = Modes\nlabpath = "
         "/labs/modes.html\nlabname = Host name\nlabpath = /labs/hostname.html\n\n[section]\n"
         "sectionname = \nNumberOfLabs = 1\nlabname = RIP\nlabpath = /labs/rip.html\n"},
        {"replace a lab in place", kExample.data(),
         [](auto& f) { return f.replace_lab("Basics", "Modes", "Modes 2", "/labs/m2.html"); },
         "[section]\nsectionname = Basics\nNumberOfLabs = 2\nlabname = Modes 2\nlabpath = "
         "/labs/m2.html\nlabname = Host name\nlabpath = /labs/hostname.html\n\n[section]\n"
         "sectionname = Routing\nNumberOfLabs = 1\nlabname = RIP\nlabpath = /labs/rip.html\n"},
        {"replace never reaches into a later section", kExample.data(),
         [](auto& f) { return f.replace_lab("Basics", "RIP", "Hijacked", "/x.html"); },
         kExample.data()},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExampleLabsFile file = with(c.before);
        ASSERT_TRUE(c.edit(file));
        EXPECT_EQ(text(), crlf(c.after));
    }
}

TEST_F(LabsFile, WhatTheWritersWriteReadsBackAsTheTree) {
    with("");
    ASSERT_TRUE(labs.append_section("Basics"));
    ASSERT_TRUE(labs.append_section("Routing"));
    ASSERT_TRUE(labs.add_lab("Basics", "Modes", "/m.html"));
    ASSERT_TRUE(labs.add_lab("Routing", "RIP", "/r.html"));
    ASSERT_TRUE(labs.add_lab("Basics", "Ping", "/p.html"));
    ASSERT_TRUE(labs.replace_lab("Routing", "RIP", "RIP v1", "/r1.html"));
    ASSERT_TRUE(labs.append_section("Spare"));
    ASSERT_TRUE(labs.remove_lab("Modes", "Basics"));
    ASSERT_TRUE(labs.rename_section("Spare", "Switching"));
    ASSERT_TRUE(labs.add_lab("Switching", "VLANs", "/v.html"));

    const auto tree = labs.read_lab_tree();
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[0].name, "Basics");
    EXPECT_EQ(tree[0].labs, std::vector<std::string>{"Ping"});
    EXPECT_EQ(tree[1].labs, std::vector<std::string>{"RIP v1"});
    EXPECT_EQ(tree[2].name, "Switching");
    EXPECT_EQ(tree[2].labs, std::vector<std::string>{"VLANs"});
    EXPECT_EQ(labs.find_lab_page("RIP v1"), "/r1.html");
}

TEST_F(LabsFile, RewriteKeepsThePreviousVersionBeside) {
    with(kExample);
    ASSERT_TRUE(labs.rename_section("Basics", "First steps"));
    EXPECT_EQ(read_file(labs.copy_path()), crlf(kExample));
    ASSERT_TRUE(labs.remove_section("Routing"));
    EXPECT_NE(read_file(labs.copy_path()).find("First steps"), std::string::npos);
}

TEST_F(LabsFile, FailedWriteLeavesTheFileAsItWas) {
    with(kExample);
    // The previous version cannot be kept: a folder holds its name.
    std::filesystem::create_directories(labs.copy_path() + "/taken");
    const auto result = labs.add_lab("Basics", "Ping", "/p.html");
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find(labs.copy_path()), std::string::npos) << result.error;
    EXPECT_EQ(text(), crlf(kExample));
    EXPECT_FALSE(labs.remove_section("Basics"));
    EXPECT_EQ(text(), crlf(kExample));
    // No temporary file is left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}

// --------------------------------------------------------------- paths and the index

TEST(LabPaths, StoredPathsAreBelowTheProgramFolder) {
    vexlab::test::TempDir dir;
    const std::string folder = dir.path().string();
    std::filesystem::create_directories(dir.path() / "labs");
    using vexlab::labs::program_path;
    using vexlab::labs::stored_page_path;
    EXPECT_EQ(stored_page_path(folder, folder + "/labs/x.html"), "/labs/x.html");
    EXPECT_EQ(stored_page_path(folder, folder + "/labs/../x.html"), "/x.html");
    EXPECT_EQ(stored_page_path(folder, "/etc/passwd"), std::nullopt);
    EXPECT_EQ(stored_page_path(folder, folder + "/../elsewhere.html"), std::nullopt);
    EXPECT_EQ(stored_page_path(folder, folder), std::nullopt);

    EXPECT_EQ(program_path("/p", "/labs/x.html"), "/p/labs/x.html");
    EXPECT_EQ(program_path("/p", "\\labs\\x.html"), "/p/labs/x.html");
    EXPECT_EQ(program_path("/p", "labs/x.html"), "/p/labs/x.html");
}

TEST(LabNetworkIndex, FindsTheLineAfterTheLabsName) {
    struct Case {
        const char* name;
        const char* index;
        const char* lab;
        const char* path;
    };
    const Case cases[] = {
        {"blanks around the name", "labname =  RIP lab  \npath = /labs/rip.txt\n", "RIP lab",
         "/labs/rip.txt"},
        {"letter case counts", "labname = RIP lab\npath = /labs/rip.txt\n", "rip lab", ""},
        {"the first entry wins", "labname = A\npath = /one.txt\nlabname = A\npath = /two.txt\n",
         "A", "/one.txt"},
        {"a second \"=\" ends the path", "labname = A\npath = /a.txt = old\n", "A", "/a.txt"},
        {"nothing after \"=\"", "labname = A\npath =\n", "A", ""},
        {"lines without \"=\" are skipped", "# labs\n\nlabname = A\npath = /a.txt\n", "A",
         "/a.txt"},
        {"the name as the last line", "other = x\nlabname = A\n", "A", ""},
        {"a path line without \"=\"", "labname = A\n/a.txt\n", "A", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vexlab::test::TempDir dir;
        write_file(dir.file("load_labs.txt"), crlf(c.index));
        EXPECT_EQ(vexlab::labs::find_lab_network(dir.path().string(), c.lab), c.path);
    }
    vexlab::test::TempDir empty;
    EXPECT_EQ(vexlab::labs::find_lab_network(empty.path().string(), "A"), "");
}

}  // namespace

namespace {

// The list that ships with the program: every lab has its own page.
TEST(ShippedExampleLabs, EveryLabHasItsPage) {
    const std::string folder = vexlab::test::resources_dir() + "/example_labs";
    ExampleLabsFile shipped(folder);
    const auto tree = shipped.read_lab_tree();
    EXPECT_GE(tree.size(), 4u);
    std::set<std::string> labs;
    for (const LabSection& section : tree) {
        EXPECT_FALSE(section.labs.empty()) << section.name;
        for (const std::string& lab : section.labs) {
            SCOPED_TRACE(lab);
            EXPECT_TRUE(labs.insert(lab).second) << "two labs of one name show one page";
            const std::string page = shipped.find_lab_page(lab);
            ASSERT_FALSE(page.empty());
            EXPECT_TRUE(std::filesystem::is_regular_file(vexlab::labs::program_path(folder, page)));
        }
    }
    EXPECT_GE(labs.size(), 12u);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/" + vexlab::labs::kCoverPage));

    // Every network of the index belongs to a lab of the list.
    std::ifstream index(folder + "/" + vexlab::labs::kLabNetworkIndexName);
    int networks = 0;
    for (std::string line; std::getline(index, line);) {
        if (line.rfind("labname = ", 0) != 0) continue;
        ++networks;
        EXPECT_TRUE(labs.count(line.substr(10))) << line;
    }
    EXPECT_GE(networks, 6);
}

}  // namespace
