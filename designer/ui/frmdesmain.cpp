#include "designer/ui/frmdesmain.h"

#include <QApplication>
#include <QBuffer>
#include <QDrag>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "designer/ui/canvas_painter.h"
#include "designer/ui/designer_canvas.h"
#include "designer/ui/designer_windows.h"
#include "platform/db_session.h"
#include "platform/user_dialogs.h"

namespace vexlab::designer {

namespace {

// Window places are designed in twips; 15 twips make a pixel at 96 dpi.
constexpr int twips(int value) {
    return value / 15;
}

// The drawing area at the window's own size: right of the palette, from
// under the caption down to the window's bottom edge.
const QSize kDrawingAreaSize(twips(8775), twips(7530 - 240));

// The text box shows line breaks as the window system does; the model keeps
// CR LF, as the files do.
QString shown_text(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n");
}

std::string model_text(const QString& text) {
    QString copy = text;
    return copy.replace("\r\n", "\n").replace("\n", "\r\n").toStdString();
}

QCursor cursor_from(const std::string& path, Qt::CursorShape fallback) {
    QPixmap picture(QString::fromStdString(path));
    if (picture.isNull()) return QCursor(fallback);
    return QCursor(picture, picture.width() / 2, picture.height() / 2);
}

}  // namespace

frmdesmain::frmdesmain(db::DatabaseSession& session, platform::UserDialogs& dialogs,
                       std::string program_folder)
    : dialogs_(dialogs), program_folder_(std::move(program_folder)) {
    setObjectName("frmdesmain");
    setWindowTitle("Network Map Designer");
    icons_ = std::make_unique<CanvasIcons>(program_folder_);
    host_ = std::make_unique<QtDialogHost>(this, [this](const std::exception& e) { report(e); });
    model_ = std::make_unique<DesignerModel>(session, dialogs_, *host_, program_folder_);
    run_drag = [](QDrag& drag) { return drag.exec(Qt::CopyAction | Qt::MoveAction); };

    // The palette and the description keep their width on the left; the
    // drawing area takes the rest of the window, down to its bottom edge.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menu_bar = new QMenuBar(this);
    layout->setMenuBar(menu_bar);
    Line2 = new QFrame(this);
    Line2->setObjectName("Line2");
    Line2->setFixedHeight(1);
    Line2->setAutoFillBackground(true);
    QPalette highlight = Line2->palette();
    highlight.setColor(QPalette::Window, highlight.color(QPalette::Highlight));
    Line2->setPalette(highlight);
    layout->addWidget(Line2);

    QFont arial("Arial");
    arial.setPointSize(8);
    Label1 = new QLabel("Devices And Connectors:              Network Design Area:", this);
    Label1->setObjectName("Label1");
    Label1->setFont(arial);
    Label1->setFixedHeight(twips(255));
    layout->addWidget(Label1);

    auto* panes = new QHBoxLayout;
    panes->setSpacing(0);
    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    treDevices = new QTreeWidget(this);
    treDevices->setObjectName("treDevices");
    treDevices->setFont(arial);
    treDevices->setHeaderHidden(true);
    treDevices->setFixedWidth(twips(3135));
    treDevices->setMinimumHeight(twips(3135));
    treDevices->viewport()->installEventFilter(this);
    // The palette takes most of the height the window gains, until it
    // shows every item.
    left->addWidget(treDevices, 2);
    Label2 = new QLabel("Network Description:", this);
    Label2->setObjectName("Label2");
    Label2->setFont(arial);
    Label2->setFixedSize(twips(3135), twips(255));
    left->addWidget(Label2);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setFont(arial);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setFixedWidth(twips(3135));
    Text1->setMinimumHeight(twips(2895));
    Text1->viewport()->installEventFilter(this);
    left->addWidget(Text1, 1);
    panes->addLayout(left);

    // The canvas covers the whole area shown, and grows beyond it (with
    // scroll bars) only where the drawing reaches further, as after the
    // window was made smaller.
    picNetwork = new DesignerCanvas(*model_, *icons_, this);
    drawing_area_ = new QScrollArea(this);
    drawing_area_->setObjectName("drawing_area");
    drawing_area_->setFrameShape(QFrame::NoFrame);
    drawing_area_->setMinimumSize(kDrawingAreaSize);
    drawing_area_->setWidget(picNetwork);
    drawing_area_->viewport()->installEventFilter(this);
    for (QScrollBar* bar :
         {drawing_area_->horizontalScrollBar(), drawing_area_->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, &frmdesmain::tell_drawing_area);
    panes->addWidget(drawing_area_, 1);
    layout->addLayout(panes, 1);
    model_->text_size = [](const std::string& text) { return canvas_text_size(text); };
    resize(minimumSizeHint());

    connect(Text1, &QPlainTextEdit::textChanged, this, [this] {
        if (!updating_text_) model_->Text1_Change(model_text(Text1->toPlainText()));
    });
    picNetwork->on_mouse_down = [this](MouseButton b, double x, double y) {
        picNetwork_MouseDown(b, x, y);
    };
    picNetwork->on_mouse_move = [this](MouseButton b, double x, double y) {
        return picNetwork_MouseMove(b, x, y);
    };
    picNetwork->on_mouse_up = [this] { picNetwork_MouseUp(); };
    picNetwork->on_double_click = [this] { picNetwork_DblClick(); };
    picNetwork->on_drop = [this](const DropSource& source, double x, double y) {
        pending_drop_ = std::make_tuple(source, x, y);
        // A drop that ends no drag of this window (the window system can
        // deliver it after the drag has returned) is finished once the event
        // that brought it is done.
        if (!dragging_)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (pending_drop_) finish_drop();
                },
                Qt::QueuedConnection);
    };
    picNetwork->on_start_drag = [this](int row) {
        const auto& devices = model_->devices();
        QPixmap picture;
        if (row >= 0 && row < static_cast<int>(devices.size()))
            if (auto group = model_group(devices[row].model)) picture = icons_->icon(*group);
        start_drag({DropSource::Kind::Device, {}, row}, picture);
    };
    build_menus();
    host_->popup = mnupopup;
    model_->render_picture = [this](const CanvasImage& image,
                                    const std::vector<ConnectionLine>& lines) {
        return picture_bytes(image, lines);
    };
}

