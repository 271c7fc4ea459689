#include "tweak/composition/composition.h"

#include <QStringList>
#include <QTest>

using namespace quenzar::composition;
using quenzar::ControlWrite;

namespace {

// The fragments as the tweak's players know them, kept apart from the program's own copies.
// clang-format off
const QString aOn = QStringLiteral("seta r_useTwoSidedStencil (1), seta r_useShadowProjectedCull (1), seta g_bloodEffects (1), g_showPlayerShadow (0) ");
const QString atiOn = QStringLiteral("r_useDepthBoundsTest (0)");
const QString nvOn = QStringLiteral("r_useDepthBoundsTest (1) ");
const QString bOn = QStringLiteral("seta r_multiSamples (0), seta r_useGL2 (1), seta r_useCachedDynamicModels (1),  seta r_orderIndexes (1), seta r_useStateCaching (1), seta image_usePrecompressedTextures (1), seta image_useNormalCompression(2)");
const QString cOn = QStringLiteral(" seta r_useIndexBuffers(1), seta r_useVertexBuffers (1) ");
const QString eBoostOn = QStringLiteral(" seta cm_backFaceCull (1),  seta r_forceLoadImages (1) , seta r_useScissor (1), seta r_showDynamic (1), seta r_geominstancing (1), seta r_useCachedDynamicModels (1), com_purgeAll (1), seta r_useDepthBoundsTest (1), seta com_allowconsole (1),seta com_allowconsole (1), seta g_fov (85), set r_vertexBufferMegs (64), seta radiant_entityMode (0), seta gui_mediumFontLimit (0.60), seta win_ypos (22), seta win_xpos (3), seta g_fov (85), seta r_cgVertexProfile (vp30),seta r_cgFragmentProfile (fp30), set r_displayRefresh (85)seta r_forceLoadImages (1), seta cm_backFaceCull (1),seta r_useShadowProjectedCull (1), seta r_useConstantMaterials(1), seta r_useShadowCulling (1),seta r_useCulling(2),seta r_useInfiniteFarZ (1)");
const QString betterOn = QStringLiteral("image_lodbias -1 ");
const QString cacheOn = QStringLiteral(" Image_useCache = (1)");
const QString cacheOff = QStringLiteral(" Image_useCache = (0) ");
const QString worseOn = QStringLiteral("image_lodbias -2 ");
const QString bestBias = QStringLiteral(" image_lodbias 1 ");
const QString notBestBias = QStringLiteral(" image_lodbias -1 ");
const QString brassOn = QStringLiteral(" g_showBrass 1 ");
const QString brassOff = QStringLiteral(" g_showBrass 0 ");
const QString tShadowsOn = QStringLiteral(" r_useTurboShadow 1 ");
const QString tShadowsOff = QStringLiteral(" r_useTurboShadow 0 ");
const QString oShadowsOn = QStringLiteral(" r_useOptimizedShadows 1 ");
const QString oShadowsOff = QStringLiteral(" r_useOptimizedShadows 0 ");
const QString bloodOn = QStringLiteral(" g_bloodEffects 1 ");
const QString bloodOff = QStringLiteral(" g_bloodEffects 0 ");
const QString doubleOn = QStringLiteral(" g_doublevision 1 ");
const QString doubleOff = QStringLiteral(" g_doublevision 0 ");
const QString filterOn = QStringLiteral(" image_filter GL_LINEAR_MIPMAP_NEAREST ");
const QString filterOff = QStringLiteral(" image_filter GL_BI-LINEAR_MIPMAP_NEAREST");
const QString muzzleOn = QStringLiteral(" g_muzzleFlash 1 ");
const QString muzzleOff = QStringLiteral(" g_muzzleFlash 0 ");
const QString projectileLights = QStringLiteral(" g_projectileLights 1 ");
const QString shadowOn = QStringLiteral("r_shadows (1)");
const QString shadowOff = QStringLiteral("r_shadows (0)");

const QString ram1024 = QStringLiteral("image_cacheMegs=(768),image_cacheMink=(20480)");
const QString ram768 = QStringLiteral("image_cacheMegs=(512),image_cacheMink=(20480)");
const QString ram512 = QStringLiteral("image_cacheMegs=(256),image_cacheMink=(20480)");
const QString vram256 = QStringLiteral("image_useCompression (0),mage_downSizeSpecular= (0),image_downSizeBumpLimit=(1024), image_downSizeSpecularLimit=(256), com_videoRam=(256) ");
const QString vram128 = QStringLiteral("image_downSizeSpecular= (1),image_useCompression (1),image_downSizeBumpLimit=(512),image_downSizeSpecularLimit=(128),com_videoRam=(128)");
const QString vram64 = QStringLiteral(" image_downSizeSpecular= 1 , image_useCompression 1, image_downSizeBumpLimit=256, image_downSizeSpecularLimit=64, com_videoRam=64");

// A freshly opened window: nothing ticked, no option, both sizes empty.
const QString freshFile = QStringLiteral(" Image_useCache = (0)  g_showBrass 0  r_useTurboShadow 0  r_useOptimizedShadows 0  g_bloodEffects 0  g_doublevision 0  image_filter GL_BI-LINEAR_MIPMAP_NEAREST g_muzzleFlash 0  g_projectileLights 1 r_shadows (0)");
const QString freshEdit = QStringLiteral(" Image_useCache = (0)  g_showBrass 0  r_useTurboShadow 0  r_useOptimizedShadows 0  g_bloodEffects 0  g_doublevision 0  image_filter GL_BI-LINEAR_MIPMAP_NEAREST g_muzzleFlash 0  g_projectileLights 1 ");

// The writes a click can make.
using Action = ControlWrite::Action;
const ControlWrite noErrorFound{"lblDebug", Action::SetText, u"No error found"};
const ControlWrite errorGpu{"lblError", Action::SetText, u"Error GPU "};
const ControlWrite bigError{"lblError", Action::SetText, u"BIG ERROR "};
const ControlWrite error{"lblError", Action::SetText, u"Error"};
const ControlWrite ramRepair{"txtRam", Action::SetText, u"384"};
const ControlWrite vramRepair{"txtVRam", Action::SetText, u"64"};
const ControlWrite untickWorse{"chkWorse", Action::Untick, {}};
const ControlWrite untickBetter{"chkBetter", Action::Untick, {}};
const ControlWrite warning{{}, Action::ShowWarning, u"Don't check two boxes at one time"};
// clang-format on

using Writes = QList<ControlWrite>;
using Box = CheckValue ControlState::*;
constexpr CheckValue off = Qt::Unchecked, on = Qt::Checked, grey = Qt::PartiallyChecked;

// Every piece of a fresh window, piece 1 first.
std::array<QString, pieceCount> freshPieces()
{
    std::array<QString, pieceCount> pieces;
    pieces[7] = cacheOff;
    pieces[13] = brassOff;
    pieces[14] = tShadowsOff;
    pieces[15] = oShadowsOff;
    pieces[16] = bloodOff;
    pieces[17] = doubleOff;
    pieces[18] = filterOff;
    pieces[19] = muzzleOff;
    pieces[20] = projectileLights;
    pieces[21] = shadowOff;
    return pieces;
}

ControlState boxes(std::initializer_list<Box> ticked, CheckValue value = Qt::Checked)
{
    ControlState state;
    for (Box box : ticked)
        state.*box = value;
    return state;
}

ControlState sizes(const QString& ram, const QString& vram, QStringView lblError = {})
{
    ControlState state;
    state.txtRam = ram;
    state.txtVRam = vram;
    state.lblError = lblError.toString();
    return state;
}

ControlState everythingTicked()
{
    ControlState state;
    for (const CheckBoxField& box : checkBoxes)
        state.*box.value = Qt::Checked;
    return state;
}

QString describe(const ControlWrite& write)
{
    static const char* const actions[] = {"set", "untick", "deselect", "warn"};
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(QLatin1String(actions[int(write.action)]),
             QLatin1String(write.control.data(), qsizetype(write.control.size())), write.text);
}

// Writes as readable lines, so a failure shows which write went wrong.
QStringList describe(const std::vector<ControlWrite>& writes)
{
    QStringList lines;
    for (const ControlWrite& write : writes)
        lines << describe(write);
    return lines;
}

QStringList describe(const Writes& writes)
{
    return describe(std::vector<ControlWrite>(writes.begin(), writes.end()));
}

QStringList list(const std::array<QString, pieceCount>& pieces)
{
    return QStringList(pieces.begin(), pieces.end());
}

QString joined(const Composition& result, int first, int last)
{
    QString text;
    for (int piece = first; piece <= last; ++piece)
        text += result.pieces[piece - 1];
    return text;
}

} // namespace

