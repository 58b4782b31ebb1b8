#pragma once
// The expense statement of 5,000 invoices rendered to PDF, against a bare QPdfWriter loop drawing the same
// texts and lines at the same places.

// Prints the time of our rendering (laying out and painting), the bare loop's time, their ratio, the page
// count and the memory the rendering took. Uses the data module's connection and the statement form.
void runReportBench();
