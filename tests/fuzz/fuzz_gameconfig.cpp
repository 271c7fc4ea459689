// libFuzzer target: tweak files are shared between players, so any bytes must convert without a
// crash into a file the game reads whole (under its 65,536-byte buffer), whose comments hold no
// `;` or `"`, and which, converted again, sets the same settings.
#include "gameconfig/gameconfig.h"

#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace quenzar::gameconfig;

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

QStringList described(const std::vector<SetSetting>& settings)
{
    QStringList list;
    for (const SetSetting& s : settings)
        list << s.name + u'=' + s.value;
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the builds and how the bytes become text.
    const unsigned builds = (bytes[0] & 7) ? (bytes[0] & 7) : AllBuilds;
    const char* data = reinterpret_cast<const char*>(bytes + 1);
    const qsizetype length = qsizetype(size - 1);
    const QString tweak =
        (bytes[0] & 8) ? QString::fromLatin1(data, length) : QString::fromUtf8(data, length);

    const GameConfig config =
        convertTweak(tweak, tweak.left(300), QStringLiteral("quenzar.cfg"), builds);
    require(config.text.toUtf8().size() < 65536, "the file is too big for the game's buffer");
    require(config.text.endsWith(u'\n'), "the file does not end with a line end");
    const QStringList lines = config.text.chopped(1).split(u'\n');
    for (const QString& line : lines) {
        require(!line.contains(u'\r') && !line.contains(QChar(0)), "a line holds CR or NUL");
        if (line.startsWith(u"seta "))
            continue;
        require(line.startsWith(u"// "), "a line is neither a setting nor a comment");
        require(!line.contains(u';') && !line.contains(u'"'), "a comment holds ; or \"");
    }
    for (const SetSetting& s : config.settings)
        require(s.setting && s.setting->name == s.name, "a setting is not the catalogue's");

    const GameConfig again = convertTweak(config.text, QStringLiteral("t"), {}, builds);
    require(again.warnings.empty(), "the file does not read without a warning");
    require(again.leftOut.isEmpty(), "converted again, something is left out");
    require(described(again.settings) == described(config.settings),
            "converted again, the settings differ");
    return 0;
}
