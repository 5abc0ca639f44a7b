// The designer's files: the network map (golden file, round trips, what the
// reader restores and refuses) and the export (golden file, the picture's
// name, a database left as it was, and the exported file opened in the
// console with every device, address, connection and sub-interface).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "console/console_engine.h"
#include "designer/network_map_file.h"
#include "networkfiles/network_loader.h"
#include "platform/text.h"
#include "state/settings.h"
#include "support/designer_script.h"
#include "support/network_state.h"

namespace {

using namespace vexlab::designer;
using vexlab::state::NetworkLoad;
using vexlab::test::read_file;
namespace fs = std::filesystem;

std::string fixture(const std::string& name) {
    return std::string(VEXLAB_FIXTURES_DIR) + "/designer/" + name;
}

// Compares a file the program wrote with its checked-in copy.  With
// VEXLAB_WRITE_GOLDEN set the copy is written instead.
void expect_golden(const std::string& written, const std::string& name) {
    if (std::getenv("VEXLAB_WRITE_GOLDEN")) {
        fs::create_directories(fs::path(fixture(name)).parent_path());
        fs::copy_file(written, fixture(name), fs::copy_options::overwrite_existing);
    }
    ASSERT_TRUE(fs::exists(fixture(name))) << name;
    EXPECT_EQ(read_file(written), read_file(fixture(name))) << name;
}

std::string rows(vexlab::db::DatabaseSession& session, const std::string& sql) {
    std::string out;
    auto set = session.open_recordset(sql);
    for (; !set.eof(); set.move_next()) {
        for (int i = 0; i < set.field_count(); ++i) out += (i ? "," : "") + set.text(i);
        out += ";";
    }
    return out;
}

class DesignerFiles : public ::testing::Test, protected vexlab::test::DesignerDriver {
protected:
    std::string save_map(const std::string& name) {
        const std::string path = dir.file(name);
        dialogs.next_text(path);
        model->mnufilesave_Click();
        return path;
    }
    void open_map(const std::string& path) {
        dialogs.next_text(path);
        model->mnufileopen_Click();
    }
    std::vector<std::string> messages() {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.shown())
            if (shown.kind == "message") texts.push_back(shown.text);
        return texts;
    }
};

// ---------------------------------------------------------------- map file

TEST_F(DesignerFiles, MapOfEveryConnectorKindMatchesItsGoldenFile) {
    build_every_connector_design(*this);
    expect_golden(save_map("every-connector.dgm"), "every-connector.dgm");
}

TEST_F(DesignerFiles, SavedMapOpensAsTheSameCanvasAndSavesIdentically) {
    build_every_connector_design(*this);
    model->repaint_from_tables();
    const auto devices = model->devices();
    const auto lines = model->lines();
    const auto strokes = model->canvas().strokes();
    const auto description = model->description();
    const std::string first = save_map("first.dgm");

    // Close without saving, open again, open the map.
    dialogs.next_answer(vexlab::platform::Answer::No);
    ASSERT_TRUE(model->query_unload());
    model->form_load();
    open_map(first);
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(model->network_designed());
    EXPECT_EQ(model->lines(), lines);
    ASSERT_EQ(model->devices().size(), devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        EXPECT_EQ(model->devices()[i].host, devices[i].host);
        EXPECT_EQ(model->devices()[i].model, devices[i].model);
        EXPECT_DOUBLE_EQ(model->devices()[i].x, devices[i].x);
        EXPECT_DOUBLE_EQ(model->devices()[i].y, devices[i].y);
    }
    ASSERT_EQ(model->canvas().strokes().size(), strokes.size());
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        EXPECT_EQ(model->canvas().strokes()[i].text, strokes[i].text);
        EXPECT_DOUBLE_EQ(model->canvas().strokes()[i].x, strokes[i].x);
        EXPECT_DOUBLE_EQ(model->canvas().strokes()[i].y, strokes[i].y);
    }
    EXPECT_EQ(model->description(), description);
    EXPECT_TRUE(model->description_entered());
    EXPECT_EQ(model->router_counter(), 3);
    EXPECT_EQ(model->switch_counter(), 1);
    EXPECT_EQ(model->pc_counter(), 1);
    const std::string second = save_map("second.dgm");
    EXPECT_EQ(read_file(second), read_file(first));
    // And the opened design goes on: the next router is R4.
    drop("2501", 440, 300, "R4");
    EXPECT_EQ(dialogs.offered().back(), "R4");
}

