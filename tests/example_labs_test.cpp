// The example-labs list: how the readers see a file, and what each writer
// leaves in it, line for line.

#include "labs/example_labs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "support/test_database.h"

namespace {

using vexlab::labs::ExampleLabsFile;
using vexlab::labs::LabRef;
using vexlab::labs::LabSection;
using vexlab::labs::LabsListError;
using vexlab::labs::SectionRef;

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
        {"a name line holding two \"=\" names the section by its second part",
         "[section]\nsectionname = A=B\nNumberOfLabs = 0\nlabname = x\n",
         {{"A", {}}}},
        {"a header that only looks like one is a stray line",
         "[section]\nsectionname = A\n\n[Section]\nsectionname = B\n",
         {{"A", {}}}},
        {"header right after a name line starts the next block",
         "[section]\nsectionname = A\n[section]\nsectionname = B\nNumberOfLabs = 1\nlabname = "
         "y\n",
         {{"A", {}}, {"B", {"y"}}}},
        {"two empty lines between blocks, no final line end",
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "p\n\n\n[section]\nsectionname = A",
         {{"A", {"x"}}, {"A", {}}}},
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

// Every file of the fixture folder is refused with the line its name gives
// and the reason the table gives, and no writer touches it.
TEST_F(LabsFile, ListsTheTreeCannotShowWholeAreRefusedWithTheirLine) {
    const std::map<std::string, std::string> reasons = {
        {"count-below-zero@3.txt", "the number of labs \"-1\" is not a count from 0 to 32767"},
        {"count-not-a-number@3.txt", "the number of labs \"two\" is not a count"},
        {"count-too-large@3.txt", "the number of labs \"4294967297\" is not a count"},
        {"count-one-past-the-most@3.txt", "the number of labs \"32768\" is not a count"},
        {"header-after-header@1.txt", "is not followed by its \"sectionname\" line"},
        {"header-at-the-end@4.txt", "is not followed by its \"sectionname\" line"},
        {"header-without-name@7.txt", "is not followed by its \"sectionname\" line"},
        {"header-with-a-stray-cr@7.txt", "is not followed by its \"sectionname\" line"},
        {"name-key-in-other-case@1.txt", "is not followed by its \"sectionname\" line"},
    };
    const std::filesystem::path folder =
        std::filesystem::path(VEXLAB_FIXTURES_DIR) / "malformed" / "labs-list";
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        ++files;
        const auto reason = reasons.find(entry.path().filename().string());
        ASSERT_NE(reason, reasons.end()) << "no reason in the table";
        const std::string content = read_file(entry.path().string());
        write_file(labs.path(), content);
        try {
            labs.read_lab_tree();
            ADD_FAILURE() << "accepted";
        } catch (const LabsListError& error) {
            EXPECT_EQ(error.path(), labs.path());
            EXPECT_EQ(error.line(), std::stoi(name.substr(name.find('@') + 1)));
            EXPECT_NE(error.reason().find(reason->second), std::string::npos) << error.reason();
            EXPECT_EQ(error.message().rfind("The list of labs could not be read.\n" + labs.path() +
                                                "\nLine " + std::to_string(error.line()) + ": ",
                                            0),
                      0u)
                << error.message();
        }
        const SectionRef first{0, "A"};
        for (const auto& result : {labs.append_section("New"), labs.add_lab(first, "y", "/y.html"),
                                   labs.remove_section(first), labs.rename_section(first, "B")}) {
            EXPECT_FALSE(result);
            EXPECT_NE(result.error.find(labs.path()), std::string::npos) << result.error;
        }
        EXPECT_EQ(text(), content);
    }
    EXPECT_EQ(files, reasons.size());
}

TEST_F(LabsFile, AFolderInThePlaceOfTheListIsRefused) {
    std::filesystem::create_directories(labs.path());
    try {
        labs.read_lab_tree();
        ADD_FAILURE() << "accepted";
    } catch (const LabsListError& error) {
        EXPECT_EQ(error.line(), 0);
        EXPECT_EQ(error.message(), "The list of labs could not be read.\n" + labs.path() +
                                       "\na folder stands in the place of the file");
    }
    EXPECT_FALSE(labs.append_section("New"));
    EXPECT_TRUE(std::filesystem::is_directory(labs.path()));
}

