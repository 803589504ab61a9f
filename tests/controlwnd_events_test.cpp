#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "app/windowaccessor.h"
#include "framework/canvas.h"
#include "framework/menuitem.h"
#include "framework/windowlist.h"
#include "tests/testsupport.h"
#include "windows/aboutwnd.h"
#include "windows/controlwnd.h"
#include "windows/descriptionwnd.h"

namespace {

class ControlWndEventsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterAllClasses();
        window = ImplicitInstance<ControlWnd>();
    }
    void TearDown() override { EXPECT_EQ(TakePendingException(), nullptr) << "a handler let an exception escape"; }

    void ClickQuestionMark() { QTest::mouseClick(window->QCanvas()->NativeWidget(), Qt::LeftButton, {}, QPoint(5, 5)); }

    std::shared_ptr<ControlWnd> window;
};

size_t OpenCount(std::string_view qualifiedName)
{
    size_t count = 0;
    for (const auto& open : OpenWindows())
        count += open->Class()->name == qualifiedName;
    return count;
}

} // namespace

TEST_F(ControlWndEventsTest, TheQuestionMarkShowsOneDescriptionWindow)
{
    ASSERT_EQ(GetImplicitWindow(DescriptionWnd::kQualifiedName), nullptr);
    ClickQuestionMark();
    auto description = GetImplicitWindow(DescriptionWnd::kQualifiedName);
    ASSERT_NE(description, nullptr);
    EXPECT_TRUE(description->IsVisible());
    ClickQuestionMark();
    EXPECT_EQ(OpenCount(DescriptionWnd::kQualifiedName), 1u);
    EXPECT_EQ(GetImplicitWindow(DescriptionWnd::kQualifiedName), description);

    description->Close(); // the user closes it; the next click builds a new one
    ClickQuestionMark();
    EXPECT_NE(GetImplicitWindow(DescriptionWnd::kQualifiedName), description);
    EXPECT_EQ(OpenCount(DescriptionWnd::kQualifiedName), 1u);
}

TEST_F(ControlWndEventsTest, ActivationHidesTheAboutWindowBuildingItFirst)
{
    ASSERT_EQ(GetImplicitWindow(AboutWnd::kQualifiedName), nullptr);
    window->DeliverActivate();
    auto about = GetImplicitWindow(AboutWnd::kQualifiedName);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->IsVisible());
    QApplication::processEvents();
    EXPECT_FALSE(about->NativeWidget()->isVisible()); // and it never came on screen

    about->Show();
    window->DeliverActivate();
    EXPECT_FALSE(about->IsVisible());
    window->DeliverActivate(); // hiding a hidden window changes nothing
    EXPECT_FALSE(about->IsVisible());
    EXPECT_EQ(OpenCount(AboutWnd::kQualifiedName), 1u);
}

TEST_F(ControlWndEventsTest, MenuHandlersAreRegisteredThoughNoMenuItemHasTheirNames)
{
    for (const char* name : {"DescriptionMenuItem", "AboutVesk"}) {
        auto handler = window->MenuHandler(name);
        ASSERT_NE(handler, nullptr) << name;
        EXPECT_EQ(handler->Signature(), "(  ) as Boolean");
        EXPECT_EQ(window->GetMenuBar()->Lookup(name), nullptr);
    }
    EXPECT_FALSE(window->MenuHandler("DescriptionMenuItem")->Invoke(nullptr, {}));
    EXPECT_TRUE(ImplicitInstance<DescriptionWnd>()->IsVisible());
    EXPECT_FALSE(window->MenuHandler("AboutVesk")->Invoke(nullptr, {}));
    EXPECT_TRUE(ImplicitInstance<AboutWnd>()->IsVisible());
}