TEST_F(DesignerFiles, TheMapKeepsWhatTakesNoConnectionAndDevicesWithoutInterfaces) {
    drop("2950", 40, 40, "SW1");
    drop("2501", 240, 40, "R1");
    session.execute("DELETE FROM ip WHERE hostname = 'R1'");
    const std::string path = save_map("kept.dgm");
    const std::string text = read_file(path);
    EXPECT_NE(text.find("<2501>\r\n[R1]\r\n 240 \r\n 40 \r\n<sub_int_inforamtion>"),
              std::string::npos);
    model->form_load();
    open_map(path);
    EXPECT_EQ(model->devices().size(), 2u);
    // The switch's own interface still takes no connection.
    EXPECT_EQ(model->tables().interface_row("SW1", "FastEthernet1")->todevice, "NA");
    EXPECT_EQ(model->tables().free_interfaces("SW1", ConnectorKind::Ethernet).size(), 12u);
}

TEST_F(DesignerFiles, ReaderRestoresCountersDescriptionAndLinesAsWritten) {
    struct Case {
        const char* name;
        std::string tail;  // everything after the sub-interface marker
        std::array<int, 3> counters;
        std::string description;
        bool entered;
        std::size_t lines;
    } cases[] = {
        {"all",
         "<deviceindex>\r\n 2 \r\n 1 \r\n 0 \r\n<description>\r\nA\r\nB\r\n<connectors>\r\n",
         {2, 1, 0},
         "A\r\nB",
         true,
         0},
        {"empty description",
         "<description>\r\n\r\n<connectors>\r\n",
         {7, 7, 7},
         kDescriptionPrompt,
         false,
         0},
        {"prompt",
         "<description>\r\nPlease enter the Description of the Network here\r\n\r\n",
         {7, 7, 7},
         kDescriptionPrompt,
         false,
         0},
        {"two-line placeholder",
         "<description>\r\nPlease enter the Description of \r\nthe Network here\r\n\r\n"
         "<connectors>\r\n",
         {7, 7, 7},
         kDescriptionPlaceholder,
         true,
         0},
        {"two lines",
         "<connectors>\r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 65280 \r\n 5 \r\n 6 \r\n 7 \r\n 8 "
         "\r\n-2147483630 \r\n",
         {7, 7, 7},
         kDescriptionPrompt,
         false,
         2},
        {"a record cut short",
         "<connectors>\r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 65280 \r\n 5 \r\n 6 \r\n",
         {7, 7, 7},
         kDescriptionPrompt,
         false,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        model->form_load();
        drop("2501", 10, 10, "R7");  // counters at 1, 0, 0 before the open
        const std::string path = dir.file("case.dgm");
        std::ofstream(path, std::ios::binary)
            << "<2501>\r\n[R1]\r\n 10 \r\n 10 \r\n<sub_int_inforamtion>\r\n"
            << c.tail;
        // Counters not in the file keep their values.
        NetworkMap map = read_network_map_file(path);
        if (!map.counters) map.counters = std::array<int, 3>{7, 7, 7};
        model->open_network_map(map);
        EXPECT_EQ(model->router_counter(), c.counters[0]);
        EXPECT_EQ(model->switch_counter(), c.counters[1]);
        EXPECT_EQ(model->pc_counter(), c.counters[2]);
        EXPECT_EQ(model->description(), c.description);
        EXPECT_EQ(model->description_entered(), c.entered);
        EXPECT_EQ(model->lines().size(), c.lines);
    }
}

TEST_F(DesignerFiles, SubinterfaceLinesKeepTheirKind) {
    const std::string text =
        "<sub_int_inforamtion>\r\n 4 \r\n 1 \r\nR2\r\nSerial0\r\n 3 \r\n 10 \r\n 20 \r\n"
        "True\r\ntrue\r\n 1 \r\nEOR\r\n 4 \r\n 2 \r\nR2\r\nSerial0\r\n 3 \r\n 10 \r\n 20 \r\n"
        "\r\n\r\n 2 \r\nEOR\r\n 9 \r\n<deviceindex>\r\n";
    const NetworkMap map = parse_network_map(text);
    ASSERT_EQ(map.subinterfaces.size(), 2u);  // lines after the last EOR make no record
    EXPECT_EQ(map.subinterfaces[0][7].type(), vexlab::db::ValueType::YesNo);
    EXPECT_EQ(map.subinterfaces[0][8].type(), vexlab::db::ValueType::Text);
    EXPECT_EQ(map.subinterfaces[0][8].to_text(), "true");
    EXPECT_EQ(map.subinterfaces[1][7].to_text(), "");
    EXPECT_EQ(map.subinterfaces[1][9].to_int(), 2);
    EXPECT_EQ(format_network_map(map).find("<sub_int_inforamtion>\r\n 4 \r\n 1 \r\nR2\r\n"), 0u);
}

TEST_F(DesignerFiles, AMapThatDoesNotReadLeavesTheDesignAsItIs) {
    drop("2501", 40, 40, "R1");
    const struct {
        const char* name;
        const char* text;
    } broken[] = {
        {"bad position", "<2501>\r\n[R9]\r\n ten \r\n 10 \r\n"},
        {"cut interface", "<2501>\r\n[R9]\r\n 10 \r\n 10 \r\nSerial0\r\n\r\n"},
        {"bad flag",
         "<2501>\r\n[R9]\r\n 1 \r\n 1 \r\nS0\r\n\r\n\r\nyes\r\n\r\n\r\n 0 \r\nSerial\r\n"
         " 0 \r\n 0 \r\n 1 \r\n"},
        {"interface first", "Serial0\r\n"},
    };
    for (const auto& b : broken) {
        SCOPED_TRACE(b.name);
        const std::string path = dir.file("broken.dgm");
        std::ofstream(path, std::ios::binary) << b.text;
        dialogs.clear();
        open_map(path);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].rfind("The network could not be opened from ", 0), 0u);
        EXPECT_EQ(model->tables().host_names(), std::vector<std::string>{"R1"});
    }
    // A cancelled dialog opens nothing.
    dialogs.clear();
    dialogs.next_text(std::nullopt);
    model->mnufileopen_Click();
    EXPECT_EQ(dialogs.shown().back().title, "Open Network File");
    EXPECT_EQ(model->tables().host_names(), std::vector<std::string>{"R1"});
}

