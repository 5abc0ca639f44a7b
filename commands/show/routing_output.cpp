#include "commands/show/routing_output.h"

#include <vector>

#include "platform/db_session.h"
#include "platform/text.h"
#include "reachability/lan_tables.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands::show {

namespace {

std::string blanks(std::size_t count) {
    return std::string(count, ' ');
}

// The OSPF device rows (d) joined with their interface rows (i).
std::string ospf_join(const state::NetworkTableSet& t) {
    return " FROM " + db::quote_identifier(t.ospf_dev_table) + " AS d INNER JOIN " +
           db::quote_identifier(t.ospf_ip_table) + " AS i ON d.dev_no = i.ref ";
}

constexpr const char* kInTableOrder = " ORDER BY i.rowid";

// ------------------------------------------------------------ routing table

struct RouteEntry {
    std::string network;
    std::string via;  // the not-applicable marker for a connected network
    std::string interface_name;
    bool listed = false;
};

// The classful network an entry belongs to: its first one, two or three
// parts by the class of the first part; nothing outside classes A to C.
struct ClassfulNetwork {
    std::string prefix;
    const char* header_suffix;
};
std::optional<ClassfulNetwork> classful(const std::string& network) {
    const auto parts = text::split(network, ".");
    const long long first = std::stoll(parts[0]);
    if (first >= 1 && first <= 127) return ClassfulNetwork{parts[0], ".0.0.0 is subnetted, "};
    if (first >= 128 && first <= 191)
        return ClassfulNetwork{parts[0] + "." + parts[1], ".0.0 is subnetted, "};
    if (first >= 192 && first <= 223)
        return ClassfulNetwork{parts[0] + "." + parts[1] + "." + parts[2], ".0 is subnetted, "};
    return std::nullopt;
}

std::string route_line(const RouteEntry& entry, bool repeat) {
    const bool connected = entry.via == state::marker::kNotApplicable;
    if (connected && !repeat)
        return "C" + blanks(9) + entry.network + " is directly connected, " + entry.interface_name;
    if (connected) return "C" + blanks(11) + "is directly connected, " + entry.interface_name;
    const std::string tail = "[110/324] via " + entry.via + ", 00:00:08, " + entry.interface_name;
    if (!repeat) return "O" + blanks(9) + entry.network + blanks(7) + tail;
    return "O" + blanks(35) + tail;
}

std::vector<RouteEntry> collect_routes(const ShowContext& context) {
    const auto& t = context.tables;
    const std::string join = ospf_join(t);
    std::vector<RouteEntry> entries;

    // The router's own OSPF networks that are up.
    for (db::Recordset rows = context.session.open_recordset(
             "SELECT int_name, ip, mask" + join +
                 "WHERE dev_name = ? AND nw_protocol = 'o' AND int_status = 1" + kInTableOrder,
             {context.device});
         !rows.eof(); rows.move_next()) {
        // An interface without an address has no network to show.
        if (auto network = reachability::network_text(rows.text(1), rows.text(2)))
            entries.push_back({*network, std::string(state::marker::kNotApplicable), rows.text(0)});
    }

    // The networks of the neighbours whose facing interface is up, except
    // those that lead back here.
    for (db::Recordset own = context.session.open_recordset(
             "SELECT int_name, next_hop_devname, next_hop_intname, next_hopip" + join +
                 "WHERE dev_name = ? AND nw_protocol = 'o'" + kInTableOrder,
             {context.device});
         !own.eof(); own.move_next()) {
        const std::string next_hop = own.text(3);
        if (!is_interface_up(context, next_hop)) continue;
        for (db::Recordset far = context.session.open_recordset(
                 "SELECT int_name, ip, mask" + join +
                     "WHERE dev_name = ? AND nw_protocol = 'o' AND next_hop_devname <> ? "
                     "AND int_status = 1" +
                     kInTableOrder,
                 {own.text(1), context.device});
             !far.eof(); far.move_next()) {
            if (auto network = reachability::network_text(far.text(1), far.text(2)))
                entries.push_back({*network, next_hop, own.text(0)});
        }
    }
    return entries;
}

// ------------------------------------------------------------ link states

constexpr const char* kOwnRowTail = "         128          0x80000007    0XCEFF";

std::string router_id_of(const ShowContext& context) {
    db::Recordset rows = context.session.open_recordset(
        "SELECT device_id" + ospf_join(context.tables) +
            "WHERE dev_name = ? AND nw_protocol = 'o'" + kInTableOrder,
        {context.device});
    return rows.eof() ? std::string("0.0.0.0") : rows.text(0);
}

void section_head(std::string& text, const std::string& title, const std::string& area) {
    text += kCrLf + std::string(" ");
    text += kCrLf + (" " + blanks(24) + title + " (Area " + area + ")");
    text += kCrLf + std::string(" ");
    text += kCrLf + (" Link ID" + blanks(15) + "ADV Router" + blanks(8) + "Age" + blanks(9) +
                     "Seq#" + blanks(14) + "Checksum" + blanks(6) + "Link Count");
}

std::string link_state_row(const std::string& id, const std::string& links) {
    return kCrLf + id + blanks(7) + id + kOwnRowTail + blanks(9) + links;
}

// The links a neighbour announces in an area: two for each point-to-point
// (serial) interface up in it, one for every other.
int neighbour_links(const ShowContext& context, const std::string& neighbour,
                    const db::Value& area) {
    int links = 0;
    for (db::Recordset rows = context.session.open_recordset(
             "SELECT int_name" + ospf_join(context.tables) +
                 "WHERE dev_name = ? AND int_area_num = ? AND int_status = 1 AND "
                 "nw_protocol = 'o'" +
                 kInTableOrder,
             {neighbour, area});
         !rows.eof(); rows.move_next())
        links += text::icontains(rows.text(0), "serial") ? 2 : 1;
    return links;
}

// The neighbour rows of one section: every link of the area whose far end
// is no Ethernet interface and answers as an OSPF interface up in the area.
void neighbour_rows(const ShowContext& context, db::Recordset& links, const db::Value& area,
                    bool far_end_on_ethernet, std::string& text) {
    const std::string ethernet_only = far_end_on_ethernet ? " AND int_name LIKE 'Ethernet%'" : "";
    for (links.move_first(); !links.eof(); links.move_next()) {
        if (links.text(1).find("Ethernet") != std::string::npos) continue;
        db::Recordset far = context.session.open_recordset(
            "SELECT device_id" + ospf_join(context.tables) +
                "WHERE dev_name = ? AND int_name = ? AND int_area_num = ? AND int_status = 1 AND "
                "nw_protocol = 'o'" +
                ethernet_only + kInTableOrder,
            {links.text(0), links.text(1), area});
        if (far.eof()) continue;
        text += link_state_row(far.text(0),
                               std::to_string(neighbour_links(context, links.text(0), area)));
    }
}

// One area of "show ip ospf": its interfaces, counted with or without
// OSPF and up or down, and its type as its last row carries it.
struct AreaSummary {
    std::string number, type;
    int interfaces = 0;
};
AreaSummary summarise_area(const ShowContext& context, const std::string& join,
                           const db::Value& area) {
    AreaSummary summary{area.to_text(), {}, 0};
    for (db::Recordset rows = context.session.open_recordset(
             "SELECT dev_name, int_area_num, int_area_type" + join +
                 "WHERE dev_name = ? AND int_area_num = ? ORDER BY i.rowid",
             {context.device, area});
         !rows.eof(); rows.move_next()) {
        ++summary.interfaces;
        summary.type = rows.text(2);
    }
    if (summary.type == "N")
        summary.type = "Normal";
    else if (summary.type == "S")
        summary.type = "Stub";
    else if (summary.type == "T")
        summary.type = "Totally Stub";
    return summary;
}

}  // namespace

