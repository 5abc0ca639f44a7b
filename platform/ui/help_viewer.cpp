#include "platform/ui/help_viewer.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vexlab::platform {

QPointer<HelpViewer> HelpViewer::instance_;

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmHelp");
    setWindowTitle("Vexlab Help");
    resize(760, 560);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    back_ = new QPushButton("&Back", this);
    forward_ = new QPushButton("&Forward", this);
    home_ = new QPushButton("&Contents", this);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(home_);
    bar->addStretch();
    layout->addLayout(bar);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);
    layout->addWidget(browser_);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QPushButton::clicked, this,
            [this] { browser_->setSource(QUrl::fromLocalFile(home_file_)); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
}

HelpViewer* HelpViewer::instance() {
    return instance_;
}

HelpViewer* HelpViewer::show_help(const QString& file) {
    if (!instance_) {
        instance_ = new HelpViewer;
        instance_->setAttribute(Qt::WA_DeleteOnClose);
    }
    instance_->home_file_ = file;
    if (QFileInfo::exists(file))
        instance_->browser_->setSource(QUrl::fromLocalFile(file));
    else
        instance_->browser_->setHtml("<h2>Help is not available</h2><p>The help page " +
                                     file.toHtmlEscaped() + " was not found.</p>");
    instance_->show();
    instance_->raise();
    instance_->activateWindow();
    return instance_;
}

QString HelpViewer::current_file() const {
    return browser_->source().toLocalFile();
}

}  // namespace vexlab::platform
