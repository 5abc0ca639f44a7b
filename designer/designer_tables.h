#pragma once
// The designer's tables: the devices of the drawn network (devicenames),
// their interfaces with the far end of each plain connection (ip), the
// Frame Relay sub-interface connections, one row per end (sub_int_det), and
// the device catalogue the palette's models come from.  Every statement the
// designer runs on them is here; values are always bound.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "designer/canvas.h"
#include "designer/designer_catalogue.h"
#include "platform/db_value.h"

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::designer {

// One interface of a connection: a device and one of its interfaces.
struct LinkEnd {
    std::string host;
    std::string interface;
};

// A model of the device catalogue.
struct ModelRow {
    int index = 0;
    std::string model;
    bool configure = false;  // true: the slot cards are chosen when it is dropped
};

// A card of the catalogue: so many interfaces of one type.
struct CatalogueCard {
    std::string interface_type;
    int interface_num = 0;
};

// An optional slot of a modular model with the cards it takes.
struct SlotOffer {
    std::string slot_number;
    std::vector<CatalogueCard> cards;
};

// One row of ip, in its column order.
struct InterfaceRow {
    std::string interfacetype;
    std::string ipadd;
    std::string maskadd;
    std::string hostname;
    bool connected = false;
    std::string todevice;
    std::string tointerface;
    int lineno = 0;
    std::string int_category;
    double label_x = 0;
    double label_y = 0;
    int index = 0;
};

// One sub-interface connection seen from its own end.
struct SubinterfaceLink {
    int sun_int_num = 0;
    std::string todevice;
    std::string tointerface;
    std::string to_sub_int_num;
};

// The end of a connection line at one device: the interface there, the far
// end it faces and where its label stands.
struct LineEnd {
    std::string interface;
    std::string far_host;
    std::string far_interface;
    Point label;
    bool subinterface = false;  // a sub_int_det row rather than an ip row
};

// A device as the repaint draws it.
struct PlacedDevice {
    std::string model;
    std::string host;
    double x = 0;
    double y = 0;
};

// A label the repaint prints: the interface it names and where.
struct StoredLabel {
    std::string interface;
    Point at;
};

class DesignerTables {
public:
    explicit DesignerTables(db::DatabaseSession& session) : session_(session) {}

    db::DatabaseSession& session() { return session_; }

    // Empties devicenames, ip and sub_int_det.
    void pgmexit();

    // ---- devices
    std::vector<std::string> host_names();
    bool has_devices();
    std::optional<ModelRow> find_model(std::string_view model);
    // Devices get ascending numbers in the order they are made, which the
    // export follows.
    void insert_device(const std::string& host, double x, double y, int model_index);
    void update_position(const std::string& host, double x, double y);
    void delete_device(const std::string& host);
    // Devices with their models, in the order they were made.
    std::vector<PlacedDevice> placed_devices();
    // The number of the last interface made (0 when there is none).
    int last_interface_index();

    // ---- the catalogue
    std::vector<CatalogueCard> default_slot(std::string_view model);
    // The optional slots of a model, ordered by slot name.
    std::vector<SlotOffer> optional_slots(std::string_view model);

    // ---- making interfaces
    // `count` interfaces of `type`, named `prefix` + type + 0, 1, ...
    void create_interfaces(const std::string& host, const std::string& type, int count,
                           const std::string& prefix);
    // The fixed port set of a switch model; nothing for other models.
    void portsadd_ip(const std::string& host, std::string_view model);

    // ---- interfaces
    std::vector<InterfaceRow> interfaces(const std::string& host);
    std::optional<InterfaceRow> interface_row(const std::string& host, const std::string& name);
    std::optional<int> interface_index(const std::string& host, const std::string& name);
    // Interfaces of `host` a connector of `kind` may join: the free ones of
    // its category and, for Frame Relay, each interface that already carries
    // sub-interfaces, once.
    std::vector<std::string> free_interfaces(const std::string& host, ConnectorKind kind);
    // The stored address of an interface, "" when none.
    std::string address_of(const std::string& host, const std::string& name);
    void clear_address(const std::string& host, const std::string& name);
    bool address_taken(const std::string& address, const std::string& host,
                       const std::string& name);
    void assign_address(const std::string& host, const std::string& name,
                        const std::string& address, const std::string& mask);
    std::vector<std::string> connected_interfaces(const std::string& host);

    // ---- connections
    void write_plain_connection(const LinkEnd& a, const LinkEnd& b, int line);
    // Writes a Frame Relay pair between the two main interfaces.  Answers
    // whether the pair keeps `line` as a line of its own; otherwise it joins
    // the line of the pairs made before between the same interfaces.
    bool write_frame_relay_connection(const LinkEnd& a, const LinkEnd& b, int line);
    // The first sub-interface connection of `from` towards `to`.
    bool linked_by_subinterfaces(const LinkEnd& from, const LinkEnd& to);

    // ---- labels
    void store_plain_label(const std::string& host, int line, Point at);
    void store_subinterface_label(const LinkEnd& end, const LinkEnd& far, Point at);
    // Gives every sub-interface row of `end` facing `far` the label place of
    // the first of them.
    void copy_pair_label(const LinkEnd& end, const LinkEnd& far);
    std::optional<LineEnd> line_end(int line, const std::string& host);
    std::vector<StoredLabel> interface_labels();
    std::vector<StoredLabel> subinterface_labels();

    // ---- whole rows, for the network map file
    // The devicetemplate number of a model, if the catalogue has it.
    std::optional<int> template_index(std::string_view model);
    // Every model the catalogue knows, as the map file names them.
    std::vector<std::string> template_models();
    void insert_interface(const InterfaceRow& row);
    // sub_int_det rows, each in the table's column order.
    std::vector<std::vector<db::Value>> subinterface_rows();
    void insert_subinterface_row(const std::vector<db::Value>& values);

    // ---- removal
    // Lowers every stored line number above `line` by one, in ip and
    // sub_int_det.
    void lower_line_numbers(int line);
    // Clears the connection of one interface ("UA" far end, no line, no
    // label, not connected).
    void clear_connection(const std::string& host, const std::string& name);
    void delete_interfaces(const std::string& host);
    void delete_interface_on_line(const std::string& host, int line);
    std::vector<SubinterfaceLink> subinterfaces(const std::string& host, const std::string& name);
    bool has_subinterfaces(const std::string& host, const std::string& name);
    int count_on_line(int line);
    void delete_subinterface(int ref, int number);
    void set_connected(const std::string& host, const std::string& name, bool connected);
    // Sub-interface connections of a device's connected interfaces, by line.
    struct SubinterfaceEnd {
        std::string interface;
        int sun_int_num = 0;
        int lineno = 0;
        std::string todevice;
        std::string tointerface;
        int to_sub_int_num = 0;
    };
    std::vector<SubinterfaceEnd> subinterface_ends(const std::string& host);
    // Plain connections of a device, by line.
    std::vector<InterfaceRow> plain_connections(const std::string& host);
    // The connection of one sub-interface: far end and line.
    struct SubinterfacePeer {
        std::string todevice;
        std::string tointerface;
        int to_sub_int_num = 0;
        int lineno = 0;
    };
    std::optional<SubinterfacePeer> subinterface_peer(int ref, int number);
    int count_towards(const LinkEnd& end, const LinkEnd& far);

private:
    db::DatabaseSession& session_;
};

}  // namespace vexlab::designer
