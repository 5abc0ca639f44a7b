#include "labs/ui/frmLabsimAd.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "labs/ui/example_lab_tree.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::labs {

namespace {

constexpr const char* kProgramTitle = "Vexlab";

using text::quoted;

void place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

constexpr int kTreeWidth = 2415;  // the tree's least width, in twips

}  // namespace

frmLabsimAd::frmLabsimAd(state::AppState& app, platform::UserDialogs& dialogs)
    : app_(app), dialogs_(dialogs), file_(app.program_folder) {
    setObjectName("frmLabsimAd");
    setWindowTitle("LabsAD");
    setFixedSize(twips(9690), twips(4755));

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName("TreeView1");
    TreeView1->setHeaderHidden(true);
    place(TreeView1, 0, 0, kTreeWidth, 4335);

    auto label = [this](QLabel*& l, const char* name, const char* caption) {
        l = new QLabel(caption, this);
        l->setObjectName(name);
        return l;
    };
    auto text = [this](QLineEdit*& t, const char* name) {
        t = new QLineEdit(this);
        t->setObjectName(name);
        return t;
    };
    auto button = [this](QPushButton*& b, const char* name, const char* caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    place(label(Label1, "Label1", "Section Name"), 2760, 360, 1455, 255);
    place(text(Text1, "Text1"), 4200, 360, 3735, 375);
    place(label(Label2, "Label2", "Lab Name"), 2760, 960, 1095, 375);
    place(text(Text2, "Text2"), 4200, 960, 3735, 375);
    place(label(Label3, "Label3", "Lab path"), 2760, 1560, 975, 375);
    place(text(Text3, "Text3"), 4200, 1560, 3735, 375);
    Text3->setReadOnly(true);  // filled by Browse or by a node click
    place(button(Command1, "Command1", "Browse"), 6720, 2040, 1155, 405);
    place(button(Command2, "Command2", "Add Section"), 2520, 2520, 1395, 450);
    place(button(Command4, "Command4", "Add Lab"), 3960, 2520, 1395, 450);
    place(button(Command6, "Command6", "Edit"), 5400, 2520, 1395, 450);
    place(button(Command3, "Command3", "Remove"), 6840, 2520, 1395, 450);
    place(button(Command5, "Command5", "Back"), 8280, 2520, 1395, 450);

    connect(TreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { TreeView1_NodeClick(node); });
    connect(Command1, &QPushButton::clicked, this, &frmLabsimAd::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmLabsimAd::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &frmLabsimAd::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &frmLabsimAd::Command6_Click);
    connect(Command3, &QPushButton::clicked, this, &frmLabsimAd::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &frmLabsimAd::Command5_Click);
}

void frmLabsimAd::open(LabEditOperation operation, QWidget* opener) {
    Form_Load();
    operation_ = operation;
    switch (operation) {
        case LabEditOperation::AddSection:
            Text1->setEnabled(true);
            Command2->setEnabled(true);
            break;
        case LabEditOperation::AddLab:
            for (QWidget* w : std::initializer_list<QWidget*>{Text2, Text3, Command4, Command1})
                w->setEnabled(true);
            break;
        case LabEditOperation::Edit:
            Command6->setEnabled(true);
            break;
        case LabEditOperation::Remove:
            Command3->setEnabled(true);
            break;
    }
    platform::show_child(opener, this);
}

// Every opening starts from the design state: empty boxes, only Back enabled.
void frmLabsimAd::Form_Load() {
    for (QLineEdit* box : {Text1, Text2, Text3}) {
        box->clear();
        box->setEnabled(false);
    }
    for (QPushButton* b : {Command1, Command2, Command4, Command6, Command3}) b->setEnabled(false);
    Command5->setEnabled(true);
    last_browsed_.clear();
    TreeView1->clear();
    selected_node_text_.clear();
    section_chosen_ = false;
    loadintotree();
}

void frmLabsimAd::loadintotree() {
    if (auto refused = read_lab_tree(*TreeView1, file_))
        dialogs_.message(kProgramTitle, *refused, platform::Icon::Critical);
    fit_tree();
}

// The tree is as wide as its longest name; the controls beside it move
// over by as much, and the window widens with them.
void frmLabsimAd::fit_tree() {
    const int before = TreeView1->width();
    const int shift = fit_tree_to_names(*TreeView1, twips(kTreeWidth)) - before;
    if (shift == 0) return;
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control != TreeView1) control->move(control->x() + shift, control->y());
    setFixedSize(width() + shift, height());
}

void frmLabsimAd::refresh_tree() {
    TreeView1->clear();
    loadintotree();
}

void frmLabsimAd::tell(const std::string& text, platform::Icon icon) {
    dialogs_.message(kProgramTitle, text, icon);
}

bool frmLabsimAd::saved(const SaveResult& result) {
    if (result.gone) {
        tell_gone(result.error);
        return false;
    }
    if (!result)
        tell("The list of labs could not be saved; it is as it was.\n\n" + result.error,
             platform::Icon::Critical);
    return result.saved;
}

// Another window or instance changed the list since it was shown: nothing
// is written, and the tree shows the list as it is now.
void frmLabsimAd::tell_gone(const std::string& what) {
    tell("The list of labs was changed meanwhile: " + what + ". Nothing was written.",
         platform::Icon::Exclamation);
    refresh_tree();
    selected_node_text_.clear();
    section_chosen_ = false;
    section_entry_found_ = lab_entry_found_ = false;
}

bool frmLabsimAd::readable(const std::string& typed, const char* what) {
    const auto why = unreadable_entry(typed);
    if (why) tell(std::string("The ") + what + " cannot be used: " + *why, platform::Icon::None);
    return !why;
}

