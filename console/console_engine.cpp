#include "console/console_engine.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <iostream>

#include "commands/config/config_handlers.h"
#include "console/context_help.h"
#include "console/default_network.h"
#include "interpreter/interpreter.h"
#include "interpreter/mode_list.h"
#include "networkfiles/network_loader.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "state/devices.h"
#include "state/settings.h"
#include "state/vocabulary.h"

namespace vexlab::console {

using text::lower;
using text::trim;

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr std::size_t kQueueLimit = 10000;

using state::CommandMode;
using state::DeviceKind;
using state::is_sub_mode;

std::string format_time(std::time_t when, const char* format) {
    std::tm parts{};
    localtime_r(&when, &parts);
    char buffer[64];
    std::strftime(buffer, sizeof buffer, format, &parts);
    return buffer;
}

}  // namespace

KeyEvent keys::character(char c) {
    // Key codes of letters and digits are their upper-case characters; other
    // characters get no key code the key-down handler would act on (an
    // arrow's code is also a punctuation character's).
    const int code = static_cast<unsigned char>(c);
    const int key = std::isalnum(code) ? std::toupper(code) : code == ' ' ? key_code::kSpace : 0;
    return {key, code};
}

std::string start_text() {
    return "The router simulator is a software-based tool provided for learning purpose. The "
           "software would be useful in getting familiarized with many of the Cisco\xE2\x84\xA2 "
           "router IOS commands. Only limited set of router commands are supported, and please "
           "be cautioned that the simulator is not a replacement for a real router, and has "
           "several limitations. The simulator is particularly useful for candidates preparing "
           "for any Cisco certification exams. Please read our full disclaimer before using the "
           "software.\r\n\r\n" +
           std::string(42, ' ') + kStartRequest;
}

std::string default_network_description() {
    return "The default lab consists of 3 routers R1, R2, and R3\r\n"
           "(2501) with console terminals attached.\r\n"
           "Router R1 has switch 2950 attached to Ethernet E0 interface.\r\n"
           "A work station is attached to the Swtich 2950.\r\n"
           "The physical configuration is as shown in the diagram.";
}

ConsoleEngine::ConsoleEngine(state::AppState& app, platform::UserDialogs& dialogs)
    : on_leave_interface_mode(commands::update_link_state_on_leave), app_(app), dialogs_(dialogs) {}

// ------------------------------------------------------------ load, unload

void ConsoleEngine::form_load(Clock::time_point now) {
    auto& console = app_.console;
    app_.table_set = state::NetworkTableSet::default_set();
    app_.network.network_picture_path = app_.program_file("tolvane-fig.gif");
    const std::time_t when = Clock::to_time_t(now);
    std::tm parts{};
    localtime_r(&when, &parts);
    console.start_minute = parts.tm_min;
    console.start_hour = parts.tm_hour;
    console.opened_at = when;
    state_.clock_date = format_time(when, "%d/%m/%Y");

    reset_default_network();

    console.mode.mode_suffix = CommandMode::User;
    console.mode.prompt_text = console.device.host_name + ">";
    // Virtual-link halves waiting for their other router belonged to the
    // network the reset has just put back.
    app_.network.virtual_link_entries.clear();
    app_.network.lab_description = default_network_description();
    start_session();
}

void ConsoleEngine::network_loaded() {
    start_session();
}

// The start text, waiting for Return on the device the console is attached
// to, with nothing left of the session before: no prompt, password,
// paging, pending escape or history.
void ConsoleEngine::start_session() {
    auto& console = app_.console;
    console.password.typed_password_length = 0;
    control_.replace_all(start_text());
    state_.page_index = 19;
    console.awaiting_start = true;
    state_.logout_pending = false;
    console.password.enable_password_entry = false;
    console.password.login_password_entry = false;
    state_.enable_password_pending = false;
    console.keys.ignore_next_up_key = false;
    console.output.pending_output.clear();
    console.output.response_text = state::marker::kNill;
    console.output.paging_active = false;
    state_.telnet_escape_pending = false;
    state_.home_password.reset();
    console.telnetsession_count = 0;
    state_.history_next = 1;
    send_key(keys::end);
    drain();
}

void ConsoleEngine::form_unload() {
    // A loaded network's working tables are emptied; the default network
    // keeps its tables but not its filters.
    networkfiles::delcolumn(app_.session, app_.table_set);
    app_.network.network_picture_path = app_.program_file("tolvane-fig.gif");
    app_.open_mode.start_as_switch = false;
    app_.open_mode.start_as_router = false;
    app_.open_mode.labs_opened_from_console = false;
}

std::string ConsoleEngine::clock_caption(Clock::time_point now) const {
    return format_time(Clock::to_time_t(now), "%H:%M:%S") + "     " + state_.clock_date;
}

