// The practice console's line discipline.  After every Enter the transcript
// ends with the prompt line and the empty line the Enter itself adds, and
// the keys the console sends itself put the caret back at the end of the
// prompt line.

#include <algorithm>

#include "interpreter/interpreter_state.h"
#include "labs/lab_run.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::labs {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kEnter = 13;
constexpr int kBackspace = 8;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kEnd = 35, kHome = 36, kDelete = 46;

// A bound for keys that keep sending keys; the console's own never do.
constexpr std::size_t kQueueLimit = 10000;

std::size_t utf8_length(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

}  // namespace

std::string LabPractice::prompt() const {
    return app_.console.device.host_name + run_.prompt_suffix;
}

void LabPractice::press(console::KeyEvent key) {
    handle(key, {});
    drain();
}

void LabPractice::type(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = std::min(utf8_length(lead), text.size() - i);
        handle(console::keys::character(static_cast<char>(lead)), text.substr(i, length));
        drain();
        i += length;
    }
}

void LabPractice::click() {
    if (!text_.enabled) return;
    text_.set_caret(text_.text().empty() ? 0 : text_.text().size() - 1);
    send_key(console::keys::end);
    drain();
}

void LabPractice::double_click() {
    if (!text_.enabled) return;
    text_.set_caret(text_.text().empty() ? 0 : text_.text().size() - 1);
}

void LabPractice::drain() {
    std::size_t handled = 0;
    while (!queue_.empty() && handled++ < kQueueLimit) {
        const console::KeyEvent key = queue_.front();
        queue_.erase(queue_.begin());
        handle(key, {});
    }
    queue_.clear();
}

// A key as the text box takes it: the key-down handler, then for a
// character the key-press handler, then the box applies the key unless it
// is locked.  Arrow keys move the caret even in a locked box.
void LabPractice::handle(console::KeyEvent key, std::string_view typed) {
    if (!text_.enabled) return;
    txtRC_KeyDown(key.key_code);
    if (key.char_code == 0) {
        switch (key.key_code) {
            case kUp:
                text_.move_up();
                break;
            case kDown:
                text_.move_down();
                break;
            case kLeft:
                text_.move_left();
                break;
            case kRight:
                text_.move_right();
                break;
            case kEnd:
                text_.move_end();
                break;
            case kHome:
                text_.move_home();
                break;
            case kDelete:
                if (!text_.locked) text_.delete_forward();
                break;
            default:
                break;
        }
        return;
    }
    txtRC_KeyPress(key.char_code);
    if (text_.locked) return;
    if (key.char_code == kEnter)
        text_.insert(kCrLf);
    else if (key.char_code == kBackspace)
        text_.backspace();
    else if (!typed.empty())
        text_.insert(typed);
    else if (key.char_code >= 32)
        text_.insert(std::string(1, static_cast<char>(key.char_code)));
}

void LabPractice::txtRC_KeyDown(int key_code) {
    if (run_.lab_done || time_up_) {
        text_.locked = true;
        return;
    }
    text_.locked = false;
    bool& ignore_up = app_.console.keys.ignore_next_up_key;
    switch (key_code) {
        case kLeft:
            send_key(console::keys::end);
            break;
        case kRight:
            ignore_up_after_right_ = true;
            send_key(console::keys::up);
            send_key(console::keys::end);
            break;
        case kDown:
            if (ignore_next_down_key_) {
                ignore_next_down_key_ = false;
                break;
            }
            ignore_up_after_down_ = true;
            send_key(console::keys::up);
            send_key(console::keys::end);
            break;
        case kUp:
            for (bool* flag : {&ignore_up, &ignore_up_after_down_, &ignore_up_after_right_})
                if (*flag) {
                    *flag = false;
                    return;
                }
            ignore_next_down_key_ = true;
            send_key(console::keys::down);
            send_key(console::keys::end);
            break;
        default:
            break;
    }
}

void LabPractice::txtRC_KeyPress(int character) {
    if (character == kEnter)
        enter();
    else if (character == kBackspace)
        backspace_guard();
}

// The prompt cannot be erased: Backspace on a line no longer than the prompt
// locks the box for this key.
void LabPractice::backspace_guard() {
    if (text_.current_line().size() <= prompt().size()) text_.locked = true;
}

// The typed command: what follows the prompt (or the menu's "Enter
// Selection:") on its line.  A line shorter than that holds no command.
std::string LabPractice::read_typed_line() const {
    if (run_.switch_menu_active) {
        const std::string_view line = text_.last_line();
        const std::size_t cut = std::string_view(kMenuSelection).size();
        return line.size() > cut ? std::string(line.substr(cut)) : std::string();
    }
    const std::string_view line = text_.current_line();
    const std::size_t cut = prompt().size();
    return line.size() > cut ? std::string(line.substr(cut)) : std::string();
}

void LabPractice::enter() {
    if (run_.lab_awaiting_start && !run_.switch_menu_active) {
        send_key(console::keys::up);
        send_key(console::keys::end);
        text_.append(kCrLf + prompt());
        app_.console.keys.ignore_next_up_key = true;
        run_.lab_awaiting_start = false;
        return;
    }
    if (run_.switch_menu_active) run_.lab_awaiting_start = false;
    run_.lab_command_line = text::trim(interpreter::normalise_command_line(read_typed_line()));
    check_lab_command();
    print_after_check();
}

void LabPractice::print_after_check() {
    std::string& response = app_.console.output.response_text;
    if (run_.lab_done) {
        std::string added;
        if (!run_.lab_response_empty) added = response + kCrLf;
        added += prompt() + end_text();
        send_key(console::keys::up);
        send_key(console::keys::end);
        text_.append(added);
        text_.locked = true;
        view_.time_visible = false;
        response.clear();
        return;
    }
    std::string added;
    if (run_.lab_command_matched && run_.switch_menu_active) {
        added = kCrLf + prompt();
        run_.switch_menu_active = false;
    } else if (run_.lab_command_matched && !run_.lab_response_empty) {
        added = response + kCrLf + prompt();
        response.clear();
    } else if (run_.lab_command_matched) {
        added = prompt();
    } else if (run_.switch_menu_active) {
        dialogs_.message(kProgramTitle, kEnterCommandLine, platform::Icon::None);
        text_.replace_all(switch_menu_text());
        send_key(console::keys::backspace);
        return;
    } else {
        added = std::string(kNotFound) + kCrLf + prompt();
    }
    app_.console.keys.ignore_next_up_key = true;
    send_key(console::keys::up);
    send_key(console::keys::end);
    text_.append(added);
}

}  // namespace vexlab::labs
