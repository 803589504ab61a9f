#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/windowaccessor.h"
#include "framework/controls/textarea.h"
#include "framework/printing/printing.h"
#include "framework/windowing/windowlist.h"
#include "resources/helptext.h"
#include "testsupport.h"
#include "windows/aboutwnd.h"
#include "windows/controlwnd.h"
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

QTextEdit* Edit(const std::shared_ptr<TextArea>& area) { return static_cast<QTextEdit*>(area->NativeWidget()); }

TEST_F(DescriptionWndTest, IsAResizableWindowWhoseAreasShowTheHelpReadOnly)
{
    auto window = ImplicitInstance<DescriptionWnd>();
    QWidget* frame = window->NativeWidget();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Description"));
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(QSize(window->ContentWidth(), window->ContentHeight()), QSize(427, 491));
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);

    // Name, geometry, font and its pixel size, whether styled, and text.
    const std::tuple<const char*, QRect, const char*, int, bool, std::string> rows[] = {
        {"DescribeFld", QRect(1, -1, 427, 478), "Courier", 10, false, "\r"},
        {"DescribeFld2", QRect(-1, -1, 429, 476), "Times", 11, true, std::string(kHelpText)},
    };
    ASSERT_EQ(window->Controls().size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& [name, geometry, font, pixelSize, styled, text] = rows[i];
        auto area = RuntimeCheckCast<TextArea>(window->Controls()[i]);
        ASSERT_NE(area, nullptr);
        EXPECT_EQ(area->Name(), name);
        EXPECT_EQ(Edit(area)->geometry(), geometry) << name;
        EXPECT_EQ(area->TextFont(), font);
        EXPECT_EQ(Edit(area)->font().pixelSize(), pixelSize) << name;
        EXPECT_TRUE(Edit(area)->isReadOnly()) << name;
        EXPECT_EQ(area->Styled(), styled) << name;
        EXPECT_EQ(area->Text(), text);
    }
    // On screen, the help text's area lies over the empty one.
    window->Show();
    EXPECT_EQ(window->ContentWidget()->childAt(200, 200), Edit(window->DescribeFld2())->viewport());
    window->ResizeContent(20, 30);
    EXPECT_EQ(QSize(window->ContentWidth(), window->ContentHeight()), QSize(64, 64)) << "the least size";
}

// The help text's first 29 characters bold and selected, and nothing after them bold.
void ExpectFreshBoldRun(TextArea& area)
{
    EXPECT_EQ(area.SelStart(), 0);
    EXPECT_EQ(area.SelLength(), 29);
    EXPECT_TRUE(area.SelBold());
    std::vector<bool> bold, expected(29, true);
    expected.push_back(false);
    for (int32_t i = 0; i < 30; ++i) {
        area.SetSelStart(i);
        area.SetSelLength(1);
        bold.push_back(area.SelBold());
    }
    EXPECT_EQ(bold, expected);
    EXPECT_EQ(area.Text(), kHelpText); // styles leave the text alone
}

TEST_F(DescriptionWndTest, TheBoldRunIsSetWhenTheWindowIsBuiltOnly)
{
    auto first = ImplicitInstance<DescriptionWnd>();
    ExpectFreshBoldRun(*first->DescribeFld2());
    // The plain area takes no styles.
    first->DescribeFld()->SetSelStart(0);
    first->DescribeFld()->SetSelLength(1);
    first->DescribeFld()->SetSelBold(true);
    EXPECT_FALSE(first->DescribeFld()->SelBold());

    // Shown again while open, the window is not built again: the selection stays.
    first->DescribeFld2()->SetSelStart(0);
    first->DescribeFld2()->SetSelLength(29);
    first->DescribeFld2()->SetSelBold(false);
    first->DescribeFld2()->SetSelStart(40);
    first->DescribeFld2()->SetSelLength(3);
    EXPECT_EQ(ImplicitInstance<DescriptionWnd>(), first);
    EXPECT_EQ(first->DescribeFld2()->SelStart(), 40);
    EXPECT_EQ(first->DescribeFld2()->SelLength(), 3);

    // Closed, it is built anew, with the bold run.
    first->Close();
    EXPECT_EQ(GetImplicitWindow(DescriptionWnd::kQualifiedName), nullptr);
    auto second = ImplicitInstance<DescriptionWnd>();
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->IsVisible());
    ExpectFreshBoldRun(*second->DescribeFld2());
}

