#include "app/pictureitem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/pictures/folderitem.h"

namespace {

const QString kBuiltResources = QStringLiteral(QUORVEL_RESOURCES_DIR);

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A temporary install: <tmp>/bin/quorvel is the application file, <tmp>/Resources its pictures.
struct Install {
    Install() { SetApplicationFileForTesting(Application()); }
    ~Install() { SetApplicationFileForTesting(std::nullopt); }
    std::string Application() const { return dir.filePath("bin/quorvel").toStdString(); }
    QString Resources() const { return dir.filePath("Resources"); }
    QTemporaryDir dir;
};

// --- The four picture items ------------------------------------------------------------------

struct Item {
    const char* file;
    int width;
    int height;
};

void PrintTo(const Item& item, std::ostream* os) { *os << item.file; }

class PictureItems : public ::testing::TestWithParam<Item> {};

// An item of each of the program's files goes through every state, from an unknown
// application file to a loaded picture.
TEST_P(PictureItems, LoadOnFirstSuccessRetryWhileNilThenKeepThePicture)
{
    const Item& param = GetParam();
    PictureItem item(param.file);
    Install install;

    // The application file unknown: the exception, and nothing cached.
    SetApplicationFileForTesting("");
    EXPECT_THROW(item.Get(), NilObjectException);
    SetApplicationFileForTesting(install.Application());

    // No Resources folder: nil, no exception, and no folder made.
    EXPECT_EQ(item.Get(), nullptr);
    EXPECT_FALSE(QDir(install.Resources()).exists());

    // The folder without the file.
    ASSERT_TRUE(QDir().mkpath(install.Resources()));
    EXPECT_EQ(item.Get(), nullptr);

    // A file that is no picture.
    const QString path = install.Resources() + "/" + param.file;
    ASSERT_TRUE(WriteFile(path, QByteArray(600, '\x5A')));
    EXPECT_EQ(item.Get(), nullptr);

    // The real file.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::copy(kBuiltResources + "/" + param.file, path));
    std::shared_ptr<Picture> pic = item.Get();
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->Width(), param.width);
    EXPECT_EQ(pic->Height(), param.height);

    // Loaded once: the file is not read again, even when it is gone or the folder unknown.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(item.Get(), pic);
    SetApplicationFileForTesting("");
    EXPECT_EQ(item.Get(), pic);
}

INSTANTIATE_TEST_SUITE_P(Items, PictureItems,
                         ::testing::Values(Item{"Vesk.pict", 435, 54}, Item{"VeskSmall.pict", 265, 45},
                                           Item{"QuorvelBadge", 150, 22}, Item{"Question48.jpg", 29, 43}),
                         [](const auto& info) {
                             const std::string file = info.param.file;
                             return file.substr(0, file.find('.'));
                         });

// --- Finding the Resources folder, and folder items --------------------------------------------

TEST(ApplicationBundleResources, IsTheResourcesFolderBesideTheExecutablesFolder)
{
    // The test executable lives in build/bin, beside build/Resources.
    SetApplicationFileForTesting(std::nullopt);
    ASSERT_NE(GetApplicationBundleResources(), nullptr);
    EXPECT_EQ(QString::fromStdString(GetApplicationBundleResources()->Path()), QDir(kBuiltResources).absolutePath());

    Install install;
    EXPECT_EQ(GetApplicationBundleResources(), nullptr) << "missing folder means no resources";
    ASSERT_TRUE(WriteFile(install.Resources(), "not a folder"));
    EXPECT_EQ(GetApplicationBundleResources(), nullptr) << "a file is no folder";
    ASSERT_TRUE(QFile::remove(install.Resources()));
    ASSERT_TRUE(QDir().mkpath(install.Resources()));
    std::shared_ptr<FolderItem> resources = GetApplicationBundleResources();
    ASSERT_NE(resources, nullptr);
    EXPECT_EQ(QString::fromStdString(resources->Path()), QDir(install.Resources()).absolutePath());

    // No folder to climb to: unknown, the root (no parent), a file in the root (its folder has none).
    for (const char* file : {"", "/", "/quorvel"}) {
        SetApplicationFileForTesting(file);
        EXPECT_THROW(GetApplicationBundleResources(), NilObjectException) << file;
    }
}

TEST(FolderItem, ChildrenAndParentsAreAbsolutePathsWhetherOrNotTheyExist)
{
    FolderItem root("/");
    EXPECT_EQ(root.Parent(), nullptr);
    ASSERT_NE(root.Child("tmp"), nullptr);
    EXPECT_EQ(root.Child("tmp")->Path(), "/tmp");

    std::shared_ptr<FolderItem> ghost = FolderItem("/tmp").Child("no such quorvel file");
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->OpenAsPicture(), nullptr);
    EXPECT_EQ(ghost->Parent()->Path(), "/tmp");
    EXPECT_EQ(FolderItem("/tmp/a/../b/").Path(), "/tmp/b");

    for (const std::string& name : {std::string(), std::string("."), std::string(".."), std::string("a/b"),
                                    std::string("/"), std::string("a\0b", 3)})
        EXPECT_EQ(FolderItem("/tmp").Child(name), nullptr) << testing::PrintToString(name);
}

TEST(FolderItem, OpensPicturesByContentsExceptPictByName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A file of the built Resources folder saved under another name, or junk bytes ("").
    for (auto [source, savedAs, opens] :
         {std::tuple{"QuorvelBadge", "badge", true}, std::tuple{"QuorvelBadge", "badge.jpg", true},
          std::tuple{"Question48.jpg", "question.png", true}, std::tuple{"VeskSmall.pict", "banner.PICT", true},
          std::tuple{"VeskSmall.pict", "banner", false}, std::tuple{"QuorvelBadge", "badge.pict", false},
          std::tuple{"", "broken.png", false}}) {
        const QString path = dir.filePath(savedAs);
        if (*source != '\0') {
            ASSERT_TRUE(QFile::copy(kBuiltResources + "/" + source, path));
        } else {
            ASSERT_TRUE(WriteFile(path, QByteArray("\x89PNG\r\n\x1a\n") + "but no more of one"));
        }
        EXPECT_EQ(FolderItem(path.toStdString()).OpenAsPicture() != nullptr, opens) << savedAs;
    }
    EXPECT_EQ(FolderItem(dir.path().toStdString()).OpenAsPicture(), nullptr) << "a folder";
}

TEST(FolderItem, ReadsOnlyRegularFilesUpToTheSizeLimit)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Were they read, the FIFO would block the open for ever and /dev/zero would never end.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("fifo.jpg")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.pict")));
    ASSERT_TRUE(QFile::link(kBuiltResources + "/QuorvelBadge", dir.filePath("link")));
    // The badge padded (sparsely) to exactly 64 MiB still opens; one byte more and it does not.
    for (auto [name, size] : {std::pair{"limit", 64 << 20}, std::pair{"over", (64 << 20) + 1}}) {
        ASSERT_TRUE(QFile::copy(kBuiltResources + "/QuorvelBadge", dir.filePath(name)));
        ASSERT_TRUE(QFile::resize(dir.filePath(name), size));
    }
    for (auto [name, opens] : {std::pair{"fifo.jpg", false}, std::pair{"zero.pict", false},
                               std::pair{"over", false}, std::pair{"limit", true}, std::pair{"link", true}})
        EXPECT_EQ(FolderItem(dir.filePath(name).toStdString()).OpenAsPicture() != nullptr, opens) << name;
}

}  // namespace
