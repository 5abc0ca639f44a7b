#pragma once
// The network designer without its window: the devices placed on the
// canvas, the connection lines, the interface labels, the device names and
// the state of the mouse interaction on the canvas.  The window forwards
// its events here and draws what the model holds; the model keeps the
// drawn network in the designer tables.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "designer/canvas.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_tables.h"
#include "designer/network_map_file.h"

namespace vexlab::platform {
class UserDialogs;
}

namespace vexlab::designer {

enum class MouseButton { None, Left, Right, Other };

// What the mouse is doing on the canvas.
enum class Interaction {
    Idle,
    DevicePressed,  // a left press picked a device up
    MovingDevice,   // its icon is being dragged
    Connecting,     // the line of a half-made connection follows the mouse
};

enum class Pointer { Default, DeviceIcon, Cross };

// What a drag brought to the canvas: a palette item, or a device of the
// canvas itself.
struct DropSource {
    enum class Kind { Palette, Device };
    Kind kind = Kind::Palette;
    std::string palette_item;
    int device_row = -1;
};

// The part of the canvas the window shows, in canvas units.
struct DrawingArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

inline constexpr const char* kDescriptionPlaceholder =
    "Please enter the Description of \r\nthe Network here\r\n";
// A description saved as this one line is the placeholder too.
inline constexpr const char* kDescriptionPrompt =
    "Please enter the Description of the Network here\r\n";

class DesignerModel {
public:
    DesignerModel(db::DatabaseSession& session, platform::UserDialogs& dialogs, DialogHost& host,
                  std::string program_folder);

    // ---- the window
    void form_load();
    // Closing: answers false when the designer stays open.
    bool query_unload();

    // ---- menus
    void mnufileopen_Click();
    void mnufilesave_Click();
    void mnuExpCon_Click();
    void mndDrLine_Click();
    void mnucondev_Click();
    void mnudevprop_Click();
    void mnuremcon_Click();
    void mnuremdev_Click();

    // ---- description box
    void Text1_Click();
    // The user changed the text of the box.
    void Text1_Change(std::string text) { description_ = std::move(text); }
    const std::string& description() const { return description_; }
    // Counts changes of the description made by the model, not by the user.
    int description_revision() const { return description_revision_; }
    bool description_entered() const { return description_entered_; }

    // ---- palette
    // A press on the palette: `item` is the text under the pointer, if any,
    // and `is_group` tells a group from an item.  Answers whether a drag of
    // that item starts.
    bool treDevices_MouseDown(const std::optional<std::string>& item, bool is_group,
                              MouseButton button);
    const std::optional<std::string>& palette_selection() const { return palette_selection_; }

    // ---- canvas
    // The window tells what part of the canvas it shows, and measures the
    // text printed on it (a host name's width and height).  A device placed
    // or moved near an edge then lies as far inside as its icon and its
    // name need to show whole; before the window tells, devices lie where
    // they are dropped.
    void set_drawing_area(DrawingArea area) { drawing_area_ = area; }
    std::function<Point(const std::string&)> text_size;
    // Where a device named `host` dropped at (x, y) lies.
    Point fit_device(double x, double y, const std::string& host) const;

    void picNetwork_DragDrop(const DropSource& source, double x, double y);
    void picNetwork_MouseDown(MouseButton button, double x, double y);
    // Answers the device row whose icon drag starts, if one does.
    std::optional<int> picNetwork_MouseMove(MouseButton button, double x, double y);
    void picNetwork_MouseUp();
    void picNetwork_DblClick();
    // An icon drag that ended away from the canvas.
    void drag_abandoned();

    // ---- what the window shows
    const CanvasImage& canvas() const { return canvas_; }
    const std::vector<ConnectionLine>& lines() const { return lines_; }
    const std::vector<CanvasDevice>& devices() const { return devices_; }
    Interaction interaction() const { return interaction_; }
    Pointer canvas_pointer() const { return pointer_; }
    DeviceGroup pointer_icon() const { return pointer_icon_; }
    bool pen_pointer() const { return pen_mode_; }
    bool network_designed() const { return network_designed_; }
    int router_counter() const { return router_counter_; }
    int switch_counter() const { return switch_counter_; }
    int pc_counter() const { return pc_counter_; }
    const std::string& selected_host_name() const { return selected_host_name_; }
    const std::string& selected_model() const { return selected_model_; }
    const std::string& program_folder() const { return program_folder_; }

