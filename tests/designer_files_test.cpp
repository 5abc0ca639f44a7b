// The designer's files: the network map (golden file, round trips, what the
// reader restores and refuses) and the export (golden file, the picture's
// name, a database left as it was, and the exported file opened in the
// console with every device, address, connection and sub-interface).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "console/console_engine.h"
#include "designer/host_names.h"
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

// Two routers on one serial line, complete up to the counters.
std::string two_routers_device_part() {
    const std::string text = read_file(fixture("two-routers.dgm"));
    return text.substr(0, text.find("<deviceindex>"));
}
constexpr const char* kOneLine =
    "<connectors>\r\n 55 \r\n 255 \r\n 55 \r\n 55 \r\n-2147483630 \r\n";

TEST_F(DesignerFiles, ReaderRestoresCountersDescriptionAndLinesAsWritten) {
    struct Case {
        const char* name;
        std::string tail;  // from the device numbers to the connectors
        std::array<int, 3> counters;
        std::string description;
        bool entered;
    } cases[] = {
        {"all",
         "<deviceindex>\r\n 2 \r\n 1 \r\n 0 \r\n<description>\r\nA\r\nB\r\n",
         {2, 1, 0},
         "A\r\nB",
         true},
        {"empty description",
         "<deviceindex>\r\n 7 \r\n-3 \r\n 0 \r\n<description>\r\n\r\n",
         {7, -3, 0},
         kDescriptionPrompt,
         false},
        {"prompt",
         "<deviceindex>\r\n 1 \r\n 0 \r\n 0 \r\n<description>\r\nPlease enter the Description "
         "of the Network here\r\n\r\n",
         {1, 0, 0},
         kDescriptionPrompt,
         false},
        {"two-line placeholder",
         "<deviceindex>\r\n 1 \r\n 0 \r\n 0 \r\n<description>\r\nPlease enter the Description "
         "of \r\nthe Network here\r\n\r\n",
         {1, 0, 0},
         kDescriptionPlaceholder,
         true},
        {"a description holding the file's own markers",
         "<deviceindex>\r\n 1 \r\n 0 \r\n 0 \r\n<description>\r\n<connectors>\r\n<deviceindex>\r\n"
         "EOR\r\n",
         {1, 0, 0},
         "<connectors>\r\n<deviceindex>\r\nEOR",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        model->form_load();
        drop("2501", 10, 10, "R7");
        const std::string path = dir.file("case.dgm");
        std::ofstream(path, std::ios::binary) << two_routers_device_part() << c.tail << kOneLine;
        dialogs.clear();
        open_map(path);
        ASSERT_TRUE(messages().empty()) << messages()[0];
        EXPECT_EQ(model->router_counter(), c.counters[0]);
        EXPECT_EQ(model->switch_counter(), c.counters[1]);
        EXPECT_EQ(model->pc_counter(), c.counters[2]);
        EXPECT_EQ(model->description(), c.description);
        EXPECT_EQ(model->description_entered(), c.entered);
        EXPECT_EQ(model->lines().size(), 1u);
        EXPECT_EQ(model->tables().host_names(), (std::vector<std::string>{"R1", "R2"}));
    }
    // A description that holds the markers saves and opens as it was.
    const std::string text = "<description>\r\n<connectors>\r\n 1 \r\n<sub_int_inforamtion>";
    model->Text1_Change(text);
    const std::string saved = save_map("markers.dgm");
    model->form_load();
    open_map(saved);
    EXPECT_EQ(model->description(), text);
    EXPECT_EQ(read_file(save_map("again.dgm")), read_file(saved));
}

TEST_F(DesignerFiles, SubinterfaceLinesKeepTheirKind) {
    // The two columns no designer statement names: "True" and "False" are
    // yes/no values, every other line text.
    std::string text = read_file(fixture("every-connector.dgm"));
    const std::string first = "R2\r\nSerial1\r\n 5 \r\n 441 \r\n 55 \r\n\r\n\r\n";
    const std::size_t at = text.find(first);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, first.size(), "R2\r\nSerial1\r\n 5 \r\n 441 \r\n 55 \r\nTrue\r\ntrue\r\n");
    const NetworkMap map = parse_network_map(text, model->tables().template_models());
    ASSERT_EQ(map.subinterfaces.size(), 6u);
    EXPECT_EQ(map.subinterfaces[0][7].type(), vexlab::db::ValueType::YesNo);
    EXPECT_EQ(map.subinterfaces[0][8].type(), vexlab::db::ValueType::Text);
    EXPECT_EQ(map.subinterfaces[0][8].to_text(), "true");
    EXPECT_EQ(map.subinterfaces[1][7].to_text(), "");
    EXPECT_EQ(map.subinterfaces[1][9].to_int(), 1);
    EXPECT_EQ(format_network_map(map), text);
}