class TestComposition : public QObject
{
    Q_OBJECT

private slots:
    void freshWindow();
    void checkBoxes_data();
    void checkBoxes();
    void frontAndBack_data();
    void frontAndBack();
    void depthBoundsBothTicked();
    void boostFragment();
    void systemMemory_data();
    void systemMemory();
    void videoMemory_data();
    void videoMemory();
    void verdict_data();
    void verdict();
    void options_data();
    void options();
    void writeOrder_data();
    void writeOrder();
    void everythingTickedText();
    void joins_data();
    void joins();
};

void TestComposition::freshWindow()
{
    const Composition result = composeTweak(ControlState{});

    QCOMPARE(result.fileText, freshFile);
    QCOMPARE(result.fileText.size(), 211);
    QCOMPARE(result.editText, freshEdit);
    QCOMPARE(result.editText.size(), 198);
    QVERIFY(result.writes.empty());
    QCOMPARE(list(result.pieces), list(freshPieces()));
}

void TestComposition::checkBoxes_data()
{
    QTest::addColumn<ControlState>("state");
    QTest::addColumn<int>("piece");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<Writes>("writes");

    struct Row
    {
        const char* name;
        Box box;
        int piece;
        QString ticked;
        QString unticked;
    };
    const Row rows[] = {
        {"chkA", &ControlState::chkA, 1, aOn, {}},
        {"chkAti", &ControlState::chkAti, 2, atiOn, {}},
        {"chkNv", &ControlState::chkNv, 3, nvOn, {}},
        {"chkB", &ControlState::chkB, 4, bOn, {}},
        {"chkC", &ControlState::chkC, 5, cOn, {}},
        {"chkEBoost", &ControlState::chkEBoost, 6, eBoostOn, {}},
        {"chkBetter", &ControlState::chkBetter, 7, betterOn, {}},
        {"chkCache", &ControlState::chkCache, 8, cacheOn, cacheOff},
        {"chkWorse", &ControlState::chkWorse, 11, worseOn, {}},
        {"chkBrass", &ControlState::chkBrass, 14, brassOn, brassOff},
        {"chkTShadows", &ControlState::chkTShadows, 15, tShadowsOn, tShadowsOff},
        {"chkOShadows", &ControlState::chkOShadows, 16, oShadowsOn, oShadowsOff},
        {"chkBlood", &ControlState::chkBlood, 17, bloodOn, bloodOff},
        {"chkDouble", &ControlState::chkDouble, 18, doubleOn, doubleOff},
        {"chkBoost", &ControlState::chkBoost, 19, filterOn, filterOff},
        {"chkMuzzle", &ControlState::chkMuzzle, 20, muzzleOn, muzzleOff},
        {"chkPLights", &ControlState::chkPLights, 21, projectileLights, projectileLights},
        {"chkShadow", &ControlState::chkShadow, 22, shadowOn, shadowOff},
    };
    for (const Row& row : rows) {
        const Writes writes = row.box == &ControlState::chkCache ? Writes{noErrorFound} : Writes{};
        QTest::addRow("%s ticked", row.name)
            << boxes({row.box}) << row.piece << row.ticked << writes;
        QTest::addRow("%s grayed", row.name)
            << boxes({row.box}, grey) << row.piece << row.unticked << Writes{};
        QTest::addRow("%s out of range", row.name)
            << boxes({row.box}, CheckValue(3)) << row.piece << row.unticked << Writes{};
    }
}