    // ---- for the dialogs
    DesignerTables& tables() { return tables_; }
    platform::UserDialogs& dialogs() { return dialogs_; }
    DialogHost& host() { return host_; }
    void set_selected_model(std::string model) { selected_model_ = std::move(model); }
    // Shows a dialog and, when it was closed by its frame, runs its Cancel.
    template <class Dialog>
    void run(Dialog& dialog) {
        host_.show(dialog);
        if (!dialog.unloaded()) dialog.frame_close();
    }
    // Removes one sub-interface connection and, with the last pair of its
    // line, the line.
    void remove_subinterface_connection(const std::string& host, const std::string& interface,
                                        int number);
    // Removes the plain connection of one interface.
    void remove_plain_connection(const std::string& host, const InterfaceRow& row);
    // Erases the labels of both ends of a line from the canvas.
    void move_drawint(int line, const std::string& host);
    // Redraws the canvas from the tables.
    void repaint_from_tables();

    // ---- the network map file
    // The drawn network as the map file holds it.
    NetworkMap network_map();
    // Replaces the design by the network of a map.
    void open_network_map(const NetworkMap& map);
    // Reads and checks a map file and, when it holds a design the designer
    // could have drawn, puts it in place of the design.  A refused file
    // leaves the design as it was, and the user is told the file, the line
    // and why; the answer is false then.
    bool open_network_map_file(const std::string& path);
    // Removes a device with all its connections.
    void remove_device(const std::string& host);

    // ---- the export
    // Writes the exported network file and its picture.  Answers false (after
    // saying why) when the export failed: the file and its picture are then
    // as they were.
    bool export_network(const std::string& path);
    // What the exported picture shows: the devices, names and labels as the
    // tables hold them, drawn afresh.
    CanvasImage export_picture();
    // Draws the picture of the export into a bitmap file's bytes; the window
    // gives it, as the core draws nothing itself.
    std::function<std::string(const CanvasImage&, const std::vector<ConnectionLine>&)>
        render_picture;

private:
    struct PendingConnection {
        ConnectorKind kind = ConnectorKind::Serial;
        LinkEnd first;  // the device the connector was dropped on
    };

    void reset_interaction();
    void abandon_connection();
    bool connector_selected() const;
    std::optional<int> device_at(double x, double y, double size) const;
    std::optional<int> row_of(const std::string& host) const;
    std::vector<int> devices_under(double x, double y) const;

    void connector_drop(ConnectorKind kind, double x, double y);
    void new_device(const std::string& model, double x, double y);
    void create_router_interfaces(const std::string& host, const ModelRow& model);
    void move_device(int row, double x, double y);
    void second_end(double x, double y);
    void label_new_connection(const PendingConnection& pending, const LinkEnd& second,
                              int second_row, bool own_line, Point press);
    // Places, stores and prints the label of one end of a line: near the
    // reference point, towards the far device.
    void drawlbl_move(int line, int far_row, const LinkEnd& end, const LinkEnd& far,
                      Point reference, bool subinterface);
    void relabel_line_end(int line, int row, const std::string& host, Point reference);
    void remove_line(int line);
    void showdevprop();
    void clear_address_with_notice(const LinkEnd& end);
    void paint_tables(CanvasImage& image);
    // Asks for a file name and saves the map; false when nothing was saved.
    bool save_network_map();
    int& counter(DeviceGroup group);

    db::DatabaseSession& session_;
    DesignerTables tables_;
    platform::UserDialogs& dialogs_;
    DialogHost& host_;
    std::string program_folder_;

    // The network on the canvas.
    std::vector<CanvasDevice> devices_;
    std::vector<ConnectionLine> lines_;
    CanvasImage canvas_;
    int router_counter_ = 0;
    int switch_counter_ = 0;
    int pc_counter_ = 0;
    bool network_designed_ = false;
    bool description_entered_ = false;
    std::string description_ = kDescriptionPlaceholder;
    int description_revision_ = 0;

    // Selection and mouse interaction.
    std::optional<std::string> palette_selection_;
    Interaction interaction_ = Interaction::Idle;
    std::optional<PendingConnection> pending_;
    int selected_device_row_ = -1;
    std::string selected_host_name_;
    std::string selected_model_;
    Point press_;
    Pointer pointer_ = Pointer::Default;
    DeviceGroup pointer_icon_ = DeviceGroup::Router;
    bool pen_mode_ = false;
    Point pen_;
    DrawingArea drawing_area_;
};

}  // namespace vexlab::designer
