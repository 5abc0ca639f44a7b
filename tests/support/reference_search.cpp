#include "support/reference_search.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "platform/text.h"
#include "reachability/lan_tables.h"

namespace vexlab::test::reference {

namespace {

using db::Recordset;
using db::Value;
using text::iequals;

constexpr const char* kCrLf = "\r\n";

// The state one probe shares with its walks: the record the written
// procedure keeps program-wide.
struct State {
    Probe probe;
    std::string destination_ip;
    std::vector<std::string> source_ips;
    std::string walk_protocol;
    std::string walk_protocol_table;  // a table name, empty before one is found
    std::string next_hop_ip, next_hop_mask;
    std::string nat_next_hop_ip, nat_next_hop_device, nat_next_hop_mask;
    bool nat_on_device = false, nat_on_source_device = false, no_outside_static_nat = false;
    std::string path_recorded = "False";
    std::vector<std::string> recorded_paths{std::string()};
    std::vector<std::size_t> path_end_offsets{0};
    std::string reexpand_hop_ip, reexpand_previous_ip, reexpand_next_ip;
    std::size_t reexpand_hop_index = 0, reexpand_path_start = 0;
};

// An area as three read values; "unset" until a statement gives one.
struct AreaValues {
    bool set = false;
    Value number, type, backbone;
};
bool same_number(const AreaValues& a, const AreaValues& b) {
    if (!a.set || !b.set) return a.set == b.set;
    return a.number.to_text() == b.number.to_text();
}
bool ns(const AreaValues& a) {
    return a.set && (a.type.to_text() == "N" || a.type.to_text() == "S");
}
bool bb(const AreaValues& a) {
    return a.set && a.backbone.to_bool();
}

bool member(const std::vector<std::string>& list, const std::string& x) {
    for (const auto& e : list)
        if (e == x) return true;
    return false;
}

class Search {
public:
    Search(db::DatabaseSession& session, const state::NetworkTableSet& tables, State& state)
        : db_(session), t_(tables), st_(state) {}

    // ------------------------------------------------------ joins

    std::string rj() const {
        return " FROM " + t_.rout_dev_table + " rd INNER JOIN " + t_.route_ip_table +
               " ri ON rd.dev_no = ri.ref ";
    }
    std::string oj() const {
        return " FROM " + t_.ospf_dev_table + " od INNER JOIN " + t_.ospf_ip_table +
               " oi ON od.dev_no = oi.ref ";
    }
    std::string roj() const {
        return " FROM " + t_.rout_dev_table + " rd INNER JOIN " + t_.ospf_ip_table +
               " oi ON rd.dev_no = oi.ref ";
    }
    Recordset q(const std::string& sql, std::initializer_list<Value> params = {}) {
        return db_.open_recordset(sql, params);
    }

    // ------------------------------------------------------ predicates

    bool is_interface_up(const std::string& ip) {
        Recordset r =
            q("SELECT int_status FROM " + t_.route_ip_table + " WHERE ip = ? ORDER BY rowid", {ip});
        return !r.eof() && r.field(0).to_bool();
    }
    bool interface_runs_protocol(const std::string& letter, const std::string& ip) {
        if (st_.walk_protocol_table.empty()) return false;
        Recordset r =
            q("SELECT nw_protocol FROM " + st_.walk_protocol_table + " WHERE ip = ? ORDER BY rowid",
              {ip});
        return !r.eof() && r.text(0) == letter;
    }
    bool is_next_hop_on_subnet(const std::string& ip) {
        Recordset r = q("SELECT mask, next_hopip, next_hopmask FROM " + t_.route_ip_table +
                            " WHERE ip = ? ORDER BY rowid",
                        {ip});
        if (r.eof()) return false;
        const auto own = reachability::network_text(ip, r.text(0));
        const std::string nh = r.text(1), nm = r.text(2);
        if (nh.empty() || nh == "UA" || nm.empty() || nm == "UA") return false;
        const auto peer = reachability::network_text(nh, nm);
        return own && peer && *own == *peer;
    }
    // S2: found or not, and the letter.
    std::optional<std::string> s2(const std::string& ip) {
        if (st_.walk_protocol_table.empty()) return std::nullopt;
        Recordset r =
            q("SELECT nw_protocol FROM " + st_.walk_protocol_table + " WHERE ip = ? ORDER BY rowid",
              {ip});
        if (r.eof()) return std::nullopt;
        return r.text(0);
    }

    // ------------------------------------------------------ access lists

    static std::optional<std::uint32_t> bits(const std::string& dotted) {
        const auto parts = text::split(dotted, ".");
        if (parts.size() != 4) return std::nullopt;
        std::uint32_t v = 0;
        for (const auto& p : parts) {
            if (p.empty() || p.size() > 3 || !std::all_of(p.begin(), p.end(), ::isdigit))
                return std::nullopt;
            const int n = std::stoi(p);
            if (n > 255) return std::nullopt;
            v = v * 256 + static_cast<std::uint32_t>(n);
        }
        return v;
    }
    static bool match_wildcard(const std::string& source, const std::string& ip,
                               const std::string& wildcard) {
        const auto s = bits(source), e = bits(ip), w = bits(wildcard);
        if (!s || !e || !w) return false;
        for (int b = 31; b >= 0; --b) {
            const std::uint32_t m = 1u << b;
            if (!(*w & m) && ((*s & m) != (*e & m))) return false;
        }
        return true;
    }
    bool acl_permits(const std::string& ip, const std::string& direction) {
        const std::string column = direction == "inbound_check" ? "in_acl_num" : "out_acl_num";
        Recordset r = q(
            "SELECT " + column + ", ref FROM " + t_.route_ip_table + " WHERE ip = ? ORDER BY rowid",
            {ip});
        if (r.eof()) return true;
        const Value list = r.field(0);
        if (list.is_null() || list.to_text().empty() || list.to_int() == -1) return true;
        Recordset entries =
            q("SELECT * FROM access_list WHERE accesslist_num = ? AND ref_devce = ? ORDER BY rowid",
              {Value(list.to_int()), r.field(1)});
        if (entries.eof()) return true;
        for (; !entries.eof(); entries.move_next()) {
            const std::string eip = entries.text(1);
            if (eip == "any" || match_wildcard(st_.probe.packet_source_ip, eip, entries.text(2))) {
                const Value deny = entries.field(3);
                return !deny.is_null() && !deny.to_bool();
            }
        }
        return false;
    }

    // ------------------------------------------------------ NAT

