#pragma once
// The network diagram's device picker: the host names of the network shown
// in the console, the interface addresses of one device, and the switch of
// the console to a chosen device.

#include <string>
#include <vector>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::console {

class ConsoleEngine;

// Host names of the network's devices, in the order of their settings columns.
std::vector<std::string> device_host_names(state::AppState& app);

// The device whose host name this is (the first whose "HostName" setting
// equals it exactly), or empty.
std::string device_of_host(state::AppState& app, const std::string& host);

// The details list of a device, found by its host name: the name line, then
// its interface addresses (a router or workstation) or its management
// address (a switch).  A management address "NA" reads "Unassigned" after a
// pick from the list (`picked`) and stays as stored when the window opens.
std::vector<std::string> device_details(state::AppState& app, const std::string& host, bool picked);

// Ethernet0 gives E0, Serial1 S1, FastEthernet0/1 F0/1, loopback1 l1.
std::string interface_label(const std::string& name);

// Attaches the console to the device with this host name, at its user
// prompt.  Only a listed host name is taken; any other text changes nothing
// and answers false.
bool select_device(ConsoleEngine& engine, const std::string& host);

}  // namespace vexlab::console
