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
#include "framework/printing.h"
#include "framework/textarea.h"
#include "framework/windowlist.h"
#include "resources/descriptionwndlayout.h"
#include "resources/helptext.h"
#include "testsupport.h"
#include "windows/aboutwnd.h"
#include "windows/controlwnd.h"
#include "windows/descriptionwnd.h"

namespace {

// --- The lists ---

std::vector<uint8_t> Tail(PropertyList list, size_t count) { return {list.end() - count, list.end()}; }

std::vector<uint8_t> EntryBytes(std::string_view name, std::vector<uint8_t> value)
{
    std::vector<uint8_t> bytes(name.begin(), name.end());
    bytes.push_back(' ');
    bytes.insert(bytes.end(), value.begin(), value.end());
    return bytes;
}

struct ListRow {
    const char* name;
    PropertyList list;
    size_t size;
    std::vector<uint8_t> lastEntry;
};

TEST(DescriptionWndLists, HaveTheirSizeAndEndWithTheirLastEntry)
{
    const std::vector<ListRow> rows = {
        {"window", kDescriptionWndList, 278, EntryBytes("MacProcID", {0, 0, 0, 0})},
        {"DescribeFld", kDescribeFldList, 518, EntryBytes("InitialParent", {0, 0, 0, 0})},
        {"DescribeFld2", kDescribeFld2List, 516 + kHelpText.size(), EntryBytes("InitialParent", {0, 0, 0, 0})},
    };
    for (const ListRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.list.size(), row.size);
        EXPECT_EQ(Tail(row.list, row.lastEntry.size()), row.lastEntry);
    }
    EXPECT_EQ(kHelpText.size(), 3167u);
}

// --- The window ---

class DescriptionWndTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAllClasses(); }
    void TearDown() override { SetPrinterDialogForTesting({}); }

    static QTextEdit* Edit(const std::shared_ptr<TextArea>& area)
    {
        return static_cast<QTextEdit*>(area->NativeWidget());
    }

    UiRecorder recorder;
};

TEST_F(DescriptionWndTest, IsAResizableDocumentWindowWithLimits)
{
    auto window = ImplicitInstance<DescriptionWnd>();
    QWidget* frame = window->NativeWidget();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Description"));
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(window->ContentWidth(), 427);
    EXPECT_EQ(window->ContentHeight(), 491);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window->ContentWidget()->minimumSize(), QSize(64, 64));
    EXPECT_EQ(window->ContentWidget()->maximumSize(), QSize(32000, 32000));
    window->ResizeContent(20, 30);
    EXPECT_EQ(window->ContentWidth(), 64);
    EXPECT_EQ(window->ContentHeight(), 64);
    ASSERT_EQ(window->Controls().size(), 2u);
    EXPECT_EQ(window->Controls()[0]->Name(), "DescribeFld");
    EXPECT_EQ(window->Controls()[1]->Name(), "DescribeFld2");
}

struct AreaRow {
    const char* name;
    QRect geometry;
    const char* font;
    int pixelSize;
    bool styled;
    std::string text;
};

TEST_F(DescriptionWndTest, AreasShowTheHelpReadOnly)
{
    auto window = ImplicitInstance<DescriptionWnd>();
    const std::vector<AreaRow> rows = {
        {"DescribeFld", QRect(1, -1, 427, 478), "Courier", 10, false, "\r"},
        {"DescribeFld2", QRect(-1, -1, 429, 476), "Times", 11, true, std::string(kHelpText)},
    };
    for (const AreaRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto area = RuntimeCheckCast<TextArea>(window->ControlByName(row.name));
        ASSERT_NE(area, nullptr);
        QTextEdit* edit = Edit(area);
        EXPECT_EQ(edit->geometry(), row.geometry);
        EXPECT_EQ(area->StringProperty("TextFont"), row.font);
        EXPECT_EQ(edit->font().pixelSize(), row.pixelSize);
        EXPECT_FALSE(edit->font().bold());
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_EQ(area->BoolProperty("Styled"), row.styled);
        EXPECT_EQ(area->Text(), row.text);
    }
    EXPECT_EQ(window->DescribeFld2()->IntProperty("Alignment"), 1);
    // On screen, the help text's area lies over the empty one.
    window->Show();
    EXPECT_EQ(window->ContentWidget()->childAt(200, 200), Edit(window->DescribeFld2())->viewport());
}