    static bool no_value(const Value& v) {
        return v.is_null() || v.to_text().empty() || v.to_text() == "UA";
    }
    static bool same_net(const std::string& a, const std::string& am, const std::string& b,
                         const std::string& bm) {
        const auto x = reachability::network_text(a, am), y = reachability::network_text(b, bm);
        return x && y && iequals(*x, *y);
    }
    std::string nj() const {
        return " FROM " + t_.nat_dev_table + " nd INNER JOIN " + t_.nat_inout_table +
               " ni ON nd.dev_no = ni.ref ";
    }
    bool get_nat_status(const std::string& device) {
        Recordset r =
            q("SELECT nat_status FROM " + t_.nat_dev_table + " WHERE dev_name = ? ORDER BY rowid",
              {device});
        if (r.eof()) return false;
        if (st_.probe.console_kind == 1) return false;
        return r.field(0).to_bool();
    }
    bool status_of(const std::string& device) {
        Recordset r =
            q("SELECT nat_status FROM " + t_.nat_dev_table + " WHERE dev_name = ? ORDER BY rowid",
              {device});
        return !r.eof() && r.field(0).to_bool();
    }
    bool check_nat(const std::string& device) {
        st_.nat_on_device = status_of(device);
        st_.nat_on_source_device = status_of(st_.probe.source_device);
        bool outside = false;
        Recordset r = q(
            "SELECT ni.outside_local" + nj() + "WHERE nd.dev_name = ? ORDER BY ni.rowid, nd.rowid",
            {device});
        for (; !r.eof(); r.move_next())
            if (!no_value(r.field(0))) outside = true;
        st_.no_outside_static_nat = !outside;
        return st_.nat_on_device;
    }
    bool check_nat_outside(const std::string& hop, const std::string& mask,
                           const std::string& destination, const std::string& device) {
        if (same_net(hop, mask, destination, mask)) {
            Recordset r = q("SELECT ni.outside_local" + nj() +
                                "WHERE nd.dev_name = ? AND ni.outside_global = ? "
                                "ORDER BY ni.rowid, nd.rowid",
                            {device, destination});
            for (; !r.eof(); r.move_next()) {
                if (no_value(r.field(0))) continue;
                Recordset m =
                    q("SELECT master_ip FROM eth_iplist WHERE sub_ip = ? AND sub_ip <> "
                      "'UA' ORDER BY rowid",
                      {r.text(0)});
                for (; !m.eof(); m.move_next()) {
                    Recordset x = q("SELECT *" + rj() + "WHERE rd.dev_name = ? AND ri.ip = ?",
                                    {device, m.text(0)});
                    if (!x.eof()) return true;
                }
            }
        }
        Recordset r = q("SELECT ri.nat_outside_int, ri.int_status" + rj() +
                            "WHERE rd.dev_name = ? AND ri.ip = ? ORDER BY ri.rowid, rd.rowid",
                        {device, destination});
        if (r.eof()) return false;
        return r.field(0).to_bool() && r.field(1).to_bool();
    }
    bool is_nat_inside_global() {
        Recordset r = q("SELECT ni.inside_global" + nj() +
                            "WHERE nd.dev_name = ? AND nd.nat_status = 1 AND ni.inside_global = ?",
                        {st_.probe.source_device, st_.destination_ip});
        return !r.eof();
    }
    bool inside_test(const std::string& router, const std::string& host) {
        Recordset e = q("SELECT * FROM eth_iplist WHERE sub_ip = ? ORDER BY rowid", {host});
        for (; !e.eof(); e.move_next()) {
            Recordset r = q("SELECT ri.ip" + rj() +
                                "WHERE rd.dev_name = ? AND ri.ip = ? AND ri.nat_inside_int = 1",
                            {router, e.text(0)});
            if (!r.eof()) return true;
        }
        return false;
    }
    std::vector<std::string> translate_nat_source(const std::string& router) {
        std::vector<std::string> list{std::string()};
        auto list_ip = [&](const std::string& ip) {
            list.back() = ip;
            list.emplace_back();
        };
        Recordset hosts =
            q("SELECT ri.ip" + rj() + "WHERE rd.dev_name = ? ORDER BY ri.rowid, rd.rowid",
              {st_.probe.console_device});
        for (; !hosts.eof(); hosts.move_next()) {
            const std::string h = hosts.text(0);
            if (h.empty() || h == "UA") continue;
            Recordset e = q("SELECT ni.inside_global, ni.in_gl_rprot" + nj() +
                                "WHERE nd.dev_name = ? AND ni.inside_local = ? "
                                "ORDER BY ni.rowid, nd.rowid",
                            {router, h});
            if (e.eof() || no_value(e.field(0))) continue;
            const std::string g = e.text(0), p = e.text(1);
            if (!inside_test(router, h)) continue;
            Recordset o = q("SELECT ri.ip, ri.mask, ri.nw_protocol" + rj() +
                                "WHERE rd.dev_name = ? AND ri.nat_outside_int = 1 "
                                "ORDER BY ri.rowid, rd.rowid",
                            {router});
            for (; !o.eof(); o.move_next()) {
                const std::string ip = o.text(0), mask = o.text(1);
                if (ip == "UA" || ip.empty()) continue;
                if (same_net(ip, mask, g, mask))
                    list_ip(ip);
                else if (o.text(2) == p && p != "d")
                    list_ip(ip);
            }
        }
        if (list.size() > 1) return list;

        Recordset d =
            q("SELECT dev_no FROM " + t_.rout_dev_table + " WHERE dev_name = ? ORDER BY rowid",
              {router});
        if (d.eof()) return list;
        const Value number = d.field(0);
        Recordset hosts2 = q("SELECT ri.ip" + rj() +
                                 "WHERE rd.dev_name = ? AND ri.ip <> 'UA' "
                                 "ORDER BY ri.rowid, rd.rowid",
                             {st_.probe.console_device});
        for (; !hosts2.eof(); hosts2.move_next()) {
            const std::string h = hosts2.text(0);
            if (!inside_test(router, h)) continue;
            Recordset pools = q(
                "SELECT * FROM nat_pool WHERE dev_ref = ? AND beg_in_global <> 'UA' ORDER BY rowid",
                {number});
            bool chosen = false;
            std::string first, last, pmask, port;
            for (; !pools.eof() && !chosen; pools.move_next()) {
                if (pools.field(4).is_null()) continue;
                Recordset a =
                    q("SELECT ip, wildcard_mask FROM access_list WHERE ref_devce = ? AND deny = 0 "
                      "AND accesslist_num = ? ORDER BY rowid",
                      {number, pools.field(4)});
                for (; !a.eof(); a.move_next()) {
                    bool match = true;
                    if (a.text(0) != "any") {
                        const auto ip = text::split(a.text(0), ".");
                        const auto wc = text::split(a.text(1), ".");
                        const auto ho = text::split(h, ".");
                        for (std::size_t i = 0; i < 4; ++i) {
                            if (i >= wc.size() || wc[i].empty() ||
                                wc[i].find_first_not_of('0') != std::string::npos)
                                continue;
                            const std::string x = i < ip.size() ? ip[i] : "";
                            const std::string y = i < ho.size() ? ho[i] : "";
                            if (x != y) match = false;
                        }
                    }
                    if (match) {
                        chosen = true;
                        first = pools.text(1);
                        last = pools.text(2);
                        pmask = pools.text(3);
                        port = pools.text(5);
                        break;
                    }
                }
            }
            if (!chosen) continue;
            Recordset o = q("SELECT ri.ip, ri.mask, ri.nw_protocol" + rj() +
                                "WHERE rd.dev_name = ? AND ri.ip <> 'UA' AND "
                                "ri.nat_outside_int = 1 ORDER BY ri.rowid, rd.rowid",
                            {router});
            for (; !o.eof(); o.move_next()) {
                const std::string ip = o.text(0);
                if (ip.empty()) continue;
                const auto n = reachability::network_text(ip, o.text(1));
                bool hit = false;
                const auto f = bits(first), l = bits(last), m = bits(pmask);
                if (n && f && l && m) {
                    const std::uint32_t end = *l < *f ? *f : *l;
                    for (std::uint64_t a = *f; a <= end && !hit; ++a) {
                        const auto x = static_cast<std::uint32_t>(a);
                        const std::string dotted =
                            std::to_string(x >> 24) + "." + std::to_string((x >> 16) & 255) + "." +
                            std::to_string((x >> 8) & 255) + "." + std::to_string(x & 255);
                        const auto an = reachability::network_text(dotted, pmask);
                        if (an && iequals(*an, *n)) hit = true;
                    }
                }
                if ((hit || (port == o.text(2) && port != "d")) && !member(list, ip)) list_ip(ip);
            }
        }
        return list;
    }

