#include "state/command_handler.h"

#include <stdexcept>

#include "state/app_state.h"

namespace vexlab::state {

namespace {
const std::string& at_or_empty(const auto& list, std::size_t i) {
    static const std::string none;
    return i < list.size() ? list[i] : none;
}
}  // namespace

const std::string& CommandLine::word(std::size_t i) const {
    return at_or_empty(command_words, i);
}

const std::string& CommandLine::typed(std::size_t i) const {
    return at_or_empty(typed_words, i);
}

const std::string& CommandLine::argument(std::size_t i) const {
    return at_or_empty(arguments, i);
}

std::string CommandLine::command_text() const {
    std::string text = command_words[0];
    for (std::size_t i = 1; i < kCommandWords; ++i) text += " " + command_words[i];
    return text;
}

CommandContext::CommandContext(AppState& app, const CommandLine& line)
    : app(app), session(app.session), tables(app.table_set), console(app.console), line(line) {}

void HandlerRegistry::add(std::string_view name, CommandHandler handler) {
    if (name.empty() || !handler) throw std::logic_error("a handler needs a name and a function");
    if (!handlers_.emplace(std::string(name), std::move(handler)).second)
        throw std::logic_error("the handler " + std::string(name) + " is registered twice");
}

const CommandHandler* HandlerRegistry::find(std::string_view name) const {
    auto found = handlers_.find(name);
    return found == handlers_.end() ? nullptr : &found->second;
}

std::vector<std::string> HandlerRegistry::names() const {
    std::vector<std::string> list;
    for (const auto& entry : handlers_) list.push_back(entry.first);
    return list;
}

}  // namespace vexlab::state
