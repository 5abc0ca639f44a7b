#pragma once
// The network as one reachability command sees it: every table the path
// search reads, taken from the database once when the command starts and
// indexed for the lookups the search makes at every hop.  The search itself
// never writes, so one reading serves every probe of the command.
//
// Lookups follow the database's rules: an address or a name is found without
// regard to letter case, and where several rows match, the first in stored
// order answers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/db_value.h"

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {
struct NetworkTableSet;
}

namespace vexlab::reachability {

// Hashing and comparison of keys without regard to letter case, so that a
// lookup needs no folded copy of its key.
struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const;
};
struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};
template <class Value>
using FoldedMap = std::unordered_map<std::string, Value, FoldedHash, FoldedEqual>;

// The three interface views of a network, one per routing protocol.
enum class ProtocolView { None, Route, Ospf, Eigrp };

// An OSPF area as an interface row records it.  An area never read stays
// unset; two unset areas count as equal, an unset and a read one do not.
struct Area {
    bool set = false;
    std::string number;
    std::string type;
    bool to_backbone = false;
};

struct InterfaceRow {
    db::Value ref;
    std::string int_name;
    std::string ip;
    std::string mask;
    std::string next_hop_devname;
    std::string next_hop_intname;
    std::string next_hopip;
    std::string next_hopmask;
    std::int64_t metric = 0;  // an empty metric counts as 0
    bool int_status = false;
    std::string nw_protocol;
    bool l2_frame = false;
    bool l2_isdn = false;
    db::Value in_acl_num;
    db::Value out_acl_num;
    std::int64_t nat_inside_int = 0;  // 1 on a NAT inside interface
    std::int64_t nat_outside_int = 0;
    // OSPF view only: the interface's own area and the area at the far end.
    Area area;
    Area far_area;
};

struct DeviceRow {
    db::Value dev_no;
    std::string dev_name;
    bool virtual_link = false;  // OSPF device rows only
};

// One interface table with its rows in stored order.
class InterfaceTable {
public:
    std::vector<InterfaceRow> rows;
    // The first row holding an address.
    const InterfaceRow* by_ip(std::string_view ip) const;
    void index();

private:
    FoldedMap<std::size_t> by_ip_;
};

// An interface table joined to a device table on dev_no = ref: each interface
// row with each device row of its number, in the interface rows' order.
class JoinedView {
public:
    struct Row {
        const DeviceRow* device;
        const InterfaceRow* iface;
        const std::string& dev_name() const { return device->dev_name; }
    };
    JoinedView() = default;
    JoinedView(const std::vector<DeviceRow>& devices, const InterfaceTable& interfaces);
    // Rows point into the tables and into each other: moved, never copied.
    JoinedView(const JoinedView&) = delete;
    JoinedView& operator=(const JoinedView&) = delete;
    JoinedView(JoinedView&&) = default;
    JoinedView& operator=(JoinedView&&) = default;

    const std::vector<Row>& rows() const { return rows_; }
    // The first joined row holding an address, or nothing.
    const Row* by_ip(std::string_view ip) const;
    // Every joined row of a device, in order.
    const std::vector<const Row*>& of_device(std::string_view device) const;

private:
    std::vector<Row> rows_;
    FoldedMap<std::size_t> by_ip_;
    FoldedMap<std::vector<const Row*>> by_device_;
};

struct NatDevice {
    db::Value dev_no;
    std::string dev_name;
    db::Value nat_status;
};

struct NatEntry {
    db::Value inside_local, inside_global, outside_local, outside_global;
    std::string in_gl_rprot;
    db::Value ref;
};

struct NatPool {
    std::string pool_name;
    std::string beg_in_global, end_in_global, subnet_mask;
    db::Value accesslist_num;
    std::string glob_port;
    db::Value dev_ref;
};

struct AccessListEntry {
    db::Value accesslist_num;
    std::string ip;
    std::string wildcard_mask;
    db::Value deny;
    db::Value ref_devce;
};

struct LanPair {
    std::string master_ip, sub_ip;
};

struct Uplink {
    std::string sub_dev, mast_ip, mast_int, mast_dev;
};

// One row of the device settings store: the value of every column, the key
// column first.
struct SettingsRow {
    std::vector<std::string> values;
    std::vector<bool> null;
};

class NetworkView {
public:
    NetworkView() = default;
    NetworkView(const NetworkView&) = delete;
    NetworkView& operator=(const NetworkView&) = delete;
    NetworkView(NetworkView&&) = default;
    NetworkView& operator=(NetworkView&&) = default;

    // Reads every table the search needs for the table set in force.
    static NetworkView load(db::DatabaseSession& session, const state::NetworkTableSet& tables);

    bool is_working_set = false;  // the settings table is "routervariables"

    std::vector<DeviceRow> rout_dev;
    std::vector<DeviceRow> ospf_dev;
    InterfaceTable route_ip, ospf_ip, eigrp_ip;
    JoinedView route;          // rout_dev with route_ip
    JoinedView ospf;           // ospf_dev with ospf_ip
    JoinedView ospf_by_route;  // rout_dev with ospf_ip

    std::vector<NatDevice> nat_dev;
    std::vector<NatEntry> nat_inout;
    std::vector<NatPool> nat_pool;
    std::vector<AccessListEntry> access_list;
    std::vector<LanPair> eth_iplist;
    std::vector<Uplink> sw_riplist;

    // The settings store: its column names in table order and the rows of
    // the keys the probes read.
    std::vector<std::string> settings_columns;

    // The positions of the device columns that name searches look at: every
    // column of a loaded network, the working columns (even positions) of
    // the default network, never the key column or a pristine copy.
    std::vector<std::size_t> device_positions() const;

    const InterfaceTable& table(ProtocolView view) const;
    // The device's kind from the device table; nothing without a row.
    std::optional<int> device_kind(std::string_view device) const;
    // The encapsulation of a device's interface (int_device with int_det).
    std::optional<std::string> encapsulation(std::string_view device,
                                             std::string_view interface) const;
    // The first row of a settings key, or nothing.
    const SettingsRow* settings(std::string_view key) const;
    // The first device row of the OSPF device table with a number.
    const DeviceRow* ospf_device(const db::Value& dev_no) const;
    // The first NAT row of a device, or nothing.
    const NatDevice* nat_device(std::string_view device) const;
    // A device's NAT entries with the NAT row that owns each, in stored order.
    struct NatEntryOf {
        const NatDevice* owner;
        const NatEntry* entry;
    };
    const std::vector<NatEntryOf>& nat_entries(std::string_view device) const;

private:
    FoldedMap<int> kinds_;
    FoldedMap<std::string> encapsulations_;
    FoldedMap<SettingsRow> settings_;
    FoldedMap<const NatDevice*> nat_by_name_;
    FoldedMap<std::vector<NatEntryOf>> nat_entries_;
};

// Text of a value that the database would compare: Null reads as empty.
inline bool is_no_value(const db::Value& value) {
    if (value.is_null()) return true;
    const std::string text = value.to_text();
    return text.empty() || text == "UA";
}

// Keys compare without regard to letter case, as the tables' text does.
std::string lookup_key(std::string_view text);

}  // namespace vexlab::reachability