// --------------------------------------------------------------- lookups

TEST_F(LabsFile, LookupsFindTheSectionOrLabAtItsPlace) {
    with(std::string(kExample) +
         "\n[section]\nsectionname = More\nNumberOfLabs = 2\nlabname = RIP\nlabpath = "
         "/labs/rip2.html\nlabname = Broken\nnot a path\n");
    EXPECT_EQ(labs.find_lab_page("RIP"), "/labs/rip.html");  // the first in the file
    EXPECT_EQ(labs.find_lab_page("rip"), "");
    EXPECT_EQ(labs.find_lab_page("Broken"), "");

    const SectionRef more{2, "More"};
    EXPECT_EQ(labs.lab_page({more, 0, "RIP"}), "/labs/rip2.html");
    EXPECT_EQ(labs.lab_page({{1, "Routing"}, 0, "RIP"}), "/labs/rip.html");
    EXPECT_EQ(labs.lab_page({more, 1, "Broken"}), std::nullopt);
    EXPECT_EQ(labs.lab_page({more, 0, "Broken"}), std::nullopt);  // not at that place

    EXPECT_TRUE(labs.section_exists("Basics"));
    EXPECT_FALSE(labs.section_exists("basics"));
    EXPECT_FALSE(labs.section_exists(" Basics"));  // the editor checks the name as shown

    EXPECT_TRUE(labs.holds(more));
    EXPECT_FALSE(labs.holds(SectionRef{1, "More"}));
    EXPECT_FALSE(labs.holds(SectionRef{3, "More"}));
    EXPECT_TRUE(labs.holds(LabRef{{0, "Basics"}, 1, "Host name"}));
    EXPECT_FALSE(labs.holds(LabRef{{0, "Basics"}, 2, "Host name"}));

    EXPECT_TRUE(labs.lab_exists_in_section({0, "Basics"}, "Host name"));
    EXPECT_FALSE(labs.lab_exists_in_section({0, "Basics"}, "RIP"));
    EXPECT_TRUE(labs.lab_exists_in_section(more, "RIP"));
    EXPECT_FALSE(labs.lab_exists_in_section({1, "More"}, "RIP"));
}

TEST_F(LabsFile, NamesCompareAsTheTreeShowsThem) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"Routing", "Routing"},     {" Routing", "Routing"}, {"Routing  ", "Routing"},
        {"\tRouting", "\tRouting"}, {"Rout=ing", "Rout"},    {"   ", ""},
        {"routing", "routing"},
    };
    for (const auto& c : cases) EXPECT_EQ(vexlab::labs::shown_name(c.typed), c.shown) << c.typed;
    // What is shown is what the tree reads back; a name holding "=" is not
    // written at all (see the test of unreadable names).
    with("");
    std::vector<std::string> shown;
    for (const auto& c : cases) {
        if (vexlab::labs::unreadable_entry(c.typed)) continue;
        ASSERT_TRUE(labs.append_section(c.typed));
        shown.push_back(c.shown);
    }
    const auto tree = labs.read_lab_tree();
    ASSERT_EQ(tree.size(), shown.size());
    for (std::size_t i = 0; i < tree.size(); ++i) EXPECT_EQ(tree[i].name, shown[i]);
    // The duplicate check finds each section by the name it shows, and no
    // section by a name line the tree passes over.
    for (const auto& name : shown) EXPECT_TRUE(labs.section_exists(name)) << name;
    with("[section]\nsectionname = A\nNumberOfLabs = 0\nsectionname = Stray\n");
    EXPECT_FALSE(labs.section_exists("Stray"));
}

TEST_F(LabsFile, LabsTheCountHidesStillCountAsTaken) {
    with(
        "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = p\n\nlabname = "
        "y\n");
    EXPECT_TRUE(labs.lab_exists_in_section({0, "A"}, "x"));
    EXPECT_TRUE(labs.lab_exists_in_section({0, "A"}, "y"));
    EXPECT_FALSE(labs.lab_exists_in_section({0, "A"}, "z"));
}

