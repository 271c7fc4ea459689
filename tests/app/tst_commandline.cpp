// The program's command line, run as a player runs it: the built program in a process of its
// own, with no display at all.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out, err;
};

// `home` is the player's home and the working folder; without one, an empty folder is both, so
// that no game folder of the machine's own is ever found.
Run quenzar(const QStringList& arguments, const QByteArray& input = {},
            const QString& platform = {}, const QString& home = {},
            const QString& standardOutput = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        environment.remove(QString::fromLatin1(name));
    if (!platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    QProcess process;
    // A program that fails to start its windows aborts; whatever that leaves goes with the folder.
    const QTemporaryDir folder;
    environment.insert(QStringLiteral("HOME"), home.isEmpty() ? folder.path() : home);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home.isEmpty() ? folder.path() : home);
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    process.start(QStringLiteral(QUENZAR_BINARY), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(20000))
        process.kill();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void exitCodes_data();
    void exitCodes();
    void outputFile();
    void installAndUninstall();
    void fullStandardOutput_data();
    void fullStandardOutput();
    void windowsOnlyWithoutOptions_data();
    void windowsOnlyWithoutOptions();
};

void tst_CommandLine::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // patterns
    QTest::addColumn<QString>("err");

    const QStringList fromInput{"--game-config", "-"};
    // Named as players type it, not by the folder it was built in.
    QTest::newRow("help")
        << QStringList{"--help"} << QByteArray() << 0
        << "^Usage: quenzar \\[options\\]\\n.*--game-config <FILE>.*-o, "
           "--output <OUT>.*--install.*--uninstall.*--game-dir <DIR>.*--list-games.*--game-setup"
        << "^$";
    QTest::newRow("version") << QStringList{"--version"} << QByteArray() << 0
                             << "^Quenzar 1\\.00\\n$"
                             << "^$";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << QByteArray() << 2 << "^$"
                                    << "Unknown option 'bogus'";
    QTest::newRow("no file named") << QStringList{"--game-config"} << QByteArray() << 2 << "^$"
                                   << "game-config";
    QTest::newRow("stray argument") << QStringList{"tweak.cfg"} << QByteArray() << 2 << "^$"
                                    << "tweak\\.cfg";
    QTest::newRow("missing file") << QStringList{"--game-config", "/nonexistent/tweak.cfg"}
                                  << QByteArray() << 1 << "^$"
                                  << "/nonexistent/tweak\\.cfg: No such file or directory";
    QTest::newRow("standard input")
        << fromInput << QByteArray("g_fov (85)") << 0 << "\\nseta g_fov \"85\"\\n"
        << "^$";
    QTest::newRow("warnings with their columns")
        << fromInput << QByteArray("g_fov 85\nr_shadows (1") << 0 << "seta g_fov \"85\""
        << "^standard input:2:13: warning: [^\\n]*r_shadows\\n$";
    QTest::newRow("no setting at all") << fromInput << QByteArray("// nothing\n") << 1 << "^$"
                                       << "holds no setting";
    QTest::newRow("no setting the game takes")
        << fromInput << QByteArray("r_useGL2 (1)") << 1 << "^$"
        << "no build of Doom 3 has r_useGL2";
    QTest::newRow("game setup with two files")
        << QStringList{"--game-setup", "a.cfg", "b.cfg"} << QByteArray() << 2 << "^$"
        << "--game-setup takes one tweak file";
    QTest::newRow("game setup with a conversion")
        << QStringList{"--game-setup", "--game-config", "-"} << QByteArray("g_fov 85") << 2 << "^$"
        << "--game-setup takes one tweak file";
    QTest::newRow("game setup with an install")
        << QStringList{"--game-setup", "--install"} << QByteArray() << 2 << "^$"
        << "--game-setup takes one tweak file";
    QTest::newRow("output that cannot be written")
        << QStringList{"--game-config", "-", "-o", "/nonexistent/q.cfg"} << QByteArray("g_fov 85")
        << 1 << "^$"
        << "cannot write /nonexistent/q\\.cfg";
    QTest::newRow("an empty output file name")
        << QStringList{"--game-config", "-", "-o", ""} << QByteArray("g_fov 85") << 2 << "^$"
        << "empty file name after --output";
    QTest::newRow("an empty tweak file name")
        << QStringList{"--game-config", ""} << QByteArray() << 2 << "^$"
        << "^quenzar: an empty file name after --game-config[^\\n]*\\n$";
    QTest::newRow("an empty game folder name")
        << QStringList{"--game-config", "-", "--install", "--game-dir", ""}
        << QByteArray("g_fov 85") << 2 << "^$"
        << "empty folder name after --game-dir";
    QTest::newRow("install without a tweak")
        << QStringList{"--install"} << QByteArray() << 2 << "^$"
        << "--install goes with --game-config";
    QTest::newRow("install, nothing found")
        << QStringList{"--game-config", "-", "--install"} << QByteArray("g_fov 85") << 1 << "^$"
        << "found no game folder.*/\\.doom3/base\\n.*/\\.config/dhewm3/base\\n.*"
           "/\\.local/share/dhewm3/base\\n.*/\\.var/app/\\*/config/dhewm3/base\\n.*"
           "/\\.local/share/Steam/steamapps/common/Doom 3/base\\n.*--game-dir";
    QTest::newRow("uninstall, nothing found")
        << QStringList{"--uninstall"} << QByteArray() << 1 << "^$"
        << "found no game folder.*--game-dir";
    QTest::newRow("list of games, nothing found")
        << QStringList{"--list-games"} << QByteArray() << 1 << "^$"
        << "found no game folder";
    QTest::newRow("install into a folder that does not exist")
        << QStringList{"--game-config", "-", "--install", "--game-dir", "/nonexistent/base"}
        << QByteArray("g_fov 85") << 1 << "^$"
        << "/nonexistent/base: no such folder";
    QTest::newRow("a folder that does not exist is passed over, the others done")
        << QStringList{"--game-config",     "-",          "--install", "--game-dir",
                       "/nonexistent/base", "--game-dir", "."}
        << QByteArray("g_fov 85") << 1 << "^wrote [^\\n]*quenzar\\.cfg"
        << "^quenzar: /nonexistent/base: no such folder\\n$";
    QTest::newRow("install into a file")
        << QStringList{"--game-config", "-", "--install", "--game-dir", "/dev/null"}
        << QByteArray("g_fov 85") << 1 << "^$"
        << "/dev/null: not a folder";
    QTest::newRow("install of a tweak without settings")
        << QStringList{"--game-config", "-", "--install", "--game-dir", "."}
        << QByteArray("// nothing\n") << 1 << "^$"
        << "holds no setting";
}