    // ------------------------------------------------------ hop tests

    // 2.1, on S4 or S4o; gives the S4o row's area values.
    struct L2 {
        bool found = false;
        AreaValues own, far;
        bool vl = false;
    };
    L2 layer2(const std::string& ip, bool use_ospf) {
        L2 out;
        layer2_ok = true;
        Recordset r = use_ospf
                          ? q("SELECT od.dev_name, oi.int_name, oi.l2_isdn, oi.l2_frame, "
                              "oi.int_area_num, oi.int_area_type, oi.con_to_backbone, "
                              "oi.nxt_int_area_num, oi.nxt_int_area_type, oi.nxt_con_to_backbone, "
                              "od.virtual_link" +
                                  oj() + "WHERE oi.ip = ? ORDER BY oi.rowid, od.rowid",
                              {ip})
                          : q("SELECT rd.dev_name, ri.int_name, ri.l2_isdn, ri.l2_frame" + rj() +
                                  "WHERE ri.ip = ? ORDER BY ri.rowid, rd.rowid",
                              {ip});
        if (r.eof()) return out;
        if (use_ospf) {
            out.found = true;
            out.own = {true, r.field(4), r.field(5), r.field(6)};
            out.far = {true, r.field(7), r.field(8), r.field(9)};
            out.vl = r.field(10).to_bool();
        }
        const std::string name = r.text(1);
        if (name.find("Serial") != std::string::npos) {
            Recordset e =
                q("SELECT int_det.encap_short FROM int_device INNER JOIN int_det ON "
                  "int_device.\"index\" = int_det.ref WHERE int_device.dev_name = ? AND "
                  "int_det.int_name = ? ORDER BY int_det.rowid, int_device.rowid",
                  {r.text(0), name});
            if (!e.eof() && e.text(0) == "framerelay") layer2_ok = r.field(3).to_bool();
        } else if (name.find("IsdnBri") != std::string::npos) {
            layer2_ok = r.field(2).to_bool();
        }
        return out;
    }
    bool o() const { return st_.walk_protocol == "o"; }
    void area_rule() {
        if (!o()) {
            area_ok = true;
            return;
        }
        if (same_number(candidate, current)) {
            area_ok = true;
            return;
        }
        area_ok = (ns(candidate) && ns(current) && bb(current) && bb(candidate)) ||
                  (ns(current) && candidate.set && candidate.type.to_text() == "T" && bb(current) &&
                   bb(candidate)) ||
                  ((!bb(current) || !bb(candidate)) && virtual_link);
    }
    bool areas_match() const { return !o() || same_number(current, candidate); }
    bool destination_condition(const std::string& a, const std::string& d, const std::string& m) {
        nat_ok = true;
        if (check_nat(d)) {
            nat_ok = false;
            if (a != "UA" && !a.empty()) nat_ok = check_nat_outside(a, m, st_.destination_ip, d);
        }
        return (a == st_.destination_ip && !st_.nat_on_device && !st_.nat_on_source_device) ||
               (st_.nat_on_device && nat_ok) ||
               (st_.no_outside_static_nat && a == st_.destination_ip);
    }

    // ------------------------------------------------------ recording

    void record_path() {
        auto& rp = st_.recorded_paths;
        const std::size_t k = st_.reexpand_hop_index - st_.reexpand_path_start;
        std::vector<std::string> candidate(current_path.size() + k);
        std::vector<std::string> prefix;
        for (std::size_t i = st_.reexpand_path_start; i < st_.reexpand_hop_index; ++i)
            if (rp[i] != st_.destination_ip) prefix.push_back(rp[i]);
        std::size_t at = 0;
        for (const auto& e : prefix) candidate[at++] = e;
        for (const auto& e : current_path) candidate[at++] = e;
        bool duplicate = false;
        if (candidate.size() > 1)
            for (std::size_t i = 0; i < rp.size() && !duplicate; ++i) {
                if (rp[i] != candidate[0]) continue;
                bool same = true;
                for (std::size_t c = 1; c < candidate.size(); ++c) {
                    if (i + c >= rp.size() || rp[i + c] != candidate[c]) {
                        same = false;
                        break;
                    }
                }
                duplicate = same;
            }
        bool loops = false;
        for (const auto& e : prefix)
            if (member(current_path, e)) loops = true;
        if (loops || duplicate) return;
        const std::size_t w = rp.size() - 1;
        rp.resize(w + (current_path.size() - 1) + k + 1 + 1);
        for (std::size_t i = 0; i < candidate.size(); ++i) rp[w + i] = candidate[i];
        st_.path_end_offsets.push_back(rp.size() - 1);
    }

