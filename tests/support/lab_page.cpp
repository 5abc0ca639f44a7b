#include "support/lab_page.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "console/console_engine.h"
#include "console/network_diagram.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "support/test_database.h"
#include "support/transcript.h"

namespace vexlab::test {

namespace {

using console::KeyEvent;

constexpr std::string_view kCut = "...";

std::string rtrim(std::string_view text) {
    const auto end = text.find_last_not_of(" \t\r");
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

bool starts_with(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

std::string decode(std::string text) {
    for (const auto& [entity, c] :
         {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}})
        for (std::size_t at = 0; (at = text.find(entity, at)) != std::string::npos; ++at)
            text.replace(at, std::string_view(entity).size(), c);
    return text;
}

// The words of a piece of the page: tags and comments left out, entities
// read, every run of white space one blank.
std::string words_of(std::string_view html) {
    std::string text;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html.substr(i, 4) == "<!--") {
            i = std::min(html.size(), html.find("-->", i)) + 2;
            continue;
        }
        if (html[i] == '<') {
            i = std::min(html.size(), html.find('>', i));
            continue;
        }
        const bool blank = std::isspace(static_cast<unsigned char>(html[i])) != 0;
        if (!blank)
            text += html[i];
        else if (!text.empty() && text.back() != ' ')
            text += ' ';
    }
    return text::trim(decode(text));
}

// The lines of one box; a comment adds its note to the line it stands on.
std::vector<PageLine> box_lines(std::string_view html) {
    std::vector<PageLine> lines;
    PageLine line;
    auto finish = [&] {
        line.text = rtrim(decode(line.text));
        if (!line.text.empty())
            lines.push_back(line);
        else if (!line.keys.empty() || !line.answer.empty())
            throw std::invalid_argument("a note stands on an empty line");
        line = {};
    };
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html.substr(i, 4) == "<!--") {
            const std::size_t close = html.find("-->", i);
            if (close == std::string_view::npos)
                throw std::invalid_argument("a comment is not closed");
            const std::string note = text::trim(html.substr(i + 4, close - i - 4), " \t\r\n");
            if (starts_with(note, "keys:"))
                line.keys = text::trim(note.substr(5));
            else if (starts_with(note, "answer:"))
                line.answer = text::trim(note.substr(7));
            else
                throw std::invalid_argument("the note <!--" + note +
                                            "--> is neither keys nor answer");
            i = close + 2;
        } else if (html[i] == '<') {
            i = std::min(html.size(), html.find('>', i));
        } else if (html[i] == '\n') {
            finish();
        } else {
            line.text += html[i];
        }
    }
    finish();
    return lines;
}

// A key of a note: the key and the name the page's words give it.
struct NamedKey {
    std::vector<KeyEvent> keys;
    std::string name;
};

std::vector<NamedKey> note_keys(const std::string& note) {
    std::vector<NamedKey> keys;
    std::size_t i = 0;
    while (i < note.size()) {
        if (note[i] == ' ') {
            ++i;
        } else if (note[i] == '"') {
            const std::size_t close = note.find('"', i + 1);
            if (close == std::string::npos)
                throw std::invalid_argument("keys: the quote is not closed in " + note);
            NamedKey typed{{}, note.substr(i + 1, close - i - 1)};
            for (char c : typed.name) typed.keys.push_back(console::keys::character(c));
            keys.push_back(typed);
            i = close + 1;
        } else {
            const std::size_t end = std::min(note.size(), note.find(' ', i));
            const std::string name = note.substr(i, end - i);
            i = end;
            if (name == "Return")
                keys.push_back({{console::keys::enter}, name});
            else if (name == "Ctrl+Z")
                keys.push_back({{console::keys::ctrl_z}, name});
            else if (name == "?")
                keys.push_back({{console::keys::character('?')}, name});
            else if (name == "Up")
                keys.push_back({{console::keys::up}, name});
            else if (name == "Down")
                keys.push_back({{console::keys::down}, name});
            else
                throw std::invalid_argument("keys: no key is named " + name);
        }
    }
    return keys;
}

platform::Answer answer_named(const std::string& name) {
    if (name == "Yes") return platform::Answer::Yes;
    if (name == "No") return platform::Answer::No;
    if (name == "Cancel") return platform::Answer::Cancel;
    throw std::invalid_argument("answer: no button is named " + name);
}

// The lines a box shows under a typed line against those the console
// printed after it: equal one for one, where "..." stands for one line or
// more that the box leaves out.
bool shows(const std::vector<std::string>& page, std::size_t p,
           const std::vector<std::string>& printed, std::size_t c) {
    if (p == page.size()) return c == printed.size();
    if (page[p] == kCut) {
        for (std::size_t rest = c + 1; rest <= printed.size(); ++rest)
            if (shows(page, p + 1, printed, rest)) return true;
        return false;
    }
    return c < printed.size() && page[p] == printed[c] && shows(page, p + 1, printed, c + 1);
}