TEST_F(DescriptionWndTest, AreasFollowTheWindowsEdges)
{
    auto window = ImplicitInstance<DescriptionWnd>();
    for (QSize size : {QSize(600, 700), QSize(300, 200)}) {
        SCOPED_TRACE(size.width());
        window->ResizeContent(size.width(), size.height());
        EXPECT_EQ(Edit(window->DescribeFld2())->geometry(), QRect(-1, -1, size.width() + 2, size.height() - 15));
        EXPECT_EQ(Edit(window->DescribeFld())->geometry(), QRect(1, -1, size.width(), size.height() - 13));
    }
}

TEST_F(DescriptionWndTest, MenuHandlersShowTheOtherWindowsAndHoldTheirOwnWeakly)
{
    auto window = ImplicitInstance<DescriptionWnd>();
    for (auto [item, shown] : {std::pair{"ControlMenuItem", ControlWnd::kQualifiedName},
                               std::pair{"AboutMenuItem", AboutWnd::kQualifiedName}}) {
        EXPECT_EQ(GetImplicitWindow(shown), nullptr);
        ASSERT_NE(window->MenuHandler(item), nullptr) << item;
        EXPECT_FALSE(window->MenuHandler(item)->Invoke(nullptr, {}));
        ASSERT_NE(GetImplicitWindow(shown), nullptr) << item;
        EXPECT_TRUE(GetImplicitWindow(shown)->IsVisible()) << item;
    }
    EXPECT_TRUE(recorder.messages.empty());

    std::shared_ptr<Delegate> handler = window->MenuHandler("AboutMenuItem");
    window->Close();
    window.reset();
    QApplication::processEvents(); // the closed window goes on the next turn of the loop
    EXPECT_THROW(handler->Invoke(nullptr, {}), NilObjectException);
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

TEST_F(DescriptionWndTest, PrintsTheFirstBlockOfTheHelpOnOnePage)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pdf = folder.filePath("help.pdf");
    auto window = ImplicitInstance<DescriptionWnd>();
    SetPrinterDialogForTesting([&](const PrinterSetup*) { return Graphics::ForPdfFile(pdf.toStdString()); });
    EXPECT_FALSE(window->Print_Action());
    ASSERT_TRUE(QFile::exists(pdf)) << "the job is finished when the handler lets it go";

    const std::optional<QString> text = RunTool("pdftotext", {pdf, "-"});
    if (!text)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the printed text is not checked";
    EXPECT_EQ(text->count('\f'), 1) << "one page";
    EXPECT_TRUE(text->startsWith("Quorvel")) << text->left(80).toStdString();
    EXPECT_TRUE(text->contains("sequentially rejective"));
    EXPECT_FALSE(text->contains("The developers of Quorvel accept no liability")); // the last sentence
    EXPECT_FALSE(text->contains("miscalculation"));
    // The bold run is printed in a bold face.
    const std::optional<QString> fonts = RunTool("pdffonts", {pdf});
    ASSERT_TRUE(fonts);
    EXPECT_TRUE(fonts->contains("Bold")) << fonts->toStdString();
}

struct PrintedWord {
    QString text;
    double x;
    double top;
    double bottom;
};

