#include "gameconfig/catalogue.h"
#include "gameconfig/gameconfig.h"
#include "gamerun.h"
#include "tweak/composition/composition.h"

#include <QFile>
#include <QMap>
#include <QSet>
#include <QTest>

using namespace quenzar;
using namespace quenzar::gameconfig;
using quenzar::testing::GameRun;
using quenzar::testing::runLikeTheGame;

namespace {

template <typename Assignments> QStringList described(const Assignments& assignments)
{
    QStringList list;
    for (const auto& a : assignments)
        list << a.name + u'=' + a.value;
    return list;
}

QStringList positions(const std::vector<ReadWarning>& warnings)
{
    QStringList list;
    for (const ReadWarning& w : warnings)
        list << QStringLiteral("%1:%2").arg(w.line).arg(w.column);
    return list;
}

QMap<QString, QString> settingsFrom(const QString& list)
{
    QMap<QString, QString> settings;
    for (const QString& pair : list.split(u',', Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(u' ', Qt::SkipEmptyParts);
        settings[parts[0]] = parts[1];
    }
    return settings;
}

using composition::ControlState;

// Box n ticked when bit n is set.
ControlState ticked(unsigned bits, const QString& ram, const QString& vram)
{
    ControlState state;
    unsigned bit = 1;
    for (const composition::CheckBoxField& box : composition::checkBoxes) {
        state.*box.value = (bits & bit) ? Qt::Checked : Qt::Unchecked;
        bit <<= 1;
    }
    state.txtRam = ram;
    state.txtVRam = vram;
    return state;
}

} // namespace

class tst_GameConfig : public QObject
{
    Q_OBJECT

private slots:
    void catalogue_data();
    void catalogue();
    void reading_data();
    void reading();
    void writing_data();
    void writing();
    void runAdvice_data();
    void runAdvice();
    void withinTheBuffer_data();
    void withinTheBuffer();
    void everyWindowTextReads();
    void golden_data();
    void golden();
};

void tst_GameConfig::catalogue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<unsigned>("builds");
    QTest::addColumn<QString>("facts");

    const unsigned all = AllBuilds;
    QTest::newRow("any letter case")
        << "R_SHADOWS" << all << "r_shadows, all builds, bool, at once, kept";
    QTest::newRow("read only at the start of the game, kept but on Linux")
        << "s_useopenal" << all
        << "s_useOpenAL, Doom 3 (Windows) and Doom 3 for Linux, bool, at the next start of the "
           "game, not kept";
    QTest::newRow("the same on Windows alone")
        << "s_useOpenAL" << unsigned(Win32)
        << "s_useOpenAL, Doom 3 (Windows) and Doom 3 for Linux, bool, at the next start of the "
           "game, kept";
    QTest::newRow("never acted on, a cheat")
        << "r_vertexBufferMegs" << all
        << "r_vertexBufferMegs, all builds, integer, after vid_restart, not kept, cheat, does "
           "nothing";
    QTest::newRow("the sound hardware")
        << "s_numberOfSpeakers" << all
        << "s_numberOfSpeakers, all builds, string, after s_restart, kept";
    QTest::newRow("a float with a range")
        << "r_znear" << all << "r_znear, all builds, float 0.001..200, at once, not kept, cheat";
    QTest::newRow("the next map") << "com_purgeAll" << all
                                  << "com_purgeAll, all builds, bool, at the next map, kept";
    QTest::newRow("dhewm3 only, its own type") << "r_fullscreenDesktop" << all
                                               << "r_fullscreenDesktop, dhewm3, bool, after "
                                                  "vid_restart, kept";
}

