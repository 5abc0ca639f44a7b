#include "interpreter/interpreter_state.h"

namespace vexlab::interpreter {

std::string_view verdict_text(Verdict verdict) {
    switch (verdict) {
        case Verdict::Success:
            return {};
        case Verdict::NotFound:
            return "Command Not Found";
        case Verdict::Incomplete:
            return "incomplete command";
        case Verdict::Ambiguous:
            return "ambigious command";
        case Verdict::Disabled:
            return "command is disabled";
    }
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
