#include "app/registerforms.h"

#include "editor/frmEdit.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "tweak/frmD3Tweak.h"
#include "welcome/frmFirst.h"

namespace quenzar {

void registerForms(const Services& services)
{
    services.forms.define(formnames::frmFirst, [services] { return new frmFirst(services); });
    services.forms.define(formnames::frmD3Tweak, [services] { return new frmD3Tweak(services); });
    services.forms.define(formnames::frmEdit, [services] { return new frmEdit(services); });
}

} // namespace quenzar
