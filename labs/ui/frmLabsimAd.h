#pragma once
// The editor of the example-labs list: adds sections and labs, renames a
// section, changes a lab's name and page, removes sections and labs.  The
// browser opens it for one operation and shows itself again when it closes.

#include <string>

#include "labs/example_labs.h"
#include "platform/ui/window_navigator.h"
#include "platform/user_dialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vexlab::state {
struct AppState;
}

namespace vexlab::labs {

enum class LabEditOperation { AddSection, AddLab, Edit, Remove };

class frmLabsimAd : public platform::FormWindow {
    Q_OBJECT
public:
    frmLabsimAd(state::AppState& app, platform::UserDialogs& dialogs);

    // Loads the window with the controls of `operation` enabled and shows it;
    // `opener` stays disabled until the window closes.
    void open(LabEditOperation operation, QWidget* opener);

    void Form_Load();
    void loadintotree();

    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void Command1_Click();  // Browse
    void Command2_Click();  // Add Section
    void Command4_Click();  // Add Lab
    void Command6_Click();  // Edit
    void Command3_Click();  // Remove
    void Command5_Click();  // Back

    LabEditOperation operation() const { return operation_; }

    QTreeWidget* TreeView1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;  // section name
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;  // lab name
    QLabel* Label3 = nullptr;
    QLineEdit* Text3 = nullptr;  // lab page
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;

private:
    void fit_tree();
    void refresh_tree();
    void tell(const std::string& text, platform::Icon icon);
    // True when the change was written; otherwise says why.
    bool saved(const SaveResult& result);
    void tell_gone(const std::string& what);
    // True when the typed name or page can stand in the list; otherwise
    // says why not.
    bool readable(const std::string& typed, const char* what);

    state::AppState& app_;
    platform::UserDialogs& dialogs_;
    ExampleLabsFile file_;
    LabEditOperation operation_ = LabEditOperation::AddSection;
    std::string selected_node_text_;
    // The section or lab the last node click chose.
    bool section_chosen_ = false;
    SectionRef chosen_section_;
    LabRef chosen_lab_;
    bool section_entry_found_ = false;
    bool lab_entry_found_ = false;
    std::string last_browsed_;  // the open dialog's file name, kept while loaded
};

}  // namespace vexlab::labs
