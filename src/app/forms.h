#pragma once

#include "platform/services.h"

namespace quenzar {

// Tells the forms registry how to build each of the program's three forms.
void defineForms(const Services& services);

} // namespace quenzar
