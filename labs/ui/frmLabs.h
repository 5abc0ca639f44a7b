#pragma once
// The example-labs browser: the lab tree on the left, the chosen lab's page
// on the right, and "Load the Lab", which puts the lab's network into the
// simulator console.  Opened from the administrator home it also offers the
// editing menus, each of which hands over to the editor.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "labs/example_labs.h"
#include "labs/ui/frmLabsimAd.h"
#include "platform/ui/window_navigator.h"

class QAction;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace vexlab::console {
class frmRoutSim;
}

namespace vexlab::labs {

enum class LabsOpening { MainMenu, Console, Administrator };

class frmLabs : public platform::FormWindow {
    Q_OBJECT
public:
    frmLabs(state::AppState& app, platform::UserDialogs& dialogs);
    ~frmLabs() override;

    // The client area at every load, in twips.
    static constexpr int kClientWidth = 11850;
    static constexpr int kClientHeight = 7800;
    // The lab tree's least width, in twips.
    static constexpr int kTreeWidth = 2580;

    // Loads the window unless it is open, and shows it: for browsing from the
    // main menu and the console, with the editing menus from the
    // administrator home.  `opener` stays disabled until the window, or the
    // editor it hands over to, closes; the console passes none, since it
    // stays usable beside the labs.
    void open(LabsOpening from, QWidget* opener);

    // The console "Load the Lab" loads into: the program opens it in network
    // mode when it is not open yet, and answers the window.
    std::function<console::frmRoutSim*()> open_console;

    void Form_Load();
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void Command1_Click();  // Load the Lab
    void mnuAddSec_Click();
    void mnuAddLab_Click();
    void mnuEdit_Click();
    void mnuRem_Click();
    void mnuOnTop_Click();
    void mnuExit_Click();

    bool loaded() const { return loaded_; }
    LabsOpening opened_from() const { return opened_from_; }
    const std::string& chosen_lab_name() const { return chosen_lab_name_; }
    frmLabsimAd* editor() const { return editor_.get(); }

    QMenuBar* menuBar = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QTextBrowser* WebBrowser1 = nullptr;
    QPushButton* Command1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuAddSec = nullptr;
    QAction* mnuAddLab = nullptr;
    QAction* mnuEdit = nullptr;
    QAction* mnuRem = nullptr;
    QAction* mnupart = nullptr;
    QAction* mnuOnTop = nullptr;
    QAction* mnupart2 = nullptr;
    QAction* mnuExit = nullptr;

protected:
    void form_unload() override;

private:
    void show_page(const std::string& path);
    void set_editing_menus(bool available);
    void apply_on_top();
    void open_editor(LabEditOperation operation);
    void editor_closed();

    state::AppState& app_;
    platform::UserDialogs& dialogs_;
    ExampleLabsFile file_;
    std::string chosen_lab_name_;
    LabsOpening opened_from_ = LabsOpening::MainMenu;
    QPointer<QWidget> opener_;
    bool loaded_ = false;
    bool handing_over_ = false;
    std::unique_ptr<frmLabsimAd> editor_;
};

}  // namespace vexlab::labs
