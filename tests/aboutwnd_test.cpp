#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/pictureitems.h"
#include "app/windowaccessor.h"
#include "framework/folderitem.h"
#include "framework/picture.h"
#include "framework/windowlist.h"
#include "resources/aboutwndlayout.h"
#include "testsupport.h"
#include "windows/aboutwnd.h"
#include "windows/controlwnd.h"

namespace {

// The list ends with the named entry, whose value is the given bytes.
void ExpectEndsWith(PropertyList list, std::string_view name, std::initializer_list<uint8_t> value)
{
    std::vector<uint8_t> expected(name.begin(), name.end());
    expected.push_back(' ');
    expected.insert(expected.end(), value);
    ASSERT_GE(list.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), list.end() - expected.size())) << name;
}

TEST(AboutWndLists, SizesAndLastEntries)
{
    EXPECT_EQ(kAboutWndList.size(), 267u);
    EXPECT_EQ(kAboutWndStaticText5List.size(), 403u);
    EXPECT_EQ(kAboutWndCanvas2List.size(), 280u);
    EXPECT_EQ(kAboutWndCanvas1List.size(), 280u);
    ExpectEndsWith(kAboutWndList, "MacProcID", {0, 0, 0, 0});
    for (PropertyList list : {PropertyList(kAboutWndStaticText5List), PropertyList(kAboutWndCanvas2List),
                              PropertyList(kAboutWndCanvas1List)})
        ExpectEndsWith(list, "InitialParent", {0, 0, 0, 0});
}

TEST(AboutWndLists, CreditLineHasOneCopyrightSign)
{
    const std::string_view line = kAboutCreditLine;
    EXPECT_EQ(line.size(), 54u);
    const auto characters = std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
    EXPECT_EQ(characters, 53);
    EXPECT_NE(line.find("\xC2\xA9"), std::string_view::npos);
    EXPECT_NE(line.find("the Quorvel developers"), std::string_view::npos);
    // The list carries the line as its Text: length, then the bytes.
    const std::string_view list(reinterpret_cast<const char*>(kAboutWndStaticText5List.data()),
                                kAboutWndStaticText5List.size());
    EXPECT_NE(list.find(std::string("Text ") + std::string("\0\0\0\x36", 4) + std::string(line)),
              std::string_view::npos);
}

class AboutWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetApplicationFileForTesting(QUORVEL_RESOURCES_DIR "/../bin/quorvel");
        RegisterAllClasses();
        about = ImplicitInstance<AboutWnd>();
        QApplication::processEvents(); // a window built visible comes on screen as the loop turns
    }
    void TearDown() override { SetApplicationFileForTesting(std::nullopt); }

    bool ControlWndShown() const
    {
        std::shared_ptr<Window> control = GetImplicitWindow(ControlWnd::kQualifiedName);
        return control && control->IsVisible();
    }

    // A press of the left button at a point of the content area, delivered to the widget there
    // as the toolkit would: a control that does not want it passes it on to the window.
    void PressAt(QPoint at)
    {
        QWidget* content = about->ContentWidget();
        QWidget* target = content->childAt(at) ? content->childAt(at) : content;
        QMouseEvent press(QEvent::MouseButtonPress, target->mapFrom(content, at), content->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }

    UiRecorder ui;
    std::shared_ptr<AboutWnd> about;
};

TEST_F(AboutWndTest, IsAWhiteUntitledBoxCentredOnTheScreen)
{
    QWidget* frame = about->NativeWidget();
    EXPECT_TRUE(about->IsVisible());
    EXPECT_EQ(about->StringProperty("Title"), "");
    EXPECT_TRUE(frame->windowTitle().isEmpty());
    EXPECT_TRUE(frame->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame->size(), QSize(300, 150));
    EXPECT_TRUE(about->ContentWidget()->autoFillBackground());
    EXPECT_EQ(about->ContentWidget()->palette().color(QPalette::Window), QColor(Qt::white));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((frame->geometry().center() - screenCentre).manhattanLength(), 1);
}

TEST_F(AboutWndTest, ControlsStandWhereTheirListsPutThem)
{
    struct Row {
        std::shared_ptr<RectControl> control;
        QRect at;
    };
    const Row rows[] = {
        {about->StaticText5(), QRect(40, 125, 220, 16)},
        {about->Canvas2(), QRect(75, 83, 150, 22)},
        {about->Canvas1(), QRect(21, 7, 265, 45)},
    };
    ASSERT_EQ(about->Controls().size(), 3u);
    for (const Row& row : rows) {
        ASSERT_NE(row.control, nullptr);
        EXPECT_EQ(row.control->NativeWidget()->geometry(), row.at) << row.control->Name();
        EXPECT_TRUE(row.control->NativeWidget()->isVisible()) << row.control->Name();
    }
    // Built in tab order: the credit line first, then the badge, then the picture.
    EXPECT_EQ(about->Controls()[0]->Name(), "StaticText5");
    EXPECT_EQ(about->Controls()[1]->Name(), "Canvas2");
    EXPECT_EQ(about->Controls()[2]->Name(), "Canvas1");
}

