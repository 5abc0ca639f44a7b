#pragma once
// Example networks shipped with the program, written the way the designer
// draws them: devices at a place on the canvas, their interfaces (every
// interface of the model), the cables between them, addresses and Frame
// Relay subinterfaces.  The source is a small text:
//
//   # a comment
//   description <a line of the network's description>   (one per line)
//   device <name> <model> <x> <y>
//   interface <device> <interface>        an interface the model lacks (a slot card)
//   address <device> <interface> <address> <mask>
//   link <device> <interface> <device> <interface>
//   subinterface <device> <interface> <n> <device> <interface> <m>
//   setting <device> <key> = <value>
//   builtin                                the program's built-in network
//
// export_text() turns a network into the file the designer's export writes,
// with the program's own network file writer, so the shipped examples always
// fit the tables of the build they ship with.  A source that says "builtin"
// (and nothing else) is the network the console starts with: its file is
// written from the database's shipped copy of that network, so it cannot
// drift from it.

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::examples {

struct ExampleInterface {
    std::string name;
    std::string address;  // empty: none; "NA" on a switch port
    std::string mask;
    bool management = false;  // a switch's own interface: no cable, no routing row
    std::string far_device;   // empty: not cabled
    std::string far_interface;
};

struct ExampleSubinterface {
    std::string interface;
    int number = 0;
    std::string far_device;
    std::string far_interface;
    int far_number = 0;
};

struct ExampleDevice {
    std::string name;
    std::string model;
    int x = 0;
    int y = 0;
    std::vector<ExampleInterface> interfaces;
    std::vector<ExampleSubinterface> subinterfaces;
    std::vector<std::pair<std::string, std::string>> settings;
};

struct ExampleNetwork {
    bool built_in = false;
    std::vector<std::string> description;
    std::vector<ExampleDevice> devices;
};

class ExampleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A word of a line that must be a whole number from 0 up; throws
// ExampleError naming `where` for anything else.
int whole_number(const std::string& word, const std::string& where);

// Whether the interface has an address (switch ports read "NA").
bool has_address(const ExampleInterface& interface);

// The interfaces a device of the model starts with.
std::vector<ExampleInterface> model_interfaces(std::string_view model);

// Throws ExampleError naming the source and line of a fault.
ExampleNetwork parse_example(std::string_view text, std::string_view source);

// The exported network file.  `scratch` is a database with the program's
// schema and its config_template; the working routing tables there serve as
// scratch space, as they do for the designer.  The built-in network is read
// from the shipped copy that the database keeps of it.
std::string export_text(db::DatabaseSession& scratch, const ExampleNetwork& network);

// The short label of an interface as the designer prints it at a cable's
// end: "FastEthernet0/5" gives "F0/5", "Serial0" gives "S0".
std::string short_label(std::string_view interface);

}  // namespace vexlab::examples