// Every file of the fixture folder, a folder and a few bad values are
// refused with the file and the line; the design on screen stays exactly
// as it was.
TEST_F(DesignerFiles, AMapThatDoesNotReadWholeLeavesTheDesignAsItIs) {
    build_every_connector_design(*this);
    const std::string before_map = format_network_map(model->network_map());
    const std::size_t before_devices = model->devices().size();
    const std::size_t before_strokes = model->canvas().strokes().size();

    struct Refused {
        std::string path;
        int line;            // the line the refusal names, 0 for none
        std::string reason;  // a part of the reason it gives
    };
    std::vector<Refused> refused;
    // The fixture folder, each file with the reason it is refused for; its
    // name gives the line.
    const std::map<std::string, std::string> fixtures = {
        {"connection-with-one-end@5.dgm", "which is not connected back on the same line"},
        {"line-joining-nothing@54.dgm", "joins nothing"},
        {"unknown-model@2.dgm", "is not in the catalogue"},
        {"cut-inside-a-line-record@49.dgm", "the last line record is cut short"},
        {"interface-number-twice@30.dgm", "the interface number 1 is taken by line 5"},
        {"host-named-twice@27.dgm", "is named twice (line 2)"},
        {"cut-after-the-connectors-marker@5.dgm", "is not among the 0 lines of the connectors"},
        {"subinterface-without-its-far-end@296.dgm", "is not connected back on the same line"},
        {"cut-at-three-fifths@35.dgm", "the file ends before the line"},
        {"no-model-line@1.dgm", "is not in the catalogue"},
        {"connection-to-a-missing-device@5.dgm", "which the file does not hold"},
        {"subinterface-on-no-interface@296.dgm", "which the file does not hold"},
        {"host-named-like-a-marker@27.dgm", "a device cannot be named"},
        {"cut-inside-the-last-line@53.dgm", "the file ends inside this line"},
        {"empty@0.dgm", "the file is empty"},
        {"subinterface-record-one-value-short@296.dgm", "of its 10 values"},
    };
    const fs::path folder = fs::path(VEXLAB_FIXTURES_DIR) / "malformed" / "map";
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string file = entry.path().filename().string();
        const std::string name = entry.path().stem().string();
        ++files;
        const auto reason = fixtures.find(file);
        if (reason == fixtures.end()) {
            ADD_FAILURE() << file << " has no reason in the table";
            continue;
        }
        refused.push_back(
            {entry.path().string(), std::stoi(name.substr(name.find('@') + 1)), reason->second});
    }
    EXPECT_EQ(files, fixtures.size());
    // Values that do not fit, in an otherwise sound file.
    const struct {
        const char* fixture;
        const char* name;
        int line;
        const char* value;
        const char* reason;
    } values[] = {
        {"two-routers.dgm", "position", 3, " ten ", "a number was expected"},
        {"two-routers.dgm", "flag", 8, "yes", "True or False was expected"},
        {"two-routers.dgm", "line number", 11, " 1.5 ", "a whole number from 0 to 32767"},
        {"two-routers.dgm", "counter", 43, " 99999 ", "a whole number from -32768 to 32767"},
        {"two-routers.dgm", "colour", 53, " red ", "a whole number from"},
        {"two-routers.dgm", "no description line", 46, " 0 ", "must follow the three device"},
        {"two-routers.dgm", "interface number past 32 bits", 15, " 4294967297 ",
         "a whole number from 0 to 2147483647"},
        // What the export could not write as a record of the exported network.
        {"two-routers.dgm", "an address that ends a section", 6, "<ospf information>",
         "would end a section of the exported network"},
        {"two-routers.dgm", "a mask that ends a section", 7, "<description>",
         "would end a section of the exported network"},
        {"two-routers.dgm", "a far device that ends a section", 9, "<eigrp information>",
         "would end a section of the exported network"},
        {"every-connector.dgm", "a router relabelled as a switch", 1, "<2950>",
         "only routers take sub-interfaces"},
        {"every-connector.dgm", "a sub-interface number past 32 bits", 297, " 4294967305 ",
         "a whole number from -2147483648 to 2147483647 was expected for sun_int_num"},
        {"every-connector.dgm", "a sub-interface number with a fraction", 297, " 9.5 ",
         "a whole number from -2147483648 to 2147483647 was expected for sun_int_num"},
    };
    for (const auto& v : values) {
        auto lines = vexlab::text::split(read_file(fixture(v.fixture)), "\r\n");
        lines[v.line - 1] = v.value;
        std::string text;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) text += lines[i] + "\r\n";
        const std::string path = dir.file(std::string(v.name) + ".dgm");
        std::ofstream(path, std::ios::binary) << text;
        // The relabelled router's first sub-interface record names the line.
        refused.push_back({path, v.line == 1 ? 307 : v.line, v.reason});
    }
    fs::create_directories(dir.file("folder.dgm"));
    refused.push_back({dir.file("folder.dgm"), 0, "a folder stands in the place of the file"});

    for (const auto& [path, line, reason] : refused) {
        SCOPED_TRACE(path);
        dialogs.clear();
        open_map(path);
        ASSERT_EQ(messages().size(), 1u);
        const std::string where = "The network could not be opened.\n" + path + "\n" +
                                  (line > 0 ? "Line " + std::to_string(line) + ": " : "");
        EXPECT_EQ(messages()[0].rfind(where, 0), 0u) << messages()[0];
        EXPECT_NE(messages()[0].find(reason, where.size()), std::string::npos) << messages()[0];
        EXPECT_GT(messages()[0].size(), where.size());
        EXPECT_EQ(dialogs.shown().back().icon, vexlab::platform::Icon::Critical);
        EXPECT_EQ(format_network_map(model->network_map()), before_map);
        EXPECT_EQ(model->devices().size(), before_devices);
        EXPECT_EQ(model->canvas().strokes().size(), before_strokes);
    }
    // The sound file itself opens.
    dialogs.clear();
    open_map(fixture("two-routers.dgm"));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(model->tables().host_names(), (std::vector<std::string>{"R1", "R2"}));

    // A cancelled dialog opens nothing.
    dialogs.clear();
    dialogs.next_text(std::nullopt);
    model->mnufileopen_Click();
    EXPECT_EQ(dialogs.shown().back().title, "Open Network File");
    EXPECT_EQ(model->tables().host_names(), (std::vector<std::string>{"R1", "R2"}));
}

