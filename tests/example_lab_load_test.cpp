// Load the Lab without its window: the lab's network found through the
// index and loaded into the working tables, every shipped lab network
// included; a lab without a network or with a broken file changes nothing.

#include "labs/example_lab_load.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "example_network.h"
#include "labs/example_labs.h"
#include "networkfiles/network_loader.h"
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

TEST_F(ExampleLabLoad, EveryShippedLabNetworkLoadsWithItsDevices) {
    ship_lab_networks();
    const std::string shipped = vexlab::test::resources_dir() + "/example_labs";
    vexlab::labs::ExampleLabsFile list(shipped);
    int loaded = 0;
    for (const auto& section : list.read_lab_tree()) {
        for (const std::string& lab : section.labs) {
            if (vexlab::labs::find_lab_network(shipped, lab).empty()) continue;
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
    EXPECT_GE(loaded, 6);
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
    const auto outcome = load_example_lab(app(), "Command Modes", [&](int) { progressed = true; });
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