// Each box sets its own piece and no other.
void TestComposition::checkBoxes()
{
    QFETCH(ControlState, state);
    QFETCH(int, piece);
    QFETCH(QString, fragment);
    QFETCH(Writes, writes);

    const Composition result = composeTweak(state);

    auto expected = freshPieces();
    expected[piece - 1] = fragment;
    QCOMPARE(list(result.pieces), list(expected));
    QCOMPARE(describe(result.writes), describe(writes));
}

void TestComposition::frontAndBack_data()
{
    QTest::addColumn<ControlState>("state");
    QTest::addColumn<QString>("fileText");
    QTest::addColumn<QString>("editText");

    const QString freshMiddle = freshEdit;
    QTest::newRow("chkAti") << boxes({&ControlState::chkAti}) << atiOn + freshMiddle + shadowOff
                            << freshEdit;
    QTest::newRow("chkNv") << boxes({&ControlState::chkNv}) << nvOn + freshMiddle + shadowOff
                           << freshEdit;
    QTest::newRow("chkAti and chkNv") << boxes({&ControlState::chkAti, &ControlState::chkNv})
                                      << atiOn + nvOn + freshMiddle + shadowOff << freshEdit;
    QTest::newRow("chkA, chkB and chkC")
        << boxes({&ControlState::chkA, &ControlState::chkB, &ControlState::chkC})
        << aOn + bOn + cOn + freshMiddle + shadowOff << freshEdit;
    QTest::newRow("chkShadow ticked")
        << boxes({&ControlState::chkShadow}) << freshMiddle + shadowOn << freshEdit;
    QTest::newRow("chkShadow grayed")
        << boxes({&ControlState::chkShadow}, grey) << freshMiddle + shadowOff << freshEdit;
    QTest::newRow("all front and back boxes")
        << boxes({&ControlState::chkA, &ControlState::chkAti, &ControlState::chkNv,
                  &ControlState::chkB, &ControlState::chkC, &ControlState::chkShadow})
        << aOn + atiOn + nvOn + bOn + cOn + freshMiddle + shadowOn << freshEdit;
}