bool is_interface_up(const ShowContext& context, const std::string& address) {
    if (!reachability::network_text(address, "255.255.255.255")) return false;
    db::Recordset rows = context.session.open_recordset(
        "SELECT int_status FROM " + db::quote_identifier(context.tables.route_ip_table) +
            " WHERE ip = ? ORDER BY rowid LIMIT 1",
        {address});
    return !rows.eof() && rows.field(0).to_int() != 0;
}

std::string build_ip_route_output(const ShowContext& context) {
    std::string text =
        "Codes: C - connected, S - static, I - IGRP, R - RIP, M - mobile, B - BGP_\r\n"
        "D - EIGRP, EX - EIGRP external, O - OSPF, IA - OSPF inter area\r\n"
        "N1 - OSPF NSSA external type 1, N2 - OSPF NSSA external type 2\r\n"
        "E1 - OSPF external type 1, E2 - OSPF external type 2, E - EGP\r\n"
        "i - IS-IS, L1 - IS-IS level-1, L2 - IS-IS level-2, ia - IS-IS inter area\r\n"
        "* - candidate default, U - per-user static route, o - ODR\r\n"
        "P - periodic downloaded static route\r\n"
        "  \r\n"
        " Gateway of last rsort is not set\r\n"
        " ";

    std::vector<RouteEntry> entries = collect_routes(context);
    for (auto& entry : entries) {
        if (entry.listed) continue;
        const auto group = classful(entry.network);
        if (!group) continue;
        int count = 0;
        std::string lines;
        for (auto& member : entries) {
            if (member.listed) continue;
            const auto member_group = classful(member.network);
            if (!member_group || member_group->prefix != group->prefix) continue;
            bool repeat = false;
            for (const auto& other : entries)
                if (&other != &member && other.listed && other.network == member.network)
                    repeat = true;
            lines += kCrLf + route_line(member, repeat);
            if (!repeat) ++count;
            member.listed = true;
        }
        text += kCrLf;
        text += kCrLf + blanks(5) + group->prefix + group->header_suffix + std::to_string(count) +
                " subnets";
        text += kCrLf;
        text += lines;
    }
    return text + kCrLf;
}

