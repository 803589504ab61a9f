#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "app/windowaccessor.h"
#include "framework/controls/textarea.h"
#include "framework/core/text.h"
#include "framework/printing/printing.h"
#include "resources/helptext.h"
#include "testsupport.h"
#include "windows/descriptionwnd.h"

namespace {

class DescriptionWndTest : public ProgramTest {
protected:
    void TearDown() override
    {
        SetPrinterDialogForTesting({});
        ProgramTest::TearDown();
    }

    UiRecorder recorder;
};

QPlainTextEdit* Edit(const std::shared_ptr<TextArea>& area)
{
    return static_cast<QPlainTextEdit*>(area->NativeWidget());
}

TEST_F(DescriptionWndTest, IsAResizableWindowWhoseAreasShowTheHelpReadOnly)
{
    auto window = ImplicitInstance<DescriptionWnd>();
    QWidget* frame = window->NativeWidget();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Description"));
    EXPECT_TRUE(window->IsVisible());
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    // Nobody edits either area: the plain one shows as a strip along the bottom edge.
    EXPECT_TRUE(Edit(window->DescribeFld())->isReadOnly());
    QPlainTextEdit* help = Edit(window->DescribeFld2());
    EXPECT_TRUE(help->isReadOnly());
    EXPECT_EQ(help->font().family(), QStringLiteral("Times"));
    EXPECT_EQ(help->font().pixelSize(), 11);
    EXPECT_EQ(window->DescribeFld2()->Text(), kHelpText);
    // On screen, the help text's area lies over the empty one.
    window->Show();
    EXPECT_EQ(window->ContentWidget()->childAt(200, 200), help->viewport());

    // Both areas follow every edge, down to the least size the window takes.
    EXPECT_EQ(QSize(window->ContentWidth(), window->ContentHeight()), QSize(427, 491));
    for (auto [asked, size] : {std::pair{QSize(600, 700), QSize(600, 700)}, {QSize(20, 30), QSize(64, 64)}}) {
        window->ResizeContent(asked.width(), asked.height());
        EXPECT_EQ(QSize(window->ContentWidth(), window->ContentHeight()), size);
        EXPECT_EQ(help->geometry(), QRect(-1, -1, size.width() + 2, size.height() - 15));
        EXPECT_EQ(Edit(window->DescribeFld())->geometry(), QRect(1, -1, size.width(), size.height() - 13));
    }
}

// The help text's first 29 characters bold and selected, and the next one not bold.
void ExpectFreshBoldRun(TextArea& area)
{
    EXPECT_EQ(area.SelStart(), 0);
    EXPECT_EQ(area.SelLength(), 29);
    EXPECT_TRUE(area.SelBold());
    area.SetSelStart(29);
    area.SetSelLength(1);
    EXPECT_FALSE(area.SelBold());
}

TEST_F(DescriptionWndTest, TheBoldRunIsSetWhenTheWindowIsBuiltOnly)
{
    auto first = ImplicitInstance<DescriptionWnd>();
    ExpectFreshBoldRun(*first->DescribeFld2());
    first->DescribeFld()->SetSelLength(1);
    first->DescribeFld()->SetSelBold(true);
    EXPECT_FALSE(first->DescribeFld()->SelBold()) << "the plain area takes no styles";

    // Shown again while open, the window is not built again: the selection stays.
    first->DescribeFld2()->SetSelStart(40);
    first->DescribeFld2()->SetSelLength(3);
    ImplicitInstance<DescriptionWnd>()->Show();
    EXPECT_EQ(first->DescribeFld2()->SelStart(), 40);
    EXPECT_EQ(first->DescribeFld2()->SelLength(), 3);
    // A length past the end selects to the end, however large.
    first->DescribeFld2()->SetSelStart(1);
    first->DescribeFld2()->SetSelLength(INT32_MAX);
    EXPECT_EQ(first->DescribeFld2()->SelLength(), Len(kHelpText) - 1);

    // Closed, it is built anew, with the bold run.
    first->Close();
    ExpectFreshBoldRun(*ImplicitInstance<DescriptionWnd>()->DescribeFld2());
}

// The help opens with its title on the first line seen, the first time and each time after.
TEST_F(DescriptionWndTest, OpensAtItsFirstLine)
{
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        auto window = ImplicitInstance<DescriptionWnd>();
        QCoreApplication::processEvents(); // it comes on screen
        QPlainTextEdit* help = Edit(window->DescribeFld2());
        ASSERT_TRUE(help->isVisible());
        EXPECT_EQ(help->verticalScrollBar()->value(), 0);
        const QRect title = help->cursorRect(QTextCursor(help->document()));
        EXPECT_GE(title.top(), 0);
        EXPECT_EQ(help->cursorForPosition(title.center()).position(), 0);
        window->Close();
    }
}

// --- Printing ---