// A map whose device bears a name no device can bear is refused with the
// reason the designer gives when that name is typed.
TEST_F(DesignerFiles, AMapWithAnUnusableHostNameGivesTheDesignersReason) {
    const std::string sound = read_file(fixture("two-routers.dgm"));
    for (const std::string name : {"default", "Config_Variable", "framemap", "EOR1"}) {
        SCOPED_TRACE(name);
        std::string text;
        for (const auto& line : vexlab::text::split(sound, "\r\n"))
            text += (line == "R2" ? name : line == "[R2]" ? "[" + name + "]" : line) + "\r\n";
        text.resize(text.size() - 2);
        const std::string path = dir.file("unusable.dgm");
        std::ofstream(path, std::ios::binary) << text;
        dialogs.clear();
        open_map(path);
        const auto why = vexlab::designer::unusable_host_name(name);
        ASSERT_TRUE(why);
        EXPECT_EQ(messages(), std::vector<std::string>{"The network could not be opened.\n" + path +
                                                       "\nLine 27: " + *why});
    }
}

// The refusal shows the line that stopped the reader with its control
// characters written out, so that a NUL does not cut the message short.
TEST_F(DesignerFiles, ARefusalWritesOutTheControlCharactersOfItsLine) {
    std::string text = read_file(fixture("two-routers.dgm"));
    text.replace(text.find(" 40 \r\n"), 4, std::string(" 4\0\x1b ", 5));
    const std::string path = dir.file("nul.dgm");
    std::ofstream(path, std::ios::binary) << text;
    open_map(path);
    EXPECT_EQ(messages(), std::vector<std::string>{"The network could not be opened.\n" + path +
                                                   "\nLine 3: a number was expected, not "
                                                   "\" 4\\x00\\x1B \""});
}