// The card pieces open the file text and the shadows piece closes it; the edit text has none.
void TestComposition::frontAndBack()
{
    QFETCH(ControlState, state);
    QFETCH(QString, fileText);
    QFETCH(QString, editText);

    const Composition result = composeTweak(state);

    QCOMPARE(result.fileText, fileText);
    QCOMPARE(result.editText, editText);
    QVERIFY(!result.editText.contains(u"r_shadows"));
}

void TestComposition::depthBoundsBothTicked()
{
    const Composition result = composeTweak(boxes({&ControlState::chkAti, &ControlState::chkNv}));

    QVERIFY(result.fileText.contains(u"r_useDepthBoundsTest (0)r_useDepthBoundsTest (1) "));
    QVERIFY(!result.editText.contains(u"r_useDepthBoundsTest (0)"));
    QVERIFY(!result.editText.contains(u"r_useDepthBoundsTest (1)"));
}

void TestComposition::boostFragment()
{
    const Composition result = composeTweak(boxes({&ControlState::chkEBoost}));

    QCOMPARE(result.pieces[5].size(), 715);
    QCOMPARE(result.pieces[5], eBoostOn);
    QCOMPARE(result.editText, eBoostOn + freshEdit);
    QCOMPARE(result.editText.size(), 715 + 198);
    QCOMPARE(result.fileText, eBoostOn + freshFile);
    QCOMPARE(result.fileText.size(), 715 + 211);
}

void TestComposition::systemMemory_data()
{
    QTest::addColumn<QString>("ram");
    QTest::addColumn<QString>("piece9");
    QTest::addColumn<Writes>("writes");

    QTest::newRow("1024") << "1024" << ram1024 << Writes{noErrorFound};
    QTest::newRow("768") << "768" << ram768 << Writes{noErrorFound};
    QTest::newRow("512") << "512" << ram512 << Writes{noErrorFound};
    QTest::newRow("repair value 384") << "384" << QString() << Writes{};
    QTest::newRow("256 is repaired") << "256" << QString() << Writes{ramRepair};
    QTest::newRow("2048") << "2048" << QString() << Writes{};
    QTest::newRow("empty") << "" << QString() << Writes{};
    QTest::newRow("blank before") << " 1024" << QString() << Writes{};
    QTest::newRow("blank after") << "1024 " << QString() << Writes{};
    QTest::newRow("blank inside") << "10 24" << QString() << Writes{};
    QTest::newRow("leading zero") << "0512" << QString() << Writes{};
    QTest::newRow("with unit") << "1024MB" << QString() << Writes{};
}