    // ------------------------------------------------------ next device

    void cut(std::vector<std::string>& path, const std::string& x) {
        for (std::size_t i = 0; i < path.size(); ++i)
            if (path[i] == x) {
                if (i == 0)
                    path.assign(1, "");
                else
                    path.resize(i);
                return;
            }
    }

    void explore(bool backtrack, std::string& arrival_ip, std::string& next_device,
                 std::string& from_device) {
        std::string came_from = from_device;
        std::set<std::string> followed{arrival_ip};
        AreaValues arrival_area;
        std::string arrival_protocol;
        bool runs = false, up = false, aok = false, gw_up = false;
        while (true) {
            if (arrival_ip == st_.destination_ip) {
                st_.path_recorded = "True";
                record_path();
                return;
            }
            if (o()) {
                Recordset r =
                    q("SELECT rd.dev_name, oi.ip, oi.int_area_num, oi.int_area_type, "
                      "oi.con_to_backbone" +
                          roj() + "WHERE oi.ip = ? ORDER BY oi.rowid, rd.rowid",
                      {arrival_ip});
                if (!r.eof()) arrival_area = {true, r.field(2), r.field(3), r.field(4)};
            }
            Recordset list =
                o() ? q("SELECT rd.dev_name, oi.ip, oi.next_hopip, oi.next_hop_devname, "
                        "oi.next_hop_intname, oi.int_status, oi.nxt_int_area_num, "
                        "oi.nxt_int_area_type, oi.nxt_con_to_backbone, rd.dev_no" +
                            roj() + "WHERE rd.dev_name = ? ORDER BY oi.rowid, rd.rowid",
                        {next_device})
                    : q("SELECT rd.dev_name, ri.ip, ri.next_hopip, ri.next_hop_devname, "
                        "ri.next_hop_intname, ri.int_status" +
                            rj() + "WHERE rd.dev_name = ? ORDER BY ri.rowid, rd.rowid",
                        {next_device});
            arrival_protocol.clear();
            if (st_.walk_protocol == "r" || o() || st_.walk_protocol == "e")
                if (auto p = s2(arrival_ip)) arrival_protocol = *p;
            auto evaluate = [&] {
                const std::string ip = list.text(1);
                up = is_interface_up(ip);
                if (arrival_protocol == st_.walk_protocol && !st_.walk_protocol.empty())
                    runs = interface_runs_protocol(arrival_protocol, ip);
                aok = true;
                if (o()) {
                    AreaValues row{true, list.field(6), list.field(7), list.field(8)};
                    if (!same_number(row, arrival_area)) {
                        Recordset v = q("SELECT virtual_link FROM " + t_.ospf_dev_table +
                                            " WHERE dev_no = ? ORDER BY rowid",
                                        {list.field(9)});
                        const bool vl = !v.eof() && v.field(0).to_bool();
                        aok = (ns(arrival_area) && bb(row) && bb(arrival_area) &&
                               (ns(row) || row.type.to_text() == "T")) ||
                              ((!bb(row) || !bb(arrival_area)) && vl);
                    }
                }
            };
            for (list.move_first(); !list.eof(); list.move_next()) {
                const std::string ip = list.text(1);
                if (ip.empty() || ip == "UA") continue;
                runs = false;
                evaluate();
                if (ip == st_.destination_ip && runs && up && aok) {
                    st_.path_recorded = "True";
                    record_path();
                    return;
                }
            }
            long usable_count = 0;
            std::vector<std::string> usable;
            for (list.move_first(); !list.eof(); list.move_next()) {
                const std::string ip = list.text(1);
                runs = false;
                up = false;
                if (!ip.empty() && ip != "UA") evaluate();
                if (ip != "UA" && !ip.empty() && !iequals(ip, "Unassigned") &&
                    ip != st_.reexpand_hop_ip && ip != st_.reexpand_previous_ip && runs && up &&
                    aok) {
                    ++usable_count;
                    usable.push_back(ip);
                }
            }
            bool gw_usable = false;
            std::string gw;
            Recordset s9 = q("SELECT * FROM " + t_.routervariables_table +
                             " WHERE Config_Variable = 'default_gateway' ORDER BY rowid");
            int column = -1;
            if (!s9.eof())
                for (int i = 0; i < s9.field_count(); ++i)
                    if (s9.field_name(i) == next_device) {
                        column = i;
                        break;
                    }
            if (column >= 0) {
                gw = s9.text(column);
                const bool known = member(visited, gw) || member(source_device_ips, gw) ||
                                   member(st_.source_ips, gw);
                if (!iequals(gw, "Unassigned")) gw_up = is_interface_up(gw);
                from_device = next_device;
                Recordset owner = q("SELECT rd.dev_name, ri.ip" + rj() +
                                        "WHERE ri.ip = ? ORDER BY ri.rowid, rd.rowid",
                                    {gw});
                if (!owner.eof()) next_device = owner.text(0);
                bool on_subnet = false;
                Recordset hops = q("SELECT rd.dev_name, ri.ip, ri.next_hopip" + rj() +
                                       "WHERE rd.dev_name = ? ORDER BY ri.rowid, rd.rowid",
                                   {from_device});
                for (; !hops.eof(); hops.move_next())
                    if (hops.text(2) == gw && hops.text(2) != "UA" && !iequals(gw, "Unassigned")) {
                        on_subnet = is_next_hop_on_subnet(gw);
                        break;
                    }
                gw_usable = !iequals(gw, "Unassigned") && !known && next_device != came_from &&
                            gw_up && gw != st_.reexpand_hop_ip && gw != st_.reexpand_previous_ip &&
                            on_subnet && !followed.count(gw);
            }
            if (usable_count > 0) {
                if (!backtrack) exit_stack.clear();
                for (const auto& u : usable)
                    if (!member(visited, u)) exit_stack.push_back(u);
                exit_top = static_cast<long>(exit_stack.size()) - 1;
                return;
            }
            if (gw_usable) {
                came_from = from_device;
                arrival_ip = gw;
                followed.insert(gw);
                continue;
            }
            if (!backtrack) {
                exit_top = -1;
                current_path.assign(1, "");
            } else {
                const std::string popped = exit_stack[static_cast<std::size_t>(exit_top)];
                exit_top -= 1;
                cut(current_path, popped);
            }
            return;
        }
    }