std::string listing(const std::vector<std::string>& lines) {
    if (lines.empty()) return "    (nothing)\n";
    std::string text;
    for (const auto& line : lines) text += "    | " + line + "\n";
    return text;
}

std::string quote(const std::string& line) {
    return "\"" + line + "\"";
}

// The host name a line would be typed after: what stands before the
// prompt's end (">", "#", "(config...)#" or a workstation's ":").
std::string prompt_host(const std::string& line) {
    const std::size_t end = line.find_first_of(">#(:");
    if (end == std::string::npos) return {};
    const std::string host = line.substr(0, end);
    return host.find(' ') == std::string::npos ? host : std::string{};
}

// Stops the replay of a page: the console cannot go on as the page does.
struct Parted {
    std::string why;
};

class PageReplay {
public:
    PageReplay(const std::string& lab, std::string page_name) : page_(std::move(page_name)) {
        // The clock stands still where the transcripts' does, so times and
        // uptimes print the same at every run.
        const std::time_t now = transcript_start();
        open_fresh_program(app_, folder_, now);
        app_.open_mode.start_as_router = false;
        app_.open_mode.start_as_switch = false;
        engine_ = std::make_unique<console::ConsoleEngine>(app_, dialogs_);
        engine_->form_load(console::ConsoleEngine::Clock::from_time_t(now));
        if (auto failure = press_load_the_lab(app_, lab)) throw Parted{*failure};
        boxes_seen_ = dialogs_.shown().size();
    }

    std::vector<std::string> run(const std::vector<PageBox>& boxes) {
        try {
            if (boxes.empty()) throw Parted{page_ + ": the page has no box"};
            if (text::trim(waiting_at()) == console::kStartRequest) {
                box_ = 1;
                need_words(boxes.front(), "Return", "the Return that starts the session");
                engine_->press(console::keys::enter);
            }
            for (std::size_t b = 0; b < boxes.size(); ++b) {
                box_ = b + 1;
                replay_box(boxes[b]);
            }
        } catch (const Parted& parted) {
            differences_.push_back(parted.why);
        }
        return differences_;
    }

private:
    std::vector<std::string> console_lines() const {
        auto lines = text::split(engine_->text(), "\r\n");
        for (auto& line : lines) line = rtrim(line);
        // The caret stays on the prompt line when the text goes on with an
        // empty line.
        if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
        return lines;
    }
    std::string waiting_at() const { return console_lines().back(); }

    std::string where() const { return page_ + ", box " + std::to_string(box_); }
    void differ(const std::string& what) { differences_.push_back(where() + ": " + what); }

    void need_words(const PageBox& box, const std::string& name, const std::string& what) {
        if (box.words_before.find(name) == std::string::npos &&
            box.words_after.find(name) == std::string::npos)
            differ(what + " is not named (" + quote(name) + ") in the words next to the box");
    }

    // A host name of the network, or the one the console shows now (a
    // telnet session's).
    bool is_host(const std::string& host) {
        if (host.empty()) return false;
        const auto hosts = console::device_host_names(app_);
        return host == app_.console.device.host_name ||
               std::find(hosts.begin(), hosts.end(), host) != hosts.end();
    }

    // A box that starts at another device's prompt moves the console there
    // with the network diagram, as the words before the box say.
    void move_to_device(const PageBox& box) {
        const std::string host = prompt_host(box.lines.front().text);
        if (host.empty() || host == app_.console.device.host_name) return;
        if (!console::select_device(*engine_, host)) return;
        if (box.words_before.find(host) == std::string::npos)
            differ("the console moves to " + host + ", which the words before the box do not name");
    }

    void replay_box(const PageBox& box) {
        if (box.lines.empty()) throw Parted{where() + ": the box is empty"};
        if (!starts_with(box.lines.front().text, waiting_at())) move_to_device(box);
        std::size_t i = 0;
        while (i < box.lines.size()) {
            const PageLine& line = box.lines[i];
            const std::string at = waiting_at();
            if (!starts_with(line.text, at))
                throw Parted{where() + ": the console waits at " + quote(at) + "; the page types " +
                             quote(line.text)};
            const bool last = i + 1 == box.lines.size();
            if (line.text == at && line.keys.empty() && line.answer.empty() && last) return;
            const std::vector<std::string> before = console_lines();
            act(box, line, at);
            const std::vector<std::string> after = console_lines();
            // The lines above the prompt stay unless the console starts
            // afresh (a logout), when all it shows is new.
            std::size_t first_printed = 0;
            if (after.size() >= before.size() &&
                std::equal(before.begin(), before.end() - 1, after.begin())) {
                const std::size_t typed = before.size() - 1;
                if (after[typed] != line.text)
                    differ("the console shows the line " + quote(line.text) + " as " +
                           quote(after[typed]));
                first_printed = typed + 1;
            }
            std::vector<std::string> printed;
            for (std::size_t k = first_printed; k + 1 < after.size(); ++k)
                if (!after[k].empty()) printed.push_back(after[k]);

            const std::string next_at = after.back();
            std::vector<std::string> shown;
            std::size_t j = i + 1;
            for (; j < box.lines.size(); ++j) {
                const std::string& text = box.lines[j].text;
                if (text != kCut && starts_with(text, next_at)) break;
                if (const std::string host = prompt_host(text); is_host(host))
                    throw Parted{where() + ": after " + quote(line.text) +
                                 " the console waits at " + quote(next_at) +
                                 "; the page goes on with " + quote(text) +
                                 (host == app_.console.device.host_name
                                      ? ""
                                      : ", another device's line: a change of device starts a "
                                        "box of its own")};
                shown.push_back(text);
            }
            if (!shows(shown, 0, printed, 0))
                differ("after " + quote(line.text) + "\n  the page shows:\n" + listing(shown) +
                       "  the console prints:\n" + listing(printed));
            i = j;
        }
    }

