// Load the Lab without its window: the lab's network found through the
// index and loaded into the working tables, every shipped lab network
// included; a lab without a network or with a broken file changes nothing.
// Every shipped lab page is the session it shows.

#include "labs/example_lab_load.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "console/console_engine.h"
#include "example_network.h"
#include "labs/example_labs.h"
#include "networkfiles/network_file_writer.h"
#include "networkfiles/network_loader.h"
#include "platform/db_session.h"
#include "state/table_set.h"
#include "support/lab_page.h"
#include "support/network_state.h"

namespace {

namespace fs = std::filesystem;
using vexlab::labs::LabLoadResult;
using vexlab::labs::load_example_lab;

class ExampleLabLoad : public ::testing::Test {
protected:
    // The shipped index and the networks, written as the build writes them.
    void ship_lab_networks() {
        const std::string shipped = vexlab::test::resources_dir() + "/example_labs";
        fs::copy_file(shipped + "/load_labs.txt", net.folder.file("load_labs.txt"));
        fs::create_directories(net.folder.path() / "labs" / "networks");
        for (const auto& entry : fs::directory_iterator(shipped + "/networks")) {
            const auto network = vexlab::examples::parse_example(
                vexlab::test::read_file(entry.path().string()), entry.path().filename().string());
            net.write_file("labs/networks/" + entry.path().stem().string() + ".exp",
                           vexlab::examples::export_text(app().session, network));
        }
    }
    vexlab::state::AppState& app() { return net.app; }
    std::vector<std::string> devices() {
        std::vector<std::string> names;
        auto rows = app().session.open_recordset("SELECT Device_Name FROM device ORDER BY rowid");
        for (; !rows.eof(); rows.move_next()) names.push_back(rows.text(0));
        return names;
    }