// Whatever the designer draws and takes apart again, its own save opens
// again as the same design and saves to the same bytes.
TEST_F(DesignerFiles, EveryDesignTheDesignerSavesOpensAgain) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        SCOPED_TRACE(seed);
        model->form_load();
        std::mt19937 random(seed);
        const char* models[] = {"2503", "2501", "2950", "PC", "2620"};
        for (int n = 0; n < 8; ++n)
            drop(models[random() % 5], 10 + (n % 4) * 120.0, 10 + (n / 4) * 120.0,
                 "D" + std::to_string(n));
        const char* kinds[] = {"Serial", "Ethernet", "IsdnBri", "Frame Relay"};
        for (int attempt = 0, made = 0; made < 14 && attempt < 2000; ++attempt) {
            const std::string a = "D" + std::to_string(random() % 8);
            const std::string b = "D" + std::to_string(random() % 8);
            const char* kind = kinds[random() % 4];
            if (a == b) continue;
            const auto free_a = model->tables().free_interfaces(a, *connector_kind(kind));
            const auto free_b = model->tables().free_interfaces(b, *connector_kind(kind));
            if (free_a.empty() || free_b.empty()) continue;
            connect(kind, a, free_a[random() % free_a.size()], b, free_b[random() % free_b.size()]);
            ++made;
        }
        // Take some of it apart: a cable, a sub-interface and a device.
        for (const auto& device : model->devices()) {
            const auto cables = model->tables().plain_connections(device.host);
            if (cables.empty()) continue;
            model->remove_plain_connection(device.host, cables.front());
            break;
        }
        for (const auto& device : model->devices()) {
            const auto ends = model->tables().subinterface_ends(device.host);
            if (ends.empty()) continue;
            model->remove_subinterface_connection(device.host, ends.front().interface,
                                                  ends.front().sun_int_num);
            break;
        }
        model->remove_device(model->devices()[random() % model->devices().size()].host);
        dialogs.clear();
        const std::string first = save_map("random.dgm");
        model->form_load();
        open_map(first);
        ASSERT_TRUE(messages().empty()) << messages()[0];
        EXPECT_EQ(read_file(save_map("again.dgm")), read_file(first));
    }
}

