#pragma once
// The Qt implementation of the questions the program asks.

#include <QPointer>
#include <QWidget>

#include "platform/user_dialogs.h"

namespace vexlab::platform {

class QtUserDialogs : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& title, const std::string& text, Icon icon) override;
    Answer question(const std::string& title, const std::string& text, bool with_cancel,
                    Icon icon) override;
    Answer ok_cancel(const std::string& title, const std::string& text, Icon icon) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& initial) override;
    std::optional<std::string> open_file_name(const std::string& title, const std::string& folder,
                                              const std::string& filter) override;
    std::optional<std::string> save_file_name(const std::string& title, const std::string& folder,
                                              const std::string& filter) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace vexlab::platform
