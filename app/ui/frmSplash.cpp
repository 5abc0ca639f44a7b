#include "app/ui/frmSplash.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace vexlab::app {

frmSplash::frmSplash(const QString& logo_path, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen) {
    setObjectName("frmSplash");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* outer = new QVBoxLayout(this);
    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::Box);
    outer->addWidget(Frame1);
    auto* layout = new QVBoxLayout(Frame1);
    auto* logo = new QLabel(Frame1);
    logo->setPixmap(QPixmap(logo_path));  // a missing picture leaves it empty
    layout->addWidget(logo);
    lblProductName = new QLabel(QCoreApplication::applicationName(), Frame1);
    lblProductName->setObjectName("lblProductName");
    layout->addWidget(lblProductName);
    lblVersion = new QLabel("Version " + QCoreApplication::applicationVersion(), Frame1);
    lblVersion->setObjectName("lblVersion");
    layout->addWidget(lblVersion);
    Frame1->installEventFilter(this);
}

void frmSplash::Form_KeyPress() {
    close();
}
void frmSplash::Frame1_Click() {
    close();
}

void frmSplash::keyPressEvent(QKeyEvent*) {
    Form_KeyPress();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        Frame1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vexlab::app
