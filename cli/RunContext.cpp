// SPDX-License-Identifier: MIT
#include "RunContext.h"

#include "Messages.h"

#include "arith.h"

namespace cli {

TRunContext::TRunContext(std::istream &in, std::ostream &out, std::ostream &err,
                         const TOutputOptions &options, bool keepGoing)
    : m_in(in)
    , m_out(out)
    , m_err(err)
    , m_keepGoing(keepGoing)
{
    // Assigned, not initialised: MinGW-w64's GCC 12 fails on the initialiser.
    m_options = options;
}

void TRunContext::ReportBadRow(const std::exception &error)
{
    ++m_badRows;
    if (dynamic_cast<const arith::EMathError *>(&error) != nullptr)
        WriteMessage(m_err, "cannot calculate: " + FaultText(error));
    else
        WriteMessage(m_err, error.what());
}

void TRunContext::Note(const std::string &message)
{
    if (m_notes.size() < MaxNotes)
        m_notes.push_back(message);
    else
        ++m_moreNotes;
}

void TRunContext::WriteNotes()
{
    for (const std::string &note : m_notes)
        WriteMessage(m_err, note);
    if (m_moreNotes > 0)
        WriteMessage(m_err, "and " + std::to_string(m_moreNotes) + " more such remarks");
}

} // namespace cli
