#include "commands/show/show_output.h"

#include <array>

#include "commands/show/access_list_output.h"
#include "commands/show/frame_relay_output.h"
#include "commands/show/interface_output.h"
#include "commands/show/isdn_output.h"
#include "commands/show/routing_output.h"
#include "commands/show/running_config.h"
#include "commands/show/show_tables.h"
#include "commands/show/show_template.h"
#include "commands/show/startup_config.h"
#include "commands/show/switch_output.h"
#include "platform/text.h"

namespace vexlab::commands::show {

namespace {

// The keys whose block is expanded once per interface of the device.  A
// plain "show interfaces" lists them all too: read for one interface it
// would show whichever interface an earlier command left behind.
bool per_interface_key(const std::string& key) {
    return key == "show Router interfaces" || key == "show Router cdp interface" ||
           key == "show Router ip interface" || key == kLmiKey ||
           key == "show Router ip ospf interface" || key == kVirtualLinksKey;
}

// A device that has saved nothing has no startup configuration to list; a
// saved (or erased) one is listed by the template.
std::optional<std::string> unsaved_startup_config(const ShowContext& context) {
    const SettingsColumn settings(context.session, context.tables, context.device);
    const auto cell = settings.cell(kStartupConfigKey);
    if (!cell) return std::nullopt;
    const std::string saved = cell->to_text();
    if (!saved.empty() && saved != state::marker::kNill) return std::nullopt;
    return std::string(kStartupConfigNotPresent) + kCrLf;
}

// The builders that need no template: the lines they write, or nothing for
// a key they do not answer.
std::optional<std::string> listing(const std::string& key, const ShowContext& context) {
    if (key == "show Router frame-relay map") return build_frame_relay_map_output(context);
    if (key == "show Router running-config") return build_running_config_output(context);
    if (key == "show Router protocols") return build_protocols_output(context);
    if (key == "show Router ip interface brief") return build_ip_interface_brief_output(context);
    if (key == "show Router ip ospf") return build_ospf_process_output(context);
    if (key == "show Router ip ospf neighbor") return build_ospf_neighbor_output(context);
    if (key == "show Router ip ospf database") return build_ospf_database_output(context);
    if (key == "show Router ip route") return build_ip_route_output(context);
    if (key == "show Router ip nat translations") return build_nat_translations_output(context);
    if (key == "show Router access-lists") return build_access_lists_output(context);
    if (key == "show Router isdn status") return build_isdn_status_output(context);
    if (key == "show Router startup-config" || key == "show Switch startup-config")
        return unsaved_startup_config(context);
    return std::nullopt;
}

}  // namespace

std::string device_word(state::DeviceKind kind, const std::string& device_model) {
    if (kind == state::DeviceKind::Router) return "Router";
    if (kind == state::DeviceKind::Switch) return "Switch";
    return device_model;
}

std::string show_key(const std::vector<std::string>& command_words, state::DeviceKind kind,
                     const std::string& device_model) {
    const std::string w1 = command_words.size() > 1 ? command_words[1] : std::string();
    std::string key = w1 == "history" || w1 == "clock" ? std::string("show")
                                                       : "show " + device_word(kind, device_model);
    for (std::size_t i = 1; i < command_words.size(); ++i)
        if (!command_words[i].empty()) key += " " + command_words[i];
    return key;
}

std::string build_history_output(const std::vector<std::string>& history) {
    std::string text;
    for (std::size_t i = 1; i < history.size(); ++i)
        if (!history[i].empty()) text += history[i] + kCrLf;
    return text;
}

std::string build_clock_output(std::time_t now) {
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm parts{};
    localtime_r(&now, &parts);
    return std::to_string(parts.tm_hour) + ":" + std::to_string(parts.tm_min) + ":" +
           std::to_string(parts.tm_sec) + " " + kMonths[static_cast<std::size_t>(parts.tm_mon)] +
           " " + std::to_string(parts.tm_mday) + " " + std::to_string(parts.tm_year + 1900) + kCrLf;
}

ShowOutput build_show_output(std::string key, const ShowContext& context) {
    ShowOutput out;
    BlockInputs inputs;

    // The switchport listing of a port is one block for every port; the
    // port goes in front of each field name.
    if (context.word(1) == "interfaces" && context.word(2) == "FastEthernet" &&
        context.word(4) == "switchport") {
        key = kSwitchportKey;
        inputs.typed_port = context.typed_word(3);
    }
    out.current_interface = context.current_interface;
    if (out.current_interface == "loopback")
        out.current_interface += std::to_string(context.loopback_number);
    inputs.interface = out.current_interface;

    const std::vector<std::string> key_words = text::split(key, " ");
    if (key_words.size() == 4 && key_words[2] == "interfaces" && key_words[3] == "serial") {
        SerialSections sections = build_serial_sections(context, inputs.interface);
        if (sections.use_frame_relay_block) key += " framerelay";
        if (!sections.text.empty()) {
            out.text = std::move(sections.text);
            inputs.serial_sections_shown = true;
        }
    }

    std::vector<Circuit> circuits;
    if (key == "show Router frame-relay pvc") {
        circuits = frame_relay_pvc_lookup(context);
        if (circuits.empty()) {
            out.text = std::string(kNoPvcMessage) + kCrLf;
            return out;
        }
        key = kPvcBlockKey;
    }

    std::string written;
    if (key == "show history") {
        out.text += build_history_output(context.history);
    } else if (key == "show clock") {
        out.text += build_clock_output(context.now);
    } else if (key == "show Switch interfaces trunk") {
        out.text += build_trunk_output(context);
    } else if (key == "show Switch vlan") {
        out.text += build_vlan_output(context);
    } else if (auto lines = listing(key, context)) {
        written = std::move(*lines);
    } else if (per_interface_key(key)) {
        written =
            expand_template_per_interface(read_template_file(context.template_path), key, context);
    } else if (key == "show Router interfaces loopback" && loopback_disabled(context)) {
        out.text = std::string(kLoopbackDisabledMessage) + kCrLf;
        return out;
    } else {
        const auto lines = read_template_file(context.template_path);
        if (circuits.empty()) circuits.push_back({});
        for (const auto& circuit : circuits) {
            inputs.pvc_interface = circuit.interface;
            inputs.pvc_dlci = circuit.dlci;
            written += expand_template_blocks(lines, key, context, inputs);
        }
    }
    read_back(out.text, written);
    return out;
}

}  // namespace vexlab::commands::show