// The exported picture: the canvas drawn afresh, lines included, as a
// bitmap of the drawing area's size at the window's own size, or larger
// where the drawing reaches further (however large the window was made).
std::string frmdesmain::picture_bytes(const CanvasImage& image,
                                      const std::vector<ConnectionLine>& lines) const {
    const QSize size = painted_size(image, lines).expandedTo(kDrawingAreaSize);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(canvas_background());
    {
        QPainter painter(&picture);
        paint_canvas(painter, image, lines, *icons_);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "BMP")) throw std::runtime_error("The picture could not be drawn.");
    return bytes.toStdString();
}

// The child widgets outlive the model by a moment (the base class deletes
// them): nothing they send may reach it then.
frmdesmain::~frmdesmain() {
    Text1->disconnect(this);
    picNetwork->on_mouse_down = nullptr;
    picNetwork->on_mouse_move = nullptr;
    picNetwork->on_mouse_up = nullptr;
    picNetwork->on_double_click = nullptr;
    picNetwork->on_drop = nullptr;
    picNetwork->on_start_drag = nullptr;
    delete picNetwork;
    picNetwork = nullptr;
}

void frmdesmain::build_menus() {
    auto action = [](QMenu* menu, const char* name, const char* caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    mnuFile = menu_bar->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    mnufileopen = action(mnuFile, "mnufileopen", "&Open Config File");
    mnufilesave = action(mnuFile, "mnufilesave", "&Save Configuaration");
    mnuExpCon = action(mnuFile, "mnuExpCon", "&Export Configuration");
    mnuEx = mnuFile->addSeparator();
    mnuEx->setObjectName("mnuEx");
    mnuExit = action(mnuFile, "mnuExit", "E&xit");
    mnutools = menu_bar->addMenu("&Tools");
    mnutools->setObjectName("mnutools");
    mndDrLine = action(mnutools, "mndDrLine", "Draw &Line");
    mnutools->menuAction()->setVisible(false);
    mnupopup = menu_bar->addMenu("popupmenu");
    mnupopup->setObjectName("mnupopup");
    mnucondev = action(mnupopup, "mnucondev", "Configure Device");
    mnudevprop = action(mnupopup, "mnudevprop", "Device Properties");
    mnuremcon = action(mnupopup, "mnuremcon", "Remove Connection");
    mnuremdev = action(mnupopup, "mnuremdev", "Remove Device");
    mnupopup->menuAction()->setVisible(false);

    connect(mnufileopen, &QAction::triggered, this, &frmdesmain::mnufileopen_Click);
    connect(mnufilesave, &QAction::triggered, this, &frmdesmain::mnufilesave_Click);
    connect(mnuExpCon, &QAction::triggered, this, &frmdesmain::mnuExpCon_Click);
    connect(mnuExit, &QAction::triggered, this, &frmdesmain::mnuExit_Click);
    connect(mndDrLine, &QAction::triggered, this, &frmdesmain::mndDrLine_Click);
    connect(mnucondev, &QAction::triggered, this, &frmdesmain::mnucondev_Click);
    connect(mnudevprop, &QAction::triggered, this, &frmdesmain::mnudevprop_Click);
    connect(mnuremcon, &QAction::triggered, this, &frmdesmain::mnuremcon_Click);
    connect(mnuremdev, &QAction::triggered, this, &frmdesmain::mnuremdev_Click);
}

void frmdesmain::build_palette() {
    treDevices->clear();
    const auto& images = palette_images();
    std::vector<QTreeWidgetItem*> groups;
    for (const auto& group : designer::palette()) {
        auto* item =
            new QTreeWidgetItem(treDevices, QStringList{QString::fromStdString(group.caption)});
        const std::string path = program_folder_ + "/" + images[group.image - 1];
        item->setIcon(0, QIcon(QString::fromStdString(path)));
        groups.push_back(item);
    }
    for (std::size_t g = 0; g < groups.size(); ++g)
        for (const auto& text : designer::palette()[g].items) {
            auto* item = new QTreeWidgetItem(groups[g], QStringList{QString::fromStdString(text)});
            item->setIcon(0, groups[g]->icon(0));
        }
    treDevices->setCurrentItem(nullptr);
    treDevices->clearSelection();
}

void frmdesmain::Form_Load() {
    build_palette();
    act([this] { model_->form_load(); });
}

void frmdesmain::report(const std::exception& error) {
    dialogs_.message(kProgramTitle,
                     "The designer could not complete this.\n\n" + db::failure_text_for_user(error),
                     platform::Icon::Critical);
}

void frmdesmain::act(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& error) {
        report(error);
    }
    refresh();
}

