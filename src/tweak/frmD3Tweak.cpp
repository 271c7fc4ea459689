#include "tweak/frmD3Tweak.h"

#include "forms/formdesign.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "forms/readout.h"
#include "platform/dialogs.h"
#include "platform/shutdown/shutdown.h"
#include "tweak/composition/composition.h"
#include "tweak/delivery/delivery.h"
#include "tweak/diagnosis.h"
#include "tweak/reset.h"
#include "tweak/windowtexts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace quenzar {

namespace {

// The window's own texts that the delivery dialogues look for and show.
constexpr delivery::WindowTexts deliveryTexts{pathPlaceholder, questionTitle};

// The small coloured lettering above the Debug caption. The face is only 25 pixels high, so
// the letters keep to the top of the picture and the rest shows the face through, where the
// caption may reach.
QPixmap debugPicture()
{
    QPixmap picture(34, 17);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    const QColor colours[] = {QColor(255, 0, 0), QColor(255, 255, 0), QColor(255, 128, 0)};
    const QString letters = QStringLiteral("DBG");
    for (int i = 0; i < letters.size(); ++i) {
        painter.setPen(colours[i]);
        painter.drawText(QRect(2 + i * 10, 0, 10, 10), Qt::AlignCenter, letters.mid(i, 1));
    }
    return picture;
}

} // namespace

frmD3Tweak::frmD3Tweak(Services services) : m_services(services)
{
    buildForm(this, design, controls);
    m_ctrlMouse = control<QLabel>("ctrlMouse");
    m_lblError = control<QLabel>("lblError");
    m_lblDebug = control<QLabel>("lblDebug");
    m_txtRam = control<QLineEdit>("txtRam");
    m_txtVRam = control<QLineEdit>("txtVRam");
    m_txtTRam = control<QLineEdit>("txtTRam");
    m_txtPath = control<QLineEdit>("txtPath");
    m_txtSText = control<QLineEdit>("txtSText");
    m_optAll = control<QRadioButton>("optAll");
    m_optPre = control<QRadioButton>("optPre");

    auto* cmdDebug = control<QPushButton>("cmdDebug");
    cmdDebug->setIcon(QIcon(debugPicture()));
    cmdDebug->setIconSize(QSize(34, 17));

    connect(control<QPushButton>("cmdFinal"), &QPushButton::clicked, this,
            &frmD3Tweak::cmdFinal_Click);
    connect(cmdDebug, &QPushButton::clicked, this, &frmD3Tweak::cmdDebug_Click);
    connect(control<QPushButton>("cmdEmpty"), &QPushButton::clicked, this,
            &frmD3Tweak::cmdEmpty_Click);
    connect(control<QPushButton>("cmdClearP"), &QPushButton::clicked, this,
            &frmD3Tweak::cmdClearP_Click);
    connect(control<QPushButton>("cmdSaveEdit"), &QPushButton::clicked, this,
            &frmD3Tweak::cmdSaveEdit_Click);
    connect(control<QPushButton>("cmdExit"), &QPushButton::clicked, this,
            &frmD3Tweak::cmdExit_Click);
    connect(control<QPushButton>("cmdAd"), &QPushButton::clicked, this, &frmD3Tweak::cmdAd_Click);
}

void frmD3Tweak::cmdFinal_Click()
{
    using namespace composition;
    ControlState state;
    for (const CheckBoxField& box : checkBoxes)
        state.*box.value = control<QCheckBox>(box.name)->checkState();
    state.optBest = control<QRadioButton>("optBest")->isChecked();
    state.optNBest = control<QRadioButton>("optNBest")->isChecked();
    state.txtRam = m_txtRam->text();
    state.txtVRam = m_txtVRam->text();
    state.lblError = m_lblError->text();

    const Composition tweak = composeTweak(state);
    // Each write shows on the window at once, the warning included, in the order composed.
    applyWrites(tweak.writes);

    const delivery::DeliveryChoice choice =
        delivery::askDelivery(m_services.dialogs, m_txtSText->text(), deliveryTexts);
    if (choice.destination == delivery::DeliveryChoice::Destination::EditBox) {
        m_txtTRam->setText(tweak.editText);
        m_txtTRam->setCursorPosition(0);
        return;
    }
    delivery::writeTweakFile(m_services.dialogs, choice.path, tweak.fileText);
}

