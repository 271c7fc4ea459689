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

// The commands of a cfg file as the game splits them: at \n and \r, and at ; outside quotes;
// words split at blanks, with // starting a comment.
QList<QStringList> commandsOf(const QByteArray& cfg)
{
    QList<QStringList> commands;
    QString command;
    bool quoted = false;
    const auto end = [&] {
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        const QStringList words =
            command.section(QStringLiteral("//"), 0, 0).split(blanks, Qt::SkipEmptyParts);
        if (!words.isEmpty())
            commands << words;
        command.clear();
        quoted = false;
    };
    for (const QChar c : QString::fromUtf8(cfg)) {
        if (c == u'\n' || c == u'\r' || (c == u';' && !quoted)) {
            end();
            continue;
        }
        quoted ^= c == u'"';
        command += c;
    }
    end();
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

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    void steamLibraries_data();
    void steamLibraries();
    void oneFolderFailing();
};

void tst_GameInstall::installAndUndo_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("xdgConfigHome");
    QTest::addColumn<QStringList>("home");
    QTest::addColumn<QStringList>("found");     // build, tab, folder
    QTest::addColumn<QStringList>("autoexecs"); // the one each game runs after install

    QTest::newRow("nothing found: no DoomConfig.cfg anywhere")
        << false << ""
        << QStringList{".doom3/base/autoexec.cfg=bind x y\n", ".config/dhewm3/base/",
                       ".var/app/org.dhewm3.Dhewm3/config/dhewm3/base/autoexec.cfg"}
        << QStringList() << QStringList();
    QTest::newRow("Doom 3 for Linux")
        << false << "" << QStringList{".doom3/base/DoomConfig.cfg", ".doom3-demo/base/x.cfg"}
        << QStringList{"Doom 3 for Linux\t.doom3/base"} << QStringList{".doom3/base/autoexec.cfg"};
    QTest::newRow("Doom 3 for Linux, the player's autoexec.cfg in the installation")
        << false << ""
        << QStringList{".doom3/base/DoomConfig.cfg", "games/doom3/base/autoexec.cfg=bind x y\n"}
        << QStringList{"Doom 3 for Linux\t.doom3/base"}
        << QStringList{"games/doom3/base/autoexec.cfg"};
    QTest::newRow("dhewm3, the player's autoexec.cfg in its save folder")
        << false << ""
        << QStringList{".config/dhewm3/base/DoomConfig.cfg",
                       ".local/share/dhewm3/base/autoexec.cfg=seta com_showFPS 1"}
        << QStringList{"dhewm3\t.config/dhewm3/base"}
        << QStringList{".local/share/dhewm3/base/autoexec.cfg"};
    QTest::newRow("dhewm3 with its own XDG_CONFIG_HOME, autoexec.cfg in both folders")
        << false << "conf"
        << QStringList{"conf/dhewm3/base/DoomConfig.cfg",
                       "conf/dhewm3/base/autoexec.cfg=bind x y\r\n",
                       ".local/share/dhewm3/base/autoexec.cfg=bind z w\n",
                       ".config/dhewm3/base/autoexec.cfg=bind z w\n"}
        << QStringList{"dhewm3\tconf/dhewm3/base"} << QStringList{"conf/dhewm3/base/autoexec.cfg"};
    QTest::newRow("an older dhewm3, DoomConfig.cfg in the save folder")
        << false << "" << QStringList{".local/share/dhewm3/base/DoomConfig.cfg"}
        << QStringList{"dhewm3\t.local/share/dhewm3/base"}
        << QStringList{".local/share/dhewm3/base/autoexec.cfg"};
    QTest::newRow("dhewm3 from Flatpak")
        << false << ""
        << QStringList{".var/app/org.other.App/config/x/base/DoomConfig.cfg",
                       ".var/app/org.dhewm3.Dhewm3/config/dhewm3/base/DoomConfig.cfg",
                       ".var/app/org.dhewm3.Dhewm3/data/dhewm3/base/autoexec.cfg=bind x y\n"}
        << QStringList{"dhewm3\t.var/app/org.dhewm3.Dhewm3/config/dhewm3/base"}
        << QStringList{".var/app/org.dhewm3.Dhewm3/data/dhewm3/base/autoexec.cfg"};
    QTest::newRow("Steam with a second library")
        << false << ""
        << QStringList{".local/share/Steam/steamapps/libraryfolders.vdf="
                       "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"~/.local/share/"
                       "Steam\"\n"
                       "\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"~/games/lib2\"\n\t}\n}\n",
                       ".steam/steam->.local/share/Steam",
                       ".local/share/Steam/steamapps/common/Doom 3/base/DoomConfig.cfg",
                       "games/lib2/steamapps/common/Doom 3/base/DoomConfig.cfg"}
        << QStringList{"Doom 3 (Windows)\t.local/share/Steam/steamapps/common/Doom 3/base",
                       "Doom 3 (Windows)\tgames/lib2/steamapps/common/Doom 3/base"}
        << QStringList{".local/share/Steam/steamapps/common/Doom 3/base/autoexec.cfg",
                       "games/lib2/steamapps/common/Doom 3/base/autoexec.cfg"};
    QTest::newRow("Windows: both builds, one autoexec.cfg in the installation")
        << true << ""
        << QStringList{"games/doom3/base/DoomConfig.cfg", "games/doom3/base/autoexec.cfg=bind x y",
                       "games/steam/steamapps/common/Doom 3->games/doom3",
                       "Documents/My Games/dhewm3/base/DoomConfig.cfg"}
        << QStringList{"Doom 3 (Windows)\tgames/doom3/base",
                       "dhewm3\tDocuments/My Games/dhewm3/base"}
        << QStringList{"games/doom3/base/autoexec.cfg", "games/doom3/base/autoexec.cfg"};
}

