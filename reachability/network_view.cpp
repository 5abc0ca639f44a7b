#include "reachability/network_view.h"

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"

namespace vexlab::reachability {

namespace {

// The settings rows a probe reads.
constexpr const char* kSettingsKeys[] = {
    "default_gateway",  "hostname",       "linevty_pass",   "FastEthernet1_ip_address",
    "telnetsession_id", "telneted_host1", "telneted_host2", "telneted_host3",
};

std::string number_key(const db::Value& value) {
    return value.is_null() ? std::string() : value.to_text();
}

InterfaceTable read_interfaces(db::DatabaseSession& session, const std::string& table,
                               bool with_areas) {
    InterfaceTable result;
    std::string columns =
        "ref, int_name, ip, mask, next_hop_devname, next_hop_intname, next_hopip, next_hopmask, "
        "metric, int_status, nw_protocol, l2_frame, l2_isdn, in_acl_num, out_acl_num, "
        "nat_inside_int, nat_outside_int";
    if (with_areas)
        columns +=
            ", int_area_num, int_area_type, con_to_backbone, nxt_int_area_num, "
            "nxt_int_area_type, nxt_con_to_backbone";
    db::Recordset set = session.open_recordset("SELECT " + columns + " FROM " +
                                               db::quote_identifier(table) + " ORDER BY rowid");
    result.rows.reserve(set.record_count());
    for (; !set.eof(); set.move_next()) {
        InterfaceRow row;
        row.ref = set.field(0);
        row.int_name = set.text(1);
        row.ip = set.text(2);
        row.mask = set.text(3);
        row.next_hop_devname = set.text(4);
        row.next_hop_intname = set.text(5);
        row.next_hopip = set.text(6);
        row.next_hopmask = set.text(7);
        row.metric = set.field(8).to_int();
        row.int_status = set.field(9).to_bool();
        row.nw_protocol = set.text(10);
        row.l2_frame = set.field(11).to_bool();
        row.l2_isdn = set.field(12).to_bool();
        row.in_acl_num = set.field(13);
        row.out_acl_num = set.field(14);
        row.nat_inside_int = set.field(15).to_int();
        row.nat_outside_int = set.field(16).to_int();
        if (with_areas) {
            row.area = {true, set.text(17), set.text(18), set.field(19).to_bool()};
            row.far_area = {true, set.text(20), set.text(21), set.field(22).to_bool()};
        }
        result.rows.push_back(std::move(row));
    }
    result.index();
    return result;
}

std::vector<DeviceRow> read_devices(db::DatabaseSession& session, const std::string& table,
                                    bool with_virtual_link) {
    std::vector<DeviceRow> devices;
    db::Recordset set =
        session.open_recordset("SELECT * FROM " + db::quote_identifier(table) + " ORDER BY rowid");
    for (; !set.eof(); set.move_next())
        devices.push_back({set.field("dev_no"), set.text("dev_name"),
                           with_virtual_link && set.field("virtual_link").to_bool()});
    return devices;
}

}  // namespace

std::string lookup_key(std::string_view text) {
    return text::lower(text);
}

std::size_t FoldedHash::operator()(std::string_view key) const {
    std::size_t hash = 14695981039346656037ull;
    for (char c : key) {
        const char folded = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
        hash = (hash ^ static_cast<unsigned char>(folded)) * 1099511628211ull;
    }
    return hash;
}

bool FoldedEqual::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + ('a' - 'A'));
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + ('a' - 'A'));
        if (x != y) return false;
    }
    return true;
}

const InterfaceRow* InterfaceTable::by_ip(std::string_view ip) const {
    auto it = by_ip_.find(ip);
    return it == by_ip_.end() ? nullptr : &rows[it->second];
}

void InterfaceTable::index() {
    by_ip_.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) by_ip_.emplace(rows[i].ip, i);
}

