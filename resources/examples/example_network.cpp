#include "example_network.h"

#include <charconv>
#include <sstream>

#include "console/console_engine.h"
#include "networkfiles/network_file_writer.h"
#include "platform/db_session.h"
#include "platform/db_value.h"
#include "platform/text.h"
#include "state/database_builder.h"
#include "state/table_set.h"

namespace vexlab::examples {

namespace {

using db::Value;

std::vector<ExampleInterface> named(std::initializer_list<std::string> names) {
    std::vector<ExampleInterface> list;
    for (const auto& name : names) list.push_back({name, "", "", false, "", ""});
    return list;
}

// Switch ports take no address.
void add_ports(std::vector<ExampleInterface>& list, const std::string& prefix, int first,
               int last) {
    for (int n = first; n <= last; ++n)
        list.push_back({prefix + std::to_string(n), "NA", "NA", false, "", ""});
}

ExampleDevice& device_named(ExampleNetwork& network, const std::string& name,
                            const std::string& where) {
    for (auto& device : network.devices)
        if (device.name == name) return device;
    throw ExampleError(where + ": no device " + name);
}

ExampleInterface& interface_named(ExampleDevice& device, const std::string& name,
                                  const std::string& where) {
    for (auto& interface : device.interfaces)
        if (interface.name == name) return interface;
    throw ExampleError(where + ": " + device.name + " has no interface " + name);
}

}  // namespace

int whole_number(const std::string& word, const std::string& where) {
    int number = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (error != std::errc() || end != word.data() + word.size() || number < 0)
        throw ExampleError(where + ": not a number: " + word);
    return number;
}

bool has_address(const ExampleInterface& interface) {
    return !interface.address.empty() && interface.address != "NA";
}

std::vector<ExampleInterface> model_interfaces(std::string_view model) {
    std::vector<ExampleInterface> list;
    if (model == "2501" || model == "2503") {
        list = named({"Ethernet0", "Serial0", "Serial1"});
        if (model == "2503") list.push_back({"BRI0", "", "", false, "", ""});
    } else if (model == "2610") {
        list = named({"Ethernet0/0"});
    } else if (model == "2620") {
        list = named({"FastEthernet0/0"});
    } else if (model == "2950") {
        add_ports(list, "FastEthernet0/", 1, 12);
        list.push_back({"FastEthernet1", "", "", true, "", ""});
    } else if (model == "1912") {
        add_ports(list, "Ethernet0/", 1, 12);
        add_ports(list, "FastEthernet0/", 26, 27);
        list.push_back({"Ethernet0", "", "", true, "", ""});
    } else if (model == "PC") {
        list = named({"Ethernet0"});
    }
    return list;
}

ExampleNetwork parse_example(std::string_view text, std::string_view source) {
    ExampleNetwork network;
    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string where = std::string(source) + ":" + std::to_string(number);
        const std::string trimmed = text::trim(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        std::istringstream words(trimmed);
        std::string verb;
        words >> verb;
        std::vector<std::string> args;
        for (std::string word; words >> word;) args.push_back(word);
        auto need = [&](std::size_t count) {
            if (args.size() != count)
                throw ExampleError(where + ": " + verb + " takes " + std::to_string(count) +
                                   " words");
        };
        if (verb == "builtin") {
            need(0);
            network.built_in = true;
        } else if (verb == "description") {
            network.description.push_back(text::trim(trimmed.substr(verb.size())));
        } else if (verb == "device") {
            need(4);
            if (model_interfaces(args[1]).empty())
                throw ExampleError(where + ": unknown model " + args[1]);
            for (const auto& other : network.devices)
                if (text::iequals(other.name, args[0]))
                    throw ExampleError(where + ": " + args[0] + " is named twice");
            network.devices.push_back({args[0],
                                       args[1],
                                       whole_number(args[2], where),
                                       whole_number(args[3], where),
                                       model_interfaces(args[1]),
                                       {},
                                       {}});
        } else if (verb == "interface") {
            need(2);
            device_named(network, args[0], where)
                .interfaces.push_back({args[1], "", "", false, "", ""});
        } else if (verb == "address") {
            need(4);
            auto& interface =
                interface_named(device_named(network, args[0], where), args[1], where);
            interface.address = args[2];
            interface.mask = args[3];
        } else if (verb == "link") {
            need(4);
            auto& a = interface_named(device_named(network, args[0], where), args[1], where);
            auto& b = interface_named(device_named(network, args[2], where), args[3], where);
            if (a.management || b.management)
                throw ExampleError(where + ": a switch's own interface takes no cable");
            a.far_device = args[2];
            a.far_interface = args[3];
            b.far_device = args[0];
            b.far_interface = args[1];
        } else if (verb == "subinterface") {
            need(6);
            auto& a = device_named(network, args[0], where);
            auto& b = device_named(network, args[3], where);
            interface_named(a, args[1], where);
            interface_named(b, args[4], where);
            const int n = whole_number(args[2], where), m = whole_number(args[5], where);
            a.subinterfaces.push_back({args[1], n, args[3], args[4], m});
            b.subinterfaces.push_back({args[4], m, args[0], args[1], n});
        } else if (verb == "setting") {
            const auto eq = trimmed.find(" = ");
            if (args.size() < 3 || eq == std::string::npos)
                throw ExampleError(where + ": setting <device> <key> = <value>");
            device_named(network, args[0], where)
                .settings.emplace_back(args[1], trimmed.substr(eq + 3));
        } else {
            throw ExampleError(where + ": unknown line " + verb);
        }
    }
    if (network.built_in) {
        if (!network.devices.empty() || !network.description.empty())
            throw ExampleError(std::string(source) +
                               ": the built-in network takes no devices or description");
        return network;
    }
    if (network.devices.empty()) throw ExampleError(std::string(source) + ": no device");
    return network;
}

std::string short_label(std::string_view interface) {
    auto shorten = [interface](std::string_view part) -> std::string {
        if (part.size() <= 1) return std::string(part);
        char last = part.back();
        if (last < '1' || last > '9') last = interface.back();
        return std::string(1, part.front()) + last;
    };
    const std::size_t slash = interface.find('/');
    if (slash == std::string_view::npos) return shorten(interface);
    const std::string_view before = interface.substr(0, slash);
    std::string label;
    if (!before.empty()) label = std::string(1, before.front()) + before.back();
    return label + "/" + shorten(interface.substr(slash + 1));
}

namespace {

// The built-in network as an exported network file: the devices in their
// numbered order with their shipped settings, the shipped routing views and
// the console's description of the network.
std::string built_in_export_text(db::DatabaseSession& session) {
    // The shipped copies, not the default tables themselves: those are the
    // ones the console's commands change.
    const state::NetworkTableSet set = state::NetworkTableSet::default_set();
    networkfiles::NetworkFileWriter writer;

    // The devices in their numbered order, so the first is the one the
    // console starts on, each with its pristine settings.
    db::Recordset devices =
        session.open_recordset("SELECT Dev_cat, Device_Name FROM " +
                               db::quote_identifier("device_def") + " ORDER BY rowid");
    db::Recordset settings = session.open_recordset(
        "SELECT * FROM " + db::quote_identifier(set.routervariables_table) + " ORDER BY rowid");
    for (; !devices.eof(); devices.move_next()) {
        const std::string name = devices.text(1);
        const auto column = settings.field_index(state::pristine_column(name));
        if (!column) throw ExampleError("the built-in network has no settings for " + name);
        writer.line("<" + devices.text(0) + ">");
        writer.line("[" + name + "]");
        for (settings.move_first(); !settings.eof(); settings.move_next())
            writer.line(settings.text(0) + ":" + settings.text(*column));
    }

    writer.routing_view(session, networkfiles::RoutingView::Routing,
                        state::seed_table(set.rout_dev_table),
                        state::seed_table(set.route_ip_table));
    writer.routing_view(session, networkfiles::RoutingView::Ospf,
                        state::seed_table(set.ospf_dev_table),
                        state::seed_table(set.ospf_ip_table));
    writer.routing_view(session, networkfiles::RoutingView::Eigrp,
                        state::seed_table(set.eigrp_dev_table),
                        state::seed_table(set.eigrp_ip_table));
    writer.description(console::default_network_description());
    writer.line(networkfiles::kSubinterfaceHeader);
    return writer.take();
}

}  // namespace

std::string export_text(db::DatabaseSession& scratch, const ExampleNetwork& network) {
    if (network.built_in) return built_in_export_text(scratch);
    db::DatabaseSession::Transaction transaction(scratch);
    for (const char* table :
         {"rout_dev", "route_ip", "ospf_dev", "ospf_ip", "eigrp_dev", "eigrp_ip"})
        scratch.execute("DELETE FROM " + db::quote_identifier(table));

    networkfiles::NetworkFileWriter writer;

    // Device blocks: every template key with its default, the host name, and
    // the address keys of every interface that can take an address.
    db::Recordset keys =
        scratch.open_recordset("SELECT Config_Variable, default_value FROM " +
                               db::quote_identifier("config_template") + " ORDER BY rowid");
    for (const auto& device : network.devices) {
        writer.line("<" + device.model + ">");
        writer.line("[" + device.name + "]");
        for (keys.move_first(); !keys.eof(); keys.move_next()) {
            const std::string key = keys.text(0);
            std::string value = keys.text(1);
            if (text::iequals(key, "hostname")) value = device.name;
            for (const auto& interface : device.interfaces) {
                if (interface.address == "NA") continue;
                const bool unassigned = interface.address.empty();
                if (text::iequals(key, interface.name + "_ip_address"))
                    value = unassigned ? "Unassigned" : interface.address;
                if (text::iequals(key, interface.name + "_dec_mask"))
                    value = unassigned ? "Unassigned" : interface.mask;
            }
            for (const auto& [setting, setting_value] : device.settings)
                if (text::iequals(key, setting)) value = setting_value;
            writer.line(key + ":" + value);
        }
    }

    // The routing views as scratch rows: every interface but a switch's own,
    // then one row per subinterface facing its far end.
    int number = 0, index = 0;
    for (const auto& device : network.devices) {
        ++number;
        for (const char* table : {"rout_dev", "ospf_dev", "eigrp_dev"})
            scratch.execute(
                "INSERT INTO " + db::quote_identifier(table) + " (dev_no, dev_name) VALUES (?, ?)",
                {Value(number), Value(device.name)});
    }
    auto add_row = [&](const std::vector<std::string>& columns, const std::vector<Value>& values) {
        std::string list, marks;
        for (const auto& column : columns) {
            list += (list.empty() ? "" : ", ") + db::quote_identifier(column);
            marks += marks.empty() ? "?" : ", ?";
        }
        for (const char* table : {"route_ip", "ospf_ip", "eigrp_ip"})
            scratch.execute("INSERT INTO " + db::quote_identifier(table) + " (" + list +
                                ") VALUES (" + marks + ")",
                            values);
    };
    number = 0;
    for (const auto& device : network.devices) {
        ++number;
        for (const auto& interface : device.interfaces) {
            if (interface.management) continue;
            const bool cabled = !interface.far_device.empty();
            add_row(
                {"int_name", "ip", "mask", "next_hop_devname", "next_hop_intname", "ref", "index"},
                {Value(interface.name), Value(interface.address.empty() ? "UA" : interface.address),
                 Value(interface.mask.empty() ? "UA" : interface.mask),
                 Value(cabled ? interface.far_device : "UA"),
                 Value(cabled ? interface.far_interface : "UA"), Value(number), Value(++index)});
        }
    }
    number = 0;
    for (const auto& device : network.devices) {
        ++number;
        for (const auto& sub : device.subinterfaces)
            add_row(
                {"int_name", "next_hop_devname", "next_hop_intname", "ref"},
                {Value(sub.interface + "." + std::to_string(sub.number)), Value(sub.far_device),
                 Value(sub.far_interface + "." + std::to_string(sub.far_number)), Value(number)});
    }

    writer.routing_view(scratch, networkfiles::RoutingView::Routing, "rout_dev", "route_ip");
    writer.routing_view(scratch, networkfiles::RoutingView::Ospf, "ospf_dev", "ospf_ip");
    writer.routing_view(scratch, networkfiles::RoutingView::Eigrp, "eigrp_dev", "eigrp_ip");

    std::string description;
    for (const auto& line : network.description)
        description += (description.empty() ? "" : "\r\n") + line;
    writer.description(network.description.empty() ? " " : description);

    writer.line(networkfiles::kSubinterfaceHeader);
    for (const auto& device : network.devices)
        for (const auto& sub : device.subinterfaces)
            writer.subinterface(device.name, sub.interface, Value(sub.number));
    return writer.take();
}

}  // namespace vexlab::examples
