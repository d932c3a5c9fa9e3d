// Flight-plan reader: the simulator's ".fpl" text, plain or as the
// "LCONFPL" lines of an IGC file, into the task model.
#pragma once

#include <cstdint>

#include "taskmodel/fpl_input.h"

/// Reads a flight plan from `input`, which must be open and positioned at
/// the plan's first line (or, for an IGC file, at the first line after its
/// version line), fills the task model and closes the input, whatever ended
/// the reading.
///
/// qreset  true: reset the task model (init_read_fpl, init_glider, init_wp)
///         before reading and finish the plan's defaults at its end; false:
///         read into the model as it stands.
/// qverb   two extra console lines (version and leg count).
/// qfr     French text for the turnpoint-limit message.
/// nl      out: plan lines taken (non-blank lines before the end; the
///         "LCONFlightInfo" line and description lines are not counted).
/// ios     out: 0 when an "LCONFlightInfo" line before the description or
///         a blank line after its "Text" line ended the plan, -1 at the end
///         of the input, else the read error code.  The description's lines
///         are taken raw, prefix and flight-information lines included.
///
/// A "Count" above 31 task points shows an error message and ends the
/// program (exit status 1).  Lines whose index lies outside the model's
/// tables are ignored with a console note; after a penalty or weather zone
/// outside its table, that zone's lines are ignored until a valid zone is
/// named.
void read_fpl(Fpl_input& input, bool qreset, bool qverb, bool qfr, int32_t& nl,
              int32_t& ios);
