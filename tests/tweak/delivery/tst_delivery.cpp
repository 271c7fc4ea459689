#include "scripteddialogs.h"

#include "platform/textfile.h"
#include "tweak/delivery/delivery.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace quenzar;
using quenzar::testing::ScriptedDialogs;
using Destination = delivery::DeliveryChoice::Destination;
using Kind = ScriptedDialogs::Shown::Kind;

Q_DECLARE_METATYPE(quenzar::Answer)
Q_DECLARE_METATYPE(quenzar::TemporaryFile)

namespace {

const QString notSpecified = QStringLiteral("You didn't specified your path");
const QString okBox = QStringLiteral("ok!");
const QString ifSpecified =
    QStringLiteral("If you allready specified your path click no else Yes ");
const QString ifSpecifiedEdited =
    QStringLiteral("If you allready specified your path click no ,  else Yes ");
const QString yesOrNo = QStringLiteral("Yes or No?");
const QString specify =
    QStringLiteral("Specify your path, example: c:\\Program Files\\doom 3\\base\\tweak.cfg");
const QString clickYes = QStringLiteral("Click yes to safe to file, click No to add the text in "
                                        "the textboxes, and after editing saving it to a file");
const QString fileOrBoxes = QStringLiteral("Safe to file or add to the textboxes");
const QString tweakTitle = QStringLiteral("Tarvel's DOOM 3 TWEAK");
const delivery::WindowTexts mainWindow{u"Enter Path...", tweakTitle};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

#ifdef Q_OS_WIN
const QByteArray lineEnd = "\r\n";
#else
const QByteArray lineEnd = "\n";
#endif

// How a failing save is made: as is, as `nobody` where root would override permissions, or
// with a program reading a little from the pipe at the path and leaving.
enum Runner
{
    Direct,
    AsNobody,
    WithReader
};

// Runs a shell script with $0 set to `argument`; returns what it printed, or why it failed.
QByteArray shell(const QString& script, const QString& argument)
{
    QProcess sh;
    sh.start(QStringLiteral("sh"), {QStringLiteral("-c"), script, argument});
    sh.waitForFinished();
    return sh.exitCode() == 0 ? sh.readAllStandardOutput() : "failed: " + sh.readAllStandardError();
}

// Without root, another user's link is shown to a child of the test: in a user and mount
// namespace of its own, a link that root owns is mounted over `link`, and the child saves to
// `path` there. Returns the message it was told; a "SKIP: " text where the machine allows no
// such namespace.
QString toldOverRootsLink(const QString& link, const QString& path, const QString& text)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "SKIP: no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const auto say = [&](const QByteArray& what) {
            (void)!::write(pipeEnds[1], what.constData(), size_t(what.size()));
            ::_exit(0);
        };
        const QByteArray uid = "0 " + QByteArray::number(::geteuid()) + " 1";
        const QByteArray gid = "0 " + QByteArray::number(::getegid()) + " 1";
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
            !writeRaw("/proc/self/setgroups", "deny") || !writeRaw("/proc/self/uid_map", uid) ||
            !writeRaw("/proc/self/gid_map", gid) ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            say("SKIP: no user and mount namespace may be made here: " +
                qt_error_string().toUtf8());
        const int rootsLink = ::open_tree(AT_FDCWD, "/bin", OPEN_TREE_CLONE | AT_SYMLINK_NOFOLLOW);
        if (rootsLink < 0 || ::move_mount(rootsLink, "", AT_FDCWD, QFile::encodeName(link),
                                          MOVE_MOUNT_F_EMPTY_PATH) != 0)
            say("SKIP: root's link /bin cannot be mounted over another: " +
                qt_error_string().toUtf8());
        ScriptedDialogs dialogs;
        delivery::writeTweakFile(dialogs, path, text);
        say(dialogs.shown.value(0).prompt.toUtf8());
    }
    ::close(pipeEnds[1]);
    QFile told;
    told.open(pipeEnds[0], QIODevice::ReadOnly, QFile::AutoCloseHandle);
    const QString said = QString::fromUtf8(told.readAll());
    ::waitpid(child, nullptr, 0);
    return said;
}

} // namespace

Q_DECLARE_METATYPE(Runner)

