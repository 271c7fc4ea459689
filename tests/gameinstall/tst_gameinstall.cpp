// Installing into made-up homes laid out as each build of the game leaves them, then starting
// the game as it starts: its folders searched in order, the first autoexec.cfg run.
#include "gameconfig/catalogue.h"
#include "gameinstall/gameinstall.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quenzar::gameinstall;

namespace {

// win_xpos: only the Windows build has it.
const QString tweak = QStringLiteral("g_fov (85) r_shadows (0) win_xpos (3)");

// "path" makes an empty file, "path=text" a file with that text, "path/" a folder and
// "path->target" a link; ~ in a text stands for the home.
void lay(const QString& home, const QStringList& entries)
{
    for (const QString& entry : entries) {
        if (entry.contains(QStringLiteral("->"))) {
            const QStringList parts = entry.split(QStringLiteral("->"));
            QDir(home).mkpath(QFileInfo(parts[0]).path());
            QVERIFY(QFile::link(QDir(home).filePath(parts[1]), QDir(home).filePath(parts[0])));
            continue;
        }
        const QString path = entry.section(u'=', 0, 0);
        if (path.endsWith(u'/')) {
            QVERIFY(QDir(home).mkpath(path));
            continue;
        }
        QVERIFY(QDir(home).mkpath(QFileInfo(path).path()));
        QFile file(QDir(home).filePath(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entry.section(u'=', 1).replace(u'~', home).toUtf8());
    }
}

// Every file under a folder with its bytes, links not followed.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(it.filePath(), file.readAll());
    }
    return files;
}

// The commands of a cfg file as the game splits them (at \n, \r and ;), comments dropped.
QStringList commandsOf(const QByteArray& cfg)
{
    QStringList commands;
    for (const QString& line : QString::fromUtf8(cfg).split(QRegularExpression(u"[\r\n;]"_qs)))
        if (const QString command = line.section(u"//"_qs, 0, 0).simplified(); !command.isEmpty())
            commands << command;
    return commands;
}

// The first file of that name in the game's search order: the one exec reads.
QString firstFound(const GameFolder& game, const QString& name)
{
    for (const QString& folder : game.searched)
        if (QFileInfo::exists(QDir(folder).filePath(name)))
            return QDir(folder).filePath(name);
    return {};
}

} // namespace

class tst_GameInstall : public QObject
{
    Q_OBJECT

private slots:
    void installAndUndo_data();
    void installAndUndo();
    void execLine_data();
    void execLine();
    void steamLibraries();
};

