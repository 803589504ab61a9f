#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "app/windowaccessor.h"
#include "framework/controls/pushbutton.h"
#include "framework/controls/textarea.h"
#include "framework/core/system.h"
#include "windows/calculation.h"
#include "windows/controlwnd.h"

namespace {

constexpr int kLines = 1000000;

// A whole results file pasted by mistake: a million p-values, one a line, scattered by a prime
// step: .0000, .7919, .5838, ...
QString MillionLines()
{
    QString list;
    list.reserve(kLines * 6);
    for (int i = 0; i < kLines; ++i)
        list += QString::number((i * 7919LL) % 10000 / 10000.0, 'f', 4).mid(1) + '\n';
    return list;
}

constexpr int kRowCharacters = 2000000;

// A results row pasted whole, as a spreadsheet gives it: p-values of five decimals separated by
// commas and no blank, one line of two million characters that the layout cannot break at a word.
QString LongRow()
{
    QString row;
    row.reserve(kRowCharacters + 8);
    for (int i = 0; row.size() < kRowCharacters; ++i)
        row += QString::number((i * 7919LL) % 100000 / 100000.0, 'f', 5).mid(1) + ',';
    row.truncate(kRowCharacters);
    return row;
}

// Lets the widgets lay out and paint what the paste and the table changed.
void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

double Seconds(std::chrono::steady_clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// The process's resident memory, as the system counts it.
double ResidentMiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    double kib = 0;
    while (status >> key && key != "VmRSS:")
        status.ignore(1024, '\n');
    status >> kib;
    return kib / 1024;
}

// What the table and then Clear may leave resident above the start: the freed memory that the
// heap keeps for the next list.
constexpr double kHeldMiB = 64;

// The same paste into a bare plain-text widget of the list field's size: the floor for the above.
double BarePasteSeconds(QWidget* like)
{
    QPlainTextEdit bare;
    bare.setGeometry(like->geometry());
    bare.show();
    Settle();
    const auto start = std::chrono::steady_clock::now();
    bare.paste();
    Settle();
    return Seconds(std::chrono::steady_clock::now() - start);
}

// The clipboard pasted into the calculator's emptied list through the widget's own paste, then
// Calculate: the seconds from the paste until the widgets have shown the answer.
double PasteAndCalculateSeconds(ControlWnd& window)
{
    window.InputFld1()->SetText("");
    Settle();
    const auto start = std::chrono::steady_clock::now();
    static_cast<QPlainTextEdit*>(window.InputFld1()->NativeWidget())->paste();
    Settle();
    window.CalculateBtn()->Push();
    Settle();
    return Seconds(std::chrono::steady_clock::now() - start);
}

// A million lines pasted into the p-value list through the widget's own paste, then Calculate
// with three tests: the list stays responsive and the table comes promptly. "ratio" is the time
// against the bare paste, measured in the same iteration. Once the table has replaced the list,
// and after Clear, the memory the list took goes back: "table_MiB" (the most after any
// iteration) and "clear_MiB" are what stays resident above the start.
void BM_PasteMillionLinesAndCalculate(benchmark::State& state)
{
    auto window = ImplicitInstance<ControlWnd>();
    window->Nvariables()->SetText("3");
    window->ErrorFld()->SetText(".05");
    std::string message;
    SetMsgBoxForTesting([&](const std::string& text) { message = text; });
    TextArea& list = *window->InputFld1();
    QWidget* widget = list.NativeWidget();
    QApplication::clipboard()->setText(MillionLines());
    list.SetText("");
    Settle();
    const double start = ResidentMiB();
    double afterTable = 0;
    std::string table;
    double bare = 0;
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.SetText("");
        Settle();
        bare += BarePasteSeconds(widget);
        state.ResumeTiming();
        total += PasteAndCalculateSeconds(*window);
        state.PauseTiming();
        afterTable = std::max(afterTable, ResidentMiB() - start);
        table = list.Text();
        state.ResumeTiming();
    }
    window->ClearBtn()->Push();
    Settle();
    const double afterClear = ResidentMiB() - start;
    SetMsgBoxForTesting({});
    std::string expected;
    for (const std::string& line : Calculate("3", ".05", ".0000\r.7919\r.5838").lines)
        expected += line;
    if (!message.empty())
        state.SkipWithError(message.c_str());
    else if (table != expected)
        state.SkipWithError("the list does not hold the table for its first three p-values");
    else if (afterTable > kHeldMiB || afterClear > kHeldMiB) {
        char held[120];
        std::snprintf(held, sizeof held, "resident above the start: %.1f MiB after the table, %.1f after Clear",
                      afterTable, afterClear);
        state.SkipWithError(held);
    }
    state.counters["bare_s"] = bare / static_cast<double>(state.iterations());
    state.counters["ratio"] = total / bare;
    state.counters["table_MiB"] = afterTable;
    state.counters["clear_MiB"] = afterClear;
}