class tst_Delivery : public QObject
{
    Q_OBJECT

private slots:
    void safeToFileDialogue_data();
    void safeToFileDialogue();
    void editedTweakDialogue_data();
    void editedTweakDialogue();
    void textsComeFromTheAskingWindow();

    void writesExactlyTheTextAndOneLineEnd_data();
    void writesExactlyTheTextAndOneLineEnd();
    void replacesAnExistingFileWhole();
    void replacingKeepsOwnerGroupModeAndAcl_data();
    void replacingKeepsOwnerGroupModeAndAcl();
    void savesWhereThePathLeads_data();
    void savesWhereThePathLeads();
    void failuresAreToldAndChangeNothing_data();
    void failuresAreToldAndChangeNothing();
    void aWriteThatFailsHalfwayLeavesTheOldFile();
    void aSaveCutShortLeavesNothingBehind_data();
    void aSaveCutShortLeavesNothingBehind();
    void anAppendOnlyFolderIsFoundOutFirst();
    void diskFullIsReported();
};

void tst_Delivery::safeToFileDialogue_data()
{
    QTest::addColumn<QString>("pathBox");
    QTest::addColumn<Answer>("newPath");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Answer>("where");
    QTest::addColumn<QString>("firstBox");
    QTest::addColumn<QString>("expectedPath");
    QTest::addColumn<bool>("toFile");

    const QString typed = QStringLiteral("c:\\Program Files\\doom 3\\base\\tweak.cfg");
    QTest::newRow("placeholder, keep it, to file")
        << "Enter Path..." << Answer::No << "" << Answer::Yes << notSpecified << "Enter Path..."
        << true;
    QTest::newRow("placeholder, type a path, to the edit box")
        << "Enter Path..." << Answer::Yes << typed << Answer::No << notSpecified << typed << false;
    QTest::newRow("a path, keep it")
        << "/tmp/t.cfg" << Answer::No << "" << Answer::Yes << okBox << "/tmp/t.cfg" << true;
    QTest::newRow("empty path box counts as given")
        << "" << Answer::No << "" << Answer::Yes << okBox << "" << true;
    QTest::newRow("placeholder in other case is a path")
        << "enter path..." << Answer::No << "" << Answer::Yes << okBox << "enter path..." << true;
    QTest::newRow("placeholder with a blank is a path")
        << " Enter Path..." << Answer::No << "" << Answer::Yes << okBox << " Enter Path..." << true;
    QTest::newRow("cancelled input box gives the empty path")
        << "/tmp/t.cfg" << Answer::Yes << "" << Answer::Yes << okBox << "" << true;
    QTest::newRow("typed path without extension used as typed")
        << "/tmp/t.cfg" << Answer::Yes << "  my tweak " << Answer::Yes << okBox << "  my tweak "
        << true;
}

void tst_Delivery::safeToFileDialogue()
{
    QFETCH(QString, pathBox);
    QFETCH(Answer, newPath);
    QFETCH(QString, typed);
    QFETCH(Answer, where);
    QFETCH(QString, firstBox);
    QFETCH(QString, expectedPath);
    QFETCH(bool, toFile);

    ScriptedDialogs dialogs;
    dialogs.answers = {Answer::Ok, Answer::Ok, newPath, Answer::Ok, where};
    if (newPath == Answer::Yes)
        dialogs.inputs = {typed};

    const delivery::DeliveryChoice choice = delivery::askDelivery(dialogs, pathBox, mainWindow);

    QStringList expected = {firstBox, ifSpecified, yesOrNo};
    if (newPath == Answer::Yes)
        expected << specify;
    expected << clickYes << fileOrBoxes;
    QCOMPARE(dialogs.prompts(), expected);
    QCOMPARE(dialogs.unscripted, 0);

    // Button sets and titles: only the last box names a title of its own.
    for (const auto& box : std::as_const(dialogs.shown)) {
        if (box.kind == Kind::Input) {
            QCOMPARE(box.title, QString());
            continue;
        }
        const bool asks = box.prompt == yesOrNo || box.prompt == fileOrBoxes;
        QCOMPARE(box.buttons, asks ? Buttons::YesNo : Buttons::Ok);
        QCOMPARE(box.title, box.prompt == fileOrBoxes ? tweakTitle : QString());
    }
    QCOMPARE(choice.destination, toFile ? Destination::File : Destination::EditBox);
    QCOMPARE(choice.path, expectedPath);
}