// The standard output of a poppler tool, or nullopt when the tool is not installed.
std::optional<QString> RunTool(const QString& tool, const QStringList& arguments)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(path, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(DescriptionWndTest, PrintsTheFirstBlockOfTheHelpOnOnePageUnlessTheDialogIsCancelled)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath("help.pdf");
    auto window = ImplicitInstance<DescriptionWnd>();
    bool cancel = true;
    SetPrinterDialogForTesting([&] { return cancel ? nullptr : Graphics::ForPdfFile(pdf.toStdString()); });
    EXPECT_FALSE(window->Print_Action());
    cancel = false;
    EXPECT_FALSE(window->Print_Action());
    ASSERT_TRUE(QFile::exists(pdf)) << "the job is finished when the handler lets it go";

    const std::optional<QString> text = RunTool("pdftotext", {pdf, "-"});
    if (!text)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the printed text is not checked";
    EXPECT_EQ(text->count('\f'), 1) << "one page";
    EXPECT_TRUE(text->startsWith("Quorvel")) << text->left(80).toStdString();
    EXPECT_TRUE(text->contains("sequentially rejective"));
    EXPECT_FALSE(text->contains("miscalculation")) << "the last sentence is not on the first page";
    const std::optional<QString> fonts = RunTool("pdffonts", {pdf});
    ASSERT_TRUE(fonts);
    EXPECT_TRUE(fonts->contains("Bold")) << "the bold run prints bold";
}

TEST_F(DescriptionWndTest, EachBlockGoesOnWithTheNextWholeLinesWhereItIsPut)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath("lines.pdf");
    // A plain area holding numbered lines "L01".."L30", one paragraph each.
    auto area = ImplicitInstance<DescriptionWnd>()->DescribeFld();
    std::string lines = "L01";
    for (int i = 2; i <= 30; ++i)
        lines += (i < 10 ? "\rL0" : "\rL") + std::to_string(i);
    area->SetText(lines);
    // Block k goes 70 points below block k - 1, every other one 250 points to the right.
    constexpr int kStep = 70, kHeight = 60, kIndent = 250;
    int blocks = 0;
    {
        auto graphics = Graphics::ForPdfFile(pdf.toStdString());
        auto printer = StyledTextPrinterFor(*area, *graphics, 200);
        ASSERT_NE(printer, nullptr);
        printer->DrawBlock(0, 0, 1); // not even one line fits: nothing drawn, nothing skipped
        for (; !printer->EndOfText() && blocks < 40; ++blocks)
            printer->DrawBlock(blocks % 2 ? kIndent : 0, blocks * kStep, kHeight);
    }
    const std::optional<QString> html = RunTool("pdftotext", {"-bbox", pdf, "-"});
    if (!html)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the printed lines are not checked";
    // Each printed word with its box in points, in the order they were drawn.
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">L(\d+)</word>)re");
    std::vector<int> linesInBlock(blocks, 0);
    int line = 0;
    double left = 0;
    double top = 0;
    for (auto it = word.globalMatch(*html); it.hasNext(); ++line) {
        const QRegularExpressionMatch match = it.next();
        const double x = match.captured(1).toDouble();
        const double y = match.captured(2).toDouble();
        if (line == 0) {
            left = x;
            top = y;
        }
        SCOPED_TRACE(match.captured(4).toStdString());
        EXPECT_EQ(match.captured(4).toInt(), line + 1) << "every line once, in order";
        const int block = static_cast<int>((y - top + 1) / kStep);
        ASSERT_LT(block, blocks);
        EXPECT_NEAR(x, left + (block % 2 ? kIndent : 0), 0.5);
        EXPECT_LE(match.captured(3).toDouble(), top + block * kStep + kHeight);
        if (linesInBlock[block]++ == 0) {
            EXPECT_NEAR(y, top + block * kStep, 0.5) << "a block's first line at its top";
        }
    }
    EXPECT_EQ(line, 30);
    // Equal heights take equal numbers of whole lines; only the last block may be short.
    EXPECT_GT(linesInBlock[0], 1);
    for (int k = 1; k + 1 < blocks; ++k)
        EXPECT_EQ(linesInBlock[k], linesInBlock[0]);
    EXPECT_LE(linesInBlock[blocks - 1], linesInBlock[0]);
}

TEST_F(DescriptionWndTest, PrintingRefusesBadRequestsClearly)
{
    QTemporaryDir folder;
    auto area = ImplicitInstance<DescriptionWnd>()->DescribeFld2();
    EXPECT_THROW(Graphics::ForPdfFile(folder.filePath("missing/folder/out.pdf").toStdString()), FrameworkError);

    std::shared_ptr<StyledTextPrinter> printer;
    {
        auto graphics = Graphics::ForPdfFile(folder.filePath("a.pdf").toStdString());
        EXPECT_THROW(StyledTextPrinterFor(*area, *graphics, 0), FrameworkError);
        TextArea unbuilt; // never constructed: no widget, no text to lay out
        EXPECT_EQ(StyledTextPrinterFor(unbuilt, *graphics, 540), nullptr);
        printer = StyledTextPrinterFor(*area, *graphics, 540);
    }
    EXPECT_THROW(printer->DrawBlock(0, 0, 540), FrameworkError) << "the job is finished";
}

} // namespace