    vexlab::test::DefaultNetwork net;
};

// Every lab of the list has a network, and Load the Lab never fails on it.
TEST_F(ExampleLabLoad, EveryShippedLabNetworkLoadsWithItsDevices) {
    ship_lab_networks();
    const std::string shipped = vexlab::test::resources_dir() + "/example_labs";
    vexlab::labs::ExampleLabsFile list(shipped);
    int loaded = 0;
    for (const auto& section : list.read_lab_tree()) {
        for (const std::string& lab : section.labs) {
            SCOPED_TRACE(lab);
            ++loaded;
            std::vector<int> steps;
            const auto outcome =
                load_example_lab(app(), lab, [&](int done) { steps.push_back(done); });
            ASSERT_EQ(outcome.result, LabLoadResult::Loaded) << outcome.message;
            EXPECT_FALSE(app().table_set.is_default());
            EXPECT_EQ(app().network.loaded_by, vexlab::state::NetworkLoad::LabNetwork);
            EXPECT_EQ(app().network.loaded_file_path, outcome.network_file);
            // The picture beside the file, the file's description.
            std::string picture = outcome.network_file;
            picture.replace(picture.size() - 3, 3, "jpg");
            EXPECT_EQ(app().network.network_picture_path, picture);
            EXPECT_NE(app().network.lab_description.find("R1"), std::string::npos);
            // The console stands at the first device's user prompt.
            const auto names = devices();
            ASSERT_GE(names.size(), 3u);
            EXPECT_EQ(names.front(), "R1");
            EXPECT_EQ(app().console.device.current_device, "R1");
            EXPECT_EQ(app().console.mode.prompt_text, "R1>");
            ASSERT_FALSE(steps.empty());
            EXPECT_EQ(steps.back(), vexlab::labs::lab_load_steps());
        }
    }
    EXPECT_GE(loaded, 17);
}

// The rows of a table in stored order, each cell with its type.
std::string table_rows(vexlab::db::DatabaseSession& session, const std::string& query) {
    std::string out;
    auto rows = session.open_recordset(query);
    for (; !rows.eof(); rows.move_next()) {
        for (int i = 0; i < rows.field_count(); ++i) {
            const auto& v = rows.field(i);
            out += v.is_null() ? "<null>"
                               : std::to_string(static_cast<int>(v.type())) + ":" + v.to_text();
            out += "|";
        }
        out += "\n";
    }
    return out;
}

// The labs on the built-in network load a file written from it: after Load
// the Lab the working tables hold what the default tables hold when the
// console starts.  Two things every load of an exported file derives rather
// than reads are left out: the next-hop address of a link, which the load
// takes from the far end (a switch port's "NA"), and the Frame Relay rows,
// which it gives every router interface where only serial ones count.
TEST_F(ExampleLabLoad, TheBuiltInNetworksFileIsTheNetworkTheConsoleStartsWith) {
    ship_lab_networks();
    using vexlab::db::quote_identifier;
    using vexlab::state::NetworkTableSet;
    const NetworkTableSet def = NetworkTableSet::default_set();
    const NetworkTableSet work = NetworkTableSet::working_set();
    auto all = [&](const std::string& table) {
        return "SELECT * FROM " + quote_identifier(table) + " ORDER BY rowid";
    };
    auto view = [&](const std::string& table) {
        std::string columns;
        for (const auto& column : app().session.column_names(table))
            if (column != "next_hopip" && column != "next_hopmask")
                columns += (columns.empty() ? "" : ", ") + quote_identifier(column);
        return "SELECT " + columns + " FROM " + quote_identifier(table) + " ORDER BY rowid";
    };
    auto serial = [&](const std::string& table) {
        return "SELECT * FROM " + quote_identifier(table) +
               " WHERE int_name LIKE 'serial%' ORDER BY rowid";
    };
    struct Twin {
        std::string started, loaded;
        std::function<std::string(const std::string&)> query;
    };
    const std::vector<Twin> twins = {
        {def.rout_dev_table, work.rout_dev_table, all},
        {def.route_ip_table, work.route_ip_table, view},
        {def.ospf_dev_table, work.ospf_dev_table, all},
        {def.ospf_ip_table, work.ospf_ip_table, view},
        {def.eigrp_dev_table, work.eigrp_dev_table, all},
        {def.eigrp_ip_table, work.eigrp_ip_table, view},
        {def.nat_dev_table, work.nat_dev_table, all},
        {def.nat_inout_table, work.nat_inout_table, all},
        {def.frame_device_table, work.frame_device_table, all},
        {def.frame_ip_table, work.frame_ip_table, serial},
        {def.frame_map_table, work.frame_map_table, all},
        {"device", "device", all},
        {"int_device", "int_device", all},
        {"int_det", "int_det", all},
    };
    std::vector<std::string> started;
    for (const Twin& twin : twins)
        started.push_back(table_rows(app().session, twin.query(twin.started)));
    const auto devices = vexlab::networkfiles::saved_device_columns(app().session, def);
    ASSERT_EQ(devices.size(), 5u);
    auto settings = [&](const std::string& table, const std::string& device) {
        return table_rows(app().session, "SELECT Config_Variable, " + quote_identifier(device) +
                                             " FROM " + quote_identifier(table) +
                                             " ORDER BY rowid");
    };
    std::vector<std::string> started_settings;
    for (const auto& device : devices)
        started_settings.push_back(settings(def.routervariables_table, device));

    ASSERT_EQ(load_example_lab(app(), "Command Modes").result, LabLoadResult::Loaded);
    EXPECT_EQ(app().network.lab_description, vexlab::console::default_network_description());
    EXPECT_EQ(app().console.mode.prompt_text, "R1>");
    for (std::size_t i = 0; i < twins.size(); ++i) {
        SCOPED_TRACE(twins[i].loaded);
        EXPECT_EQ(table_rows(app().session, twins[i].query(twins[i].loaded)), started[i]);
    }
    for (std::size_t i = 0; i < devices.size(); ++i) {
        SCOPED_TRACE(devices[i]);
        EXPECT_EQ(settings(work.routervariables_table, devices[i]), started_settings[i]);
    }
}

TEST_F(ExampleLabLoad, TheConsolesReloadLoadsTheLabAgain) {
    ship_lab_networks();
    ASSERT_EQ(load_example_lab(app(), "OSPF in One Area").result, LabLoadResult::Loaded);
    const std::string loaded = vexlab::test::database_state(app().session);
    app().session.execute("DELETE FROM device WHERE Device_Name = 'R3'");
    vexlab::networkfiles::reload_loaded_network(app());
    EXPECT_EQ(vexlab::test::database_state(app().session), loaded);
    EXPECT_EQ(app().network.loaded_by, vexlab::state::NetworkLoad::LabNetwork);
}

TEST_F(ExampleLabLoad, ALabWithoutANetworkChangesNothing) {
    ship_lab_networks();
    const std::string before = vexlab::test::database_state(app().session);
    bool progressed = false;
    const auto outcome = load_example_lab(app(), "Routing", [&](int) { progressed = true; });
    EXPECT_EQ(outcome.result, LabLoadResult::NotListed);
    EXPECT_FALSE(progressed);
    EXPECT_TRUE(app().table_set.is_default());
    EXPECT_EQ(vexlab::test::database_state(app().session), before);
    // Names compare exactly.
    EXPECT_EQ(load_example_lab(app(), "static routes").result, LabLoadResult::NotListed);
}

TEST_F(ExampleLabLoad, ABrokenNetworkFileIsRefusedAndTheNetworkStays) {
    net.write_file("load_labs.txt",
                   "labname = Empty\r\nlabpath = /empty.exp\r\n"
                   "labname = Missing\r\nlabpath = /missing.exp\r\n");
    net.write_file("empty.exp", "<description>\r\nnothing\r\n<subint information>\r\n");
    const std::string before = vexlab::test::database_state(app().session);
    for (const char* lab : {"Empty", "Missing"}) {
        SCOPED_TRACE(lab);
        const auto outcome = load_example_lab(app(), lab);
        EXPECT_EQ(outcome.result, LabLoadResult::Refused);
        EXPECT_EQ(outcome.message.rfind(vexlab::networkfiles::kLoadRefused, 0), 0u)
            << outcome.message;
        EXPECT_TRUE(app().table_set.is_default());
        EXPECT_EQ(app().console.device.current_device, "R1");
        EXPECT_EQ(vexlab::test::database_state(app().session), before);
    }
}

}  // namespace