void tst_Delivery::editedTweakDialogue_data()
{
    QTest::addColumn<QString>("pathBox");
    QTest::addColumn<Answer>("newPath");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("warns");
    QTest::addColumn<QString>("expectedPath");

    QTest::newRow("placeholder warns, then kept")
        << "Enter Path..." << Answer::No << "" << true << "Enter Path...";
    QTest::newRow("placeholder warns, then a typed path")
        << "Enter Path..." << Answer::Yes << "/tmp/e.cfg" << true << "/tmp/e.cfg";
    QTest::newRow("the reset's sentence is a path like any other")
        << "Enter path where you want to safe your file" << Answer::No << "" << false
        << "Enter path where you want to safe your file";
    QTest::newRow("empty path box, no warning") << "" << Answer::No << "" << false << "";
    QTest::newRow("placeholder with a trailing blank, no warning")
        << "Enter Path... " << Answer::No << "" << false << "Enter Path... ";
    QTest::newRow("cancelled input gives the empty path")
        << "/tmp/e.cfg" << Answer::Yes << "" << false << "";
}

void tst_Delivery::editedTweakDialogue()
{
    QFETCH(QString, pathBox);
    QFETCH(Answer, newPath);
    QFETCH(QString, typed);
    QFETCH(bool, warns);
    QFETCH(QString, expectedPath);

    ScriptedDialogs dialogs;
    dialogs.answers = {Answer::Ok, newPath};
    if (warns)
        dialogs.answers.prepend(Answer::Ok);
    if (newPath == Answer::Yes)
        dialogs.inputs = {typed};

    const QString path = delivery::askEditedTweakPath(dialogs, pathBox, mainWindow);

    QStringList expected;
    if (warns)
        expected << notSpecified;
    expected << ifSpecifiedEdited << yesOrNo;
    if (newPath == Answer::Yes)
        expected << specify;
    QCOMPARE(dialogs.prompts(), expected);
    QCOMPARE(dialogs.unscripted, 0);
    for (const auto& box : std::as_const(dialogs.shown)) {
        QCOMPARE(box.title, QString());
        if (box.kind == Kind::Message)
            QCOMPARE(box.buttons, box.prompt == yesOrNo ? Buttons::YesNo : Buttons::Ok);
    }
    QCOMPARE(path, expectedPath);
}

void tst_Delivery::textsComeFromTheAskingWindow()
{
    const delivery::WindowTexts other{u"(no path)", u"Another window"};
    ScriptedDialogs dialogs;
    dialogs.answers = {Answer::Ok,  Answer::Ok, Answer::No, Answer::Ok,
                       Answer::Yes, Answer::Ok, Answer::Ok, Answer::No};
    delivery::askDelivery(dialogs, QStringLiteral("(no path)"), other);
    delivery::askEditedTweakPath(dialogs, QStringLiteral("(no path)"), other);
    QCOMPARE(dialogs.prompts().at(0), notSpecified);
    QCOMPARE(dialogs.shown.at(4).title, QStringLiteral("Another window"));
    QCOMPARE(dialogs.prompts().at(5), notSpecified);
    QCOMPARE(dialogs.unscripted, 0);
}

void tst_Delivery::writesExactlyTheTextAndOneLineEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("umask");
    QTest::addColumn<int>("mode"); // of the new file
    QTest::addColumn<TemporaryFile>("temporary");

    const auto unnamed = TemporaryFile::UnnamedWherePossible;
    QTest::newRow("a tweak") << " g_showBrass 0 r_shadows (0)"
                             << QByteArray(" g_showBrass 0 r_shadows (0)") + lineEnd << 022 << 0644
                             << unnamed;
    QTest::newRow("empty edit box gives a single line end")
        << "" << lineEnd << 027 << 0640 << TemporaryFile::Named;
    QTest::newRow("typed non-ASCII text is kept as UTF-8")
        << QString::fromUtf8("seta r_gamma \"1,2\" // Doom³ für Spieler — 日本")
        << QByteArray("seta r_gamma \"1,2\" // Doom\xC2\xB3 f\xC3\xBCr Spieler \xE2\x80\x94 "
                      "\xE6\x97\xA5\xE6\x9C\xAC") +
               lineEnd
        << 002 << 0664 << unnamed;
    const QString large = QString(200000, u'x');
    QTest::newRow("a 200,000-character edit box whole")
        << large << large.toLatin1() + lineEnd << 077 << 0600 << TemporaryFile::Named;
}

