#include "welcome/frmFirst.h"

#include "platform/formdesign.h"
#include "platform/forms.h"
#include "platform/readout.h"
#include "tweak/frmD3Tweak.h"

#include <QLabel>
#include <QPushButton>

namespace quenzar {

namespace {

const FormDesign design{.name = "frmFirst",
                        .caption = u"FIRST READ THE README FILE!",
                        .clientWidth = 7305,
                        .clientHeight = 4455,
                        .back = black,
                        .role = FormRole::Dialog,
                        // Opening the dialog reads out its question.
                        .accessibleDescription = u"Have you read the readme.txt File?"};

const ControlDesign controls[] = {
    {.name = "lblName",
     .kind = Kind::Label,
     .caption = u"Quenzar DOOM\u00B3 FPS BOOST!",
     .geometry = {120, 120, 7095, 615},
     .tabIndex = 0,
     .back = black,
     .fore = green,
     .font = {comicSans, 21.75}},
    {.name = "Label1",
     .kind = Kind::Label,
     .caption = u"Doom 3 tweak V2.3",
     .geometry = {120, 2040, 1725, 270},
     .tabIndex = 1,
     .back = black,
     .fore = green,
     .font = {comicSans, 9.75},
     .sizing = Sizing::AutoSize},
    {.name = "Label2",
     .kind = Kind::Label,
     .caption = u"Author : Tarvel...",
     .geometry = {120, 2520, 1590, 270},
     .tabIndex = 2,
     .back = black,
     .fore = green,
     .font = {comicSans, 9.75},
     .sizing = Sizing::AutoSize},
    {.name = "Label3",
     .kind = Kind::Label,
     .caption = u"Version: 2.3",
     .geometry = {120, 3000, 1080, 270},
     .tabIndex = 3,
     .back = black,
     .fore = green,
     .font = {comicSans, 9.75},
     .sizing = Sizing::AutoSize},
    {.name = "Label4",
     .kind = Kind::Label,
     .caption = u"Windows Xp/NT/98se",
     .geometry = {120, 3480, 2055, 270},
     .tabIndex = 4,
     .back = black,
     .fore = green,
     .font = {comicSans, 9.75},
     .sizing = Sizing::AutoSize},
    {.name = "Label5",
     .kind = Kind::Label,
     .caption = u"E-mail :tarvel@quenzar.example",
     .geometry = {120, 3960, 3390, 270},
     .tabIndex = 5,
     .back = black,
     .fore = green,
     .font = {comicSans, 9.75},
     .sizing = Sizing::AutoSize},
    {.name = "Label6",
     .kind = Kind::Label,
     .caption = u"Have you read the readme.txt File?",
     .geometry = {1200, 1080, 5595, 450},
     .tabIndex = 6,
     .back = black,
     .fore = yellow,
     .font = {comicSans, 15.75, true, true},
     .sizing = Sizing::AutoSize},
    {.name = "cmdYes",
     .kind = Kind::CommandButton,
     .caption = u"&Yes",
     .geometry = {2880, 2880, 1215, 375},
     .tabIndex = 7},
    {.name = "cmdNo",
     .kind = Kind::CommandButton,
     .caption = u"&No",
     .geometry = {5160, 2880, 1335, 375},
     .tabIndex = 8},
    {.name = "ctrlCoordinateLabel",
     .kind = Kind::Label,
     .geometry = {3720, 3960, 90, 285},
     .tabIndex = 9,
     .back = black,
     .fore = red,
     .font = {comicSans, 9.75, true},
     .sizing = Sizing::AutoSize},
};

} // namespace

frmFirst::frmFirst(Services services) : m_services(services)
{
    buildForm(this, design, controls);
    m_cmdYes = findChild<QPushButton*>(QStringLiteral("cmdYes"));
    m_cmdNo = findChild<QPushButton*>(QStringLiteral("cmdNo"));
    m_ctrlCoordinateLabel = findChild<QLabel*>(QStringLiteral("ctrlCoordinateLabel"));
    // Yes is the dialog's default button: Enter opens the main window.
    setDefaultButton(m_cmdYes);

    connect(m_cmdYes, &QPushButton::clicked, this, &frmFirst::cmdYes_Click);
    connect(m_cmdNo, &QPushButton::clicked, this, &frmFirst::cmdNo_Click);
}

void frmFirst::cmdYes_Click()
{
    // The welcome dialog stays open beside the main window.
    m_services.forms.show(frmD3Tweak::formName);
}

void frmFirst::cmdNo_Click()
{
    m_services.forms.end();
}

void frmFirst::Form_MouseMove(int, int, float x, float y)
{
    setCaption(m_ctrlCoordinateLabel, coordinateReadout(x, y));
}

} // namespace quenzar
