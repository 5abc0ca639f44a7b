#include "state/lab_source.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/text.h"
#include "state/vocabulary.h"

namespace vexlab::state {

namespace {

constexpr const char* kCrLf = "\r\n";

const std::set<std::string> kPrompts = {">",
                                        "#",
                                        "(config)#",
                                        "(config-if)#",
                                        "(config-subif)#",
                                        "(config-router)#",
                                        "(config-line)#",
                                        "(config-controller)#",
                                        "(config-ext-nacl)#",
                                        "(vlan)#",
                                        ":"};

bool menu_switch(const std::string& device) {
    return device == "S1" || device == "S3";
}

using Command = LabCommand;
using Step = LabStep;
using Sublab = LabSublab;

bool known_device(std::string_view name) {
    const auto& devices = lab_devices();
    return std::any_of(devices.begin(), devices.end(),
                       [&](const LabDevice& d) { return d.name == name; });
}

class Compiler {
public:
    void read(const LabSource& source);
    // The sublabs read, once each holds to the rules; throws TableTextError.
    const std::vector<Sublab>& checked_sublabs() const;
    std::vector<TableRows> rows() const;

private:
    [[noreturn]] void fail(int line, const std::string& why) const { fail(source_, line, why); }
    [[noreturn]] static void fail(const std::string& source, int line, const std::string& why) {
        throw TableTextError(source + ":" + std::to_string(line) + ": " + why);
    }
    void keyword_line(const std::string& line, int number);
    void command_line(const std::string& line, int number);
    void response_line(const std::string& line, int number);
    void check(const Sublab& sublab) const;
    Sublab& sublab(int number);
    Step& step(int number);

    std::string source_;
    std::map<int, std::string> labs_;
    std::map<int, std::pair<std::string, int>> lab_lines_;  // index -> source, line
    std::vector<Sublab> sublabs_;
    std::map<std::string, std::string> sublab_names_;  // name -> where
    int lab_ = 0;
    bool in_sublab_ = false;
};

// "key rest": the rest after the keyword and its blank.
bool starts(const std::string& line, const std::string& key, std::string& rest) {
    if (line == key) {
        rest.clear();
        return true;
    }
    if (line.compare(0, key.size() + 1, key + " ") != 0) return false;
    rest = text::trim(line.substr(key.size() + 1));
    return true;
}

void Compiler::read(const LabSource& source) {
    source_ = source.name;
    lab_ = 0;
    in_sublab_ = false;
    int number = 0;
    for (std::string line : text::split(source.text, "\n")) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = text::trim(line, " \t");
        // "#" is also the privileged prompt, so only a line that starts
        // with it is a comment.
        if (trimmed.empty() || line[0] == '#') continue;
        if (line[0] != ' ' && line[0] != '\t')
            keyword_line(trimmed, number);
        else if (trimmed[0] == '=')
            response_line(trimmed, number);
        else
            command_line(trimmed, number);
    }
}

Sublab& Compiler::sublab(int number) {
    if (!in_sublab_) fail(number, "this line belongs to a sublab; write \"sublab <name>\" first");
    return sublabs_.back();
}

Step& Compiler::step(int number) {
    Sublab& s = sublab(number);
    if (s.steps.empty()) fail(number, "a command belongs to a step; write \"step\" first");
    return s.steps.back();
}

void Compiler::keyword_line(const std::string& line, int number) {
    std::string rest;
    if (starts(line, "lab", rest)) {
        const auto cells = text::split(rest, "|");
        if (cells.size() != 2) fail(number, "write \"lab <number> | <name>\"");
        const std::string digits = text::trim(cells[0]);
        int index = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') fail(number, "the lab number must be 1 to 10");
            index = index * 10 + (c - '0');
            if (index > 10) break;
        }
        if (digits.empty() || index < 1 || index > 10)
            fail(number, "the lab number must be 1 to 10");
        if (labs_.count(index))
            fail(number, "lab " + digits + " is already defined at " + lab_lines_[index].first +
                             ":" + std::to_string(lab_lines_[index].second));
        labs_[index] = text::trim(cells[1]);
        lab_lines_[index] = {source_, number};
        lab_ = index;
        in_sublab_ = false;
    } else if (starts(line, "sublab", rest)) {
        if (lab_ == 0) fail(number, "a sublab belongs to a lab; write \"lab\" first");
        if (rest.empty()) fail(number, "the sublab needs a name");
        if (auto it = sublab_names_.find(rest); it != sublab_names_.end())
            fail(number, "sublab \"" + rest + "\" is already defined at " + it->second);
        sublab_names_[rest] = source_ + ":" + std::to_string(number);
        Sublab s;
        s.source = source_;
        s.name = rest;
        s.lab = lab_;
        s.line = number;
        sublabs_.push_back(std::move(s));
        in_sublab_ = true;
    } else if (starts(line, "picture", rest)) {
        sublab(number).picture = rest;
    } else if (starts(line, "description", rest)) {
        sublab(number).description.push_back(rest);
    } else if (starts(line, "card title", rest)) {
        sublab(number).card_title = rest;
    } else if (starts(line, "card", rest)) {
        sublab(number).card.push_back(rest);
    } else if (starts(line, "step", rest)) {
        Sublab& s = sublab(number);
        const auto bar = rest.find('|');
        if (bar == std::string::npos) fail(number, "write \"step <device> | <instruction>\"");
        Step st;
        st.device = text::trim(rest.substr(0, bar));
        st.instruction = text::trim(rest.substr(bar + 1));
        st.line = number;
        if (!known_device(st.device)) fail(number, "unknown device \"" + st.device + "\"");
        if (st.instruction.empty()) fail(number, "the step needs an instruction");
        s.steps.push_back(std::move(st));
    } else {
        fail(number, "unknown line; expected lab, sublab, picture, description, card, step");
    }
}

