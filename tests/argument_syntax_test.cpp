// Every argument token with words it accepts and words it refuses, what an
// accepted word leaves in the argument slots, and the interface tokens'
// context.

#include "interpreter/argument_syntax.h"

#include <gtest/gtest.h>

#include "state/app_state.h"
#include "state/settings.h"
#include "support/test_database.h"

namespace {

using namespace vexlab;

class ArgumentSyntaxTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::fresh_database(folder.file("commandsbackup.mdb"));
        app.session.open(folder.file("commandsbackup.mdb"));
        test::seed_device_tables(app.session);
        app.console.device.current_device = "R1";
    }
    // One check on a fresh list of arguments.
    bool check(const std::string& token, const std::string& word) {
        arguments.clear();
        return take(token, word);
    }
    // One more check on the same line.
    bool take(const std::string& token, const std::string& word) {
        interpreter::ArgumentCheck record{app, line, words, arguments, interface};
        return interpreter::check_argument_syntax(record, token, word);
    }
    test::TempDir folder;
    state::AppState app;
    std::string line;
    std::array<std::string, state::kCommandWords> words{};
    std::vector<std::string> arguments;
    interpreter::InterfaceChoice interface;
};

TEST_F(ArgumentSyntaxTest, EveryTokenAcceptsItsWordsAndRefusesOthers) {
    state::write_setting(app, "accesslist_num", "R1", "7");
    state::write_setting(app, "telnetsession_id", "R2", "3");
    const std::string forty(40, 'a'), forty_one(41, 'a');
    struct Case {
        const char* token;
        std::vector<const char*> accepted;
        std::vector<const char*> refused;
    } cases[] = {
        {"<A.B.C.D>",
         {"10.0.0.1", "010.0.0.1", "255.255.255.255"},
         {"10.0.0.256", "10.0.0", "10..0.1", "a.b.c.d", ""}},
        {"<WORD>", {"R1", forty.c_str()}, {"R1-a", "", "\xc3\xa4", forty_one.c_str()}},
        {"<NUMBER>", {"1200"}, {"1201", "x"}},
        {"<SECONDS>", {"-5", "3599"}, {"3600", "x"}},
        {"<MINUTES>", {"59"}, {"60"}},
        {"<PPP/HDLC>", {"ppp", "HDLC"}, {"slip"}},
        {"<ANUM>", {"1", "99"}, {"0", "100"}},
        {"<AGROUP>", {"50"}, {"100"}},
        {"<PERMIT/DENY>", {"Permit", "deny"}, {"allow"}},
        {"<AGNUM>", {"7"}, {"8", "07"}},
        {"<TELNET_ID>", {"3"}, {"4", "nill"}},
        {"<Dist_Metric>", {"1", "255"}, {"0", "256"}},
        {"<VLAN_NUM>", {"1", "1.5", "1005"}, {"0", "1006"}},
        {"<SPEED>", {"10", "100", "AUTO"}, {"1000"}},
        {"<PNUM>", {"0/1", "0/12"}, {"0/13", "1/1", "0/1/2", "x/1"}},
        {"<DUPLEX_TYPE>", {"full", "Half", "auto"}, {"quarter"}},
        {"<HH:MM:SS>", {"23:59:59", "0:0:0"}, {"24:00:00", "12:60:00", "12:00"}},
        {"<DAY>", {"31"}, {"32"}},
        {"<MONTH>", {"12"}, {"13"}},
        {"<YEAR>", {"2004", "2050"}, {"2003", "2051"}},
        {"<MAC_ADDR>", {"0000.0c12.3fab"}, {"0000.0C12.3FAB", "00000.0c12.3fab", "0000.0c12"}},
        {"<VIOLAT_MODE>", {"shutdown", "Restrict", "protect"}, {"drop"}},
        {"<MAX_MACADD>", {"132"}, {"133"}},
        {"<AREA_ID>", {"0", "40000", "65535"}, {"65536"}},
        {"<PROC_ID>", {"1"}, {"2"}},
        {"<CLOCK_RATE>", {"300", "8000000"}, {"299"}},
        {"<BANDWIDTH>", {"0", "44736"}, {"44737"}},
        {"<LMI_TYPE>", {"cisco", "ANSI", "q933a"}, {"q933"}},
        {"<PROTOCOL_NAME>", {"ip", "IP"}, {"ipx"}},
        {"<DLCI_NUM>", {"16", "1007"}, {"15", "1008"}},
        {"<SWITCH_TYPE>", {"basic-5ess", "pri-net5"}, {"Basic-5ess", "basic"}},
        {"<SPID_NUM>", {"123456789"}, {"1234567890"}},
        {"<DEST_PHONE>", {"0123456789"}, {"01234567890", "555-1234", ""}},
        {"<BROADCAST>", {"broadcast"}, {"Broadcast"}},
        {"<D_LIST_NUM>", {"1", "99", "0.5"}, {"0", "100"}},
        {"<PERMIT_DENY>", {"permit", "deny"}, {"Permit"}},
        {"<D_GROUP_NUM>", {"1", "99"}, {"0", "100"}},
        {"<LOOPBACK_NUM>", {"0", "9"}, {"10", "7.5", "-1"}},
        {"<UNLISTED>", {}, {"anything"}},
    };
    for (const auto& c : cases) {
        for (const char* word : c.accepted)
            EXPECT_TRUE(check(c.token, word)) << c.token << " " << word;
        for (const char* word : c.refused)
            EXPECT_FALSE(check(c.token, word)) << c.token << " " << word;
    }
}

