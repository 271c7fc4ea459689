#pragma once

#include "tweak/composition/composition.h"

#include <QStringView>

#include <array>
#include <string_view>

// The fixed texts a "Safe to File" click is built from. Every fragment is kept character for
// character, odd blanks, repetitions and typos included: the tweak is these texts joined with
// nothing between them, so a blank added or lost here changes the tweak.
namespace quenzar::composition::fragments {

// The two fragments a check box chooses between; `unticked` is empty for a box that adds
// nothing when it is off.
struct Toggle
{
    QStringView ticked;
    QStringView unticked;
};

// Kept on one line each so a fragment can be found by searching for its text.
// clang-format off

// Card maker and card class: the front of the file text, left out of the edit text.
inline constexpr Toggle a{u"seta r_useTwoSidedStencil (1), seta r_useShadowProjectedCull (1), seta g_bloodEffects (1), g_showPlayerShadow (0) ", {}};
inline constexpr Toggle ati{u"r_useDepthBoundsTest (0)", {}};
inline constexpr Toggle nv{u"r_useDepthBoundsTest (1) ", {}};
inline constexpr Toggle b{u"seta r_multiSamples (0), seta r_useGL2 (1), seta r_useCachedDynamicModels (1),  seta r_orderIndexes (1), seta r_useStateCaching (1), seta image_usePrecompressedTextures (1), seta image_useNormalCompression(2)", {}};
inline constexpr Toggle c{u" seta r_useIndexBuffers(1), seta r_useVertexBuffers (1) ", {}};

// One line, repetitions and a missing comma included.
inline constexpr Toggle eBoost{u" seta cm_backFaceCull (1),  seta r_forceLoadImages (1) , seta r_useScissor (1), seta r_showDynamic (1), seta r_geominstancing (1), seta r_useCachedDynamicModels (1), com_purgeAll (1), seta r_useDepthBoundsTest (1), seta com_allowconsole (1),seta com_allowconsole (1), seta g_fov (85), set r_vertexBufferMegs (64), seta radiant_entityMode (0), seta gui_mediumFontLimit (0.60), seta win_ypos (22), seta win_xpos (3), seta g_fov (85), seta r_cgVertexProfile (vp30),seta r_cgFragmentProfile (fp30), set r_displayRefresh (85)seta r_forceLoadImages (1), seta cm_backFaceCull (1),seta r_useShadowProjectedCull (1), seta r_useConstantMaterials(1), seta r_useShadowCulling (1),seta r_useCulling(2),seta r_useInfiniteFarZ (1)", {}};
inline constexpr Toggle better{u"image_lodbias -1 ", {}};
inline constexpr Toggle cache{u" Image_useCache = (1)", u" Image_useCache = (0) "};
inline constexpr Toggle worse{u"image_lodbias -2 ", {}};
inline constexpr QStringView bestBias = u" image_lodbias 1 ";
inline constexpr QStringView notBestBias = u" image_lodbias -1 ";
inline constexpr Toggle brass{u" g_showBrass 1 ", u" g_showBrass 0 "};
inline constexpr Toggle tShadows{u" r_useTurboShadow 1 ", u" r_useTurboShadow 0 "};
inline constexpr Toggle oShadows{u" r_useOptimizedShadows 1 ", u" r_useOptimizedShadows 0 "};
inline constexpr Toggle blood{u" g_bloodEffects 1 ", u" g_bloodEffects 0 "};
inline constexpr Toggle doubleVision{u" g_doublevision 1 ", u" g_doublevision 0 "};
inline constexpr Toggle boost{u" image_filter GL_LINEAR_MIPMAP_NEAREST ", u" image_filter GL_BI-LINEAR_MIPMAP_NEAREST"};
inline constexpr Toggle muzzle{u" g_muzzleFlash 1 ", u" g_muzzleFlash 0 "};
// Projectile lights stay on whatever the box shows.
inline constexpr Toggle pLights{u" g_projectileLights 1 ", u" g_projectileLights 1 "};
// The shadows switch ends the file text and is left out of the edit text.
inline constexpr Toggle shadow{u"r_shadows (1)", u"r_shadows (0)"};

// Every status-label caption. The first four are codes: the diagnosis turns them back into
// sentences. The full reset writes the last two, which are no codes.
inline constexpr QStringView noErrorFound = u"No error found";
inline constexpr QStringView errorGpu = u"Error GPU ";
inline constexpr QStringView bigError = u"BIG ERROR ";
inline constexpr QStringView error = u"Error";
inline constexpr QStringView lookingForErrors = u"Looking for errors ";
inline constexpr QStringView noErrorsFound = u"No errors found";

inline constexpr QStringView twoBoxesWarning = u"Don't check two boxes at one time";

// The controls a click writes back to.
inline constexpr std::string_view lblDebug = "lblDebug";
inline constexpr std::string_view lblError = "lblError";
inline constexpr std::string_view txtRam = "txtRam";
inline constexpr std::string_view txtVRam = "txtVRam";
inline constexpr std::string_view chkBetter = "chkBetter";
inline constexpr std::string_view chkWorse = "chkWorse";

// One row of a memory table: the size text as typed, the fragment it selects and the caption it
// writes into `label`.
struct MemoryRow
{
    QStringView size;
    QStringView fragment;
    std::string_view label;
    QStringView caption;
};

// Tested top to bottom, first match wins. Sizes are compared as typed, never as numbers.
inline constexpr std::array systemMemory{
    MemoryRow{u"1024", u"image_cacheMegs=(768),image_cacheMink=(20480)", lblDebug, noErrorFound},
    MemoryRow{u"768", u"image_cacheMegs=(512),image_cacheMink=(20480)", lblDebug, noErrorFound},
    MemoryRow{u"512", u"image_cacheMegs=(256),image_cacheMink=(20480)", lblDebug, noErrorFound},
};

inline constexpr std::array videoMemory{
    MemoryRow{u"256", u"image_useCompression (0),mage_downSizeSpecular= (0),image_downSizeBumpLimit=(1024), image_downSizeSpecularLimit=(256), com_videoRam=(256) ", lblDebug, noErrorFound},
    MemoryRow{u"128", u"image_downSizeSpecular= (1),image_useCompression (1),image_downSizeBumpLimit=(512),image_downSizeSpecularLimit=(128),com_videoRam=(128)", lblDebug, noErrorFound},
    MemoryRow{u"64", u" image_downSizeSpecular= 1 , image_useCompression 1, image_downSizeBumpLimit=256, image_downSizeSpecularLimit=64, com_videoRam=64", lblDebug, noErrorFound},
    MemoryRow{u"32", {}, lblError, errorGpu},
    MemoryRow{u"16", {}, lblError, errorGpu},
};

// clang-format on

// A system size of these with a video size of those is too small a pair, except 16 with 16.
inline constexpr std::array tooSmallPairRam{QStringView{u"256"}, QStringView{u"192"},
                                            QStringView{u"128"}, QStringView{u"64"},
                                            QStringView{u"32"},  QStringView{u"16"}};
inline constexpr std::array tooSmallPairVRam{QStringView{u"32"}, QStringView{u"16"}};
inline constexpr QStringView smallestSize = u"16";

// System sizes that are still too little once the repairs are done.
inline constexpr std::array tooLittleRam{QStringView{u"192"}, QStringView{u"128"},
                                         QStringView{u"64"}, QStringView{u"32"}};

// The sizes the repairs fall back to, and the sizes they repair on their own.
inline constexpr QStringView repairedRam = u"384";
inline constexpr QStringView repairedVRam = u"64";
inline constexpr QStringView smallRam = u"256";
inline constexpr QStringView lowRam = u"64";
inline constexpr QStringView lowVRam = u"64";

} // namespace quenzar::composition::fragments
