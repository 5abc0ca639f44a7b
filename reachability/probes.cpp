#include "reachability/probes.h"

#include <limits>
#include <queue>
#include <unordered_map>
#include <unordered_set>

#include "platform/text.h"
#include "state/vocabulary.h"

namespace vexlab::reachability {

namespace {

using text::iequals;

constexpr const char* kCrLf = "\r\n";

bool same_number(const db::Value& a, const db::Value& b) {
    return !a.is_null() && !b.is_null() && a.to_text() == b.to_text();
}

// A probe begins from nothing another probe left: the target, the source
// list, the recorded paths and the walk's protocol are its own.
void start_probe(const NetworkView& view, PathSearch& search, const std::string& target) {
    search.destination_ip = target;
    search.reexpand_hop_index = 0;
    search.reexpand_path_start = 0;
    search.reexpand_hop_ip.clear();
    search.reexpand_previous_ip.clear();
    search.reexpand_next_ip.clear();
    search.source_ips.clear();
    for (const auto& row : view.route.rows())
        if (row.dev_name() == search.source_device && row.iface->ip != state::marker::kUnassigned &&
            !row.iface->ip.empty())
            search.source_ips.push_back(row.iface->ip);
    search.reset_paths();
}

// An up interface of the answering device holds the target.
bool answers_itself(const NetworkView& view, const PathSearch& search) {
    for (const auto& row : view.route.rows())
        if (row.iface->ip == search.destination_ip && row.dev_name() == search.answering_device &&
            row.iface->ip != state::marker::kUnassigned && row.iface->int_status)
            return true;
    return false;
}

void end_probe(PathSearch& search) {
    search.reexpand_hop_ip.clear();
    search.reexpand_previous_ip.clear();
    search.reexpand_next_ip.clear();
}

std::string success_block(std::string_view address) {
    return ping_reply_text(address) + kCrLf;
}

// ------------------------------------------------------------ traceroute

// The metric of a departure address in the walk's protocol view; an address
// without a row, or a row without a metric, counts as 0.
std::int64_t metric_of(const NetworkView& view, const PathSearch& search, const std::string& ip) {
    if (search.walk_protocol_table == ProtocolView::None) return 0;
    const InterfaceRow* row = view.table(search.walk_protocol_table).by_ip(ip);
    return row ? row->metric : 0;
}

// The summed metric of the departure addresses of a path: every second
// entry from its first.
std::int64_t path_cost(const NetworkView& view, const PathSearch& search, std::size_t start,
                       std::size_t last) {
    std::int64_t sum = 0;
    for (std::size_t i = start; i <= last; i += 2)
        sum += metric_of(view, search, search.recorded_paths[i]);
    return sum;
}

// Lower bounds on what the rest of a path costs: for every device, the
// smallest metric sum over departures that can carry a packet from it to a
// device holding the destination (default gateways cost nothing).  Every
// move the walk makes is an edge here, so no path found from a device costs
// less than its bound.
class CostBounds {
public:
    CostBounds(const NetworkView& view, const PathSearch& search) {
        valid_ = true;
        const std::string destination = lookup_key(search.destination_ip);
        std::unordered_map<std::string, std::vector<std::pair<std::string, std::int64_t>>> into;
        std::vector<std::string> targets;
        auto add_rows = [&](const JoinedView& joined) {
            for (const auto& row : joined.rows()) {
                const std::string from = lookup_key(row.dev_name());
                const std::int64_t cost = metric_of(view, search, row.iface->ip);
                if (cost < 0) valid_ = false;
                into[lookup_key(row.iface->next_hop_devname)].push_back({from, cost});
                if (lookup_key(row.iface->next_hopip) == destination)
                    into[kTarget].push_back({from, cost});
                if (lookup_key(row.iface->ip) == destination) targets.push_back(from);
            }
        };
        add_rows(view.route);
        add_rows(view.ospf);
        add_rows(view.ospf_by_route);
        for (const auto& entry : view.nat_inout)
            if (!is_no_value(entry.outside_global) &&
                lookup_key(entry.outside_global.to_text()) == destination)
                for (const auto& owner : view.nat_dev)
                    if (same_number(owner.dev_no, entry.ref))
                        targets.push_back(lookup_key(owner.dev_name));
        if (const SettingsRow* gateways = view.settings("default_gateway"))
            for (std::size_t i = 1; i < view.settings_columns.size(); ++i)
                if (const auto* owner = view.route.by_ip(gateways->values[i]))
                    into[lookup_key(owner->dev_name())].push_back(
                        {lookup_key(view.settings_columns[i]), 0});
        if (!valid_) return;

        using Item = std::pair<std::int64_t, std::string>;
        std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
        auto reach = [&](const std::string& node, std::int64_t cost) {
            auto it = bound_.find(node);
            if (it != bound_.end() && it->second <= cost) return;
            bound_[node] = cost;
            queue.push({cost, node});
        };
        for (const auto& target : targets) reach(target, 0);
        for (const auto& [from, cost] : into[kTarget]) reach(from, cost);
        while (!queue.empty()) {
            auto [cost, node] = queue.top();
            queue.pop();
            if (bound_[node] < cost) continue;
            for (const auto& [from, step] : into[node]) reach(from, cost + step);
        }
    }

