#pragma once

#include "platform/formbase.h"
#include "platform/services.h"
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

    static inline const QString formName = QStringLiteral("frmD3Tweak");

protected:
    void Form_MouseMove(int button, int shift, float x, float y) override;

private:
    void cmdFinal_Click();
    void cmdDebug_Click();
    void cmdEmpty_Click();
    void cmdClearP_Click();
    void cmdSaveEdit_Click();
    void cmdExit_Click();
    void cmdAd_Click();

    template <class Control> Control* control(std::string_view name) const;
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
