#pragma once
// A large network for measurements: routers in a chain of serial lines,
// each with a switch on its Ethernet port and a workstation on the switch.

#include "example_network.h"

namespace vexlab::test {

// `devices` devices in all (a third each of routers, switches, workstations).
examples::ExampleNetwork generated_network(int devices);

}  // namespace vexlab::test