    bool valid() const { return valid_; }
    // Nothing when no path leads from the device to the destination.
    std::optional<std::int64_t> from(const std::string& device) const {
        auto it = bound_.find(lookup_key(device));
        if (it == bound_.end()) return std::nullopt;
        return it->second;
    }

private:
    static constexpr const char* kTarget = "\n";
    bool valid_ = false;
    std::unordered_map<std::string, std::int64_t> bound_;
};

// The recorded paths as the traceroute weighs them, kept up to date as the
// re-expansions add paths.
class BestPath {
public:
    void update(const NetworkView& view, const PathSearch& search) {
        const auto& offsets = search.path_end_offsets;
        for (; seen_ + 1 < offsets.size(); ++seen_) {
            const std::size_t start = offsets[seen_];
            const std::size_t last = offsets[seen_ + 1] - 1;
            const std::int64_t cost = path_cost(view, search, start, last);
            if (!found_ || cost < cost_) {
                found_ = true;
                cost_ = cost;
                start_ = start;
                last_ = last;
            }
        }
    }
    // Re-weighs every path, for when the walk's protocol (and so the metric
    // view) was first found by a re-expansion.
    void reweigh(const NetworkView& view, const PathSearch& search) {
        found_ = false;
        seen_ = 0;
        update(view, search);
    }
    bool found() const { return found_; }
    std::int64_t cost() const { return cost_; }
    std::size_t start() const { return start_; }
    std::size_t last() const { return last_; }

private:
    std::size_t seen_ = 0;
    bool found_ = false;
    std::int64_t cost_ = 0;
    std::size_t start_ = 0, last_ = 0;
};

// A path that ran through the target's address without stopping there is
// not branched beyond that address: leaving the address out of the new path
// would shift every later address by one place, so that arrivals were
// weighed and branched as departures.
bool passes_destination(const PathSearch& search, std::size_t start, std::size_t hop) {
    for (std::size_t i = start; i < hop; ++i)
        if (search.recorded_paths[i] == search.destination_ip) return true;
    return false;
}

// What one pass of re-expansions leaves: the best path, and, when branches
// were passed over, the least any of them could have cost.
struct Pass {
    BestPath best;
    std::optional<std::int64_t> least_passed_over;
};

// What a branch costs at least: its prefix, and, from the router where it
// starts, the cheapest way on to the destination.  Nothing when no way on
// exists.
std::optional<std::int64_t> least_cost(const NetworkView& view, const PathSearch& search,
                                       const CostBounds& bounds, std::size_t start,
                                       std::size_t hop) {
    std::int64_t lower = 0;
    for (std::size_t i = start; i < hop; i += 2)
        lower += metric_of(view, search, search.recorded_paths[i]);
    // The branch's own departures stand at the same places when the prefix
    // has an even length; otherwise nothing more is known of them.
    if ((hop - start) % 2 != 0) return lower;
    const auto rest = bounds.from(search.source_device);
    if (!rest) return std::nullopt;
    return lower + *rest;
}

// The limit of a pass of re-expansions: the least cost a path may have to be
// worth finding, judged by the cost bounds of the walk's protocol view.
struct Limit {
    std::string origin;  // the device the probe itself starts from
    std::optional<CostBounds> bounds;
    std::optional<std::int64_t> cost;  // nothing: no limit (yet)
};

// Re-expands every departure of every path found, so that the paths
// branching off at each router are recorded too, and weighs them.  With a
// limit, a branch that cannot cost the limit or less is not run: every path
// of that cost or less is still found, in the same order, since every branch
// it grows from costs no more.  The limit applies once the walk's protocol
// is known (the metrics are read from its view).  Branches at the start
// router are always run while fewer paths stand than it has interfaces: each
// takes a first departure no path found so far uses, so where it lands among
// the paths depends on how many came before it.
Pass reexpand(const NetworkView& view, PathSearch& search, Limit& limit) {
    Pass pass;
    const std::size_t first_paths = view.route.of_device(search.source_device).size() + 2;
    std::unordered_set<std::string> branches_run;
    pass.best.update(view, search);
    auto limited = [&] {
        if (search.walk_protocol.empty()) return false;
        if (!limit.bounds) {
            limit.bounds.emplace(view, search);
            if (limit.bounds->valid() && !limit.cost) limit.cost = limit.bounds->from(limit.origin);
        }
        return limit.bounds->valid() && limit.cost.has_value();
    };
    // No path costs less than the limit: the first path at the limit is the
    // one chosen, and everything found after it comes too late.
    auto settled = [&] {
        return limited() && pass.best.found() && pass.best.cost() <= *limit.cost;
    };
    for (std::size_t j = 1; j < search.path_end_offsets.size() && !settled(); ++j) {
        const std::size_t s = search.path_end_offsets[j - 1];
        const std::size_t e = search.path_end_offsets[j];
        for (long long k = static_cast<long long>(e) - 2;
             k >= static_cast<long long>(s) && !settled(); k -= 2) {
            search.reexpand_previous_ip.clear();
            search.reexpand_path_start = s;
            const auto at = static_cast<std::size_t>(k);
            const std::string hop = search.recorded_paths[at];
            // No branch starts at an empty entry, or where a probe from a
            // switch or PC entered its router (the address stands twice).
            if (hop == search.destination_ip || hop.empty() ||
                search.recorded_paths[at + 1] == hop || passes_destination(search, s, at))
                continue;
            search.reexpand_hop_ip = hop;
            search.reexpand_hop_index = at;
            search.reexpand_next_ip = search.recorded_paths[at + 1];
            if (at > s && at > 0 && search.recorded_paths[at - 1] != search.destination_ip)
                search.reexpand_previous_ip = search.recorded_paths[at - 1];
            if (const InterfaceRow* row = view.route_ip.by_ip(search.reexpand_next_ip))
                search.source_device = row->next_hop_devname;

            if (limited() && search.path_end_offsets.size() > first_paths) {
                const auto least = least_cost(view, search, *limit.bounds, s, at);
                if (!least) continue;
                if (*least > *limit.cost) {
                    if (!pass.least_passed_over || *least < *pass.least_passed_over)
                        pass.least_passed_over = least;
                    continue;
                }
            }
            // The same branch again finds the same path, which is then no
            // longer new; only at the answering router does the answer depend
            // on the paths found so far (it leaves out their addresses).
            if (search.source_device != search.answering_device) {
                std::string key =
                    search.source_device + '\n' + hop + '\n' + search.reexpand_previous_ip;
                for (std::size_t i = s; i < at; ++i) key += '\n' + search.recorded_paths[i];
                if (!branches_run.insert(std::move(key)).second) continue;
            }
            const std::string protocol = search.walk_protocol;
            find_path(view, search);
            if (protocol != search.walk_protocol)
                pass.best.reweigh(view, search);
            else
                pass.best.update(view, search);
        }
    }
    return pass;
}

// The re-expansions, limited to the cheapest paths: a pass with the least
// cost any path can have as its limit, and, when it finds nothing that
// cheap, a pass with the next limit, until the cheapest path found is within
// the limit.  Each pass runs the re-expansions in the same order, so the path
// chosen is the one the unlimited re-expansions would choose.
BestPath reexpand_cheapest(const NetworkView& view, PathSearch& search) {
    Limit limit{search.source_device, std::nullopt, std::nullopt};
    const PathSearch first = search;
    while (true) {
        Pass pass = reexpand(view, search, limit);
        if (!limit.cost || !pass.least_passed_over ||
            (pass.best.found() && pass.best.cost() <= *limit.cost))
            return pass.best;
        std::int64_t next = *pass.least_passed_over;
        if (pass.best.found() && pass.best.cost() < next) next = pass.best.cost();
        limit.cost = next;
        search = first;
    }
}

}  // namespace

std::string ping_reply_text(std::string_view target) {
    return std::string(kCrLf) + "Type escape sequence to abort." + kCrLf +
           "Sending 5,100-byte ICMP Echos to " + " " + std::string(target) + " ," + kCrLf +
           "Timeout is 2 seconds:" + kCrLf + " !!!!! " + kCrLf +
           "Success rate is 100 percent (5/5), round-trip min/avg/max = 6/6/6 ms";
}

std::string get_device_by_hostname(const NetworkView& view, std::string_view name) {
    const SettingsRow* row = view.settings("hostname");
    if (!row) return {};
    for (std::size_t i : view.device_positions())
        if (!row->null[i] && row->values[i] == name) return view.settings_columns[i];
    return {};
}

std::vector<std::string> get_switch_uplinks(const NetworkView& view,
                                            std::string_view console_device) {
    std::vector<std::string> routers;
    for (const auto& uplink : view.sw_riplist)
        if (iequals(uplink.sub_dev, console_device)) routers.push_back(uplink.mast_dev);
    return routers;
}

std::vector<std::string> get_gateways(const NetworkView& view, std::string_view source_device,
                                      std::string_view address) {
    std::vector<std::string> gateways;
    for (const auto& pair : view.eth_iplist) {
        if (!iequals(pair.sub_ip, address)) continue;
        const auto* owner = view.route.by_ip(pair.master_ip);
        const std::string router = owner ? owner->dev_name() : std::string();
        bool nat = false;
        for (const auto& device : view.nat_dev)
            if (iequals(device.dev_name, router)) {
                nat = device.nat_status.to_bool();
                break;
            }
        if (!nat || router == source_device) gateways.push_back(pair.master_ip);
    }
    return gateways;
}

std::string get_ping_source(const NetworkView& view, std::string_view console_device,
                            state::DeviceKind console_kind) {
    if (console_kind == state::DeviceKind::Switch) {
        const SettingsRow* row = view.settings("FastEthernet1_ip_address");
        if (!row) return {};
        for (std::size_t i = 0; i < view.settings_columns.size(); ++i)
            if (view.settings_columns[i] == console_device) return row->values[i];
        return {};
    }
    if (console_kind == state::DeviceKind::Pc) {
        const auto& rows = view.route.of_device(console_device);
        return rows.empty() ? std::string() : rows.front()->iface->ip;
    }
    return {};
}

void find_pc_gateway_protocol(const NetworkView& view, PathSearch& search) {
    search.walk_protocol.clear();
    search.walk_protocol_table = ProtocolView::None;
    if (view.device_kind(search.console_device) != state::kind_number(state::DeviceKind::Pc))
        return;
    // A PC without its Ethernet0 row has no gateway to look at.
    search.next_hop_ip.clear();
    for (const auto* row : view.route.of_device(search.console_device))
        if (iequals(row->iface->int_name, "Ethernet0")) {
            search.next_hop_ip = row->iface->next_hopip;
            break;
        }
    const std::pair<ProtocolView, const InterfaceTable*> views[] = {
        {ProtocolView::Route, &view.route_ip},
        {ProtocolView::Ospf, &view.ospf_ip},
        {ProtocolView::Eigrp, &view.eigrp_ip},
    };
    for (const auto& [protocol_view, table] : views) {
        if (!search.walk_protocol.empty() || search.next_hop_ip.empty()) break;
        if (const InterfaceRow* row = table->by_ip(search.next_hop_ip);
            row && row->nw_protocol != "d") {
            search.walk_protocol = row->nw_protocol;
            search.walk_protocol_table = protocol_view;
        }
    }
}

bool check_ping_reachable(const NetworkView& view, PathSearch& search, const std::string& target) {
    start_probe(view, search, target);
    if (answers_itself(view, search) ||
        is_nat_inside_global(view, search.source_device, search.destination_ip))
        return true;
    find_pc_gateway_protocol(view, search);
    find_path(view, search);
    end_probe(search);
    return search.found();
}

std::optional<TracerouteResult> run_traceroute(const NetworkView& view, PathSearch& search,
                                               const std::string& traced,
                                               const std::string& shown) {
    start_probe(view, search, traced);
    if (answers_itself(view, search)) return TracerouteResult{success_block(shown), true};
    find_pc_gateway_protocol(view, search);
    find_path(view, search);
    const BestPath best = reexpand_cheapest(view, search);
    end_probe(search);
    if (!best.found()) return std::nullopt;

    // One block per address of the best path; an empty entry is no address.
    std::string text;
    std::string last_printed;
    for (std::size_t i = best.start(); i <= best.last(); ++i) {
        const std::string& entry = search.recorded_paths[i];
        if (entry.empty()) continue;
        text += success_block(entry);
        last_printed = entry;
    }
    if (traced != last_printed) text += success_block(traced);
    if (shown != traced) text += ping_reply_text(shown);
    return TracerouteResult{text, false};
}

bool check_telnet_reachable(const NetworkView& view, PathSearch& search,
                            const std::string& target) {
    start_probe(view, search, target);
    if (answers_itself(view, search)) return true;
    find_pc_gateway_protocol(view, search);
    find_path(view, search);
    end_probe(search);
    return search.found();
}

}  // namespace vexlab::reachability
