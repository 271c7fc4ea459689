#include "app/forms.h"

#include "editor/frmEdit.h"
#include "platform/forms.h"
#include "tweak/frmD3Tweak.h"
#include "welcome/frmFirst.h"

namespace quenzar {

void defineForms(const Services& services)
{
    services.forms.define(frmFirst::formName, [services] { return new frmFirst(services); });
    services.forms.define(frmD3Tweak::formName, [services] { return new frmD3Tweak(services); });
    services.forms.define(frmEdit::formName, [services] { return new frmEdit(services); });
}

} // namespace quenzar