void frmdesmain::refresh() {
    if (model_->description_revision() != shown_description_revision_) {
        shown_description_revision_ = model_->description_revision();
        updating_text_ = true;
        Text1->setPlainText(shown_text(model_->description()));
        updating_text_ = false;
    }
    switch (model_->canvas_pointer()) {
        case Pointer::Default:
            picNetwork->unsetCursor();
            break;
        case Pointer::DeviceIcon:
            picNetwork->setCursor(
                cursor_from(program_folder_ + "/" + std::string(icon_file(model_->pointer_icon())),
                            Qt::ClosedHandCursor));
            break;
        case Pointer::Cross:
            picNetwork->setCursor(cursor_from(program_folder_ + "/Cross03.cur", Qt::CrossCursor));
            break;
    }
    if (model_->pen_pointer())
        setCursor(cursor_from(program_folder_ + "/Pen03.ico", Qt::CrossCursor));
    else
        unsetCursor();
    fit_canvas();
    picNetwork->update();
}

void frmdesmain::fit_canvas() {
    const QSize shown = drawing_area_->viewport()->size();
    const QSize size = painted_size(model_->canvas(), model_->lines()).expandedTo(shown);
    if (picNetwork->size() != size) picNetwork->resize(size);
    tell_drawing_area();
}

void frmdesmain::tell_drawing_area() {
    const QSize shown = drawing_area_->viewport()->size();
    model_->set_drawing_area({static_cast<double>(drawing_area_->horizontalScrollBar()->value()),
                              static_cast<double>(drawing_area_->verticalScrollBar()->value()),
                              static_cast<double>(shown.width()),
                              static_cast<double>(shown.height())});
}