// The words of a PDF's first page with their boxes in points, in the order they were drawn.
std::optional<std::vector<PrintedWord>> PrintedWords(const QString& pdf)
{
    const std::optional<QString> html = RunTool("pdftotext", {"-bbox", pdf, "-"});
    if (!html)
        return std::nullopt;
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<PrintedWord> words;
    for (auto it = word.globalMatch(*html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        words.push_back({match.captured(4), match.captured(1).toDouble(), match.captured(2).toDouble(),
                         match.captured(3).toDouble()});
    }
    return words;
}

TEST_F(DescriptionWndTest, EachBlockGoesOnWithTheNextWholeLinesWhereItIsPut)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath("lines.pdf");
    auto window = ImplicitInstance<DescriptionWnd>();
    // A plain area holding numbered lines "L01".."L30", one paragraph each.
    auto area = window->DescribeFld();
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
        EXPECT_TRUE(printer->EndOfText());
    }
    EXPECT_GE(blocks, 3);
    const std::optional<std::vector<PrintedWord>> words = PrintedWords(pdf);
    if (!words)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the printed lines are not checked";
    ASSERT_EQ(words->size(), 30u);
    const PrintedWord& first = words->front();
    std::vector<int> linesInBlock(blocks, 0);
    for (int i = 0; i < 30; ++i) {
        const PrintedWord& w = (*words)[i];
        EXPECT_EQ(w.text.mid(1).toInt(), i + 1) << "every line once, in order";
        const int block = static_cast<int>((w.top - first.top + 1) / kStep);
        ASSERT_LT(block, blocks);
        ++linesInBlock[block];
        EXPECT_NEAR(w.x, first.x + (block % 2 ? kIndent : 0), 0.5) << w.text.toStdString();
        EXPECT_LE(w.bottom, first.top + block * kStep + kHeight) << w.text.toStdString();
        if (linesInBlock[block] == 1) {
            EXPECT_NEAR(w.top, first.top + block * kStep, 0.5) << w.text.toStdString();
        }
    }
    // Equal heights take equal numbers of whole lines; only the last block may be short.
    EXPECT_GT(linesInBlock[0], 1);
    for (int k = 1; k + 1 < blocks; ++k)
        EXPECT_EQ(linesInBlock[k], linesInBlock[0]);
    EXPECT_LE(linesInBlock[blocks - 1], linesInBlock[0]);
}

TEST_F(DescriptionWndTest, PrintingRefusesBadRequestsClearly)
{
    QTemporaryDir folder;
    auto window = ImplicitInstance<DescriptionWnd>();
    EXPECT_THROW(Graphics::ForPdfFile(folder.filePath("missing/folder/out.pdf").toStdString()), FrameworkError);
    EXPECT_THROW(Graphics::ForPdfFile(""), FrameworkError);

    std::shared_ptr<StyledTextPrinter> printer;
    {
        auto graphics = Graphics::ForPdfFile(folder.filePath("a.pdf").toStdString());
        EXPECT_THROW(StyledTextPrinterFor(*window->DescribeFld2(), *graphics, 0), FrameworkError);
        EXPECT_THROW(StyledTextPrinterFor(*window->DescribeFld2(), *graphics, -5), FrameworkError);
        printer = StyledTextPrinterFor(*window->DescribeFld2(), *graphics, 540);
        ASSERT_NE(printer, nullptr);
        TextArea unbuilt; // never constructed: no widget, no text to lay out
        EXPECT_EQ(StyledTextPrinterFor(unbuilt, *graphics, 540), nullptr);
    }
    EXPECT_THROW(printer->DrawBlock(0, 0, 540), FrameworkError); // the job is finished
}

TEST_F(DescriptionWndTest, PrintDialogGetsThePageSetupAndItsPageTurns)
{
    // The window passes no page setup; a cancelled dialog prints nothing.
    auto window = ImplicitInstance<DescriptionWnd>();
    std::vector<const PrinterSetup*> seen;
    SetPrinterDialogForTesting([&](const PrinterSetup* given) {
        seen.push_back(given);
        return std::shared_ptr<Graphics>();
    });
    EXPECT_FALSE(window->MenuHandler("Print")->Invoke(nullptr, {}));
    auto landscape = std::make_shared<PrinterSetup>();
    landscape->SetLandscape(true);
    EXPECT_EQ(OpenPrinterDialog(landscape), nullptr);
    EXPECT_EQ(seen, (std::vector<const PrinterSetup*>{nullptr, landscape.get()}));

    QTemporaryDir folder;
    auto wide = Graphics::ForPdfFile(folder.filePath("wide.pdf").toStdString(), landscape.get());
    auto tall = Graphics::ForPdfFile(folder.filePath("tall.pdf").toStdString());
    EXPECT_GT(wide->Width(), wide->Height());
    EXPECT_GT(tall->Height(), tall->Width());
    // Points: a page is some 8 to 12 inches long.
    EXPECT_GT(tall->Height(), 8 * 72 - 144);
    EXPECT_LT(tall->Height(), 12 * 72);
}

} // namespace