    // ------------------------------------------------------ the walk

    void gateway_of(const std::string& d) {
        Recordset s9 = q("SELECT * FROM " + t_.routervariables_table +
                         " WHERE Config_Variable = 'default_gateway' ORDER BY rowid");
        int column = -1;
        if (!s9.eof())
            for (int i = 0; i < s9.field_count(); ++i)
                if (s9.field_name(i) == d) {
                    column = i;
                    break;
                }
        if (column < 0) {
            gateway_usable = false;
            return;
        }
        gateway_ip = s9.text(column);
        gateway_usable = false;
        const bool known = member(visited, gateway_ip) || member(source_device_ips, gateway_ip) ||
                           member(st_.source_ips, gateway_ip);
        if (!iequals(gateway_ip, "Unassigned")) gateway_up = is_interface_up(gateway_ip);
        Recordset s10 =
            q("SELECT rd.dev_name, ri.ip" + rj() + "WHERE ri.ip = ? ORDER BY ri.rowid, rd.rowid",
              {gateway_ip});
        if (!s10.eof()) gateway_device = s10.text(0);
        gateway_on_subnet = false;
        Recordset s11 = q("SELECT rd.dev_name, ri.ip, ri.next_hopip" + rj() +
                              "WHERE rd.dev_name = ? ORDER BY ri.rowid, rd.rowid",
                          {d});
        for (; !s11.eof(); s11.move_next())
            if (s11.text(2) == gateway_ip && gateway_ip != "UA" &&
                !iequals(gateway_ip, "Unassigned")) {
                gateway_on_subnet = is_next_hop_on_subnet(gateway_ip);
                break;
            }
        gateway_usable = !iequals(gateway_ip, "Unassigned") && !known &&
                         gateway_device != start_device && gateway_up && gateway_on_subnet;
    }

    Recordset s8(const std::string& device, const std::string* arrival) {
        if (o()) {
            const std::string sql =
                "SELECT od.dev_name, oi.ip, oi.next_hopip, oi.next_hop_devname, "
                "oi.next_hop_intname, oi.int_status, oi.int_area_num, oi.int_area_type, "
                "oi.con_to_backbone, oi.mask, od.virtual_link" +
                oj() + "WHERE od.dev_name = ? " + (arrival ? "AND oi.ip <> ? " : "") +
                "ORDER BY oi.rowid, od.rowid";
            return arrival ? q(sql, {device, *arrival}) : q(sql, {device});
        }
        const std::string sql =
            "SELECT rd.dev_name, ri.ip, ri.next_hopip, ri.next_hop_devname, ri.next_hop_intname, "
            "ri.int_status, ri.mask" +
            rj() + "WHERE rd.dev_name = ? " + (arrival ? "AND ri.ip <> ? " : "") +
            "ORDER BY ri.rowid, rd.rowid";
        return arrival ? q(sql, {device, *arrival}) : q(sql, {device});
    }
    // Per row of S8: 2.4's prelude.
    void evaluate_row(const Recordset& r) {
        runs_protocol = false;
        interface_up = false;
        const std::string ip = r.text("ip");
        if (!ip.empty() && ip != "UA") {
            if (arrival_protocol == st_.walk_protocol && !arrival_protocol.empty())
                runs_protocol = interface_runs_protocol(arrival_protocol, ip);
            interface_up = is_interface_up(ip);
        }
        if (o()) {
            candidate = {true, r.field(6), r.field(7), r.field(8)};
            virtual_link = r.field(10).to_bool();
        }
        area_rule();
    }
    bool usable_row(const Recordset& r, const std::string& arrival) {
        const std::string ip = r.text("ip");
        return ip != arrival && ip != "UA" && !ip.empty() && ip != st_.reexpand_hop_ip &&
               ip != st_.reexpand_previous_ip && !iequals(ip, "Unassigned") && runs_protocol &&
               interface_up && area_ok && inbound_ok;
    }

