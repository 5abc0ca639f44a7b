#include "support/test_network.h"

#include <stdexcept>

#include "reachability/lan_tables.h"
#include "support/test_database.h"

namespace vexlab::test {

namespace {

constexpr const char* kSettingsKeys[] = {
    "hostname",        "linevty_pass",     "telnetsession_id",         "telneted_host1",
    "telneted_host2",  "telneted_host3",   "default_gateway",          "enable_password",
    "secret_password", "lineconsole_pass", "FastEthernet1_ip_address", "FastEthernet1_dec_mask",
};

}  // namespace

TestNetwork::Device& TestNetwork::router(const std::string& name) {
    devices.push_back({name, 1, name});
    return devices.back();
}
TestNetwork::Device& TestNetwork::switch_device(const std::string& name) {
    devices.push_back({name, 2, name});
    return devices.back();
}
TestNetwork::Device& TestNetwork::pc(const std::string& name) {
    devices.push_back({name, 3, name});
    return devices.back();
}

TestNetwork::Device& TestNetwork::device(const std::string& name) {
    for (auto& d : devices)
        if (d.name == name) return d;
    throw std::logic_error("no device " + name);
}

TestInterface& TestNetwork::iface(const std::string& device, const std::string& name,
                                  const std::string& ip, const std::string& mask) {
    TestInterface i;
    i.device = device;
    i.name = name;
    i.ip = ip;
    i.mask = mask;
    interfaces.push_back(i);
    return interfaces.back();
}

TestInterface& TestNetwork::find(const std::string& device, const std::string& name) {
    for (auto& i : interfaces)
        if (i.device == device && i.name == name) return i;
    throw std::logic_error("no interface " + device + " " + name);
}

void TestNetwork::link(const std::string& device_a, const std::string& iface_a,
                       const std::string& device_b, const std::string& iface_b) {
    TestInterface& a = find(device_a, iface_a);
    TestInterface& b = find(device_b, iface_b);
    a.far_device = device_b;
    a.far_interface = iface_b;
    b.far_device = device_a;
    b.far_interface = iface_a;
}

void TestNetwork::acl(int number, const std::string& device, const std::string& ip,
                      const std::string& wildcard, bool deny) {
    acls.push_back({number, device, ip, wildcard, deny});
}

TestNetwork::NatEntry& TestNetwork::nat_entry(const std::string& device) {
    nat_entries.push_back({});
    nat_entries.back().device = device;
    return nat_entries.back();
}

TestNetwork::NatPool& TestNetwork::nat_pool(const std::string& device, const std::string& name) {
    pools.push_back({});
    pools.back().device = device;
    pools.back().name = name;
    return pools.back();
}

void TestNetwork::write(db::DatabaseSession& session) const {
    const auto tables = state::NetworkTableSet::working_set();
    db::DatabaseSession::Transaction transaction(session);
    auto number_of = [&](const std::string& name) {
        for (std::size_t i = 0; i < devices.size(); ++i)
            if (devices[i].name == name) return static_cast<int>(i) + 1;
        return 0;
    };
    for (const char* key : kSettingsKeys)
        session.execute("INSERT INTO routervariables (Config_Variable) VALUES (?)", {key});
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const Device& d = devices[i];
        const int number = static_cast<int>(i) + 1;
        session.execute("INSERT INTO device (\"index\", Dev_cat, Device_Name) VALUES (?, ?, ?)",
                        {d.kind,
                         d.kind == 1   ? "2501"
                         : d.kind == 2 ? "2950"
                                       : "PC",
                         d.name});
        session.execute("INSERT INTO int_device (\"index\", dev_name) VALUES (?, ?)",
                        {number, d.name});
        for (const char* table : {"rout_dev", "eigrp_dev", "frame_device"})
            session.execute(
                std::string("INSERT INTO ") + table + " (dev_no, dev_name) VALUES (?, ?)",
                {number, d.name});
        session.execute("INSERT INTO ospf_dev (dev_no, dev_name, virtual_link) VALUES (?, ?, ?)",
                        {number, d.name, d.virtual_link});
        session.execute("INSERT INTO nat_dev (dev_no, dev_name, nat_status) VALUES (?, ?, ?)",
                        {number, d.name, d.nat ? 1 : 0});
        session.execute("ALTER TABLE routervariables ADD COLUMN " + db::quote_identifier(d.name) +
                        " TEXT");
        auto set = [&](const char* key, const std::string& value) {
            session.execute("UPDATE routervariables SET " + db::quote_identifier(d.name) +
                                " = ? WHERE Config_Variable = ?",
                            {value, key});
        };
        for (const char* key : kSettingsKeys) set(key, "nill");
        set("hostname", d.host_name);
        set("linevty_pass", d.vty_password);
        set("default_gateway", d.default_gateway);
        set("FastEthernet1_ip_address", d.kind == 2 ? d.management_ip : "NA");
        set("FastEthernet1_dec_mask", d.kind == 2 ? d.management_mask : "NA");
    }
    int index = 0;
    for (const auto& i : interfaces) {
        ++index;
        const TestInterface* far = nullptr;
        for (const auto& other : interfaces)
            if (other.device == i.far_device && other.name == i.far_interface) far = &other;
        const std::string next_ip = far ? far->ip : "UA";
        const std::string next_mask = far ? far->mask : "UA";
        const int ref = number_of(i.device);
        const std::vector<db::Value> common = {
            index,
            ref,
            i.name,
            i.ip,
            i.mask,
            i.far_device,
            i.far_interface,
            next_ip,
            next_mask,
            i.metric,
            i.up ? 1 : 0,
            i.l2_frame ? 1 : 0,
            i.l2_isdn ? 1 : 0,
            i.in_acl,
            i.out_acl,
            i.nat_inside,
            i.nat_outside,
        };
        const char* columns =
            "\"index\", ref, int_name, ip, mask, next_hop_devname, next_hop_intname, next_hopip, "
            "next_hopmask, metric, int_status, l2_frame, l2_isdn, in_acl_num, out_acl_num, "
            "nat_inside_int, nat_outside_int, nw_protocol";
        auto insert = [&](const std::string& table, const std::string& protocol) {
            std::vector<db::Value> values = common;
            values.emplace_back(protocol);
            std::string marks = "?";
            for (std::size_t n = 1; n < values.size(); ++n) marks += ", ?";
            session.execute("INSERT INTO " + table + " (" + columns + ") VALUES (" + marks + ")",
                            values);
        };
        insert("route_ip", i.rip);
        insert("eigrp_ip", i.eigrp);
        insert("ospf_ip", i.ospf);
        session.execute(
            "UPDATE ospf_ip SET int_area_num = ?, int_area_type = ?, con_to_backbone = ?, "
            "nxt_int_area_num = ?, nxt_int_area_type = ?, nxt_con_to_backbone = ? "
            "WHERE rowid = last_insert_rowid()",
            {i.area, i.area_type, i.to_backbone, far ? far->area : -1,
             far ? far->area_type : std::string("N"), far ? far->to_backbone : false});
        session.execute(
            "INSERT INTO int_det (\"index\", int_name, ip_address, mask_address, encap_short, ref) "
            "VALUES (?, ?, ?, ?, ?, ?)",
            {index, i.name, i.ip, i.mask, i.encapsulation, ref});
    }
    for (const auto& a : acls)
        session.execute(
            "INSERT INTO access_list (accesslist_num, ip, wildcard_mask, deny, ref_devce) "
            "VALUES (?, ?, ?, ?, ?)",
            {a.number, a.ip, a.wildcard, a.deny, number_of(a.device)});
    for (const auto& n : nat_entries)
        session.execute(
            "INSERT INTO nat_inout (inside_local, inside_global, outside_local, outside_global, "
            "in_gl_rprot, ref) VALUES (?, ?, ?, ?, ?, ?)",
            {n.inside_local, n.inside_global, n.outside_local, n.outside_global, n.protocol,
             number_of(n.device)});
    for (const auto& p : pools)
        session.execute(
            "INSERT INTO nat_pool (pool_name, beg_in_global, end_in_global, subnet_mask, "
            "accesslist_num, glob_port, dev_ref) VALUES (?, ?, ?, ?, ?, ?, ?)",
            {p.name, p.first, p.last, p.mask, p.acl, p.protocol, number_of(p.device)});
    reachability::add_lan_members(session, tables);
    reachability::build_sw_riplist(session, tables);
    transaction.commit();
}

void write_network(db::DatabaseSession& session, const std::string& path,
                   const TestNetwork& network) {
    empty_database(session, path);
    // Reopened as the program opens its database (exclusive, with a log).
    session.close();
    session.open(path);
    network.write(session);
}

}  // namespace vexlab::test