void frmD3Tweak::cmdDebug_Click()
{
    const QStringList messages = diagnoseStatus(m_lblError->text(), m_lblDebug->text());
    for (const QString& message : messages)
        m_services.dialogs.message(message, Buttons::Ok);
}

void frmD3Tweak::applyWrites(std::span<const ControlWrite> writes)
{
    for (const ControlWrite& write : writes) {
        switch (write.action) {
        case ControlWrite::Action::SetText: {
            auto* target = control<QWidget>(write.control);
            if (auto* label = qobject_cast<QLabel*>(target))
                setCaption(label, write.text.toString());
            else
                qobject_cast<QLineEdit*>(target)->setText(write.text.toString());
            break;
        }
        case ControlWrite::Action::Untick:
            control<QCheckBox>(write.control)->setCheckState(Qt::Unchecked);
            break;
        case ControlWrite::Action::Deselect: {
            // An option button of an exclusive group refuses to be cleared by itself; the
            // group lets go of it for the moment it takes.
            auto* option = control<QRadioButton>(write.control);
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
            break;
        }
        case ControlWrite::Action::ShowWarning:
            m_services.dialogs.message(write.text.toString(), Buttons::Ok);
            break;
        }
    }
}

void frmD3Tweak::cmdEmpty_Click()
{
    if (m_optAll->isChecked())
        applyWrites(fullReset());
    if (m_optPre->isChecked())
        applyWrites(memoryBoxesClear());
}

void frmD3Tweak::cmdClearP_Click()
{
    applyWrites(pathClear());
}

void frmD3Tweak::cmdSaveEdit_Click()
{
    const QString path =
        delivery::askEditedTweakPath(m_services.dialogs, m_txtPath->text(), deliveryTexts);
    delivery::writeTweakFile(m_services.dialogs, path, m_txtTRam->text());
}

void frmD3Tweak::cmdExit_Click()
{
    // The last request still awaits its answer, perhaps behind a password prompt: that is where
    // the player answers now, and nothing more may be sent underneath it.
    if (m_services.shutdown.pending())
        return;
    const Answer answer =
        m_services.dialogs.message(QStringLiteral("Quit windows or quit this program?"),
                                   Buttons::YesNoCancel, questionTitle.toString());
    if (answer == Answer::No) {
        m_services.forms.end();
        return;
    }
    if (answer != Answer::Yes)
        return;
    // However this box is closed, the shutdown follows: it offers no way back.
    m_services.dialogs.message(QStringLiteral(" Afsluiten van Windows, ok om verder te gaan "),
                               Buttons::Ok);
    // The answer may come long after this handler, even after this window has been closed, so
    // it reaches only the dialogs, which last as long as the program.
    m_services.shutdown.requestPowerOff(
        [&dialogs = m_services.dialogs](const ShutdownResult& result) {
            // Not a failure: the request is still out, and Exit may ask again.
            if (result.stillWaiting)
                dialogs.message(result.reason, Buttons::Ok);
            else if (!result.requested)
                dialogs.message(tr("The computer could not be shut down.\n\n%1").arg(result.reason),
                                Buttons::Ok);
        });
}

void frmD3Tweak::cmdAd_Click()
{
    m_services.forms.show(formnames::frmEdit);
}

void frmD3Tweak::Form_MouseMove(float x, float y)
{
    // The readout keeps its fixed box; what does not fit is cut off.
    setCaption(m_ctrlMouse, coordinateReadout(x, y));
}

} // namespace quenzar