std::string build_ospf_database_output(const ShowContext& context) {
    const auto& t = context.tables;
    const std::string join = ospf_join(t);
    const std::string id = router_id_of(context);
    if (id == "0.0.0.0") return kCrLf;

    std::string text = blanks(8) + "OSPF Router with ID (" + id + ") (process ID 1)";
    db::Recordset areas = context.session.open_recordset(
        "SELECT int_area_num" + join +
            "WHERE dev_name = ? AND nw_protocol = 'o' GROUP BY int_area_num ORDER BY MIN(i.rowid)",
        {context.device});
    for (; !areas.eof(); areas.move_next()) {
        const db::Value area = areas.field(0);
        const std::string up_in_area =
            "WHERE dev_name = ? AND nw_protocol = 'o' AND int_area_num = ? AND int_status = 1";

        db::Recordset links = context.session.open_recordset(
            "SELECT next_hop_devname, next_hop_intname" + join + up_in_area + kInTableOrder,
            {context.device, area});
        if (!links.eof()) {
            section_head(text, "Router Link States", area.to_text());
            text += link_state_row(id, "5");
            neighbour_rows(context, links, area, false, text);
        }

        db::Recordset ethernet = context.session.open_recordset(
            "SELECT next_hop_devname, next_hop_intname" + join + up_in_area +
                " AND int_name LIKE 'Ethernet%'" + kInTableOrder,
            {context.device, area});
        if (!ethernet.eof()) {
            section_head(text, "Net Link States", area.to_text());
            text += link_state_row(id, "5");
            neighbour_rows(context, ethernet, area, true, text);
        }
    }
    return text + kCrLf;
}

