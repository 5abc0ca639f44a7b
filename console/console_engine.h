#pragma once
// The simulator console without its window: the transcript, the line
// discipline of Enter, the console's own commands, passwords, the
// "--MORE--" pager, history and the keys the console sends itself.
//
// Keys arrive the way a text box delivers them: a key-down event, then (for
// a character) a key-press event, then the control applies the key unless a
// handler locked it.  Keys the console sends itself are queued and handled
// after the current key, in order.  The same keys always give the same
// transcript.

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "console/text_control.h"
#include "interpreter/interpreter_state.h"

namespace vexlab::platform {
class UserDialogs;
}
namespace vexlab::state {
struct AppState;
}

namespace vexlab::console {

// A key as the console sees it: the key code of the key-down event and the
// character of the key-press event (0 for keys that type nothing).
struct KeyEvent {
    int key_code = 0;
    int char_code = 0;
};

namespace keys {
inline constexpr KeyEvent enter{13, 13};
inline constexpr KeyEvent backspace{8, 8};
inline constexpr KeyEvent up{38, 0};
inline constexpr KeyEvent down{40, 0};
inline constexpr KeyEvent left{37, 0};
inline constexpr KeyEvent right{39, 0};
inline constexpr KeyEvent end{35, 0};
inline constexpr KeyEvent home{36, 0};
inline constexpr KeyEvent del{46, 0};
inline constexpr KeyEvent ctrl_z{90, 26};
inline constexpr KeyEvent ctrl_caret{54, 30};
KeyEvent character(char c);
}  // namespace keys

inline constexpr const char* kStartRequest = "Press \"Return\" to start";
inline constexpr const char* kConfiguredMessage =
    "%SYS-5-CONFIG_I: Configured from console by console";

class ConsoleEngine {
public:
    ConsoleEngine(state::AppState& app, platform::UserDialogs& dialogs);

    using Clock = std::chrono::system_clock;

    // The window's load: selects the default network, resets it and writes
    // the start text.
    void form_load(Clock::time_point now = Clock::now());
    // The window's unload.
    void form_unload();

    // One key from the user, with everything it makes the console send itself.
    void press(KeyEvent key);
    // Each character of `text` as a key.
    void type(std::string_view text);
    void click();
    void double_click();

    // The clock label: the time, five blanks and the date taken at load.
    std::string clock_caption(Clock::time_point now) const;

    const TextControl& control() const { return control_; }
    const std::string& text() const { return control_.text(); }
    const std::string& caption() const { return caption_; }
    bool network_buttons_enabled() const { return network_buttons_; }

    // Called where the console leaves an interface or subinterface mode, so
    // the link state of the interface can be brought up to date.
    std::function<void(state::AppState&)> on_leave_interface_mode;

    // Attaches the console to another device at its user prompt (the
    // device picker); the new device's enable password applies.
    void switch_device(const std::string& host, const std::string& device);

    // For the writers of console text (context help, the device picker):
    // replace the transcript and queue a key.
    TextControl& text_control() { return control_; }
    void send_key(KeyEvent key) { queue_.push_back(key); }
    state::AppState& app() { return app_; }

private:
    void handle(KeyEvent key);
    void drain();

    // The window's handlers.
    void Text1_KeyPress(int character);
    void Text1_KeyDown(int key_code);

    // Key press.
    void tail();
    void enter();
    void handle_typed_line();
    bool console_command();
    void store_in_history();
    void loopback_check();
    void write_verdict(std::string& transcript);
    void reload(std::string& transcript);
    void ctrl_z();
    void telnet_escape();
    void help_key();
    void backspace_key();

    // Passwords.
    bool typing_password() const;
    void read_passwords();
    void remember_enable_password(const std::string& device);
    void password_character(int character);
    void password_backspace();
    void password_enter();
    void check_password(const std::string& expected);
    void enable_prompt(std::string& transcript);
    void vty_prompt(std::string& transcript);

    // Pager.
    void first_page(std::string& transcript);
    void next_line();
    void next_page();
    void end_paging();
    void replace_marker_line(const std::string& replacement);

    // Key down.
    void up_arrow();
    void history_back();
    void history_forward();
    void drop_prompt_line(std::string& transcript) const;

    std::string prompt() const;
    std::string after_prompt(std::string_view line) const;
    void reset_default_network();
    void reload_loaded_network();
    void leave_interface_mode();
    void start_line(std::string& transcript);
    void write(std::string transcript);

    state::AppState& app_;
    platform::UserDialogs& dialogs_;
    TextControl control_;
    std::deque<KeyEvent> queue_;
    std::string caption_;
    bool network_buttons_ = false;

    // The window's own state.
    int page_index_ = 19;
    bool redraw_line_break_pending_ = false;
    bool ignore_next_down_key_ = false;
    bool ignore_up_after_right_ = false;
    bool ignore_up_after_down_ = false;
    bool telnet_escape_pending_ = false;
    bool logout_pending_ = false;
    bool enable_password_pending_ = false;
    std::string enable_password_value_;
    int enable_password_length_ = 0;
    // The home device's enable password while the console is on another one.
    struct SavedPassword {
        bool pending;
        std::string value;
        int length;
    };
    std::optional<SavedPassword> home_password_;
    int history_next_ = 1;
    int history_back_index_ = 0;
    int history_forward_index_ = 0;
    std::string clock_date_;
    // The line being handled: the text cut after the prompt (a single blank
    // after every handled line), and what interpreting it gave.
    std::string command_line_;
    interpreter::InterpreterState line_;
};

// The text written when the console loads.
std::string start_text();
// The description of the default network.
std::string default_network_description();

}  // namespace vexlab::console
