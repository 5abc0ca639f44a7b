#include "reachability/path_search.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "platform/text.h"
#include "reachability/access_lists.h"
#include "reachability/lan_tables.h"
#include "state/vocabulary.h"

namespace vexlab::reachability {

namespace {

using text::iequals;

bool is_address(const std::string& ip) {
    return !ip.empty() && ip != state::marker::kUnassigned;
}
bool is_hop(const std::string& ip) {
    return is_address(ip) && ip != state::marker::kNotApplicable;
}
bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}
bool normal_or_stub(const Area& area) {
    return area.set && (area.type == "N" || area.type == "S");
}
bool backbone(const Area& area) {
    return area.set && area.to_backbone;
}
bool same_area_number(const Area& a, const Area& b) {
    return a.set == b.set && (!a.set || a.number == b.number);
}

// The addresses placed on a path during one search, with a count of each for
// the membership tests the walk makes at every hop.
class VisitedList {
public:
    VisitedList() {
        list_.emplace_back();
        counts_[std::string()] = 1;
    }

    bool contains(const std::string& ip) const {
        auto it = counts_.find(ip);
        return it != counts_.end() && it->second > 0;
    }
    int top() const { return top_; }
    void grow_to_top() {
        while (static_cast<int>(list_.size()) < top_ + 1) {
            list_.emplace_back();
            ++counts_[std::string()];
        }
    }
    void set_top(const std::string& ip) {
        grow_to_top();
        std::string& slot = list_[static_cast<std::size_t>(top_)];
        --counts_[slot];
        slot = ip;
        ++counts_[slot];
    }
    void push(const std::string& ip) {
        ++top_;
        set_top(ip);
    }
    void skip() { ++top_; }

private:
    std::vector<std::string> list_;
    std::unordered_map<std::string, int> counts_;
    int top_ = 0;
};

// Appends a path entry, or fills the path's last entry when that is empty.
void add_to_path(std::vector<std::string>& path, const std::string& ip) {
    if (!path.empty() && path.back().empty())
        path.back() = ip;
    else
        path.push_back(ip);
}

// Cuts a path just before the first entry equal to `ip`; a cut before the
// first entry leaves the path empty, as a fresh one is.
void cut_before(std::vector<std::string>& path, const std::string& ip) {
    auto it = std::find(path.begin(), path.end(), ip);
    if (it == path.end()) return;
    if (it == path.begin())
        path.assign(1, std::string());
    else
        path.erase(it, path.end());
}

// Appends the path walked (after the re-expanded prefix) unless it repeats a
// recorded path or runs back through the prefix.
void record_path(PathSearch& s, const std::vector<std::string>& current_path) {
    auto& recorded = s.recorded_paths;
    const std::size_t k = s.reexpand_hop_index - s.reexpand_path_start;
    std::vector<std::string> prefix;
    for (std::size_t i = s.reexpand_path_start; i < s.reexpand_hop_index && i < recorded.size();
         ++i)
        if (recorded[i] != s.destination_ip) prefix.push_back(recorded[i]);

    std::vector<std::string> candidate = prefix;
    candidate.insert(candidate.end(), current_path.begin(), current_path.end());
    candidate.resize(current_path.size() + k);

    bool duplicate = false;
    if (candidate.size() > 1)
        for (std::size_t i = 0; i + candidate.size() <= recorded.size() && !duplicate; ++i)
            duplicate = std::equal(candidate.begin(), candidate.end(), recorded.begin() + i);
    bool loops = false;
    for (const auto& entry : prefix)
        if (contains(current_path, entry)) loops = true;
    if (duplicate || loops) return;

    const std::size_t w = recorded.size() - 1;
    recorded.resize(w + candidate.size() + 1);
    std::copy(candidate.begin(), candidate.end(), recorded.begin() + static_cast<long>(w));
    s.path_end_offsets.push_back(recorded.size() - 1);
}

// One call of the walk: the working values live as long as the call.
class Walk {
public:
    Walk(const NetworkView& view, PathSearch& search) : v_(view), s_(search) {}