void tst_CommandLine::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const Run run = quenzar(arguments, input);
    QCOMPARE(run.exitCode, exitCode);
    const auto dotAll = QRegularExpression::DotMatchesEverythingOption;
    QVERIFY2(QRegularExpression(out, dotAll).match(run.out).hasMatch(), qPrintable(run.out));
    QVERIFY2(QRegularExpression(err, dotAll).match(run.err).hasMatch(), qPrintable(run.err));
}

// -o writes what would have been printed, and the file tells how to run it by its own name.
void tst_CommandLine::outputFile()
{
    QTemporaryDir folder;
    const QString tweak = folder.filePath(QStringLiteral("tweak.cfg"));
    const QString out = folder.filePath(QStringLiteral("q.cfg"));
    QFile file(tweak);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(" Image_useCache = (0)  g_showBrass 0 r_shadows (0)");
    file.close();

    const Run printed = quenzar({"--game-config", tweak});
    const Run written = quenzar({"--game-config", tweak, "--output", out});
    QCOMPARE(written.exitCode, 0);
    QCOMPARE(written.out + written.err, QString());
    QFile result(out);
    QVERIFY(result.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(result.readAll()),
             QString(printed.out).replace("exec and this file's name,", "exec q.cfg"));

    // - is standard output, never a file of that name.
    const Run dash = quenzar({"--game-config", tweak, "-o", "-"}, {}, {}, folder.path());
    QCOMPARE(dash.exitCode, 0);
    QCOMPARE(dash.out, printed.out);
    QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("-"))));
    // /dev/stdout, here a pipe, is written as one.
    const Run devStdout = quenzar({"--game-config", tweak, "-o", "/dev/stdout"});
    QCOMPARE(devStdout.err, QString());
    QVERIFY2(devStdout.out.contains("seta r_shadows \"0\""), qPrintable(devStdout.out));
}

