// The catalogue source and its compiler: rows, indexes, attributes, and the
// rules that make the build refuse a catalogue.

#include "interpreter/catalogue_compiler.h"

#include <gtest/gtest.h>

#include "platform/db_session.h"
#include "support/test_database.h"

using vexlab::interpreter::CatalogueError;
using vexlab::interpreter::compile_catalogue;

namespace {

const std::set<std::string> kTokens = {"<WORD>", "<A.B.C.D>", "<PORT_NUMBER>", "<NO_RULE>"};

vexlab::interpreter::CatalogueNames names(bool check_dispatch = false) {
    return {kTokens, {"act", "build_show_output"}, check_dispatch};
}

vexlab::interpreter::CompiledCatalogue compile(const std::string& text) {
    return compile_catalogue({{"test.cat", text}}, names());
}

TEST(CatalogueCompiler, BuildsTheTreeWithRowsPerKindAndMode) {
    auto c = compile(R"(
[router switch (config)#]
hostname        desc="Set system's network name"
  <WORD>        set=hostname desc="This system's network name"
interface       mode=(config-if)# desc="Select an interface to configure"
  serial        desc="Serial"
    <PORT_NUMBER> desc="Serial interface number"
  ethernet
    <PORT_NUMBER>
no              resp="nill" do=act
  ip
    domain-lookup set=ip_domain_lookup
    route
      end_cmd   set=a,b,c,d resp="done"
)");
    // Two kinds give every first word twice, with its subtree.
    ASSERT_EQ(c.roots.size(), 6u);
    EXPECT_EQ(c.roots[0].command, "hostname");
    EXPECT_EQ(c.roots[0].ref, 1);
    EXPECT_EQ(c.roots[3].ref, 2);
    EXPECT_EQ(c.roots[0].mode, vexlab::test::mode("(config)#"));
    EXPECT_EQ(c.roots[0].mode_after, vexlab::test::mode("(config)#"));
    EXPECT_EQ(c.roots[1].mode_after, vexlab::test::mode("(config-if)#"));
    EXPECT_TRUE(c.roots[0].further);
    EXPECT_EQ(c.roots[0].response, "nill");
    // Children point at their parent's index.
    const auto& level1 = c.words[0];
    EXPECT_EQ(level1[0].command, "<WORD>");
    EXPECT_EQ(level1[0].ref, c.roots[0].index);
    EXPECT_EQ(level1[0].parameters, (std::vector<std::string>{"hostname"}));
    EXPECT_EQ(level1[0].response, "null");
    EXPECT_FALSE(level1[0].further);
    // A handler holds for the rows below the row that names it.
    EXPECT_EQ(c.roots[2].handler, "act");
    EXPECT_EQ(c.words[1].back().handler, "act");
    EXPECT_EQ(c.roots[0].handler, "");
    const auto& end = c.words[2].back();
    EXPECT_EQ(end.command, "end_cmd");
    EXPECT_EQ(end.parameters.size(), 4u);
    EXPECT_EQ(end.response, "done");
    EXPECT_EQ(end.ref, c.words[1].back().index);
    // Indexes are unique and count from 1 in every table.
    for (std::size_t i = 0; i < c.roots.size(); ++i) EXPECT_EQ(c.roots[i].index, int(i) + 1);
}

TEST(CatalogueCompiler, RefusesCataloguesThatBreakTheRules) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"[router >]\nshow do=act\n  ip\n  <VLAN_NUM>\n",
         "test.cat:4: unknown argument token <VLAN_NUM>"},
        // Listed in the token table, but no check knows it.
        {"[router >]\nshow do=act\n  <NO_RULE>\n", "test.cat:3: unknown argument token <NO_RULE>"},
        {"[router >]\nshow do=nobody\n", "test.cat:2: no service registers the handler 'nobody'"},
        {"[router >]\nshow do=\n", "test.cat:2: do= needs a handler name"},
        // A command that could end without doing anything.
        {"[router #]\ncopy\n  running-config resp=\"[OK]\"\n",
         "test.cat:3: the command 'copy running-config' ends here but neither writes"},
        {"[router #]\nwrite do=act\n  memory\n  erase set=k\n  nothing do=act\n[router >]\nping\n",
         "test.cat:7: the command 'ping' ends here"},
        {"[router >]\nshow do=act\n  interface\n  interfaces\n",
         "test.cat:3: 'interface' is a prefix of its sibling 'interfaces'"},
        {"[router >]\nshow do=act\n  clock\n  clock\n",
         "test.cat:4: 'clock' is already a word here"},
        {"[router >]\nsh do=act\nshow do=act\n",
         "test.cat:2: 'sh' is a prefix of its sibling 'show'"},
        {"[router >]\nshow set=\n", "test.cat:2: a row with an action needs parameters"},
        {"[router >]\nshow set=a,,b\n", "test.cat:2: empty entry in the parameter list"},
        {"[router (config-xx)#]\nshow\n", "test.cat:1: unknown mode or device kind '(config-xx)#'"},
        {"[router >]\nenable mode=(nowhere)#\n", "test.cat:2: unknown mode '(nowhere)#'"},
        {"[router >]\nshow\n  clock mode=#\n",
         "test.cat:3: mode= and disabled belong to first words"},
        {"[router >]\nshow\n    clock\n", "test.cat:3: indented more than one level"},
        {"[router >]\nshow\n   clock\n", "test.cat:3: indent by two blanks per level"},
        {"[router >]\nend_cmd\n", "test.cat:2: end_cmd cannot be a first word"},
        {"[router >]\nshow\n  end_cmd\n    more\n",
         "test.cat:4: end_cmd cannot have further words"},
        {"show\n", "test.cat:1: a command before the first section line"},
        {"[router >]\nshow bogus=1\n", "test.cat:2: unknown attribute 'bogus'"},
        {"[router >]\nshow desc=\"open\n", "test.cat:2: unclosed quote"},
        {"[router >]\nshow set=a,b,c,d,e\n", "test.cat:2: at most four parameters"},
        {"[router >]\nabcdefghijabcdefghijabcdefghijabcdefghijX\n",
         "test.cat:2: a word has at most 40 characters"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            compile(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const CatalogueError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(CatalogueCompiler, PrefixRuleSparesArgumentsEndMarkersAndTheExactFirstWords) {
    // "ip" may be a prefix of "ipx" among first words; end_cmd and argument
    // rows never clash with keywords ("e" matching end_cmd is intended).
    EXPECT_NO_THROW(
        compile("[router (config)#]\nip do=act\nipx do=act\ndial do=act\ndialer do=act\n"));
    EXPECT_NO_THROW(compile("[router #]\nshow do=act\n  end_cmd\n  e\n  <WORD>\n"));
    // The same words in different modes or kinds are no siblings.
    EXPECT_NO_THROW(
        compile("[router >]\nshow do=act\n[router #]\nshow do=act\n[switch >]\nshow do=act\n"));
    // ... but first words of one mode are siblings across sections.
    EXPECT_THROW(compile("[router >]\nshow do=act\n[router switch >]\nshow do=act\n"),
                 CatalogueError);
    // Below the first word the exception does not hold.
    EXPECT_THROW(compile("[router #]\nno do=act\n  ip\n  ipx\n"), CatalogueError);
}

TEST(CatalogueCompiler, CommandsTheDispatchNamesCallItsHandler) {
    auto with_dispatch = [](const std::string& text) {
        return compile_catalogue({{"test.cat", text}}, names(true));
    };
    // A mode change alone is something a command does.
    EXPECT_NO_THROW(with_dispatch("[router #]\nconfigure mode=(config)#\n  terminal\n"));
    EXPECT_NO_THROW(with_dispatch("[router >]\nshow do=build_show_output\n  clock\n"));
    try {
        with_dispatch("[router >]\nshow do=act\n  clock\n");
        ADD_FAILURE() << "accepted";
    } catch (const CatalogueError& error) {
        EXPECT_NE(std::string(error.what())
                      .find("test.cat:3: the command 'show clock' must name do=build_show_output"),
                  std::string::npos)
            << error.what();
    }
    // The shipped dispatch has no row for "write" with another word.
    EXPECT_NO_THROW(with_dispatch("[router #]\nwrite\n  often do=act\n"));
}

TEST(CatalogueCompiler, MoreThanTheRootIndexLimitIsRefused) {
    std::string text = "[router >]\n";
    for (int i = 0; i < 32768; ++i) text += "w" + std::to_string(i) + "x do=act\n";
    EXPECT_THROW(compile(text), CatalogueError);
}

TEST(CatalogueCompiler, StoredRowsLandInTheirColumns) {
    vexlab::test::TempDir dir;
    vexlab::db::DatabaseSession session;
    vexlab::test::empty_database(session, dir.file("c.db"));
    auto c = compile(
        "[router #]\nconfigure mode=(config)# desc=\"Enter configuration mode\" disabled do=act\n"
        "  terminal set=k1,k2,k3,k4 resp=\"Enter configuration commands\"\n");
    vexlab::interpreter::store_catalogue(session, c);
    auto root = session.open_recordset("SELECT * FROM tblsublabcmds");
    EXPECT_EQ(root.text(0), "1");
    EXPECT_EQ(root.text(2), "#");
    EXPECT_EQ(root.text(3), "configure");
    EXPECT_EQ(root.text(4), "(config)#");
    EXPECT_EQ(root.text(5), "False");  // disabled
    EXPECT_EQ(root.text(6), "False");  // no action
    EXPECT_EQ(root.text(7), "act");    // its handler
    EXPECT_EQ(root.text(13), "True");  // further words
    EXPECT_EQ(root.text(14), "nill");
    EXPECT_EQ(root.text(15), "Enter configuration mode");
    EXPECT_EQ(root.text("ref"), "1");
    auto word = session.open_recordset("SELECT * FROM tblsublabcmds1");
    EXPECT_EQ(word.text(1), "terminal");
    EXPECT_EQ(word.text(2), "True");
    EXPECT_EQ(word.text(3), "4");
    EXPECT_EQ(word.text(4), "k1");
    EXPECT_EQ(word.text(6), "k3");
    EXPECT_EQ(word.text(7), "False");
    EXPECT_EQ(word.text(8), "Enter configuration commands");
    EXPECT_EQ(word.text(11), "k4");
    EXPECT_EQ(word.text(12), "act");
    EXPECT_EQ(word.text("ref"), "1");
}

}  // namespace