    void run() {
        current_path_.assign(1, std::string());
        if (s_.reexpanding()) {
            arrival_protocol_.clear();
            if (protocol_known()) arrival_protocol_ = protocol_of(s_.reexpand_previous_ip);
        }
        for (const auto& row : v_.route.rows())
            if (row.dev_name() == s_.source_device && is_address(row.iface->ip))
                source_device_ips_.push_back(row.iface->ip);
        for (const auto& start : start_ips())
            if (from_start(start)) return;
    }

private:
    bool ospf() const { return s_.walk_protocol == "o"; }
    bool protocol_known() const {
        const auto& p = s_.walk_protocol;
        return p == "o" || p == "r" || p == "e";
    }
    bool lan_start() const { return !s_.router_console; }
    // The first hop leaves the start address over its link: always from a
    // router's own console, and from a switch or PC when the start router
    // translated the probe, which then leaves by the outside interface it
    // was translated to instead of entering the router there.
    bool leaves_by_start() const { return !lan_start() || translated_; }

    // ---------------------------------------------------------- predicates

    bool is_interface_up(const std::string& ip) const {
        const InterfaceRow* row = v_.route_ip.by_ip(ip);
        return row && row->int_status;
    }
    bool interface_runs_protocol(const std::string& letter, const std::string& ip) const {
        if (s_.walk_protocol_table == ProtocolView::None) return false;
        const InterfaceRow* row = v_.table(s_.walk_protocol_table).by_ip(ip);
        return row && row->nw_protocol == letter;
    }
    bool is_next_hop_on_subnet(const std::string& ip) const {
        const InterfaceRow* row = v_.route_ip.by_ip(ip);
        if (!row || !is_address(row->next_hopip) || !is_address(row->next_hopmask)) return false;
        const auto own = network_text(ip, row->mask);
        const auto peer = network_text(row->next_hopip, row->next_hopmask);
        return own && peer && *own == *peer;
    }
    // The protocol letter of an address in the walk's protocol view; empty
    // when no row holds it.
    std::string protocol_of(const std::string& ip) const {
        if (s_.walk_protocol_table == ProtocolView::None) return {};
        const InterfaceRow* row = v_.table(s_.walk_protocol_table).by_ip(ip);
        return row ? row->nw_protocol : std::string();
    }
    bool runs_walk_protocol(const std::string& ip) const {
        return arrival_protocol_ == s_.walk_protocol && !arrival_protocol_.empty() &&
               interface_runs_protocol(arrival_protocol_, ip);
    }

    // ---------------------------------------------------------- hop tests

    // The layer-2 rule: a Frame Relay serial interface needs its Frame Relay
    // link up, an ISDN interface its ISDN link.  Under OSPF a start or
    // departure address is read from the OSPF view, whose row also gives the
    // interface's area, the far end's area and the device's virtual link; an
    // arrival address is always read from the route view.
    struct Layer2Row {
        bool found = false;
        Area own, far;
        bool virtual_link = false;
    };
    Layer2Row layer2(const std::string& ip, bool arrival) {
        Layer2Row result;
        layer2_ok_ = true;
        const InterfaceRow* iface = nullptr;
        const std::string* device = nullptr;
        if (!arrival && ospf()) {
            if (const auto* row = v_.ospf.by_ip(ip)) {
                iface = row->iface;
                device = &row->dev_name();
                result = {true, iface->area, iface->far_area, row->device->virtual_link};
            }
        } else if (const auto* row = v_.route.by_ip(ip)) {
            iface = row->iface;
            device = &row->dev_name();
        }
        if (!iface) return result;
        if (iface->int_name.find("Serial") != std::string::npos) {
            const auto encapsulation = v_.encapsulation(*device, iface->int_name);
            if (encapsulation && *encapsulation == "framerelay") layer2_ok_ = iface->l2_frame;
        } else if (iface->int_name.find("IsdnBri") != std::string::npos) {
            layer2_ok_ = iface->l2_isdn;
        }
        return result;
    }

