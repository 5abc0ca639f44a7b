#include "labs/ui/frmLabs.h"

#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "console/ui/frmRoutSim.h"
#include "labs/example_lab_load.h"
#include "labs/ui/example_lab_tree.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::labs {

frmLabs::frmLabs(state::AppState& app, platform::UserDialogs& dialogs)
    : app_(app), dialogs_(dialogs), file_(app.program_folder) {
    setObjectName("frmLabs");
    setWindowTitle("Labs");
    resize(twips(kClientWidth), twips(kClientHeight));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    mnuFile = menuBar->addMenu("File");
    mnuFile->setObjectName("mnuFile");
    auto item = [this](QAction*& a, const char* name, const char* caption) {
        a = mnuFile->addAction(caption);
        a->setObjectName(name);
    };
    item(mnuAddSec, "mnuAddSec", "Add Section");
    item(mnuAddLab, "mnuAddLab", "Add Lab");
    item(mnuEdit, "mnuEdit", "Edit");
    item(mnuRem, "mnuRem", "Remove");
    mnupart = mnuFile->addSeparator();
    mnupart->setObjectName("mnupart");
    item(mnuOnTop, "mnuOnTop", "Always On Top");
    mnuOnTop->setCheckable(true);
    mnupart2 = mnuFile->addSeparator();
    mnupart2->setObjectName("mnupart2");
    item(mnuExit, "mnuExit", "E&xit");

    auto* panes = new QHBoxLayout;
    panes->setSpacing(0);
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName("TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setFixedWidth(twips(kTreeWidth));
    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setOpenLinks(true);
    // "Load the Lab" stands at the top right, on a strip of its own above
    // the page, so the page's text never passes under it.  The strip keeps
    // its height while the button is hidden: the page does not jump when a
    // lab is chosen.
    Command1 = new QPushButton("Load the Lab", this);
    Command1->setObjectName("Command1");
    Command1->setMinimumSize(twips(1700), twips(400));
    QSizePolicy keep_room = Command1->sizePolicy();
    keep_room.setRetainSizeWhenHidden(true);
    Command1->setSizePolicy(keep_room);
    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(0, twips(120), twips(240), twips(120));
    strip->addStretch(1);
    strip->addWidget(Command1);
    auto* page = new QVBoxLayout;
    page->setSpacing(0);
    page->addLayout(strip);
    page->addWidget(WebBrowser1, 1);
    panes->addWidget(TreeView1);
    panes->addLayout(page, 1);
    layout->addLayout(panes, 1);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setVisible(false);
    layout->addWidget(ProgressBar1);

    connect(TreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { TreeView1_NodeClick(node); });
    connect(Command1, &QPushButton::clicked, this, &frmLabs::Command1_Click);
    connect(mnuAddSec, &QAction::triggered, this, &frmLabs::mnuAddSec_Click);
    connect(mnuAddLab, &QAction::triggered, this, &frmLabs::mnuAddLab_Click);
    connect(mnuEdit, &QAction::triggered, this, &frmLabs::mnuEdit_Click);
    connect(mnuRem, &QAction::triggered, this, &frmLabs::mnuRem_Click);
    // The menu item's own check mark is the state: triggering it inverts the
    // mark, then the window follows.
    connect(mnuOnTop, &QAction::triggered, this, &frmLabs::apply_on_top);
    connect(mnuExit, &QAction::triggered, this, &frmLabs::mnuExit_Click);
}

frmLabs::~frmLabs() = default;

void frmLabs::open(LabsOpening from, QWidget* opener) {
    if (!loaded_) Form_Load();
    opened_from_ = from;
    opener_ = opener;
    switch (from) {
        case LabsOpening::MainMenu:
            app_.open_mode.labs_opened_from_main_menu = true;
            break;
        case LabsOpening::Console:
            app_.open_mode.labs_opened_from_console = true;
            break;
        case LabsOpening::Administrator:
            app_.open_mode.labs_opened_for_editing = true;
            break;
    }
    // Only the administrator edits the list; a learner never sees the menus.
    set_editing_menus(from == LabsOpening::Administrator);
    if (from != LabsOpening::Administrator) platform::place_frame(this, QPoint(0, twips(120)));
    platform::show_child(opener, this);
}

void frmLabs::set_editing_menus(bool available) {
    for (QAction* menu : {mnuAddLab, mnuEdit, mnuRem, mnuAddSec}) {
        menu->setVisible(available);
        menu->setEnabled(available);
    }
}

// Each load starts afresh: the tree read anew, the cover page, no lab chosen
// and the window no longer kept on top, at its own size whatever size Always
// On Top left it at.  A tree widened for its names widens the window by as
// much, so the page keeps its room.
void frmLabs::Form_Load() {
    Command1->setVisible(false);
    ProgressBar1->setVisible(false);
    if (mnuOnTop->isChecked()) mnuOnTop_Click();
    TreeView1->clear();
    if (auto refused = read_lab_tree(*TreeView1, file_))
        dialogs_.message("Vexlab", *refused, platform::Icon::Critical);
    const int wider = fit_tree_to_names(*TreeView1, twips(kTreeWidth)) - twips(kTreeWidth);
    resize(twips(kClientWidth) + wider, twips(kClientHeight));
    show_page(app_.program_file(kCoverPage));
    loaded_ = true;
}

void frmLabs::form_unload() {
    loaded_ = false;
    app_.open_mode.labs_opened_from_main_menu = false;
    // Handing over to the editor keeps the administrator's opening for when
    // the editor brings the window back.
    if (!handing_over_) app_.open_mode.labs_opened_for_editing = false;
    handing_over_ = false;
}

void frmLabs::show_page(const std::string& path) {
    WebBrowser1->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void frmLabs::TreeView1_NodeClick(QTreeWidgetItem* node) {
    if (!node) return;
    chosen_lab_name_ = node_text(*node);
    if (!node->parent()) {
        show_page(app_.program_file(kCoverPage));
        Command1->setVisible(false);
        return;
    }
    const std::string page = file_.find_lab_page(chosen_lab_name_);
    show_page(page.empty() ? app_.program_folder : program_path(app_.program_folder, page));
    Command1->setVisible(true);
}

void frmLabs::Command1_Click() {
    // The console comes first in every opening, so it never shows the
    // default network over a lab loaded into the working tables.
    console::frmRoutSim* console = open_console ? open_console() : nullptr;
    ProgressBar1->setRange(0, lab_load_steps());
    const LabLoadOutcome outcome = load_example_lab(app_, chosen_lab_name_, [this](int done) {
        ProgressBar1->setValue(done);
        ProgressBar1->setVisible(true);
        ProgressBar1->repaint();
    });
    switch (outcome.result) {
        case LabLoadResult::NotListed:
            dialogs_.message("Load Lab Failure", kLabNotListed, platform::Icon::Critical);
            break;
        case LabLoadResult::Refused:
            dialogs_.message("Load Lab Failure", outcome.message, platform::Icon::Critical);
            break;
        case LabLoadResult::Loaded:
            // The console, and its diagram, show the lab from now on.
            if (console) console->network_loaded();
            dialogs_.message("Load Lab Success", kLabLoaded, platform::Icon::None);
            break;
    }
    ProgressBar1->setVisible(false);
    if (!console) return;
    console->show();
    console->raise();
    console->activateWindow();
    console->Text1->setFocus();
}

void frmLabs::open_editor(LabEditOperation operation) {
    if (!editor_) {
        editor_ = std::make_unique<frmLabsimAd>(app_, dialogs_);
        connect(editor_.get(), &platform::FormWindow::unloaded, this, &frmLabs::editor_closed);
    }
    // The editor takes over the opener before this window lets it go.
    editor_->open(operation, opener_);
    handing_over_ = true;
    close();
}

void frmLabs::editor_closed() {
    open(LabsOpening::Administrator, opener_);
}

void frmLabs::mnuAddSec_Click() {
    open_editor(LabEditOperation::AddSection);
}
void frmLabs::mnuAddLab_Click() {
    open_editor(LabEditOperation::AddLab);
}
void frmLabs::mnuEdit_Click() {
    open_editor(LabEditOperation::Edit);
}
void frmLabs::mnuRem_Click() {
    open_editor(LabEditOperation::Remove);
}

// On top: a strip along the top-left of the screen that stays above the
// other windows while the learner types in the console; off again: back to
// an ordinary window.
void frmLabs::mnuOnTop_Click() {
    mnuOnTop->trigger();
}

void frmLabs::apply_on_top() {
    const bool on_top = mnuOnTop->isChecked();
    const bool was_visible = isVisible();
    // Changing the flag hides the window; it is placed before it comes back,
    // so that its title bar is on the screen.
    setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
    const QRect place = on_top ? QRect(0, 100, 800, 150) : QRect(0, 0, 500, 500);
    resize(place.size());
    platform::place_frame(this, place.topLeft());
    if (was_visible) show();
}

void frmLabs::mnuExit_Click() {
    close();
}

}  // namespace vexlab::labs