// What the catalogue tells of a setting, through the functions the rest of the program uses.
void tst_GameConfig::catalogue()
{
    QFETCH(QString, name);
    QFETCH(unsigned, builds);
    QFETCH(QString, facts);

    const Setting* setting = findSetting(name);
    QVERIFY(setting);
    const Declaration& d = setting->declaration();
    const QStringList types{"bool", "integer", "float", "string"};
    QString type = types[int(d.type)];
    if (d.range.bounded)
        type += QStringLiteral(" %1..%2").arg(d.range.minimum).arg(d.range.maximum);
    QStringList told{
        setting->name.toString(),
        setting->builds == AllBuilds ? QStringLiteral("all builds") : buildName(setting->builds),
        type, whenItTakesEffect(*setting),
        setting->archived(builds) ? QStringLiteral("kept") : QStringLiteral("not kept")};
    if (setting->cheatInMultiplayer(builds))
        told << QStringLiteral("cheat");
    if (setting->doesNothing())
        told << QStringLiteral("does nothing");
    QCOMPARE(told.join(u", "), facts);
}

void tst_GameConfig::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<QStringList>("warnings");

    const QStringList none;
    QTest::newRow("bare") << " g_showBrass 0 " << QStringList{"g_showBrass=0"} << none;
    QTest::newRow("parentheses, = and blanks")
        << "r_shadows (1) a=(2) b = ( 3 ) c= (4) d=256 e (-2)"
        << QStringList{"r_shadows=1", "a=2", "b=3", "c=4", "d=256", "e=-2"} << none;
    QTest::newRow("nothing between")
        << "r_useDepthBoundsTest (0)r_useDepthBoundsTest (1) com_videoRam=64image_lodbias -2 "
        << QStringList{"r_useDepthBoundsTest=0", "r_useDepthBoundsTest=1", "com_videoRam=64",
                       "image_lodbias=-2"}
        << none;
    QTest::newRow("set words")
        << "set r_displayRefresh (85)seta r_forceLoadImages (1),SETS a 1 setu b 2"
        << QStringList{"r_displayRefresh=85", "r_forceLoadImages=1", "a=1", "b=2"} << none;
    QTest::newRow("numbers and words")
        << "gui_mediumFontLimit (0.60),x .5 f GL_BI-LINEAR_MIPMAP "
        << QStringList{"gui_mediumFontLimit=0.60", "x=.5", "f=GL_BI-LINEAR_MIPMAP"} << none;
    QTest::newRow("lines, comments, quotes and ;")
        << "// a comment; \"\r\nseta a \"GL_LINEAR\"\n\nb 1 // c 2\rd (\" x;y \");e \"\""
        << QStringList{"a=GL_LINEAR", "b=1", "d= x;y ", "e="} << none;
    QTest::newRow("no value at the end")
        << "g_fov 85 r_shadows" << QStringList{"g_fov=85"} << QStringList{"1:19"};
    QTest::newRow("unclosed parenthesis, then the next name")
        << "r_shadows (1 g_showBrass 0" << QStringList{"g_showBrass=0"} << QStringList{"1:14"};
    QTest::newRow("stray text skipped to the next separator")
        << "a 1\n #x$ b 2\nseta (1), c 3, d @" << QStringList{"a=1", "b=2", "c=3"}
        << QStringList{"2:2", "3:6", "3:18"};
    QTest::newRow("quote without end") << "a 1 b \"2" << QStringList{"a=1"} << QStringList{"1:9"};
    QTest::newRow("empty parentheses, lone minus")
        << "a () b - c 3" << QStringList{"c=3"} << QStringList{"1:1", "1:6"};
    QTest::newRow("a unit and a comma after a value")
        << "com_videoRam 256MB, r_shadows 0" << QStringList{"com_videoRam=256", "r_shadows=0"}
        << QStringList{"1:17"};
    QTest::newRow("a known name is never a value")
        << "com_videoRam 256MB r_shadows 0 vid_restart g_showBrass 1"
        << QStringList{"com_videoRam=256", "r_shadows=0", "g_showBrass=1"}
        << QStringList{"1:17", "1:32"};
    QTest::newRow("numbers as the game reads them")
        << "g_fov 85f r_shadows 0 com_videoRam 0x40 image_lodbias - 1 x 0.5f y 1E5 2 z 1e5 w 08"
        << QStringList{"g_fov=85",
                       "r_shadows=0",
                       "com_videoRam=0x40",
                       "image_lodbias=-1",
                       "x=0.5",
                       "y=1",
                       "E5=2",
                       "z=1e5",
                       "w=0"}
        << QStringList{"1:9", "1:83"};
    QTest::newRow("CR LF is one line end, CR alone one too")
        << "a 1\r\nb 2\r\n#x c 3\rd @" << QStringList{"a=1", "b=2", "c=3"}
        << QStringList{"3:1", "4:3"};
    QTest::newRow("punctuation longest first, comments within a line")
        << "a == 1 b /* c 2 */ 3 d \"x\"e 4\nf 1 /* g 2\nh 3 */ i 4 j 1.2.3 k 5"
        << QStringList{"b=3", "d=x", "e=4", "f=1", "h=3", "i=4", "k=5"}
        << QStringList{"1:1", "3:5", "3:14"};
}

