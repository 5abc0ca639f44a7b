#pragma once
// The list of the commands the simulator supports, as a page of the help.

#include "platform/ui/window_navigator.h"

class QLabel;
class QPushButton;
class QTextBrowser;

namespace vexlab::console {

class frmSupportedcommands : public platform::FormWindow {
    Q_OBJECT
public:
    frmSupportedcommands(const QString& page, const QString& logo);

    void Form_Load();
    void Command1_Click();  // Close

    QTextBrowser* WebBrowser1 = nullptr;
    QLabel* Picture1 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    QString page_, logo_;
};

}  // namespace vexlab::console