// A save while a connection is being drawn keeps the design without the
// half-made line, and opens again.
TEST_F(DesignerFiles, ASaveInTheMiddleOfAConnectionOpensAgain) {
    drop("2501", 40, 40, "R1");
    drop("2501", 240, 40, "R2");
    connect("Serial", "R1", "Serial0", "R2", "Serial0");
    press_palette("Ethernet");
    choose("Ethernet0");
    const auto at = centre("R1");
    model->picNetwork_DragDrop({DropSource::Kind::Palette, "Ethernet", -1}, at.x, at.y);
    ASSERT_EQ(model->interaction(), Interaction::Connecting);
    ASSERT_EQ(model->lines().size(), 2u);
    const std::string path = save_map("drawing.dgm");
    model->form_load();
    dialogs.clear();
    open_map(path);
    EXPECT_TRUE(messages().empty()) << messages()[0];
    EXPECT_EQ(model->lines().size(), 1u);
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

// A host name that reads as a marker line of the network files or the map,
// that the network file reader refuses for a device, or that the exported
// settings already use, is refused when it is typed, with its reason.
// Every other name travels, quotes included: the export reads back, the
// console opens it, and the map saves and opens again.
TEST_F(ExportBesideALoadedNetwork, NamesThatReadAsFileMarkersAreRefusedAndOthersTravel) {
    using namespace std::string_literals;
    const struct {
        std::string name;
        bool refused;
    } names[] = {
        {"ospf information", true},
        {"eigrp information", true},
        {"description", true},
        {"Description", true},
        {"routing information", true},
        {"subint information", true},
        {"vlan information", true},
        {"<ospf information>", true},
        {"<description>", true},
        {"intdevice", true},
        {"virtual link", true},
        {"nat pool", true},
        {"Access list", true},
        {"sub_int_inforamtion", true},
        {"<deviceindex>", true},
        {"connectors", true},
        {"<connectors>", true},
        {"EOR", true},
        {"EOR2", true},
        // The database's own names for a row's number, and a NUL.
        {"rowid", true},
        {"OID", true},
        {"_RowID_", true},
        {"R"s + '\0' + "9", true},
        // A column the exported settings have besides the devices'.
        {"default", true},
        {"Config_Variable", true},
        {"eor2", false},
        {"rowid2", false},
        {"_oid", false},
        {"descriptions", false},
        {"ospf", false},
        {"netpath", false},
        {"<R9>", false},
        {"[R9]", false},
        {"Core 1", false},
        {"Core'1;x", false},
        {"say \"hi\"", false},
        {"default_value", false},
        {"rec_index", false},
    };
    auto& d = designer;
    for (const auto& n : names) {
        SCOPED_TRACE(n.name);
        d.model->form_load();
        d.dialogs.clear();
        d.drop("2503", 40, 40, "R1");
        d.drop("2503", 240, 40, n.name);
        std::vector<std::string> messages;
        for (const auto& shown : d.dialogs.shown())
            if (shown.kind == "message") messages.push_back(shown.text);
        if (n.refused) {
            EXPECT_EQ(d.model->tables().host_names(), std::vector<std::string>{"R1"});
            const auto why = vexlab::designer::unusable_host_name(n.name);
            ASSERT_TRUE(why);
            EXPECT_EQ(
                why->rfind("a device cannot be named " + vexlab::text::quoted(n.name) + ": ", 0),
                0u)
                << *why;
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].substr(1), why->substr(1) + ".\nPlease choose another name.");
            continue;
        }
        ASSERT_EQ(d.model->tables().host_names().size(), 2u);
        d.connect("Serial", "R1", "Serial0", n.name, "Serial0");
        d.connect("Frame Relay", "R1", "Serial1", n.name, "Serial1");
        const std::string exported = net.folder.file("names.exp");
        ASSERT_TRUE(d.model->export_network(exported)) << d.dialogs.shown().back().text;
        vexlab::networkfiles::load_network(net.app, exported, NetworkLoad::ExportedFile);
        EXPECT_EQ(rows(net.app.session, "SELECT Device_Name FROM device ORDER BY rowid"),
                  "R1;" + n.name + ";");

        const std::string map = net.folder.file("names.dgm");
        d.dialogs.next_text(map);
        d.model->mnufilesave_Click();
        d.model->form_load();
        d.dialogs.clear();
        ASSERT_TRUE(d.model->open_network_map_file(map)) << d.dialogs.shown().back().text;
        EXPECT_EQ(d.model->lines().size(), 2u);
    }
}

}  // namespace
