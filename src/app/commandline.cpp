#include "app/commandline.h"

#include "gameconfig/gameconfig.h"
#include "gameinstall/gameinstall.h"
#include "platform/textfile.h"
#include "programversion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
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

// Tells what could not be read; false when nothing is left for the game.
bool reportReading(const gameconfig::GameConfig& config, const QString& source)
{
    for (const gameconfig::ReadWarning& w : config.warnings)
        print(stderr,
              tr("%1:%2:%3: warning: %4\n")
                  .arg(source, QString::number(w.line), QString::number(w.column), w.message));
    if (config.settings.empty()) {
        for (const QString& reason : config.leftOut)
            fail(QStringLiteral("%1: %2").arg(source, reason));
        fail(config.leftOut.isEmpty() ? tr("%1 holds no setting").arg(source)
                                      : tr("%1 holds no setting the game would take").arg(source));
        return false;
    }
    return true;
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
    if (!reportReading(config, source))
        return Failure;

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

// The game folders named with --game-dir, else those found; none: the message says where. A named
// folder that is not there is told and passed over, as a folder that fails is: `passedOver`
// says so.
std::optional<std::vector<gameinstall::GameFolder>> gameFolders(const QStringList& named,
                                                                bool& passedOver)
{
    std::vector<gameinstall::GameFolder> folders;
    passedOver = false;
    for (const QString& path : named) {
        if (!QFileInfo(path).isDir()) {
            fail((QFileInfo::exists(path) ? tr("%1: not a folder") : tr("%1: no such folder"))
                     .arg(path));
            passedOver = true;
            continue;
        }
        folders.push_back(gameinstall::namedGameFolder(path));
    }
    if (!named.isEmpty())
        return folders.empty() ? std::nullopt : std::optional(folders);
    const gameinstall::Environment environment = gameinstall::Environment::current();
    folders = gameinstall::findGameFolders(environment);
    if (folders.empty()) {
        fail(tr("found no game folder (one that holds DoomConfig.cfg) in:\n  %1\nStart the game "
                "once, or name its folder with --game-dir.")
                 .arg(gameinstall::foldersLookedIn(environment).join(QStringLiteral("\n  "))));
        return std::nullopt;
    }
    return folders;
}

int printGameFolders()
{
    bool passedOver = false;
    const auto folders = gameFolders({}, passedOver);
    if (!folders)
        return Failure;
    for (const gameinstall::GameFolder& folder : *folders)
        print(stdout, QStringLiteral("%1\t%2\n")
                          .arg(gameinstall::buildLabel(folder.build),
                               QDir::toNativeSeparators(folder.path)));
    return std::fflush(stdout) == 0 ? Success : Failure;
}

// `input` empty: uninstall.
int installOrUninstall(const QString& input, const QStringList& named)
{
    QString text;
    const QString source = input == u"-" ? tr("standard input") : input;
    if (!input.isEmpty()) {
        QString error;
        const std::optional<QByteArray> bytes = readInput(input, error);
        if (!bytes) {
            fail(QStringLiteral("%1: %2").arg(source, error));
            return Failure;
        }
        text = QString::fromUtf8(*bytes);
        if (!reportReading(gameconfig::convertTweak(text, source), source))
            return Failure;
    }
    bool passedOver = false;
    const auto folders = gameFolders(named, passedOver);
    if (!folders)
        return Failure;
    const std::vector<gameinstall::FolderOutcome> outcomes =
        input.isEmpty() ? gameinstall::uninstall(*folders)
                        : gameinstall::install(text, source, *folders);
    int status = passedOver ? Failure : Success;
    for (const gameinstall::FolderOutcome& outcome : outcomes) {
        if (outcome.ok) {
            print(stdout, outcome.message + u'\n');
        } else {
            fail(outcome.message);
            status = Failure;
        }
    }
    return status;
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
                                    tr("Writes the game-ready form to OUT instead (- is standard "
                                       "output), whole or not at all."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption install(
        QStringLiteral("install"),
        tr("Writes the game-ready form as quenzar.cfg into each game folder found (or each "
           "--game-dir) and adds exec quenzar.cfg to the autoexec.cfg the game runs at every "
           "start."));
    const QCommandLineOption uninstall(
        QStringLiteral("uninstall"),
        tr("Takes away what --install added: quenzar.cfg and its line in autoexec.cfg."));
    const QCommandLineOption gameDir(
        QStringLiteral("game-dir"),
        tr("The game folder (the one with DoomConfig.cfg) for --install or --uninstall, instead "
           "of those found; may be given more than once."),
        QStringLiteral("DIR"));
    const QCommandLineOption listGames(QStringLiteral("list-games"),
                                       tr("Prints each game folder found: its build and path."));
    parser.addOptions({gameConfig, output, install, uninstall, gameDir, listGames});
    const QCommandLineOption gameSetup(
        QStringLiteral("game-setup"),
        tr("Opens the game setup window, with the tweak in the FILE named after it if any: what "
           "the game will set from it, and its install into the game's folders."));
    parser.addOption(gameSetup);
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
    if (parser.isSet(gameSetup)) {
        // The window reads its tweak file from the arguments itself.
        const QCommandLineOption* others[] = {&gameConfig, &output,  &install,
                                              &uninstall,  &gameDir, &listGames};
        if (parser.positionalArguments().size() > 1 ||
            std::any_of(std::begin(others), std::end(others),
                        [&](const QCommandLineOption* o) { return parser.isSet(*o); })) {
            fail(tr("--game-setup takes one tweak file and no other option"));
            return BadUsage;
        }
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        fail(tr("unexpected argument '%1'").arg(parser.positionalArguments().first()));
        return BadUsage;
    }
    if (parser.isSet(gameConfig) && parser.value(gameConfig).isEmpty()) {
        fail(tr("an empty file name after --game-config (- is standard input)"));
        return BadUsage;
    }
    if (parser.isSet(output) && parser.value(output).isEmpty()) {
        fail(tr("an empty file name after --output (- is standard output)"));
        return BadUsage;
    }
    if (parser.values(gameDir).contains(QString())) {
        fail(tr("an empty folder name after --game-dir"));
        return BadUsage;
    }
    if (parser.isSet(gameDir) && !parser.isSet(install) && !parser.isSet(uninstall)) {
        fail(tr("--game-dir goes with --install or --uninstall"));
        return BadUsage;
    }
    if (parser.isSet(install) + parser.isSet(uninstall) + parser.isSet(listGames) > 1 ||
        ((parser.isSet(install) || parser.isSet(uninstall) || parser.isSet(listGames)) &&
         parser.isSet(output))) {
        fail(tr("--install, --uninstall, --list-games and --output go one at a time"));
        return BadUsage;
    }
    if (parser.isSet(install) && !parser.isSet(gameConfig)) {
        fail(tr("--install goes with --game-config"));
        return BadUsage;
    }
    if ((parser.isSet(uninstall) || parser.isSet(listGames)) && parser.isSet(gameConfig)) {
        fail(tr("--game-config goes with --install or --output"));
        return BadUsage;
    }
    if (parser.isSet(listGames))
        return printGameFolders();
    if (parser.isSet(uninstall))
        return installOrUninstall(QString(), parser.values(gameDir));
    if (parser.isSet(install))
        return installOrUninstall(parser.value(gameConfig), parser.values(gameDir));
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