JoinedView::JoinedView(const std::vector<DeviceRow>& devices, const InterfaceTable& interfaces) {
    std::unordered_map<std::string, std::vector<const DeviceRow*>> by_number;
    for (const auto& device : devices)
        if (!device.dev_no.is_null()) by_number[number_key(device.dev_no)].push_back(&device);
    for (const auto& iface : interfaces.rows) {
        if (iface.ref.is_null()) continue;
        auto it = by_number.find(number_key(iface.ref));
        if (it == by_number.end()) continue;
        for (const DeviceRow* device : it->second) rows_.push_back({device, &iface});
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        by_ip_.emplace(rows_[i].iface->ip, i);
        by_device_[rows_[i].dev_name()].push_back(&rows_[i]);
    }
}

const JoinedView::Row* JoinedView::by_ip(std::string_view ip) const {
    auto it = by_ip_.find(ip);
    return it == by_ip_.end() ? nullptr : &rows_[it->second];
}

const std::vector<const JoinedView::Row*>& JoinedView::of_device(std::string_view device) const {
    static const std::vector<const Row*> none;
    auto it = by_device_.find(device);
    return it == by_device_.end() ? none : it->second;
}

NetworkView NetworkView::load(db::DatabaseSession& session, const state::NetworkTableSet& tables) {
    NetworkView view;
    view.is_working_set = tables.routervariables_table == "routervariables";
    view.rout_dev = read_devices(session, tables.rout_dev_table, false);
    view.ospf_dev = read_devices(session, tables.ospf_dev_table, true);
    view.route_ip = read_interfaces(session, tables.route_ip_table, false);
    view.ospf_ip = read_interfaces(session, tables.ospf_ip_table, true);
    view.eigrp_ip = read_interfaces(session, tables.eigrp_ip_table, false);
    view.route = JoinedView(view.rout_dev, view.route_ip);
    view.ospf = JoinedView(view.ospf_dev, view.ospf_ip);
    view.ospf_by_route = JoinedView(view.rout_dev, view.ospf_ip);

    {
        db::Recordset set = session.open_recordset(
            "SELECT * FROM " + db::quote_identifier(tables.nat_dev_table) + " ORDER BY rowid");
        for (; !set.eof(); set.move_next())
            view.nat_dev.push_back(
                {set.field("dev_no"), set.text("dev_name"), set.field("nat_status")});
    }
    {
        db::Recordset set = session.open_recordset(
            "SELECT * FROM " + db::quote_identifier(tables.nat_inout_table) + " ORDER BY rowid");
        for (; !set.eof(); set.move_next())
            view.nat_inout.push_back({set.field("inside_local"), set.field("inside_global"),
                                      set.field("outside_local"), set.field("outside_global"),
                                      set.text("in_gl_rprot"), set.field("ref")});
    }
    for (const auto& device : view.nat_dev) view.nat_by_name_.emplace(device.dev_name, &device);
    for (const auto& entry : view.nat_inout)
        for (const auto& owner : view.nat_dev)
            if (!owner.dev_no.is_null() && !entry.ref.is_null() &&
                owner.dev_no.to_text() == entry.ref.to_text())
                view.nat_entries_[owner.dev_name].push_back({&owner, &entry});
    {
        db::Recordset set = session.open_recordset(
            "SELECT * FROM " + db::quote_identifier("nat_pool") + " ORDER BY rowid");
        for (; !set.eof(); set.move_next())
            view.nat_pool.push_back({set.text("pool_name"), set.text("beg_in_global"),
                                     set.text("end_in_global"), set.text("subnet_mask"),
                                     set.field("accesslist_num"), set.text("glob_port"),
                                     set.field("dev_ref")});
    }
    {
        db::Recordset set = session.open_recordset(
            "SELECT * FROM " + db::quote_identifier("access_list") + " ORDER BY rowid");
        for (; !set.eof(); set.move_next())
            view.access_list.push_back({set.field("accesslist_num"), set.text("ip"),
                                        set.text("wildcard_mask"), set.field("deny"),
                                        set.field("ref_devce")});
    }
    {
        db::Recordset set = session.open_recordset(
            "SELECT * FROM " + db::quote_identifier("eth_iplist") + " ORDER BY rowid");
        for (; !set.eof(); set.move_next())
            view.eth_iplist.push_back({set.text("master_ip"), set.text("sub_ip")});
    }
    {
        db::Recordset set = session.open_recordset(
            "SELECT * FROM " + db::quote_identifier("sw_riplist") + " ORDER BY rowid");
        for (; !set.eof(); set.move_next())
            view.sw_riplist.push_back({set.text("sub_dev"), set.text("mast_ip"),
                                       set.text("mast_int"), set.text("mast_dev")});
    }
    {
        db::Recordset set =
            session.open_recordset("SELECT \"index\", Device_Name FROM " +
                                   db::quote_identifier("device") + " ORDER BY rowid");
        for (; !set.eof(); set.move_next())
            if (!set.field(0).is_null())
                view.kinds_.emplace(set.text(1), static_cast<int>(set.field(0).to_int()));
    }
    {
        db::Recordset set = session.open_recordset(
            "SELECT int_device.dev_name, int_det.int_name, int_det.encap_short FROM " +
            db::quote_identifier("int_device") + " AS int_device INNER JOIN " +
            db::quote_identifier("int_det") +
            " AS int_det ON int_device.\"index\" = int_det.ref "
            "ORDER BY int_det.rowid, int_device.rowid");
        for (; !set.eof(); set.move_next())
            view.encapsulations_.emplace(set.text(0) + '\n' + set.text(1), set.text(2));
    }
    {
        std::string keys = "?";
        for (std::size_t i = 1; i < std::size(kSettingsKeys); ++i) keys += ", ?";
        std::vector<db::Value> params(std::begin(kSettingsKeys), std::end(kSettingsKeys));
        db::Recordset set = session.open_recordset(
            "SELECT * FROM " + db::quote_identifier(tables.routervariables_table) +
                " WHERE Config_Variable IN (" + keys + ") ORDER BY rowid",
            params);
        for (int i = 0; i < set.field_count(); ++i)
            view.settings_columns.push_back(set.field_name(i));
        for (; !set.eof(); set.move_next()) {
            SettingsRow row;
            for (int i = 0; i < set.field_count(); ++i) {
                row.values.push_back(set.text(i));
                row.null.push_back(set.field(i).is_null());
            }
            view.settings_.emplace(set.text(0), std::move(row));
        }
    }
    return view;
}

