#pragma once
// The windows write a file dialog's filter as "description|pattern", one pair
// per file kind ("netmap(*.dgm)|*.dgm"), several patterns of a kind separated
// by ";".  Qt shows a filter's whole text and takes its patterns from its
// last parentheses, so the pairs are turned into Qt's form here, once, for
// every dialog.

#include <cstddef>
#include <string>
#include <string_view>

namespace vexlab::platform {

// Qt's name filters, joined by ";;".  A description that already ends with
// its pattern in parentheses is shown as it stands; any other gets the
// pattern appended in parentheses.  A description left without a pattern is
// passed on as it stands.
std::string qt_name_filters(std::string_view filter);

// The extension of the file kind at `index` of the filter: its first
// pattern's ("*.dgm" gives "dgm"); empty when the pattern names none ("*",
// "*.*") or there is no such kind.
std::string default_extension(std::string_view filter, std::size_t index = 0);

// A name typed into a save dialog as the dialog answers it: a file name
// without an extension (no "." after the last "/") gets the extension of
// the kind at `index` of the filter, as desktop programs' dialogs do; any
// other name stays as typed.
std::string with_default_extension(std::string_view name, std::string_view filter,
                                   std::size_t index = 0);

}  // namespace vexlab::platform