void TestComposition::systemMemory()
{
    QFETCH(QString, ram);
    QFETCH(QString, piece9);
    QFETCH(Writes, writes);

    const Composition result = composeTweak(sizes(ram, {}));

    QCOMPARE(result.pieces[8], piece9);
    QCOMPARE(result.pieces[9], QString());
    QCOMPARE(result.fileText, cacheOff + piece9 + freshFile.mid(cacheOff.size()));
    QCOMPARE(describe(result.writes), describe(writes));
}

void TestComposition::videoMemory_data()
{
    QTest::addColumn<QString>("vram");
    QTest::addColumn<QString>("piece10");
    QTest::addColumn<Writes>("writes");

    QTest::newRow("256") << "256" << vram256 << Writes{noErrorFound};
    QTest::newRow("128") << "128" << vram128 << Writes{noErrorFound};
    QTest::newRow("64") << "64" << vram64 << Writes{noErrorFound};
    QTest::newRow("32") << "32" << QString() << Writes{errorGpu, vramRepair};
    QTest::newRow("16") << "16" << QString() << Writes{errorGpu, vramRepair};
    QTest::newRow("512") << "512" << QString() << Writes{};
    QTest::newRow("empty") << "" << QString() << Writes{};
    QTest::newRow("blank before") << " 64" << QString() << Writes{};
    QTest::newRow("blank after") << "64 " << QString() << Writes{};
    QTest::newRow("blank inside") << "2 56" << QString() << Writes{};
    QTest::newRow("leading zero") << "032" << QString() << Writes{};
}

void TestComposition::videoMemory()
{
    QFETCH(QString, vram);
    QFETCH(QString, piece10);
    QFETCH(Writes, writes);

    const Composition result = composeTweak(sizes({}, vram));

    QCOMPARE(result.pieces[9], piece10);
    QCOMPARE(result.pieces[8], QString());
    QCOMPARE(result.fileText, cacheOff + piece10 + freshFile.mid(cacheOff.size()));
    QCOMPARE(describe(result.writes), describe(writes));
}

void TestComposition::verdict_data()
{
    QTest::addColumn<ControlState>("state");
    QTest::addColumn<QString>("piece9");
    QTest::addColumn<QString>("piece10");
    QTest::addColumn<Writes>("writes");

    for (const char* ram : {"256", "192", "128", "64", "32", "16"}) {
        for (const char* vram : {"32", "16"}) {
            if (QByteArray(ram) == "16" && QByteArray(vram) == "16")
                continue;
            QTest::addRow("too small: %s with %s", ram, vram)
                << sizes(ram, vram) << QString() << QString()
                << Writes{errorGpu, bigError, ramRepair, vramRepair};
        }
    }
    QTest::newRow("16 with 16 is no pair")
        << sizes("16", "16") << QString() << QString() << Writes{errorGpu, vramRepair};
    QTest::newRow("1024 with 32 is no pair") << sizes("1024", "32") << ram1024 << QString()
                                             << Writes{noErrorFound, errorGpu, vramRepair};
    QTest::newRow("1024 with 256")
        << sizes("1024", "256") << ram1024 << vram256 << Writes{noErrorFound, noErrorFound};
    QTest::newRow("256 with 128") << sizes("256", "128") << QString() << vram128
                                  << Writes{noErrorFound, ramRepair};
    QTest::newRow("128 with 256") << sizes("128", "256") << QString() << vram256
                                  << Writes{noErrorFound, error};
    QTest::newRow("64 with 64") << sizes("64", "64") << QString() << vram64
                                << Writes{noErrorFound, error, ramRepair};
    QTest::newRow("64 with 128") << sizes("64", "128") << QString() << vram128
                                 << Writes{noErrorFound, error};
    QTest::newRow("192 alone") << sizes("192", "") << QString() << QString() << Writes{error};
    QTest::newRow("128 alone") << sizes("128", "") << QString() << QString() << Writes{error};
    QTest::newRow("64 alone") << sizes("64", "") << QString() << QString() << Writes{error};
    QTest::newRow("32 alone") << sizes("32", "") << QString() << QString() << Writes{error};
    QTest::newRow("16 alone") << sizes("16", "") << QString() << QString() << Writes{};

    // A caption left by an earlier click.
    QTest::newRow("BIG ERROR left, 1024 with 256")
        << sizes("1024", "256", bigError.text) << ram1024 << vram256
        << Writes{noErrorFound, noErrorFound, ramRepair, vramRepair};
    QTest::newRow("BIG ERROR left, 256 alone is repaired once")
        << sizes("256", "", bigError.text) << QString() << QString()
        << Writes{ramRepair, vramRepair};
    QTest::newRow("BIG ERROR left, overwritten by Error GPU")
        << sizes("16", "16", bigError.text) << QString() << QString()
        << Writes{errorGpu, vramRepair};
    QTest::newRow("BIG ERROR without its blank left")
        << sizes("1024", "256", bigError.text.trimmed()) << ram1024 << vram256
        << Writes{noErrorFound, noErrorFound};
    QTest::newRow("Error GPU left, 1024 with 256")
        << sizes("1024", "256", errorGpu.text) << ram1024 << vram256
        << Writes{noErrorFound, noErrorFound, vramRepair};
    QTest::newRow("Error GPU left, 256 alone") << sizes("256", "", errorGpu.text) << QString()
                                               << QString() << Writes{vramRepair, ramRepair};
    QTest::newRow("Error GPU left, 64 with 64 rewrites 64")
        << sizes("64", "64", errorGpu.text) << QString() << vram64
        << Writes{noErrorFound, vramRepair, error, ramRepair};
    QTest::newRow("Error GPU left, last repair sees the repaired video size")
        << sizes("64", "", errorGpu.text) << QString() << QString()
        << Writes{vramRepair, error, ramRepair};
    QTest::newRow("Error left") << sizes("1024", "256", error.text) << ram1024 << vram256
                                << Writes{noErrorFound, noErrorFound};
    QTest::newRow("No error found left in lblError")
        << sizes("", "", noErrorFound.text) << QString() << QString() << Writes{};
}

