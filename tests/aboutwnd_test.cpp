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

    bool ControlWndShown() const
    {
        std::shared_ptr<Window> control = GetImplicitWindow(ControlWnd::kQualifiedName);
        return control && control->IsVisible();
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

    // Built in tab order: the credit line first, then the badge, then the picture.
    const std::pair<const char*, QRect> rows[] = {{"StaticText5", QRect(40, 125, 220, 16)},
                                                  {"Canvas2", QRect(75, 83, 150, 22)},
                                                  {"Canvas1", QRect(21, 7, 265, 45)}};
    ASSERT_EQ(about->Controls().size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(about->Controls()[i]->Name(), rows[i].first);
        EXPECT_EQ(about->Controls()[i]->NativeWidget()->geometry(), rows[i].second) << rows[i].first;
        EXPECT_TRUE(about->Controls()[i]->NativeWidget()->isVisible()) << rows[i].first;
    }

    // The credit line: centred, green, nine pixels.
    auto* credit = qobject_cast<QLabel*>(about->StaticText5()->NativeWidget());
    ASSERT_NE(credit, nullptr);
    EXPECT_EQ(credit->text(), QString::fromUtf8("Quorvel Holm calculator \u00A9 2026 the Quorvel developers"));
    EXPECT_TRUE(credit->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(credit->palette().color(QPalette::WindowText), QColor(0x05, 0x82, 0x07));
    EXPECT_EQ(credit->font().pixelSize(), 9);

    // Drawn unscaled from the top left, each picture fits its canvas.
    std::shared_ptr<Picture> badge = about->Canvas2()->Backdrop();
    std::shared_ptr<Picture> picture = about->Canvas1()->Backdrop();
    ASSERT_NE(badge, nullptr);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(badge, BadgeSmall());
    EXPECT_EQ(picture, VeskSmall());
    EXPECT_TRUE(badge->Width() <= 150 && badge->Height() <= 22);
    EXPECT_TRUE(picture->Width() <= 265 && picture->Height() <= 45);
    // The badge is on screen: a grab of the window shows it where the canvas is.
    const QImage shot = frame->grab().toImage();
    const QImage expected = badge->Image().convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (qAlpha(badge->Image().pixel(x, y)) == 255 && shot.pixel(75 + x, 83 + y) != expected.pixel(x, y))
                ++differing;
    EXPECT_EQ(differing, 0);
}

TEST_F(AboutWndTest, EveryKeyAndClickGivesWayToTheCalculator)
{
    // A key, or a click on a widget: a control that does not want it passes it on to the window.
    QWidget* content = about->ContentWidget();
    const std::tuple<const char*, Qt::Key, QWidget*> presses[] = {
        {"letter", Qt::Key_Q, nullptr},          {"Return", Qt::Key_Return, nullptr},
        {"Escape", Qt::Key_Escape, nullptr},     {"arrow", Qt::Key_Left, nullptr},
        {"corner", Qt::Key_unknown, content},    {"credit", Qt::Key_unknown, about->StaticText5()->NativeWidget()},
        {"picture", Qt::Key_unknown, about->Canvas1()->NativeWidget()},
        {"badge", Qt::Key_unknown, about->Canvas2()->NativeWidget()},
    };
    bool first = true;
    for (const auto& [what, key, widget] : presses) {
        SCOPED_TRACE(what);
        about->Show();
        if (std::shared_ptr<Window> control = GetImplicitWindow(ControlWnd::kQualifiedName))
            control->Hide();
        // The calculator window is built by the first press.
        EXPECT_EQ(GetImplicitWindow(ControlWnd::kQualifiedName) == nullptr, first);
        first = false;
        if (key != Qt::Key_unknown)
            QTest::keyClick(about->NativeWidget(), key);
        else
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(1, 1));
        EXPECT_FALSE(about->IsVisible());
        EXPECT_TRUE(ControlWndShown());
        EXPECT_EQ(GetImplicitWindow(AboutWnd::kQualifiedName), about);
    }
    // The handlers hide the window and let the event go on.
    for (const std::string key : {"a", "\x1B", "\x1C"}) {
        about->Show();
        EXPECT_FALSE(about->DeliverKeyDown(key));
        EXPECT_FALSE(about->IsVisible());
    }
    about->Show();
    EXPECT_FALSE(about->DeliverMouseDown(299, 149));
    EXPECT_FALSE(about->IsVisible());
    EXPECT_EQ(TakePendingException(), nullptr);
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
