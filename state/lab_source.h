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

#include <string>
#include <vector>

#include "state/table_text.h"

namespace vexlab::state {

struct LabSource {
    std::string name;  // for messages: the file's path under resources/
    std::string text;
};

// Throws TableTextError naming the source and line.
std::vector<TableRows> compile_lab_sources(const std::vector<LabSource>& sources);

}  // namespace vexlab::state
