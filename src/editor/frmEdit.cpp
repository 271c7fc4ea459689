#include "editor/frmEdit.h"

#include "forms/formdesign.h"
#include "platform/dialogs.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quenzar {

frmEdit::frmEdit(Services services) : m_services(services)
{
    buildForm(this, design, controls);
    m_ctrlListBox1 = control<QListWidget>("ctrlListBox1");
    m_ctrlTextBox1 = control<QLineEdit>("ctrlTextBox1");
    m_ctrlAddButton = control<QPushButton>("ctrlAddButton");
    m_ctrldeleteButton = control<QPushButton>("ctrldeleteButton");
    m_cmdClear = control<QPushButton>("cmdClear");

    connect(m_ctrlAddButton, &QPushButton::clicked, this, &frmEdit::ctrlAddButton_Click);
    connect(m_ctrldeleteButton, &QPushButton::clicked, this, &frmEdit::ctrldeleteButton_Click);
    connect(m_cmdClear, &QPushButton::clicked, this, &frmEdit::cmdClear_Click);

    Form_Load();
}

void frmEdit::Form_Load()
{
    if (m_ctrlListBox1->count() == 0)
        m_ctrldeleteButton->setEnabled(false);
}

void frmEdit::ctrlAddButton_Click()
{
    if (m_ctrlListBox1->count() >= maxItems) {
        // A full list refuses the item rather than losing one.
        m_services.dialogs.message(
            QStringLiteral("The list is full: it holds at most 32,767 items. Delete one first."),
            Buttons::Ok);
        return;
    }
    m_ctrlListBox1->addItem(m_ctrlTextBox1->text());
    if (!m_ctrldeleteButton->isEnabled())
        m_ctrldeleteButton->setEnabled(true);
}

void frmEdit::ctrldeleteButton_Click()
{
    const int count = m_ctrlListBox1->count();
    if (count == 0)
        return;
    // Always the last item, whichever one is selected.
    delete m_ctrlListBox1->takeItem(count - 1);
    if (m_ctrlListBox1->count() == 0)
        m_ctrldeleteButton->setEnabled(false);
}

void frmEdit::cmdClear_Click()
{
    m_ctrlTextBox1->setText(QString());
}

} // namespace quenzar