std::vector<std::size_t> NetworkView::device_positions() const {
    std::vector<std::size_t> positions;
    const std::size_t step = is_working_set ? 1 : 2;
    for (std::size_t i = step; i < settings_columns.size(); i += step) positions.push_back(i);
    return positions;
}

const InterfaceTable& NetworkView::table(ProtocolView view) const {
    switch (view) {
        case ProtocolView::Ospf:
            return ospf_ip;
        case ProtocolView::Eigrp:
            return eigrp_ip;
        default:
            return route_ip;
    }
}

std::optional<int> NetworkView::device_kind(std::string_view device) const {
    auto it = kinds_.find(device);
    if (it == kinds_.end()) return std::nullopt;
    return it->second;
}

std::optional<std::string> NetworkView::encapsulation(std::string_view device,
                                                      std::string_view interface) const {
    auto it = encapsulations_.find(std::string(device) + '\n' + std::string(interface));
    if (it == encapsulations_.end()) return std::nullopt;
    return it->second;
}

const SettingsRow* NetworkView::settings(std::string_view key) const {
    auto it = settings_.find(key);
    return it == settings_.end() ? nullptr : &it->second;
}

const DeviceRow* NetworkView::ospf_device(const db::Value& dev_no) const {
    if (dev_no.is_null()) return nullptr;
    for (const auto& device : ospf_dev)
        if (!device.dev_no.is_null() && number_key(device.dev_no) == number_key(dev_no))
            return &device;
    return nullptr;
}

const NatDevice* NetworkView::nat_device(std::string_view device) const {
    auto it = nat_by_name_.find(device);
    return it == nat_by_name_.end() ? nullptr : it->second;
}

const std::vector<NetworkView::NatEntryOf>& NetworkView::nat_entries(
    std::string_view device) const {
    static const std::vector<NatEntryOf> none;
    auto it = nat_entries_.find(device);
    return it == nat_entries_.end() ? none : it->second;
}

}  // namespace vexlab::reachability
