#include "labcontent/ui/admin_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "labcontent/ui/admin_area.h"
#include "labs/lab_run.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::labcontent {

AdminWindow::AdminWindow(AdminArea& area, const char* name, const char* caption) : area_(area) {
    setObjectName(name);
    setWindowTitle(caption);
    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
}

void AdminWindow::back_clicked() {
    Back();
    leave();
}

void AdminWindow::leave() {
    leaving_ = true;
    close();
    leaving_ = false;
}

// The frame's close box goes the window's way back, so no window of the
// area is ever left without a way out.
void AdminWindow::form_unload() {
    if (!leaving_) Back();
}

void AdminWindow::show_logo() {
    Picture1->setPixmap(QPixmap(qs(area_.app().logo_picture_path)));
}

void AdminWindow::message(const std::string& text, platform::Icon icon) {
    area_.dialogs().message(labs::kProgramTitle, text, icon);
}

QPushButton* AdminWindow::back_button(const char* name, const QString& caption) {
    QPushButton* button = make_button(this, name, caption);
    connect(button, &QPushButton::clicked, this, &AdminWindow::back_clicked);
    return button;
}

void AdminWindow::show_sublabs(QComboBox* combo) {
    std::vector<std::string> names;
    for (const auto& s : area_.store().sublabs()) names.push_back(s.name);
    refill_combo(combo, names, "sublabs");
}

std::optional<int> AdminWindow::listed_index(QLineEdit* box, const QTableWidget* grid) {
    const std::string typed = box->text().toStdString();
    const auto listed = grid_indexes(grid);
    if (typed.empty() || std::find(listed.begin(), listed.end(), typed) == listed.end()) {
        message("please select the appropriate index", platform::Icon::None);
        box->clear();
        box->setFocus();
        return std::nullopt;
    }
    return std::stoi(typed);
}

QString qs(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n");
}

std::string stored(const QString& text) {
    QString crlf = text;
    crlf.replace("\r\n", "\n").replace('\n', "\r\n");
    return crlf.toStdString();
}

QLabel* make_label(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* make_button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QLineEdit* make_line_edit(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QPlainTextEdit* make_text_box(QWidget* parent, const char* name) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    return box;
}

CommandTexts typed_command(const QLineEdit* command, const QPlainTextEdit* response,
                           const QLineEdit* command_prompt, const QLineEdit* response_prompt) {
    return {command->text().toStdString(), stored(response->toPlainText()),
            command_prompt->text().toStdString(), response_prompt->text().toStdString()};
}

QComboBox* make_combo(QWidget* parent, const char* name, const QString& initial, bool editable) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(200);
    // A box to choose from shows its first text as it shows a choice: in the
    // placeholder's usual grey it would look like a box that cannot be used.
    QPalette palette = combo->palette();
    palette.setColor(QPalette::PlaceholderText, palette.color(QPalette::ButtonText));
    combo->setPalette(palette);
    refill_combo(combo, {}, initial);
    return combo;
}

void refill_combo(QComboBox* combo, const std::vector<std::string>& items, const QString& initial) {
    combo->clear();
    for (const auto& item : items) combo->addItem(qs(item));
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(initial);
    else
        combo->setPlaceholderText(initial);
}

void set_grid_format(QTableWidget* grid, const std::string& format) {
    grid->clear();
    grid->setRowCount(0);
    const auto columns = text::split(format, "|");
    grid->setColumnCount(static_cast<int>(columns.size()));
    QStringList headers;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string column = columns[i];
        if (!column.empty() && column[0] == '<') column.erase(0, 1);
        headers << qs(text::trim(column));
    }
    grid->setHorizontalHeaderLabels(headers);
    // A column is as wide as its format asks, and never narrower than its
    // heading.
    const int char_width = grid->fontMetrics().averageCharWidth();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int c = static_cast<int>(i);
        const int asked =
            static_cast<int>(std::max<std::size_t>(columns[i].size(), 6)) * char_width;
        grid->setColumnWidth(c, std::max(asked, grid->horizontalHeader()->sectionSizeHint(c)));
    }
}

void add_grid_row(QTableWidget* grid, const std::vector<std::string>& cells) {
    const int row = grid->rowCount();
    grid->insertRow(row);
    for (std::size_t c = 0; c < cells.size() && static_cast<int>(c) < grid->columnCount(); ++c) {
        auto* item = new QTableWidgetItem(qs(cells[c]));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid->setItem(row, static_cast<int>(c), item);
    }
}

QTableWidget* make_grid(QWidget* parent) {
    auto* grid = new QTableWidget(parent);
    grid->setObjectName("MSFlexGrid1");
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setVisible(false);
    grid->setMinimumHeight(180);
    return grid;
}

void empty_grid(QTableWidget* grid) {
    grid->clear();
    grid->setRowCount(0);
    grid->setColumnCount(0);
}

std::vector<std::string> grid_indexes(const QTableWidget* grid) {
    std::vector<std::string> indexes;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QTableWidgetItem* item = grid->item(row, 0);
        indexes.push_back(item ? item->text().toStdString() : std::string());
    }
    return indexes;
}

std::string command_grid_format(int command_blanks) {
    return "<index|<command" + std::string(static_cast<std::size_t>(command_blanks), ' ') +
           "|<response" + std::string(30, ' ') + "|<commandprompt|<responseprompt";
}

std::string instruction_grid_format() {
    return "<index|<Instruction" + std::string(141, ' ');
}

void show_commands(QTableWidget* grid, int command_blanks,
                   const std::vector<labs::ExpectedCommand>& commands) {
    set_grid_format(grid, command_grid_format(command_blanks));
    for (const auto& c : commands)
        add_grid_row(grid,
                     {std::to_string(c.index), c.command, c.response, c.comprompt, c.resprompt});
}

void show_instructions(QTableWidget* grid, const std::vector<labs::InstructionRow>& steps) {
    set_grid_format(grid, instruction_grid_format());
    for (const auto& step : steps)
        add_grid_row(grid, {std::to_string(step.index), step.instruction});
}

void add_row(QVBoxLayout* layout, std::initializer_list<QWidget*> left,
             std::initializer_list<QWidget*> right) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : left) row->addWidget(widget);
    row->addStretch();
    for (QWidget* widget : right) row->addWidget(widget);
    layout->addLayout(row);
}

void add_rule(QVBoxLayout* layout) {
    auto* line = new QFrame(layout->parentWidget());
    line->setFrameShape(QFrame::HLine);
    layout->addWidget(line);
}

void add_ruled_buttons(QVBoxLayout* layout, std::initializer_list<QWidget*> buttons) {
    add_rule(layout);
    add_row(layout, {}, buttons);
}

void add_command_fields(QVBoxLayout* layout, QLineEdit* command, QPlainTextEdit* response,
                        QLineEdit* command_prompt, QLineEdit* response_prompt,
                        const char* response_prompt_caption) {
    QWidget* owner = layout->parentWidget();
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Command ", owner), 0, 0);
    grid->addWidget(command, 0, 1);
    grid->addWidget(new QLabel("Response", owner), 1, 0, Qt::AlignTop);
    grid->addWidget(response, 1, 1);
    grid->addWidget(new QLabel("(Optional)", owner), 1, 2, Qt::AlignTop);
    grid->addWidget(new QLabel("Command Prompt", owner), 2, 0);
    grid->addWidget(command_prompt, 2, 1);
    grid->addWidget(new QLabel(response_prompt_caption, owner), 3, 0);
    grid->addWidget(response_prompt, 3, 1);
    layout->addLayout(grid, 1);
}

}  // namespace vexlab::labcontent