    // The OSPF area rule for an interface judged against the area the walk
    // stands in: the same area, two normal or stub areas (or a normal or stub
    // area and a totally stubby one) both joined to the backbone, or a
    // virtual link where a backbone link is missing.
    bool area_rule(const Area& current, const Area& candidate, bool virtual_link) const {
        if (!ospf() || same_area_number(current, candidate)) return true;
        const bool both_backbone = backbone(current) && backbone(candidate);
        if (normal_or_stub(candidate) && normal_or_stub(current) && both_backbone) return true;
        if (normal_or_stub(current) && candidate.set && candidate.type == "T" && both_backbone)
            return true;
        return (!backbone(current) || !backbone(candidate)) && virtual_link;
    }
    bool same_area() const { return !ospf() || same_area_number(current_area_, candidate_area_); }

    // The destination condition for an address on a device, with the NAT
    // rules: the address itself where no NAT is involved, or what the
    // device's outside translations make of the destination.
    bool destination_reached(const std::string& address, const std::string& device,
                             const std::string& mask) {
        bool nat_ok = true;
        if (check_nat(v_, device, s_.source_device, s_.nat)) {
            nat_ok = false;
            if (is_address(address))
                nat_ok = check_nat_outside(v_, address, mask, s_.destination_ip, device);
        }
        const auto& f = s_.nat;
        const bool is_destination = address == s_.destination_ip;
        return (is_destination && !f.nat_on_device && !f.nat_on_source_device) ||
               (f.nat_on_device && nat_ok) || (f.no_outside_static_nat && is_destination);
    }

    // Per interface row of a device entered: whether it carries the walk's
    // protocol, is up, and may be used from the area the walk stands in.
    void evaluate_row(const JoinedView::Row& row) {
        runs_protocol_ = false;
        interface_up_ = false;
        const std::string& ip = row.iface->ip;
        if (is_address(ip)) {
            runs_protocol_ = runs_walk_protocol(ip);
            interface_up_ = is_interface_up(ip);
        }
        if (ospf()) {
            candidate_area_ = row.iface->area;
            virtual_link_ = row.device->virtual_link;
        }
        area_ok_ = area_rule(current_area_, candidate_area_, virtual_link_);
    }
    bool usable(const JoinedView::Row& row, const std::string& arrival) const {
        const std::string& ip = row.iface->ip;
        return ip != arrival && is_address(ip) && ip != s_.reexpand_hop_ip &&
               ip != s_.reexpand_previous_ip && !iequals(ip, "Unassigned") && runs_protocol_ &&
               interface_up_ && area_ok_ && inbound_ok_;
    }

    // The interfaces of a device entered, in the view the walk follows.
    std::vector<const JoinedView::Row*> interfaces_of(const std::string& device,
                                                      const std::string* except) const {
        const auto& all = ospf() ? v_.ospf.of_device(device) : v_.route.of_device(device);
        if (!except) return all;
        std::vector<const JoinedView::Row*> rows;
        for (const auto* row : all)
            if (!iequals(row->iface->ip, *except)) rows.push_back(row);
        return rows;
    }

    // The default gateway of a device entered, and whether it may be followed.
    void evaluate_gateway(const std::string& device) {
        const std::string* value = gateway_cell(device);
        if (!value) {
            gateway_usable_ = false;
            return;
        }
        gateway_ip_ = *value;
        gateway_usable_ = false;
        const bool known = visited_.contains(gateway_ip_) ||
                           contains(source_device_ips_, gateway_ip_) ||
                           contains(s_.source_ips, gateway_ip_);
        const bool assigned = !iequals(gateway_ip_, "Unassigned");
        if (assigned) gateway_up_ = is_interface_up(gateway_ip_);
        if (const auto* owner = v_.route.by_ip(gateway_ip_)) gateway_device_ = owner->dev_name();
        gateway_on_subnet_ = false;
        if (assigned)
            for (const auto* row : v_.route.of_device(device))
                if (row->iface->next_hopip == gateway_ip_ &&
                    gateway_ip_ != state::marker::kUnassigned) {
                    gateway_on_subnet_ = is_next_hop_on_subnet(gateway_ip_);
                    break;
                }
        gateway_usable_ = assigned && !known && gateway_device_ != start_device_ && gateway_up_ &&
                          gateway_on_subnet_;
    }
    // The device's cell of the default-gateway row, found by exact name.
    const std::string* gateway_cell(const std::string& device) const {
        const SettingsRow* row = v_.settings("default_gateway");
        if (!row) return nullptr;
        for (std::size_t i = 0; i < v_.settings_columns.size(); ++i)
            if (v_.settings_columns[i] == device) return &row->values[i];
        return nullptr;
    }

