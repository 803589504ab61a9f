#include "framework/printing/printing.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QPlainTextEdit>
#include <QTextLayout>

#include "framework/controls/textarea.h"
#include "framework/core/exceptions.h"
#include "framework/core/system.h"
#include "framework/windowing/window.h"

namespace {

std::function<std::shared_ptr<Graphics>()> dialogSeam;

} // namespace

Graphics::Graphics(std::unique_ptr<QPrinter> printer)
    : printer_(std::move(printer)), painter_(std::make_unique<QPainter>())
{
    if (!painter_->begin(printer_.get())) {
        const std::string file = printer_->outputFileName().toStdString();
        throw FrameworkError(file.empty() ? std::string("the printer cannot start the print job")
                                          : "the print file \"" + file + "\" cannot be written");
    }
    // A point is the unit of the page, so the printer's resolution never shows to the caller.
    const double scale = printer_->resolution() / 72.0;
    painter_->scale(scale, scale);
}

Graphics::~Graphics()
{
    if (painter_->isActive())
        painter_->end();
}

std::shared_ptr<Graphics> Graphics::ForPdfFile(const std::string& path)
{
    if (path.empty())
        throw FrameworkError("a print file needs a path");
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path));
    return ForPrinter(std::move(printer));
}

std::shared_ptr<Graphics> Graphics::ForPrinter(std::unique_ptr<QPrinter> printer)
{
    if (!printer)
        throw NilObjectException("Graphics: nil printer");
    return std::shared_ptr<Graphics>(new Graphics(std::move(printer)));
}

QPainter& Graphics::Painter() { return *painter_; }

std::shared_ptr<Graphics> OpenPrinterDialog(Window* parent)
{
    if (dialogSeam)
        return dialogSeam();
    // Without a display nobody could answer the dialog; that is a cancelled dialog.
    if (!HasDisplay())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent != nullptr ? parent->NativeWidget() : nullptr);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return Graphics::ForPrinter(std::move(printer));
}

void SetPrinterDialogForTesting(std::function<std::shared_ptr<Graphics>()> dialog)
{
    dialogSeam = std::move(dialog);
}

StyledTextPrinter::StyledTextPrinter(std::shared_ptr<Graphics> graphics, std::unique_ptr<QTextDocument> document)
    : graphics_(graphics), document_(std::move(document))
{
    if (!graphics || !document_)
        throw NilObjectException("StyledTextPrinter: nil print job or text");
    document_->documentLayout()->documentSize(); // lays the whole text out now
    for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const double blockTop = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines_.push_back({block.blockNumber(), i, blockTop + line.y(), blockTop + line.y() + line.height()});
        }
    }
}

StyledTextPrinter::~StyledTextPrinter() = default;

void StyledTextPrinter::DrawBlock(int32_t left, int32_t top, int32_t height)
{
    std::shared_ptr<Graphics> graphics = graphics_.lock();
    if (!graphics)
        throw FrameworkError("StyledTextPrinter: the print job has already been finished");
    if (EndOfText())
        return;
    const double origin = lines_[next_].top;
    size_t end = next_;
    while (end < lines_.size() && lines_[end].bottom - origin <= height)
        ++end;
    // Line by line, so that no part of a line outside the block reaches the page.
    const QPointF shift(left, top - origin);
    for (size_t i = next_; i < end; ++i) {
        const QTextLayout* layout = document_->findBlockByNumber(lines_[i].block).layout();
        layout->lineAt(lines_[i].line).draw(&graphics->Painter(), layout->position() + shift);
    }
    next_ = end;
}

std::shared_ptr<StyledTextPrinter> StyledTextPrinterFor(TextArea& area, Graphics& graphics, int32_t width)
{
    if (width <= 0)
        throw FrameworkError("styledTextPrinter: the width must be positive, not " + std::to_string(width));
    auto* edit = qobject_cast<QPlainTextEdit*>(area.NativeWidget());
    if (edit == nullptr)
        return nullptr;
    area.UpdateWidget();
    std::unique_ptr<QTextDocument> document(edit->document()->clone());
    // The width is the text's own; the widget's inner margin has no place on paper.
    document->setDocumentMargin(0);
    document->setTextWidth(width);
    return std::make_shared<StyledTextPrinter>(graphics.shared_from_this(), std::move(document));
}
