#include "editor/frmEdit.h"

#include "platform/dialogs.h"
#include "platform/formdesign.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quenzar {

namespace {

const FormDesign design{.name = "frmEdit",
                        .caption = u"Edit your tweak and save it.",
                        .clientWidth = 8820,
                        .clientHeight = 6870,
                        .back = black};

// The buttons keep the system's button colour.
const ControlDesign controls[] = {
    {.name = "ctrlListBox1",
     .kind = Kind::ListBox,
     .toolTip = u"Items from the text box get added here",
     .geometry = {2640, 360, 6015, 6105},
     .tabIndex = 0,
     .back = black,
     .fore = red,
     .accessibleName = u"Added text"},
    {.name = "ctrlAddButton",
     .kind = Kind::CommandButton,
     .caption = u"&Add",
     .toolTip = u"Adds text from the text box to the list box",
     .geometry = {120, 240, 855, 495},
     .tabIndex = 1},
    {.name = "ctrlTextBox1",
     .kind = Kind::TextBox,
     .caption = u"Text1",
     .toolTip = u"Text gets added from here to the List Box",
     .geometry = {120, 1440, 2415, 285},
     .tabIndex = 2,
     .back = black,
     .fore = red,
     .accessibleName = u"Text to add"},
    {.name = "ctrldeleteButton",
     .kind = Kind::CommandButton,
     .caption = u"&Delete",
     .toolTip = u"Deletes the ",
     .geometry = {120, 2160, 855, 495},
     .tabIndex = 3},
    {.name = "ctrlLabel1",
     .kind = Kind::Label,
     .caption = u"Text to add",
     .geometry = {120, 1080, 2415, 255},
     .tabIndex = 4,
     .back = black,
     .fore = red},
    {.name = "cmdClear",
     .kind = Kind::CommandButton,
     .caption = u"&Clear",
     .geometry = {120, 3000, 855, 495},
     .tabIndex = 5},
};

} // namespace

frmEdit::frmEdit(Services services) : m_services(services)
{
    buildForm(this, design, controls);
    m_ctrlListBox1 = findChild<QListWidget*>(QStringLiteral("ctrlListBox1"));
    m_ctrlTextBox1 = findChild<QLineEdit*>(QStringLiteral("ctrlTextBox1"));
    m_ctrlAddButton = findChild<QPushButton*>(QStringLiteral("ctrlAddButton"));
    m_ctrldeleteButton = findChild<QPushButton*>(QStringLiteral("ctrldeleteButton"));
    m_cmdClear = findChild<QPushButton*>(QStringLiteral("cmdClear"));

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