void ConsoleEngine::switch_device(const std::string& host, const std::string& device) {
    guarded([&] { attach(host, device); });
}

void ConsoleEngine::attach(const std::string& host, const std::string& device) {
    auto& console = app_.console;
    if (console.device.current_device == console.device.home_device && !saved_home_password())
        state_.home_password =
            SavedPassword{console.device.home_device, state_.enable_password_pending,
                          state_.enable_password_value, state_.enable_password_length};
    control_.locked = false;
    console.device.host_name = host;
    console.device.current_device = device;
    if (!app_.table_set.is_default()) {
        console.device.home_host_name = host;
        console.device.home_device = device;
        state_.home_password.reset();  // the new device is home: its own password applies
    }
    if (auto record = state::find_device(app_.session, device)) {
        console.device.device_kind = record->kind;
        console.device.device_model = record->model;
    }
    console.mode.mode_suffix =
        console.device.device_kind == state::DeviceKind::Pc ? CommandMode::Pc : CommandMode::User;
    console.mode.prompt_text = prompt();
    TailEdit transcript(control_);
    transcript += kCrLf;
    transcript += console.mode.prompt_text;
    write(transcript);
    console.password.enable_password_entry = false;
    console.password.login_password_entry = false;
    console.keys.ignore_next_up_key = false;
    console.output.paging_active = false;
    console.awaiting_start = false;
    console.output.pending_output.clear();
    console.output.response_text = state::marker::kNill;
    // The privileged mode of the new device is guarded by its own password.
    state_.enable_password_pending = false;
    remember_enable_password(device);
    send_key(keys::end);
    drain();
}

// ------------------------------------------------------------ key delivery

void ConsoleEngine::press(KeyEvent key) {
    guarded([&] {
        handle(key);
        drain();
    });
}

// Every key answers at the same boundary as Enter: whatever fails inside a
// key is printed as the command's failure and the console goes on at a new
// prompt.  The statement behind a database failure goes to the log only.
template <class Work>
void ConsoleEngine::guarded(Work&& work) {
    try {
        work();
    } catch (const std::exception& error) {
        std::cerr << "vexlab: " << error.what() << "\n";
        queue_.clear();
        app_.console.output.paging_active = false;
        app_.console.output.pending_output.clear();
        TailEdit transcript(control_);
        start_line(transcript);
        transcript += failure_text(error) + kCrLf + prompt();
        write(transcript);
        control_.locked = false;
    }
}

std::string failure_text(const std::exception& error) {
    const auto* db_error = dynamic_cast<const db::DbError*>(&error);
    return std::string("% Command failed: ") +
           (db_error ? db_error->engine_message() : error.what());
}

void ConsoleEngine::type(std::string_view text) {
    for (char c : text) press(keys::character(c));
}

void ConsoleEngine::drain() {
    std::size_t handled = 0;
    while (!queue_.empty() && handled++ < kQueueLimit) {
        KeyEvent key = queue_.front();
        queue_.pop_front();
        handle(key);
    }
    queue_.clear();
}

void ConsoleEngine::handle(KeyEvent key) {
    Text1_KeyDown(key.key_code);
    if (key.char_code == 0) {
        switch (key.key_code) {
            case key_code::kUp:
                control_.move_up();
                break;
            case key_code::kDown:
                control_.move_down();
                break;
            case key_code::kLeft:
                control_.move_left();
                break;
            case key_code::kRight:
                control_.move_right();
                break;
            case key_code::kEnd:
                control_.move_end();
                break;
            case key_code::kHome:
                control_.move_home();
                break;
            case key_code::kDelete:
                if (!control_.locked) control_.delete_forward();
                break;
            default:
                break;
        }
        return;
    }
    Text1_KeyPress(key.char_code);
    if (control_.locked) return;
    if (key.char_code == key_char::kEnter)
        control_.insert(kCrLf);
    else if (key.char_code == key_char::kBackspace)
        control_.backspace();
    else if (key.char_code >= key_char::kFirstPrintable)
        control_.insert(std::string(1, static_cast<char>(key.char_code)));
}

void ConsoleEngine::click() {
    guarded([&] {
        control_.set_caret(control_.text().empty() ? 0 : control_.text().size() - 1);
        send_key(keys::end);
        drain();
    });
}

// A double click only puts the caret back where typing goes on; it never
// takes anything out of the transcript.
void ConsoleEngine::double_click() {
    click();
}

// ------------------------------------------------------------ key press

bool ConsoleEngine::typing_password() const {
    const auto& p = app_.console.password;
    return p.login_password_entry || p.enable_password_entry;
}

