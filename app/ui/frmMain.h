#pragma once
// The main window: the menus from which every working window is opened.

#include <QMainWindow>
#include <array>
#include <map>
#include <memory>

#include "app/main_model.h"
#include "platform/user_dialogs.h"

namespace vexlab::console {
class frmRoutSim;
}
namespace vexlab::labs {
class frmLabPractise;
class frmLabs;
}  // namespace vexlab::labs
namespace vexlab::designer {
class frmdesmain;
}
namespace vexlab::labcontent {
class AdminArea;
}

class QAction;
class QMenu;
class QFrame;

namespace vexlab::app {

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(state::AppState& state, platform::RegistryStore& registry,
            platform::UserDialogs& dialogs);
    ~frmMain() override;

    // The window's load: opens the database and builds the Lab Exercises
    // menus.  On failure it shows a message naming the file and the error
    // and answers false; the window is then not to be shown.
    bool Form_Load();
    void Form_Unload();

    MainWindowModel& model() { return model_; }
    // The console window, once it has been opened.
    console::frmRoutSim* routsim() const { return routsim_.get(); }
    // The lab practice window, once a lab exercise has been started.
    labs::frmLabPractise* labpractise() const { return labpractise_.get(); }
    // The network designer, once it has been opened.
    designer::frmdesmain* designer() const { return designer_.get(); }
    // The example-labs window, created on first use.
    labs::frmLabs* labs_window();
    // The administrator area, once the Administrator menu has been used.
    labcontent::AdminArea* admin() const { return admin_.get(); }

    // Menu handlers.
    void mnuRoutSim_Click();
    void mnuSwitSim_Click();
    void mnuNetSim_Click();
    void mnuload_Click();
    void mnuExLabs_Click();
    void mnuExit_Click();
    void mnucont_Click();
    void mnudisc_Click();
    void mnuabout_Click();
    void mnuadmin_Click();
    // A Lab Exercises item: group 1 to 10, the item's sublab index.
    void mnulab_Click(int group, int index);

    // Controls, by the names the rest of the program knows them by.
    QMenu* mnuRsim = nullptr;
    QAction* mnuRoutSim = nullptr;
    QAction* mnuSwitSim = nullptr;
    QAction* mnuNetSim = nullptr;
    QAction* mnuExLabs = nullptr;
    QAction* mnuEx = nullptr;
    QAction* mnuexit = nullptr;
    QMenu* mnunwdes = nullptr;
    QAction* mnuload = nullptr;
    QMenu* mnulabex = nullptr;
    std::array<QMenu*, 10> mnuMainlab{};             // groups 1 to 10
    std::array<std::map<int, QAction*>, 10> mnulab;  // item arrays; element 0 is the template
    QAction* mnuDash = nullptr;
    QMenu* mnuhelp = nullptr;
    QAction* mnucont = nullptr;
    QAction* mnudisc = nullptr;
    QAction* mnuadmin = nullptr;
    QAction* mnuabout = nullptr;
    QFrame* Line1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build_menus();
    void build_lab_menus();
    void open_console();
    bool load_console();
    console::frmRoutSim* console_for_lab();

    state::AppState& state_;
    platform::UserDialogs& dialogs_;
    MainWindowModel model_;
    bool unloaded_ = false;
    std::unique_ptr<console::frmRoutSim> routsim_;
    std::unique_ptr<labs::frmLabPractise> labpractise_;
    std::unique_ptr<designer::frmdesmain> designer_;
    std::unique_ptr<labs::frmLabs> labs_;
    std::unique_ptr<labcontent::AdminArea> admin_;
};

}  // namespace vexlab::app
