#include "commands/show/show_context.h"

#include "platform/text.h"

namespace vexlab::commands::show {

const std::string& ShowContext::word(std::size_t i) const {
    static const std::string none;
    return i < command_words.size() ? command_words[i] : none;
}

std::string ShowContext::typed_word(std::size_t i) const {
    const auto words = text::split(command_line, " ");
    return i < words.size() ? words[i] : std::string();
}

}  // namespace vexlab::commands::show
