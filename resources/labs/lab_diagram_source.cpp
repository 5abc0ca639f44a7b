#include "lab_diagram_source.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <sstream>

#include "platform/text.h"
#include "reachability/ipv4.h"

namespace vexlab::examples {

namespace {

std::string dotted(std::uint32_t value) {
    return std::to_string(value >> 24) + "." + std::to_string((value >> 16) & 255) + "." +
           std::to_string((value >> 8) & 255) + "." + std::to_string(value & 255);
}

// The `count` words after the verb, the last of them the rest of the line,
// which may be left out where `last_optional` says so.
std::vector<std::string> words_of(const std::string& line, std::size_t count,
                                  const std::string& where, bool last_optional = false) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    std::vector<std::string> words;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        std::string word;
        if (!(in >> word)) break;
        words.push_back(word);
    }
    std::string rest;
    std::getline(in, rest);
    rest = text::trim(rest);
    if (words.size() + 1 != count || (rest.empty() && !last_optional))
        throw ExampleError(where + ": " + verb + " takes " + std::to_string(count) + " words");
    words.push_back(rest);
    return words;
}

const ExampleInterface* find_interface(const ExampleNetwork& network, const std::string& device,
                                       const std::string& interface) {
    for (const auto& d : network.devices)
        if (d.name == device)
            for (const auto& i : d.interfaces)
                if (i.name == interface) return &i;
    return nullptr;
}

}  // namespace

std::string network_of(std::string_view address, std::string_view mask) {
    const auto ip = reachability::parse_ipv4(address);
    const auto bits = reachability::parse_ipv4(mask);
    if (!ip || !bits) return {};
    return dotted(*ip & *bits) + "/" + std::to_string(std::popcount(*bits));
}

std::string host_part(std::string_view address, std::string_view mask) {
    const auto ip = reachability::parse_ipv4(address);
    const auto bits = reachability::parse_ipv4(mask);
    if (!ip || !bits) return {};
    const std::vector<std::string> parts = text::split(dotted(*ip), ".");
    // The octets the mask does not cover whole.
    std::size_t first = 0;
    while (first < 3 && ((*bits >> (24 - 8 * first)) & 255) == 255) ++first;
    std::string host;
    for (std::size_t i = first; i < parts.size(); ++i) host += "." + parts[i];
    return host;
}

LabDiagram parse_lab_diagram(std::string_view text, std::string_view source) {
    LabDiagram diagram;
    // The network reader sees the drawing's lines as comments, so that its
    // messages keep the line numbers of the file.
    std::istringstream in{std::string(text)};
    std::string network_text, line;
    std::vector<std::pair<int, std::string>> drawing;
    for (int line_number = 1; std::getline(in, line); ++line_number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = text::trim(line);
        const std::string verb = trimmed.substr(0, trimmed.find(' '));
        const bool drawn = verb == "title" || verb == "size" || verb == "end" || verb == "cloud" ||
                           verb == "caption";
        if (drawn) drawing.emplace_back(line_number, trimmed);
        network_text += (drawn ? "#" : line) + "\n";
    }
    diagram.network = parse_example(network_text, source);
    if (diagram.network.built_in)
        throw ExampleError(std::string(source) + ": a lab diagram draws its own network");

    for (const auto& [line_number, text_line] : drawing) {
        const std::string where = std::string(source) + ":" + std::to_string(line_number);
        const std::string verb = text_line.substr(0, text_line.find(' '));
        if (verb == "title") {
            diagram.title = words_of(text_line, 1, where)[0];
        } else if (verb == "size") {
            const auto w = words_of(text_line, 2, where);
            diagram.width = whole_number(w[0], where);
            diagram.height = whole_number(w[1], where);
        } else if (verb == "end") {
            const auto w = words_of(text_line, 5, where, true);
            const ExampleInterface* interface = find_interface(diagram.network, w[0], w[1]);
            if (!interface) throw ExampleError(where + ": " + w[0] + " has no interface " + w[1]);
            if (!interface->far_device.empty())
                throw ExampleError(where + ": " + w[0] + " " + w[1] + " is cabled in the picture");
            diagram.loose_ends.push_back(
                {w[0], w[1], whole_number(w[2], where), whole_number(w[3], where), w[4]});
        } else if (verb == "cloud") {
            const auto w = words_of(text_line, 4, where);
            diagram.clouds.push_back({whole_number(w[0], where), whole_number(w[1], where),
                                      whole_number(w[2], where), w[3]});
        } else {
            const auto w = words_of(text_line, 3, where);
            diagram.captions.push_back(
                {whole_number(w[0], where), whole_number(w[1], where), w[2]});
        }
    }
    if (diagram.title.empty()) throw ExampleError(std::string(source) + ": no title");
    if (diagram.width == 0 || diagram.height == 0)
        throw ExampleError(std::string(source) + ": no size");

    for (const auto& device : diagram.network.devices)
        for (const auto& interface : device.interfaces) {
            if (!has_address(interface)) continue;
            if (interface.far_device.empty()) {
                const bool drawn = std::any_of(
                    diagram.loose_ends.begin(), diagram.loose_ends.end(), [&](const auto& end) {
                        return end.device == device.name && end.interface == interface.name;
                    });
                if (!drawn)
                    throw ExampleError(std::string(source) + ": " + device.name + " " +
                                       interface.name + " has an address but no cable to draw");
                continue;
            }
            const ExampleInterface* far =
                find_interface(diagram.network, interface.far_device, interface.far_interface);
            if (far && has_address(*far) &&
                network_of(interface.address, interface.mask) !=
                    network_of(far->address, far->mask))
                throw ExampleError(std::string(source) + ": " + device.name + " " + interface.name +
                                   " and " + interface.far_device + " " + interface.far_interface +
                                   " are not in one network");
        }
    return diagram;
}

}  // namespace vexlab::examples
