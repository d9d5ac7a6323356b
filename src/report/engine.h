#pragma once

#include "report/layout.h"
#include "report/page.h"

namespace report {

/// Runs a layout over its table objects as they stand (order, filter, master links) and lays
/// the bands out on pages: page header on top, page footer at the bottom, title first, then
/// each detail record with its sub-detail records, then the summary. A band that would cross
/// the page footer goes to the next page; a growing band continues there instead, cut between
/// lines. Computed labels are filled last, when the page count is known. When sub-detail bands
/// are used, the source's cursor visits each record and is put back afterwards.
Document run(const Layout& layout);

} // namespace report
