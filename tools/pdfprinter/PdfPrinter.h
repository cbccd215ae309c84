#pragma once

#include <string>

// Prints every page of one PDF file on one printer as one job, each page scaled to fit the printer's
// imageable area. False when nothing was printed (document cannot be opened, printer unknown).
// `resolution` 0 means the printer's own resolution.
bool PrintPdf(const std::string& printer, const std::string& path, int deleteFlag, int resolution = 0);
