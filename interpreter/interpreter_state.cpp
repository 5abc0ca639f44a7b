#include "interpreter/interpreter_state.h"

namespace vexlab::interpreter {

std::string verdict(const InterpreterState& state) {
    if (!state.command_found) return "Command Not Found";
    if (state.command_incomplete) return "incomplete command";
    if (state.command_ambiguous) return "ambigious command";
    if (!state.command_enabled) return "command is disabled";
    return {};
}

std::string normalise_command_line(const std::string& line) {
    if (line.empty()) return {};
    std::string result;
    std::size_t start = 0;
    bool first = true;
    while (start <= line.size()) {
        std::size_t end = line.find(' ', start);
        if (end == std::string::npos) end = line.size();
        std::string piece = line.substr(start, end - start);
        if (first) {
            result = piece;
            first = false;
        } else if (!piece.empty()) {
            result += ' ';
            result += piece;
        }
        start = end + 1;
    }
    return result;
}

}  // namespace vexlab::interpreter