    // ---------------------------------------------------------- start

    std::vector<std::string> start_ips() {
        std::vector<std::string> starts;
        if (get_nat_status(v_, s_.source_device, s_.router_console)) {
            translated_ = true;
            for (auto& ip : translate_nat_source(v_, s_.source_device, s_.console_device))
                if (!ip.empty() && ip != s_.reexpand_hop_ip && ip != s_.reexpand_previous_ip)
                    starts.push_back(std::move(ip));
            return starts;
        }
        const bool own_start = s_.source_device == s_.answering_device;
        // A probe from a switch or PC enters its router at the interface
        // that faces it.
        const bool facing_only = lan_start() && s_.reexpand_hop_ip.empty();
        for (const auto& row : v_.route.rows()) {
            const std::string& ip = row.iface->ip;
            if (row.dev_name() != s_.source_device || !is_address(ip) || ip == s_.reexpand_hop_ip ||
                ip == s_.reexpand_previous_ip || !row.iface->int_status)
                continue;
            if (s_.reexpanding() && !runs_walk_protocol(ip)) continue;
            if (own_start && contains(s_.recorded_paths, ip)) continue;
            if (facing_only && !faces_console(row)) continue;
            starts.push_back(ip);
        }
        return starts;
    }
    bool faces_console(const JoinedView::Row& row) const {
        for (const auto& uplink : v_.sw_riplist)
            if (iequals(uplink.sub_dev, s_.console_device) &&
                iequals(uplink.mast_dev, s_.source_device) &&
                iequals(uplink.mast_int, row.iface->int_name))
                return true;
        return false;
    }

    void discover_protocol(const std::string& ip) {
        const std::pair<ProtocolView, const InterfaceTable*> views[] = {
            {ProtocolView::Route, &v_.route_ip},
            {ProtocolView::Ospf, &v_.ospf_ip},
            {ProtocolView::Eigrp, &v_.eigrp_ip},
        };
        for (const auto& [view, table] : views)
            if (const InterfaceRow* row = table->by_ip(ip); row && row->nw_protocol != "d") {
                s_.walk_protocol = row->nw_protocol;
                s_.walk_protocol_table = view;
                return;
            }
    }