void ConsoleEngine::Text1_KeyPress(int c) {
    auto& output = app_.console.output;
    output.response_text.clear();
    switch (c) {
        case key_char::kEnter:
            enter();
            return;
        case key_char::kHelp:
            help_key();
            return;
        case key_char::kCtrlZ:
            ctrl_z();
            tail();
            return;
        case key_char::kBackspace:
            backspace_key();
            return;
        case key_char::kCtrlCaret:
            state_.telnet_escape_pending = true;
            return;
        default:
            break;
    }
    if (c == 'x' && state_.telnet_escape_pending) {
        if (!app_.console.device.home_device.empty()) {
            telnet_escape();
            return;
        }
        // No telnet session to leave: the escape does nothing, and its "x"
        // is not typed either.
        state_.telnet_escape_pending = false;
        control_.locked = true;
        return;
    }
    if (typing_password()) {
        password_character(c);
        return;
    }
    if (output.paging_active) {
        if (c == ' ') {
            next_page();
        } else {
            end_paging();
            send_key(keys::backspace);
        }
    }
    tail();
}

void ConsoleEngine::tail() {
    auto& console = app_.console;
    if (state_.logout_pending) {
        send_key(keys::end);
        control_.replace_all(kStartRequest);
        state_.logout_pending = false;
        console.awaiting_start = true;
        console.mode.prompt_text = console.device.host_name + ">";
    }
    state_.telnet_escape_pending = false;
    console.output.response_text.clear();
    state_.line.command_words.fill(std::string());
}

// A loaded network starts again from the file it came from, by the load
// that loaded it.  A file that can no longer be loaded leaves the network
// as it is, and the box says why.
void ConsoleEngine::reload_loaded_network() {
    try {
        networkfiles::reload_loaded_network(app_);
    } catch (const networkfiles::LoadError& error) {
        dialogs_.message("Vexlab", error.message(), platform::Icon::Critical);
    }
}

bool ConsoleEngine::load_network_file(const std::string& path, state::NetworkLoad how,
                                      const std::function<void(int)>& progress,
                                      const std::function<void()>& ended) {
    std::optional<std::string> refusal;
    try {
        networkfiles::load_network(app_, path, how, progress);
    } catch (const networkfiles::LoadError& error) {
        refusal = error.message();
    }
    if (ended) ended();
    if (refusal) {
        dialogs_.message("Vexlab", *refusal, platform::Icon::Critical);
        return false;
    }
    network_loaded();
    return true;
}

void ConsoleEngine::reset_default_network() {
    const DefaultStart start = set_default(app_);
    caption_ = start.caption;
    network_buttons_ = start.network_buttons_enabled;
}

// The text after the prompt: the line's last characters beyond the length
// of the host name and the mode.
std::string ConsoleEngine::after_prompt(std::string_view line) const {
    const std::size_t prompt_length = prompt().size();
    return line.size() > prompt_length ? std::string(line.substr(prompt_length)) : std::string();
}

std::string ConsoleEngine::prompt() const {
    return app_.console.device.host_name +
           std::string(state::prompt_suffix(app_.console.mode.mode_suffix));
}

// Output starts on a line of its own.  Whether a write left the transcript
// ending at a prompt is read from the transcript itself, which says so
// reliably (a recalled command or a redrawn prompt ends in a line break after
// a write that left none), so no flag has to remember it.  The redraw flag
// only ends here; the Up-arrow handler reads it for its own purpose.
void ConsoleEngine::start_line(TailEdit& transcript) {
    state_.redraw_line_break_pending = false;
    if (!transcript.empty() && !transcript.ends_with(kCrLf)) transcript += kCrLf;
}

void ConsoleEngine::write(const TailEdit& transcript) {
    transcript.apply(control_);
}

// ------------------------------------------------------------ Enter

void ConsoleEngine::enter() {
    auto& console = app_.console;
    if (console.awaiting_start) {
        read_passwords();
        TailEdit transcript(control_);
        start_line(transcript);
        transcript += console.mode.prompt_text;
        write(transcript);
        console.keys.ignore_next_up_key = true;
        send_key(keys::up);
        send_key(keys::end);
        console.awaiting_start = false;
        return;
    }
    if (typing_password()) {
        password_enter();
        return;
    }
    if (console.output.paging_active) {
        next_line();
        return;
    }
    handle_typed_line();
}