void tst_Delivery::writesExactlyTheTextAndOneLineEnd()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(int, umask);
    QFETCH(int, mode);
    QFETCH(TemporaryFile, temporary);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("tweak.cfg"));

    ScriptedDialogs dialogs;
    const mode_t before = ::umask(mode_t(umask));
    QVERIFY(delivery::writeTweakFile(dialogs, path, text));
    QVERIFY(!writeFileWhole(path + u'2', bytes, temporary));
    ::umask(before);
    QVERIFY(dialogs.shown.isEmpty()); // success is not announced
    QCOMPARE(readAll(path), bytes);
    QCOMPARE(readAll(path + u'2'), bytes);
    struct stat made, made2;
    QVERIFY(::stat(QFile::encodeName(path), &made) == 0 &&
            ::stat(QFile::encodeName(path + u'2'), &made2) == 0);
    QCOMPARE(made.st_mode & 07777, mode_t(mode)); // as any new file, the umask taken off 0666
    QCOMPARE(made2.st_mode & 07777, mode_t(mode));
    QCOMPARE(QString::fromUtf8(readAll(path).chopped(lineEnd.size())), text);
    // Nothing else is left beside them.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"tweak.cfg", "tweak.cfg2"}));
}

void tst_Delivery::replacesAnExistingFileWhole()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tweak.cfg"));
    QVERIFY(writeRaw(path, QByteArray(5000, 'o')));
    ScriptedDialogs dialogs;
    QVERIFY(delivery::writeTweakFile(dialogs, path, QStringLiteral("short")));
    QCOMPARE(readAll(path), QByteArray("short") + lineEnd);
}

void tst_Delivery::replacingKeepsOwnerGroupModeAndAcl_data()
{
    QTest::addColumn<QString>("setup"); // a script for the old file, $0
    QTest::newRow("a file in group games") << "chown :games \"$0\" && chmod 664 \"$0\"";
    QTest::newRow("a read-only file") << "chmod 444 \"$0\"";
    QTest::newRow("a file only it and its group may read")
        << "chown :games \"$0\"; chmod 440 \"$0\"";
    QTest::newRow("the player's file saved by root") << "chown nobody:nogroup \"$0\"";
    QTest::newRow("an ACL entry for another user") << "setfacl -m u:nobody:rw \"$0\"";
}

void tst_Delivery::replacingKeepsOwnerGroupModeAndAcl()
{
    QFETCH(QString, setup);
    if (::geteuid() != 0)
        QSKIP("only root can give a file to another owner or group");
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tweak.cfg"));
    QVERIFY(writeRaw(path, "old tweak\n"));
    QCOMPARE(shell(setup, path), QByteArray());
    const QString getfacl = QStringLiteral("getfacl -p \"$0\""), inode = "stat -c %i \"$0\"";
    const QByteArray owned = shell(getfacl, path), oldInode = shell(inode, path);
    QVERIFY2(owned.contains("# owner"), owned);

    ScriptedDialogs dialogs;
    QVERIFY(delivery::writeTweakFile(dialogs, path, QStringLiteral("new")));
    QCOMPARE(readAll(path), "new" + lineEnd);
    QVERIFY(shell(inode, path) != oldInode); // a new file, not the old one rewritten
    QCOMPARE(shell(getfacl, path), owned);   // owner, group, mode bits and ACL entries
}

void tst_Delivery::savesWhereThePathLeads_data()
{
    QTest::addColumn<QString>("path"); // relative to the working folder
    QTest::addColumn<bool>("link");
    QTest::addColumn<QString>("landing");
    QTest::newRow("the placeholder") << "Enter Path..." << false << "Enter Path...";
    QTest::newRow("a trailing blank") << "my tweak " << false << "my tweak ";
    QTest::newRow("the player's own link, sticky folder") << "sticky/mine" << true << "target.cfg";
    QTest::newRow("the folder owner's link, sticky") << "sticky/owners" << true << "target.cfg";
    QTest::newRow("a dangling link makes its target") << "dangling" << true << "new.cfg";
}