TEST_F(ArgumentSyntaxTest, TextTokensReadTheWholeLine) {
    line = "description #link to R2#";
    EXPECT_TRUE(check("<LINE>", "#link"));
    EXPECT_EQ(arguments, std::vector<std::string>{"link to R2"});
    line = "description link";
    EXPECT_FALSE(check("<LINE>", "link"));
    EXPECT_TRUE(arguments.empty());  // a refused word takes no slot
    line = "banner motd $ Authorised use only $";
    EXPECT_TRUE(check("<BANNER>", "$"));
    EXPECT_EQ(arguments, std::vector<std::string>{"Authorised use only"});
    line = "banner motd $ open";
    EXPECT_FALSE(check("<BANNER>", "$"));
    line = "banner";
    EXPECT_FALSE(check("<BANNER>", "x"));
}

TEST_F(ArgumentSyntaxTest, AnEighthValueIsRefused) {
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(take("<DAY>", "1"));
    EXPECT_FALSE(take("<DAY>", "1"));
    EXPECT_EQ(arguments.size(), 7u);
}

// The checks choose an interface for the line; the console's own context is
// not touched.
TEST_F(ArgumentSyntaxTest, InterfaceTokensChooseTheInterfaceOnlyWhenTheDeviceHasIt) {
    words = {"interface", "serial"};
    app.console.mode.current_interface = "before";
    EXPECT_FALSE(check("<PORT_NUMBER>", "9"));
    EXPECT_FALSE(interface.current_interface);
    EXPECT_TRUE(check("<PORT_NUMBER>", "1"));
    EXPECT_EQ(interface.current_interface, "Serial1");  // as the tables spell it
    EXPECT_TRUE(check("<PORT_NUMBER>.<SUBINT_NUM>", "0.1"));
    EXPECT_EQ(interface.interface_number, "0");
    EXPECT_EQ(interface.subinterface_number, "1");
    EXPECT_FALSE(check("<PORT_NUMBER>.<SUBINT_NUM>", "0.0"));
    EXPECT_FALSE(check("<PORT_NUMBER>.<SUBINT_NUM>", "0.x"));
    words = {"interface", "bri"};
    EXPECT_FALSE(check("<PORT_NUMBER>", "0"));  // a 2501 has no ISDN interface
    EXPECT_EQ(words[1], "IsdnBri");
    EXPECT_TRUE(check("<LOOPBACK_NUM>", "7"));
    EXPECT_EQ(interface.current_interface, "loopback");
    EXPECT_EQ(interface.loopback_number, 7);
    EXPECT_TRUE(arguments.empty());  // interface tokens capture nothing
    EXPECT_EQ(app.console.mode.current_interface, "before");
}

}  // namespace
