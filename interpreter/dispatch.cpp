#include "interpreter/dispatch.h"

#include <functional>
#include <vector>

#include "commands/config/interface_addressing.h"
#include "commands/config/subinterfaces.h"
#include "platform/text.h"
#include "state/app_state.h"

namespace vexlab::interpreter {

namespace {

using state::AppState;

struct Line {
    const std::array<std::string, kCommandWords>& w;  // canonical words
    std::vector<std::string> typed;                   // the typed words
    std::string type;                                 // interface type
    const std::string& typed_word(std::size_t i) const {
        static const std::string none;
        return i < typed.size() ? typed[i] : none;
    }
};

Line read_line(const AppState& app) {
    return Line{app.interp.command_words, text::split(app.interp.command_line, " "),
                interface_type(app.console.mode.current_interface)};
}

bool frame_relay_map(const Line& l) {
    return l.w[0] == "frame-relay" && l.w[1] == "map";
}
bool no_frame_relay_map(const Line& l) {
    return l.w[0] == "no" && (l.w[1] == "frame-relay" || l.w[1] == "frame") && l.w[2] == "map";
}
bool interface_dlci(const Line& l) {
    return l.w[0] == "frame-relay" && l.w[1] == "interface-dlci";
}

// The network line's word count must fit the routing process: one network
// for RIP and EIGRP, network, wildcard, "area" and area for OSPF.
bool network_length_wrong(const AppState& app, const Line& l) {
    const auto& protocol = app.console.mode.routing_protocol;
    if (protocol == "r" || protocol == "e") return l.typed.size() > 2;
    if (protocol == "o") return l.typed.size() <= 2;
    return false;
}

void refuse(AppState& app) {
    app.interp.command_found = false;
}

// Entering an interface: the prefix of its setting keys and the interface
// being configured, with the guards that keep a main interface and its
// subinterfaces apart.
void interface_entry(AppState& app, const Line& l) {
    auto& mode = app.console.mode;
    if (app.console.device.device_kind == state::kSwitch) {
        mode.config_prefix = l.w[1] + l.typed_word(2);
        mode.switch_port = l.typed_word(2);
        return;
    }
    if (l.w[1] == "serial" && l.w[3] == "point-to-point") {
        mode.config_prefix = "serial" + mode.interface_number;
        if (commands::has_int_ip(app)) {
            mode.mode_suffix = "(config)#";
            mode.current_interface.clear();
            mode.config_prefix = "nill";
            app.console.output.response_text =
                "Please remove the IP address and manual resolution for the interface to "
                "configure subinterface";
            return;
        }
        mode.mode_suffix = "(config-subif)#";
        commands::create_subinterface(app);
        return;
    }
    if (!l.w[2].empty()) {
        mode.config_prefix = l.w[1] + l.w[2];
        mode.current_interface = mode.config_prefix;
    } else if (!mode.current_interface.empty()) {
        // The number was an argument: its check chose the interface, and the
        // setting keys of the interface follow it.
        mode.config_prefix = mode.current_interface;
    }
    if (commands::has_subinterfaces(app)) {
        mode.mode_suffix = "(config)#";
        mode.config_prefix = "nill";
        mode.current_interface.clear();
        app.console.output.response_text =
            "Please remove the subinterfaces before you configure an interface";
    }
    mode.interface_number.clear();
    mode.subinterface_number.clear();
}

struct DispatchRow {
    std::function<bool(const AppState&, const Line&)> test;
    std::function<void(AppState&, const Line&)> action;
};

// In order: the first row whose test holds acts.
const std::vector<DispatchRow>& dispatch_table() {
    static const std::vector<DispatchRow> rows = {
        {[](const AppState&, const Line& l) { return l.w[0] == "interface"; }, interface_entry},
        {[](const AppState&, const Line& l) { return l.w[0] == "line"; },
         [](AppState& app, const Line& l) { app.console.mode.config_prefix = l.w[0] + l.w[1]; }},
        {[](const AppState&, const Line& l) { return l.w[0] == "network"; },
         [](AppState& app, const Line& l) {
             if (network_length_wrong(app, l)) refuse(app);
         }},
        {[](const AppState&, const Line& l) { return l.w[0] == "router"; },
         [](AppState& app, const Line& l) {
             auto& protocol = app.console.mode.routing_protocol;
             if (l.w[1] == "rip")
                 protocol = "r";
             else if (l.w[1] == "ospf")
                 protocol = "o";
             else if (l.w[1] == "eigrp")
                 protocol = "e";
         }},
        {[](const AppState&, const Line& l) { return frame_relay_map(l) && l.type != "serial"; },
         [](AppState& app, const Line&) { refuse(app); }},
        {[](const AppState&, const Line& l) { return no_frame_relay_map(l) && l.type != "serial"; },
         [](AppState& app, const Line&) { refuse(app); }},
        {[](const AppState&, const Line& l) { return interface_dlci(l) && l.type != "serial"; },
         [](AppState& app, const Line&) { refuse(app); }},
        // A workstation's one interface loses its address with the keys.
        {[](const AppState& app, const Line& l) {
             return l.w[0] == "no" && l.w[1] == "ip" && l.w[2] == "address" &&
                    app.console.device.device_kind == state::kPc;
         },
         [](AppState& app, const Line&) {
             const auto& mode = app.console.mode;
             commands::clear_int_ip(
                 app, app.console.device.current_device,
                 mode.current_interface.empty() ? "ethernet0" : mode.current_interface);
         }},
    };
    return rows;
}

}  // namespace

std::string interface_type(const std::string& current_interface) {
    if (current_interface.empty()) return {};
    auto slash = current_interface.find('/');
    std::string base =
        slash == std::string::npos ? current_interface : current_interface.substr(slash + 1);
    if (!base.empty()) base.pop_back();
    return base;
}

bool dispatch_refuses(AppState& app) {
    const Line line = read_line(app);
    if ((frame_relay_map(line) || no_frame_relay_map(line) || interface_dlci(line)) &&
        line.type != "serial")
        return true;
    return line.w[0] == "network" && network_length_wrong(app, line);
}

void dispatch_command(AppState& app) {
    const Line line = read_line(app);
    for (const auto& row : dispatch_table())
        if (row.test(app, line)) {
            row.action(app, line);
            return;
        }
}

}  // namespace vexlab::interpreter