    void find_path() {
        current_path.assign(1, "");
        visited.assign(1, "");
        visited_top = 0;
        const bool router_start = st_.probe.console_kind == 1;
        Recordset s1 =
            q("SELECT rd.dev_name, ri.ip, ri.next_hopip, ri.next_hop_devname, "
              "ri.next_hop_intname, ri.int_status, ri.int_name" +
              rj() + "ORDER BY ri.rowid, rd.rowid");
        if (!st_.reexpand_previous_ip.empty()) {
            arrival_protocol.clear();
            if (st_.walk_protocol == "o" || st_.walk_protocol == "r" || st_.walk_protocol == "e")
                if (auto p = s2(st_.reexpand_previous_ip)) arrival_protocol = *p;
        }
        for (; !s1.eof(); s1.move_next())
            if (s1.text(0) == st_.probe.source_device && !s1.text(1).empty() && s1.text(1) != "UA")
                source_device_ips.push_back(s1.text(1));
        std::vector<std::string> start_ips;
        // A probe its router translates leaves by the outside interfaces
        // the translation names, as a probe typed on that router would.
        bool translated = false;
        if (get_nat_status(st_.probe.source_device)) {
            translated = true;
            for (const auto& e : translate_nat_source(st_.probe.source_device))
                if (!e.empty() && e != st_.reexpand_hop_ip && e != st_.reexpand_previous_ip)
                    start_ips.push_back(e);
        } else {
            for (s1.move_first(); !s1.eof(); s1.move_next()) {
                const std::string ip = s1.text(1);
                if (s1.text(0) != st_.probe.source_device || ip == "UA" || ip.empty() ||
                    ip == st_.reexpand_hop_ip || ip == st_.reexpand_previous_ip ||
                    !s1.field(5).to_bool())
                    continue;
                if (!st_.reexpand_previous_ip.empty() &&
                    !(arrival_protocol == st_.walk_protocol && !arrival_protocol.empty() &&
                      interface_runs_protocol(arrival_protocol, ip)))
                    continue;
                if (st_.probe.answering_device == st_.probe.source_device &&
                    member(st_.recorded_paths, ip))
                    continue;
                if (!router_start && st_.reexpand_hop_ip.empty()) {
                    Recordset f =
                        q("SELECT * FROM sw_riplist WHERE sub_dev = ? AND mast_dev = ? "
                          "AND mast_int = ?",
                          {st_.probe.console_device, st_.probe.source_device, s1.text(6)});
                    if (f.eof()) continue;
                }
                start_ips.push_back(ip);
            }
        }

        for (const auto& s : start_ips) {
            if (router_start) {
                st_.probe.packet_source_ip = s;
                inbound_ok = true;
            } else {
                inbound_ok = acl_permits(s, "inbound_check");
            }
            if (st_.walk_protocol.empty()) {
                const std::string tables[] = {t_.route_ip_table, t_.ospf_ip_table,
                                              t_.eigrp_ip_table};
                for (const auto& table : tables) {
                    Recordset r =
                        q("SELECT nw_protocol FROM " + table + " WHERE ip = ? ORDER BY rowid", {s});
                    if (!r.eof() && r.text(0) != "d") {
                        st_.walk_protocol = r.text(0);
                        st_.walk_protocol_table = table;
                        break;
                    }
                }
            }
            if (static_cast<long>(visited.size()) < visited_top + 1)
                visited.resize(static_cast<std::size_t>(visited_top) + 1);
            current_path.assign(1, "");
            const L2 l2 = layer2(s, o());
            if (l2.found) {
                current = l2.own;
                candidate = l2.far;
                virtual_link = l2.vl;
            }
            if (member(visited, s) || !layer2_ok || !inbound_ok) continue;
            visited[static_cast<std::size_t>(visited_top)] = s;
            current_path[0] = s;
            const bool router_hop = router_start || translated;
            if (router_hop) {
                Recordset r =
                    q("SELECT rd.dev_name, ri.ip, ri.next_hopip, ri.next_hop_devname, "
                      "ri.next_hop_intname, ri.int_status, ri.next_hopmask" +
                          rj() + "WHERE ri.ip = ? ORDER BY ri.rowid, rd.rowid",
                      {s});
                if (!r.eof()) {
                    start_device = r.text(0);
                    arrival_device = r.text(3);
                    st_.next_hop_ip = r.text(2);
                    st_.next_hop_mask = r.text(6);
                }
                inbound_ok = acl_permits(st_.next_hop_ip, "inbound_check");
            } else {
                Recordset r = q("SELECT rd.dev_name, ri.mask" + rj() +
                                    "WHERE ri.ip = ? ORDER BY ri.rowid, rd.rowid",
                                {s});
                if (!r.eof()) {
                    start_device = r.text(0);
                    arrival_device = r.text(0);
                    st_.next_hop_mask = r.text(1);
                }
                st_.next_hop_ip = s;
            }
            const std::string nh = st_.next_hop_ip;
            if (!nh.empty() && nh != "UA" && nh != "NA") {
                arrival_protocol.clear();
                if (st_.walk_protocol == "o" || st_.walk_protocol == "r" ||
                    st_.walk_protocol == "e")
                    if (auto p = s2(nh)) arrival_protocol = *p;
                interface_up = is_interface_up(nh);
                on_subnet = true;
                if (router_hop) on_subnet = is_next_hop_on_subnet(nh);
            }
            if (nh.empty() || nh == "UA" || nh == "NA" || nh == st_.reexpand_hop_ip ||
                nh == st_.reexpand_previous_ip || !interface_up || !on_subnet ||
                (router_hop && (member(source_device_ips, nh) || member(st_.source_ips, nh))) ||
                !layer2_ok || !areas_match())
                continue;
            visited_top += 1;
            visited.push_back(nh);
            current_path.push_back(nh);
            if (destination_condition(nh, arrival_device, st_.next_hop_mask)) {
                st_.path_recorded = "True";
                record_path();
                return;
            }
            current = candidate;
            Recordset rows = s8(arrival_device, &nh);
            for (; !rows.eof(); rows.move_next()) {
                evaluate_row(rows);
                if (destination_condition(rows.text("ip"), rows.text("dev_name"),
                                          rows.text("mask")) &&
                    runs_protocol && interface_up && area_ok && inbound_ok) {
                    st_.path_recorded = "True";
                    record_path();
                    return;
                }
            }
            long usable_count = 0;
            for (rows.move_first(); !rows.eof(); rows.move_next()) {
                evaluate_row(rows);
                if (usable_row(rows, nh)) ++usable_count;
            }
            gateway_of(arrival_device);
            if (usable_count > 0) {
                exit_stack.assign(static_cast<std::size_t>(usable_count), "");
                std::size_t n = 0;
                for (rows.move_first(); !rows.eof(); rows.move_next()) {
                    evaluate_row(rows);
                    if (usable_row(rows, nh)) exit_stack[n++] = rows.text("ip");
                }
                exit_top = static_cast<long>(n) - 1;
            }
            if (usable_count == 0 && gateway_usable) {
                st_.path_recorded = "False";
                explore(false, gateway_ip, gateway_device, arrival_device);
                if (st_.path_recorded == "True") return;
            }
            if (usable_count == 0 && !gateway_usable) {
                exit_top = -1;
                current_path.assign(1, "");
            }
            if (stack_walk()) return;
            exit_stack.assign(1, "");
            visited_top += 1;
        }
    }

