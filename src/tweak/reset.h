#pragma once

#include "tweak/composition/controlwrite.h"

#include <span>

namespace quenzar {

// "Empty" with All selected: the whole window's inputs and results, in this order.
std::span<const ControlWrite> fullReset();
// "Empty" with the pre entered values selected: the two memory boxes.
std::span<const ControlWrite> memoryBoxesClear();
// "Clear Path": both path boxes back to their placeholder.
std::span<const ControlWrite> pathClear();

} // namespace quenzar