void tst_GameInstall::installAndUndo()
{
    QFETCH(bool, windows);
    QFETCH(QString, xdgConfigHome);
    QFETCH(QStringList, home);
    QFETCH(QStringList, found);
    QFETCH(QStringList, autoexecs);

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
    QStringList foundHere;
    for (const GameFolder& game : games)
        foundHere << buildLabel(game.build) + u'\t' + root.relativeFilePath(game.path);
    QCOMPARE(foundHere, found);
    if (games.empty()) {
        QVERIFY(foldersLookedIn(environment).contains(root.filePath(".doom3/base")));
        return;
    }

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
    for (std::size_t i = 0; i < games.size(); ++i) {
        const QString autoexec = firstFound(games[i], QStringLiteral("autoexec.cfg"));
        QCOMPARE(root.relativeFilePath(autoexec), autoexecs[qsizetype(i)]);
        const QByteArray text = bytesOf(autoexec);
        const QByteArray player = before.value(autoexec);
        QVERIFY2(text.startsWith(player), text.constData());
        QCOMPARE(commandsOf(text).count(QStringList{"exec", "quenzar.cfg"}), 1);
        QCOMPARE(commandsOf(text).mid(commandsOf(player).size()),
                 (QList<QStringList>{{"exec", "quenzar.cfg"}}));
        const QByteArray ours = bytesOf(firstFound(games[i], QStringLiteral("quenzar.cfg")));
        QVERIFY2(ours.contains("seta g_fov \"85\"\n"), ours.constData());
        QCOMPARE(ours.contains("seta win_xpos"), games[i].build == quenzar::gameconfig::Win32);
    }

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

void tst_GameInstall::steamLibraries_data()
{
    QTest::addColumn<QByteArray>("vdf");
    QTest::addColumn<QStringList>("paths");

    QTest::newRow("Linux") << QByteArray("\"1\" { \"path\"\t\t\"/mnt/My Games\" \"label\" \"\" }")
                           << QStringList{"/mnt/My Games"};
    QTest::newRow("Windows")
        << QByteArray("\"0\"\n{\n\"path\"\t\"C:\\\\Program Files (x86)\\\\Steam\"\n}\n"
                      "\"1\"\n{\n\"PATH\"\t\"D:\\\\SteamLibrary\"\n}\n")
        << QStringList{"C:/Program Files (x86)/Steam", "D:/SteamLibrary"};
}

void tst_GameInstall::steamLibraries()
{
    QFETCH(QByteArray, vdf);
    QFETCH(QStringList, paths);
    QCOMPARE(steamLibraryPaths(vdf), paths);
}

// A folder where quenzar.cfg cannot be written (a folder sits there, which stops root too) is
// told with the path and why, and the next folder is still done.
void tst_GameInstall::oneFolderFailing()
{
    const QTemporaryDir folder;
    const QDir root(folder.path());
    QVERIFY(root.mkpath(QStringLiteral("broken/quenzar.cfg")));
    QVERIFY(root.mkpath(QStringLiteral("fine")));
    const std::vector<GameFolder> games{namedGameFolder(root.filePath(QStringLiteral("broken"))),
                                        namedGameFolder(root.filePath(QStringLiteral("fine")))};

    const std::vector<FolderOutcome> outcomes = install(tweak, QStringLiteral("t.cfg"), games);
    QCOMPARE(outcomes.size(), std::size_t(2));
    QVERIFY(!outcomes[0].ok);
    QVERIFY2(outcomes[0].message.startsWith(root.filePath("broken/quenzar.cfg") + ": ") &&
                 outcomes[0].message.size() > root.filePath("broken/quenzar.cfg").size() + 2,
             qPrintable(outcomes[0].message));
    QVERIFY2(outcomes[1].ok, qPrintable(outcomes[1].message));
    QVERIFY(root.exists(QStringLiteral("fine/quenzar.cfg")));
    QVERIFY(root.exists(QStringLiteral("fine/autoexec.cfg")));
    QVERIFY(!root.exists(QStringLiteral("broken/autoexec.cfg")));
}

QTEST_GUILESS_MAIN(tst_GameInstall)
#include "tst_gameinstall.moc"
