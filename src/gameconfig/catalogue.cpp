#include "gameconfig/catalogue.h"

#include <algorithm>
#include <array>

namespace quenzar::gameconfig {

namespace {

constexpr std::array<QStringView, 6> filterWords{
    u"GL_LINEAR_MIPMAP_NEAREST",  u"GL_LINEAR_MIPMAP_LINEAR", u"GL_NEAREST", u"GL_LINEAR",
    u"GL_NEAREST_MIPMAP_NEAREST", u"GL_NEAREST_MIPMAP_LINEAR"};

constexpr bool saved = true;
constexpr bool notSaved = false;
constexpr bool vidRestart = true;
constexpr bool atOnce = false;
constexpr RegisteredBy engine = RegisteredBy::Engine;
constexpr RegisteredBy game = RegisteredBy::Game;
constexpr std::span<const QStringView> anyWord{};
constexpr std::span<const QStringView> filterWord{filterWords};

// In dhewm3 image_useCompression and image_usePrecompressedTextures are whole numbers from 0 to
// 2; 0 and 1, the values the tweak uses, mean the same in every build.
// clang-format off
constexpr std::array settings{
    Setting{u"r_useTwoSidedStencil", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_useShadowProjectedCull", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_useDepthBoundsTest", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_multiSamples", Type::Int, u"0", unbounded, anyWord, saved, engine, AllBuilds, vidRestart},
    Setting{u"r_useCachedDynamicModels", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_orderIndexes", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_useStateCaching", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"image_usePrecompressedTextures", Type::Bool, u"1", between(0, 1), anyWord, saved, engine, AllBuilds, vidRestart},
    Setting{u"image_useNormalCompression", Type::Int, u"2", unbounded, anyWord, saved, engine, AllBuilds, vidRestart},
    Setting{u"r_useIndexBuffers", Type::Int, u"0", between(0, 1), anyWord, saved, engine, AllBuilds, atOnce},
    Setting{u"r_useVertexBuffers", Type::Int, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"cm_backFaceCull", Type::Bool, u"0", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_forceLoadImages", Type::Bool, u"0", between(0, 1), anyWord, saved, engine, AllBuilds, atOnce},
    Setting{u"r_useScissor", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_showDynamic", Type::Bool, u"0", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"com_purgeAll", Type::Bool, u"0", between(0, 1), anyWord, saved, engine, AllBuilds, atOnce},
    Setting{u"com_allowConsole", Type::Bool, u"0", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_vertexBufferMegs", Type::Int, u"32", unbounded, anyWord, notSaved, engine, AllBuilds, vidRestart},
    Setting{u"radiant_entityMode", Type::String, u"0", unbounded, anyWord, saved, engine, Win32, atOnce},
    Setting{u"gui_mediumFontLimit", Type::String, u"0.60", unbounded, anyWord, saved, engine, AllBuilds, atOnce},
    Setting{u"win_xpos", Type::Int, u"3", unbounded, anyWord, saved, engine, Win32, atOnce},
    Setting{u"win_ypos", Type::Int, u"22", unbounded, anyWord, saved, engine, Win32, atOnce},
    Setting{u"r_cgVertexProfile", Type::String, u"best", unbounded, anyWord, saved, engine, Win32 | Linux, atOnce},
    Setting{u"r_cgFragmentProfile", Type::String, u"best", unbounded, anyWord, saved, engine, Win32 | Linux, atOnce},
    Setting{u"r_displayRefresh", Type::Int, u"0", between(0, 200), anyWord, notSaved, engine, AllBuilds, vidRestart},
    Setting{u"r_useConstantMaterials", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_useShadowCulling", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_useCulling", Type::Int, u"2", between(0, 2), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_useInfiniteFarZ", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"image_lodbias", Type::String, u"0", unbounded, anyWord, saved, engine, AllBuilds, atOnce},
    Setting{u"image_useCache", Type::Bool, u"0", between(0, 1), anyWord, saved, engine, AllBuilds, atOnce},
    Setting{u"r_useTurboShadow", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"r_useOptimizedShadows", Type::Bool, u"1", between(0, 1), anyWord, notSaved, engine, AllBuilds, atOnce},
    Setting{u"image_filter", Type::String, u"GL_LINEAR_MIPMAP_LINEAR", unbounded, filterWord, saved, engine, AllBuilds, atOnce},
    Setting{u"r_shadows", Type::Bool, u"1", between(0, 1), anyWord, saved, engine, AllBuilds, atOnce},
    Setting{u"image_cacheMegs", Type::String, u"20", unbounded, anyWord, saved, engine, AllBuilds, atOnce},
    Setting{u"image_cacheMinK", Type::Int, u"200", unbounded, anyWord, saved, engine, AllBuilds, atOnce},
    Setting{u"image_useCompression", Type::Bool, u"1", between(0, 1), anyWord, saved, engine, AllBuilds, vidRestart},
    Setting{u"image_downSizeSpecular", Type::String, u"0", unbounded, anyWord, saved, engine, AllBuilds, vidRestart},
    Setting{u"image_downSizeBumpLimit", Type::String, u"128", unbounded, anyWord, saved, engine, AllBuilds, vidRestart},
    Setting{u"image_downSizeSpecularLimit", Type::String, u"64", unbounded, anyWord, saved, engine, AllBuilds, vidRestart},
    Setting{u"com_videoRam", Type::Int, u"64", unbounded, anyWord, saved, engine, Win32 | Linux, atOnce},
    Setting{u"g_bloodEffects", Type::Bool, u"1", between(0, 1), anyWord, saved, game, AllBuilds, atOnce},
    Setting{u"g_showPlayerShadow", Type::Bool, u"0", between(0, 1), anyWord, saved, game, AllBuilds, atOnce},
    Setting{u"g_fov", Type::Int, u"90", unbounded, anyWord, notSaved, game, AllBuilds, atOnce},
    Setting{u"g_showBrass", Type::Bool, u"1", between(0, 1), anyWord, saved, game, AllBuilds, atOnce},
    Setting{u"g_doubleVision", Type::Bool, u"1", between(0, 1), anyWord, saved, game, AllBuilds, atOnce},
    Setting{u"g_muzzleFlash", Type::Bool, u"1", between(0, 1), anyWord, saved, game, AllBuilds, atOnce},
    Setting{u"g_projectileLights", Type::Bool, u"1", between(0, 1), anyWord, saved, game, AllBuilds, atOnce},
};
// clang-format on

constexpr std::array<QStringView, 3> namesNoBuildHas{u"r_useGL2", u"r_geominstancing",
                                                     u"mage_downSizeSpecular"};

bool sameLetter(QChar a, QChar b)
{
    return a.toCaseFolded() == b.toCaseFolded();
}

// True when one name is the other with a letter added, or, at equal lengths, one changed.
bool oneLetterApart(QStringView a, QStringView b)
{
    if (a.size() < b.size())
        std::swap(a, b);
    if (a.size() - b.size() > 1)
        return false;
    qsizetype i = 0;
    while (i < b.size() && sameLetter(a[i], b[i]))
        ++i;
    if (i == b.size())
        return a.size() != b.size();
    // Past the first difference the rest must match, shifted by one where a letter was added.
    const qsizetype skipA = 1, skipB = a.size() == b.size() ? 1 : 0;
    return a.sliced(i + skipA).compare(b.sliced(i + skipB), Qt::CaseInsensitive) == 0;
}

bool digits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QStringView withoutMinus(QStringView text)
{
    return text.startsWith(u'-') ? text.sliced(1) : text;
}

} // namespace

bool Setting::takesNumber() const
{
    return type != Type::String || (words.empty() && isNumber(defaultValue));
}

const Setting* findSetting(QStringView name)
{
    // Lengths first: comparing letters whatever their case is the slow part.
    const auto found = std::find_if(settings.begin(), settings.end(), [name](const Setting& s) {
        return s.name.size() == name.size() && s.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return found == settings.end() ? nullptr : &*found;
}

const Setting* settingOneLetterAway(QStringView name)
{
    const auto found = std::find_if(settings.begin(), settings.end(), [name](const Setting& s) {
        return oneLetterApart(s.name, name);
    });
    return found == settings.end() ? nullptr : &*found;
}

bool isNumber(QStringView text)
{
    const QStringView number = withoutMinus(text);
    const qsizetype point = number.indexOf(u'.');
    if (point < 0)
        return digits(number);
    const QStringView whole = number.first(point), fraction = number.sliced(point + 1);
    return (whole.isEmpty() || digits(whole)) && (fraction.isEmpty() || digits(fraction)) &&
           !(whole.isEmpty() && fraction.isEmpty());
}

bool isWholeNumber(QStringView text)
{
    return digits(withoutMinus(text));
}

bool noBuildHas(QStringView name)
{
    return std::any_of(namesNoBuildHas.begin(), namesNoBuildHas.end(), [name](QStringView known) {
        return known.compare(name, Qt::CaseInsensitive) == 0;
    });
}

} // namespace quenzar::gameconfig