// The memory verdict: labels, repairs and the pieces of both sizes.
void TestComposition::verdict()
{
    QFETCH(ControlState, state);
    QFETCH(QString, piece9);
    QFETCH(QString, piece10);
    QFETCH(Writes, writes);

    const Composition result = composeTweak(state);

    QCOMPARE(result.pieces[8], piece9);
    QCOMPARE(result.pieces[9], piece10);
    QCOMPARE(describe(result.writes), describe(writes));
}

void TestComposition::options_data()
{
    QTest::addColumn<bool>("optBest");
    QTest::addColumn<bool>("optNBest");
    QTest::addColumn<CheckValue>("chkBetter");
    QTest::addColumn<CheckValue>("chkWorse");
    QTest::addColumn<QString>("piece7");
    QTest::addColumn<QString>("piece11");
    QTest::addColumn<QString>("piece12");
    QTest::addColumn<QString>("piece13");
    QTest::addColumn<Writes>("writes");

    const QString none;
    const Writes unticks{untickWorse, untickBetter};
    QTest::newRow("optBest, both boxes ticked")
        << true << false << on << on << none << none << bestBias << none << unticks;
    QTest::newRow("optBest, no box ticked")
        << true << false << off << off << none << none << bestBias << none << unticks;
    QTest::newRow("optNBest, both boxes ticked")
        << false << true << on << on << none << none << none << notBestBias << unticks;
    QTest::newRow("optNBest, chkBetter ticked")
        << false << true << on << off << none << none << none << notBestBias << unticks;
    QTest::newRow("optNBest, chkWorse ticked")
        << false << true << off << on << none << none << none << notBestBias << unticks;
    QTest::newRow("both options, both boxes ticked")
        << true << true << on << on << none << none << none << none << unticks;
    QTest::newRow("both options, no box ticked")
        << true << true << off << off << none << none << none << none << unticks;
    QTest::newRow("no option, both boxes ticked")
        << false << false << on << on << betterOn << worseOn << none << none << Writes{warning};
    QTest::newRow("no option, chkBetter ticked")
        << false << false << on << off << betterOn << none << none << none << Writes{};
    QTest::newRow("no option, chkWorse ticked")
        << false << false << off << on << none << worseOn << none << none << Writes{};
    QTest::newRow("no option, chkBetter grayed")
        << false << false << grey << on << none << worseOn << none << none << Writes{};
    QTest::newRow("no option, both grayed")
        << false << false << grey << grey << none << none << none << none << Writes{};
}

