// How the edit dialog looks: the form and its controls as designed, in twips.
#include "editor/frmEdit.h"

#include "forms/formnames.h"

namespace quenzar {

namespace {

// The buttons keep the system's button colour.
const ControlDesign controlTable[] = {
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

const FormDesign frmEdit::design{.name = formnames::frmEdit,
                                 .caption = u"Edit your tweak and save it.",
                                 .clientWidth = 8820,
                                 .clientHeight = 6870,
                                 .back = black};

const std::span<const ControlDesign> frmEdit::controls = controlTable;

} // namespace quenzar
