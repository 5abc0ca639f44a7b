#pragma once
// The network designer window: the palette, the canvas, the description box
// and the menus.  Every event goes to the designer model; the window shows
// what the model holds.

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "designer/designer_model.h"
#include "platform/ui/window_navigator.h"

class QAction;
class QDrag;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::platform {
class UserDialogs;
}

namespace vexlab::designer {

class CanvasIcons;
class DesignerCanvas;
class QtDialogHost;

class frmdesmain : public platform::FormWindow {
    Q_OBJECT
public:
    frmdesmain(db::DatabaseSession& session, platform::UserDialogs& dialogs,
               std::string program_folder);
    ~frmdesmain() override;

    // The window's load: runs at every opening.
    void Form_Load();

    DesignerModel& model() { return *model_; }
    QtDialogHost& dialog_host() { return *host_; }
    // Runs a drag that the palette or the canvas starts.  Tests replace it to
    // send the drop themselves.
    std::function<Qt::DropAction(QDrag&)> run_drag;

    // Handlers.
    void mnufileopen_Click();
    void mnufilesave_Click();
    void mnuExpCon_Click();
    void mnuExit_Click();
    void mndDrLine_Click();
    void mnucondev_Click();
    void mnudevprop_Click();
    void mnuremcon_Click();
    void mnuremdev_Click();
    void Text1_Click();
    void treDevices_MouseDown(QTreeWidgetItem* item, Qt::MouseButton button);
    void picNetwork_MouseDown(MouseButton button, double x, double y);
    std::optional<int> picNetwork_MouseMove(MouseButton button, double x, double y);
    void picNetwork_MouseUp();
    void picNetwork_DblClick();
    void picNetwork_DragDrop(const DropSource& source, double x, double y);

    // Controls, by the names the rest of the program knows them by.
    QMenuBar* menu_bar = nullptr;
    QLabel* Label1 = nullptr;
    QTreeWidget* treDevices = nullptr;
    DesignerCanvas* picNetwork = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QFrame* Line2 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnufileopen = nullptr;
    QAction* mnufilesave = nullptr;
    QAction* mnuExpCon = nullptr;
    QAction* mnuEx = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnutools = nullptr;
    QAction* mndDrLine = nullptr;
    QMenu* mnupopup = nullptr;
    QAction* mnucondev = nullptr;
    QAction* mnudevprop = nullptr;
    QAction* mnuremcon = nullptr;
    QAction* mnuremdev = nullptr;

protected:
    bool query_unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_menus();
    void build_palette();
    // The canvas as large as the area shown and whatever the drawing
    // reaches beyond it; the model told which part is shown.
    void fit_canvas();
    void tell_drawing_area();
    // Runs a handler: a failure is reported and the window shows the model
    // as it is afterwards.
    void act(const std::function<void()>& work);
    void refresh();
    void start_drag(const DropSource& source, const QPixmap& picture);
    void finish_drop();
    void report(const std::exception& error);
    std::string picture_bytes(const CanvasImage& image,
                              const std::vector<ConnectionLine>& lines) const;

    platform::UserDialogs& dialogs_;
    std::string program_folder_;
    std::unique_ptr<CanvasIcons> icons_;
    std::unique_ptr<QtDialogHost> host_;
    std::unique_ptr<DesignerModel> model_;
    QScrollArea* drawing_area_ = nullptr;
    // A drop waits here until the drag that brought it has ended.
    std::optional<std::tuple<DropSource, double, double>> pending_drop_;
    bool dragging_ = false;
    int shown_description_revision_ = -1;
    bool updating_text_ = false;
};

}  // namespace vexlab::designer
