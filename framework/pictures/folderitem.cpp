#include "framework/pictures/folderitem.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <span>

#include "framework/core/exceptions.h"
#include "framework/pictures/pictdecoder.h"

namespace {

// No picture the program shows comes near this; a larger file is not read into memory.
constexpr qint64 kMaxPictureFileSize = 64 << 20;

std::optional<std::string>& ApplicationFileOverride()
{
    static std::optional<std::string> path;
    return path;
}

QString ToQString(const std::string& s)
{
    return QString::fromStdString(s);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

bool IsRegularFileWithin(const struct stat& status, qint64 limit)
{
    return S_ISREG(status.st_mode) && status.st_size <= limit;
}

// The whole of the regular file at `path` (links followed); nothing when it is missing,
// unreadable, longer than `limit`, or not a regular file. Opening a FIFO waits for a writer,
// a device such as /dev/zero never ends, and some devices act on being opened, so anything
// else is refused before it is opened.
std::optional<QByteArray> ReadRegularFile(const std::string& path, qint64 limit)
{
    // A NUL would end the name early and name some other file.
    struct stat status {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &status) != 0 ||
        !IsRegularFileWithin(status, limit)) {
        return std::nullopt;
    }
    // The path can be replaced between stat() and open(): O_NONBLOCK keeps a FIFO put there
    // from blocking, and fstat() checks what was actually opened.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 ||
        !IsRegularFileWithin(status, limit)) {
        return std::nullopt;
    }
    // Reading one byte past the limit refuses a file that has grown since, rather than cutting it.
    // The file is read straight into the array, which has room for one byte more than it held.
    QByteArray bytes(status.st_size + 1, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit) {
                return std::nullopt;
            }
            bytes.resize(std::min<qint64>(2 * filled, limit + 1));
        }
        const ssize_t count = ::read(file.Get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (count == 0) {
            bytes.truncate(filled);
            return bytes;
        }
        if (count > 0) {
            filled += count;
        } else if (errno != EINTR) {
            return std::nullopt;
        }
    }
}

std::shared_ptr<Picture> PictureFromPict(const QByteArray& bytes)
{
    std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                  static_cast<size_t>(bytes.size()));
    std::optional<DecodedImage> decoded = DecodePict(data);
    if (!decoded) {
        return nullptr;
    }
    QImage image(decoded->width, decoded->height, QImage::Format_ARGB32);
    if (image.isNull()) {
        return nullptr;
    }
    const size_t rowBytes = static_cast<size_t>(decoded->width) * sizeof(uint32_t);
    for (int y = 0; y < decoded->height; ++y) {
        std::memcpy(image.scanLine(y), decoded->argb.data() + static_cast<size_t>(y) * decoded->width,
                    rowBytes);
    }
    return std::make_shared<Picture>(std::move(image));
}

std::shared_ptr<Picture> PictureFromImageData(const QByteArray& bytes)
{
    // No format is named, so Qt recognises the format by the contents, whatever the file's name.
    QImage image = QImage::fromData(bytes);
    if (image.isNull()) {
        return nullptr;
    }
    return std::make_shared<Picture>(std::move(image));
}

}  // namespace

FolderItem::FolderItem(const std::string& path)
    : path_(QDir::cleanPath(QFileInfo(ToQString(path)).absoluteFilePath()).toStdString())
{
}

std::shared_ptr<FolderItem> FolderItem::Child(const std::string& name) const
{
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos) {
        return nullptr;
    }
    std::string separator = path_.ends_with('/') ? "" : "/";
    return std::make_shared<FolderItem>(path_ + separator + name);
}

std::shared_ptr<FolderItem> FolderItem::Parent() const
{
    QFileInfo info(ToQString(path_));
    if (info.isRoot()) {
        return nullptr;
    }
    return std::make_shared<FolderItem>(info.absolutePath().toStdString());
}

std::string FolderItem::Path() const
{
    return path_;
}

std::shared_ptr<Picture> FolderItem::OpenAsPicture() const
{
    try {
        std::optional<QByteArray> bytes = ReadRegularFile(path_, kMaxPictureFileSize);
        if (!bytes) {
            return nullptr;
        }
        if (QFileInfo(ToQString(path_)).suffix().compare("pict", Qt::CaseInsensitive) == 0) {
            return PictureFromPict(*bytes);
        }
        return PictureFromImageData(*bytes);
    } catch (const std::exception&) {
        // Out of memory while reading a picture: the caller goes without it.
        return nullptr;
    }
}

std::shared_ptr<FolderItem> GetApplicationBundleResources()
{
    const std::optional<std::string>& override = ApplicationFileOverride();
    std::string appPath =
        override ? *override : QCoreApplication::applicationFilePath().toStdString();
    if (appPath.empty()) {
        throw NilObjectException("the application file is not known");
    }
    std::shared_ptr<FolderItem> folder = FolderItem(appPath).Parent();
    if (!folder) {
        throw NilObjectException("the application file has no parent folder");
    }
    std::shared_ptr<FolderItem> bundle = folder->Parent();
    if (!bundle) {
        throw NilObjectException("the application's folder has no parent folder");
    }
    std::shared_ptr<FolderItem> resources = bundle->Child("Resources");
    // A missing folder means the program has no resources: callers get nil and go without.
    if (!QFileInfo(ToQString(resources->Path())).isDir()) {
        return nullptr;
    }
    return resources;
}

void SetApplicationFileForTesting(std::optional<std::string> path)
{
    ApplicationFileOverride() = std::move(path);
}