    // The first hop from one start address, then the stack walk.  True when
    // the search is over (a path was found).
    bool from_start(const std::string& start) {
        if (lan_start()) {
            inbound_ok_ = acl_permits(v_, start, Direction::Inbound, s_.packet_source_ip);
        } else {
            s_.packet_source_ip = start;
            inbound_ok_ = true;
        }
        if (s_.walk_protocol.empty()) discover_protocol(start);
        visited_.grow_to_top();
        current_path_.assign(1, std::string());
        const Layer2Row link = layer2(start, false);
        if (link.found) {
            current_area_ = link.own;
            candidate_area_ = link.far;
            virtual_link_ = link.virtual_link;
        }
        if (visited_.contains(start) || !layer2_ok_ || !inbound_ok_) return false;
        visited_.set_top(start);
        current_path_[0] = start;

        if (!leaves_by_start()) {
            if (const auto* row = v_.route.by_ip(start)) {
                start_device_ = row->dev_name();
                arrival_device_ = row->dev_name();
                s_.next_hop_mask = row->iface->mask;
            }
            s_.next_hop_ip = start;
        } else {
            if (const auto* row = v_.route.by_ip(start)) {
                start_device_ = row->dev_name();
                arrival_device_ = row->iface->next_hop_devname;
                s_.next_hop_ip = row->iface->next_hopip;
                s_.next_hop_mask = row->iface->next_hopmask;
            }
            inbound_ok_ = acl_permits(v_, s_.next_hop_ip, Direction::Inbound, s_.packet_source_ip);
        }
        const std::string& next_hop = s_.next_hop_ip;
        if (is_hop(next_hop)) {
            arrival_protocol_.clear();
            if (protocol_known()) arrival_protocol_ = protocol_of(next_hop);
            interface_up_ = is_interface_up(next_hop);
            on_subnet_ = !leaves_by_start() || is_next_hop_on_subnet(next_hop);
        }
        if (!is_hop(next_hop) || next_hop == s_.reexpand_hop_ip ||
            next_hop == s_.reexpand_previous_ip || !interface_up_ || !on_subnet_ ||
            (leaves_by_start() &&
             (contains(source_device_ips_, next_hop) || contains(s_.source_ips, next_hop))) ||
            !layer2_ok_ || !same_area())
            return false;
        visited_.push(next_hop);
        current_path_.push_back(next_hop);
        if (destination_reached(next_hop, arrival_device_, s_.next_hop_mask)) {
            record_path(s_, current_path_);
            return true;
        }
        current_area_ = candidate_area_;

        // The device entered, without its arrival interface.
        const auto rows = interfaces_of(arrival_device_, &next_hop);
        for (const auto* row : rows) {
            evaluate_row(*row);
            if (destination_reached(row->iface->ip, row->dev_name(), row->iface->mask) &&
                runs_protocol_ && interface_up_ && area_ok_ && inbound_ok_) {
                record_path(s_, current_path_);
                return true;
            }
        }
        std::vector<std::string> exits;
        for (const auto* row : rows) {
            evaluate_row(*row);
            if (usable(*row, next_hop)) exits.push_back(row->iface->ip);
        }
        evaluate_gateway(arrival_device_);
        if (!exits.empty()) {
            exit_stack_ = exits;
            exit_top_ = static_cast<long>(exits.size()) - 1;
        } else if (gateway_usable_) {
            if (explore(Variant::Replace, gateway_ip_, gateway_device_, arrival_device_))
                return true;
        } else {
            exit_top_ = -1;
            current_path_.assign(1, std::string());
        }
        if (stack_walk()) return true;
        exit_stack_.assign(1, std::string());
        visited_.skip();
        return false;
    }

    // ---------------------------------------------------------- stack walk

    bool stack_walk() {
        while (true) {
            while (exit_top_ >= 0 && visited_.contains(exit_stack_[top_index()])) {
                cut_before(current_path_, exit_stack_[top_index()]);
                --exit_top_;
            }
            if (exit_top_ < 0) return false;
            const std::string departure = exit_stack_[top_index()];
            outbound_ok_ = acl_permits(v_, departure, Direction::Outbound, s_.packet_source_ip);
            layer2(departure, false);  // the areas come with the departure row below
            visited_.push(departure);
            add_to_path(current_path_, departure);
            if (!layer2_ok_) continue;
            if (step_from(departure)) return true;
        }
    }
    std::size_t top_index() const { return static_cast<std::size_t>(exit_top_); }