void ConsoleEngine::handle_typed_line() {
    auto& console = app_.console;
    const std::string& host = console.device.host_name;

    // The command is what follows the prompt on the line being typed.
    std::string command_text = state_.command_line;
    const std::string_view last = control_.last_line();
    const std::string_view before = control_.line_before_last();
    if (!last.empty() && last.substr(0, host.size()) == host)
        command_text = after_prompt(last);
    else if (before.substr(0, host.size()) == host)
        command_text = after_prompt(before);
    state_.command_line = trim(interpreter::normalise_command_line(command_text));
    state_.line = interpreter::InterpreterState();
    state_.line.command_line = state_.command_line;

    if (!console_command()) {
        if (state_.logout_pending) {
            tail();
            return;
        }
        if (!state_.command_line.empty()) {
            store_in_history();
            try {
                state_.line = interpreter::interpret_command(app_, state_.command_line);
            } catch (const std::exception& error) {
                // A failing statement ends the command, not the session.
                state_.line.verdict = interpreter::Verdict::Success;
                std::cerr << "vexlab: " << error.what() << "\n";
                console.output.response_text = failure_text(error);
            }
        } else {
            if (state_.history_next > 1) {
                state_.history_forward_index = 1;
                state_.history_back_index = static_cast<int>(console.command_history.size()) - 1;
            }
            state_.line.verdict = interpreter::Verdict::Success;
            console.output.response_text = state::marker::kNill;
        }
    } else if (state_.logout_pending) {
        tail();
        return;
    }

    loopback_check();
    TailEdit transcript(control_);
    write_verdict(transcript);
}

// The console's own commands.  Answers true when the line was one of them
// (logout only marks the session's end).
bool ConsoleEngine::console_command() {
    auto& console = app_.console;
    auto& mode = console.mode;
    const std::string line = lower(state_.command_line);
    auto succeed = [&] { state_.line.verdict = interpreter::Verdict::Success; };
    auto logout = [&] {
        mode.mode_suffix = CommandMode::User;
        state_.logout_pending = true;
        succeed();
        console.output.response_text = state::marker::kNill;
        return true;
    };

    if (line == "exit") {
        if (is_sub_mode(mode.mode_suffix)) {
            leave_interface_mode();
            mode.mode_suffix = CommandMode::Config;
            mode.config_prefix = state::marker::kNill;
            mode.current_interface.clear();
            mode.switch_port.clear();
            console.output.response_text = state::marker::kNill;
            succeed();
            return true;
        }
        if (mode.mode_suffix == CommandMode::Config) {
            console.output.response_text = kConfiguredMessage;
            mode.mode_suffix = CommandMode::Privileged;
            succeed();
            return true;
        }
        if (mode.mode_suffix == CommandMode::Vlan) {
            console.output.response_text = "APPLY completed.\r\nExiting...";
            mode.mode_suffix = CommandMode::Privileged;
            succeed();
            return true;
        }
        if (mode.mode_suffix == CommandMode::Privileged) {
            mode.mode_suffix = CommandMode::User;
            console.output.response_text = state::marker::kNill;
            succeed();
            return true;
        }
        if (mode.mode_suffix == CommandMode::User) return logout();
    }
    if (line == "logout" &&
        (mode.mode_suffix == CommandMode::User || mode.mode_suffix == CommandMode::Privileged))
        return logout();
    // A workstation has no privileged mode: its "end" is a line like any other.
    if (line == "end" && mode.mode_suffix != CommandMode::User &&
        mode.mode_suffix != CommandMode::Pc) {
        // Leaving an interface by "end" brings its link state up to date as
        // "exit" and Ctrl+Z do.
        leave_interface_mode();
        mode.mode_suffix = CommandMode::Privileged;
        mode.config_prefix = state::marker::kNill;
        mode.current_interface.clear();
        mode.switch_port.clear();
        mode.routing_protocol.clear();
        console.output.response_text = state::marker::kNill;
        succeed();
        return true;
    }
    return false;
}

void ConsoleEngine::leave_interface_mode() {
    const auto& mode = app_.console.mode.mode_suffix;
    if ((mode == CommandMode::ConfigIf || mode == CommandMode::ConfigSubif) &&
        on_leave_interface_mode)
        on_leave_interface_mode(app_);
}

void ConsoleEngine::store_in_history() {
    auto& history = app_.console.command_history;
    history.resize(static_cast<std::size_t>(state_.history_next) + 1);
    history[static_cast<std::size_t>(state_.history_next)] = state_.command_line;
    state_.history_back_index = static_cast<int>(history.size()) - 1;
    state_.history_forward_index = 0;
    ++state_.history_next;
}

