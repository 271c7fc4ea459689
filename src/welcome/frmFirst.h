#pragma once

#include "platform/formbase.h"
#include "platform/services.h"

class QLabel;
class QPushButton;

namespace quenzar {

// The welcome dialog the program starts on: it opens the main window or ends the program.
class frmFirst final : public FormBase
{
    Q_OBJECT

public:
    explicit frmFirst(Services services);

    static inline const QString formName = QStringLiteral("frmFirst");

protected:
    void Form_MouseMove(int button, int shift, float x, float y) override;

private:
    void cmdYes_Click();
    void cmdNo_Click();

    Services m_services;
    QPushButton* m_cmdYes;
    QPushButton* m_cmdNo;
    QLabel* m_ctrlCoordinateLabel;
};

} // namespace quenzar