void Compiler::command_line(const std::string& line, int number) {
    Step& st = step(number);
    const auto cells = text::split(line, "|");
    if (cells.size() != 3) fail(number, "write \"<prompt> | <command> | <prompt after>\"");
    Command c;
    c.comprompt = text::trim(cells[0]);
    c.command = text::trim(cells[1]);
    c.resprompt = text::trim(cells[2]);
    c.line = number;
    for (const std::string* prompt : {&c.comprompt, &c.resprompt})
        if (!prompt->empty() && !kPrompts.count(*prompt))
            fail(number, "\"" + *prompt + "\" is not a prompt suffix of the devices");
    if (c.command.empty()) fail(number, "the command is empty");
    if (c.command.find("  ") != std::string::npos || c.command.find('\t') != std::string::npos)
        fail(number, "write the command with one blank between words, as the console compares it");
    if (c.command.rfind("hostname", 0) == 0 && text::split(c.command, " ").size() < 2)
        fail(number, "hostname needs the new name");
    st.commands.push_back(std::move(c));
}

void Compiler::response_line(const std::string& line, int number) {
    Step& st = step(number);
    if (st.commands.empty()) fail(number, "a response line follows its command");
    std::string text = line.substr(1);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    st.commands.back().response.push_back(std::move(text));
}

