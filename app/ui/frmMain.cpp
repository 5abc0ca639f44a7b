#include "app/ui/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QMenuBar>

#include "console/ui/frmRoutSim.h"
#include "designer/ui/frmdesmain.h"
#include "labcontent/ui/admin_area.h"
#include "labs/ui/frmLabPractise.h"
#include "labs/ui/frmLabs.h"
#include "platform/db_session.h"
#include "platform/ui/key_injection.h"
#include "platform/ui/window_navigator.h"

namespace vexlab::app {

namespace {

// Window sizes are designed in twips; 15 twips make a pixel at 96 dpi.
constexpr int twips(int value) {
    return value / 15;
}

const char* const kGroupNames[10] = {
    "mnuMainlab1", "mnuMainLab2", "mnuMainLab3", "mnuMainLab4", "mnuMainLab5",
    "mnuMainlab6", "mnuMainlab7", "mnuMainlab8", "mnuMainlab9", "mnuMainlab10",
};

}  // namespace

frmMain::frmMain(state::AppState& state, platform::RegistryStore& registry,
                 platform::UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs), model_(state, registry) {
    setObjectName("frmMain");
    setWindowTitle("Router SImulator");
    auto* client = new QWidget(this);
    client->setFixedSize(twips(11880), twips(7830));
    Line1 = new QFrame(client);
    Line1->setObjectName("Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(0, 0, twips(11880), 2);
    setCentralWidget(client);
    build_menus();
}

frmMain::~frmMain() = default;

void frmMain::build_menus() {
    QMenuBar* bar = menuBar();
    auto action = [](QMenu* menu, const char* name, const char* caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };

    mnuRsim = bar->addMenu("&Simulator");
    mnuRsim->setObjectName("mnuRsim");
    mnuRoutSim = action(mnuRsim, "mnuRoutSim", "&Router Simulator");
    mnuSwitSim = action(mnuRsim, "mnuSwitSim", "&Switch Simulator");
    mnuNetSim = action(mnuRsim, "mnuNetSim", "&Network Simulator");
    mnuExLabs = action(mnuRsim, "mnuExLabs", "&Example Labs");
    mnuEx = mnuRsim->addSeparator();
    mnuEx->setObjectName("mnuEx");
    mnuexit = action(mnuRsim, "mnuexit", "E&xit");

    mnunwdes = bar->addMenu("&Network Designer");
    mnunwdes->setObjectName("mnunwdes");
    mnuload = action(mnunwdes, "mnuload", "Open Network Designer");

    mnulabex = bar->addMenu("&Lab Exercises");
    mnulabex->setObjectName("mnulabex");
    for (int g = 0; g < 10; ++g) {
        QMenu* group = mnulabex->addMenu(QString("Lab%1").arg(g + 1));
        group->setObjectName(kGroupNames[g]);
        group->menuAction()->setVisible(false);
        mnuMainlab[static_cast<std::size_t>(g)] = group;
        QAction* templ = group->addAction(kSublabTemplateCaption);
        templ->setObjectName(QString("mnulab%1_0").arg(g + 1));
        templ->setEnabled(false);
        mnulab[static_cast<std::size_t>(g)][0] = templ;
    }
    mnuDash = mnulabex->addSeparator();
    mnuDash->setObjectName("mnuDash");

    mnuhelp = bar->addMenu("&Help");
    mnuhelp->setObjectName("mnuhelp");
    mnucont = action(mnuhelp, "mnucont", "&Contents");
    mnudisc = action(mnuhelp, "mnudisc", "&Disclaimer");
    mnuadmin = action(mnuhelp, "mnuadmin", "&Administrator");
    mnuabout = action(mnuhelp, "mnuabout", "&About");

    // The windows these open are not part of the program yet.

    connect(mnuRoutSim, &QAction::triggered, this, &frmMain::mnuRoutSim_Click);
    connect(mnuSwitSim, &QAction::triggered, this, &frmMain::mnuSwitSim_Click);
    connect(mnuNetSim, &QAction::triggered, this, &frmMain::mnuNetSim_Click);
    connect(mnuload, &QAction::triggered, this, &frmMain::mnuload_Click);
    connect(mnuExLabs, &QAction::triggered, this, &frmMain::mnuExLabs_Click);
    connect(mnuexit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnucont, &QAction::triggered, this, &frmMain::mnucont_Click);
    connect(mnudisc, &QAction::triggered, this, &frmMain::mnudisc_Click);
    connect(mnuabout, &QAction::triggered, this, &frmMain::mnuabout_Click);
    connect(mnuadmin, &QAction::triggered, this, &frmMain::mnuadmin_Click);
}

bool frmMain::Form_Load() {
    try {
        model_.form_load();
    } catch (const StartError& error) {
        dialogs_.message("Vexlab", error.what(), platform::Icon::Critical);
        return false;
    }
    build_lab_menus();
    return true;
}

void frmMain::build_lab_menus() {
    const LabMenus& menus = model_.lab_menus();
    for (std::size_t g = 0; g < menus.groups.size(); ++g) {
        const LabMenuGroup& group = menus.groups[g];
        QMenu* menu = mnuMainlab[g];
        for (const auto& [index, caption] : group.items) {
            QAction* item = menu->addAction(QString::fromStdString(caption));
            item->setObjectName(QString("mnulab%1_%2").arg(g + 1).arg(index));
            const int group_number = static_cast<int>(g) + 1, item_index = index;
            connect(item, &QAction::triggered, this,
                    [this, group_number, item_index] { mnulab_Click(group_number, item_index); });
            mnulab[g][index] = item;
        }
        menu->setTitle(QString::fromStdString(group.caption));
        menu->menuAction()->setVisible(group.visible);
        mnulab[g][0]->setVisible(group.template_visible);
    }
}

void frmMain::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    model_.form_unload();
}

// The open windows unload first, while the database is still open; one that
// declines to close keeps the program running.
void frmMain::closeEvent(QCloseEvent* event) {
    const std::initializer_list<platform::FormWindow*> children = {
        routsim_.get(), labpractise_.get(), designer_.get(), labs_.get()};
    for (platform::FormWindow* child : children)
        if (child && child->isVisible() && !child->close()) {
            event->ignore();
            return;
        }
    Form_Unload();
    event->accept();
    QApplication::quit();
}

void frmMain::mnuRoutSim_Click() {
    model_.router_simulator_chosen();
    open_console();
}

void frmMain::mnuSwitSim_Click() {
    model_.switch_simulator_chosen();
    open_console();
}

void frmMain::mnuNetSim_Click() {
    open_console();
}

// The console is loaded (its load resets the default network) before the
// main window gives up its input.
void frmMain::open_console() {
    if (load_console()) platform::show_child(this, routsim_.get());
}

bool frmMain::load_console() {
    try {
        if (!routsim_) {
            routsim_ = std::make_unique<console::frmRoutSim>(state_, dialogs_);
            connect(routsim_.get(), &console::frmRoutSim::view_labs_requested, this,
                    [this] { labs_window()->open(labs::LabsOpening::Console, nullptr); });
            // The labs go with the console that showed them.
            connect(routsim_.get(), &platform::FormWindow::unloaded, this, [this] {
                if (labs_ && labs_->loaded()) labs_->close();
            });
        }
        routsim_->Form_Load();
    } catch (const std::exception& error) {
        state_.open_mode.start_as_router = state_.open_mode.start_as_switch = false;
        dialogs_.message("Vexlab",
                         "The console could not be opened.\n\n" + db::failure_text_for_user(error),
                         platform::Icon::Critical);
        return false;
    }
    return true;
}

// Load the Lab puts the lab into the open console, or into a console it
// opens in network mode; that console keeps the main window disabled
// until it closes, like one opened from the menu.
console::frmRoutSim* frmMain::console_for_lab() {
    if (routsim_ && routsim_->isVisible()) return routsim_.get();
    if (!load_console()) return nullptr;
    platform::show_child(this, routsim_.get());
    return routsim_.get();
}

labs::frmLabs* frmMain::labs_window() {
    if (!labs_) {
        labs_ = std::make_unique<labs::frmLabs>(state_, dialogs_);
        labs_->open_console = [this] { return console_for_lab(); };
    }
    return labs_.get();
}

void frmMain::mnuExLabs_Click() {
    labs_window()->open(labs::LabsOpening::MainMenu, this);
}

// The exercise's window is loaded before the main window gives up its
// input; the main window has it back when the score that ends the run closes.
void frmMain::mnulab_Click(int group, int index) {
    model_.lab_item_chosen(group, index);
    try {
        if (!labpractise_) {
            labpractise_ = std::make_unique<labs::frmLabPractise>(state_, dialogs_);
            connect(labpractise_.get(), &labs::frmLabPractise::run_finished, this,
                    [this] { setEnabled(true); });
        }
        labpractise_->Form_Load();
    } catch (const std::exception& error) {
        dialogs_.message(
            "Vexlab",
            "The lab exercise could not be opened.\n\n" + db::failure_text_for_user(error),
            platform::Icon::Critical);
        return;
    }
    setEnabled(false);
    labpractise_->show();
    labpractise_->raise();
    labpractise_->activateWindow();
}

// The designer is loaded (its load empties the designer tables) before the
// main window gives up its input.
void frmMain::mnuload_Click() {
    try {
        if (!designer_)
            designer_ = std::make_unique<designer::frmdesmain>(state_.session, dialogs_,
                                                               state_.program_folder);
        designer_->Form_Load();
    } catch (const std::exception& error) {
        dialogs_.message(
            "Vexlab",
            "The network designer could not be opened.\n\n" + db::failure_text_for_user(error),
            platform::Icon::Critical);
        return;
    }
    platform::show_child(this, designer_.get());
}

// The main window waits while the administrator area is open; it has its
// input back when the area is left, whichever window leaves it.
void frmMain::mnuadmin_Click() {
    if (!admin_) {
        admin_ = std::make_unique<labcontent::AdminArea>(state_, dialogs_);
        connect(admin_.get(), &labcontent::AdminArea::finished, this, [this] { setEnabled(true); });
        admin_->open_example_labs = [this](QWidget* home) {
            labs_window()->open(labs::LabsOpening::Administrator, home);
        };
    }
    setEnabled(false);
    admin_->start();
}

void frmMain::mnuExit_Click() {
    close();
}

// The help items name the help page, then press the help key in the active
// window; the help key opens the named page.
void frmMain::mnucont_Click() {
    model_.help_chosen();
    QWidget* active = QApplication::activeWindow();
    platform::send_key(active ? active : this, Qt::Key_F1);
}

void frmMain::mnudisc_Click() {
    mnucont_Click();
}
void frmMain::mnuabout_Click() {
    mnucont_Click();
}

}  // namespace vexlab::app
