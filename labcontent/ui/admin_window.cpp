#include "labcontent/ui/admin_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QTableWidget>

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

void AdminWindow::message(const std::string& text) {
    area_.dialogs().message(labs::kProgramTitle, text);
}

QString qs(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n");
}

std::string stored(const QString& text) {
    QString crlf = text;
    crlf.replace("\r\n", "\n").replace('\n', "\r\n");
    return crlf.toStdString();
}

QComboBox* make_combo(QWidget* parent, const char* name, const QString& initial, bool editable) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(200);
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
    const int char_width = grid->fontMetrics().averageCharWidth();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string column = columns[i];
        if (!column.empty() && column[0] == '<') column.erase(0, 1);
        headers << qs(text::trim(column));
        grid->setColumnWidth(
            static_cast<int>(i),
            static_cast<int>(std::max<std::size_t>(column.size(), 5) + 1) * char_width);
    }
    grid->setHorizontalHeaderLabels(headers);
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

}  // namespace vexlab::labcontent