void ConsoleEngine::loopback_check() {
    if (!state_.line.succeeded() || state_.line.command_words[0] != "interface" ||
        state_.line.command_words[1] != "loopback")
        return;
    auto& console = app_.console;
    const auto rows = app_.session.scalar(
        "SELECT count(*) FROM " + db::quote_identifier("int_device") + " AS d INNER JOIN " +
            db::quote_identifier("int_det") +
            " AS i ON d.\"index\" = i.ref WHERE d.dev_name = ? AND i.int_name = ?",
        {console.device.current_device, "loopback" + std::to_string(console.mode.loopback_number)});
    if (rows.to_int() == 0) {
        // Back in global configuration, nothing of the refused interface
        // may prefix the next command's keys.
        console.output.response_text = "Only one Loopback Interface is supported";
        console.mode.mode_suffix = CommandMode::Config;
        console.mode.config_prefix = state::marker::kNill;
        console.mode.current_interface.clear();
    }
}

void ConsoleEngine::write_verdict(TailEdit& transcript) {
    auto& console = app_.console;
    auto& output = console.output;
    auto& keys = console.keys;

    if (state_.line.succeeded()) {
        // Only "nill" prints nothing: an empty response is an empty line, as
        // entering a sub-mode shows.
        if (output.response_text != state::marker::kNill) {
            start_line(transcript);
            transcript += output.response_text + kCrLf;
        }
        output.response_text = state::marker::kNill;
        if (lower(state_.line.matched_command_word) == "reload") {
            reload(transcript);
            return;
        }
        if (state_.enable_password_pending) {
            enable_prompt(transcript);
            return;
        }
        if (console.password.vty_password_requested) {
            vty_prompt(transcript);
            return;
        }
        if (output.output_needs_paging) {
            first_page(transcript);
        } else {
            start_line(transcript);
            transcript += output.pending_output;
            start_line(transcript);
            transcript += prompt();
        }
        output.pending_output.clear();
    } else {
        std::string message(interpreter::verdict_text(state_.line.verdict));
        if (state_.line.verdict == interpreter::Verdict::NotFound) {
            const auto& words = state_.line.command_words;
            if (words[0] == "router" && words[1] == "eigrp")
                message = "only autonomus no 0 is supported";
            else if (words[0] == "router" && words[1] == "ospf")
                message = "only process no 1 is supported";
        }
        start_line(transcript);
        transcript += message + kCrLf + prompt();
    }
    keys.ignore_next_up_key = true;
    write(transcript);
    send_key(keys::up);
    send_key(keys::end);
    state_.command_line = " ";
    tail();
}

void ConsoleEngine::reload(TailEdit& transcript) {
    auto& console = app_.console;
    auto& output = console.output;
    state_.line.matched_command_word.clear();
    console.keys.ignore_next_up_key = true;
    const auto answer =
        dialogs_.question("Vexlab", "Do you like to save the changes to the configuration", true,
                          platform::Icon::None);
    if (answer == platform::Answer::Yes) {
        console.mode.mode_suffix = CommandMode::User;
        output.pending_output = std::string("Building configuration\r\n\r\n\r\n") +
                                "Simulated Bootstrap, Version 5.0, RELEASE SOF \r\n";
        transcript += kCrLf + output.pending_output;
        // Only the enable password is asked again; the network is kept.
        remember_enable_password(console.device.current_device);
    } else if (answer == platform::Answer::No) {
        console.mode.mode_suffix = CommandMode::User;
        output.pending_output = "\r\n\r\nSimulated Bootstrap, Version 5.0, RELEASE SOF\r\n";
        transcript += kCrLf + output.pending_output;
        if (app_.table_set.is_default())
            reset_default_network();
        else
            reload_loaded_network();
    } else {
        transcript += kCrLf;
    }
    console.keys.ignore_next_up_key = true;
    send_key(keys::up);
    send_key(keys::end);
    transcript += prompt();
    output.pending_output.clear();
    write(transcript);
    state_.command_line = " ";
}

// ------------------------------------------------------------ other keys

void ConsoleEngine::ctrl_z() {
    auto& console = app_.console;
    auto& mode = console.mode;
    const auto& m = mode.mode_suffix;
    if (m != CommandMode::Config && !is_sub_mode(m) && m != CommandMode::Vlan) {
        control_.locked = true;
        return;
    }
    leave_interface_mode();
    mode.switch_port.clear();
    mode.mode_suffix = CommandMode::Privileged;
    mode.config_prefix = state::marker::kNill;
    mode.current_interface.clear();
    TailEdit transcript(control_);
    transcript += std::string(kConfiguredMessage) + kCrLf + prompt();
    console.output.response_text = state::marker::kNill;
    send_key(keys::end);
    write(transcript);
}

const ConsoleEngine::SavedPassword* ConsoleEngine::saved_home_password() const {
    const auto& saved = state_.home_password;
    return saved && app_.table_set.is_default() && saved->device == app_.console.device.home_device
               ? &*saved
               : nullptr;
}

