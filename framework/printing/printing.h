#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class QPrinter;
class QTextDocument;
class TextArea;
class Window;

// The drawing surface of one print job. Its unit is the point, 72 to the inch, whatever the
// printer's resolution; (0, 0) is the top left corner of the printable area. The job is
// finished, and the pages go to the printer or the file, when the last reference is released.
class Graphics : public std::enable_shared_from_this<Graphics> {
public:
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // A job whose pages go to a PDF file; FrameworkError when the file cannot be written.
    static std::shared_ptr<Graphics> ForPdfFile(const std::string& path);
    // A job on a printer that the print dialog has set up.
    static std::shared_ptr<Graphics> ForPrinter(std::unique_ptr<QPrinter> printer);

    QPainter& Painter();

private:
    explicit Graphics(std::unique_ptr<QPrinter> printer);

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
};

// Asks the person for a printer with the system's print dialog, with the printer's own page
// setup: a job on that printer, or nullptr when the dialog is cancelled or no display could
// show it.
std::shared_ptr<Graphics> OpenPrinterDialog(Window* parent = nullptr);
// Tests answer the dialog themselves: the function returns the job, or nullptr for a cancelled
// dialog. An empty function restores the real dialog.
void SetPrinterDialogForTesting(std::function<std::shared_ptr<Graphics>()> dialog);

// Prints the styled text of a text area, one block of whole lines at a time.
class StyledTextPrinter {
public:
    StyledTextPrinter(std::shared_ptr<Graphics> graphics, std::unique_ptr<QTextDocument> document);
    ~StyledTextPrinter();

    // Draws, with its top left corner at (left, top), as many of the lines not yet printed as
    // fit whole into `height` points, and moves past them: the next call goes on from there.
    // A line taller than `height` is never cut; nothing is drawn then. FrameworkError when the
    // job has already been finished.
    void DrawBlock(int32_t left, int32_t top, int32_t height);
    // Whether every line has been drawn.
    bool EndOfText() const { return next_ >= lines_.size(); }

private:
    struct Line {
        int block; // the line's paragraph in the document
        int line;  // the line within its paragraph
        double top;
        double bottom;
    };

    std::weak_ptr<Graphics> graphics_;
    std::unique_ptr<QTextDocument> document_;
    std::vector<Line> lines_;
    size_t next_ = 0;
};

// TextArea.styledTextPrinter: lays out a copy of the area's text, with its styles (bold runs
// print bold), `width` points wide for the job of `graphics`. nullptr for an area that has not
// been constructed; FrameworkError for a width that is not positive.
std::shared_ptr<StyledTextPrinter> StyledTextPrinterFor(TextArea& area, Graphics& graphics, int32_t width);