void tst_GameConfig::reading()
{
    QFETCH(QString, text);
    QFETCH(QStringList, assignments);
    QFETCH(QStringList, warnings);

    const ReadTweak read = readTweak(text);
    QCOMPARE(described(read.assignments), assignments);
    QCOMPARE(positions(read.warnings), warnings);
}

void tst_GameConfig::writing_data()
{
    QTest::addColumn<QString>("tweak");
    QTest::addColumn<unsigned>("builds");
    QTest::addColumn<QStringList>("lines"); // all but the first

    const unsigned all = AllBuilds;
    const QStringList firstStart{
        "// On its very first start, before it has written config.spec,",
        "// the game picks its own image_*, r_mode, r_multiSamples and com_videoRam",
        "// after the start-up files ran: start the game once before using this file."};
    const QString notKept = QStringLiteral(
        "// Not kept by the game: lost at its next start unless run from autoexec.cfg:");
    const QString cheats = QStringLiteral("// Cheats in multiplayer: put back to their defaults "
                                          "when you join or start one, and locked there:");
    const QString vidRestart = QStringLiteral("// Wait for vid_restart in a running game:");

    QTest::newRow("spelled as the game spells it")
        << "Image_useCache = (1) image_cacheMink=(20480) seta com_allowconsole (1)" << all
        << QStringList{"seta image_useCache \"1\"",   "seta image_cacheMinK \"20480\"",
                       "seta com_allowConsole \"1\"", vidRestart,
                       "//   image_cacheMinK",        notKept,
                       "//   com_allowConsole"} +
               firstStart;
    QTest::newRow("repeated: the last value, differing earlier ones named")
        << "g_fov 85 r_useDepthBoundsTest (0) g_fov (85) x 1 X 2 r_useDepthBoundsTest 1 "
           "image_lodbias -1 image_lodbias -2 image_lodbias 1"
        << all
        << QStringList{"seta g_fov \"85\"",
                       "// r_useDepthBoundsTest: the earlier value 0 is dropped, the last one "
                       "counts",
                       "seta r_useDepthBoundsTest \"1\"",
                       "// X: the earlier value 1 is dropped, the last one counts",
                       "// X (2) is left out: X is not a setting of Doom 3 or dhewm3",
                       "// image_lodbias: the earlier values -1 and -2 are dropped, the last one "
                       "counts",
                       "seta image_lodbias \"1\"",
                       notKept,
                       "//   g_fov, r_useDepthBoundsTest",
                       cheats,
                       "//   r_useDepthBoundsTest"} +
               firstStart;
    QTest::newRow("names no build has, one letter off")
        << "mage_downSizeSpecular= (0) r_useGL2 (1) r_shadow 1" << all
        << QStringList{"// mage_downSizeSpecular (0) is left out: no build of Doom 3 has "
                       "mage_downSizeSpecular. Did you mean image_downSizeSpecular?",
                       "// r_useGL2 (1) is left out: no build of Doom 3 has r_useGL2",
                       "// r_shadow (1) is left out: r_shadow is not a setting of Doom 3 or "
                       "dhewm3. Did you mean r_shadows?"};
    QTest::newRow("values the game would not take as meant")
        << "image_filter GL_BI-LINEAR_MIPMAP_NEAREST r_shadows 2 r_displayRefresh 201 g_fov "
           "85.5 image_lodbias best com_videoRam 0x40 g_fov 85f"
        << all
        << QStringList{
               "// One part of the tweak could not be read and is skipped: line 1, column 131, "
               "f is not a setting, so it is skipped",
               "// image_filter (GL_BI-LINEAR_MIPMAP_NEAREST) is left out: the game takes "
               "only GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST, "
               "GL_LINEAR, GL_NEAREST_MIPMAP_NEAREST or GL_NEAREST_MIPMAP_LINEAR",
               "// r_shadows (2) is left out: the game takes only 0 or 1",
               "// r_displayRefresh (201) is left out: the game takes only a whole number "
               "from 0 to 200",
               "// g_fov: the earlier value 85.5 is dropped, the last one counts",
               "seta g_fov \"85\"",
               "// image_lodbias (best) is left out: the game takes only a number",
               "// com_videoRam (0x40) is left out: the game takes only a whole number",
               notKept,
               "//   g_fov"};
    QTest::newRow("; and quotes never reach a comment")
        << "seta r_shadows \"1;2\" seta r_cgVertexProfile \"a;b\" \"x\"" << all
        << QStringList{
               "// One part of the tweak could not be read and is skipped: line 1, column 51, "
               "expected the name of a setting",
               "// r_shadows (1,2) is left out: the game takes only 0 or 1",
               "// r_cgVertexProfile is a setting of Doom 3 (Windows) and Doom 3 for Linux "
               "only",
               "seta r_cgVertexProfile \"a;b\"",
               "// Never acted on by the game, so setting them changes nothing:",
               "//   r_cgVertexProfile"};
    QTest::newRow("builds and vid_restart")
        << "win_xpos 3 r_multiSamples 4 image_downSizeBumpLimit=(1024)" << all
        << QStringList{"// win_xpos is a setting of Doom 3 (Windows) only",
                       "seta win_xpos \"3\"",
                       "seta r_multiSamples \"4\"",
                       "seta image_downSizeBumpLimit \"1024\"",
                       vidRestart,
                       "//   win_xpos, r_multiSamples, image_downSizeBumpLimit"} +
               firstStart;
    QTest::newRow("words in any case, written as the game spells them")
        << "image_filter gl_linear r_renderer CG sys_lang French" << all
        << QStringList{"seta image_filter \"GL_LINEAR\"",
                       "// r_renderer Cg: dhewm3 would store best (only best or arb2 there)",
                       "seta r_renderer \"Cg\"", "seta sys_lang \"french\""} +
               firstStart;
    QTest::newRow("dhewm3 alone: its own values, the others' settings left out")
        << "image_useCompression 2 image_usePrecompressedTextures 2 com_videoRam 128 "
           "com_showFPS 2 s_numberOfSpeakers 6"
        << unsigned(Dhewm3)
        << QStringList{"seta image_useCompression \"2\"",
                       "seta image_usePrecompressedTextures \"2\"",
                       "// com_videoRam (128) is left out: it is not a setting of dhewm3",
                       "seta com_showFPS \"2\"",
                       "seta s_numberOfSpeakers \"6\"",
                       vidRestart,
                       "//   image_useCompression, image_usePrecompressedTextures",
                       "// Wait for s_restart in a running game:",
                       "//   s_numberOfSpeakers",
                       firstStart[0],
                       "// the game picks its own image_*, r_mode and r_multiSamples",
                       firstStart[2]};
    QTest::newRow("every build: a value some take, with what the others store")
        << "image_useCompression 2 com_showFPS 2 r_aspectRatio -1" << all
        << QStringList{"// image_useCompression 2: Doom 3 (Windows) and Doom 3 for Linux would "
                       "store 1 (only 0 or 1 there)",
                       "seta image_useCompression \"2\"",
                       "// com_showFPS 2: Doom 3 (Windows) and Doom 3 for Linux would store 1 "
                       "(only 0 or 1 there)",
                       "seta com_showFPS \"2\"",
                       "// r_aspectRatio -1: Doom 3 (Windows) and Doom 3 for Linux would store 0 "
                       "(only a whole number from 0 to 2 there)",
                       "seta r_aspectRatio \"-1\"",
                       vidRestart,
                       "//   image_useCompression"} +
               firstStart;
    QTest::newRow("when each takes effect, and what does nothing")
        << "com_purgeAll 1 s_noSound 1 r_showDynamic 1 r_useInfiniteFarZ 0 g_showBrass 0" << all
        << QStringList{"seta com_purgeAll \"1\"",
                       "seta s_noSound \"1\"",
                       "seta r_showDynamic \"1\"",
                       "seta r_useInfiniteFarZ \"0\"",
                       "seta g_showBrass \"0\"",
                       "// Wait for the next map:",
                       "//   com_purgeAll",
                       "// Wait for the next start of the game:",
                       "//   s_noSound",
                       notKept,
                       "//   s_noSound, r_showDynamic, r_useInfiniteFarZ",
                       cheats,
                       "//   r_showDynamic, r_useInfiniteFarZ",
                       "// Never acted on by the game, so setting them changes nothing:",
                       "//   r_useInfiniteFarZ",
                       "// r_showDynamic 1 prints a line in the console every frame."};
}