    bool stack_walk() {
        while (true) {
            while (exit_top >= 0 &&
                   member(visited, exit_stack[static_cast<std::size_t>(exit_top)])) {
                cut(current_path, exit_stack[static_cast<std::size_t>(exit_top)]);
                exit_top -= 1;
            }
            if (exit_top < 0) return false;
            const std::string p = exit_stack[static_cast<std::size_t>(exit_top)];
            outbound_ok = acl_permits(p, "outbound_check");
            layer2(p, o());
            visited_top += 1;
            visited.resize(static_cast<std::size_t>(visited_top) + 1);
            visited[static_cast<std::size_t>(visited_top)] = p;
            if (!current_path.empty() && current_path.back().empty())
                current_path.back() = p;
            else
                current_path.push_back(p);
            if (!layer2_ok) continue;
            if (o()) {
                Recordset r =
                    q("SELECT od.dev_name, oi.ip, oi.next_hopip, oi.next_hop_devname, "
                      "oi.next_hop_intname, oi.int_status, oi.int_area_num, oi.int_area_type, "
                      "oi.con_to_backbone, oi.nxt_int_area_num, oi.nxt_int_area_type, "
                      "oi.nxt_con_to_backbone, oi.next_hopmask, od.virtual_link" +
                          oj() + "WHERE oi.ip = ? ORDER BY oi.rowid, od.rowid",
                      {p});
                if (!r.eof()) {
                    st_.nat_next_hop_device = r.text(3);
                    st_.nat_next_hop_ip = r.text(2);
                    st_.nat_next_hop_mask = r.text("next_hopmask");
                    current = {true, r.field(6), r.field(7), r.field(8)};
                    candidate = {true, r.field(9), r.field(10), r.field(11)};
                    virtual_link = r.field(13).to_bool();
                }
            } else {
                Recordset r =
                    q("SELECT rd.dev_name, ri.ip, ri.next_hopip, ri.next_hop_devname, "
                      "ri.next_hop_intname, ri.int_status, ri.next_hopmask" +
                          rj() + "WHERE ri.ip = ? ORDER BY ri.rowid, rd.rowid",
                      {p});
                if (!r.eof()) {
                    st_.nat_next_hop_device = r.text(3);
                    st_.nat_next_hop_ip = r.text(2);
                    st_.nat_next_hop_mask = r.text("next_hopmask");
                }
            }
            const std::string nx = st_.nat_next_hop_ip;
            interface_up = false;
            if (nx != "UA" && !nx.empty()) interface_up = is_interface_up(nx);
            if (!nx.empty() && nx != "UA" && nx != "NA") {
                arrival_protocol.clear();
                if (st_.walk_protocol == "o" || st_.walk_protocol == "r" ||
                    st_.walk_protocol == "e")
                    if (auto pr = s2(nx)) arrival_protocol = *pr;
                on_subnet = is_next_hop_on_subnet(p);
            }
            const bool taken = !nx.empty() && nx != "UA" && nx != "NA" &&
                               nx != st_.reexpand_hop_ip && nx != st_.reexpand_previous_ip &&
                               !member(source_device_ips, nx) && !member(st_.source_ips, nx) &&
                               interface_up && on_subnet && outbound_ok && areas_match();
            if (!taken) {
                if (nx.empty() || nx == "UA" || nx == "NA") continue;
                exit_top -= 1;
                if (!current_path.empty()) current_path.pop_back();
                continue;
            }
            visited_top += 1;
            visited.resize(static_cast<std::size_t>(visited_top) + 1);
            visited[static_cast<std::size_t>(visited_top)] = nx;
            if (!current_path.empty() && current_path.back().empty())
                current_path.back() = nx;
            else
                current_path.push_back(nx);
            layer2(nx, false);
            current = candidate;
            if (nx != "UA" && !nx.empty()) inbound_ok = acl_permits(nx, "inbound_check");
            const std::string dev = st_.nat_next_hop_device;
            Recordset rows = s8(dev, nullptr);
            for (; !rows.eof(); rows.move_next()) {
                evaluate_row(rows);
                const std::string ip = rows.text("ip");
                const bool arrival_row = ip == nx;
                AreaValues row_area;
                if (o()) row_area = {true, rows.field(6), rows.field(7), rows.field(8)};
                const bool area_fit =
                    arrival_row ? (!o() || same_number(row_area, current)) : area_ok;
                if (destination_condition(ip, rows.text("dev_name"), rows.text("mask")) &&
                    runs_protocol && interface_up && layer2_ok && area_fit &&
                    (inbound_ok || nx == st_.destination_ip)) {
                    st_.path_recorded = "True";
                    record_path();
                    return true;
                }
            }
            long usable_count = 0;
            for (rows.move_first(); !rows.eof(); rows.move_next()) {
                evaluate_row(rows);
                if (usable_row(rows, nx) && !member(visited, rows.text("ip"))) ++usable_count;
            }
            gateway_of(dev);
            if (usable_count > 0) {
                for (rows.move_first(); !rows.eof(); rows.move_next()) {
                    evaluate_row(rows);
                    if (usable_row(rows, nx) && !member(visited, rows.text("ip")))
                        exit_stack.push_back(rows.text("ip"));
                }
                exit_top = static_cast<long>(exit_stack.size()) - 1;
                continue;
            }
            layer2(nx, false);
            if (nx != "UA" && !nx.empty()) interface_up = is_interface_up(nx);
            if (destination_condition(nx, dev, st_.nat_next_hop_mask) && interface_up &&
                layer2_ok) {
                st_.path_recorded = "True";
                record_path();
                return true;
            }
            if (gateway_usable) {
                st_.path_recorded = "False";
                explore(true, gateway_ip, gateway_device, arrival_device);
                if (st_.path_recorded == "True") return true;
                continue;
            }
            exit_top -= 1;
            cut(current_path, p);
        }
    }

private:
    db::DatabaseSession& db_;
    const state::NetworkTableSet& t_;
    State& st_;

public:
    std::vector<std::string> source_device_ips, visited, current_path, exit_stack;
    long visited_top = 0, exit_top = 0;
    std::string arrival_device, start_device, arrival_protocol;
    bool inbound_ok = false, outbound_ok = false, interface_up = false, on_subnet = false,
         runs_protocol = false, layer2_ok = false, area_ok = false, nat_ok = false;
    AreaValues current, candidate;
    bool virtual_link = false;
    std::string gateway_ip, gateway_device;
    bool gateway_up = false, gateway_on_subnet = false, gateway_usable = false;
};

void find_path(db::DatabaseSession& session, const state::NetworkTableSet& tables, State& st) {
    Search(session, tables, st).find_path();
}

void find_pc_gateway_protocol(db::DatabaseSession& session, const state::NetworkTableSet& t,
                              State& st) {
    Recordset k =
        session.open_recordset("SELECT \"index\" FROM device WHERE Device_Name = ? ORDER BY rowid",
                               {st.probe.console_device});
    const bool pc = !k.eof() && k.field(0).to_int() == 3;
    st.walk_protocol.clear();
    st.walk_protocol_table.clear();
    if (!pc) return;
    st.next_hop_ip.clear();
    Recordset g = session.open_recordset(
        "SELECT rd.dev_name, ri.int_name, ri.next_hopip FROM " + t.rout_dev_table +
            " rd INNER JOIN " + t.route_ip_table +
            " ri ON rd.dev_no = ri.ref WHERE rd.dev_name = ? AND ri.int_name = 'Ethernet0' "
            "ORDER BY ri.rowid, rd.rowid",
        {st.probe.console_device});
    if (!g.eof()) st.next_hop_ip = g.text(2);
    if (st.next_hop_ip.empty()) return;
    for (const auto& table : {t.route_ip_table, t.ospf_ip_table, t.eigrp_ip_table}) {
        if (!st.walk_protocol.empty()) break;
        Recordset r = session.open_recordset(
            "SELECT nw_protocol FROM " + table + " WHERE ip = ? ORDER BY rowid", {st.next_hop_ip});
        if (!r.eof() && r.text(0) != "d") {
            st.walk_protocol = r.text(0);
            st.walk_protocol_table = table;
        }
    }
}

// Steps shared by the three probes up to the walk; true on the immediate
// answer of the answering device.
bool prepare(db::DatabaseSession& session, const state::NetworkTableSet& t, State& st,
             const std::string& target) {
    st.destination_ip = target;
    st.reexpand_hop_index = 0;
    st.reexpand_path_start = 0;
    Recordset s1 = session.open_recordset("SELECT rd.dev_name, ri.ip, ri.int_status FROM " +
                                          t.rout_dev_table + " rd INNER JOIN " + t.route_ip_table +
                                          " ri ON rd.dev_no = ri.ref ORDER BY ri.rowid, rd.rowid");
    for (; !s1.eof(); s1.move_next())
        if (s1.text(1) == st.destination_ip && s1.text(0) == st.probe.answering_device &&
            s1.text(1) != "UA" && s1.field(2).to_bool())
            return true;
    st.source_ips.clear();
    for (s1.move_first(); !s1.eof(); s1.move_next())
        if (s1.text(0) == st.probe.source_device && s1.text(1) != "UA" && !s1.text(1).empty())
            st.source_ips.push_back(s1.text(1));
    return false;
}

Outcome finish(State& st) {
    return {st.recorded_paths.size() > 1, st.recorded_paths, st.path_end_offsets};
}

std::string block(const std::string& a) {
    return std::string(kCrLf) + "Type escape sequence to abort." + kCrLf +
           "Sending 5,100-byte ICMP Echos to " + " " + a + " ," + kCrLf +
           "Timeout is 2 seconds:" + kCrLf + " !!!!! " + kCrLf +
           "Success rate is 100 percent (5/5), round-trip min/avg/max = 6/6/6 ms";
}

}  // namespace

Outcome check_ping_reachable(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                             const Probe& probe, const std::string& target) {
    State st;
    st.probe = probe;
    if (prepare(session, tables, st, target)) return {true, {}, {}};
    {
        Search nat(session, tables, st);
        if (nat.is_nat_inside_global()) return {true, {}, {}};
    }
    find_pc_gateway_protocol(session, tables, st);
    find_path(session, tables, st);
    return finish(st);
}

Outcome check_telnet_reachable(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                               const Probe& probe, const std::string& target) {
    State st;
    st.probe = probe;
    if (prepare(session, tables, st, target)) return {true, {}, {}};
    find_pc_gateway_protocol(session, tables, st);
    find_path(session, tables, st);
    return finish(st);
}

std::optional<std::string> run_traceroute(db::DatabaseSession& session,
                                          const state::NetworkTableSet& tables, const Probe& probe,
                                          const std::string& traced, const std::string& shown,
                                          std::size_t path_limit, bool& gave_up) {
    gave_up = false;
    State st;
    st.probe = probe;
    if (prepare(session, tables, st, traced)) return block(shown) + kCrLf;
    find_pc_gateway_protocol(session, tables, st);
    find_path(session, tables, st);
    for (std::size_t j = 1; j <= st.path_end_offsets.size() - 1; ++j) {
        if (st.path_end_offsets.size() - 1 > path_limit) {
            gave_up = true;
            return std::nullopt;
        }
        const long long s = static_cast<long long>(st.path_end_offsets[j - 1]);
        const long long e = static_cast<long long>(st.path_end_offsets[j]);
        for (long long k = e - 2; k >= s; k -= 2) {
            st.reexpand_previous_ip.clear();
            st.reexpand_path_start = static_cast<std::size_t>(s);
            const auto at = static_cast<std::size_t>(k);
            if (st.recorded_paths[at] == st.destination_ip || st.recorded_paths[at].empty() ||
                st.recorded_paths[at + 1] == st.recorded_paths[at])
                continue;
            bool through = false;
            for (long long i = s; i < k; ++i)
                if (st.recorded_paths[static_cast<std::size_t>(i)] == st.destination_ip)
                    through = true;
            if (through) continue;
            st.reexpand_hop_ip = st.recorded_paths[at];
            st.reexpand_hop_index = at;
            st.reexpand_next_ip = st.recorded_paths[at + 1];
            if (k > s && k > 0 && st.recorded_paths[at - 1] != st.destination_ip)
                st.reexpand_previous_ip = st.recorded_paths[at - 1];
            Recordset r =
                session.open_recordset("SELECT next_hop_devname FROM " + tables.route_ip_table +
                                           " WHERE ip = ? ORDER BY rowid",
                                       {st.reexpand_next_ip});
            if (!r.eof()) st.probe.source_device = r.text(0);
            find_path(session, tables, st);
        }
    }
    st.reexpand_next_ip.clear();
    st.reexpand_previous_ip.clear();
    st.reexpand_hop_ip.clear();

    // pick_best_path
    if (st.recorded_paths.size() - 1 == 0) return std::nullopt;
    std::size_t best_start = 0, best_end = 0;
    std::int64_t minimum = 0;
    for (std::size_t j = 0; j + 1 < st.path_end_offsets.size(); ++j) {
        const std::size_t s = st.path_end_offsets[j], e = st.path_end_offsets[j + 1] - 1;
        std::int64_t sum = 0;
        for (std::size_t i = s; i <= e; i += 2) {
            if (st.walk_protocol_table.empty()) continue;
            Recordset m = session.open_recordset(
                "SELECT metric FROM " + st.walk_protocol_table + " WHERE ip = ? ORDER BY rowid",
                {st.recorded_paths[i]});
            if (!m.eof()) sum += m.field(0).to_int();
        }
        if (j == 0 || sum < minimum) {
            minimum = sum;
            best_start = s;
            best_end = e;
        }
    }
    std::string out;
    std::string last;
    for (std::size_t i = best_start; i <= best_end; ++i) {
        if (st.recorded_paths[i].empty()) continue;
        out += block(st.recorded_paths[i]) + kCrLf;
        last = st.recorded_paths[i];
    }
    if (traced != last) out += block(traced) + kCrLf;
    if (shown != traced) out += block(shown);
    return out;
}

}  // namespace vexlab::test::reference
