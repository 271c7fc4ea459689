#pragma once

#include "forms/services.h"

namespace quenzar {

// Tells the forms registry how to build each of the program's three forms.
void registerForms(const Services& services);

} // namespace quenzar