// Whatever the tweak, the file keeps its form, even its first comment for an odd source name,
// and converting it again sets the same.
void tst_GameConfig::writing()
{
    QFETCH(QString, tweak);
    QFETCH(unsigned, builds);
    QFETCH(QStringList, lines);

    const GameConfig config = convertTweak(tweak, QStringLiteral("a;b\"c\nseta x 1"), {}, builds);
    lines.prepend("// Doom 3 settings from a,b'c?seta x 1, written by Quenzar 1.00. Run them with "
                  "exec and this file's name, in the console or from autoexec.cfg.");
    QCOMPARE(config.text, lines.join(u'\n') + u'\n');

    for (const QString& line : lines)
        QVERIFY2(line.startsWith(u"seta ") ||
                     (line.startsWith(u"// ") && !line.contains(u';') && !line.contains(u'"')),
                 qPrintable(line));
    QMap<QString, QString> meant;
    for (const SetSetting& s : config.settings)
        meant[s.name] = s.value;
    QCOMPARE(runLikeTheGame(config.text).settings, meant);
    const GameConfig again = convertTweak(config.text, QStringLiteral("t.cfg"), {}, builds);
    QVERIFY(again.warnings.empty());
    QVERIFY(again.leftOut.isEmpty());
    QCOMPARE(described(again.settings), described(config.settings));
}

