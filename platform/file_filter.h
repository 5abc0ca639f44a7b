#pragma once
// The windows write a file dialog's filter as "description|pattern", one pair
// per file kind ("netmap(*.dgm)|*.dgm"), several patterns of a kind separated
// by ";".  Qt shows a filter's whole text and takes its patterns from its
// last parentheses, so the pairs are turned into Qt's form here, once, for
// every dialog.

#include <string>
#include <string_view>

namespace vexlab::platform {

// Qt's name filters, joined by ";;".  A description that already ends with
// its pattern in parentheses is shown as it stands; any other gets the
// pattern appended in parentheses.  A description left without a pattern is
// passed on as it stands.
std::string qt_name_filters(std::string_view filter);

}  // namespace vexlab::platform