// --------------------------------------------------------------- writers

struct WriteCase {
    const char* name;
    const char* before;
    std::function<vexlab::labs::SaveResult(ExampleLabsFile&)> edit;
    const char* after;
};

TEST_F(LabsFile, WritersLeaveTheLayoutTheReadersExpect) {
    const SectionRef basics{0, "Basics"};
    const SectionRef routing{1, "Routing"};
    const WriteCase cases[] = {
        {"append to an empty file", "", [](auto& f) { return f.append_section("New"); },
         "[section]\nsectionname = New\n"},
        {"append keeps the name as typed", "[section]\nsectionname = A\n",
         [](auto& f) { return f.append_section(" B "); },
         "[section]\nsectionname = A\n\n[section]\nsectionname =  B \n"},
        {"add a lab to a section with labs", kExample.data(),
         [&](auto& f) { return f.add_lab(basics, "Ping", "/labs/ping.html"); },
         "[section]\nsectionname = Basics\nNumberOfLabs = 3\nlabname = Modes\nlabpath = "
         "/labs/modes.html\nlabname = Host name\nlabpath = /labs/hostname.html\nlabname = "
         "Ping\nlabpath = /labs/ping.html\n\n[section]\nsectionname = Routing\nNumberOfLabs = "
         "1\nlabname = RIP\nlabpath = /labs/rip.html\n"},
        {"add a lab to the last block, no empty line at the end", kExample.data(),
         [&](auto& f) { return f.add_lab(routing, "OSPF", "/labs/ospf.html"); },
         "[section]\nsectionname = Basics\nNumberOfLabs = 2\nlabname = Modes\nlabpath = "
         "/labs/modes.html\nlabname = Host name\nlabpath = /labs/hostname.html\n\n[section]\n"
         "sectionname = Routing\nNumberOfLabs = 2\nlabname = RIP\nlabpath = "
         "/labs/rip.html\nlabname = OSPF\nlabpath = /labs/ospf.html\n\n"},
        {"add the first lab of a section",
         "[section]\nsectionname = A\n\n[section]\nsectionname = B\n",
         [](auto& f) {
             return f.add_lab({0, "A"}, "x", "/x.html");
         },
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "/x.html\n\n[section]\nsectionname = B\n"},
        {"add a lab where the next header follows without an empty line",
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "p\n[section]\nsectionname = B\n",
         [](auto& f) {
             return f.add_lab({0, "A"}, "y", "q");
         },
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = q\n\n[section]\nsectionname = B\n"},
        {"add a lab to the second of two sections of one name",
         "[section]\nsectionname = A\n\n[section]\nsectionname = A\n",
         [](auto& f) {
             return f.add_lab({1, "A"}, "x", "/x.html");
         },
         "[section]\nsectionname = A\n\n[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = "
         "x\nlabpath = /x.html\n\n"},
        {"a new lab follows the shown labs, not those the count hides",
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = p\nlabname = "
         "h\nlabpath = q\n",
         [](auto& f) {
             return f.add_lab({0, "A"}, "y", "r");
         },
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = r\nlabname = h\nlabpath = q\n"},
        {"remove the first of blocks separated by two empty lines",
         "[section]\nsectionname = A\n\n\n[section]\nsectionname = B\n",
         [](auto& f) {
             return f.remove_section({0, "A"});
         },
         "\n[section]\nsectionname = B\n"},
        {"remove the last block", kExample.data(),
         [&](auto& f) { return f.remove_section(routing); },
         "[section]\nsectionname = Basics\nNumberOfLabs = 2\nlabname = Modes\nlabpath = "
         "/labs/modes.html\nlabname = Host name\nlabpath = /labs/hostname.html\n\n"},
        {"remove one of two sections of one name",
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "p\n\n[section]\nsectionname = A\n\n[section]\nsectionname = C\n",
         [](auto& f) {
             return f.remove_section({1, "A"});
         },
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "p\n\n[section]\nsectionname = C\n"},
        {"a removed block takes its stray lines along",
         "[section]\nsectionname = A\nNumberOfLabs = 1\nlabname = x\nlabpath = p\n\nlabname = "
         "h\n\n[section]\nsectionname = B\n",
         [](auto& f) {
             return f.remove_section({0, "A"});
         },
         "[section]\nsectionname = B\n"},
        {"remove a lab from one section only",
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = q\n\n[section]\nsectionname = B\nNumberOfLabs = 1\nlabname = x\nlabpath = "
         "r\n",
         [](auto& f) {
             return f.remove_lab({{1, "B"}, 0, "x"});
         },
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = q\n\n[section]\nsectionname = B\n"},
        {"remove the second of two labs of one name and lower the count",
         "[section]\nsectionname = A\nNumberOfLabs = 3\nlabname = x\nlabpath = p\nlabname = "
         "x\nlabpath = q\nlabname = y\nlabpath = r\n",
         [](auto& f) {
             return f.remove_lab({{0, "A"}, 1, "x"});
         },
         "[section]\nsectionname = A\nNumberOfLabs = 2\nlabname = x\nlabpath = p\nlabname = "
         "y\nlabpath = r\n"},
        {"rename to the empty text", kExample.data(),
         [&](auto& f) { return f.rename_section(routing, ""); },
         "[section]\nsectionname = Basics\nNumberOfLabs = 2\nlabname = Modes\nlabpath = "
         "/labs/modes.html\nlabname = Host name\nlabpath = /labs/hostname.html\n\n[section]\n"
         "sectionname = \nNumberOfLabs = 1\nlabname = RIP\nlabpath = /labs/rip.html\n"},
        {"rename one of two sections of one name",
         "[section]\nsectionname = A\n\n[section]\nsectionname = A\n",
         [](auto& f) {
             return f.rename_section({0, "A"}, "B");
         },
         "[section]\nsectionname = B\n\n[section]\nsectionname = A\n"},
        {"replace a lab in place", kExample.data(),
         [&](auto& f) {
             return f.replace_lab({basics, 0, "Modes"}, "Modes 2", "/labs/m2.html");
         },
         "[section]\nsectionname = Basics\nNumberOfLabs = 2\nlabname = Modes 2\nlabpath = "
         "/labs/m2.html\nlabname = Host name\nlabpath = /labs/hostname.html\n\n[section]\n"
         "sectionname = Routing\nNumberOfLabs = 1\nlabname = RIP\nlabpath = /labs/rip.html\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExampleLabsFile file = with(c.before);
        ASSERT_TRUE(c.edit(file));
        EXPECT_EQ(text(), crlf(c.after));
    }
}

// A section or lab that another window or instance has taken out of the
// list since it was shown is gone: the writer says so and writes nothing,
// neither the list (its line ends stay as they are) nor the copy beside it.
TEST_F(LabsFile, AnEditOfASectionOrLabThatIsGoneWritesNothing) {
    const SectionRef basics{0, "Basics"};
    const SectionRef routing{1, "Routing"};
    const struct {
        const char* name;
        std::function<vexlab::labs::SaveResult(ExampleLabsFile&)> edit;
        const char* gone;
    } cases[] = {
        {"remove a section renamed meanwhile",
         [](auto& f) {
             return f.remove_section({1, "Switching"});
         },
         "the section \"Switching\" is no longer in the list"},
        {"remove a section past the last",
         [](auto& f) {
             return f.remove_section({2, "Routing"});
         },
         "the section \"Routing\""},
        {"rename a section removed meanwhile",
         [](auto& f) {
             return f.rename_section({2, "Extra"}, "New");
         },
         "the section \"Extra\""},
        {"add a lab to a section removed meanwhile",
         [](auto& f) {
             return f.add_lab({2, "Extra"}, "x", "/x.html");
         },
         "the section \"Extra\""},
        {"remove a lab not at its place",
         [&](auto& f) {
             return f.remove_lab({basics, 0, "z"});
         },
         "the lab \"z\" of the section \"Basics\""},
        {"remove a lab of a section removed meanwhile",
         [](auto& f) {
             return f.remove_lab({{2, "Extra"}, 0, "x"});
         },
         "the lab \"x\""},
        {"replace a lab of another section",
         [&](auto& f) {
             return f.replace_lab({basics, 0, "RIP"}, "Hijacked", "/x.html");
         },
         "the lab \"RIP\" of the section \"Basics\""},
        {"replace a lab past the last",
         [&](auto& f) {
             return f.replace_lab({routing, 1, "OSPF"}, "x", "/x.html");
         },
         "the lab \"OSPF\""},
    };
    const std::string lf(kExample);  // as a hand edit leaves it: LF line ends
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(labs.copy_path());
        write_file(labs.path(), lf);
        const auto result = c.edit(labs);
        EXPECT_FALSE(result);
        EXPECT_TRUE(result.gone);
        EXPECT_NE(result.error.find(c.gone), std::string::npos) << result.error;
        EXPECT_EQ(text(), lf);
        EXPECT_FALSE(std::filesystem::exists(labs.copy_path()));
    }
}

// A name or page holding "=" or a line break would not read back as typed:
// every writer refuses it and the list stays as it was.
TEST_F(LabsFile, NamesThatWouldNotReadBackAreRefused) {
    const struct {
        const char* typed;
        const char* why;
    } unreadable[] = {
        {"My \"lab\"; = test", "it holds \"=\""},
        {"Extra = Section", "it holds \"=\""},
        {"=", "it holds \"=\""},
        {"two\r\nlines", "it holds a line break"},
        {"a\rb", "it holds a line break"},
        {"a\nb", "it holds a line break"},
    };
    for (const auto& u : unreadable)
        EXPECT_EQ(vexlab::labs::unreadable_entry(u.typed), std::string(u.why)) << u.typed;
    for (const char* fine : {"Routing", " Routing ", "a: b", "\tx", "", "[section]"})
        EXPECT_EQ(vexlab::labs::unreadable_entry(fine), std::nullopt) << fine;

    const SectionRef basics{0, "Basics"};
    for (const auto& u : unreadable) {
        SCOPED_TRACE(u.typed);
        with(kExample);
        const std::string before = text();
        for (const auto& result :
             {labs.append_section(u.typed), labs.add_lab(basics, u.typed, "/x.html"),
              labs.add_lab(basics, "x", std::string("/a") + u.typed + ".html"),
              labs.rename_section(basics, u.typed),
              labs.replace_lab({basics, 0, "Modes"}, u.typed, "/m.html"),
              labs.replace_lab({basics, 0, "Modes"}, "Modes", std::string("/") + u.typed)}) {
            EXPECT_FALSE(result);
            EXPECT_FALSE(result.gone);
            EXPECT_NE(result.error.find(u.why), std::string::npos) << result.error;
        }
        EXPECT_EQ(text(), before);
    }
}

// The reader takes counts up to kMostLabs; no writer raises one beyond it,
// so a list it wrote always reads again.
TEST_F(LabsFile, NoWriterRaisesACountBeyondWhatTheReaderTakes) {
    const std::string most = std::to_string(vexlab::labs::kMostLabs);
    with("[section]\nsectionname = A\nNumberOfLabs = " + most + "\nlabname = x\nlabpath = p\n");
    ASSERT_EQ(labs.read_lab_tree().size(), 1u);
    const std::string before = text();
    const auto added = labs.add_lab({0, "A"}, "y", "/y.html");
    EXPECT_FALSE(added);
    EXPECT_FALSE(added.gone);
    EXPECT_NE(added.error.find("counts " + most + " labs"), std::string::npos) << added.error;
    EXPECT_EQ(text(), before);
    EXPECT_EQ(labs.read_lab_tree().size(), 1u);

    with("[section]\nsectionname = A\nNumberOfLabs = " +
         std::to_string(vexlab::labs::kMostLabs + 1) + "\n");
    EXPECT_THROW(labs.read_lab_tree(), LabsListError);
}

// A lone carriage return ends a line, as editors show it: a header written
// "[section]\r\r\n" stands on a line of its own with an empty line after
// it, so its section has no name line and the list is refused there.  No
// section hides in the block above, and no writer takes its labs away.
TEST_F(LabsFile, StrayCarriageReturnsEndLinesAsEditorsShowThem) {
    const std::string list =
        "[section]\r\nsectionname = A\r\nNumberOfLabs = 1\r\nlabname = a\r\nlabpath = "
        "/a.html\r\n\r\n[section]\r\r\nsectionname = Hidden\r\nNumberOfLabs = 3\r\nlabname = "
        "x\r\nlabpath = /x.html\r\nlabname = y\r\nlabpath = /y.html\r\nlabname = z\r\nlabpath = "
        "/z.html\r\n";
    write_file(labs.path(), list);
    try {
        labs.read_lab_tree();
        ADD_FAILURE() << "read";
    } catch (const LabsListError& error) {
        EXPECT_EQ(error.line(), 7);
        EXPECT_NE(error.reason().find("is not followed by its \"sectionname\" line"),
                  std::string::npos);
    }
    EXPECT_FALSE(labs.remove_section({0, "A"}));
    EXPECT_EQ(text(), list);

    // A CR inside a name line ends the name where an editor shows it end.
    with("[section]\nsectionname = Shown\rHidden\n");
    EXPECT_EQ(labs.read_lab_tree().front().name, "Shown");
}

// Reading and writing take time in proportion to the list: with a line of
// four megabytes of "=" they take about as long as with one of letters.
TEST_F(LabsFile, AHugeLineTakesNoLongerThanItsSize) {
    auto read_and_add = [&](char filler) {
        with(std::string(kExample) + std::string(4 << 20, filler) + "\n");
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(labs.read_lab_tree().size(), 2u);
        EXPECT_TRUE(labs.holds(SectionRef{1, "Routing"}));
        EXPECT_TRUE(labs.add_lab({1, "Routing"}, "OSPF", "/o.html"));
        EXPECT_EQ(labs.read_lab_tree()[1].labs, (std::vector<std::string>{"RIP", "OSPF"}));
        return std::chrono::steady_clock::now() - start;
    };
    const auto letters = read_and_add('x');
    const auto equals = read_and_add('=');
    EXPECT_LT(equals, 3 * letters + std::chrono::milliseconds(100));
}

TEST_F(LabsFile, WhatTheWritersWriteReadsBackAsTheTree) {
    with("");
    ASSERT_TRUE(labs.append_section("Basics"));
    ASSERT_TRUE(labs.append_section("Routing"));
    const SectionRef basics{0, "Basics"};
    const SectionRef routing{1, "Routing"};
    ASSERT_TRUE(labs.add_lab(basics, "Modes", "/m.html"));
    ASSERT_TRUE(labs.add_lab(routing, "RIP", "/r.html"));
    ASSERT_TRUE(labs.add_lab(basics, "Ping", "/p.html"));
    ASSERT_TRUE(labs.replace_lab({routing, 0, "RIP"}, "RIP v1", "/r1.html"));
    ASSERT_TRUE(labs.append_section("Spare"));
    ASSERT_TRUE(labs.remove_lab({basics, 0, "Modes"}));
    ASSERT_TRUE(labs.rename_section({2, "Spare"}, "Switching"));
    ASSERT_TRUE(labs.add_lab({2, "Switching"}, "VLANs", "/v.html"));

    const auto tree = labs.read_lab_tree();
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[0].name, "Basics");
    EXPECT_EQ(tree[0].labs, std::vector<std::string>{"Ping"});
    EXPECT_EQ(tree[1].labs, std::vector<std::string>{"RIP v1"});
    EXPECT_EQ(tree[2].name, "Switching");
    EXPECT_EQ(tree[2].labs, std::vector<std::string>{"VLANs"});
    EXPECT_EQ(labs.find_lab_page("RIP v1"), "/r1.html");
}

// The section " Routing" is written as typed and shows as "Routing"; removing
// it takes that block alone, never the section of the same name and its labs.
TEST_F(LabsFile, RemovingOneOfTwoSectionsThatShowAlikeKeepsTheOther) {
    with(kExample);
    ASSERT_TRUE(labs.append_section(" Routing"));
    auto tree = labs.read_lab_tree();
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[2].name, "Routing");
    ASSERT_TRUE(labs.remove_section({2, "Routing"}));
    EXPECT_EQ(text(), crlf(std::string(kExample) + "\n"));
    tree = labs.read_lab_tree();
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[1].labs, std::vector<std::string>{"RIP"});
}