void ConsoleEngine::telnet_escape() {
    auto& console = app_.console;
    console.device.host_name = console.device.home_host_name;
    console.device.current_device = console.device.home_device;
    if (auto record = state::find_device(app_.session, console.device.current_device))
        console.device.device_kind = record->kind;
    // The home device's enable password stands as it stood when the console
    // left it, not as the device just left had it.
    if (saved_home_password()) {
        state_.enable_password_pending = state_.home_password->pending;
        state_.enable_password_value = state_.home_password->value;
        state_.enable_password_length = state_.home_password->length;
        state_.home_password.reset();
    }
    console.mode.mode_suffix = console.device.device_kind == state::DeviceKind::Pc
                                   ? CommandMode::Pc
                                   : CommandMode::Privileged;
    TailEdit transcript(control_);
    transcript += prompt();
    write(transcript);
    console.keys.prompt_redraw_pending = true;
    send_key(keys::up);
    state_.telnet_escape_pending = false;
}

void ConsoleEngine::help_key() {
    auto& console = app_.console;
    if (typing_password()) {
        control_.locked = true;
        return;
    }
    if (console.output.paging_active) {
        end_paging();
        send_key(keys::backspace);
        return;
    }
    state_.history_back_index = state_.history_next - 1;
    state_.history_forward_index = 1;
    const std::string typed = after_prompt(control_.current_line());
    state_.command_line = typed;
    if (!typed.empty()) {
        show_context_help(*this, typed);
        return;
    }
    interpreter::list_mode_commands(app_);
    auto& keys = console.keys;
    TailEdit transcript(control_);
    start_line(transcript);
    transcript += console.output.pending_output;
    console.output.pending_output.clear();
    keys.ignore_next_up_key = true;
    transcript += kCrLf + prompt();
    keys.prompt_redraw_pending = true;
    write(transcript);
    send_key(keys::up);
}

void ConsoleEngine::backspace_key() {
    if (typing_password()) {
        password_backspace();
        return;
    }
    const auto& console = app_.console;
    const std::size_t minimum =
        console.device.host_name.size() + state::prompt_suffix(console.mode.mode_suffix).size() + 1;
    if (control_.current_line().size() < minimum) {
        control_.locked = true;
        return;
    }
    tail();
}

// ------------------------------------------------------------ passwords

void ConsoleEngine::read_passwords() {
    auto& console = app_.console;
    auto& password = console.password;
    const auto& device = console.device.current_device;
    // A key without a row counts as no password.
    auto value = state::read_setting(app_, "lineconsole_pass", device);
    if (value && *value != state::marker::kNill) {
        password.login_password = *value;
        password.expected_password_length = static_cast<int>(value->size());
        console.mode.prompt_text = "password:";
        password.login_password_entry = true;
        password.typed_password_chars.assign(value->size() + 1, std::string());
    }
    remember_enable_password(device);
}

// The enable password a device asks after the next successful line: its
// secret when it has one, else its enable password; "nill" is none.
void ConsoleEngine::remember_enable_password(const std::string& device) {
    for (const char* key : {"enable_password", "secret_password"}) {
        auto value = state::read_setting(app_, key, device);
        if (value && *value != state::marker::kNill) {
            state_.enable_password_value = *value;
            state_.enable_password_pending = true;
            state_.enable_password_length = static_cast<int>(value->size());
        }
    }
}

void ConsoleEngine::password_character(int c) {
    auto& password = app_.console.password;
    control_.locked = true;
    if (password.typed_password_length < password.expected_password_length) {
        if (static_cast<int>(password.typed_password_chars.size()) <=
            password.typed_password_length)
            password.typed_password_chars.resize(
                static_cast<std::size_t>(password.typed_password_length) + 1);
        password.typed_password_chars[static_cast<std::size_t>(password.typed_password_length)] =
            std::string(1, static_cast<char>(c));
        ++password.typed_password_length;
        password.password_echo_pending = true;
        send_key(keys::up);
    } else {
        dialogs_.message("Vexlab",
                         "sorry!Number of Characters are more than the actual password lenght ",
                         platform::Icon::None);
    }
}

void ConsoleEngine::password_backspace() {
    auto& password = app_.console.password;
    if (control_.line_before_last().size() <= 9) {
        control_.locked = true;
        return;
    }
    if (password.typed_password_length > 0) {
        --password.typed_password_length;
        password.typed_password_chars[static_cast<std::size_t>(password.typed_password_length)]
            .clear();
    }
}

void ConsoleEngine::password_enter() {
    auto& password = app_.console.password;
    if (password.login_password_entry) {
        password.login_password_entry = false;
        password.console_login_check = true;
        check_password(password.login_password);
    } else {
        password.enable_password_entry = false;
        check_password(state_.enable_password_value);
    }
}