void frmLabsimAd::TreeView1_NodeClick(QTreeWidgetItem* node) {
    if (!node) return;
    TreeView1->setCurrentItem(node);
    selected_node_text_ = node_text(*node);
    // The node itself is what is changed, not the first of its name; its
    // place outlasts the tree's refresh after a change.
    section_chosen_ = !node->parent();
    chosen_section_ = section_chosen_ ? section_of(*node) : SectionRef{};
    chosen_lab_ = section_chosen_ ? LabRef{} : lab_of(*node);
    if (operation_ != LabEditOperation::Edit) return;

    for (QWidget* w : std::initializer_list<QWidget*>{Text1, Text2, Text3, Command1})
        w->setEnabled(true);
    section_entry_found_ = !node->parent() && file_.holds(chosen_section_);
    lab_entry_found_ = node->parent() && file_.holds(chosen_lab_);
    if (section_entry_found_) {
        for (QWidget* w : std::initializer_list<QWidget*>{Text2, Text3, Command1})
            w->setEnabled(false);
        Text1->setText(node->text(0));
    } else if (lab_entry_found_) {
        Text1->setEnabled(false);
        Text2->setText(node->text(0));
        if (auto page = file_.lab_page(chosen_lab_)) Text3->setText(QString::fromStdString(*page));
    }
}

// Pages are kept relative to the program folder, so the list works wherever
// the program is installed; a page elsewhere could not be shown later.
void frmLabsimAd::Command1_Click() {
    std::optional<std::string> chosen =
        dialogs_.open_file_name("Open", app_.program_file("labs"), "html(*.html)|*.html");
    if (!chosen || chosen->empty()) {
        // The dialog still holds the file chosen before in this opening.
        if (!last_browsed_.empty()) Text3->setText(QString::fromStdString(last_browsed_));
        return;
    }
    std::optional<std::string> stored = stored_page_path(app_.program_folder, *chosen);
    if (!stored) {
        tell("Please choose a page inside the program folder " + app_.program_folder + ".",
             platform::Icon::Exclamation);
        return;
    }
    last_browsed_ = *stored;
    Text3->setText(QString::fromStdString(*stored));
}

// Names are checked as the tree will show them: " Routing" is the section
// "Routing" again.
void frmLabsimAd::Command2_Click() {
    const std::string name = Text1->text().toStdString();
    if (shown_name(name).empty()) {
        tell("please enter the section name", platform::Icon::None);
        Text1->setFocus();
        return;
    }
    if (!readable(name, "section name")) return;
    if (file_.section_exists(shown_name(name))) {
        tell("this section name already exists,Please choose another section name",
             platform::Icon::None);
        return;
    }
    if (saved(file_.append_section(name))) refresh_tree();
}

void frmLabsimAd::Command4_Click() {
    const std::string lab = Text2->text().toStdString();
    const std::string page = Text3->text().toStdString();
    if (shown_name(lab).empty() || page.empty()) {
        tell("please fill the details properly", platform::Icon::None);
        Text2->setFocus();
        return;
    }
    if (!readable(lab, "lab name") || !readable(page, "lab path")) return;
    // The lab goes into the section node clicked last, and only into it.
    if (!section_chosen_ || !file_.holds(chosen_section_)) {
        tell("Please selct the section", platform::Icon::None);
        return;
    }
    if (file_.lab_exists_in_section(chosen_section_, shown_name(lab))) {
        tell("this lab name already exis,please choose another lab name", platform::Icon::None);
        return;
    }
    if (saved(file_.add_lab(chosen_section_, lab, page))) refresh_tree();
}

void frmLabsimAd::Command6_Click() {
    if (selected_node_text_.empty()) {
        tell("please select either section or lab", platform::Icon::None);
        return;
    }
    if (!section_entry_found_ && !lab_entry_found_) {
        tell_gone((section_chosen_ ? "the section " : "the lab ") + quoted(selected_node_text_) +
                  " is no longer in the list");
        return;
    }
    if (section_entry_found_) {
        const std::string name = Text1->text().toStdString();
        if (!readable(name, "section name")) return;
        if (shown_name(name) != chosen_section_.name && file_.section_exists(shown_name(name))) {
            tell("this Section name already exis,please choose another lab name",
                 platform::Icon::None);
            return;
        }
        if (!saved(file_.rename_section(chosen_section_, name))) return;
    } else if (lab_entry_found_) {
        const std::string lab = Text2->text().toStdString();
        const std::string page = Text3->text().toStdString();
        if (!readable(lab, "lab name") || !readable(page, "lab path")) return;
        if (shown_name(lab) != chosen_lab_.name &&
            file_.lab_exists_in_section(chosen_lab_.section, shown_name(lab))) {
            tell("this lab name already exis,please choose another lab name", platform::Icon::None);
            return;
        }
        if (!saved(file_.replace_lab(chosen_lab_, lab, page))) return;
    }
    refresh_tree();
}

// Only the node that was clicked goes, from the tree and from the list:
// another section or lab of the same name stays.
void frmLabsimAd::Command3_Click() {
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (selected_node_text_.empty() || !node) {
        tell("please select either section or lab", platform::Icon::None);
        return;
    }
    if (dialogs_.question("confirm file deletion",
                          "Are you sure you want to remove " + selected_node_text_, false,
                          platform::Icon::None) != platform::Answer::Yes)
        return;
    const SectionRef section = node->parent() ? SectionRef{} : section_of(*node);
    const LabRef lab = node->parent() ? lab_of(*node) : LabRef{};
    if (node->parent() ? !saved(file_.remove_lab(lab)) : !saved(file_.remove_section(section)))
        return;
    delete node;  // with its children; the tree is not read again
    selected_node_text_.clear();
    section_chosen_ = false;
}

void frmLabsimAd::Command5_Click() {
    close();
}

}  // namespace vexlab::labs