// Whether each of the first `count` characters of the area is bold, one selection per character.
std::vector<bool> BoldCharacters(TextArea& area, int32_t count)
{
    std::vector<bool> bold;
    for (int32_t i = 0; i < count; ++i) {
        area.SetSelStart(i);
        area.SetSelLength(1);
        bold.push_back(area.SelBold());
    }
    return bold;
}

void ExpectFreshBoldRun(DescriptionWnd& window)
{
    TextArea& area = *window.DescribeFld2();
    EXPECT_EQ(area.SelStart(), 0);
    EXPECT_EQ(area.SelLength(), 29);
    EXPECT_TRUE(area.SelBold());
    std::vector<bool> expected(29, true);
    expected.push_back(false);
    EXPECT_EQ(BoldCharacters(area, 30), expected);
    EXPECT_EQ(area.Text(), kHelpText); // styles leave the text alone
}

TEST_F(DescriptionWndTest, OpensWithTheFirst29CharactersBoldAndSelected)
{
    ExpectFreshBoldRun(*ImplicitInstance<DescriptionWnd>());
    // The plain area takes no styles.
    auto window = ImplicitInstance<DescriptionWnd>();
    window->DescribeFld()->SetSelStart(0);
    window->DescribeFld()->SetSelLength(1);
    window->DescribeFld()->SetSelBold(true);
    EXPECT_FALSE(window->DescribeFld()->SelBold());
}

TEST_F(DescriptionWndTest, TheOpenWindowIsNotOpenedAgain)
{
    auto first = ImplicitInstance<DescriptionWnd>();
    first->DescribeFld2()->SetSelStart(40);
    first->DescribeFld2()->SetSelLength(3);
    auto second = ImplicitInstance<DescriptionWnd>();
    EXPECT_EQ(second, first);
    EXPECT_EQ(second->DescribeFld2()->SelStart(), 40);
    EXPECT_EQ(second->DescribeFld2()->SelLength(), 3);
}

TEST_F(DescriptionWndTest, AClosedWindowIsBuiltAnewWithTheBoldRun)
{
    auto first = ImplicitInstance<DescriptionWnd>();
    first->DescribeFld2()->SetSelStart(0);
    first->DescribeFld2()->SetSelLength(29);
    first->DescribeFld2()->SetSelBold(false);
    first->Close();
    EXPECT_EQ(GetImplicitWindow(DescriptionWnd::kQualifiedName), nullptr);
    auto second = ImplicitInstance<DescriptionWnd>();
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->IsVisible());
    ExpectFreshBoldRun(*second);
}

TEST_F(DescriptionWndTest, AreasFollowTheWindowsEdges)
{
    auto window = ImplicitInstance<DescriptionWnd>();
    for (QSize size : {QSize(600, 700), QSize(300, 200), QSize(427, 491)}) {
        SCOPED_TRACE(size.width());
        window->ResizeContent(size.width(), size.height());
        ASSERT_EQ(QSize(window->ContentWidth(), window->ContentHeight()), size);
        const QRect help = Edit(window->DescribeFld2())->geometry();
        EXPECT_EQ(help.topLeft(), QPoint(-1, -1));
        EXPECT_EQ(help.x() + help.width(), size.width() + 1);
        EXPECT_EQ(help.y() + help.height(), size.height() - 16);
        const QRect plain = Edit(window->DescribeFld())->geometry();
        EXPECT_EQ(plain.topLeft(), QPoint(1, -1));
        EXPECT_EQ(plain.x() + plain.width(), size.width() + 1);
        EXPECT_EQ(plain.y() + plain.height(), size.height() - 14);
    }
}

