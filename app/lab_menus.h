#pragma once
// The Lab Exercises menus of the main window, built from the lab tables: ten
// groups, each named after its lab and holding one item per sublab, keyed by
// the sublab's index.

#include <array>
#include <map>
#include <string>
#include <vector>

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::app {

struct LabMenuGroup {
    std::string caption;  // "Lab1" … "Lab10" until a lab names it
    bool visible = false;
    bool template_visible = true;      // the design-time item "sublab2"
    std::map<int, std::string> items;  // sublab index -> sublab name
};

struct LabMenus {
    std::array<LabMenuGroup, 10> groups;
    // Rows that could not become a menu item (index 0, negative, above
    // 32767, or the same index twice in one group), as "lab/sublab: why".
    std::vector<std::string> skipped;
};

inline constexpr const char* kSublabTemplateCaption = "sublab2";
inline constexpr int kMaxSublabIndex = 32767;

LabMenus load_labs(db::DatabaseSession& session);

}  // namespace vexlab::app
