// The handler vocabulary: modes and kinds, the registry, the matched line.

#include "state/command_handler.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "interpreter/command_handlers.h"
#include "state/app_state.h"

namespace {

using vexlab::state::CommandMode;
using vexlab::state::CommandOutcome;
using vexlab::state::HandlerRegistry;

TEST(Vocabulary, EveryModeReadsBackFromItsSuffixAndNothingElseDoes) {
    for (CommandMode mode : vexlab::state::kCommandModes)
        EXPECT_EQ(vexlab::state::command_mode(vexlab::state::prompt_suffix(mode)), mode);
    for (const char* text : {"", "(config", "(CONFIG)#", "#>", " >"})
        EXPECT_FALSE(vexlab::state::command_mode(text)) << text;
    EXPECT_EQ(vexlab::state::device_kind(2), vexlab::state::DeviceKind::Switch);
    EXPECT_FALSE(vexlab::state::device_kind(4));
    EXPECT_EQ(vexlab::state::device_kind_named("PC"), vexlab::state::DeviceKind::Pc);
}

TEST(HandlerRegistry, ANameIsRegisteredOnce) {
    HandlerRegistry registry;
    registry.add("one", [](vexlab::state::CommandContext&) { return CommandOutcome::say("x"); });
    EXPECT_THROW(
        registry.add("one", [](vexlab::state::CommandContext&) { return CommandOutcome(); }),
        std::logic_error);
    registry.add("later", [](vexlab::state::CommandContext&) { return CommandOutcome::refuse(); });
    EXPECT_EQ(registry.names(), (std::vector<std::string>{"later", "one"}));
    EXPECT_EQ(registry.find("nobody"), nullptr);

    vexlab::state::AppState app;
    vexlab::state::CommandLine line;
    vexlab::state::CommandContext context(app, line);
    EXPECT_TRUE((*registry.find("later"))(context).refused);
    EXPECT_EQ((*registry.find("one"))(context).response, "x");
}

TEST(HandlerRegistry, TheProgramsHandlersIncludeTheGenericWrites) {
    const auto& handlers = vexlab::interpreter::command_handlers();
    for (auto name : {vexlab::state::kSetConfigVariables, vexlab::state::kConfigInterface,
                      std::string_view("enter_interface"), std::string_view("build_show_output"),
                      std::string_view("ping")})
        EXPECT_TRUE(handlers.contains(name)) << name;
}

TEST(CommandLine, TheCommandTextKeepsEveryPosition) {
    vexlab::state::CommandLine line;
    line.command_words[0] = "access-list";
    line.command_words[3] = "any";
    EXPECT_EQ(line.command_text(), "access-list   any       ");
    EXPECT_EQ(line.word(3), "any");
    EXPECT_EQ(line.word(42), "");
    EXPECT_EQ(line.typed(0), "");
    EXPECT_EQ(line.argument(7), "");
}

}  // namespace
