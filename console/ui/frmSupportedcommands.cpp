#include "console/ui/frmSupportedcommands.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vexlab::console {

frmSupportedcommands::frmSupportedcommands(const QString& page, const QString& logo)
    : page_(page), logo_(logo) {
    setObjectName("frmSupportedcommands");
    setWindowTitle("Supported Commands");
    resize(760, 600);
    auto* layout = new QVBoxLayout(this);
    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    layout->addWidget(Picture1);
    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName("WebBrowser1");
    layout->addWidget(WebBrowser1, 1);
    Command1 = new QPushButton("&Close", this);
    Command1->setObjectName("Command1");
    layout->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, &frmSupportedcommands::Command1_Click);
}

void frmSupportedcommands::Form_Load() {
    if (QFileInfo::exists(page_))
        WebBrowser1->setSource(QUrl::fromLocalFile(page_));
    else
        WebBrowser1->setHtml("<p>The list of supported commands was not found (" +
                             page_.toHtmlEscaped() + ").</p>");
    Picture1->setPixmap(QPixmap(logo_));  // a missing picture leaves the box empty
}

void frmSupportedcommands::Command1_Click() {
    close();
}

}  // namespace vexlab::console