TEST_F(DescriptionWndTest, MenuHandlersShowTheOtherWindows)
{
    auto window = ImplicitInstance<DescriptionWnd>();
    for (const char* name : {"ControlMenuItem", "AboutMenuItem", "Print"}) {
        ASSERT_NE(window->MenuHandler(name), nullptr) << name;
        EXPECT_EQ(window->MenuHandler(name)->Signature(), "(  ) as Boolean");
    }
    EXPECT_EQ(GetImplicitWindow(ControlWnd::kQualifiedName), nullptr);
    EXPECT_FALSE(window->MenuHandler("ControlMenuItem")->Invoke(nullptr, {}));
    auto control = GetImplicitWindow(ControlWnd::kQualifiedName);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->IsVisible());

    EXPECT_FALSE(window->MenuHandler("AboutMenuItem")->Invoke(nullptr, {}));
    auto about = GetImplicitWindow(AboutWnd::kQualifiedName);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->IsVisible());
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(DescriptionWndTest, MenuHandlersHoldTheirWindowWeakly)
{
    std::shared_ptr<Delegate> handler;
    {
        auto window = ImplicitInstance<DescriptionWnd>();
        handler = window->MenuHandler("AboutMenuItem");
        window->Close();
    }
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

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page/") +
                            pdf.count("/Type /Page>"));
}

// The first words of the disclaimer's last sentence.
constexpr const char* kLastSentence = "The developers of Quorvel accept no liability";

TEST_F(DescriptionWndTest, CancelledPrintDialogPrintsNothing)
{
    auto window = ImplicitInstance<DescriptionWnd>();
    int asked = 0;
    SetPrinterDialogForTesting([&](const PrinterSetup* setup) {
        ++asked;
        EXPECT_EQ(setup, nullptr); // the window passes no page setup
        return std::shared_ptr<Graphics>();
    });
    EXPECT_FALSE(window->MenuHandler("Print")->Invoke(nullptr, {}));
    EXPECT_EQ(asked, 1);
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
    EXPECT_EQ(PdfPageCount(pdf), 1);

    const std::optional<QString> text = RunTool("pdftotext", {pdf, "-"});
    if (!text)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the printed text is not checked";
    EXPECT_TRUE(text->startsWith("Quorvel")) << text->left(80).toStdString();
    EXPECT_TRUE(text->contains("sequentially rejective"));
    EXPECT_FALSE(text->contains(kLastSentence));
    EXPECT_FALSE(text->contains("miscalculation"));
    // The bold run is printed in a bold face.
    const std::optional<QString> fonts = RunTool("pdffonts", {pdf});
    ASSERT_TRUE(fonts);
    EXPECT_TRUE(fonts->contains("Bold")) << fonts->toStdString();
}

// A plain area holding numbered lines "L01".."L30", one paragraph each.
std::shared_ptr<TextArea> NumberedLines(DescriptionWnd& window)
{
    std::string text;
    for (int i = 1; i <= 30; ++i)
        text += (i < 10 ? "L0" : "L") + std::to_string(i) + (i < 30 ? "\r" : "");
    auto area = window.DescribeFld();
    area->SetText(text);
    return area;
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
    auto area = NumberedLines(*window);
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

TEST_F(DescriptionWndTest, PageSetupTurnsThePage)
{
    QTemporaryDir folder;
    PrinterSetup landscape;
    landscape.SetLandscape(true);
    auto wide = Graphics::ForPdfFile(folder.filePath("wide.pdf").toStdString(), &landscape);
    auto tall = Graphics::ForPdfFile(folder.filePath("tall.pdf").toStdString());
    EXPECT_GT(wide->Width(), wide->Height());
    EXPECT_GT(tall->Height(), tall->Width());
    // Points: a page is some 8 to 12 inches long.
    EXPECT_GT(tall->Height(), 8 * 72 - 144);
    EXPECT_LT(tall->Height(), 12 * 72);

    auto setup = std::make_shared<PrinterSetup>();
    setup->SetLandscape(true);
    const PrinterSetup* seen = nullptr;
    SetPrinterDialogForTesting([&](const PrinterSetup* given) {
        seen = given;
        return std::shared_ptr<Graphics>();
    });
    EXPECT_EQ(OpenPrinterDialog(setup), nullptr);
    EXPECT_EQ(seen, setup.get());
}

} // namespace