TEST_F(AboutWndTest, CreditLineIsCentredGreenNinePixelSerif)
{
    auto label = about->StaticText5();
    auto* widget = qobject_cast<QLabel*>(label->NativeWidget());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->text().toStdString(), kAboutCreditLine);
    EXPECT_TRUE(widget->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(widget->palette().color(QPalette::WindowText), QColor(0x05, 0x82, 0x07));
    EXPECT_EQ(widget->font().pixelSize(), 9);
    EXPECT_EQ(label->TextSize(), 9.0f);
    EXPECT_EQ(label->TextUnit(), FontUnits::Default);
    EXPECT_FALSE(widget->wordWrap());
}

TEST_F(AboutWndTest, CanvasesShowTheBadgeAndThePicture)
{
    ASSERT_TRUE(GetApplicationBundleResources()->Child("QuorvelBadge")->Exists());
    ASSERT_TRUE(GetApplicationBundleResources()->Child("VeskSmall.pict")->Exists());
    std::shared_ptr<Picture> badge = about->Canvas2()->Backdrop();
    std::shared_ptr<Picture> picture = about->Canvas1()->Backdrop();
    ASSERT_NE(badge, nullptr);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(badge, BadgeSmall());
    EXPECT_EQ(picture, VeskSmall());
    // Drawn unscaled from the top left, each picture must fit its canvas.
    EXPECT_LE(badge->Width(), 150);
    EXPECT_LE(badge->Height(), 22);
    EXPECT_LE(picture->Width(), 265);
    EXPECT_LE(picture->Height(), 45);
    // The badge is on screen: a grab of the window shows it where the canvas is.
    const QImage shot = about->NativeWidget()->grab().toImage();
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
    struct Press {
        const char* what;
        std::function<void()> press;
    };
    const Press presses[] = {
        {"letter", [this] { QTest::keyClick(about->NativeWidget(), Qt::Key_Q); }},
        {"Return", [this] { QTest::keyClick(about->NativeWidget(), Qt::Key_Return); }},
        {"Escape", [this] { QTest::keyClick(about->NativeWidget(), Qt::Key_Escape); }},
        {"arrow", [this] { QTest::keyClick(about->NativeWidget(), Qt::Key_Left); }},
        {"click at the corner", [this] { PressAt(QPoint(0, 0)); }},
        {"click on the credit line", [this] { PressAt(QPoint(150, 130)); }},
        {"click on the picture", [this] { PressAt(QPoint(100, 20)); }},
        {"click on the badge", [this] { PressAt(QPoint(150, 90)); }},
    };
    bool first = true;
    for (const Press& p : presses) {
        SCOPED_TRACE(p.what);
        about->Show();
        if (std::shared_ptr<Window> control = GetImplicitWindow(ControlWnd::kQualifiedName))
            control->Hide();
        // The calculator window is built by the first press.
        EXPECT_EQ(GetImplicitWindow(ControlWnd::kQualifiedName) == nullptr, first);
        first = false;
        p.press();
        EXPECT_FALSE(about->IsVisible());
        EXPECT_TRUE(ControlWndShown());
        EXPECT_EQ(GetImplicitWindow(AboutWnd::kQualifiedName), about);
    }
    EXPECT_EQ(TakePendingException(), nullptr);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AboutWndTest, HandlersLetTheEventGoOn)
{
    for (const std::string key : {"a", "\r", "\x1B", "\x1C"}) {
        about->Show();
        EXPECT_FALSE(about->DeliverKeyDown(key));
        EXPECT_FALSE(about->IsVisible());
    }
    for (auto [x, y] : {std::pair{0, 0}, std::pair{299, 149}}) {
        about->Show();
        EXPECT_FALSE(about->DeliverMouseDown(x, y));
        EXPECT_FALSE(about->IsVisible());
    }
    EXPECT_TRUE(ControlWndShown());
}

TEST_F(AboutWndTest, ResizingStretchesTheLockedControlsOnly)
{
    about->NativeWidget()->resize(400, 250);
    QApplication::processEvents();
    ASSERT_EQ(about->ContentWidget()->size(), QSize(400, 250));
    EXPECT_EQ(about->StaticText5()->NativeWidget()->geometry(), QRect(40, 125, 320, 116));
    EXPECT_EQ(about->Canvas1()->NativeWidget()->geometry(), QRect(21, 7, 365, 145));
    EXPECT_EQ(about->Canvas2()->NativeWidget()->geometry(), QRect(75, 83, 150, 22));
}

} // namespace