void TestComposition::options()
{
    QFETCH(bool, optBest);
    QFETCH(bool, optNBest);
    QFETCH(CheckValue, chkBetter);
    QFETCH(CheckValue, chkWorse);
    QFETCH(QString, piece7);
    QFETCH(QString, piece11);
    QFETCH(QString, piece12);
    QFETCH(QString, piece13);
    QFETCH(Writes, writes);

    ControlState state;
    state.optBest = optBest;
    state.optNBest = optNBest;
    state.chkBetter = chkBetter;
    state.chkWorse = chkWorse;
    const Composition result = composeTweak(state);

    QCOMPARE(result.pieces[6], piece7);
    QCOMPARE(result.pieces[10], piece11);
    QCOMPARE(result.pieces[11], piece12);
    QCOMPARE(result.pieces[12], piece13);
    QCOMPARE(describe(result.writes), describe(writes));
}

void TestComposition::writeOrder_data()
{
    QTest::addColumn<ControlState>("state");
    QTest::addColumn<Writes>("writes");

    ControlState state = sizes("512", "128");
    state.chkCache = on;
    QTest::newRow("No error found three times")
        << state << Writes{noErrorFound, noErrorFound, noErrorFound};

    state = sizes("128", "32");
    state.chkCache = state.chkBetter = state.chkWorse = on;
    QTest::newRow("warning after the labels, before the repairs")
        << state << Writes{noErrorFound, errorGpu, bigError, warning, ramRepair, vramRepair};

    state = sizes("64", "64");
    state.chkBetter = state.chkWorse = on;
    QTest::newRow("warning before Error and the last repair")
        << state << Writes{noErrorFound, warning, error, ramRepair};

    state = sizes("128", "32");
    state.chkCache = on;
    state.optNBest = true;
    QTest::newRow("unticks after the labels, before the repairs")
        << state << Writes{noErrorFound, errorGpu,  bigError,  untickWorse,
                           untickBetter, ramRepair, vramRepair};
}

void TestComposition::writeOrder()
{
    QFETCH(ControlState, state);
    QFETCH(Writes, writes);

    QCOMPARE(describe(composeTweak(state).writes), describe(writes));
}

void TestComposition::everythingTickedText()
{
    ControlState state = everythingTicked();
    state.txtRam = "1024";
    state.txtVRam = "256";

    const Composition result = composeTweak(state);

    const QString edit = eBoostOn + betterOn + cacheOn + ram1024 + vram256 + worseOn + brassOn +
                         tShadowsOn + oShadowsOn + bloodOn + doubleOn + filterOn + muzzleOn +
                         projectileLights;
    QCOMPARE(result.editText, edit);
    QCOMPARE(result.fileText, aOn + atiOn + nvOn + bOn + cOn + edit + shadowOn);
    QCOMPARE(describe(result.writes),
             describe(Writes{noErrorFound, noErrorFound, noErrorFound, warning}));
}

void TestComposition::joins_data()
{
    QTest::addColumn<ControlState>("state");

    QTest::newRow("fresh") << ControlState{};
    QTest::newRow("everything ticked") << everythingTicked();
    ControlState grayed = everythingTicked();
    for (CheckValue* box : {&grayed.chkA, &grayed.chkCache, &grayed.chkShadow, &grayed.chkBoost})
        *box = grey;
    QTest::newRow("some grayed") << grayed;
    ControlState best = everythingTicked();
    best.optBest = true;
    best.txtRam = "768";
    best.txtVRam = "64";
    QTest::newRow("optBest with sizes") << best;
    ControlState notBest = sizes("512", "16");
    notBest.optNBest = true;
    notBest.chkAti = notBest.chkShadow = on;
    QTest::newRow("optNBest with sizes") << notBest;
}

// Both texts are the plain joins of their pieces, whatever the pieces hold.
void TestComposition::joins()
{
    QFETCH(ControlState, state);

    const Composition result = composeTweak(state);

    QCOMPARE(result.fileText, joined(result, 1, 22));
    QCOMPARE(result.editText, joined(result, 6, 21));
}

QTEST_APPLESS_MAIN(TestComposition)

#include "tst_composition.moc"
