#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

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

// Lets the widgets lay out and paint what the paste and the table changed.
void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

double Seconds(std::chrono::steady_clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

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

// A million lines pasted into the p-value list through the widget's own paste, then Calculate
// with three tests: the list stays responsive and the table comes promptly. "ratio" is the time
// against the bare paste, measured in the same iteration.
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
    std::string table;
    double bare = 0;
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.SetText("");
        Settle();
        bare += BarePasteSeconds(widget);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        static_cast<QPlainTextEdit*>(widget)->paste();
        Settle();
        window->CalculateBtn()->Push();
        Settle();
        total += Seconds(std::chrono::steady_clock::now() - start);
        state.PauseTiming();
        table = list.Text();
        state.ResumeTiming();
    }
    SetMsgBoxForTesting({});
    std::string expected;
    for (const std::string& line : Calculate("3", ".05", ".0000\r.7919\r.5838").lines)
        expected += line;
    if (!message.empty())
        state.SkipWithError(message.c_str());
    else if (table != expected)
        state.SkipWithError("the list does not hold the table for its first three p-values");
    state.counters["bare_s"] = bare / static_cast<double>(state.iterations());
    state.counters["ratio"] = total / bare;
}

} // namespace

BENCHMARK(BM_PasteMillionLinesAndCalculate)->Unit(benchmark::kSecond)->Iterations(3);
