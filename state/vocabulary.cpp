#include "state/vocabulary.h"

#include <ostream>

#include "platform/text.h"

namespace vexlab::state {

std::string_view prompt_suffix(CommandMode mode) {
    switch (mode) {
        case CommandMode::User:
            return ">";
        case CommandMode::Privileged:
            return "#";
        case CommandMode::Config:
            return "(config)#";
        case CommandMode::ConfigIf:
            return "(config-if)#";
        case CommandMode::ConfigSubif:
            return "(config-subif)#";
        case CommandMode::ConfigRouter:
            return "(config-router)#";
        case CommandMode::ConfigLine:
            return "(config-line)#";
        case CommandMode::ConfigController:
            return "(config-controller)#";
        case CommandMode::ConfigExtNacl:
            return "(config-ext-nacl)#";
        case CommandMode::Vlan:
            return "(vlan)#";
        case CommandMode::Pc:
            return ":";
    }
    return ">";
}

std::optional<CommandMode> command_mode(std::string_view suffix) {
    for (CommandMode mode : kCommandModes)
        if (prompt_suffix(mode) == suffix) return mode;
    return std::nullopt;
}

bool is_sub_mode(CommandMode mode) {
    switch (mode) {
        case CommandMode::ConfigRouter:
        case CommandMode::ConfigIf:
        case CommandMode::ConfigLine:
        case CommandMode::ConfigSubif:
        case CommandMode::ConfigController:
        case CommandMode::ConfigExtNacl:
            return true;
        default:
            return false;
    }
}

bool is_interface_mode(CommandMode mode) {
    return mode == CommandMode::ConfigIf || mode == CommandMode::ConfigSubif;
}

std::optional<DeviceKind> device_kind(std::int64_t number) {
    switch (number) {
        case 1:
            return DeviceKind::Router;
        case 2:
            return DeviceKind::Switch;
        case 3:
            return DeviceKind::Pc;
        default:
            return std::nullopt;
    }
}

std::optional<DeviceKind> device_kind_named(std::string_view name) {
    if (text::iequals(name, "router")) return DeviceKind::Router;
    if (text::iequals(name, "switch")) return DeviceKind::Switch;
    if (text::iequals(name, "pc")) return DeviceKind::Pc;
    return std::nullopt;
}

std::ostream& operator<<(std::ostream& out, CommandMode mode) {
    return out << prompt_suffix(mode);
}

std::ostream& operator<<(std::ostream& out, DeviceKind kind) {
    switch (kind) {
        case DeviceKind::Router:
            return out << "router";
        case DeviceKind::Switch:
            return out << "switch";
        case DeviceKind::Pc:
            return out << "pc";
    }
    return out << "device kind " << kind_number(kind);
}

}  // namespace vexlab::state
