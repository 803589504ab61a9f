#include <QCoreApplication>
#include <QTextDocument>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "app/windowaccessor.h"
#include "framework/controls/pushbutton.h"
#include "framework/controls/textarea.h"
#include "framework/core/system.h"
#include "framework/core/text.h"
#include "windows/calculation.h"
#include "windows/controlwnd.h"

namespace {

constexpr int kTests = 999;

// count p-values of four decimals, one a line as a person pastes them; the same every run.
std::string PValueList(int count)
{
    std::mt19937 random(20260101);
    std::uniform_int_distribution<int> tenThousandths(0, 9999);
    std::string list;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            list += '\r';
        list += Format(tenThousandths(random) / 10000.0, ".0000");
    }
    return list;
}

std::string FinishedTable(const std::string& list)
{
    std::string table;
    for (const std::string& line : Calculate(std::to_string(kTests), ".05", list).lines)
        table += line;
    return table;
}

// The work a write leaves for later: the field's widget update and what it sets off.
void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The calculator window with 999 tests at .05; a message box would stop the run, so any
// message is kept and reported instead.
class Calculator {
public:
    Calculator() : window(ImplicitInstance<ControlWnd>()), field(*window->InputFld1())
    {
        window->Nvariables()->SetText(std::to_string(kTests));
        window->ErrorFld()->SetText(".05");
        SetMsgBoxForTesting([this](const std::string& text) { message = text; });
    }
    ~Calculator() { SetMsgBoxForTesting({}); }
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // Outside the timing: the field holds the list and its widget shows it.
    void Reset(benchmark::State& state, const std::string& list)
    {
        state.PauseTiming();
        field.SetText(list);
        Settle();
        state.ResumeTiming();
    }

    // The field and its widget both hold the table, and nothing complained.
    void Check(benchmark::State& state, const std::string& table)
    {
        const auto* widget = static_cast<const QPlainTextEdit*>(field.NativeWidget());
        if (!message.empty())
            state.SkipWithError(message.c_str());
        else if (field.Text() != table)
            state.SkipWithError("the field does not hold the table");
        else if (widget->document()->blockCount() != kTests + 6 ||
                 widget->toPlainText().toStdString() != ReplaceLineEndings(table, "\n"))
            state.SkipWithError("the widget does not show the table");
    }

    std::shared_ptr<ControlWnd> window;
    TextArea& field;
    std::string message;
};

void RunCalculate(benchmark::State& state, int listLines)
{
    Calculator calculator;
    const std::string list = PValueList(listLines);
    const std::string table = FinishedTable(list);
    for (auto _ : state) {
        calculator.Reset(state, list);
        calculator.window->CalculateBtn()->Push();
        Settle();
    }
    calculator.Check(state, table);
}

// The Calculate button on 999 p-values: read the fields, calculate, write the table a line at a
// time, and the widget shows it.
void BM_Calculate999(benchmark::State& state) { RunCalculate(state, kTests); }

// The floor for the above: the same finished table written once into the same field.
void BM_SetFinishedTable(benchmark::State& state)
{
    Calculator calculator;
    const std::string list = PValueList(kTests);
    const std::string table = FinishedTable(list);
    for (auto _ : state) {
        calculator.Reset(state, list);
        calculator.field.SetText(table);
        Settle();
    }
    calculator.Check(state, table);
}

// As the first, with 100,000 p-values in the field of which only the first 999 count.
void BM_Calculate999LongList(benchmark::State& state) { RunCalculate(state, 100000); }

} // namespace

BENCHMARK(BM_Calculate999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetFinishedTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calculate999LongList)->Unit(benchmark::kMillisecond);
