#include "console/default_network.h"

#include "networkfiles/default_tables.h"
#include "platform/db_session.h"
#include "state/app_state.h"
#include "state/devices.h"
#include "state/settings.h"

namespace vexlab::console {

namespace {

// Chooses the start device into `device`, reading the tables just reset.
void choose_start_device(state::AppState& app, SimulatorMode mode, state::ConsoleDevice& device) {
    switch (mode) {
        case SimulatorMode::Network: {
            const auto devices = state::device_columns(app);
            if (devices.empty())
                throw DefaultNetworkError("the default network's settings name no device");
            device.current_device = devices.front();
            device.host_name =
                state::read_setting(app, "HostName", device.current_device).value_or("");
            device.home_host_name = device.host_name;
            device.home_device = device.current_device;
            break;
        }
        case SimulatorMode::Router:
            device.current_device = device.host_name = "R1";
            device.device_kind = state::DeviceKind::Router;
            break;
        case SimulatorMode::Switch:
            device.current_device = device.host_name = "2950";
            device.device_kind = state::DeviceKind::Switch;
            break;
    }
    // The router and switch simulators have a device to come back to only
    // once a telnet session leaves one; the home device of an earlier
    // network simulator is not theirs.
    if (mode != SimulatorMode::Network) {
        device.home_host_name.clear();
        device.home_device.clear();
    }
    if (auto record = state::find_device(app.session, device.current_device)) {
        device.device_kind = record->kind;
        device.device_model = record->model;
    }
}

DefaultStart start_for(SimulatorMode mode) {
    switch (mode) {
        case SimulatorMode::Router:
            return {mode, "Router Simulator", false};
        case SimulatorMode::Switch:
            return {mode, "Switch Simulator", false};
        case SimulatorMode::Network:
            break;
    }
    return {SimulatorMode::Network, "Network Simulator", true};
}

}  // namespace

SimulatorMode simulator_mode(const state::OpenModeFlags& flags) {
    if (flags.start_as_router) return SimulatorMode::Router;
    if (flags.start_as_switch) return SimulatorMode::Switch;
    return SimulatorMode::Network;
}

DefaultStart set_default(state::AppState& app) {
    // Resetting the default tables while a loaded network is shown would
    // attach the console to a device of the wrong network.
    if (!app.table_set.is_default())
        throw DefaultNetworkError("the default network is not the one in force");
    const SimulatorMode mode = simulator_mode(app.open_mode);
    state::ConsoleDevice device = app.console.device;
    {
        db::DatabaseSession::Transaction transaction(app.session);
        try {
            networkfiles::reset_default_tables(app);
        } catch (const networkfiles::MissingSeedError& error) {
            throw DefaultNetworkError(error.what());
        }
        choose_start_device(app, mode, device);
        transaction.commit();
    }
    // The console follows only a reset that took place.
    app.console.device = device;
    return start_for(mode);
}

}  // namespace vexlab::console
