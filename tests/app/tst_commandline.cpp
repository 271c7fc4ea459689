// The program's command line, run as a player runs it: the built program in a process of its
// own, with no display at all.
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

Run quenzar(const QStringList& arguments, const QByteArray& input = {},
            const QString& platform = {}, const QString& standardOutput = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (!platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    QProcess process;
    process.setProcessEnvironment(environment);
    // A program that fails to start its windows aborts; whatever that leaves goes with the folder.
    const QTemporaryDir folder;
    process.setWorkingDirectory(folder.path());
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
    QTest::newRow("help") << QStringList{"--help"} << QByteArray() << 0
                          << "^Usage: quenzar \\[options\\]\\n.*--game-config <FILE>.*-o, "
                             "--output <OUT>"
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
    QTest::newRow("output that cannot be written")
        << QStringList{"--game-config", "-", "-o", "/nonexistent/q.cfg"} << QByteArray("g_fov 85")
        << 1 << "^$"
        << "cannot write /nonexistent/q\\.cfg";
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

    const Run run = quenzar(arguments, "g_fov 85", {}, QStringLiteral("/dev/full"));
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
