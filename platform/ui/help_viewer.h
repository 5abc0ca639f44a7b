#pragma once
// The help window: shows the program's HTML help pages, with links between
// them, back and forward.

#include <QPointer>
#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace vexlab::platform {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows `file` in the one help window, creating it on first use.
    static HelpViewer* show_help(const QString& file);
    static HelpViewer* instance();

    QTextBrowser* browser() const { return browser_; }
    QString current_file() const;

private:
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* home_;
    QString home_file_;
    static QPointer<HelpViewer> instance_;
};

}  // namespace vexlab::platform
