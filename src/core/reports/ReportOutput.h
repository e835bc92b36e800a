#pragma once
// A report's lines written out for the command line, texts as UTF-8: as plain text in the
// width of a page, or as JSON with every line's kind, label, amount, cells and weight.

#include "ReportLines.h"

#include <ostream>

namespace qz {

// Text: one output line per report line; labels from the left by their indent, amounts from
// the right edge of `width` characters, table cells in columns of their width (2 mm a character).
void WriteReportText(const TReport& report, std::size_t width, std::ostream& out);

// {"report": "cashflow", "title": "...", "subtitle": "...", "lines": [{"kind": "line",
// "label": "...", "amount": "...", "cells": [...], "bold": false}, ...]}
void WriteReportJson(const TReport& report, std::ostream& out);

} // namespace qz
