#include "support/show_fixture.h"

#include <filesystem>
#include <fstream>

#include "platform/text.h"
#include "state/device_settings.h"

namespace vexlab::test {

void ShowFixture::SetUp() {
    fresh_database(dir.file("commandsbackup.mdb"));
    session.open(dir.file("commandsbackup.mdb"));
    seed_device_tables(session);
    template_path = dir.file("showcommands.txt");
    use_template_file(resources_dir() + "/showcommands.txt");
}

commands::show::ShowContext ShowFixture::context(const std::string& device, const std::string& line,
                                                 std::vector<std::string> words) {
    commands::show::ShowContext c(session, tables);
    c.device = device;
    c.host_name = state::DeviceSettings(session, tables, device).read("hostname").value_or(device);
    c.command_line = line;
    if (words.empty() && !line.empty()) words = text::split(line, " ");
    c.command_words = std::move(words);
    c.history = {""};
    c.template_path = template_path;
    return c;
}

void ShowFixture::use_template_file(const std::string& path) {
    std::filesystem::copy_file(path, template_path,
                               std::filesystem::copy_options::overwrite_existing);
}

void ShowFixture::write_template(const std::string& text) {
    std::ofstream(template_path, std::ios::binary) << text;
}

void ShowFixture::set(const std::string& device, const std::string& key, const db::Value& value) {
    ASSERT_TRUE(state::DeviceSettings(session, tables, device).write(key, value)) << key;
}

void ShowFixture::sql(const std::string& statement, std::initializer_list<db::Value> params) {
    session.execute(statement, params);
}

void ShowFixture::interface(const std::string& device, const std::string& name,
                            const std::string& ip, const std::string& mask, const std::string& line,
                            const std::string& prot) {
    sql("UPDATE int_det SET ip_address = ?, mask_address = ?, line = ?, prot = ? "
        "WHERE int_name = ? AND ref = (SELECT \"index\" FROM int_device WHERE dev_name = ?)",
        {ip, mask, line, prot, name, device});
}

void ShowFixture::routed(const std::string& device, const std::string& name, const std::string& ip,
                         const std::string& mask, bool up, const std::string& protocol, int area) {
    for (const char* view : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"}) {
        sql(std::string("UPDATE ") + view +
                " SET ip = ?, mask = ?, int_status = ?, nw_protocol = ? WHERE int_name = ? AND "
                "ref = (SELECT dev_no FROM rout_dev_def WHERE dev_name = ?)",
            {ip, mask, up ? 1 : 0, protocol, name, device});
        sql(std::string("UPDATE ") + view +
                " SET next_hopip = ?, next_hopmask = ? WHERE next_hop_devname = ? AND "
                "next_hop_intname = ?",
            {ip, mask, device, name});
    }
    sql("UPDATE ospf_ip_def SET int_area_num = ? WHERE int_name = ? AND "
        "ref = (SELECT dev_no FROM rout_dev_def WHERE dev_name = ?)",
        {area, name, device});
}

void ShowFixture::router_id(const std::string& device, const std::string& id) {
    sql("UPDATE ospf_dev_def SET device_id = ? WHERE dev_name = ?", {id, device});
}

std::string crlf_lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace vexlab::test