    // Types the line, or presses its keys, and answers the question box its
    // note answers; a listing is paged to its end with the space bar.
    void act(const PageBox& box, const PageLine& line, const std::string& at) {
        std::vector<NamedKey> keys;
        std::optional<platform::Answer> answer;
        try {
            keys = note_keys(line.keys);
            if (!line.answer.empty()) answer = answer_named(line.answer);
        } catch (const std::invalid_argument& error) {
            throw Parted{where() + ": " + quote(line.text) + ": " + error.what()};
        }
        if (answer) {
            need_words(box, line.answer, "the answer to the question box");
            dialogs_.next_answer(*answer);
        }
        if (!keys.empty()) {
            for (const auto& key : keys) {
                need_words(box, key.name, "the key " + key.name);
                for (const KeyEvent event : key.keys) engine_->press(event);
            }
        } else {
            if (line.text == at) need_words(box, "Return", "the Return at " + quote(at));
            engine_->type(line.text.substr(at.size()));
            engine_->press(console::keys::enter);
        }
        bool paged = false;
        while (app_.console.output.paging_active) {
            engine_->press(console::keys::character(' '));
            paged = true;
        }
        if (paged) {
            need_words(box, "--MORE--", "the pager after " + quote(line.text));
            need_words(box, "space bar", "the space bar at --MORE-- after " + quote(line.text));
        }
        const auto& shown = dialogs_.shown();
        bool asked = false;
        for (; boxes_seen_ < shown.size(); ++boxes_seen_) {
            const auto& dialog = shown[boxes_seen_];
            if (answer && !asked && dialog.kind == "question")
                asked = true;
            else
                differ("after " + quote(line.text) + " the console shows a " + dialog.kind +
                       " box the page does not note: " + dialog.text);
        }
        if (answer && !asked) {
            differ("the page answers " + line.answer + " after " + quote(line.text) +
                   ", but the console asks nothing");
            // The answer no box took must not answer a later one.
            while (dialogs_.answers_left() > 0)
                dialogs_.question("", "", true, platform::Icon::None);
        }
        boxes_seen_ = shown.size();
    }

    std::string page_;
    TempDir folder_;
    state::AppState app_;
    platform::ScriptedDialogs dialogs_;
    std::unique_ptr<console::ConsoleEngine> engine_;
    std::size_t boxes_seen_ = 0;
    std::size_t box_ = 0;
    std::vector<std::string> differences_;
};

}  // namespace

std::vector<PageBox> page_boxes(const std::string& html) {
    std::vector<PageBox> boxes;
    const std::size_t body = html.find("<body");
    std::size_t words_from = body == std::string::npos ? 0 : body;
    for (std::size_t open = html.find("<pre>", words_from); open != std::string::npos;
         open = html.find("<pre>", words_from)) {
        const std::size_t close = html.find("</pre>", open);
        if (close == std::string::npos) throw std::invalid_argument("a box is not closed");
        const std::string words =
            words_of(std::string_view(html).substr(words_from, open - words_from));
        if (!boxes.empty()) boxes.back().words_after = words;
        PageBox box;
        box.words_before = words;
        box.lines = box_lines(std::string_view(html).substr(open + 5, close - open - 5));
        boxes.push_back(std::move(box));
        words_from = close + 6;
    }
    if (!boxes.empty())
        boxes.back().words_after = words_of(std::string_view(html).substr(words_from));
    return boxes;
}

std::vector<std::string> replay_lab_page(const std::string& html, const std::string& lab,
                                         const std::string& page_name) {
    std::vector<PageBox> boxes;
    try {
        boxes = page_boxes(html);
    } catch (const std::invalid_argument& error) {
        return {page_name + ": " + error.what()};
    }
    try {
        PageReplay replay(lab, page_name);
        return replay.run(boxes);
    } catch (const Parted& parted) {
        return {page_name + ": " + parted.why};
    }
}

}  // namespace vexlab::test
