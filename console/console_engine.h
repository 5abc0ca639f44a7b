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
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "console/text_control.h"
#include "interpreter/interpreter_state.h"
#include "state/console_session.h"

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

// The key codes of key-down events the console acts on.
namespace key_code {
inline constexpr int kBackspace = 8;
inline constexpr int kEnter = 13;
inline constexpr int kSpace = 32;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kDelete = 46;
inline constexpr int kCaret = 54;  // the 6 key, with Ctrl: Ctrl+^
inline constexpr int kZ = 90;
}  // namespace key_code

// The characters of key-press events the console acts on.
namespace key_char {
inline constexpr int kBackspace = 8;
inline constexpr int kEnter = 13;
inline constexpr int kCtrlZ = 26;
inline constexpr int kCtrlCaret = 30;
inline constexpr int kFirstPrintable = 32;  // the blank
inline constexpr int kHelp = '?';
}  // namespace key_char

namespace keys {
inline constexpr KeyEvent enter{key_code::kEnter, key_char::kEnter};
inline constexpr KeyEvent backspace{key_code::kBackspace, key_char::kBackspace};
inline constexpr KeyEvent up{key_code::kUp, 0};
inline constexpr KeyEvent down{key_code::kDown, 0};
inline constexpr KeyEvent left{key_code::kLeft, 0};
inline constexpr KeyEvent right{key_code::kRight, 0};
inline constexpr KeyEvent end{key_code::kEnd, 0};
inline constexpr KeyEvent home{key_code::kHome, 0};
inline constexpr KeyEvent del{key_code::kDelete, 0};
inline constexpr KeyEvent ctrl_z{key_code::kZ, key_char::kCtrlZ};
inline constexpr KeyEvent ctrl_caret{key_code::kCaret, key_char::kCtrlCaret};
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
    // What the last line handled at Enter gave.
    const interpreter::InterpreterState& last_line() const { return state_.line; }
    const std::string& text() const { return control_.text(); }
    const std::string& caption() const { return caption_; }
    bool network_buttons_enabled() const { return network_buttons_; }

    // Called where the console leaves an interface or subinterface mode, so
    // the link state of the interface can be brought up to date.
    std::function<void(state::AppState&)> on_leave_interface_mode;

    // Attaches the console to another device at its user prompt (the
    // device picker); the new device's enable password applies.
    void switch_device(const std::string& host, const std::string& device);

    // Open Exported File and Load Config once a file is chosen: the file's
    // network replaces the one shown and its start device becomes home, and
    // the console starts afresh on it (network_loaded).  A refused file
    // leaves the network and the transcript as they were and a box says
    // why, after `ended` has run (the window puts its progress bar away
    // there).  True when the file was loaded.  `progress` is told the load
    // steps done.
    bool load_network_file(const std::string& path, state::NetworkLoad how,
                           const std::function<void(int)>& progress = {},
                           const std::function<void()>& ended = {});

    // A network has replaced the one shown (the console's own loads, and
    // Load the Lab of the example labs): the console starts a new session
    // on its start device, as a console opened on it does, with the start
    // text waiting for Return; nothing of the old session's transcript,
    // prompt or history stays.
    void network_loaded();

    // For the writers of console text (context help, the device picker):
    // replace the transcript and queue a key.
    TextControl& text_control() { return control_; }
    void send_key(KeyEvent key) { queue_.push_back(key); }
    state::AppState& app() { return app_; }

private:
    template <class Work>
    void guarded(Work&& work);
    void handle(KeyEvent key);
    void attach(const std::string& host, const std::string& device);
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
    void write_verdict(TailEdit& transcript);
    void reload(TailEdit& transcript);
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
    void enable_prompt(TailEdit& transcript);
    void vty_prompt(TailEdit& transcript);

    // Pager.
    void first_page(TailEdit& transcript);
    void next_line();
    void next_page();
    void end_paging();
    void replace_marker_line(const std::string& replacement);

    // Key down.
    void up_arrow();
    void history_back();
    void history_forward();
    void drop_prompt_line(TailEdit& transcript) const;

    std::string prompt() const;
    std::string after_prompt(std::string_view line) const;
    void reset_default_network();
    void start_session();
    void reload_loaded_network();
    void leave_interface_mode();
    // The console's writers build the transcript they want as an edit of
    // its end: a long session is never copied to change its last lines.
    void start_line(TailEdit& transcript);
    void write(const TailEdit& transcript);

    state::AppState& app_;
    platform::UserDialogs& dialogs_;
    TextControl control_;
    std::deque<KeyEvent> queue_;
    std::string caption_;
    bool network_buttons_ = false;

    // The home device's enable password while the console is on another
    // one.  Only the built-in network keeps it (on a loaded network the
    // device chosen becomes home itself), and only for the home device it
    // was saved for: a telnet that moved home and a load of a network,
    // whichever window made it, leave it behind.
    struct SavedPassword {
        std::string device;
        bool pending;
        std::string value;
        int length;
    };
    // The saved password when it still stands for the present home device.
    const SavedPassword* saved_home_password() const;

    // The window's own state: what no other part of the program reads.  The
    // key handlers pass work to each other through it across the keys the
    // console sends itself, so none of it may live in a handler's locals.
    struct WindowState {
        // The line being handled: the text cut after the prompt (a single
        // blank after every handled line), and what interpreting it gave.
        std::string command_line;
        interpreter::InterpreterState line;
        // History: where the next command goes, and what Up and Down recall.
        int history_next = 1;
        int history_back_index = 0;
        int history_forward_index = 0;
        // The pager: the last line of output_lines shown.
        int page_index = 19;
        // Key flags.
        bool redraw_line_break_pending = false;
        bool ignore_next_down_key = false;
        bool ignore_up_after_right = false;
        bool ignore_up_after_down = false;
        bool telnet_escape_pending = false;
        bool logout_pending = false;
        // The enable password asked after the next successful line.
        bool enable_password_pending = false;
        std::string enable_password_value;
        int enable_password_length = 0;
        std::optional<SavedPassword> home_password;
        std::string clock_date;  // taken at load
    };
    WindowState state_;
};

// What the console prints for a command that failed: the reason, never the
// statement.
std::string failure_text(const std::exception& error);

// The text written when the console loads.
std::string start_text();
// The description of the default network.
std::string default_network_description();

}  // namespace vexlab::console
