// Load the Lab without its window: the lab's network found through the
// index and loaded into the working tables, every shipped lab network
// included; a lab without a network or with a broken file changes nothing.
// Every shipped lab page is typed by its transcript.

#include "labs/example_lab_load.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "console/console_engine.h"
#include "example_network.h"
#include "labs/example_labs.h"
#include "networkfiles/network_file_writer.h"
#include "networkfiles/network_loader.h"
#include "platform/db_session.h"
#include "state/table_set.h"
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

// The lines of a page's <pre> blocks, as the browser shows them.
std::vector<std::string> page_lines(const std::string& html) {
    std::vector<std::string> lines;
    for (std::size_t open = html.find("<pre>"); open != std::string::npos;
         open = html.find("<pre>", open + 1)) {
        const std::size_t close = html.find("</pre>", open);
        std::string block = html.substr(open + 5, close - open - 5);
        std::string text;
        for (std::size_t i = 0; i < block.size(); ++i) {
            if (block[i] == '<') {
                i = block.find('>', i);
                continue;
            }
            text += block[i];
        }
        for (const auto& [entity, c] :
             {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
            for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
                text.replace(at, std::string_view(entity).size(), c);
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

struct TranscriptText {
    std::string example_lab;         // the lab named by @example
    std::vector<std::string> lines;  // the session as the console shows it
};

TranscriptText transcript_text(const std::string& text) {
    TranscriptText out;
    std::istringstream in(text);
    bool header = true;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (header && (line.empty() || line[0] == '#')) continue;
        if (header && line.rfind("@example ", 0) == 0) out.example_lab = line.substr(9);
        if (header && line[0] == '@') continue;
        header = false;
        if (!line.empty() && line.back() == '}' && line.rfind('{') != std::string::npos)
            line.erase(line.rfind('{'));
        out.lines.push_back(line);
    }
    return out;
}

// A page line is a line the console shows; a bare prompt ending a step
// stands for the line typed at it, which the page's next line may show.
bool bare_prompt(const std::string& page_line) {
    return page_line.back() == '#' || page_line.back() == '>';
}
bool shows(const std::string& console_line, const std::string& page_line) {
    return console_line == page_line ||
           (bare_prompt(page_line) && console_line.rfind(page_line, 0) == 0);
}

// Every lab page has a transcript, "example-<page>.txt", that presses Load
// the Lab on the lab and shows every line of the page's <pre> blocks in the
// page's order: the steps the page gives are the commands typed, and what it
// says the console answers is what the console answers.
TEST(ShippedExampleLabs, EveryPageIsTypedByItsTranscript) {
    const std::string shipped = vexlab::test::resources_dir() + "/example_labs";
    vexlab::labs::ExampleLabsFile list(shipped);
    int pages = 0;
    for (const auto& section : list.read_lab_tree()) {
        for (const std::string& lab : section.labs) {
            SCOPED_TRACE(lab);
            ++pages;
            const std::string page = vexlab::labs::program_path(shipped, list.find_lab_page(lab));
            const std::string transcript = std::string(VEXLAB_TRANSCRIPTS_DIR) + "/example-" +
                                           fs::path(page).stem().string() + ".txt";
            if (!fs::is_regular_file(transcript)) {
                ADD_FAILURE() << "no transcript " << transcript;
                continue;
            }
            const TranscriptText session = transcript_text(vexlab::test::read_file(transcript));
            EXPECT_EQ(session.example_lab, lab) << transcript;
            const auto steps = page_lines(vexlab::test::read_file(page));
            EXPECT_FALSE(steps.empty()) << page;
            std::size_t at = 0;
            for (const std::string& step : steps) {
                while (at < session.lines.size() && !shows(session.lines[at], step)) ++at;
                if (at == session.lines.size()) {
                    ADD_FAILURE() << fs::path(page).filename().string() << ": [" << step
                                  << "] is not shown by "
                                  << fs::path(transcript).filename().string()
                                  << " after its earlier lines";
                    break;
                }
                if (!bare_prompt(step) || session.lines[at] == step) ++at;
            }
        }
    }
    EXPECT_GE(pages, 17);
}

}  // namespace