// The game folder found in the player's home is listed; install goes on past a folder it
// cannot write into and says which; uninstall gives the player's autoexec.cfg back.
void tst_CommandLine::installAndUninstall()
{
    QTemporaryDir home;
    const QDir root(home.path());
    QVERIFY(root.mkpath(QStringLiteral(".doom3/base")));
    QVERIFY(root.mkpath(QStringLiteral("broken/quenzar.cfg")));
    // An autoexec.cfg that cannot be read: no quenzar.cfg is left there.
    QVERIFY(root.mkpath(QStringLiteral("blocked/autoexec.cfg")));
    QVERIFY(root.mkpath(QStringLiteral("utf16")));
    QFile utf16(root.filePath(QStringLiteral("utf16/autoexec.cfg")));
    QVERIFY(utf16.open(QIODevice::WriteOnly));
    utf16.write(QByteArray("b\0i\0n\0d\0", 8));
    utf16.close();
    // A quenzar.cfg of the player's own is neither replaced nor removed.
    QVERIFY(root.mkpath(QStringLiteral("own")));
    QFile own(root.filePath(QStringLiteral("own/quenzar.cfg")));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("bind F6 quit\n");
    own.close();
    QFile(root.filePath(QStringLiteral(".doom3/base/DoomConfig.cfg"))).open(QIODevice::WriteOnly);
    QFile autoexec(root.filePath(QStringLiteral(".doom3/base/autoexec.cfg")));
    QVERIFY(autoexec.open(QIODevice::WriteOnly));
    autoexec.write("bind F5 \"savegame quick\"");
    autoexec.close();
    const QString base = root.filePath(QStringLiteral(".doom3/base"));

    const Run listed = quenzar({"--list-games"}, {}, {}, home.path());
    QCOMPARE(listed.exitCode, 0);
    QCOMPARE(listed.out, "Doom 3 for Linux\t" + base + "\n");

    const QStringList install{
        "--game-config", "-",       "--install",  "--game-dir", "broken",     "--game-dir", "own",
        "--game-dir",    "blocked", "--game-dir", "utf16",      "--game-dir", base};
    const Run installed = quenzar(install, "r_shadows 0", {}, home.path());
    QCOMPARE(installed.exitCode, 1);
    QVERIFY2(installed.err.startsWith("quenzar: broken/quenzar.cfg: "), qPrintable(installed.err));
    QVERIFY2(installed.err.contains("\nquenzar: own/quenzar.cfg: a file of the same name that "
                                    "Quenzar did not write"),
             qPrintable(installed.err));
    QVERIFY2(installed.err.contains("\nquenzar: blocked/autoexec.cfg: "),
             qPrintable(installed.err));
    QVERIFY(!root.exists(QStringLiteral("blocked/quenzar.cfg")));
    QVERIFY2(installed.err.contains("\nquenzar: utf16/autoexec.cfg: the game reads this file only "
                                    "up to its first NUL byte"),
             qPrintable(installed.err));
    QCOMPARE(quenzar({"--uninstall", "--game-dir", "blocked"}, {}, {}, home.path()).exitCode, 0);
    QVERIFY2(installed.out.contains(base + "/autoexec.cfg"), qPrintable(installed.out));
    QVERIFY(autoexec.open(QIODevice::ReadOnly));
    QCOMPARE(autoexec.readAll(), "bind F5 \"savegame quick\"\nexec quenzar.cfg // added by "
                                 "quenzar --install after a line end of its own\n");
    autoexec.close();

    const Run undone = quenzar({"--uninstall"}, {}, {}, home.path());
    QCOMPARE(undone.exitCode, 0);
    QVERIFY(autoexec.open(QIODevice::ReadOnly));
    QCOMPARE(autoexec.readAll(), "bind F5 \"savegame quick\"");
    QVERIFY(!root.exists(QStringLiteral(".doom3/base/quenzar.cfg")));
    QCOMPARE(quenzar({"--uninstall", "--game-dir", "own"}, {}, {}, home.path()).out,
             "left own/quenzar.cfg alone: Quenzar did not write it\n");
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.readAll(), "bind F6 quit\n");
}

// Whatever prints to a full disk says so and fails, as GNU programs do.
void tst_CommandLine::fullStandardOutput_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("help") << QStringList{"--help"};
    QTest::newRow("version") << QStringList{"--version"};
    QTest::newRow("game-ready form") << QStringList{"--game-config", "-"};
}

void tst_CommandLine::fullStandardOutput()
{
    QFETCH(QStringList, arguments);
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");

    const Run run = quenzar(arguments, "g_fov 85", {}, {}, QStringLiteral("/dev/full"));
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("quenzar: cannot write to standard output: "), qPrintable(run.err));
}

// No option, or only Qt's own: the windows start, which here fails for want of a display.
void tst_CommandLine::windowsOnlyWithoutOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform");

    QTest::newRow("no option") << QStringList() << "no-such-platform";
    QTest::newRow("Qt's own option") << QStringList{"-platform", "no-such-platform"} << "";
    QTest::newRow("game setup") << QStringList{"--game-setup"} << "no-such-platform";
    QTest::newRow("game setup with a file and Qt's option")
        << QStringList{"tweak.cfg", "--game-setup", "-platform", "no-such-platform"} << "";
}

void tst_CommandLine::windowsOnlyWithoutOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);

    const Run run = quenzar(arguments, {}, platform);
    QVERIFY2(run.err.contains("\"no-such-platform\""), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