    // One departure: over its link to the next device, then that device.
    bool step_from(const std::string& departure) {
        if (ospf()) {
            if (const auto* row = v_.ospf.by_ip(departure)) {
                take_departure_row(*row);
                current_area_ = row->iface->area;
                candidate_area_ = row->iface->far_area;
                virtual_link_ = row->device->virtual_link;
            }
        } else if (const auto* row = v_.route.by_ip(departure)) {
            take_departure_row(*row);
        }
        const std::string& next = s_.nat_next_hop_ip;
        interface_up_ = false;
        if (is_address(next)) interface_up_ = is_interface_up(next);
        if (is_hop(next)) {
            arrival_protocol_.clear();
            if (protocol_known()) arrival_protocol_ = protocol_of(next);
            on_subnet_ = is_next_hop_on_subnet(departure);
        }
        if (!is_hop(next) || next == s_.reexpand_hop_ip || next == s_.reexpand_previous_ip ||
            contains(source_device_ips_, next) || contains(s_.source_ips, next) || !interface_up_ ||
            !on_subnet_ || !outbound_ok_ || !same_area()) {
            if (is_hop(next)) {
                --exit_top_;
                if (!current_path_.empty()) current_path_.pop_back();
            }
            return false;
        }
        visited_.push(next);
        add_to_path(current_path_, next);
        layer2(next, true);
        current_area_ = candidate_area_;
        if (is_address(next))
            inbound_ok_ = acl_permits(v_, next, Direction::Inbound, s_.packet_source_ip);

        const std::string device = s_.nat_next_hop_device;
        const auto rows = interfaces_of(device, nullptr);
        for (const auto* row : rows) {
            evaluate_row(*row);
            const bool arrival_row = row->iface->ip == next;
            const bool area_fits =
                arrival_row ? (!ospf() || same_area_number(row->iface->area, current_area_))
                            : area_ok_;
            if (destination_reached(row->iface->ip, row->dev_name(), row->iface->mask) &&
                runs_protocol_ && interface_up_ && layer2_ok_ && area_fits &&
                (inbound_ok_ || next == s_.destination_ip)) {
                record_path(s_, current_path_);
                return true;
            }
        }
        std::vector<std::string> exits;
        for (const auto* row : rows) {
            evaluate_row(*row);
            if (usable(*row, next) && !visited_.contains(row->iface->ip))
                exits.push_back(row->iface->ip);
        }
        evaluate_gateway(device);
        if (!exits.empty()) {
            exit_stack_.insert(exit_stack_.end(), exits.begin(), exits.end());
            exit_top_ = static_cast<long>(exit_stack_.size()) - 1;
            return false;
        }
        layer2(next, true);
        if (is_address(next)) interface_up_ = is_interface_up(next);
        if (destination_reached(next, device, s_.nat_next_hop_mask) && interface_up_ &&
            layer2_ok_) {
            record_path(s_, current_path_);
            return true;
        }
        if (gateway_usable_)
            return explore(Variant::Backtrack, gateway_ip_, gateway_device_, arrival_device_);
        --exit_top_;
        cut_before(current_path_, departure);
        return false;
    }
    void take_departure_row(const JoinedView::Row& row) {
        s_.nat_next_hop_device = row.iface->next_hop_devname;
        s_.nat_next_hop_ip = row.iface->next_hopip;
        s_.nat_next_hop_mask = row.iface->next_hopmask;
    }

    // ---------------------------------------------------------- gateways

    enum class Variant { Replace, Backtrack };