void tst_GameInstall::installAndUndo_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("xdgConfigHome");
    QTest::addColumn<QStringList>("home");
    // Each game found: its build, its folder and the autoexec.cfg it runs after install.
    QTest::addColumn<QStringList>("found");

    QTest::newRow("nothing found: no DoomConfig.cfg anywhere")
        << false << ""
        << QStringList{".doom3/base/autoexec.cfg=bind x y\n", ".config/dhewm3/base/",
                       ".var/app/org.dhewm3.Dhewm3/config/dhewm3/base/autoexec.cfg"}
        << QStringList();
    QTest::newRow("Doom 3 for Linux")
        << false << "" << QStringList{".doom3/base/DoomConfig.cfg", ".doom3-demo/base/x.cfg"}
        << QStringList{"Doom 3 for Linux|.doom3/base|.doom3/base/autoexec.cfg"};
    QTest::newRow("Doom 3 for Linux, the player's autoexec.cfg in the installation")
        << false << ""
        << QStringList{".doom3/base/DoomConfig.cfg", "games/doom3/base/autoexec.cfg=bind x y\n"}
        << QStringList{"Doom 3 for Linux|.doom3/base|games/doom3/base/autoexec.cfg"};
    QTest::newRow("dhewm3, the player's autoexec.cfg in its save folder")
        << false << ""
        << QStringList{".config/dhewm3/base/DoomConfig.cfg",
                       ".local/share/dhewm3/base/autoexec.cfg=seta com_showFPS 1"}
        << QStringList{"dhewm3|.config/dhewm3/base|.local/share/dhewm3/base/autoexec.cfg"};
    QTest::newRow("dhewm3 with its own XDG_CONFIG_HOME, autoexec.cfg in both folders")
        << false << "conf"
        << QStringList{"conf/dhewm3/base/DoomConfig.cfg",
                       "conf/dhewm3/base/autoexec.cfg=bind x y\r\n",
                       ".local/share/dhewm3/base/autoexec.cfg=bind z w\n",
                       ".config/dhewm3/base/autoexec.cfg=bind z w\n"}
        << QStringList{"dhewm3|conf/dhewm3/base|conf/dhewm3/base/autoexec.cfg"};
    QTest::newRow("an older dhewm3, DoomConfig.cfg in the save folder")
        << false << "" << QStringList{".local/share/dhewm3/base/DoomConfig.cfg"}
        << QStringList{"dhewm3|.local/share/dhewm3/base|.local/share/dhewm3/base/autoexec.cfg"};
    QTest::newRow("dhewm3 from Flatpak")
        << false << ""
        << QStringList{".var/app/org.other.App/config/x/base/DoomConfig.cfg",
                       ".var/app/org.dhewm3.Dhewm3/config/dhewm3/base/DoomConfig.cfg",
                       ".var/app/org.dhewm3.Dhewm3/data/dhewm3/base/autoexec.cfg=bind x y\n"}
        << QStringList{"dhewm3|.var/app/org.dhewm3.Dhewm3/config/dhewm3/base|"
                       ".var/app/org.dhewm3.Dhewm3/data/dhewm3/base/autoexec.cfg"};
    QTest::newRow("Steam with a second library")
        << false << ""
        << QStringList{".local/share/Steam/steamapps/libraryfolders.vdf="
                       "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"~/.local/share/"
                       "Steam\"\n"
                       "\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"~/games/lib2\"\n\t}\n}\n",
                       ".steam/steam->.local/share/Steam",
                       ".local/share/Steam/steamapps/common/Doom 3/base/DoomConfig.cfg",
                       "games/lib2/steamapps/common/Doom 3/base/DoomConfig.cfg"}
        << QStringList{"Doom 3 (Windows)|.local/share/Steam/steamapps/common/Doom 3/base|"
                       ".local/share/Steam/steamapps/common/Doom 3/base/autoexec.cfg",
                       "Doom 3 (Windows)|games/lib2/steamapps/common/Doom 3/base|"
                       "games/lib2/steamapps/common/Doom 3/base/autoexec.cfg"};
    QTest::newRow("Windows: both builds, one autoexec.cfg in the installation")
        << true << ""
        << QStringList{"games/doom3/base/DoomConfig.cfg", "games/doom3/base/autoexec.cfg=bind x y",
                       "games/steam/steamapps/common/Doom 3->games/doom3",
                       "Documents/My Games/dhewm3/base/DoomConfig.cfg"}
        << QStringList{"Doom 3 (Windows)|games/doom3/base|games/doom3/base/autoexec.cfg",
                       "dhewm3|Documents/My Games/dhewm3/base|games/doom3/base/autoexec.cfg"};
}

void tst_GameInstall::installAndUndo()
{
    QFETCH(bool, windows);
    QFETCH(QString, xdgConfigHome);
    QFETCH(QStringList, home);
    QFETCH(QStringList, found);

    const QTemporaryDir folder;
    const QDir root(folder.path());
    lay(folder.path(), home);
    Environment environment;
    environment.system = windows ? Environment::System::Windows : Environment::System::Linux;
    environment.home = folder.path();
    if (!xdgConfigHome.isEmpty())
        environment.xdgConfigHome = root.filePath(xdgConfigHome);
    environment.documents = root.filePath(QStringLiteral("Documents"));
    environment.installations << root.filePath(QStringLiteral("games/doom3"));
    if (windows)
        environment.steamRoots << root.filePath(QStringLiteral("games/steam"));

    const std::vector<GameFolder> games = findGameFolders(environment);
    if (games.empty())
        QVERIFY(foldersLookedIn(environment).contains(root.filePath(".doom3/base")));
    const QMap<QString, QByteArray> before = snapshot(folder.path());
    const auto allOk = [](const std::vector<FolderOutcome>& outcomes) {
        for (const FolderOutcome& outcome : outcomes)
            if (!outcome.ok)
                return outcome.message;
        return QString();
    };
    QCOMPARE(allOk(install(tweak, QStringLiteral("tweak.cfg"), games)), QString());
    const QMap<QString, QByteArray> installed = snapshot(folder.path());

    // The game starts: the first autoexec.cfg in its search order runs, and exec quenzar.cfg
    // there reads the first quenzar.cfg in the same order, which holds the tweak.
    QStringList foundHere;
    for (const GameFolder& game : games) {
        const QString autoexec = firstFound(game, QStringLiteral("autoexec.cfg"));
        foundHere << QStringList{buildLabel(game.build), root.relativeFilePath(game.path),
                                 root.relativeFilePath(autoexec)}
                         .join(u'|');
        const QByteArray player = before.value(autoexec);
        QVERIFY2(installed.value(autoexec).startsWith(player), installed.value(autoexec));
        QCOMPARE(commandsOf(installed.value(autoexec)),
                 commandsOf(player) + QStringList{"exec quenzar.cfg"});
        const QByteArray ours = installed.value(firstFound(game, QStringLiteral("quenzar.cfg")));
        QVERIFY2(ours.contains("seta g_fov \"85\"\n"), ours.constData());
        QCOMPARE(ours.contains("seta win_xpos"), game.build == quenzar::gameconfig::Win32);
    }
    QCOMPARE(foundHere, found);

    QCOMPARE(allOk(install(tweak, QStringLiteral("tweak.cfg"), games)), QString());
    QCOMPARE(snapshot(folder.path()), installed);
    QCOMPARE(allOk(uninstall(games)), QString());
    QCOMPARE(snapshot(folder.path()), before);
}