// ------------------------------------------------------------------ export

TEST_F(DesignerFiles, ExportOfEveryConnectorKindMatchesItsGoldenFile) {
    build_every_connector_design(*this);
    const std::string path = dir.file("every-connector.exp");
    dialogs.next_text(path);
    model->mnuExpCon_Click();
    EXPECT_EQ(dialogs.shown().back().title, "Export As");
    EXPECT_TRUE(messages().empty());
    expect_golden(path, "every-connector.exp");
    // A second export writes the same again.
    const std::string again = dir.file("again.exp");
    ASSERT_TRUE(model->export_network(again));
    EXPECT_EQ(read_file(again), read_file(path));
}

TEST_F(DesignerFiles, ExportWithoutADesignOrAFileNameDoesNothing) {
    model->mnuExpCon_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{"No Network has been designed to export"});
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown().back().icon, vexlab::platform::Icon::Critical);
    drop("2501", 40, 40, std::nullopt);  // designed, nothing placed
    dialogs.clear();
    model->mnuExpCon_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{"No Network has been designed to export"});
    drop("2501", 40, 40, "R1");
    dialogs.clear();
    dialogs.next_text(std::nullopt);
    model->mnuExpCon_Click();
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(fs::is_empty(dir.path()) ||
                std::none_of(fs::directory_iterator(dir.path()), fs::directory_iterator(),
                             [](const auto& e) { return e.path().extension() == ".exp"; }));
}

TEST_F(DesignerFiles, ThePictureGoesBesideTheFileUnderItsBaseName) {
    drop("2501", 40, 40, "R1");
    model->render_picture = [](const CanvasImage&, const std::vector<ConnectionLine>&) {
        return std::string("BM-picture");
    };
    struct Case {
        const char* file;
        const char* picture;
    } cases[] = {
        {"lab.exp", "lab.jpg"},
        {"lab.old.exp", "lab.old.jpg"},
        {"lab", "lab.jpg"},
        {"my.lab/net.exp", "my.lab/net.jpg"},
        {"my.lab/net", "my.lab/net.jpg"},
    };
    fs::create_directories(dir.path() / "my.lab");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        fs::remove(dir.file(c.picture));
        ASSERT_TRUE(model->export_network(dir.file(c.file)));
        EXPECT_TRUE(fs::exists(dir.file(c.file)));
        EXPECT_EQ(read_file(dir.file(c.picture)), "BM-picture");
    }
}

TEST_F(DesignerFiles, AFailedExportSaysSoAndWritesNothing) {
    drop("2501", 40, 40, "R1");
    const std::string path = dir.file("missing/folder/net.exp");
    EXPECT_FALSE(model->export_network(path));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind("The network could not be exported to " + path, 0), 0u);
    EXPECT_FALSE(fs::exists(path));
}

// A database failure says why, not which statement failed.
TEST_F(DesignerFiles, AnExportThatMeetsADatabaseFailureShowsNoStatement) {
    drop("2501", 40, 40, "R1");
    session.execute("DROP TABLE config_template");
    const std::string path = dir.file("net.exp");
    EXPECT_FALSE(model->export_network(path));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "The network could not be exported to " + path +
                                 ".\n\nno such table: config_template");
    EXPECT_FALSE(fs::exists(path));
}

