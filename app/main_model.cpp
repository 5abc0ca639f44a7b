#include "app/main_model.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "interpreter/catalogue.h"
#include "platform/atomic_file.h"
#include "platform/db_session.h"
#include "state/schema_registry.h"

namespace vexlab::app {

MainWindowModel::MainWindowModel(state::AppState& state, platform::RegistryStore& registry)
    : state_(state), registry_(registry) {}

namespace {

// What keeps an opened database from serving the program, or nothing.  The
// pages are checked first: the other checks read them.
std::optional<std::string> database_fault(db::DatabaseSession& session) {
    if (auto damage = session.damage()) return "its integrity check fails (" + *damage + ")";
    const state::SchemaRegistry& schema = state::SchemaRegistry::instance();
    if (auto fault = schema.mismatch(session)) return fault;
    if (auto fault = schema.emptied(session)) return fault;
    return interpreter::catalogue_fault(session);
}

}  // namespace

void MainWindowModel::form_load() {
    // Writers killed in an earlier run leave temporary files in the folders
    // the program writes: its own, the user folder and the settings folder.
    for (const std::string& folder :
         {state_.program_folder, state_.program_file("user"),
          std::filesystem::path(registry_.file()).parent_path().string()})
        platform::tidy_interrupted_writes(folder);
    try {
        platform::register_data_source(registry_, state_.program_folder);
    } catch (const std::exception& error) {
        throw StartError("The program's settings could not be written to " + registry_.file() +
                         ".\n\n" + error.what());
    }
    const std::string database = state_.program_file(platform::kDatabaseFileName);
    try {
        workspace_ = std::make_unique<platform::Workspace>(kWorkspaceName, kWorkspaceUser, "");
        workspace_->open_connection(state_.session, kConnectionName,
                                    platform::program_connect_string(), registry_);
    } catch (const db::DbError& error) {
        std::cerr << "vexlab: " << error.what() << "\n";
        throw StartError("The database could not be opened.\n\n" + error.engine_message());
    }
    // A damaged file would answer thousands of lines with failures: it is
    // refused here, once.  The quick check of the pages does not read every
    // index, so a fault the menus' first read meets is refused the same way.
    std::optional<std::string> fault;
    try {
        fault = database_fault(state_.session);
        if (!fault) lab_menus_ = load_labs(state_.session);
    } catch (const db::DbError& error) {
        std::cerr << "vexlab: " << error.what() << "\n";
        fault = error.engine_message();
    }
    if (fault) {
        state_.session.close();
        throw StartError("The database " + database + " is damaged: " + *fault + ".");
    }
    state_.open_mode.start_as_switch = false;
    state_.open_mode.start_as_router = false;
    loaded_ = true;
}

void MainWindowModel::form_unload() {
    state_.session.close();
    if (workspace_) workspace_->close();
    loaded_ = false;
}

void MainWindowModel::lab_item_chosen(int group, int index) {
    if (group < 1 || group > static_cast<int>(lab_menus_.groups.size())) return;
    const auto& items = lab_menus_.groups[static_cast<std::size_t>(group - 1)].items;
    if (auto it = items.find(index); it != items.end()) state_.selected_sublab = it->second;
}

void MainWindowModel::help_chosen() {
    state_.help_file = state_.program_file(kHelpIndex);
}

}  // namespace vexlab::app
