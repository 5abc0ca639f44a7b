#pragma once
// The lab exercises as they are written in resources/labs/*.lab, turned into
// rows of the lab tables (labs, sublab, instructions, comrestble):
//
//   lab 3 | RIP
//
//   sublab RIP between two routers
//   picture labdiagrams/two-routers.gif
//   description First line of the description.
//   description Every further line adds a line.
//   card title RIP
//   card First line of the flash card.
//   card Every further line adds a line.
//
//   step R1 | Enter privileged mode.
//       > | enable | #
//   step R1 | Look at the routing table.
//       # | show ip route | #
//       = Codes: C - connected, S - static, R - RIP
//       = (each "=" line is a line of the response; "=" alone an empty one)
//
// A command line is indented: "prompt | command | prompt after", the prompt
// suffix at which the command is typed (empty for the menu console of S1
// and S3) and the one the console shows after it.  A comment starts with
// "#" in the first column ("#" further in is the privileged prompt).
// Sublabs, steps and commands are numbered in the order of the files (by
// name) and of their lines; an optional text left out is stored as "nill".
//
// The compiler refuses, naming the file and line, what a learner could not
// complete: a command that is not written as the console compares it (one
// blank between words), a prompt that is not a mode of the devices, a
// device the labs do not know, a step without commands, a command typed at
// another prompt than the one its device shows at that point, two equal
// commands in a row of which the first leads to the prompt of the second
// (one Enter would complete both), and a sublab that moves to another
// device but has no picture to choose it in.
//
// The lab console prints whatever a sublab says, so the test suite holds the
// shipped sublabs to the simulator's console as well
// (tests/lab_content_test.cpp).  The sublabs of a lab all show one picture,
// and its description (resources/labs/lab_diagram_source.h) is the network
// the lab's sublabs are typed into, in order, so that a sublab finds what the
// earlier ones configured.  Each expected command must be accepted there,
// lead to the prompt the sublab names and answer with the response the
// sublab shows, times of day aside.  A sublab starts at the first prompt of
// its first device, and a device chosen in the diagram at its first prompt,
// as the simulator's picker has it.

#include <string>
#include <string_view>
#include <vector>

#include "state/table_text.h"

namespace vexlab::state {

struct LabSource {
    std::string name;  // for messages: the file's path under resources/
    std::string text;
};

// The devices the exercises are written for, as their pictures draw them.
// S1 and S3 are 1900 switches, whose console opens on a menu.
struct LabDevice {
    std::string_view name;
    std::string_view model;
};
const std::vector<LabDevice>& lab_devices();

// The lab text as written, each part with the line it stands on.
struct LabCommand {
    std::string command, comprompt, resprompt;  // a prompt suffix, empty for the menu
    std::vector<std::string> response;          // one entry per line; none: no response
    int line = 0;
};

struct LabStep {
    std::string device, instruction;
    std::vector<LabCommand> commands;
    int line = 0;
};

struct LabSublab {
    std::string source;  // the LabSource's name
    std::string name, picture;
    std::vector<std::string> description, card;
    std::string card_title;
    int lab = 0;
    std::vector<LabStep> steps;
    int line = 0;
};

// The sublabs of every source, in order, once the rules below hold.
// Throws TableTextError naming the source and line.
std::vector<LabSublab> read_lab_sources(const std::vector<LabSource>& sources);

// The rows of the lab tables.  Throws TableTextError naming the source and line.
std::vector<TableRows> compile_lab_sources(const std::vector<LabSource>& sources);

}  // namespace vexlab::state