void tst_Delivery::savesWhereThePathLeads()
{
    QFETCH(QString, path);
    QFETCH(bool, link);
    QFETCH(QString, landing);
    QTemporaryDir folder;
    // Where root may, the sticky folder and one link in it belong to another user.
    QCOMPARE(shell("cd \"$0\" && mkdir -m 1777 sticky && echo old >target.cfg && "
                   "ln -s ../target.cfg sticky/mine && ln -s ../target.cfg sticky/owners && "
                   "ln -s new.cfg dangling && if [ $(id -u) = 0 ]; then "
                   "chown 4243 sticky && chown -h 4243 sticky/owners; fi",
                   folder.path()),
             QByteArray());
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    ScriptedDialogs dialogs;
    const bool written = delivery::writeTweakFile(dialogs, path, QStringLiteral("t"));
    QDir::setCurrent(before);
    QVERIFY(written);
    QCOMPARE(readAll(folder.filePath(landing)), "t" + lineEnd);
    QCOMPARE(QFileInfo(folder.filePath(path)).isSymLink(), link);
    QCOMPARE(QDir(folder.path()).entryList({".*"}, QDir::Files | QDir::Hidden), {});
}

void tst_Delivery::failuresAreToldAndChangeNothing_data()
{
    QTest::addColumn<QString>("relativePath"); // within a fresh folder; "" is the empty path
    QTest::addColumn<Runner>("runner");
    QTest::addColumn<QString>("reason"); // words the message must hold

    QTest::newRow("empty path") << "" << Direct << "No file name";
    QTest::newRow("missing folder") << "no such folder/tweak.cfg" << Direct << "No such file";
    QTest::newRow("a folder at the path") << "a folder" << Direct << "a folder";
    QTest::newRow("no permission") << "locked/tweak.cfg" << AsNobody << "Permission denied";
    QTest::newRow("a read-only folder") << "read-only/tweak.cfg" << AsNobody << "The folder";
    QTest::newRow("another user's link, sticky folder") << "sticky/tweak.cfg" << Direct << "link";
    QTest::newRow("a link loop") << "loop" << Direct << "Too many levels";
    QTest::newRow("a NUL in the name") << QString::fromLatin1("t\0.cfg", 6) << Direct << "NUL";
    QTest::newRow("a pipe nobody reads") << "pipe" << Direct << "no program is reading";
    QTest::newRow("a pipe whose reader leaves early") << "pipe" << WithReader << "closed it";
    QTest::newRow("a very long path, shortened")
        << "no such folder/" + QString(250, u'x') << Direct << "No such file";
    // Both parities, so that each end of the cut falls inside a pair once.
    const QString faces = QString::fromUtf8("😀").repeated(150);
    QTest::newRow("a long path of surrogate pairs")
        << "no such folder/" + faces << Direct << "No such";
    QTest::newRow("the same, shifted by one") << "no such folder/x" + faces << Direct << "No such";
    QTest::newRow("another user's pipe, sticky folder")
        << "sticky/pipe" << Direct << "another user";
    QTest::newRow("a new file under /proc") << "/proc/quenzar.cfg" << Direct << "/proc or /sys";
    QTest::newRow("a new file under /sys") << "/sys/quenzar.cfg" << Direct << "/proc or /sys";
}

