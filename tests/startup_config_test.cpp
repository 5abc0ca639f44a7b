// Saving, erasing and showing the startup configuration, and resume.

#include "commands/show/startup_config.h"

#include <gtest/gtest.h>

#include "commands/show/show_output.h"
#include "state/device_settings.h"
#include "support/show_fixture.h"

namespace vexlab::test {
namespace {

using namespace commands::show;

class StartupConfig : public ShowFixture {
protected:
    std::string startup(const std::string& device = "R1") {
        return state::DeviceSettings(session, tables, device).read(kStartupConfigKey).value_or("");
    }
    void save(const std::string& device = "R1", state::DeviceKind kind = state::DeviceKind::Router,
              const std::string& model = "2501") {
        save_running_config(session, tables, device, kind, model, template_path);
    }
};

TEST_F(StartupConfig, SavesTheTemplateLinesWithTheDevicesValues) {
    write_template(
        "show Router running-config\nBuilding configuration...\nhostname\n$hostname\n"
        "$banner_motd\n$enable_password\n$no_such_key\nend\n\n");
    set("R1", "enable_password", "it's");  // a quote goes in as it is
    save();
    EXPECT_EQ(startup(),
              "Current Configuration: 500 bytes\r\n\r\nhostname\r\nR1\r\nit's\r\n$no_such_key\r\n"
              "end\r\n");
}

TEST_F(StartupConfig, AnUnsetValueLeavesOnlyItsOwnLineOut) {
    write_template(
        "show Router running-config\nheading\n$banner_motd\n$enable_password\n$hostname\n!\n\n");
    for (const db::Value& unset : {db::Value("nill"), db::Value(""), db::Value::null()}) {
        set("R1", "banner_motd", unset);
        save();
        EXPECT_EQ(startup(), "Current Configuration: 500 bytes\r\n\r\nR1\r\n!\r\n");
    }
}

TEST_F(StartupConfig, TheFirstLineOfTheBlockIsNeverSaved) {
    write_template("show Router running-config\n$hostname\nend\n\n");
    save();
    EXPECT_EQ(startup(), "Current Configuration: 500 bytes\r\n\r\nend\r\n");
    write_template("show Router running-config\n\n");
    save();
    EXPECT_EQ(startup(), "Current Configuration: 500 bytes\r\n");
}

TEST_F(StartupConfig, TheBlockIsChosenByTheDeviceKind) {
    write_template(
        "show Router running-config\n-\nrouter\n\nshow Switch running-config\n-\nswitch\n\n");
    // A model word an earlier show left behind does not decide.
    save("2950", state::DeviceKind::Switch, "Router");
    EXPECT_EQ(startup("2950"), "Current Configuration: 500 bytes\r\n\r\nswitch\r\n");
    save("R1", state::DeviceKind::Router, "Switch");
    EXPECT_EQ(startup("R1"), "Current Configuration: 500 bytes\r\n\r\nrouter\r\n");
}

TEST_F(StartupConfig, WithoutABlockNothingIsSaved) {
    write_template("show Switch running-config\n-\nswitch\n\n");
    save();
    EXPECT_EQ(startup(), "nill");
}

TEST_F(StartupConfig, CopyEraseAndShowRoundTrip) {
    const auto show_startup = [&] {
        return build_show_output("show Router startup-config", context()).text;
    };
    // Nothing saved yet: the device says it has no startup configuration,
    // never the setting's unset marker.
    EXPECT_EQ(show_startup(), "startup-config is not present\r\n");
    EXPECT_EQ(build_show_output("show Switch startup-config", context("2950")).text,
              "startup-config is not present\r\n");

    set("R1", "hostname", "Lab");
    set("R1", "enable_password", "cisco");
    save();
    const std::string shown = show_startup();
    EXPECT_EQ(shown.substr(0, shown.find("hostname")),
              "Current Configuration: 500 bytes\r\n!\r\nversion 12.0\r\n"
              "service timestamps debug uptime\r\nservice timestamps log uptime\r\n"
              "no service password-encryption\r\n!\r\n");
    EXPECT_NE(shown.find("hostname\r\nLab\r\n!\r\n"), std::string::npos);
    EXPECT_NE(shown.find("enable password\r\ncisco\r\n"), std::string::npos);
    EXPECT_EQ(shown.find("nill"), std::string::npos);
    EXPECT_EQ(shown.substr(shown.size() - 5), "end\r\n");

    erase_startup_config(session, tables, "R1", kStartupConfigKey);
    EXPECT_EQ(startup(), "%% Non-volatile configuration memory is not present");
    EXPECT_EQ(show_startup(), "%% Non-volatile configuration memory is not present\r\n");
    // Other devices keep theirs.
    EXPECT_EQ(startup("R2"), "nill");
}

TEST_F(StartupConfig, EraseOfAKeyWithoutRowChangesNothing) {
    const long long before = session.total_changes();
    erase_startup_config(session, tables, "R1", "no-such-key");
    EXPECT_EQ(session.total_changes(), before);
}

TEST_F(StartupConfig, ResumeFindsTheFirstDeviceWithTheSessionNumber) {
    set("R3", "telnetsession_id", "2");
    set("R2", "telnetsession_id", "2");
    set("2950", "telnetsession_id", "3");
    set("2950", "hostname", "Access");

    auto target = resume_telnet_session(session, tables, "2");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->device, "R2");  // columns in table order: R1 R2 R3 2950 PC
    EXPECT_EQ(target->host_name, "R2");
    EXPECT_EQ(target->device_kind, state::DeviceKind::Router);
    EXPECT_EQ(target->device_model, "2501");

    target = resume_telnet_session(session, tables, "3");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->device, "2950");
    EXPECT_EQ(target->host_name, "Access");
    EXPECT_EQ(target->device_kind, state::DeviceKind::Switch);
    EXPECT_EQ(target->device_model, "2950");

    // A host name equal to the number matches as well.
    EXPECT_EQ(resume_telnet_session(session, tables, "R3")->device, "R3");
    EXPECT_FALSE(resume_telnet_session(session, tables, "9"));
    EXPECT_FALSE(resume_telnet_session(session, tables, ""));
}

TEST_F(StartupConfig, ResumeFindsTheHostNameRowInAnyCaseAndStopsWithoutOne) {
    set("R2", "telnetsession_id", "2");
    sql("UPDATE routervariables_def SET Config_Variable = 'HostName' "
        "WHERE Config_Variable = 'hostname'");
    ASSERT_TRUE(resume_telnet_session(session, tables, "2"));
    EXPECT_EQ(resume_telnet_session(session, tables, "2")->host_name, "R2");
    sql("DELETE FROM routervariables_def WHERE Config_Variable = 'hostname'");
    EXPECT_FALSE(resume_telnet_session(session, tables, "2"));
}

TEST_F(StartupConfig, ResumeOnALoadedNetworkReadsEveryColumn) {
    tables = state::NetworkTableSet::working_set();
    sql("ALTER TABLE routervariables ADD COLUMN Edge TEXT");
    sql("ALTER TABLE routervariables ADD COLUMN Core TEXT");
    sql("INSERT INTO routervariables VALUES ('hostname', 'EdgeHost', 'CoreHost')");
    sql("INSERT INTO routervariables VALUES ('telnetsession_id', '1', 'nill')");
    const auto target = resume_telnet_session(session, tables, "1");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->device, "Edge");
    EXPECT_EQ(target->host_name, "EdgeHost");
    EXPECT_FALSE(target->device_kind);  // not in the device table
}

}  // namespace
}  // namespace vexlab::test
