#pragma once
// The splash window: product name and version; any key or a click on its
// frame closes it.

#include <QWidget>

class QLabel;
class QFrame;

namespace vexlab::app {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(const QString& logo_path, QWidget* parent = nullptr);

    QLabel* lblVersion = nullptr;
    QLabel* lblProductName = nullptr;
    QFrame* Frame1 = nullptr;

    void Form_KeyPress();
    void Frame1_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vexlab::app