void tst_Delivery::failuresAreToldAndChangeNothing()
{
    QFETCH(QString, relativePath);
    QFETCH(Runner, runner);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const auto restore = qScopeGuard([&] { shell("chmod -R u+w \"$0\"", folder.path()); });
    QCOMPARE(shell("cd \"$0\" && chmod 755 . && mkdir 'a folder' && mkdir -m 1777 sticky && "
                   "mkdir locked read-only && echo old | tee locked/tweak.cfg victim.cfg >"
                   "read-only/tweak.cfg && chmod 400 locked/tweak.cfg && chmod 500 locked && "
                   "chmod 666 read-only/tweak.cfg && chmod 555 read-only && mkfifo pipe && "
                   "mkfifo sticky/pipe && ln -s ../victim.cfg sticky/tweak.cfg && ln -s loop loop",
                   folder.path()),
             QByteArray());
    const bool root = ::geteuid() == 0;
    const bool namespaced = !root && relativePath == QLatin1String("sticky/tweak.cfg");
    if (relativePath.startsWith(QStringLiteral("sticky")) && !namespaced) {
        if (!root)
            QSKIP("only root can give a pipe to another user");
        QCOMPARE(shell("chown 4243 \"$0\" && chown -h 4242 \"$0/tweak.cfg\" \"$0/pipe\"",
                       folder.filePath("sticky")),
                 QByteArray());
    }
    std::jthread reader;
    if (runner == WithReader) {
        const int end = ::open(QFile::encodeName(folder.filePath("pipe")), O_RDONLY | O_NONBLOCK);
        reader = std::jthread([end] {
            pollfd some{end, POLLIN, 0};
            ::poll(&some, 1, 10000);
            ::close(end);
        });
    }
    const QString snapshot = QStringLiteral("cd \"$0\" && ls -lAR --time-style=+ && cat */*.cfg");
    const QByteArray before = shell(snapshot, folder.path());

    // More than a pipe holds, so that a reader leaving early is met half-way. Root saves as
    // nobody where it must not override permissions.
    const QString text(200000, u'n');
    const QString path = relativePath.isEmpty() || relativePath.startsWith(u'/')
                             ? relativePath
                             : folder.filePath(relativePath);
    const bool asNobody = root && runner == AsNobody;
    QVERIFY(!asNobody || (::setegid(65534) == 0 && ::seteuid(65534) == 0));
    ScriptedDialogs dialogs;
    bool written = false;
    if (namespaced)
        dialogs.shown.append({Kind::Message,
                              toldOverRootsLink(folder.filePath(relativePath), path, text),
                              Buttons::Ok,
                              {}});
    else
        written = delivery::writeTweakFile(dialogs, path, text);
    QVERIFY(!asNobody || (::seteuid(0) == 0 && ::setegid(0) == 0));
    QVERIFY(!written);
    if (dialogs.shown.value(0).prompt.startsWith(QStringLiteral("SKIP: ")))
        QSKIP(qPrintable(dialogs.shown.value(0).prompt));

    QCOMPARE(dialogs.shown.size(), 1);
    const auto& box = dialogs.shown.first();
    QCOMPARE(box.buttons, Buttons::Ok);
    const QString shown = QDir::toNativeSeparators(path);
    if (shown.size() > 200) // the middle left out, so the box fits on the screen
        QVERIFY2(!box.prompt.contains(shown) && box.prompt.contains(shown.left(90)) &&
                     box.prompt.contains(shown.right(90)) && box.prompt.indexOf(u'\n') < 240,
                 qPrintable(box.prompt));
    else
        QVERIFY2(box.prompt.contains(shown), qPrintable(box.prompt));
    QVERIFY2(box.prompt.section(u'\n', 2).contains(reason), qPrintable(box.prompt));
    QVERIFY(box.prompt.isValidUtf16()); // no surrogate pair cut in two
    // Where no file was, the message does not speak of one.
    QVERIFY(QFileInfo::exists(path) || !box.prompt.contains(QStringLiteral("left as it was")));
    QCOMPARE(shell(snapshot, folder.path()), before);
}

void tst_Delivery::aWriteThatFailsHalfwayLeavesTheOldFile()
{
    // A file-size limit makes the write fail part of the way through, as a full disk would.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tweak.cfg"));
    const QByteArray old = "the tweak that was there\n";
    QVERIFY(writeRaw(path, old));

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);

    ScriptedDialogs dialogs;
    const bool written = delivery::writeTweakFile(dialogs, path, QString(100000, u'x'));
    const bool fresh = delivery::writeTweakFile(dialogs, path + u'2', QString(100000, u'x'));

    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written && !fresh);
    QCOMPARE(dialogs.shown.size(), 2);
    QVERIFY(dialogs.shown.first().prompt.contains(path));
    // Only a file that was there is "left as it was".
    QVERIFY(dialogs.shown.first().prompt.contains(QStringLiteral("left as it was")));
    QVERIFY(!dialogs.shown.last().prompt.contains(QStringLiteral("left as it was")));
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tweak.cfg"});
}

void tst_Delivery::aSaveCutShortLeavesNothingBehind_data()
{
    QTest::addColumn<TemporaryFile>("temporary");
    QTest::addColumn<int>("leftAfterKill");
    QTest::newRow("an unnamed new file") << TemporaryFile::UnnamedWherePossible << 0;
    QTest::newRow("a named one, cleared by the next save") << TemporaryFile::Named << 1;
}

