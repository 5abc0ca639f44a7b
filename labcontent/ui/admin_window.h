#pragma once
// What every window of the administrator area shares: the logo, the way back
// (which its window frame's close box takes too), and leaving for the next
// window of its chain; and the pieces their controls and layouts are made of.

#include <QComboBox>
#include <QString>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "labcontent/lab_content_store.h"
#include "platform/ui/window_navigator.h"
#include "platform/user_dialogs.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

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
    void message(const std::string& text, platform::Icon icon);
    // A button that goes the window's way back.
    QPushButton* back_button(const char* name, const QString& caption);
    // Refills a combo box with the names of the sublabs; it shows "sublabs".
    void show_sublabs(QComboBox* combo);
    // The index typed into `box` when the grid lists it.  Otherwise says so,
    // empties the box for another try and gives nothing.
    std::optional<int> listed_index(QLineEdit* box, const QTableWidget* grid);

    AdminArea& area_;

private:
    bool leaving_ = false;
};

// Helpers for the windows' controls.
QString qs(const std::string& text);
// Box text as the tables keep it: lines end in CR LF.
std::string stored(const QString& text);
QLabel* make_label(QWidget* parent, const char* name, const QString& text = {});
QPushButton* make_button(QWidget* parent, const char* name, const QString& caption);
QLineEdit* make_line_edit(QWidget* parent, const char* name);
QPlainTextEdit* make_text_box(QWidget* parent, const char* name);
// Empties text boxes of any kind.
template <typename... Box>
void clear_boxes(Box*... boxes) {
    (boxes->clear(), ...);
}
// An expected command as its four boxes hold it.
CommandTexts typed_command(const QLineEdit* command, const QPlainTextEdit* response,
                           const QLineEdit* command_prompt, const QLineEdit* response_prompt);
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
// A grid with neither rows nor columns, as a window opens.
void empty_grid(QTableWidget* grid);
// The column-0 texts of a grid's rows: the indexes a typed index must match.
std::vector<std::string> grid_indexes(const QTableWidget* grid);

// The grid layouts of the administrator windows.
std::string command_grid_format(int command_blanks);
std::string instruction_grid_format();
// A grid listing expected commands, the command column widened by `command_blanks`.
void show_commands(QTableWidget* grid, int command_blanks,
                   const std::vector<labs::ExpectedCommand>& commands);
// A grid listing instructions.
void show_instructions(QTableWidget* grid, const std::vector<labs::InstructionRow>& steps);

// Helpers for the windows' layouts.
// A row: `left` from the left edge on, `right` against the right edge.
void add_row(QVBoxLayout* layout, std::initializer_list<QWidget*> left,
             std::initializer_list<QWidget*> right = {});
// A horizontal rule across the window.
void add_rule(QVBoxLayout* layout);
// The closing buttons of a window: a rule, then the buttons against the right edge.
void add_ruled_buttons(QVBoxLayout* layout, std::initializer_list<QWidget*> buttons);
// The fields of one expected command, captioned, as the windows that enter a
// command lay them out; `response_prompt_caption` is each window's own.
void add_command_fields(QVBoxLayout* layout, QLineEdit* command, QPlainTextEdit* response,
                        QLineEdit* command_prompt, QLineEdit* response_prompt,
                        const char* response_prompt_caption);

}  // namespace vexlab::labcontent
