#pragma once

#include <QStringView>

#include <span>

namespace quenzar {

// One control put back into a fixed state by "Empty" or "Clear Path".
struct ResetWrite
{
    enum class Kind
    {
        Text,    // a text box's text
        Caption, // a label's caption
        Untick,  // a check box's value to 0
        Deselect // an option button to not selected
    };
    const char* control;
    Kind kind;
    QStringView value; // the text or caption; empty for the others
};

// "Empty" with All selected: the whole window's inputs and results, in this order.
std::span<const ResetWrite> fullReset();
// "Empty" with the pre entered values selected: the two memory boxes.
std::span<const ResetWrite> memoryBoxesClear();
// "Clear Path": both path boxes back to their placeholder.
std::span<const ResetWrite> pathClear();

} // namespace quenzar
