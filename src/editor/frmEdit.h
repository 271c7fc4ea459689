#pragma once

#include "forms/formbase.h"
#include "forms/formdesign.h"
#include "forms/services.h"

#include <span>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quenzar {

// The "Advanced Screen": a small list editor of its own. Nothing outside it reads the list, and
// the list lives only as long as the dialog is open.
class frmEdit final : public FormBase
{
    Q_OBJECT

public:
    explicit frmEdit(Services services);

    // The most items the list holds; the count is a 16-bit number.
    static constexpr int maxItems = 32767;

private:
    // The form and its controls as designed (frmEdit_design.cpp).
    static const FormDesign design;
    static const std::span<const ControlDesign> controls;

    void Form_Load();
    void ctrlAddButton_Click();
    void ctrldeleteButton_Click();
    void cmdClear_Click();

    Services m_services;
    QListWidget* m_ctrlListBox1;
    QLineEdit* m_ctrlTextBox1;
    QPushButton* m_ctrlAddButton;
    QPushButton* m_ctrldeleteButton;
    QPushButton* m_cmdClear;
};

} // namespace quenzar
