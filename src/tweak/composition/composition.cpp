#include "tweak/composition/composition.h"

#include "tweak/composition/fragments.h"

#include <algorithm>
#include <span>

namespace quenzar::composition {

namespace {

using namespace fragments;

// More than one click can ever write, so the list is allocated once.
constexpr std::size_t maxWrites = 12;

// Wraps a constant fragment without copying it; the fragments live as long as the program.
QString text(QStringView fragment)
{
    return QString::fromRawData(fragment.data(), fragment.size());
}

bool ticked(CheckValue value)
{
    return value == Qt::Checked;
}

bool isOneOf(QStringView size, std::span<const QStringView> sizes)
{
    return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
}

const MemoryRow* findRow(std::span<const MemoryRow> table, QStringView size)
{
    const auto row = std::find_if(table.begin(), table.end(),
                                  [size](const MemoryRow& r) { return r.size == size; });
    return row == table.end() ? nullptr : &*row;
}

// One click's work: the pieces being filled and the controls as this click has left them so
// far, so that later steps see the writes of earlier ones.
class Click
{
public:
    explicit Click(const ControlState& state)
        : m_state(state), m_lblError(state.lblError), m_txtRam(state.txtRam),
          m_txtVRam(state.txtVRam), m_chkBetter(state.chkBetter), m_chkWorse(state.chkWorse)
    {
        m_result.writes.reserve(maxWrites);
    }

    Composition run()
    {
        setPiece(2, ati, m_state.chkAti);
        setPiece(3, nv, m_state.chkNv);
        applyMemoryRow(9, systemMemory, m_txtRam);
        setPiece(1, a, m_state.chkA);
        setPiece(4, b, m_state.chkB);
        setPiece(5, c, m_state.chkC);
        setPiece(8, cache, m_state.chkCache);
        if (ticked(m_state.chkCache))
            setText(lblDebug, noErrorFound);
        applyMemoryRow(10, videoMemory, m_txtVRam);
        judgePair();
        applyOptionRule();
        setRemainingPieces();
        applyDetailBias();
        repair();
        join();
        return std::move(m_result);
    }

private:
    void setPiece(int piece, QStringView fragment) { m_result.pieces[piece - 1] = text(fragment); }

    void setPiece(int piece, const Toggle& toggle, CheckValue value)
    {
        setPiece(piece, ticked(value) ? toggle.ticked : toggle.unticked);
    }

    // Later steps of the click read what earlier steps wrote, as they would on the window.
    void setText(std::string_view control, QStringView value)
    {
        m_result.writes.push_back({control, ControlWrite::Action::SetText, value});
        if (control == lblError)
            m_lblError = value;
        else if (control == txtRam)
            m_txtRam = value;
        else if (control == txtVRam)
            m_txtVRam = value;
    }

    void untick(std::string_view control)
    {
        m_result.writes.push_back({control, ControlWrite::Action::Untick, {}});
        if (control == chkBetter)
            m_chkBetter = Qt::Unchecked;
        else if (control == chkWorse)
            m_chkWorse = Qt::Unchecked;
    }

    void warn(QStringView text)
    {
        m_result.writes.push_back({{}, ControlWrite::Action::ShowWarning, text});
    }

    void applyMemoryRow(int piece, std::span<const MemoryRow> table, QStringView size)
    {
        if (const MemoryRow* row = findRow(table, size)) {
            setPiece(piece, row->fragment);
            setText(row->label, row->caption);
        }
    }

    void judgePair()
    {
        const bool exception = m_txtRam == smallestSize && m_txtVRam == smallestSize;
        if (isOneOf(m_txtRam, tooSmallPairRam) && isOneOf(m_txtVRam, tooSmallPairVRam) &&
            !exception)
            setText(lblError, bigError);
    }

    bool anyOption() const { return m_state.optBest || m_state.optNBest; }

    // A detail option overrides the two bias boxes, so they are cleared on the window too.
    void applyOptionRule()
    {
        if (anyOption()) {
            untick(chkWorse);
            untick(chkBetter);
        }
    }

    void setRemainingPieces()
    {
        setPiece(6, eBoost, m_state.chkEBoost);
        setPiece(18, doubleVision, m_state.chkDouble);
        setPiece(17, blood, m_state.chkBlood);
        setPiece(7, better, m_chkBetter);
        setPiece(11, worse, m_chkWorse);
        setPiece(20, muzzle, m_state.chkMuzzle);
        setPiece(16, oShadows, m_state.chkOShadows);
        setPiece(15, tShadows, m_state.chkTShadows);
        setPiece(14, brass, m_state.chkBrass);
        setPiece(21, pLights, m_state.chkPLights);
        setPiece(22, shadow, m_state.chkShadow);
        setPiece(19, boost, m_state.chkBoost);
    }

    // Both options at once cannot be chosen on the window; then neither bias applies, and the
    // option rule has already cleared the boxes the warning looks at.
    void applyDetailBias()
    {
        if (m_state.optBest && !m_state.optNBest)
            setPiece(12, bestBias);
        else if (m_state.optNBest && !m_state.optBest)
            setPiece(13, notBestBias);
        else if (!anyOption() && ticked(m_chkBetter) && ticked(m_chkWorse))
            warn(twoBoxesWarning);
    }

    // The repairs only change the size boxes, so they show in the texts of the next click.
    void repair()
    {
        if (m_lblError == bigError)
            setText(txtRam, repairedRam);
        if (m_lblError == bigError)
            setText(txtVRam, repairedVRam);
        if (m_lblError == errorGpu)
            setText(txtVRam, repairedVRam);
        if (m_txtRam == smallRam)
            setText(txtRam, repairedRam);

        if (isOneOf(m_txtRam, tooLittleRam))
            setText(lblError, error);

        if (m_txtRam == lowRam && m_txtVRam == lowVRam)
            setText(txtRam, repairedRam);
    }

    // The file text is pieces 1 to 22; the edit text drops the card pieces 1 to 5 in front and
    // the shadows piece 22 at the end.
    void join()
    {
        m_result.fileText = concatenate(1, 22);
        m_result.editText = concatenate(6, 21);
    }

    // Sized once and filled in place, so each text costs a single allocation.
    QString concatenate(int first, int last) const
    {
        const auto begin = m_result.pieces.begin() + (first - 1);
        const auto end = m_result.pieces.begin() + last;
        qsizetype size = 0;
        for (auto piece = begin; piece != end; ++piece)
            size += piece->size();
        QString text(size, Qt::Uninitialized);
        QChar* out = text.data();
        for (auto piece = begin; piece != end; ++piece)
            out = std::copy_n(piece->constData(), piece->size(), out);
        return text;
    }

    const ControlState& m_state;
    QStringView m_lblError;
    QStringView m_txtRam;
    QStringView m_txtVRam;
    CheckValue m_chkBetter;
    CheckValue m_chkWorse;
    Composition m_result;
};

} // namespace

Composition composeTweak(const ControlState& state)
{
    return Click(state).run();
}

} // namespace quenzar::composition
