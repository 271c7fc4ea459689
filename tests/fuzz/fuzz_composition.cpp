// libFuzzer target: any control values and any memory texts compose without a crash, and the
// two texts are always the plain joins of their pieces.
#include "tweak/composition/composition.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace quenzar::composition;

namespace {

// Sizes and codes the rules know, so the fuzzer reaches every row and repair quickly.
const char16_t* const known[] = {
    u"1024", u"768", u"512", u"384",        u"256",   u"192",        u"128",
    u"64",   u"32",  u"16",  u"BIG ERROR ", u"Error", u"Error GPU ", u"No error found",
    u""};

QString text(FuzzedDataProvider& data)
{
    if (data.ConsumeBool())
        return QString::fromUtf16(data.PickValueInArray(known));
    const std::string bytes = data.ConsumeRandomLengthString(64);
    return data.ConsumeBool() ? QString::fromUtf8(bytes.data(), qsizetype(bytes.size()))
                              : QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

QString join(const Composition& c, int first, int last)
{
    QString all;
    for (int piece = first; piece <= last; ++piece)
        all += c.pieces[std::size_t(piece - 1)];
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    ControlState state;
    for (const CheckBoxField& box : checkBoxes)
        state.*box.value = CheckValue(data.ConsumeIntegralInRange(0, 2));
    state.optBest = data.ConsumeBool();
    state.optNBest = data.ConsumeBool();
    state.txtRam = text(data);
    state.txtVRam = text(data);
    state.lblError = text(data);

    const Composition c = composeTweak(state);
    require(c.fileText == join(c, 1, 22), "the file text is not the join of pieces 1 to 22");
    require(c.editText == join(c, 6, 21), "the edit text is not the join of pieces 6 to 21");
    int warnings = 0;
    for (const quenzar::ControlWrite& write : c.writes)
        warnings += write.action == quenzar::ControlWrite::Action::ShowWarning ? 1 : 0;
    require(warnings <= 1, "more than one warning in one click");
    return 0;
}
