// SPDX-License-Identifier: MIT
#pragma once

#include "output/Formats.h"

#include <cstddef>
#include <exception>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// One run of a command: its streams, its output options, whether bad readings are let pass, and
// the bad readings and remarks it collected.
class TRunContext
{
public:
    TRunContext(std::istream &in, std::ostream &out, std::ostream &err,
                const TOutputOptions &options, bool keepGoing);

    std::istream &In() { return m_in; }
    std::ostream &Out() { return m_out; }
    const TOutputOptions &Options() const { return m_options; }
    bool KeepGoing() const { return m_keepGoing; }
    std::size_t BadRows() const { return m_badRows; }
    // A command whose answer is "no" (a calibration that fails) exits with status 1.
    void AnswerNo() { m_answerNo = true; }
    bool AnsweredNo() const { return m_answerNo; }

    // A reading refused under --keep-going: said on standard error, and counted for the exit
    // status.
    void ReportBadRow(const std::exception &error);

    // A remark on a result that is written (a state that cannot exist), said on standard error
    // once the run has succeeded, so that a refusal stays the only line.
    void Note(const std::string &message);
    void WriteNotes();

private:
    // Remarks kept in full; of more, only the count.
    static constexpr std::size_t MaxNotes = 100;
    std::vector<std::string> m_notes;
    std::size_t m_moreNotes = 0;

    std::istream &m_in;
    std::ostream &m_out;
    std::ostream &m_err;
    TOutputOptions m_options;
    bool m_keepGoing = false;
    std::size_t m_badRows = 0;
    bool m_answerNo = false;
};

} // namespace cli
