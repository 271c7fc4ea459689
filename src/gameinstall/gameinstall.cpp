#include "gameinstall/gameinstall.h"

#include "gameconfig/catalogue.h"
#include "gameconfig/gameconfig.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_WIN
#include <QSettings>
#include <QStandardPaths>
#endif

namespace quenzar::gameinstall {

namespace {

using gameconfig::AllBuilds;
using gameconfig::Dhewm3;
using gameconfig::Linux;
using gameconfig::Win32;

const QString configName = QStringLiteral("DoomConfig.cfg");
const QString autoexecName = QStringLiteral("autoexec.cfg");
const QString ourName = QStringLiteral("quenzar.cfg");

// The line install adds names itself, so that uninstall takes away this line and never a line
// of the player's that happens to run the same file. The engine's lexer skips the comment, so
// exec sees its one argument. The second form says that install also ended the player's last
// line, which uninstall then takes back too. No `;` and no `"`: either would split the line.
const QByteArray execLine = QByteArrayLiteral("exec quenzar.cfg // added by quenzar --install");
const QByteArray execLineAfterLineEnd =
    QByteArrayLiteral("exec quenzar.cfg // added by quenzar --install after a line end of its own");
// The first line of an autoexec.cfg that install made: only install writes it, and only into a
// file it creates, so the file itself says who made it, wherever the folder is moved or copied.
const QByteArray madeLine =
    QByteArrayLiteral("// made by quenzar --install, and taken away by quenzar --uninstall");

QString tr(const char* text)
{
    return QCoreApplication::translate("quenzar", text);
}

QString in(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

bool holdsConfig(const QString& folder)
{
    return QFileInfo(in(folder, configName)).isFile();
}

// The same folder reached through a link (~/.steam/steam is usually one) counts once.
QString identity(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

QString configHome(const Environment& e)
{
    return e.xdgConfigHome.isEmpty() ? in(e.home, QStringLiteral(".config")) : e.xdgConfigHome;
}

QString dataHome(const Environment& e)
{
    return e.xdgDataHome.isEmpty() ? in(e.home, QStringLiteral(".local/share")) : e.xdgDataHome;
}

QString dhewm3Base(const QString& root)
{
    return in(root, QStringLiteral("dhewm3/base"));
}

QStringList installationBases(const Environment& e)
{
    QStringList bases;
    for (const QString& installation : e.installations)
        bases << in(installation, QStringLiteral("base"));
    return bases;
}

QStringList steamRoots(const Environment& e)
{
    QStringList roots = e.steamRoots;
    if (e.system == Environment::System::Linux)
        roots << in(e.home, QStringLiteral(".local/share/Steam"))
              << in(e.home, QStringLiteral(".steam/steam"));
    return roots;
}

QStringList steamLibraries(const Environment& e)
{
    QStringList libraries;
    QStringList seen;
    const auto add = [&](const QString& library) {
        if (!seen.contains(identity(library))) {
            seen << identity(library);
            libraries << library;
        }
    };
    for (const QString& root : steamRoots(e)) {
        add(root);
        QFile vdf(in(root, QStringLiteral("steamapps/libraryfolders.vdf")));
        if (vdf.open(QIODevice::ReadOnly))
            for (const QString& library : steamLibraryPaths(vdf.readAll()))
                add(library);
    }
    return libraries;
}

QString steamDoom3Base(const QString& library)
{
    return in(library, QStringLiteral("steamapps/common/Doom 3/base"));
}

QString flatpakApps(const Environment& e)
{
    return in(e.home, QStringLiteral(".var/app"));
}

QString myGamesDhewm3Base(const Environment& e)
{
    return in(e.documents, QStringLiteral("My Games/dhewm3/base"));
}

// dhewm3 searches its config folder, then its save folder, then the installation's base.
void addDhewm3(std::vector<GameFolder>& found, const QString& config, const QString& save,
               const QStringList& bases)
{
    const QString path = holdsConfig(config) ? config : holdsConfig(save) ? save : QString();
    if (!path.isEmpty())
        found.push_back({Dhewm3, path, QStringList{config, save} + bases});
}

std::optional<QByteArray> readWhole(const QString& path, QString& reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

QStringList uniqueFolders(const QStringList& folders)
{
    QStringList unique;
    QStringList seen;
    for (const QString& folder : folders)
        if (!seen.contains(identity(folder))) {
            seen << identity(folder);
            unique << folder;
        }
    return unique;
}

QStringList existingAutoexecs(const GameFolder& game)
{
    QStringList existing;
    for (const QString& folder : game.searched)
        if (QFileInfo::exists(in(folder, autoexecName)))
            existing << in(folder, autoexecName);
    return existing;
}

// A quenzar.cfg install may replace or take away: one Quenzar wrote (its first line says so) or
// an empty one. Any other is the player's own, and is never lost.
// Nothing where the file cannot be read, with the reason.
std::optional<bool> ours(const QString& path, QString& reason)
{
    const std::optional<QByteArray> bytes = readWhole(path, reason);
    if (!bytes)
        return std::nullopt;
    const QByteArray first = bytes->left(bytes->indexOf('\n'));
    return bytes->isEmpty() || (first.startsWith("// Doom 3 settings from ") &&
                                first.contains(", written by Quenzar "));
}

FolderOutcome failed(const GameFolder& game, const QString& path, const QString& reason)
{
    return {game.path, false, tr("%1: %2").arg(QDir::toNativeSeparators(path), reason)};
}

FolderOutcome installInto(QStringView tweak, const QString& source, const GameFolder& game)
{
    const gameconfig::GameConfig config =
        gameconfig::convertTweak(tweak, source, ourName, game.build);
    if (config.settings.empty())
        return failed(
            game, game.path,
            tr("the tweak holds no setting that %1 would take").arg(buildLabel(game.build)));
    const QString target = in(game.path, ourName);
    QString reason;
    // One that cannot be read cannot be lost either: the write tells why it fails.
    if (QFileInfo(target).isFile() && !ours(target, reason).value_or(true))
        return failed(game, target,
                      tr("a file of the same name that Quenzar did not write is there: move or "
                         "rename it, then install again"));

    // The autoexec.cfg is read first: one that cannot be read leaves no quenzar.cfg behind.
    const QStringList existing = existingAutoexecs(game);
    const QString autoexec = autoexecToEdit(game, existing);
    QByteArray before;
    if (existing.contains(autoexec)) {
        const std::optional<QByteArray> bytes = readWhole(autoexec, reason);
        if (!bytes)
            return failed(game, autoexec, reason);
        before = *bytes;
    }
    if (before.contains('\0'))
        return failed(game, autoexec,
                      tr("the game reads this file only up to its first NUL byte (is it saved as "
                         "UTF-16?), so a line at its end would never run"));
    if (const std::optional<QString> reason = writeFileWhole(target, config.text.toUtf8()))
        return failed(game, target, *reason);
    const QByteArray after = existing.contains(autoexec) ? withExecLine(before) : newAutoexec();
    if (after != before)
        if (const std::optional<QString> reason = writeFileWhole(autoexec, after))
            return failed(game, autoexec, reason.value());
    return {game.path, true,
            tr("wrote %1, which %2 runs at every start")
                .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(autoexec))};
}

FolderOutcome uninstallFrom(const GameFolder& game)
{
    QStringList undone;
    for (const QString& folder : uniqueFolders(game.searched + QStringList{game.path})) {
        const QString autoexec = in(folder, autoexecName);
        // A folder of that name holds no line of install's.
        if (!QFileInfo(autoexec).isFile())
            continue;
        QString reason;
        const std::optional<QByteArray> before = readWhole(autoexec, reason);
        if (!before)
            return failed(game, autoexec, reason);
        QByteArray after = withoutExecLine(*before);
        if (madeByInstall(*before)) {
            after = withoutInstallLines(after);
            if (after.isEmpty()) {
                QFile file(autoexec);
                if (!file.remove())
                    return failed(game, autoexec, file.errorString());
                undone << tr("removed %1").arg(QDir::toNativeSeparators(autoexec));
                continue;
            }
        }
        if (after == *before)
            continue;
        if (const std::optional<QString> reason = writeFileWhole(autoexec, after))
            return failed(game, autoexec, *reason);
        undone << tr("took the exec line out of %1").arg(QDir::toNativeSeparators(autoexec));
    }
    const QString target = in(game.path, ourName);
    QString reason;
    const std::optional<bool> written =
        QFileInfo(target).isFile() ? ours(target, reason) : std::optional<bool>(true);
    if (!written)
        return failed(game, target, reason);
    if (!*written) {
        undone
            << tr("left %1 alone: Quenzar did not write it").arg(QDir::toNativeSeparators(target));
    } else if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        QFile file(target);
        if (!file.remove())
            return failed(game, target, file.errorString());
        undone << tr("removed %1").arg(QDir::toNativeSeparators(target));
    }
    return {game.path, true,
            undone.isEmpty() ? tr("%1: nothing to undo").arg(QDir::toNativeSeparators(game.path))
                             : undone.join(QStringLiteral(", "))};
}

// The lines of a text with their line ends. As for the engine, a line ends at \n, at \r, or at
// both together.
struct Line
{
    qsizetype start, contentEnd, end;
};

std::vector<Line> linesOf(const QByteArray& text)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype contentEnd = start;
        while (contentEnd < text.size() && text[contentEnd] != '\n' && text[contentEnd] != '\r')
            ++contentEnd;
        qsizetype end = contentEnd;
        if (end < text.size())
            end += text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
        lines.push_back({start, contentEnd, end});
        start = end;
    }
    return lines;
}

QByteArrayView contentOf(const QByteArray& text, const Line& line)
{
    return QByteArrayView(text).sliced(line.start, line.contentEnd - line.start);
}

QByteArray lineEndOf(const QByteArray& text)
{
    return text.contains("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

} // namespace

Environment Environment::current()
{
    Environment e;
    e.home = QDir::homePath();
    e.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    e.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
#ifdef Q_OS_WIN
    e.system = System::Windows;
    e.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // Where dhewm3 looks for the installation: the boxed game's key, then Steam's. Both are
    // 32-bit programs, so their keys sit in the registry's 32-bit view.
    const auto installPath = [](const QString& key) {
        return QSettings(key, QSettings::Registry32Format)
            .value(QStringLiteral("InstallPath"))
            .toString();
    };
    const QString boxed = installPath(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\id\\Doom 3"));
    if (!boxed.isEmpty())
        e.installations << QDir::fromNativeSeparators(boxed);
    const QString steam = installPath(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Valve\\Steam"));
    if (!steam.isEmpty())
        e.steamRoots << QDir::fromNativeSeparators(steam);
#else
    // The folder the game's Linux installer suggests.
    e.installations << QStringLiteral("/usr/local/games/doom3");
#endif
    return e;
}

std::vector<GameFolder> findGameFolders(const Environment& e)
{
    std::vector<GameFolder> found;
    QStringList bases = installationBases(e);
    if (e.system == Environment::System::Windows) {
        for (const QString& library : steamLibraries(e))
            bases << steamDoom3Base(library);
        // The Windows build keeps DoomConfig.cfg in the installation's own base.
        for (const QString& base : bases)
            if (holdsConfig(base))
                found.push_back({Win32, base, {base}});
        addDhewm3(found, myGamesDhewm3Base(e), myGamesDhewm3Base(e), bases);
    } else {
        const QString doom3 = in(e.home, QStringLiteral(".doom3/base"));
        if (holdsConfig(doom3))
            found.push_back({Linux, doom3, QStringList{doom3} + bases});
        addDhewm3(found, dhewm3Base(configHome(e)), dhewm3Base(dataHome(e)), {});
        const QFileInfoList apps =
            QDir(flatpakApps(e)).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& app : apps)
            addDhewm3(found, dhewm3Base(in(app.filePath(), QStringLiteral("config"))),
                      dhewm3Base(in(app.filePath(), QStringLiteral("data"))), {});
        // Steam's Windows build, run through Proton: its installation is its save folder.
        for (const QString& library : steamLibraries(e))
            if (holdsConfig(steamDoom3Base(library)))
                found.push_back({Win32, steamDoom3Base(library), {steamDoom3Base(library)}});
    }

    std::vector<GameFolder> unique;
    QStringList seen;
    for (const GameFolder& game : found)
        if (!seen.contains(identity(game.path))) {
            seen << identity(game.path);
            unique.push_back(game);
        }
    return unique;
}

QStringList foldersLookedIn(const Environment& e)
{
    QStringList folders;
    if (e.system == Environment::System::Windows) {
        folders << installationBases(e) << myGamesDhewm3Base(e);
    } else {
        folders << in(e.home, QStringLiteral(".doom3/base")) << dhewm3Base(configHome(e))
                << dhewm3Base(dataHome(e))
                << in(flatpakApps(e), QStringLiteral("*/config/dhewm3/base"))
                << in(flatpakApps(e), QStringLiteral("*/data/dhewm3/base"));
    }
    for (const QString& library : steamLibraries(e))
        folders << steamDoom3Base(library);
    for (QString& folder : folders)
        folder = QDir::toNativeSeparators(folder);
    return folders;
}

GameFolder namedGameFolder(const QString& path)
{
    return {AllBuilds, path, {path}};
}

QString buildLabel(unsigned build)
{
    // A folder named by the player may be any build; the game-ready form is made for them all.
    return build == AllBuilds ? tr("unknown build") : gameconfig::buildName(build);
}

QStringList steamLibraryPaths(const QByteArray& vdf)
{
    // "path"		"/mnt/games/SteamLibrary", with \\ for each backslash of a Windows path.
    // Steam before 2021 wrote each library as a numbered entry of its own: "1"		"D:\\Lib".
    static const QRegularExpression entry(
        QStringLiteral(R"re((?:"path"|"\d+")\s+"((?:[^"\\]|\\.)*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList paths;
    for (auto it = entry.globalMatch(QString::fromUtf8(vdf)); it.hasNext();) {
        QString path = it.next().captured(1);
        static const QRegularExpression escape(QStringLiteral(R"(\\(.))"));
        path.replace(escape, QStringLiteral("\\1"));
        // A Windows path (C:\...) read anywhere, with the separator Qt takes everywhere.
        if (path.size() > 1 && path[1] == u':')
            path.replace(u'\\', u'/');
        // Steam writes whole paths; an empty or partial one would be looked for in whatever
        // folder quenzar was started from.
        if (path.startsWith(u'/') || (path.size() > 2 && path[1] == u':' && path[2] == u'/'))
            paths << path;
    }
    return paths;
}

QString autoexecToEdit(const GameFolder& game, const QStringList& existing)
{
    for (const QString& folder : game.searched)
        if (existing.contains(in(folder, autoexecName)))
            return in(folder, autoexecName);
    return in(game.path, autoexecName);
}

QByteArray withExecLine(const QByteArray& autoexec)
{
    for (const Line& line : linesOf(autoexec))
        if (contentOf(autoexec, line) == execLine ||
            contentOf(autoexec, line) == execLineAfterLineEnd)
            return autoexec;
    const QByteArray lineEnd = lineEndOf(autoexec);
    if (autoexec.isEmpty() || autoexec.endsWith('\n') || autoexec.endsWith('\r'))
        return autoexec + execLine + lineEnd;
    return autoexec + lineEnd + execLineAfterLineEnd + lineEnd;
}

QByteArray withoutExecLine(const QByteArray& autoexec)
{
    QByteArray kept;
    const std::vector<Line> lines = linesOf(autoexec);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QByteArrayView content = contentOf(autoexec, lines[i]);
        if (content == execLineAfterLineEnd && i + 1 == lines.size()) {
            // The line end install put after the player's last line goes too.
            if (kept.endsWith("\r\n"))
                kept.chop(2);
            else if (kept.endsWith('\n'))
                kept.chop(1);
        } else if (content != execLine && content != execLineAfterLineEnd) {
            kept += QByteArrayView(autoexec).sliced(lines[i].start, lines[i].end - lines[i].start);
        }
    }
    return kept;
}

QByteArray newAutoexec()
{
    return madeLine + '\n' + execLine + '\n';
}

bool madeByInstall(const QByteArray& autoexec)
{
    const std::vector<Line> lines = linesOf(autoexec);
    return !lines.empty() && contentOf(autoexec, lines.front()) == madeLine;
}

QByteArray withoutInstallLines(const QByteArray& autoexec)
{
    const QByteArray rest = withoutExecLine(autoexec);
    if (!madeByInstall(rest))
        return rest;
    return rest.sliced(linesOf(rest).front().end);
}

std::vector<FolderOutcome> install(QStringView tweak, const QString& source,
                                   const std::vector<GameFolder>& folders)
{
    std::vector<FolderOutcome> outcomes;
    for (const GameFolder& game : folders)
        outcomes.push_back(installInto(tweak, source, game));
    return outcomes;
}

std::vector<FolderOutcome> uninstall(const std::vector<GameFolder>& folders)
{
    std::vector<FolderOutcome> outcomes;
    for (const GameFolder& game : folders)
        outcomes.push_back(uninstallFrom(game));
    return outcomes;
}

} // namespace quenzar::gameinstall