TEST_F(LabsFile, RewriteKeepsThePreviousVersionBeside) {
    with(kExample);
    ASSERT_TRUE(labs.rename_section({0, "Basics"}, "First steps"));
    EXPECT_EQ(read_file(labs.copy_path()), crlf(kExample));
    ASSERT_TRUE(labs.remove_section({1, "Routing"}));
    EXPECT_NE(read_file(labs.copy_path()).find("First steps"), std::string::npos);
}

TEST_F(LabsFile, FailedWriteLeavesTheFileAsItWas) {
    with(kExample);
    // The previous version cannot be kept: a folder holds its name.
    std::filesystem::create_directories(labs.copy_path() + "/taken");
    const auto result = labs.add_lab({0, "Basics"}, "Ping", "/p.html");
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find(labs.copy_path()), std::string::npos) << result.error;
    EXPECT_EQ(text(), crlf(kExample));
    EXPECT_FALSE(labs.remove_section({0, "Basics"}));
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

// The list that ships with the program: every lab has its own page, and
// every page and network source shipped belongs to a lab of the list, so
// what replays the listed labs reaches all of them.
TEST(ShippedExampleLabs, EveryLabHasItsPage) {
    namespace fs = std::filesystem;
    const std::string folder = vexlab::test::resources_dir() + "/example_labs";
    ExampleLabsFile shipped(folder);
    const auto tree = shipped.read_lab_tree();
    EXPECT_GE(tree.size(), 4u);
    std::set<std::string> labs;
    std::set<fs::path> pages{fs::path(folder + "/" + vexlab::labs::kCoverPage).lexically_normal()};
    for (const LabSection& section : tree) {
        EXPECT_FALSE(section.labs.empty()) << section.name;
        for (const std::string& lab : section.labs) {
            SCOPED_TRACE(lab);
            EXPECT_TRUE(labs.insert(lab).second) << "two labs of one name show one page";
            const std::string page = shipped.find_lab_page(lab);
            ASSERT_FALSE(page.empty());
            const fs::path file = fs::path(vexlab::labs::program_path(folder, page));
            EXPECT_TRUE(fs::is_regular_file(file));
            pages.insert(file.lexically_normal());
        }
    }
    EXPECT_GE(labs.size(), 12u);
    EXPECT_TRUE(fs::is_regular_file(folder + "/" + vexlab::labs::kCoverPage));
    for (const auto& entry : fs::directory_iterator(folder + "/labs"))
        EXPECT_TRUE(pages.count(entry.path().lexically_normal()))
            << entry.path() << " is the page of no lab of the list";

    // Every network of the index belongs to a lab of the list, and every
    // network source is a network of the index.
    std::ifstream index(folder + "/" + vexlab::labs::kLabNetworkIndexName);
    int networks = 0;
    std::set<std::string> indexed;
    for (std::string line; std::getline(index, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("labpath = ", 0) == 0)
            indexed.insert(fs::path(line.substr(10)).stem().string());
        if (line.rfind("labname = ", 0) != 0) continue;
        ++networks;
        EXPECT_TRUE(labs.count(line.substr(10))) << line;
    }
    EXPECT_GE(networks, 6);
    for (const auto& entry : fs::directory_iterator(folder + "/networks"))
        EXPECT_TRUE(indexed.count(entry.path().stem().string()))
            << entry.path() << " is the network of no lab";
}

}  // namespace