    // Enters the device that owns a default gateway at that address and
    // decides there: the destination, the device's usable exits (put on the
    // stack), the device's own default gateway (followed in turn), or a dead
    // end.  True when a path was recorded.  A chain of gateways that comes
    // back to an address it already followed ends as a dead end.
    bool explore(Variant variant, std::string& arrival_ip, std::string& next_device,
                 std::string& from_device) {
        std::string came_from = from_device;
        std::set<std::string> followed{arrival_ip};
        Area arrival_area;
        bool gateway_up = false;
        while (true) {
            if (arrival_ip == s_.destination_ip) {
                record_path(s_, current_path_);
                return true;
            }
            if (ospf())
                if (const auto* row = v_.ospf_by_route.by_ip(arrival_ip))
                    arrival_area = row->iface->area;
            const auto& rows =
                ospf() ? v_.ospf_by_route.of_device(next_device) : v_.route.of_device(next_device);
            std::string arrival_protocol;
            if (protocol_known()) arrival_protocol = protocol_of(arrival_ip);

            auto fits = [&](const JoinedView::Row& row) {
                const std::string& ip = row.iface->ip;
                if (!(arrival_protocol == s_.walk_protocol && !s_.walk_protocol.empty() &&
                      interface_runs_protocol(arrival_protocol, ip)))
                    return false;
                if (!is_interface_up(ip)) return false;
                if (!ospf() || same_area_number(row.iface->far_area, arrival_area)) return true;
                const DeviceRow* device = v_.ospf_device(row.device->dev_no);
                return area_rule(arrival_area, row.iface->far_area, device && device->virtual_link);
            };
            for (const auto* row : rows)
                if (is_address(row->iface->ip) && row->iface->ip == s_.destination_ip &&
                    fits(*row)) {
                    record_path(s_, current_path_);
                    return true;
                }
            std::vector<std::string> exits;
            for (const auto* row : rows) {
                const std::string& ip = row->iface->ip;
                if (is_address(ip) && !iequals(ip, "Unassigned") && ip != s_.reexpand_hop_ip &&
                    ip != s_.reexpand_previous_ip && fits(*row))
                    exits.push_back(ip);
            }

            // The default gateway of the device examined.
            bool usable = false;
            std::string gateway;
            if (const std::string* cell = gateway_cell(next_device)) {
                gateway = *cell;
                const bool known = visited_.contains(gateway) ||
                                   contains(source_device_ips_, gateway) ||
                                   contains(s_.source_ips, gateway);
                const bool assigned = !iequals(gateway, "Unassigned");
                if (assigned) gateway_up = is_interface_up(gateway);
                from_device = next_device;
                if (const auto* owner = v_.route.by_ip(gateway)) next_device = owner->dev_name();
                bool on_subnet = false;
                if (assigned)
                    for (const auto* row : v_.route.of_device(from_device))
                        if (row->iface->next_hopip == gateway &&
                            gateway != state::marker::kUnassigned) {
                            on_subnet = is_next_hop_on_subnet(gateway);
                            break;
                        }
                usable = assigned && !known && next_device != came_from && gateway_up &&
                         gateway != s_.reexpand_hop_ip && gateway != s_.reexpand_previous_ip &&
                         on_subnet && !followed.count(gateway);
            }

            if (!exits.empty()) {
                // Only exits not yet on the path go on the stack, as in the
                // walk itself: taking a visited one back off the stack would
                // cut the path before an address it arrived by.
                if (variant == Variant::Replace) exit_stack_.clear();
                for (const auto& ip : exits)
                    if (!visited_.contains(ip)) exit_stack_.push_back(ip);
                exit_top_ = static_cast<long>(exit_stack_.size()) - 1;
                return false;
            }
            if (usable) {
                came_from = from_device;
                arrival_ip = gateway;
                followed.insert(gateway);
                continue;
            }
            if (variant == Variant::Replace) {
                exit_top_ = -1;
                current_path_.assign(1, std::string());
            } else if (exit_top_ >= 0 && top_index() < exit_stack_.size()) {
                const std::string popped = exit_stack_[top_index()];
                --exit_top_;
                cut_before(current_path_, popped);
            }
            return false;
        }
    }

    const NetworkView& v_;
    PathSearch& s_;

    std::vector<std::string> source_device_ips_;
    VisitedList visited_;
    std::vector<std::string> current_path_;
    std::vector<std::string> exit_stack_;
    long exit_top_ = 0;
    std::string arrival_device_, start_device_, arrival_protocol_;
    bool translated_ = false;  // the start addresses are the router's NAT outside interfaces
    bool inbound_ok_ = false, outbound_ok_ = false;
    bool interface_up_ = false, on_subnet_ = false, runs_protocol_ = false;
    bool layer2_ok_ = false, area_ok_ = false;
    Area current_area_, candidate_area_;
    bool virtual_link_ = false;
    std::string gateway_ip_, gateway_device_;
    bool gateway_up_ = false, gateway_on_subnet_ = false, gateway_usable_ = false;
};

}  // namespace

void find_path(const NetworkView& view, PathSearch& search) {
    Walk(view, search).run();
}

}  // namespace vexlab::reachability