void tst_GameInstall::execLine_data()
{
    QTest::addColumn<QByteArray>("autoexec");
    // <L>: install's line; <E>: the same where install had to end the player's last line.
    QTest::addColumn<QByteArray>("installed");
    // Uninstall once the player has added "bind z w" after install's line.
    QTest::addColumn<QByteArray>("playerAddedLater");

    QTest::newRow("empty") << QByteArray() << QByteArray("<L>\n") << QByteArray("bind z w\n");
    QTest::newRow("lines") << QByteArray("bind x y\n") << QByteArray("bind x y\n<L>\n")
                           << QByteArray("bind x y\nbind z w\n");
    QTest::newRow("a last line without a line end")
        << QByteArray("bind x y") << QByteArray("bind x y\n<E>\n")
        << QByteArray("bind x y\nbind z w\n");
    QTest::newRow("Windows line ends, the last one missing")
        << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n<E>\r\n")
        << QByteArray("a\r\nb\r\nbind z w\n");
    QTest::newRow("a line end of \\r alone")
        << QByteArray("a\r") << QByteArray("a\r<L>\n") << QByteArray("a\rbind z w\n");
    QTest::newRow("the player's own exec of the same file")
        << QByteArray("exec quenzar.cfg") << QByteArray("exec quenzar.cfg\n<E>\n")
        << QByteArray("exec quenzar.cfg\nbind z w\n");
}

void tst_GameInstall::execLine()
{
    QFETCH(QByteArray, autoexec);
    QFETCH(QByteArray, installed);
    QFETCH(QByteArray, playerAddedLater);

    const QByteArray line = "exec quenzar.cfg // added by quenzar --install";
    installed.replace("<L>", line).replace("<E>", line + " after a line end of its own");
    QCOMPARE(withExecLine(autoexec), installed);
    QCOMPARE(withExecLine(installed), installed);
    QCOMPARE(withoutExecLine(installed), autoexec);
    QCOMPARE(withoutExecLine(installed + "bind z w\n"), playerAddedLater);
    QVERIFY(!madeByInstall(withExecLine(autoexec)));
    QVERIFY(madeByInstall(newAutoexec()));
    QCOMPARE(withoutInstallLines(newAutoexec()), QByteArray());
    QCOMPARE(withoutInstallLines(newAutoexec() + "bind z w\n"), QByteArray("bind z w\n"));
}

void tst_GameInstall::steamLibraries()
{
    QCOMPARE(steamLibraryPaths("\"1\" { \"path\"\t\t\"/mnt/My Games\" \"label\" \"\" }"),
             QStringList{"/mnt/My Games"});
    QCOMPARE(
        steamLibraryPaths("\"0\" { \"path\" \"C:\\\\Steam\" } \"1\" { \"PATH\" \"D:\\\\Lib\" }"),
        (QStringList{"C:/Steam", "D:/Lib"}));
    QCOMPARE(steamLibraryPaths("\"path\" \"\" \"path\" \"lib\" \"path\" \"C:lib\""), QStringList());
    QCOMPARE(
        steamLibraryPaths("\"LibraryFolders\" { \"ContentStatsID\" \"-4\" \"1\" \"D:\\\\Lib\" }"),
        QStringList{"D:/Lib"});
}

QTEST_GUILESS_MAIN(tst_GameInstall)
#include "tst_gameinstall.moc"
