// SPDX-License-Identifier: MIT
#pragma once

// The one loop over readings. Every command that converts readings hands the runner its source
// and what to do with one reading; the runner reads them one at a time, skips what the source
// skips (blank lines, comments, a header row, which the report names), writes one row of the report
// for each, names the line in every refusal ("line 17: "), puts the input's kept columns in front
// of each row, and with --keep-going reports a bad reading on standard error and writes its row as
// far as it got instead of stopping the run.

#include "CliError.h"
#include "RunContext.h"
#include "input/Readings.h"
#include "output/Report.h"

#include "arith.h"

#include <string>

namespace cli {

// The arithmetic failed on values that passed every check of their own (an overflow, a zero
// divisor): "cannot calculate for current 1e300: the output value is beyond ±1.79…e308, the
// largest number the tool can print", where `inputs` names the values and `fault` what failed. The
// runner names the line before the values.
class TCalculationError : public TCliError
{
public:
    TCalculationError(const std::string &inputs, const std::exception &fault)
        : TCliError("cannot calculate for " + inputs + ": " + FaultText(fault))
        , m_inputs(inputs)
        , m_fault(FaultText(fault))
    {
    }

    std::string Message(const std::string &where) const
    {
        return "cannot calculate for " + where + m_inputs + ": " + m_fault;
    }

private:
    std::string m_inputs;
    std::string m_fault;
};

// A result that no double holds, named as its column reads ("the output value").
class EBeyondPrintable : public arith::EMathError
{
public:
    explicit EBeyondPrintable(const std::string &result)
        : arith::EMathError(result + " is beyond " + BeyondPrintableText())
    {
    }
};

// The value `compute` gives for a result; an overflow on the way is an EBeyondPrintable naming it.
template<typename TCompute>
auto NamedResult(const std::string &result, TCompute &&compute)
{
    try {
        return compute();
    } catch (const arith::EOverflow &) {
        throw EBeyondPrintable(result);
    }
}

// A result as the double every output holds; one beyond it is an EBeyondPrintable naming it.
inline double PrintableResult(Extended value, const std::string &result)
{
    return NamedResult(result, [value] { return arith::ToDouble(value); });
}

// The result of `calculate`; an arithmetic failure in it is a TCalculationError naming the
// values that `inputs` gives.
template<typename TInputs, typename TCalculate>
auto Calculate(TInputs &&inputs, TCalculate &&calculate)
{
    try {
        return calculate();
    } catch (const arith::EMathError &fault) {
        throw TCalculationError(inputs(), fault);
    }
}

// A reading refused: the end of the run, or with --keep-going a line on standard error.
inline void RefuseReading(TRunContext &context, const TCliError &error)
{
    if (!context.KeepGoing())
        throw error;
    context.ReportBadRow(error);
}

// A source of the rows a command writes: TReadings, or a command's own rows (a table's
// temperatures), as long as it gives TReading-s.
template<typename TSource, typename TCompute>
std::size_t RunReadings(TSource &source, TRunContext &context, TReportWriter &writer,
                        TCompute &&compute)
{
    std::size_t count = 0;
    TReading reading;
    // One row for every reading, emptied each time rather than made anew: a run over millions of
    // readings then allocates nothing per row.
    TRow row;
    while (source.Next(reading)) {
        // The header and kept columns of the input, known once its first line is read.
        if constexpr (requires { source.Header(); }) {
            if (count == 0)
                writer.DescribeInput(source.Header(), source.KeptNames());
        }
        ++count;
        row.assign(writer.RowSize(), TValue());
        // A line that holds no reading is refused without an exception thrown and caught: with
        // --keep-going a log of millions of such lines is read at the pace of good ones.
        if (!reading.problem.empty()) {
            RefuseReading(context, TCliError(reading.Where() + reading.problem));
        } else {
            try {
                compute(reading, row);
            } catch (const TCalculationError &error) {
                RefuseReading(context, TCliError(error.Message(reading.Where())));
            } catch (const TCliError &error) {
                RefuseReading(context, TCliError(reading.Where() + error.what()));
            } catch (const std::exception &error) {
                if (!context.KeepGoing())
                    throw;
                context.ReportBadRow(error);
            }
        }
        writer.AddRow(row, reading.kept);
    }
    return count;
}

// RunReadings for the readings of the command line or the input, which must hold at least one:
// "no temperature given, and none in the input" names `what`.
template<typename TCompute>
void RunReadings(TReadings &readings, TRunContext &context, TReportWriter &writer,
                 const std::string &what, TCompute &&compute)
{
    if (RunReadings(readings, context, writer, compute) == 0)
        throw TCliError("no " + what + " given, and none in the input");
}

} // namespace cli