// The export builds its settings and routing rows as scratch: the network
// loaded in the console, the designer's tables and the shipped tables are
// exactly as they were.
class ExportBesideALoadedNetwork : public ::testing::Test {
protected:
    vexlab::test::DefaultNetwork net;
    vexlab::test::DesignerDriver designer{net.app.session, net.folder.path().string()};
};

TEST_F(ExportBesideALoadedNetwork, LeavesTheDatabaseAsItFoundIt) {
    build_every_connector_design(designer);
    ASSERT_TRUE(designer.model->export_network(net.folder.file("first.exp")));
    vexlab::networkfiles::load_network(net.app, net.folder.file("first.exp"),
                                       NetworkLoad::ExportedFile);
    const std::string before = vexlab::test::database_state(net.app.session);
    ASSERT_TRUE(designer.model->export_network(net.folder.file("second.exp")));
    EXPECT_EQ(vexlab::test::database_state(net.app.session), before);
}

// The round trip a learner makes: design, export, and Open Exported File in
// the console, which then holds every device, address, connection and
// sub-interface of the design.
TEST_F(ExportBesideALoadedNetwork, TheConsoleOpensTheExportWithEverythingDesigned) {
    build_every_connector_design(designer);
    const std::string path = net.folder.file("lab.exp");
    ASSERT_TRUE(designer.model->export_network(path));
    auto& app = net.app;
    vexlab::networkfiles::load_network(app, path, NetworkLoad::ExportedFile);

    EXPECT_EQ(app.console.mode.prompt_text, "R1>");
    EXPECT_EQ(app.network.lab_description, "Small lab\r\nwith every connector");
    EXPECT_EQ(rows(app.session, "SELECT Dev_cat, Device_Name FROM device ORDER BY rowid"),
              "2503,R1;2503,R2;2501,R3;2950,SW1;PC,PC1;");
    // Router addresses reach the interface details.
    EXPECT_EQ(rows(app.session,
                   "SELECT d.dev_name, i.int_name, i.ip_address, i.mask_address FROM int_det AS i "
                   "JOIN int_device AS d ON d.\"index\" = i.ref "
                   "WHERE i.ip_address <> 'UA' ORDER BY d.dev_name, i.int_name"),
              "R1,Ethernet0,192.168.1.1,255.255.255.0;R1,Serial0,10.0.0.1,255.255.255.252;"
              "R2,Serial0,10.0.0.2,255.255.255.252;R3,Ethernet0,172.16.0.1,255.255.0.0;");
    // The switch and the workstation keep theirs in their settings.
    EXPECT_EQ(vexlab::state::read_setting(app, "FastEthernet1_ip_address", "SW1"), "192.168.1.2");
    EXPECT_EQ(vexlab::state::read_setting(app, "ethernet0_ip_address", "PC1"), "192.168.1.10");
    EXPECT_EQ(vexlab::state::read_setting(app, "hostname", "PC1"), "PC1");
    // Connections: each end faces the other, with the neighbour's address.
    EXPECT_EQ(rows(app.session,
                   "SELECT next_hop_devname, next_hop_intname, next_hopip FROM route_ip "
                   "WHERE ref = 1 AND int_name = 'Serial0'"),
              "R2,Serial0,10.0.0.2;");
    EXPECT_EQ(rows(app.session,
                   "SELECT next_hop_devname, next_hop_intname FROM route_ip "
                   "WHERE ref = 1 AND int_name IN ('IsdnBri0', 'Ethernet0') ORDER BY int_name"),
              "SW1,FastEthernet0/1;R2,IsdnBri0;");
    // Sub-interfaces: three on R2's Serial1, two on R3's Serial0, one on
    // its Serial1.
    EXPECT_EQ(rows(app.session,
                   "SELECT f.dev_name, i.int_name, m.subint_num FROM frame_map AS m "
                   "JOIN frame_ip AS i ON m.ref = i.\"index\" JOIN frame_device AS f "
                   "ON f.dev_no = i.ref ORDER BY f.dev_name, i.int_name, m.subint_num"),
              "R2,Serial1,1;R2,Serial1,2;R2,Serial1,3;R3,Serial0,1;R3,Serial0,2;R3,Serial1,1;");
    EXPECT_EQ(rows(app.session,
                   "SELECT next_hop_devname, next_hop_intname FROM route_ip "
                   "WHERE int_name = 'Serial1.3'"),
              "R3,Serial1.1;");
    // The console answers on the loaded network.
    vexlab::platform::ScriptedDialogs dialogs;
    vexlab::console::ConsoleEngine console(app, dialogs);
    console.press(vexlab::console::keys::enter);
    EXPECT_NE(console.text().rfind("R1>"), std::string::npos);
}

}  // namespace
