#include "app/commandline.h"

#include "gameconfig/gameconfig.h"
#include "platform/textfile.h"
#include "programversion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quenzar {

namespace {

enum Status
{
    Success = 0,
    Failure = 1,
    BadUsage = 2
};

// Qt's own options for the windows pass through to them untouched.
constexpr const char* qtOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "style",
    "stylesheet",  "geometry",           "title"};
constexpr const char* qtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString tr(const char* text)
{
    return QCoreApplication::translate("quenzar", text);
}

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void fail(const QString& message)
{
    print(stderr, QStringLiteral("quenzar: ") + message + u'\n');
}

std::optional<QByteArray> readInput(const QString& path, QString& error)
{
    QFile file(path);
    const bool opened =
        path == u"-" ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    QByteArray bytes = opened ? file.readAll() : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

bool writeStandardOutput(const QByteArray& bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) ==
               size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

// Standard output that cannot take everything (a full disk) is a failure, as in GNU programs.
int printed(const QByteArray& bytes)
{
    if (writeStandardOutput(bytes))
        return Success;
    fail(tr("cannot write to standard output: %1")
             .arg(QString::fromLocal8Bit(std::strerror(errno))));
    return Failure;
}

// `output` empty: standard output.
int convert(const QString& input, const QString& output)
{
    const QString source = input == u"-" ? tr("standard input") : input;
    QString error;
    const std::optional<QByteArray> bytes = readInput(input, error);
    if (!bytes) {
        fail(QStringLiteral("%1: %2").arg(source, error));
        return Failure;
    }

    const QString runName = output.isEmpty() ? QString() : QFileInfo(output).fileName();
    const gameconfig::GameConfig config =
        gameconfig::convertTweak(QString::fromUtf8(*bytes), source, runName);
    for (const gameconfig::ReadWarning& w : config.warnings)
        print(stderr,
              tr("%1:%2:%3: warning: %4\n")
                  .arg(source, QString::number(w.line), QString::number(w.column), w.message));
    if (config.settings.empty()) {
        for (const QString& reason : config.leftOut)
            fail(QStringLiteral("%1: %2").arg(source, reason));
        fail(config.leftOut.isEmpty() ? tr("%1 holds no setting").arg(source)
                                      : tr("%1 holds no setting the game would take").arg(source));
        return Failure;
    }

    const QByteArray text = config.text.toUtf8();
    if (output.isEmpty())
        return printed(text);
    // The same writer as the windows' saves: the file appears whole or not at all.
    if (const std::optional<QString> reason = writeFileWhole(output, text)) {
        fail(tr("cannot write %1: %2").arg(output, *reason));
        return Failure;
    }
    return Success;
}

} // namespace

std::optional<int> runCommandLine(int argc, char* argv[])
{
    if (argc < 2)
        return std::nullopt;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // Qt's options are written with one dash (-platform offscreen).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        tr("Writes a performance tweak for Doom 3. Without options it opens its windows."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption gameConfig(
        QStringLiteral("game-config"),
        tr("Prints the game-ready form of the tweak in FILE (- reads standard input): one seta "
           "line per setting, as Doom 3 runs a .cfg file."),
        QStringLiteral("FILE"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    tr("Writes the game-ready form to OUT instead, whole or not "
                                       "at all."),
                                    QStringLiteral("OUT"));
    parser.addOptions({gameConfig, output});
    for (const char* name : qtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : qtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(arguments)) {
        fail(parser.errorText());
        print(stderr, tr("quenzar --help lists the options.\n"));
        return BadUsage;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The usage line takes the program's name from the application: the name players type,
        // not the folder it was started from.
        int count = 1;
        char name[] = "quenzar";
        char* names[] = {name, nullptr};
        QCoreApplication application(count, names);
        return printed(parser.helpText().toLocal8Bit());
    }
    if (parser.isSet(version))
        return printed(QStringLiteral("Quenzar %1\n").arg(programVersion).toLocal8Bit());
    if (!parser.positionalArguments().isEmpty()) {
        fail(tr("unexpected argument '%1'").arg(parser.positionalArguments().first()));
        return BadUsage;
    }
    if (parser.isSet(gameConfig)) {
        const QString out = parser.value(output);
        return convert(parser.value(gameConfig), out == u"-" ? QString() : out);
    }
    if (parser.isSet(output)) {
        fail(tr("--output goes with --game-config"));
        return BadUsage;
    }
    return std::nullopt;
}

} // namespace quenzar
