#pragma once

#include "forms/formbase.h"
#include "forms/formdesign.h"
#include "forms/services.h"
#include "tweak/composition/controlwrite.h"

#include <span>
#include <string_view>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quenzar {

// The main window: every option and memory size of the tweak, the status labels, and the
// buttons that compose, deliver, explain, reset and save it.
class frmD3Tweak final : public FormBase
{
    Q_OBJECT

public:
    explicit frmD3Tweak(Services services);

protected:
    void Form_MouseMove(float x, float y) override;

private:
    // The form and its controls as designed (frmD3Tweak_design.cpp).
    static const FormDesign design;
    static const std::span<const ControlDesign> controls;

    void cmdFinal_Click();
    void cmdDebug_Click();
    void cmdEmpty_Click();
    void cmdClearP_Click();
    void cmdSaveEdit_Click();
    void cmdExit_Click();
    void cmdAd_Click();

    void applyWrites(std::span<const ControlWrite> writes);

    Services m_services;
    QLabel* m_ctrlMouse;
    QLabel* m_lblError;
    QLabel* m_lblDebug;
    QLineEdit* m_txtRam;
    QLineEdit* m_txtVRam;
    QLineEdit* m_txtTRam;
    QLineEdit* m_txtPath;
    QLineEdit* m_txtSText;
    QRadioButton* m_optAll;
    QRadioButton* m_optPre;
};

} // namespace quenzar