bool frmdesmain::query_unload() {
    bool close = false;
    act([&] { close = model_->query_unload(); });
    return close;
}

// -------------------------------------------------------------------- menus

void frmdesmain::mnufileopen_Click() {
    act([this] { model_->mnufileopen_Click(); });
}
void frmdesmain::mnufilesave_Click() {
    act([this] { model_->mnufilesave_Click(); });
}
void frmdesmain::mnuExpCon_Click() {
    act([this] { model_->mnuExpCon_Click(); });
}
void frmdesmain::mnuExit_Click() {
    close();
}
void frmdesmain::mndDrLine_Click() {
    act([this] { model_->mndDrLine_Click(); });
}
void frmdesmain::mnucondev_Click() {
    act([this] { model_->mnucondev_Click(); });
}
void frmdesmain::mnudevprop_Click() {
    act([this] { model_->mnudevprop_Click(); });
}
void frmdesmain::mnuremcon_Click() {
    act([this] { model_->mnuremcon_Click(); });
}
void frmdesmain::mnuremdev_Click() {
    act([this] { model_->mnuremdev_Click(); });
}

void frmdesmain::Text1_Click() {
    act([this] { model_->Text1_Click(); });
}

// ------------------------------------------------------------------ palette

void frmdesmain::treDevices_MouseDown(QTreeWidgetItem* item, Qt::MouseButton button) {
    std::optional<std::string> text;
    if (item) text = item->text(0).toStdString();
    const bool drag =
        model_->treDevices_MouseDown(text, item && !item->parent(), mouse_button(button));
    if (item) treDevices->setCurrentItem(item);
    if (drag)
        start_drag({DropSource::Kind::Palette, *text, -1}, item->icon(0).pixmap(QSize(32, 32)));
}

void frmdesmain::start_drag(const DropSource& source, const QPixmap& picture) {
    auto* drag = new QDrag(this);
    drag->setMimeData(drag_data(source));
    if (!picture.isNull()) drag->setPixmap(picture);
    pending_drop_.reset();
    dragging_ = true;
    run_drag(*drag);
    dragging_ = false;
    drag->deleteLater();
    // The drop waited for the drag to end: its dialogs must not open inside
    // the drag.
    if (pending_drop_) {
        finish_drop();
    } else if (source.kind == DropSource::Kind::Device) {
        act([this] { model_->drag_abandoned(); });
    }
}

void frmdesmain::finish_drop() {
    const auto [source, x, y] = *pending_drop_;
    pending_drop_.reset();
    picNetwork_DragDrop(source, x, y);
}

bool frmdesmain::eventFilter(QObject* watched, QEvent* event) {
    if (drawing_area_ && watched == drawing_area_->viewport() && event->type() == QEvent::Resize) {
        fit_canvas();
    } else if (watched == treDevices->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        treDevices_MouseDown(treDevices->itemAt(mouse->position().toPoint()), mouse->button());
    } else if (watched == Text1->viewport() && event->type() == QEvent::MouseButtonPress) {
        Text1_Click();
    }
    return FormWindow::eventFilter(watched, event);
}

// ------------------------------------------------------------------- canvas

void frmdesmain::picNetwork_MouseDown(MouseButton button, double x, double y) {
    act([&] { model_->picNetwork_MouseDown(button, x, y); });
}

std::optional<int> frmdesmain::picNetwork_MouseMove(MouseButton button, double x, double y) {
    std::optional<int> drag;
    act([&] { drag = model_->picNetwork_MouseMove(button, x, y); });
    return drag;
}

void frmdesmain::picNetwork_MouseUp() {
    act([this] { model_->picNetwork_MouseUp(); });
}

void frmdesmain::picNetwork_DblClick() {
    act([this] { model_->picNetwork_DblClick(); });
}

void frmdesmain::picNetwork_DragDrop(const DropSource& source, double x, double y) {
    act([&] { model_->picNetwork_DragDrop(source, x, y); });
}

}  // namespace vexlab::designer
