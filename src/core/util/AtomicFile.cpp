#include "core/util/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString linkReason() {
    return u"シンボリックリンクです。リンク先は読み書きしません"_s;
}

QString notRegularReason() {
    return u"通常のファイルではありません。FIFO、デバイス、フォルダなどは開きません"_s;
}

// When a failing call left no error number, the folder itself usually tells why.
int diagnoseFolder(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    struct statvfs fs {};
    if (statvfs(folder.constData(), &fs) == 0) {
        if (fs.f_flag & ST_RDONLY) return EROFS;
        if (fs.f_bavail == 0) return ENOSPC;
    }
    if (access(folder.constData(), W_OK) != 0) return errno;
    return 0;
}

void setReason(QString* reason, const QString& text) {
    if (reason) *reason = text;
}

// The type of what stands at path, without following a link: 0 when nothing does, -1 when it cannot be told.
int lstatType(const QByteArray& path, int* error) {
    struct stat st {};
    if (lstat(path.constData(), &st) == 0) return int(st.st_mode & S_IFMT);
    *error = errno;
    return *error == ENOENT ? 0 : -1;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

} // namespace

QString fileErrorReason(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
        return u"ディスクの空き容量が足りません"_s;
    case EDQUOT:
        return u"ディスクの使用量の上限（クォータ）を超えます"_s;
    case EFBIG:
        return u"ファイルの大きさの上限を超えます"_s;
    case EACCES:
    case EPERM:
        return u"アクセスする権限がありません"_s;
    case EROFS:
        return u"読み取り専用の場所です"_s;
    case ENOENT:
        return u"ファイルまたはフォルダが見つかりません"_s;
    case ENOTDIR:
        return u"フォルダのはずの場所にフォルダがありません"_s;
    case EISDIR:
        return u"同じ名前のフォルダがあります"_s;
    case ELOOP:
        return linkReason();
    case ENXIO:
    case ENODEV:
        return notRegularReason();
    case EIO:
        return u"ディスクの読み書きでエラーが起きました"_s;
    case EMFILE:
    case ENFILE:
        return u"開いているファイルが多すぎます"_s;
    case ENAMETOOLONG:
        return u"ファイル名が長すぎます"_s;
    case EBUSY:
    case ETXTBSY:
        return u"ファイルが使用中です"_s;
    case 0:
        return u"原因は分かりません"_s;
    default:
        return u"システムのエラー %1（%2）"_s.arg(errorNumber).arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
    }
}

bool isWritableTarget(const QString& path, QString* reason) {
    int error = 0;
    const int type = lstatType(QFile::encodeName(path), &error);
    if (type == 0 || type == S_IFREG) return true;
    if (type == S_IFLNK)
        setReason(reason, linkReason());
    else if (type == -1)
        setReason(reason, fileErrorReason(error));
    else
        setReason(reason, notRegularReason());
    return false;
}

bool writeFileAtomically(const QString& path, const QByteArray& content, QString* errorString) {
    if (!isWritableTarget(path, errorString)) return false;
    // Unbuffered, because a buffered QSaveFile commits a file that a full disk cut short: the short
    // write only shows in write()'s count, and only when the data goes straight to the file.
    QSaveFile file(path);
    int error = 0;
    auto failed = [&] {
        if (error == 0) error = errno;
        return false;
    };
    errno = 0;
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || failed();
    ok = ok && (file.write(content) == content.size() || failed());
    // A link put in the file's place since the check must not be replaced by a file either.
    QString reason;
    const bool stillPlain = !ok || isWritableTarget(path, &reason);
    ok = ok && stillPlain && (file.commit() || failed());
    if (!ok) {
        if (errorString) {
            if (!stillPlain)
                *errorString = reason;
            else
                *errorString = fileErrorReason(error != 0 ? error : diagnoseFolder(path));
        }
        // The temporary file is dropped, so the previous file stays whole.
        file.cancelWriting();
    }
    return ok;
}

ReadStatus readRegularFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* reason, qint64* fileSize) {
    bytes->clear();
    const QByteArray name = QFile::encodeName(path);
    int error = 0;
    const int type = lstatType(name, &error);
    if (type == 0) return ReadStatus::Missing;
    if (type != S_IFREG) {
        setReason(reason, type == S_IFLNK ? linkReason() : type == -1 ? fileErrorReason(error) : notRegularReason());
        return ReadStatus::Failed;
    }
    // O_NONBLOCK: should a FIFO take the file's place after the check, opening it must not wait for a writer.
    Descriptor fd(::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || fstat(fd.get(), &st) != 0) {
        setReason(reason, fileErrorReason(errno));
        return ReadStatus::Failed;
    }
    if (!S_ISREG(st.st_mode)) {
        setReason(reason, notRegularReason());
        return ReadStatus::Failed;
    }
    if (fileSize) *fileSize = st.st_size;
    const qint64 wanted = std::min<qint64>(st.st_size, maxBytes);
    bytes->resize(qsizetype(wanted));
    qint64 done = 0;
    while (done < wanted) {
        const ssize_t n = ::read(fd.get(), bytes->data() + done, size_t(wanted - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            setReason(reason, fileErrorReason(errno));
            bytes->clear();
            return ReadStatus::Failed;
        }
        if (n == 0) break; // the file shrank meanwhile
        done += n;
    }
    bytes->resize(qsizetype(done));
    return st.st_size > maxBytes ? ReadStatus::TooLarge : ReadStatus::Read;
}

bool appendToFile(const QString& path, const QByteArray& bytes, const QByteArray& lineEnd, QString* reason) {
    if (!isWritableTarget(path, reason)) return false;
    const QByteArray name = QFile::encodeName(path);
    Descriptor fd(::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
    struct stat st {};
    if (fd.get() < 0 || fstat(fd.get(), &st) != 0) {
        setReason(reason, fileErrorReason(errno));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        setReason(reason, notRegularReason());
        return false;
    }
    QByteArray out = bytes;
    if (st.st_size > 0 && !lineEnd.isEmpty()) {
        // A file that another program left without its final line end would swallow the addition.
        char last = '\n';
        if (pread(fd.get(), &last, 1, st.st_size - 1) == 1 && last != '\n' && last != '\r') out.prepend(lineEnd);
    }
    const off_t before = st.st_size;
    qsizetype done = 0;
    while (done < out.size()) {
        const ssize_t n = ::write(fd.get(), out.constData() + done, size_t(out.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            // Half an addition would stand as a damaged line in the file.
            if (done > 0) [[maybe_unused]]
                const int cut = ftruncate(fd.get(), before);
            setReason(reason, fileErrorReason(error));
            return false;
        }
        done += n;
    }
    if (::close(fd.release()) != 0) {
        setReason(reason, fileErrorReason(errno));
        return false;
    }
    return true;
}
