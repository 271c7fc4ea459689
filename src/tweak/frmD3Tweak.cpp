#include "tweak/frmD3Tweak.h"
#include "tweak/windowtexts.h"

#include "editor/frmEdit.h"
#include "platform/dialogs.h"
#include "platform/formdesign.h"
#include "platform/forms.h"
#include "platform/readout.h"
#include "platform/shutdown/shutdown.h"
#include "tweak/composition/composition.h"
#include "tweak/delivery/delivery.h"
#include "tweak/diagnosis.h"
#include "tweak/reset.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace quenzar {

namespace {

const FormDesign design{.name = "frmD3Tweak",
                        .caption = u"Tarvel's Doom III Performance Tweak!",
                        .clientWidth = 10740,
                        .clientHeight = 10335,
                        .back = systemColour(buttonTextColour)};

// Frames come before the controls they hold.
const ControlDesign controls[] = {
    {.name = "fmCache",
     .kind = Kind::Frame,
     .caption = u"CACHE - RAM -VGA RAM",
     .geometry = {360, 480, 5175, 2175},
     .tabIndex = 0,
     .back = black,
     .fore = systemColour(desktopColour)},
    {.name = "frmDetails",
     .kind = Kind::Frame,
     .caption = u"Details and  Quality",
     .geometry = {360, 2760, 5175, 5895},
     .tabIndex = 7,
     .back = black,
     .fore = systemColour(desktopColour)},
    {.name = "frmBias",
     .kind = Kind::Frame,
     .caption = u"BIG FPS BOOST",
     .toolTip = u"Just chose what your gpu is like",
     .geometry = {5880, 3360, 4695, 5055},
     .tabIndex = 33,
     .back = black,
     .fore = green},
    {.name = "fromEmpty",
     .kind = Kind::Frame,
     .caption = u"Empty What?",
     .geometry = {600, 9240, 3615, 975},
     .tabIndex = 39,
     .back = black,
     .fore = green},
    {.name = "ctrlMouse",
     .kind = Kind::Label,
     .geometry = {4080, 120, 2535, 255},
     .tabIndex = 52,
     .back = black,
     .fore = yellow},
    {.name = "txtTRam",
     .kind = Kind::TextBox,
     .caption = u"Here will come your tweak you want to edit...",
     .toolTip = u"here will come a total tweak that has optimized your video ram for doom 3",
     .geometry = {6000, 480, 4455, 735},
     .tabIndex = 24,
     .back = black,
     .fore = red,
     .font = {comicSans, 9},
     .accessibleName = u"Tweak to edit"},
    {.name = "txtPath",
     .kind = Kind::TextBox,
     .caption = pathPlaceholder,
     .toolTip =
         u"The c:\\ is already pre- entered, so example : if you want to save it in doom folder  "
         u"then you type : program files\\doom 3\\tweak.cfg (don't forget the extension",
     .geometry = {6000, 1680, 4695, 615},
     .tabIndex = 38,
     .back = black,
     .fore = blue,
     .accessibleName = u"Path of the edited tweak"},
    {.name = "cmdSaveEdit",
     .kind = Kind::CommandButton,
     .caption = u"&Safe the file you edited !",
     .geometry = {5880, 2520, 2295, 495},
     .tabIndex = 32,
     .back = rgb(255, 192, 192)},
    {.name = "cmdAd",
     .kind = Kind::CommandButton,
     .caption = u"&Advanced Screen",
     .geometry = {8640, 2520, 1815, 495},
     .tabIndex = 53},
    {.name = "cmdFinal",
     .kind = Kind::CommandButton,
     .caption = u"Safe to File",
     .geometry = {360, 8760, 1095, 375},
     .tabIndex = 31},
    {.name = "txtSText",
     .kind = Kind::TextBox,
     .caption = pathPlaceholder,
     .geometry = {1680, 8760, 3855, 375},
     .tabIndex = 45,
     .accessibleName = u"Path of the tweak file"},
    {.name = "cmdDebug",
     .kind = Kind::CommandButton,
     .caption = u"&Debug !",
     .toolTip = u"Debug the error",
     .geometry = {5760, 8520, 1335, 375},
     .tabIndex = 29,
     .back = black,
     .font = {comicSans, 9}},
    {.name = "cmdExit",
     .kind = Kind::CommandButton,
     .caption = u"&Exit",
     .toolTip = u"Exit ",
     .geometry = {7440, 8520, 1215, 375},
     .tabIndex = 25,
     .font = {comicSans, 9}},
    {.name = "cmdClearP",
     .kind = Kind::CommandButton,
     .caption = u"&Clear Path",
     .geometry = {9120, 8520, 1215, 375},
     .tabIndex = 46},
    {.name = "lblError",
     .kind = Kind::Label,
     .toolTip = u"Error debug to continue",
     .geometry = {5400, 9000, 5175, 975},
     .tabIndex = 26,
     .back = black,
     .fore = blue,
     .font = {comicSans, 36, true}},
    {.name = "lblDebug",
     .kind = Kind::Label,
     .toolTip = u"The error that has caused the system to stop",
     .geometry = {6720, 9960, 2415, 255},
     .tabIndex = 30,
     .back = black,
     .fore = green},
    {.name = "lblCache",
     .kind = Kind::Label,
     .container = "fmCache",
     .caption = u"&Do you want to use cache?",
     .toolTip = u"&CACHE IMPROVES YOUR PERFORMANCE A LOT!",
     .geometry = {240, 360, 2055, 375},
     .tabIndex = 1,
     .back = systemColour(menuTextColour),
     .fore = green,
     .font = {msSansSerif, 8.25, true}},
    {.name = "chkCache",
     .kind = Kind::CheckBox,
     .container = "fmCache",
     .geometry = {3600, 360, 255, 255},
     .tabIndex = 2,
     .back = black},
    {.name = "lblRam",
     .kind = Kind::Label,
     .container = "fmCache",
     .caption = u"&Your total system memory (Ram)",
     .toolTip = u"&TOTAL SYSTEM MEMORY ALSO CALLED RAM ",
     .geometry = {120, 960, 2295, 375},
     .tabIndex = 3,
     .back = systemColour(menuTextColour),
     .fore = green,
     .font = {msSansSerif, 8.25, true}},
    {.name = "txtRam",
     .kind = Kind::TextBox,
     .container = "fmCache",
     .geometry = {3600, 960, 855, 375},
     .tabIndex = 4,
     .back = black,
     .fore = green},
    {.name = "lblVRam",
     .kind = Kind::Label,
     .container = "fmCache",
     .caption = u"&Your total grafical memory (VGA RAM)",
     .toolTip = u"kk",
     .geometry = {120, 1560, 2775, 375},
     .tabIndex = 5,
     .back = systemColour(menuTextColour),
     .fore = green,
     .font = {msSansSerif, 8.25, true}},
    {.name = "txtVRam",
     .kind = Kind::TextBox,
     .container = "fmCache",
     .toolTip = u"TOTAL VIDEO MEMORY ",
     .geometry = {3600, 1560, 855, 375},
     .tabIndex = 6,
     .back = black,
     .fore = green},
    {.name = "lblBlood",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u"&Blood or no Blood",
     .toolTip = u"Gore or no Gore?",
     .geometry = {360, 360, 1695, 375},
     .tabIndex = 8,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true}},
    {.name = "chkBlood",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 480, 255, 255},
     .tabIndex = 9,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "lblTShadow",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u"&Use Turbo Shadows?",
     .toolTip = u"&Faster way to create shadows",
     .geometry = {360, 960, 1815, 240},
     .tabIndex = 10,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true},
     .sizing = Sizing::AutoSize},
    {.name = "chkTShadows",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 1080, 255, 255},
     .tabIndex = 11,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "lblMuzzle",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u"&Do you want see a muzzle flash?",
     .toolTip =
         u"a muzzle flash: the flash a bullets makes when it's fired, turn off to gain a fps boost",
     .geometry = {360, 1560, 3015, 375},
     .tabIndex = 12,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true}},
    {.name = "chkMuzzle",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 1560, 255, 255},
     .tabIndex = 13,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "lblOShadows",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u"&Use optimized Shadows?",
     .toolTip = u"Optimized shadows, enable to gain a fps boost",
     .geometry = {360, 2160, 2415, 375},
     .tabIndex = 14,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true}},
    {.name = "chkOShadows",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 2160, 255, 255},
     .tabIndex = 15,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "lblDouble",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u"&Do you want to see double when you're  hit?",
     .toolTip = u"your screen turns double when you are attacked, disable to gain a fps boost",
     .geometry = {360, 2760, 4095, 375},
     .tabIndex = 16,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true}},
    {.name = "chkDouble",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 2880, 255, 255},
     .tabIndex = 17,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "lblPLights",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u"&Do you want to see the light of your bullet?",
     .toolTip = u"your bullets lightens up when its fired during his way true air, disable to gain "
                u"a fps boost",
     .geometry = {360, 3360, 4215, 375},
     .tabIndex = 18,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true}},
    {.name = "chkPLights",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 3480, 255, 255},
     .tabIndex = 19,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "lblBrass",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u"&Do you want to see the shells of your bullets? ",
     .geometry = {360, 3960, 4215, 375},
     .tabIndex = 20,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true}},
    {.name = "chkBrass",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 4080, 255, 255},
     .tabIndex = 21,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "lblShadows",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u"&Do you want to see shadows?",
     .toolTip = u"disable to gain a fsp boost, but then you don't see any shadows of players",
     .geometry = {360, 4560, 4095, 375},
     .tabIndex = 22,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true}},
    {.name = "chkShadow",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 4560, 255, 255},
     .tabIndex = 23,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "lblBoost",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u" &Fps Boost?",
     .toolTip = u"enable to gain a real fps boost",
     .geometry = {360, 5040, 1335, 255},
     .tabIndex = 27,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true}},
    {.name = "chkBoost",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 5040, 255, 255},
     .tabIndex = 28,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "lblEBoost",
     .kind = Kind::Label,
     .container = "frmDetails",
     .caption = u"Enable F**king big Boost",
     .geometry = {480, 5520, 3375, 255},
     .tabIndex = 43,
     .back = black,
     .fore = green,
     .font = {comicSans, 9, true}},
    {.name = "chkEBoost",
     .kind = Kind::CheckBox,
     .container = "frmDetails",
     .geometry = {4560, 5520, 255, 255},
     .tabIndex = 44,
     .back = systemColour(buttonFaceColour),
     .fore = systemColour(buttonTextColour)},
    {.name = "chkA",
     .kind = Kind::CheckBox,
     .container = "frmBias",
     .caption = u"Special Shadows",
     .geometry = {120, 360, 2055, 255},
     .tabIndex = 47,
     .back = black,
     .fore = green,
     .font = {comicSans, 9}},
    {.name = "chkB",
     .kind = Kind::CheckBox,
     .container = "frmBias",
     .caption = u"Special compression",
     .geometry = {120, 960, 2055, 255},
     .tabIndex = 48,
     .back = black,
     .fore = green,
     .font = {comicSans, 9}},
    {.name = "chkC",
     .kind = Kind::CheckBox,
     .container = "frmBias",
     .caption = u"Use Buffers",
     .geometry = {120, 1440, 2055, 255},
     .tabIndex = 49,
     .back = black,
     .fore = green,
     .font = {comicSans, 9}},
    {.name = "chkBetter",
     .kind = Kind::CheckBox,
     .container = "frmBias",
     .caption = u"&Better then a fx5600",
     .geometry = {120, 1920, 2175, 375},
     .tabIndex = 35,
     .back = black,
     .fore = green},
    {.name = "optBest",
     .kind = Kind::OptionButton,
     .container = "frmBias",
     .caption = u"&better then 9800 pro",
     .geometry = {120, 2520, 2295, 255},
     .tabIndex = 37,
     .back = black,
     .fore = green,
     .font = {comicSans, 9}},
    {.name = "optNBest",
     .kind = Kind::OptionButton,
     .container = "frmBias",
     .caption = u"&Better then fx5600 but not better then 9800 Pro",
     .geometry = {120, 3000, 4455, 495},
     .tabIndex = 36,
     .back = black,
     .fore = green,
     .font = {comicSans, 9}},
    {.name = "chkWorse",
     .kind = Kind::CheckBox,
     .container = "frmBias",
     .caption = u"&Worse than a fx 5600",
     .geometry = {120, 3720, 2175, 255},
     .tabIndex = 34,
     .back = black,
     .fore = green},
    {.name = "chkAti",
     .kind = Kind::CheckBox,
     .container = "frmBias",
     .caption = u"Ati GPU",
     .geometry = {120, 4200, 1815, 255},
     .tabIndex = 50,
     .back = black,
     .fore = green,
     .font = {comicSans, 9}},
    {.name = "chkNv",
     .kind = Kind::CheckBox,
     .container = "frmBias",
     .caption = u"Nvidia GPU",
     .geometry = {120, 4680, 1815, 255},
     .tabIndex = 51,
     .back = black,
     .fore = green,
     .font = {comicSans, 9}},
    {.name = "optPre",
     .kind = Kind::OptionButton,
     .container = "fromEmpty",
     .caption = u"&The pre entered value's",
     .geometry = {1200, 240, 2055, 255},
     .tabIndex = 41,
     .back = black,
     .fore = green},
    {.name = "cmdEmpty",
     .kind = Kind::CommandButton,
     .container = "fromEmpty",
     .caption = u"&Empty : ",
     .geometry = {120, 360, 975, 375},
     .tabIndex = 40},
    {.name = "optAll",
     .kind = Kind::OptionButton,
     .container = "fromEmpty",
     .caption = u"&All",
     .geometry = {1200, 600, 1695, 255},
     .tabIndex = 42,
     .back = black,
     .fore = green},
};

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

template <class Control> Control* frmD3Tweak::control(std::string_view name) const
{
    auto* found = findChild<Control*>(QLatin1StringView(name.data(), qsizetype(name.size())));
    Q_ASSERT_X(found, "frmD3Tweak::control", name.data());
    return found;
}

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
        delivery::askDelivery(m_services.dialogs, m_txtSText->text());
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
    const QString path = delivery::askEditedTweakPath(m_services.dialogs, m_txtPath->text());
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
            if (!result.requested)
                dialogs.message(tr("The computer could not be shut down.\n\n%1").arg(result.reason),
                                Buttons::Ok);
        });
}

void frmD3Tweak::cmdAd_Click()
{
    m_services.forms.show(frmEdit::formName);
}

void frmD3Tweak::Form_MouseMove(int, int, float x, float y)
{
    // The readout keeps its fixed box; what does not fit is cut off.
    setCaption(m_ctrlMouse, coordinateReadout(x, y));
}

} // namespace quenzar