void tst_GameConfig::runAdvice_data()
{
    QTest::addColumn<QString>("runName");
    QTest::addColumn<QString>("advice");

    QTest::newRow("with an extension") << "quenzar.cfg"
                                       << "Run them with exec quenzar.cfg in the console";
    // exec would add .cfg and run another file.
    QTest::newRow("without one") << "quenzar"
                                 << "The game can only run a file whose name has an extension "
                                    "such as .cfg, so rename quenzar to run it with exec.";
    QTest::newRow("not one word of the game's") << "my tweak-1.cfg"
                                                << "Run them with exec 'my tweak-1.cfg' in the";
    // The comment would show a,b.cfg: another file.
    QTest::newRow("; in the name") << "a;b.cfg"
                                   << "The game cannot run this file with exec: rename it";
}

void tst_GameConfig::runAdvice()
{
    QFETCH(QString, runName);
    QFETCH(QString, advice);

    const QString text = convertTweak(u"r_shadows 0", QStringLiteral("t"), runName).text;
    QVERIFY2(text.section(u'\n', 0, 0).contains(advice), qPrintable(text));
}

void tst_GameConfig::withinTheBuffer_data()
{
    QTest::addColumn<QString>("tweak");
    QTest::addColumn<QString>("line"); // a line the file holds

    QString fov, unknown, longValues, badValues, defaults;
    for (int i = 1; i <= 20000; ++i) {
        fov += QStringLiteral("g_fov %1\n").arg(i);
        unknown += QStringLiteral("x%1 1\n").arg(i);
    }
    for (const Setting& setting : allSettings()) {
        longValues +=
            setting.name.toString() + QStringLiteral(" \"%1\"\n").arg(QString(1000, u'a'));
        badValues +=
            setting.name.toString() + QStringLiteral(" nonsense_%1\n").arg(QString(60, u'b'));
        defaults += QStringLiteral("seta %1 \"%2\"\n")
                        .arg(setting.name, setting.declaration().defaultValue);
    }
    QTest::newRow("20,000 values of g_fov")
        << fov << "// 19,999 earlier values of g_fov are dropped, the last one counts";
    QTest::newRow("20,000 names no build has")
        << unknown << "// 19,995 more names that no build of the game has are left out";
    // The last in the catalogue: nothing that fits is left out to make room for the lists.
    QTest::newRow("every setting once, with its default") << defaults << "\nseta win_ypos \"22\"\n";
    QTest::newRow("every setting with a long value")
        << longValues
        << "more settings are left out: the file would not fit into the 64 KB the game reads at "
           "once";
    QTest::newRow("every setting with a value none takes")
        << badValues
        << "more notes are left out to keep this file within what the game reads at once";
}