void ConsoleEngine::check_password(const std::string& expected) {
    auto& console = app_.console;
    auto& password = console.password;
    std::string typed;
    for (int i = 0; i < password.typed_password_length &&
                    i < static_cast<int>(password.typed_password_chars.size());
         ++i)
        typed += password.typed_password_chars[static_cast<std::size_t>(i)];
    if (typed == expected) {
        password.password_echo_pending = false;
        console.output.response_text.clear();
        password.typed_password_length = 0;
        console.mode.mode_suffix =
            password.console_login_check ? CommandMode::User : CommandMode::Privileged;
        password.console_login_check = false;
        control_.append(prompt());
    } else {
        if (password.console_login_check) {
            password.login_password_entry = true;
            password.console_login_check = false;
        } else {
            password.enable_password_entry = true;
        }
        password.typed_password_length = 0;
        control_.append("wrong Password\r\npassword:");
    }
    console.keys.ignore_next_up_key = true;
    send_key(keys::up);
    send_key(keys::end);
}

void ConsoleEngine::enable_prompt(TailEdit& transcript) {
    auto& console = app_.console;
    console.keys.ignore_next_up_key = true;
    start_line(transcript);
    transcript += "password:";
    write(transcript);
    console.password.enable_password_entry = true;
    console.password.typed_password_chars.assign(
        static_cast<std::size_t>(state_.enable_password_length) + 1, std::string());
    console.password.expected_password_length = state_.enable_password_length;
    send_key(keys::up);
    send_key(keys::end);
    state_.enable_password_pending = false;
    state_.command_line = " ";
    tail();
}

void ConsoleEngine::vty_prompt(TailEdit& transcript) {
    auto& console = app_.console;
    console.keys.ignore_next_up_key = true;
    start_line(transcript);
    transcript += "password:";
    write(transcript);
    send_key(keys::up);
    send_key(keys::end);
    console.password.vty_password_requested = false;
    state_.command_line = " ";
    tail();
}

// ------------------------------------------------------------ pager

void ConsoleEngine::first_page(TailEdit& transcript) {
    auto& output = app_.console.output;
    // Paging starts for output of more than twenty lines, whoever made it.
    output.output_lines = text::split(output.pending_output, kCrLf);
    output.paging_active = output.output_lines.size() > 20;
    if (output.paging_active) {
        output.pending_output.clear();
        for (std::size_t i = 0; i < 20 && i < output.output_lines.size(); ++i)
            output.pending_output += output.output_lines[i] + kCrLf;
        output.pending_output += "--MORE--";
    }
    start_line(transcript);
    transcript += output.pending_output;
    if (!output.paging_active) {
        start_line(transcript);
        transcript += prompt();
    }
    output.pending_output.clear();
    output.output_needs_paging = false;
}

void ConsoleEngine::replace_marker_line(const std::string& replacement) {
    TailEdit text(control_);
    if (control_.last_line().empty()) text.drop_last_line();  // the empty line after it
    text.drop_last_line();                                    // the marker line
    text += kCrLf;
    text += replacement;
    write(text);
}

void ConsoleEngine::next_line() {
    auto& console = app_.console;
    auto& output = console.output;
    const int last = static_cast<int>(output.output_lines.size()) - 1;
    ++state_.page_index;
    std::string text;
    if (state_.page_index <= last)
        text = output.output_lines[static_cast<std::size_t>(state_.page_index)] + kCrLf;
    if (state_.page_index < last) {
        text += "--MORE--";
    } else {
        text += prompt();
        output.paging_active = false;
        state_.redraw_line_break_pending = true;
        state_.page_index = 19;
        console.keys.ignore_next_up_key = true;
        send_key(keys::up);
    }
    replace_marker_line(text);
    console.keys.ignore_next_up_key = true;
    send_key(keys::up);
    send_key(keys::end);
}

void ConsoleEngine::next_page() {
    auto& console = app_.console;
    auto& output = console.output;
    const int last = static_cast<int>(output.output_lines.size()) - 1;
    const int first = state_.page_index + 1;
    std::string text;
    for (int i = first; i <= first + 19; ++i) {
        if (i > last) {
            output.paging_active = false;
            break;
        }
        text += output.output_lines[static_cast<std::size_t>(i)] + kCrLf;
    }
    if (output.paging_active) {
        text += "--MORE--";
        state_.page_index = first + 19;
    } else {
        text += prompt();
        state_.page_index = 19;
        state_.redraw_line_break_pending = true;
        state_.history_forward_index = 1;
        state_.history_back_index = state_.history_next - 1;
    }
    replace_marker_line(text);
    console.keys.ignore_next_up_key = true;
    send_key(keys::backspace);
}

