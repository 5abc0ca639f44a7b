#pragma once
// Every question the program asks a person goes through this one interface:
// message boxes, yes/no questions, input boxes and file names.  The windows
// get the Qt implementation; tests script the answers and read back what was
// shown, so every road through a window runs offscreen.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_filter.h"

namespace vexlab::platform {

enum class Answer { Ok, Yes, No, Cancel };

// The picture a message box shows beside its text.  Critical is the stop sign.
enum class Icon { Critical, Exclamation, Information, Question, None };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    virtual void message(const std::string& title, const std::string& text, Icon icon) = 0;
    virtual Answer question(const std::string& title, const std::string& text, bool with_cancel,
                            Icon icon) = 0;
    // A message box with OK and Cancel: answers Ok or Cancel.
    virtual Answer ok_cancel(const std::string& title, const std::string& text, Icon icon) = 0;
    virtual std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                             const std::string& initial) = 0;
    // `filter` as the windows write it, "description|pattern" (file_filter.h).
    virtual std::optional<std::string> open_file_name(const std::string& title,
                                                      const std::string& folder,
                                                      const std::string& filter) = 0;
    // The name as typed, with the chosen kind's extension when it has none
    // (with_default_extension); a name the dialog cannot take as typed is
    // refused there with a message, never answered changed.
    virtual std::optional<std::string> save_file_name(const std::string& title,
                                                      const std::string& folder,
                                                      const std::string& filter) = 0;
};

// Answers from a script, in order; records everything shown.
class ScriptedDialogs : public UserDialogs {
public:
    struct Shown {
        std::string kind;  // "message", "question", "okcancel", "input", "open", "save"
        std::string title;
        std::string text;
        std::string buttons = {};  // a question's: "Yes No", "Yes No Cancel" or "OK Cancel"
        Icon icon = Icon::None;    // a message box's or a question's; None for the others
        std::string filter = {};   // a file dialog's, as the window wrote it
    };

    void next_answer(Answer answer) { answers_.push_back(answer); }
    void next_text(std::optional<std::string> text) { texts_.push_back(std::move(text)); }
    const std::vector<Shown>& shown() const { return shown_; }
    // The text each input box offered, in order.
    const std::vector<std::string>& offered() const { return offered_; }
    void clear() {
        shown_.clear();
        offered_.clear();
    }
    // Scripted answers no question has taken yet.
    std::size_t answers_left() const { return answers_.size(); }

    void message(const std::string& title, const std::string& text, Icon icon) override {
        shown_.push_back({"message", title, text, {}, icon});
    }
    Answer question(const std::string& title, const std::string& text, bool with_cancel,
                    Icon icon) override {
        shown_.push_back({"question", title, text, with_cancel ? "Yes No Cancel" : "Yes No", icon});
        if (answers_.empty()) return with_cancel ? Answer::Cancel : Answer::No;
        Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    // Unscripted, OK: the button a message box offers first.
    Answer ok_cancel(const std::string& title, const std::string& text, Icon icon) override {
        shown_.push_back({"okcancel", title, text, "OK Cancel", icon});
        if (answers_.empty()) return Answer::Ok;
        Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& initial) override {
        shown_.push_back({"input", title, prompt});
        offered_.push_back(initial);
        return take_text();
    }
    std::optional<std::string> open_file_name(const std::string& title, const std::string&,
                                              const std::string& filter) override {
        shown_.push_back({"open", title, {}, {}, Icon::None, filter});
        return take_text();
    }
    // The scripted text is what the user types; the answer gets the
    // extension as the real dialog's does.
    std::optional<std::string> save_file_name(const std::string& title, const std::string&,
                                              const std::string& filter) override {
        shown_.push_back({"save", title, {}, {}, Icon::None, filter});
        auto typed = take_text();
        if (typed && !typed->empty()) *typed = with_default_extension(*typed, filter);
        return typed;
    }

private:
    std::optional<std::string> take_text() {
        if (texts_.empty()) return std::nullopt;
        auto text = texts_.front();
        texts_.pop_front();
        return text;
    }

    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> texts_;
    std::vector<Shown> shown_;
    std::vector<std::string> offered_;
};

}  // namespace vexlab::platform
