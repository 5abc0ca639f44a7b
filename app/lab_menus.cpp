#include "app/lab_menus.h"

#include "platform/db_session.h"

namespace vexlab::app {

LabMenus load_labs(db::DatabaseSession& session) {
    LabMenus menus;
    for (std::size_t i = 0; i < menus.groups.size(); ++i)
        menus.groups[i].caption = "Lab" + std::to_string(i + 1);

    db::Recordset rows = session.open_recordset(
        "SELECT l.\"index\", l.labname, s.\"index\", s.sublabnane FROM " +
        db::quote_identifier("labs") + " AS l INNER JOIN " + db::quote_identifier("sublab") +
        " AS s ON l.\"index\" = s.ref ORDER BY s.\"index\"");
    for (; !rows.eof(); rows.move_next()) {
        const std::string lab = rows.text(0);
        int group = 0;
        for (int n = 1; n <= 10; ++n)
            if (lab == std::to_string(n)) {
                group = n;
                break;
            }
        if (!group) continue;

        const db::Value& index_value = rows.field(2);
        const std::int64_t index = index_value.to_int();
        LabMenuGroup& menu = menus.groups[static_cast<std::size_t>(group - 1)];
        const std::string where = lab + "/" + index_value.to_text() + ": ";
        if (index_value.is_null() || index < 1 || index > kMaxSublabIndex) {
            menus.skipped.push_back(where + "sublab index out of range");
            continue;
        }
        if (menu.items.count(static_cast<int>(index))) {
            menus.skipped.push_back(where + "sublab index used twice");
            continue;
        }
        menu.items[static_cast<int>(index)] = rows.text(3);
        menu.caption = rows.text(1);
        menu.visible = true;
        menu.template_visible = false;
    }
    return menus;
}

}  // namespace vexlab::app
