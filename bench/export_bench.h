#pragma once
// The spreadsheet export of a large purchases list against a bare writer of the same cells.

// Prints the time of the export of 100,000 purchases of 25 columns, the time of a bare libxlsxwriter program
// writing the same cells from the same file, their ratio, and the process's peak memory.
void runExportBench();