// The long row pasted into the p-value list, then Calculate with three tests: each answers
// promptly and the list keeps every character as pasted. "ratio" is the time against the
// million-line paste and Calculate above, measured in the same iteration.
void BM_PasteLongRowAndCalculate(benchmark::State& state)
{
    auto window = ImplicitInstance<ControlWnd>();
    window->Nvariables()->SetText("3");
    window->ErrorFld()->SetText(".05");
    std::vector<std::string> messages;
    SetMsgBoxForTesting([&](const std::string& text) { messages.push_back(text); });
    TextArea& list = *window->InputFld1();
    auto* widget = static_cast<QPlainTextEdit*>(list.NativeWidget());
    const QString row = LongRow();
    const QString lines = MillionLines();
    bool kept = true;
    double paste = 0;
    double reference = 0;
    double total = 0;
    std::string table;
    for (auto _ : state) {
        state.PauseTiming();
        QApplication::clipboard()->setText(lines);
        reference += PasteAndCalculateSeconds(*window);
        list.SetText("");
        Settle();
        QApplication::clipboard()->setText(row);
        messages.clear();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        widget->paste();
        Settle();
        paste += Seconds(std::chrono::steady_clock::now() - start);
        state.PauseTiming();
        kept = kept && list.Text() == row.toStdString();
        state.ResumeTiming();
        window->CalculateBtn()->Push();
        Settle();
        total += Seconds(std::chrono::steady_clock::now() - start);
        state.PauseTiming();
        table = list.Text();
        state.ResumeTiming();
    }
    SetMsgBoxForTesting({});
    // The row is no list of p-values: Calculate answers with its message and keeps the row.
    const CalculationResult expected = Calculate("3", ".05", row.toStdString());
    std::vector<std::string> expectedMessages;
    std::string expectedText = row.toStdString();
    if (expected.message)
        expectedMessages.push_back(*expected.message);
    else
        expectedText = std::accumulate(expected.lines.begin(), expected.lines.end(), std::string());
    if (!kept)
        state.SkipWithError("the list does not hold the row as pasted");
    else if (table != expectedText || messages != expectedMessages)
        state.SkipWithError("Calculate on the row does not answer as the calculation does");
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["paste_s"] = paste / iterations;
    state.counters["lines_s"] = reference / iterations;
    state.counters["ratio"] = total / reference;
}

// Pastes the text at the start of the list, then deletes it again as a person does, by selecting
// it and pressing Delete: the seconds both take, the widgets settled after each. Whether the list
// wrapped anywhere after the paste and at words after the deletion goes to wraps.
double PasteAndDeleteAtStartSeconds(QPlainTextEdit& list, const QString& text, bool& wraps)
{
    QApplication::clipboard()->setText(text);
    list.moveCursor(QTextCursor::Start);
    const auto start = std::chrono::steady_clock::now();
    list.paste();
    Settle();
    const bool anywhere = list.wordWrapMode() == QTextOption::WrapAnywhere;
    QTextCursor pasted = list.textCursor();
    pasted.setPosition(0, QTextCursor::KeepAnchor);
    list.setTextCursor(pasted);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(&list, &press);
    Settle();
    const double seconds = Seconds(std::chrono::steady_clock::now() - start);
    wraps = anywhere && list.wordWrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere;
    return seconds;
}

// Edits in a list of a million lines: a short line pasted at its start and deleted again costs
// what it costs in a short list ("short_s"). A comma-separated row of 300 characters, which makes
// the list wrap anywhere while it is there, has every line laid out anew as it comes and as it
// goes, a small cost a line: "ratio" is the time against the paste of the million lines itself,
// measured in the same iteration, and stays far below it. A key typed in the middle of the
// two-million-character row costs no more than pasting the row: "key_s" against "row_paste_s".
void BM_EditsBesideLongRows(benchmark::State& state)
{
    auto window = ImplicitInstance<ControlWnd>();
    TextArea& field = *window->InputFld1();
    auto* list = static_cast<QPlainTextEdit*>(field.NativeWidget());
    const QString lines = MillionLines();
    const QString row = QString(".01234,").repeated(43).left(300) + '\n';
    bool wraps = true;
    double shortLine = 0;
    double longRow = 0;
    double listPaste = 0;
    for (auto _ : state) {
        state.PauseTiming();
        field.SetText("");
        Settle();
        QApplication::clipboard()->setText(lines);
        const auto pasted = std::chrono::steady_clock::now();
        list->paste();
        Settle();
        listPaste += Seconds(std::chrono::steady_clock::now() - pasted);
        state.ResumeTiming();
        bool wrapped = false;
        shortLine += PasteAndDeleteAtStartSeconds(*list, ".0777\n", wrapped);
        longRow += PasteAndDeleteAtStartSeconds(*list, row, wrapped);
        wraps = wraps && wrapped;
    }
    field.SetText("");
    Settle();
    QApplication::clipboard()->setText(LongRow());
    auto start = std::chrono::steady_clock::now();
    list->paste();
    Settle();
    const double rowPaste = Seconds(std::chrono::steady_clock::now() - start);
    QTextCursor middle = list->textCursor();
    middle.setPosition(kRowCharacters / 2);
    list->setTextCursor(middle);
    start = std::chrono::steady_clock::now();
    QKeyEvent five(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    QApplication::sendEvent(list, &five);
    Settle();
    const double key = Seconds(std::chrono::steady_clock::now() - start);
    field.SetText("");
    Settle();
    const double ratio = longRow / listPaste;
    if (!wraps)
        state.SkipWithError("the list did not wrap anywhere while it held the row, or at words once it had gone");
    else if (ratio > 0.25)
        state.SkipWithError("a long row pasted and deleted costs more than a quarter of the million-line paste");
    else if (key > rowPaste)
        state.SkipWithError("a key typed in the long row costs more than pasting the row");
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["short_s"] = shortLine / iterations;
    state.counters["row_s"] = longRow / iterations;
    state.counters["lines_s"] = listPaste / iterations;
    state.counters["ratio"] = ratio;
    state.counters["row_paste_s"] = rowPaste;
    state.counters["key_s"] = key;
}

} // namespace

BENCHMARK(BM_PasteMillionLinesAndCalculate)->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK(BM_PasteLongRowAndCalculate)->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK(BM_EditsBesideLongRows)->Unit(benchmark::kMillisecond)->Iterations(3);
