#include "platform/textfile.h"

#include <QCoreApplication>

#ifdef Q_OS_WIN

#include <QSaveFile>

namespace quenzar {

std::optional<QString> writeFileWhole(const QString& path, const QByteArray& bytes, TemporaryFile)
{
    if (path.isEmpty())
        return QCoreApplication::translate("quenzar", "No file name was given.");
    if (path.contains(QChar(0)))
        return QCoreApplication::translate("quenzar",
                                           "The path holds a NUL character, which no file name "
                                           "can contain.");

    // Written beside the target under another name and renamed over it at the end. Where the
    // folder takes no new file the old one is left alone rather than rewritten in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace quenzar

#else

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cctype>

#include <cerrno>
#include <climits>
#include <csignal>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <poll.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

namespace quenzar {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("quenzar", text);
}

// A sentence about what went wrong, with the operating system's own words for why.
QString because(const char* sentence, int error)
{
    return tr(sentence).arg(qt_error_string(error));
}

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(Fd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Fd& operator=(Fd&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd;
};

// While it lives, a closed pipe or the file-size limit makes a write on this thread fail with
// EPIPE or EFBIG instead of ending the program; the signals raised meanwhile are taken back.
class QuietWrites
{
public:
    QuietWrites()
    {
        sigemptyset(&m_quiet);
        sigaddset(&m_quiet, SIGPIPE);
        sigaddset(&m_quiet, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &m_quiet, &m_before);
        sigpending(&m_pendingBefore);
    }
    QuietWrites(const QuietWrites&) = delete;
    QuietWrites& operator=(const QuietWrites&) = delete;
    ~QuietWrites()
    {
        sigset_t pending;
        sigpending(&pending);
        for (const int signal : {SIGPIPE, SIGXFSZ}) {
            if (!sigismember(&pending, signal) || sigismember(&m_pendingBefore, signal))
                continue;
            sigset_t one;
            sigemptyset(&one);
            sigaddset(&one, signal);
            const timespec now{};
            sigtimedwait(&one, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
    }

private:
    sigset_t m_quiet;
    sigset_t m_before;
    sigset_t m_pendingBefore;
};

// A reader of a pipe that takes nothing for this long is given up on.
constexpr int stalledPipeMs = 5000;

// Writes all of `bytes`; returns 0 or the error. A device that is not ready is waited for.
int writeAll(int fd, const QByteArray& bytes)
{
    QuietWrites quiet;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n == 0) {
            return EIO;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd ready{fd, POLLOUT, 0};
            const int polled = ::poll(&ready, 1, stalledPipeMs);
            if (polled == 0)
                return ETIMEDOUT;
            if (polled < 0 && errno != EINTR)
                return errno;
        } else if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

// Where the file goes: its folder, its name there and what is there now, if anything.
struct Place
{
    Fd folder;
    QByteArray name;
    std::optional<struct stat> existing;
    QString failure;           // not empty when the path cannot be followed to a place
    bool opensThrough = false; // a /proc link to an open pipe: only opening it reaches the pipe
};

bool underProc(int folder)
{
    struct statfs fs;
    return ::fstatfs(folder, &fs) == 0 &&
           (fs.f_type == PROC_SUPER_MAGIC || fs.f_type == SYSFS_MAGIC);
}

// The kernel's protected-symlinks and protected-FIFOs rules, applied whatever the system's
// setting: in a sticky folder that everyone may write to, a link is followed and a pipe or
// device written to only when it belongs to the player or to the folder's owner, since anyone
// else could have planted it there.
bool trusted(int folder, const struct stat& entry)
{
    struct stat dir;
    if (::fstat(folder, &dir) != 0)
        return false;
    if ((dir.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH))
        return true;
    return entry.st_uid == ::geteuid() || entry.st_uid == dir.st_uid;
}

// Follows the path one name at a time, links included, so that each link is judged in the
// folder it lies in. The last name is not followed into: it is the place itself.
Place locate(const QByteArray& path)
{
    constexpr int maxLinks = 40; // as the kernel
    constexpr int dirFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    Place place;
    place.folder = Fd(::open(path.startsWith('/') ? "/" : ".", dirFlags));
    const QList<QByteArray> parts = path.split('/');
    std::deque<QByteArray> todo(parts.begin(), parts.end());
    int links = 0;
    const auto cannotFollow = [&](int error) {
        place.failure = error == ELOOP
                            ? because("The links in the path lead round in a circle "
                                      "or too deep (%1).",
                                      error)
                            : because("The path cannot be followed to the file (%1).", error);
        return std::move(place);
    };
    if (!place.folder)
        return cannotFollow(errno);
    for (;;) {
        while (!todo.empty() && (todo.front().isEmpty() || todo.front() == "."))
            todo.pop_front();
        if (todo.empty()) {
            place.failure = because("It is a folder, not a file (%1).", EISDIR);
            return place;
        }
        const QByteArray name = todo.front();
        todo.pop_front();
        const bool last = todo.empty();
        struct stat st;
        if (name != ".." &&
            ::fstatat(place.folder.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT || !last)
                return cannotFollow(errno);
            place.name = name;
            return place;
        }
        if (name != ".." && S_ISLNK(st.st_mode)) {
            if (++links > maxLinks)
                return cannotFollow(ELOOP);
            if (!trusted(place.folder.get(), st)) {
                place.failure = tr("The path goes through a link that another user owns in a "
                                   "folder that everyone may write to (such as /tmp). Such a "
                                   "link could send the tweak anywhere, so it is not followed.");
                return place;
            }
            QByteArray target(PATH_MAX, '\0');
            const ssize_t n =
                ::readlinkat(place.folder.get(), name.constData(), target.data(), PATH_MAX);
            if (n < 0 || n >= PATH_MAX)
                return cannotFollow(n < 0 ? errno : ENAMETOOLONG);
            target.truncate(n);
            // /dev/stdout into a pipe ends in a link such as "pipe:[123]", a name of no folder.
            if (last && !target.startsWith('/') && underProc(place.folder.get()) &&
                ::fstatat(place.folder.get(), name.constData(), &st, 0) == 0) {
                place.name = name;
                place.existing = st;
                place.opensThrough = true;
                return place;
            }
            if (target.startsWith('/'))
                place.folder = Fd(::open("/", dirFlags));
            const QList<QByteArray> more = target.split('/');
            todo.insert(todo.begin(), more.begin(), more.end());
            continue;
        }
        if (last && name != "..") {
            place.name = name;
            place.existing = st;
            return place;
        }
        Fd next(::openat(place.folder.get(), name.constData(), dirFlags | O_NOFOLLOW));
        if (!next)
            return cannotFollow(errno);
        place.folder = std::move(next);
    }
}

// Gives `to` the extended attributes of `from` (the ACL among them), and no others, as far as
// the system allows.
void copyAttributes(int from, int to)
{
    const auto names = [](int fd) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        QByteArray list(size > 0 ? size : 0, '\0');
        const ssize_t got = size > 0 ? ::flistxattr(fd, list.data(), size_t(size)) : 0;
        list.truncate(got > 0 ? got : 0);
        list.chop(1); // each name ends in a NUL
        return list.isEmpty() ? QList<QByteArray>() : list.split('\0');
    };
    const QList<QByteArray> wanted = names(from);
    for (const QByteArray& name : names(to)) {
        if (!wanted.contains(name))
            ::fremovexattr(to, name.constData());
    }
    for (const QByteArray& name : wanted) {
        const ssize_t size = ::fgetxattr(from, name.constData(), nullptr, 0);
        QByteArray value(size > 0 ? size : 0, '\0');
        if (size >= 0 && ::fgetxattr(from, name.constData(), value.data(), size_t(size)) == size)
            ::fsetxattr(to, name.constData(), value.constData(), size_t(size), 0);
    }
}

// The old file's owner, group, mode and ACL for the new one, as far as the system allows: a
// player cannot give a file away, but may keep a group they belong to.
void copyOwnership(const Place& place, int to)
{
    const struct stat& old = *place.existing;
    if (::fchown(to, old.st_uid, old.st_gid) != 0)
        (void)!::fchown(to, uid_t(-1), old.st_gid);
    const Fd from(::openat(place.folder.get(), place.name.constData(),
                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (from)
        copyAttributes(from.get(), to);
    ::fchmod(to, old.st_mode & 07777);
}

// The name a save gives its new file while it is being written, where it needs one: hidden,
// beside the file, and recognisable as this program's own.
QByteArray spareStem(const QByteArray& name)
{
    return '.' + name.left(200) + ".quenzar-";
}

QByteArray spareName(const QByteArray& name)
{
    return spareStem(name) +
           QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0');
}

// Leftovers of earlier saves of the same file that were cut short (a crash, a power cut): this
// program's own spare names, regular files of the player's that no save is writing now (each
// save holds a lock on its new file). Nothing else in the folder is touched.
void clearLeftovers(int folder, const QByteArray& name)
{
    const QByteArray stem = spareStem(name);
    DIR* dir = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray found(entry->d_name);
        const QByteArray tail = found.mid(stem.size());
        if (!found.startsWith(stem) || tail.isEmpty() || tail.size() > 8 ||
            !std::all_of(tail.begin(), tail.end(),
                         [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }))
            continue;
        const Fd spare(::openat(folder, found.constData(),
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat opened, there;
        if (!spare || ::fstat(spare.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            opened.st_uid != ::geteuid() || ::flock(spare.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        if (::fstatat(folder, found.constData(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
            there.st_ino == opened.st_ino && there.st_dev == opened.st_dev)
            ::unlinkat(folder, found.constData(), 0);
    }
    ::closedir(dir);
}

// Why nothing can be saved in this folder whatever the permissions say, found out before
// anything is written; nothing when it is an ordinary folder.
std::optional<QString> unfitFolder(int folder)
{
    if (underProc(folder))
        return tr("It is under /proc or /sys, where the system shows its own state as files; "
                  "nothing can be saved there.");
    const Fd dir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
    int flags = 0;
    if (dir && ::ioctl(dir.get(), FS_IOC_GETFLAGS, &flags) == 0 &&
        (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)))
        return tr("The folder is marked append-only or immutable (chattr): a new file could be "
                  "added to it but never renamed or removed, so nothing was written.");
    return std::nullopt;
}

// The file a save writes before it takes the target's place: unnamed where the file system
// allows, so that a save cut short leaves nothing behind; else under a spare name.
struct Spare
{
    Fd file;
    QByteArray name; // empty while the file has no name
    int error = 0;   // why no file could be made
};

Spare makeSpare(int folder, const Place& place, bool unnamed)
{
    // An old file's mode comes over later; a new one gets the usual mode less the umask.
    const mode_t mode = place.existing ? 0600 : 0666;
    Spare spare;
    if (unnamed) {
        spare.file = Fd(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
        if (!spare.file && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            spare.error = errno;
    }
    for (int attempt = 0; attempt < 100 && !spare.file && !spare.error; ++attempt) {
        spare.name = spareName(place.name);
        spare.file = Fd(::openat(folder, spare.name.constData(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (!spare.file && errno != EEXIST)
            spare.error = errno;
    }
    if (spare.file)
        ::flock(spare.file.get(), LOCK_EX | LOCK_NB); // tells clearLeftovers it is in use
    else if (!spare.error)
        spare.error = EEXIST;
    return spare;
}

// Gives the unnamed file a spare name beside the target, just before it takes its place.
int nameSpare(Spare& spare, int folder, const Place& place)
{
    const QByteArray viaProc = "/proc/self/fd/" + QByteArray::number(spare.file.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        spare.name = spareName(place.name);
        if (::linkat(spare.file.get(), "", folder, spare.name.constData(), AT_EMPTY_PATH) == 0 ||
            ::linkat(AT_FDCWD, viaProc.constData(), folder, spare.name.constData(),
                     AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (errno != EEXIST)
            break;
    }
    const int error = errno;
    spare.name.clear();
    return error;
}

// A new file is made beside the old one, written, flushed to the disk, given the old one's
// ownership and renamed over it: the old file is never opened for writing, so until the rename
// it stays as it was, and after it the new one is there whole.
std::optional<QString> replace(const Place& place, const QByteArray& bytes, bool unnamed)
{
    const int folder = place.folder.get();
    if (const auto unfit = unfitFolder(folder))
        return unfit;
    clearLeftovers(folder, place.name);
    Spare spare = makeSpare(folder, place, unnamed);
    if (!spare.file) {
        const int error = spare.error;
        if (error != EACCES && error != EPERM && error != EROFS)
            return because("No new file can be made in the folder (%1).", error);
        if (!place.existing)
            return because("The folder does not let a new file be made in it (%1).", error);
        return because("The folder does not let a new file be made in it (%1). The tweak is "
                       "saved by putting a new file in place of the old one, so the file there "
                       "was left as it was.",
                       error);
    }
    // Only an old file is "left as it was"; a new one simply is not there.
    const auto fail = [&](const char* sentence, int error) {
        if (!spare.name.isEmpty())
            ::unlinkat(folder, spare.name.constData(), 0);
        QString reason = because(sentence, error);
        if (place.existing)
            reason += u' ' + tr("The file there was left as it was.");
        return reason;
    };
    if (const int error = writeAll(spare.file.get(), bytes))
        return fail("Writing the new file failed (%1).", error);
    if (place.existing)
        copyOwnership(place, spare.file.get());
    if (::fdatasync(spare.file.get()) != 0)
        return fail("The new file could not be put safely on the disk (%1).", errno);
    if (spare.name.isEmpty()) {
        if (const int error = nameSpare(spare, folder, place)) {
            // Without /proc and without the right to link by descriptor, a named file does.
            if (error == ENOENT || error == EPERM || error == EOPNOTSUPP)
                return replace(place, bytes, false);
            return fail("The new file could not be put in the folder (%1).", error);
        }
    }
    if (::renameat(folder, spare.name.constData(), folder, place.name.constData()) != 0)
        return fail("The new file could not take the old one's place (%1).", errno);
    // Kept open, and locked, until here, so that no other save takes it for a leftover.
    ::close(spare.file.release());
    // The rename is only lasting once the folder is on the disk too; where the folder cannot be
    // opened for that, the file is in place all the same.
    const Fd flush(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (flush)
        ::fsync(flush.get());
    return std::nullopt;
}

// A pipe or a character device cannot be replaced by renaming a file over it; it is written in
// place. It is opened without waiting, so a pipe nobody reads is told at once.
std::optional<QString> writeInPlace(const Place& place, const QByteArray& bytes)
{
    const Fd device(::openat(place.folder.get(), place.name.constData(),
                             O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC |
                                 (place.opensThrough ? 0 : O_NOFOLLOW)));
    if (!device && errno == ENXIO && S_ISFIFO(place.existing->st_mode))
        return tr("It is a pipe that no program is reading from, so the tweak has nowhere to go.");
    struct stat opened;
    if (!device || ::fstat(device.get(), &opened) != 0)
        return because("It cannot be opened for writing (%1).", errno);
    if ((opened.st_mode & S_IFMT) != (place.existing->st_mode & S_IFMT))
        return tr("It was swapped for something else while it was being opened, so it was not "
                  "written.");
    switch (const int error = writeAll(device.get(), bytes)) {
    case 0:
        return std::nullopt;
    case EPIPE:
        return because("The program reading from the pipe closed it before the whole tweak was "
                       "written (%1).",
                       error);
    case ETIMEDOUT:
        return tr("The program reading from it stopped taking the tweak.");
    default:
        return because("Writing failed (%1).", error);
    }
}

} // namespace

std::optional<QString> writeFileWhole(const QString& path, const QByteArray& bytes,
                                      TemporaryFile temporary)
{
    if (path.isEmpty())
        return tr("No file name was given.");
    if (path.contains(QChar(0)))
        return tr("The path holds a NUL character, which no file name can contain.");

    const bool unnamed = temporary == TemporaryFile::UnnamedWherePossible;
    const Place place = locate(QFile::encodeName(path));
    if (!place.failure.isEmpty())
        return place.failure;
    if (!place.existing)
        return replace(place, bytes, unnamed);
    const mode_t type = place.existing->st_mode & S_IFMT;
    if (type == S_IFDIR)
        return because("It is a folder, not a file (%1).", EISDIR);
    if (type != S_IFREG && !trusted(place.folder.get(), *place.existing))
        return tr("It is not a file but a pipe or device that another user owns, in a folder "
                  "that everyone may write to (such as /tmp). Anyone could have put it there to "
                  "catch the tweak, so it is not written to.");
    if (type == S_IFIFO || type == S_IFCHR)
        return writeInPlace(place, bytes);
    if (type == S_IFBLK)
        return tr("It is a disk device; a tweak is never written over a disk.");
    if (type == S_IFSOCK)
        return tr("It is a socket, which cannot be written as a file.");
    // A file the player may not write is not replaced behind their back either.
    if (::faccessat(place.folder.get(), place.name.constData(), W_OK, AT_EACCESS) != 0)
        return because("The file may not be written (%1).", errno);
    return replace(place, bytes, unnamed);
}

} // namespace quenzar

#endif