void ConsoleEngine::end_paging() {
    auto& console = app_.console;
    state_.page_index = 19;
    console.output.paging_active = false;
    replace_marker_line(prompt());
}

// ------------------------------------------------------------ key down

void ConsoleEngine::Text1_KeyDown(int key_code) {
    control_.locked = false;
    auto& console = app_.console;
    const bool paging = console.output.paging_active;
    switch (key_code) {
        case key_code::kLeft:
            if (paging) {
                end_paging();
            }
            send_key(keys::end);
            break;
        case key_code::kRight:
            if (paging) {
                end_paging();
                send_key(keys::backspace);
            } else {
                state_.ignore_up_after_right = true;
                send_key(keys::up);
                send_key(keys::end);
            }
            break;
        case key_code::kDown:
            if (state_.ignore_next_down_key) {
                state_.ignore_next_down_key = false;
            } else if (paging) {
                end_paging();
                send_key(keys::backspace);
            } else {
                history_forward();
            }
            break;
        case key_code::kDelete:
            control_.locked = true;
            break;
        case key_code::kUp:
            up_arrow();
            break;
        default:
            break;
    }
}

void ConsoleEngine::up_arrow() {
    auto& console = app_.console;
    auto& keys = console.keys;
    if (state_.ignore_up_after_down) {
        state_.ignore_up_after_down = false;
        return;
    }
    if (state_.ignore_up_after_right) {
        state_.ignore_up_after_right = false;
        return;
    }
    if (keys.prompt_redraw_pending) {
        keys.prompt_redraw_pending = false;
        keys.ignore_next_up_key = false;
        TailEdit text(control_);
        text.drop_last_line();
        state_.redraw_line_break_pending = true;
        if (!console.output.paging_active) text += kCrLf + prompt();
        text += kCrLf;
        write(text);
        send_key(keys::end);
        return;
    }
    if (keys.help_redraw_pending) {
        keys.help_redraw_pending = false;
        TailEdit text(control_);
        text.drop_last_line();
        state_.redraw_line_break_pending = true;
        std::string words;
        for (int i = 0; i <= keys.help_word_count && i < static_cast<int>(keys.help_words.size());
             ++i)
            words += (i ? " " : "") + keys.help_words[static_cast<std::size_t>(i)];
        if (keys.help_line_ends_with_space) {
            words += ' ';
            keys.help_line_ends_with_space = false;
        }
        keys.ignore_next_up_key = false;
        text += kCrLf + prompt() + words + kCrLf;
        write(text);
        send_key(keys::end);
        return;
    }
    if (console.password.password_echo_pending) {
        console.password.password_echo_pending = false;
        TailEdit text(control_);
        text.drop_last_line();
        text += std::string("*") + kCrLf;
        write(text);
        send_key(keys::end);
        return;
    }
    if (console.output.paging_active && !keys.ignore_next_up_key) {
        end_paging();
        state_.ignore_next_down_key = true;
        send_key(keys::down);
        send_key(keys::end);
        return;
    }
    if (state_.redraw_line_break_pending) {
        state_.redraw_line_break_pending = false;
        state_.ignore_next_down_key = true;
        send_key(keys::down);
        send_key(keys::end);
        return;
    }
    if (keys.ignore_next_up_key) {
        keys.ignore_next_up_key = false;
        return;
    }
    history_back();
}

void ConsoleEngine::drop_prompt_line(TailEdit& transcript) const {
    if (control_.last_line().empty()) transcript.drop_last_line();
    transcript.drop_last_line();
}

void ConsoleEngine::history_back() {
    const auto& history = app_.console.command_history;
    state_.history_forward_index = 1;
    TailEdit text(control_);
    drop_prompt_line(text);
    std::string line = prompt();
    if (state_.history_back_index >= 1 &&
        state_.history_back_index < static_cast<int>(history.size())) {
        line += history[static_cast<std::size_t>(state_.history_back_index)];
        --state_.history_back_index;
    }
    text += kCrLf + line + kCrLf;
    write(text);
    send_key(keys::end);
}

void ConsoleEngine::history_forward() {
    const auto& history = app_.console.command_history;
    const int last = static_cast<int>(history.size()) - 1;
    if (state_.history_next > 1) state_.history_back_index = last;
    TailEdit text(control_);
    drop_prompt_line(text);
    std::string line = prompt();
    if (state_.history_next > 1 && state_.history_forward_index <= last &&
        state_.history_forward_index >= 0) {
        line += history[static_cast<std::size_t>(state_.history_forward_index)];
        ++state_.history_forward_index;
    }
    text += kCrLf + line + kCrLf;
    write(text);
    state_.ignore_up_after_down = true;
    send_key(keys::up);
    send_key(keys::end);
}

}  // namespace vexlab::console
