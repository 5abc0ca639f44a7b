#pragma once
// Deleting a sublab with its instructions and their expected commands.

#include "labcontent/ui/admin_window.h"

class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace vexlab::labcontent {

class frmadmDelSublab : public AdminWindow {
    Q_OBJECT
public:
    explicit frmadmDelSublab(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Combo1_Click();
    void Command3_Click();  // Delete

    QComboBox* Combo1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QTableWidget* MSFlexGrid1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    void list_sublabs();

    std::string picked_sublab_name_;
    int picked_sublab_index_ = 0;
};

}  // namespace vexlab::labcontent
