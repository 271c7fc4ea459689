#include "welcome/frmFirst.h"

#include "forms/formdesign.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "forms/readout.h"

#include <QLabel>
#include <QPushButton>

namespace quenzar {

frmFirst::frmFirst(Services services) : m_services(services)
{
    buildForm(this, design, controls);
    m_cmdYes = control<QPushButton>("cmdYes");
    m_cmdNo = control<QPushButton>("cmdNo");
    m_ctrlCoordinateLabel = control<QLabel>("ctrlCoordinateLabel");
    // Yes is the dialog's default button: Enter opens the main window.
    setDefaultButton(m_cmdYes);

    connect(m_cmdYes, &QPushButton::clicked, this, &frmFirst::cmdYes_Click);
    connect(m_cmdNo, &QPushButton::clicked, this, &frmFirst::cmdNo_Click);
}

void frmFirst::cmdYes_Click()
{
    // The welcome dialog stays open beside the main window.
    m_services.forms.show(formnames::frmD3Tweak);
}

void frmFirst::cmdNo_Click()
{
    m_services.forms.end();
}

void frmFirst::Form_MouseMove(float x, float y)
{
    setCaption(m_ctrlCoordinateLabel, coordinateReadout(x, y));
}

} // namespace quenzar