std::string build_ospf_process_output(const ShowContext& context) {
    const auto& t = context.tables;
    db::Recordset ids = context.session.open_recordset("SELECT device_id FROM " +
                                                           db::quote_identifier(t.ospf_dev_table) +
                                                           " WHERE dev_name = ? ORDER BY rowid",
                                                       {context.device});
    std::string id = ids.eof() ? std::string("0.0.0.0") : ids.text(0);
    if (id == "0.0.0.0") id.clear();

    // The area counts go by the device list of the routing tables.
    const std::string join = " FROM " + db::quote_identifier(t.rout_dev_table) +
                             " AS d INNER JOIN " + db::quote_identifier(t.ospf_ip_table) +
                             " AS i ON d.dev_no = i.ref ";
    std::vector<db::Value> areas;
    for (db::Recordset rows = context.session.open_recordset(
             "SELECT int_area_num" + join +
                 "WHERE dev_name = ? GROUP BY int_area_num ORDER BY MIN(i.rowid)",
             {context.device});
         !rows.eof(); rows.move_next())
        if (rows.field(0).to_text() != "-1") areas.push_back(rows.field(0));
    if (areas.empty()) return {};

    std::vector<AreaSummary> summaries;
    int normal = 0, stub = 0;
    for (const auto& area : areas) {
        summaries.push_back(summarise_area(context, join, area));
        const std::string& type = summaries.back().type;
        if (type == "Normal") ++normal;
        // A totally stubby area is a stub area that also keeps out summaries.
        if (type == "Stub" || type == "Totally Stub") ++stub;
    }

    std::vector<std::string> lines = {
        "Routing Process \"OSPF 1\" with ID " + id,
        "Supports only single TOS(TOS0) routes ",
        "....",
        "Number of areas in this router is " + std::to_string(areas.size()) + ".   " +
            std::to_string(normal) + " normal " + std::to_string(stub) + " stub 0 nssa",
    };
    const std::string indent = blanks(8);
    for (const auto& summary : summaries) {
        lines.push_back("    Area " + summary.number);
        lines.push_back(indent + "Number of interfaces in this area is " +
                        std::to_string(summary.interfaces));
        lines.push_back(indent + "It is a " + summary.type + " area");
        lines.push_back(indent + "Area has no authentication");
        lines.push_back(indent + "......");
    }
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? kCrLf : "") + lines[i];
    return text + kCrLf;
}

std::string build_ospf_neighbor_output(const ShowContext& context) {
    const auto& t = context.tables;
    const std::string join = ospf_join(t);
    std::string text = "Neighbor ID" + blanks(7) + "pri" + blanks(3) + "State" + blanks(8) +
                       "Dead Time" + blanks(6) + "Address" + blanks(9) + "Interface" + blanks(3);
    const auto no_address = [](const std::string& value) {
        return value == state::marker::kUnassigned || value.empty();
    };
    for (db::Recordset links = context.session.open_recordset(
             "SELECT next_hop_devname, next_hop_intname, next_hopip" + join +
                 "WHERE dev_name = ? AND nw_protocol = 'o' AND int_status = 1" + kInTableOrder,
             {context.device});
         !links.eof(); links.move_next()) {
        if (no_address(links.text(2))) continue;
        db::Recordset far = context.session.open_recordset(
            "SELECT device_id, ip, next_hop_intname" + join +
                "WHERE dev_name = ? AND int_name = ? AND nw_protocol = 'o' AND int_status = 1" +
                kInTableOrder,
            {links.text(0), links.text(1)});
        if (far.eof() || no_address(far.text(1))) continue;
        text += kCrLf + far.text(0) + blanks(7) + "1" + blanks(4) + "FULL" + blanks(8) +
                "00:00:36" + blanks(10) + far.text(1) + blanks(4) + far.text(2);
    }
    return text + kCrLf;
}

}  // namespace vexlab::commands::show