void tst_Delivery::aSaveCutShortLeavesNothingBehind()
{
    QFETCH(TemporaryFile, temporary);
    QFETCH(int, leftAfterKill);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tweak.cfg"));
    // What a save must leave alone: another name pattern, another file's, a link, and (where
    // root can make one) another user's file of the pattern.
    QCOMPARE(shell("cd \"$0\" && echo old >tweak.cfg && touch .tweak.cfg.quenzar-zz "
                   ".other.cfg.quenzar-0000abcd && ln -s tweak.cfg .tweak.cfg.quenzar-0000beef && "
                   "{ [ $(id -u) != 0 ] || { touch .tweak.cfg.quenzar-00c0ffee && "
                   "chown 4242 .tweak.cfg.quenzar-00c0ffee; }; }",
                   folder.path()),
             QByteArray());
    const QStringList kept =
        QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);

    // A child saves 100 MB and is killed as soon as its new file is open.
    const QByteArray large(100 << 20, 'x');
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(writeFileWhole(path, large, temporary) ? 1 : 0);
    const QString fds = QStringLiteral("/proc/%1/fd").arg(child);
    bool caught = false;
    for (QDeadlineTimer deadline(20000); !caught && !deadline.hasExpired();) {
        for (const QString& fd : QDir(fds).entryList(QDir::AllEntries | QDir::System))
            caught =
                caught || QFile::symLinkTarget(fds + u'/' + fd).startsWith(folder.path() + '/');
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    QVERIFY2(caught, "the save was never seen writing");
    QCOMPARE(readAll(path), "old\n");
    const QStringList afterKill = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(afterKill.size() - kept.size(), leftAfterKill);

    QVERIFY(!writeFileWhole(path, "new\n", temporary));
    QCOMPARE(readAll(path), "new\n");
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), kept);
}

void tst_Delivery::anAppendOnlyFolderIsFoundOutFirst()
{
    // An ext4 image of its own, since few test machines let chattr +a their temporary folder.
    QTemporaryDir folder;
    const QString image = folder.filePath("fs.img");
    const QByteArray made =
        shell("truncate -s 8M \"$0\" && mkfs.ext4 -q \"$0\" && mkdir \"$0.d\"", image);
    if (!made.isEmpty())
        QSKIP(qPrintable("no ext4 image could be made: " + made));
    const QByteArray mounted = shell("mount -o loop \"$0\" \"$0.d\"", image);
    if (!mounted.isEmpty())
        QSKIP(qPrintable("this machine does not let the tests mount an image: " + mounted));
    const auto unmount =
        qScopeGuard([&] { shell("chattr -a \"$0.d/a\"; umount \"$0.d\"", image); });
    const QString dir = image + QStringLiteral(".d/a");
    QCOMPARE(shell("mkdir \"$0\" && echo old >\"$0/old.cfg\" && chattr +a \"$0\"", dir),
             QByteArray());
    for (const QString name : {"old.cfg", "new.cfg"}) {
        ScriptedDialogs dialogs;
        QVERIFY(!delivery::writeTweakFile(dialogs, dir + u'/' + name, QStringLiteral("t")));
        const QString told = dialogs.shown.value(0).prompt;
        QVERIFY2(told.contains(QStringLiteral("append-only")) &&
                     !told.contains(QStringLiteral("left as it was")),
                 qPrintable(told));
        // Nothing was made that could never be removed again.
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"old.cfg"});
    }
    QCOMPARE(readAll(dir + "/old.cfg"), "old\n");
}

void tst_Delivery::diskFullIsReported()
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("this system has no /dev/full");
    ScriptedDialogs dialogs;
    QVERIFY(!delivery::writeTweakFile(dialogs, QStringLiteral("/dev/full"), QStringLiteral("t")));
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY2(
        dialogs.shown.first().prompt.contains(QStringLiteral("/dev/full")) &&
            dialogs.shown.first().prompt.contains(QStringLiteral("space"), Qt::CaseInsensitive),
        qPrintable(dialogs.shown.first().prompt));
    // The device is still a device, not a file renamed over it.
    QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
    ScriptedDialogs quiet;
    QVERIFY(delivery::writeTweakFile(quiet, QStringLiteral("/dev/null"), QStringLiteral("t")));
    QVERIFY(quiet.shown.isEmpty());
}

QTEST_GUILESS_MAIN(tst_Delivery)
#include "tst_delivery.moc"
