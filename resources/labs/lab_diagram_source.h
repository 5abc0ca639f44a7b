#pragma once
// The network diagrams of the lab exercises.  Each picture a sublab names,
// labdiagrams/<name>.gif, is drawn from resources/labs/labdiagrams/<name>.net,
// and the lab test replays the exercises of every lab on the network that
// file describes: the picture the learner sees and the network the shown
// answers come from are one description.
//
// The file is an example network (example_network.h) whose routers' addressed
// interfaces are configured and up, with a few lines that only the drawing
// reads.  A device's place is the middle of its symbol in the picture.
//
//   title <text>                               the picture's title
//   size <width> <height>                      the picture's size in pixels
//   end <device> <interface> <x> <y> [<text>]  a cable that leaves the picture
//                                              at (x, y), where <text> is written
//   cloud <x> <y> <width> <text>               a provider's network
//   caption <x> <y> <text>                     a note
//
// The drawing labels every cable's ends with the interface and the host part
// of its address, and the cable with its network; a cable's two addressed
// ends must therefore lie in one network, and every addressed interface is
// drawn: cabled, or as a cable that leaves the picture.

#include <string>
#include <string_view>
#include <vector>

#include "example_network.h"

namespace vexlab::examples {

struct LabDiagram {
    struct LooseEnd {
        std::string device, interface;
        int x = 0, y = 0;
        std::string text;  // may be empty
    };
    struct Cloud {
        int x = 0, y = 0, width = 0;
        std::string text;
    };
    struct Caption {
        int x = 0, y = 0;
        std::string text;
    };

    ExampleNetwork network;
    std::string title;
    int width = 0, height = 0;
    std::vector<LooseEnd> loose_ends;
    std::vector<Cloud> clouds;
    std::vector<Caption> captions;
};

// Throws ExampleError naming the source and line of a fault.
LabDiagram parse_lab_diagram(std::string_view text, std::string_view source);

// "192.168.1.0/24" for 192.168.1.1 and 255.255.255.0; empty when either is
// not a dotted address.
std::string network_of(std::string_view address, std::string_view mask);

// The part of the address that the mask leaves to the host, as the diagrams
// write it: ".1" for 192.168.1.1/24, ".1.1" for 10.1.1.1/16.
std::string host_part(std::string_view address, std::string_view mask);

}  // namespace vexlab::examples