// However big the tweak, the game reads the whole file, its notes grouped, and converting it
// again sets the same.
void tst_GameConfig::withinTheBuffer()
{
    QFETCH(QString, tweak);
    QFETCH(QString, line);

    const GameConfig config = convertTweak(tweak, QStringLiteral("t"));
    QVERIFY(config.text.toUtf8().size() < 65536);
    QVERIFY2(config.text.contains(line), qPrintable(config.text.right(600)));
    const GameRun run = runLikeTheGame(config.text);
    QVERIFY(!run.bufferOverflow);
    QCOMPARE(run.settings.size(), qsizetype(config.settings.size()));
    const GameConfig again = convertTweak(config.text, QStringLiteral("t"));
    QVERIFY(again.warnings.empty());
    QCOMPARE(described(again.settings), described(config.settings));
}

// Every tweak the window can put into a file or into the edit box reads without a warning. A
// text is its pieces joined, and the reader sees a join only where two pieces meet: so every
// piece and every pair of pieces that meet in any window state (every combination of the boxes,
// with the size rows and the detail options in turn) is read once, and every 101st whole text
// besides, converted and converted again.
void tst_GameConfig::everyWindowTextReads()
{
    const auto warning = [](const QString& text) {
        const ReadTweak read = readTweak(text);
        return read.warnings.empty()
                   ? QString()
                   : QStringLiteral("%1 at column %2").arg(text).arg(read.warnings[0].column);
    };
    const QStringList rams{"1024", "768", "512", "256", ""};
    const QStringList vrams{"256", "128", "64", "32", "16", ""};
    QSet<size_t> read;
    for (unsigned combination = 0; combination < 1u << composition::checkBoxes.size();
         ++combination) {
        ControlState state = ticked(combination, rams[combination % rams.size()],
                                    vrams[combination / rams.size() % vrams.size()]);
        state.optBest = combination / 30 % 3 == 1;
        state.optNBest = combination / 30 % 3 == 2;
        const composition::Composition tweak = composition::composeTweak(state);
        const QString* previous = nullptr;
        size_t previousKey = 0;
        for (std::size_t p = 0; p < tweak.pieces.size(); ++p) {
            const QString& piece = tweak.pieces[p];
            if (piece.isEmpty())
                continue;
            const size_t key = qHash(piece, p);
            if (!read.contains(key)) {
                read.insert(key);
                QVERIFY2(warning(piece).isEmpty(), qPrintable(warning(piece)));
            }
            const size_t pair = qHashMulti(1, previousKey, key);
            if (previous && !read.contains(pair)) {
                read.insert(pair);
                const QString joined = *previous + piece;
                QVERIFY2(warning(joined).isEmpty(), qPrintable(warning(joined)));
            }
            previous = &piece;
            previousKey = key;
        }
        if (combination % 101 == 0) {
            QVERIFY2(warning(tweak.fileText).isEmpty(), qPrintable(warning(tweak.fileText)));
            QVERIFY2(warning(tweak.editText).isEmpty(), qPrintable(warning(tweak.editText)));
            const GameConfig config = convertTweak(tweak.fileText, QStringLiteral("t"));
            const GameConfig again = convertTweak(config.text, QStringLiteral("t"));
            QVERIFY(again.warnings.empty());
            QVERIFY(described(again.settings) == described(config.settings));
        }
    }
}

