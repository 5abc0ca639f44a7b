#pragma once
// What every window of the administrator area shares: the logo, the way back
// (which its window frame's close box takes too), and leaving for the next
// window of its chain.

#include <QComboBox>
#include <QString>
#include <string>
#include <vector>

#include "platform/ui/window_navigator.h"

class QLabel;
class QTableWidget;
class QPlainTextEdit;

namespace vexlab::labcontent {

class AdminArea;

class AdminWindow : public platform::FormWindow {
    Q_OBJECT
public:
    AdminWindow(AdminArea& area, const char* name, const char* caption);

    // The window's load, at every opening: controls start from their design state.
    virtual void Form_Load() = 0;
    // Where the window's way back leads.
    virtual void Back() = 0;

    // The window's Back button: the way back, then unload.
    void back_clicked();
    // Unloads the window once the next one is shown.
    void leave();

    QLabel* Picture1 = nullptr;

protected:
    void form_unload() override;
    void show_logo();
    // A message box with the program's title.
    void message(const std::string& text);

    AdminArea& area_;

private:
    bool leaving_ = false;
};

// Helpers for the windows' controls.
QString qs(const std::string& text);
// Box text as the tables keep it: lines end in CR LF.
std::string stored(const QString& text);
// A combo box showing `initial` until something is chosen; an editable one
// also takes typed text.
QComboBox* make_combo(QWidget* parent, const char* name, const QString& initial, bool editable);
// Refills a combo box and shows `initial` again.
void refill_combo(QComboBox* combo, const std::vector<std::string>& items, const QString& initial);
// Sets a grid's columns from a layout text: columns separated by "|", "<"
// for left alignment, the header word, and trailing blanks that widen the
// column.  Empties the grid.
void set_grid_format(QTableWidget* grid, const std::string& format);
// Adds a row of cells to a grid.
void add_grid_row(QTableWidget* grid, const std::vector<std::string>& cells);
QTableWidget* make_grid(QWidget* parent);
// The column-0 texts of a grid's rows: the indexes a typed index must match.
std::vector<std::string> grid_indexes(const QTableWidget* grid);

// The grid layouts of the administrator windows.
std::string command_grid_format(int command_blanks);
std::string instruction_grid_format();

}  // namespace vexlab::labcontent