namespace {

std::string joined(const std::vector<std::string>& differences) {
    std::string text;
    for (const auto& difference : differences) text += difference + "\n";
    return text;
}

// How a page's boxes read: tags and entities as the browser shows them, the
// notes of a line from its comments, empty lines left out, and the words
// around each box.
TEST(LabPage, BoxesReadAsTheBrowserShowsThem) {
    const auto boxes = vexlab::test::page_boxes(
        "<head><title>Lab</title></head><body><p>Before &amp; <b>now</b></p>\n"
        "<pre>R1&gt;<b>en</b>able<!-- keys: Up Return -->\n\n  x &quot;y&quot;  \n"
        "Edge#reload<!--answer: No--></pre>\n<p>Between</p><pre>R2&gt;</pre><p>After</p></body>");
    ASSERT_EQ(boxes.size(), 2u);
    ASSERT_EQ(boxes[0].lines.size(), 3u);
    EXPECT_EQ(boxes[0].lines[0].text, "R1>enable");
    EXPECT_EQ(boxes[0].lines[0].keys, "Up Return");
    EXPECT_EQ(boxes[0].lines[1].text, "  x \"y\"");
    EXPECT_EQ(boxes[0].lines[2].answer, "No");
    EXPECT_EQ(boxes[0].words_before, "Before & now");
    EXPECT_EQ(boxes[0].words_after, "Between");
    EXPECT_EQ(boxes[1].words_before, "Between");
    EXPECT_EQ(boxes[1].words_after, "After");
}

// Each way a page can part from its session, on the built-in network: a
// page that is its session gives nothing; every other gives a difference
// that names what parts.
TEST(LabPage, ThePageMustBeTheSession) {
    struct Case {
        const char* what;
        const char* body;
        const char* difference;  // empty: the page is its session
    };
    const Case cases[] = {
        {"a page that is its session",
         "<p>Press Return, then ? lists the commands; Ctrl+Z leaves.</p>"
         "<pre>R1&gt;<!--keys: ?-->\nlist of supported Commands in this mode:\n...\n"
         "R1&gt;enable\nR1#configure terminal\n"
         "Enter configuration commands, one per line.  End with CNTL/Z.\n"
         "R1(config)#interface serial 0\nR1(config-if)#exit\nR1(config)#line console 0\n"
         "R1(config-line)#<!--keys: Ctrl+Z-->\n"
         "%SYS-5-CONFIG_I: Configured from console by console\n"
         "R1#show running-config\nBuilding configuration...\n...\nR1#</pre>"
         "<p>Press the space bar at --MORE--. Move to R2:</p><pre>R2&gt;enable\nR2#</pre>"
         "<p>Back on R1, log out and press Return:</p><pre>R1&gt;logout\nPress \"Return\" to "
         "start\nR1&gt;</pre>",
         ""},
        {"an exit left out",
         "<p>Return</p><pre>R1&gt;enable\nR1#configure terminal\n"
         "Enter configuration commands, one per line.  End with CNTL/Z.\n"
         "R1(config)#interface ethernet 0\nR1(config-if)#no shutdown\n"
         "R1(config)#interface serial 0</pre>",
         "box 1: after \"R1(config-if)#no shutdown\" the console waits at "
         "\"R1(config-if)#\"; the page goes on with \"R1(config)#interface serial 0\""},
        {"enable and configure terminal left out",
         "<p>Return</p><pre>R1(config)#hostname Edge</pre>",
         "box 1: the console waits at \"R1>\"; the page types \"R1(config)#hostname Edge\""},
        {"a listing cut without saying so",
         "<p>Return; the space bar at --MORE--</p><pre>R1&gt;enable\nR1#show running-config\n"
         "Building configuration...\nCurrent configuration:</pre>",
         "box 1: after \"R1#show running-config\"\n  the page shows:\n"
         "    | Building configuration...\n    | Current configuration:\n"
         "  the console prints:\n    | Building configuration...\n"},
        {"a line the console prints left out",
         "<p>Return</p><pre>R1&gt;enable\nR1#configure terminal\nR1(config)#exit</pre>",
         "box 1: after \"R1#configure terminal\"\n  the page shows:\n    (nothing)\n"
         "  the console prints:\n    | Enter configuration commands"},
        {"a line the console does not print",
         "<p>Return</p><pre>R1&gt;enable\nR1#configure terminal\n"
         "Enter configuration commands, one per line.  End with CNTL/Z.\n[OK]</pre>",
         "box 1: after \"R1#configure terminal\""},
        {"a cut that leaves nothing out",
         "<p>Return</p><pre>R1&gt;enable\nR1#configure terminal\n"
         "Enter configuration commands, one per line.  End with CNTL/Z.\n...</pre>",
         "box 1: after \"R1#configure terminal\""},
        {"the Return that starts the session not said", "<p>Type:</p><pre>R1&gt;enable</pre>",
         "box 1: the Return that starts the session is not named"},
        {"a key not named",
         "<p>Return</p><pre>R1&gt;<!--keys: ?-->\nlist of supported Commands in this mode:\n"
         "...</pre>",
         "box 1: the key ? is not named (\"?\") in the words next to the box"},
        {"a key the notes do not know", "<p>Return Tab</p><pre>R1&gt;<!--keys: Tab--></pre>",
         "no key is named Tab"},
        {"a note that is neither keys nor answer",
         "<p>Return</p><pre>R1&gt;enable<!--typed: enable--></pre>", "is neither keys nor answer"},
        {"keys that bring back another line than the box shows",
         "<p>Return, then Up</p><pre>R1&gt;enable\nR1#disable<!--keys: Up Return--></pre>",
         "box 1: the console shows the line \"R1#disable\" as \"R1#enable\""},
        {"the pager not named", "<p>Return</p><pre>R1&gt;enable\nR1#show running-config\n...</pre>",
         "the space bar at --MORE-- after \"R1#show running-config\" is not named"},
        {"a move to another device the words do not say",
         "<p>Return</p><pre>R1&gt;enable</pre><p>Next:</p><pre>R2&gt;enable</pre>",
         "box 2: the console moves to R2, which the words before the box do not name"},
        {"a move to another device inside a box",
         "<p>Return, then R2</p><pre>R1&gt;enable\nR2&gt;enable</pre>",
         "box 1: after \"R1>enable\" the console waits at \"R1#\"; the page goes on with "
         "\"R2>enable\", another device's line: a change of device starts a box of its own"},
        {"a question box the page does not answer",
         "<p>Return</p><pre>R1&gt;enable\nR1#reload</pre>",
         "after \"R1#reload\" the console shows a question box the page does not note: "
         "Do you like to save the changes to the configuration"},
        {"an answer to a question the console does not ask",
         "<p>Return, answer No</p><pre>R1&gt;enable<!--answer: No--></pre>",
         "the page answers No after \"R1>enable\", but the console asks nothing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto differences = vexlab::test::replay_lab_page(
            std::string("<html><body>") + c.body + "</body></html>", "Command Modes", "lab.html");
        const std::string told = joined(differences);
        if (std::string(c.difference).empty()) {
            EXPECT_TRUE(differences.empty()) << told;
        } else {
            EXPECT_NE(told.find(std::string("lab.html")), std::string::npos) << told;
            EXPECT_NE(told.find(c.difference), std::string::npos) << told;
        }
    }
}

// Every lab page, typed box by box on its lab's network as a learner types
// it, is the session the console gives: see support/lab_page.h.
TEST(ShippedExampleLabs, EveryPageIsTheSessionItShows) {
    const std::string shipped = vexlab::test::resources_dir() + "/example_labs";
    vexlab::labs::ExampleLabsFile list(shipped);
    int pages = 0;
    for (const auto& section : list.read_lab_tree()) {
        for (const std::string& lab : section.labs) {
            ++pages;
            const std::string page = vexlab::labs::program_path(shipped, list.find_lab_page(lab));
            const auto differences = vexlab::test::replay_lab_page(
                vexlab::test::read_file(page), lab, fs::path(page).filename().string());
            EXPECT_TRUE(differences.empty()) << joined(differences);
        }
    }
    EXPECT_GE(pages, 17);
}

}  // namespace