void tst_GameConfig::golden_data()
{
    QTest::addColumn<ControlState>("state");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("meant");

    QTest::newRow("fresh window")
        << ControlState{} << "fresh_window.cfg"
        << "image_useCache 0, g_showBrass 0, r_useTurboShadow 0, r_useOptimizedShadows 0, "
           "g_bloodEffects 0, g_doubleVision 0, g_muzzleFlash 0, g_projectileLights 1, "
           "r_shadows 0";
    QTest::newRow("everything ticked, 1024 and 256")
        << ticked(~0u, "1024", "256") << "everything_ticked_1024_256.cfg"
        << "r_useTwoSidedStencil 1, r_useShadowProjectedCull 1, g_bloodEffects 1, "
           "g_showPlayerShadow 0, r_useDepthBoundsTest 1, r_multiSamples 0, "
           "r_useCachedDynamicModels 1, r_orderIndexes 1, r_useStateCaching 1, "
           "image_usePrecompressedTextures 1, image_useNormalCompression 2, r_useIndexBuffers 1, "
           "r_useVertexBuffers 1, cm_backFaceCull 1, r_forceLoadImages 1, r_useScissor 1, "
           "r_showDynamic 1, com_purgeAll 1, com_allowConsole 1, g_fov 85, r_vertexBufferMegs 64, "
           "radiant_entityMode 0, gui_mediumFontLimit 0.60, win_ypos 22, win_xpos 3, "
           "r_cgVertexProfile vp30, r_cgFragmentProfile fp30, r_displayRefresh 85, "
           "r_useConstantMaterials 1, r_useShadowCulling 1, r_useCulling 2, r_useInfiniteFarZ 1, "
           "image_lodbias -2, image_useCache 1, image_cacheMegs 768, image_cacheMinK 20480, "
           "image_useCompression 0, image_downSizeBumpLimit 1024, "
           "image_downSizeSpecularLimit 256, com_videoRam 256, g_showBrass 1, r_useTurboShadow 1, "
           "r_useOptimizedShadows 1, g_doubleVision 1, image_filter GL_LINEAR_MIPMAP_NEAREST, "
           "g_muzzleFlash 1, g_projectileLights 1, r_shadows 1";
}

// The game-ready file of a window's tweak is exactly the one kept here, and run by the game at
// start-up it sets what the tweak meant, and nothing else.
void tst_GameConfig::golden()
{
    QFETCH(ControlState, state);
    QFETCH(QString, file);
    QFETCH(QString, meant);

    const QString tweak = composition::composeTweak(state).fileText;
    const QString config =
        convertTweak(tweak, QStringLiteral("tweak.cfg"), QStringLiteral("quenzar.cfg")).text;
    QFile golden(QStringLiteral(QUENZAR_GOLDEN_DIR "/") + file);
    if (qEnvironmentVariableIsSet("QUENZAR_WRITE_GOLDEN")) {
        QVERIFY(golden.open(QIODevice::WriteOnly));
        golden.write(config.toUtf8());
        golden.close();
    }
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(config, QString::fromUtf8(golden.readAll()));

    const GameRun run = runLikeTheGame(config);
    QVERIFY(!run.bufferOverflow);
    QCOMPARE(run.unknownCommands, QStringList());
    QCOMPARE(run.settings, settingsFrom(meant));
}

QTEST_GUILESS_MAIN(tst_GameConfig)
#include "tst_gameconfig.moc"
