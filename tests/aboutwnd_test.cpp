#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "app/pictureitems.h"
#include "app/windowaccessor.h"
#include "framework/pictures/folderitem.h"
#include "framework/pictures/picture.h"
#include "framework/windowing/windowlist.h"
#include "testsupport.h"
#include "windows/aboutwnd.h"
#include "windows/controlwnd.h"

namespace {

class AboutWndTest : public ProgramTest {
protected:
    void SetUp() override
    {
        SetApplicationFileForTesting(QUORVEL_RESOURCES_DIR "/../bin/quorvel");
        ProgramTest::SetUp();
        about = ImplicitInstance<AboutWnd>();
        QApplication::processEvents(); // a window built visible comes on screen as the loop turns
    }
    void TearDown() override
    {
        about.reset();
        ProgramTest::TearDown();
        SetApplicationFileForTesting(std::nullopt);
    }

    UiRecorder ui;
    std::shared_ptr<AboutWnd> about;
};

TEST_F(AboutWndTest, IsAWhiteUntitledBoxCentredOnTheScreenWithItsCreditAndPictures)
{
    QWidget* frame = about->NativeWidget();
    EXPECT_TRUE(about->IsVisible());
    EXPECT_TRUE(frame->windowTitle().isEmpty());
    EXPECT_TRUE(frame->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame->size(), QSize(300, 150));
    EXPECT_EQ(about->ContentWidget()->palette().color(QPalette::Window), QColor(Qt::white));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((frame->geometry().center() - screenCentre).manhattanLength(), 1);

    // The credit line under the pictures: centred, green, nine pixels.
    auto* credit = static_cast<QLabel*>(about->StaticText5()->NativeWidget());
    EXPECT_EQ(credit->geometry(), QRect(40, 125, 220, 16));
    EXPECT_TRUE(credit->isVisible());
    EXPECT_EQ(credit->text(), QString::fromUtf8("Quorvel Holm calculator \u00A9 2026 the Quorvel developers"));
    EXPECT_TRUE(credit->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(credit->palette().color(QPalette::WindowText), QColor(0x05, 0x82, 0x07));
    EXPECT_EQ(credit->font().pixelSize(), 9);

    // Each picture is on screen where its canvas is, drawn unscaled from the top left.
    const QImage shot = frame->grab().toImage();
    for (auto [picture, origin] : {std::pair{BadgeSmall(), QPoint(75, 83)}, std::pair{VeskSmall(), QPoint(21, 7)}}) {
        ASSERT_NE(picture, nullptr);
        const QImage& image = picture->Image();
        const QImage expected = image.convertToFormat(QImage::Format_RGB32);
        int differing = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (qAlpha(image.pixel(x, y)) == 255 && shot.pixel(origin + QPoint(x, y)) != expected.pixel(x, y))
                    ++differing;
        EXPECT_EQ(differing, 0) << "at " << origin.x() << "," << origin.y();
    }
}

TEST_F(AboutWndTest, EveryKeyAndClickGivesWayToTheCalculator)
{
    // A key, or a click on a widget: a control that does not want it passes it on to the window.
    // The first press builds the calculator window; the later ones find it hidden.
    QWidget* content = about->ContentWidget();
    const std::tuple<const char*, Qt::Key, QWidget*> presses[] = {
        {"letter", Qt::Key_Q, nullptr},          {"Return", Qt::Key_Return, nullptr},
        {"Escape", Qt::Key_Escape, nullptr},     {"arrow", Qt::Key_Left, nullptr},
        {"corner", Qt::Key_unknown, content},    {"credit", Qt::Key_unknown, about->StaticText5()->NativeWidget()},
        {"picture", Qt::Key_unknown, about->Canvas1()->NativeWidget()},
    };
    for (const auto& [what, key, widget] : presses) {
        SCOPED_TRACE(what);
        about->Show();
        if (std::shared_ptr<Window> control = GetImplicitWindow(ControlWnd::kQualifiedName))
            control->Hide();
        if (key != Qt::Key_unknown)
            QTest::keyClick(about->NativeWidget(), key);
        else
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(1, 1));
        EXPECT_FALSE(about->IsVisible());
        std::shared_ptr<Window> control = GetImplicitWindow(ControlWnd::kQualifiedName);
        EXPECT_TRUE(control && control->IsVisible());
        EXPECT_EQ(GetImplicitWindow(AboutWnd::kQualifiedName), about) << "hidden, not closed";
    }
}

} // namespace
