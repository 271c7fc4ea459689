#pragma once

#include "forms/formbase.h"
#include "forms/formdesign.h"
#include "forms/services.h"

#include <span>

class QLabel;
class QPushButton;

namespace quenzar {

// The welcome dialog the program starts on: it opens the main window or ends the program.
class frmFirst final : public FormBase
{
    Q_OBJECT

public:
    explicit frmFirst(Services services);

protected:
    void Form_MouseMove(float x, float y) override;

private:
    // The form and its controls as designed (frmFirst_design.cpp).
    static const FormDesign design;
    static const std::span<const ControlDesign> controls;

    void cmdYes_Click();
    void cmdNo_Click();

    Services m_services;
    QPushButton* m_cmdYes;
    QPushButton* m_cmdNo;
    QLabel* m_ctrlCoordinateLabel;
};

} // namespace quenzar