// Walks the sublab as the learner would: a step on the device the console
// is on goes on from the prompt the last command left; a step on another
// device is reached through the diagram, which hands the console the
// prompt of that step's first command.
void Compiler::check(const Sublab& s) const {
    if (s.steps.empty()) fail(s.source, s.line, "sublab \"" + s.name + "\" has no steps");
    for (const Step& st : s.steps) {
        if (st.commands.empty()) fail(s.source, st.line, "the step has no commands");
        // The learner changes device in the network diagram, which a sublab
        // without a picture does not offer.
        if (st.device != s.steps.front().device && s.picture.empty())
            fail(s.source, st.line, "the sublab moves to another device, so it needs a picture");
    }
    std::string device = s.steps.front().device;
    std::string suffix = menu_switch(device) ? "" : ">";
    const Command* previous = nullptr;
    for (const Step& st : s.steps) {
        if (st.device != device) {
            device = st.device;
            suffix = st.commands.front().comprompt;
            previous = nullptr;
        }
        for (const Command& c : st.commands) {
            if (c.comprompt != suffix)
                fail(s.source, c.line,
                     "typed at \"" + c.comprompt + "\", but " + device + " shows \"" + suffix +
                         "\" here");
            if (previous && text::iequals(previous->command, c.command))
                fail(s.source, c.line,
                     "the command before it is the same and leads to this prompt: one "
                     "Enter would complete both");
            suffix = c.resprompt;
            previous = &c;
        }
    }
}

const std::vector<Sublab>& Compiler::checked_sublabs() const {
    for (const Sublab& s : sublabs_) check(s);
    return sublabs_;
}

std::vector<TableRows> Compiler::rows() const {
    TableRows labs{"labs", {"index", "labname"}, {}, {}};
    for (const auto& [index, name] : labs_) {
        labs.rows.push_back({std::to_string(index), name});
        labs.lines.push_back(lab_lines_.at(index).second);
    }
    TableRows sublab{
        "sublab",
        {"index", "sublabnane", "networkpath", "description", "flashcard", "flashcardtitle", "ref"},
        {},
        {}};
    TableRows instructions{
        "instructions", {"index", "instruction", "ref", "flashcard", "spare", "device"}, {}, {}};
    TableRows commands{"comrestble",
                       {"index", "command", "response", "comprompt", "resprompt", "spare", "ref1"},
                       {},
                       {}};
    auto or_nill = [](const std::string& text) {
        return text.empty() ? std::string(marker::kNill) : text;
    };
    auto lines = [&](const std::vector<std::string>& parts) {
        std::string joined;
        for (std::size_t i = 0; i < parts.size(); ++i) joined += (i ? kCrLf : "") + parts[i];
        return or_nill(joined);
    };
    int sublab_index = 0, step_index = 0, command_index = 0;
    for (const Sublab& s : checked_sublabs()) {
        ++sublab_index;
        sublab.rows.push_back({std::to_string(sublab_index), s.name, or_nill(s.picture),
                               lines(s.description), lines(s.card), or_nill(s.card_title),
                               std::to_string(s.lab)});
        sublab.lines.push_back(s.line);
        for (const Step& st : s.steps) {
            ++step_index;
            instructions.rows.push_back({std::to_string(step_index), st.instruction,
                                         std::to_string(sublab_index), std::string(marker::kNill),
                                         std::nullopt, st.device});
            instructions.lines.push_back(st.line);
            for (const Command& c : st.commands) {
                ++command_index;
                commands.rows.push_back({std::to_string(command_index), c.command,
                                         lines(c.response),
                                         c.comprompt.empty() ? "Null" : c.comprompt, c.resprompt,
                                         std::nullopt, std::to_string(step_index)});
                commands.lines.push_back(c.line);
            }
        }
    }
    return {labs, sublab, instructions, commands};
}

}  // namespace

const std::vector<LabDevice>& lab_devices() {
    static const std::vector<LabDevice> devices = {
        {"R1", "2501"}, {"R2", "2501"}, {"R3", "2501"}, {"S1", "1912"},
        {"S2", "2950"}, {"S3", "1912"}, {"WS11", "PC"}, {"WS12", "PC"},
    };
    return devices;
}

std::vector<LabSublab> read_lab_sources(const std::vector<LabSource>& sources) {
    Compiler compiler;
    for (const LabSource& source : sources) compiler.read(source);
    return compiler.checked_sublabs();
}

std::vector<TableRows> compile_lab_sources(const std::vector<LabSource>& sources) {
    Compiler compiler;
    for (const LabSource& source : sources) compiler.read(source);
    return compiler.rows();
}

}  // namespace vexlab::state
