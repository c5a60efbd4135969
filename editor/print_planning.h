// The arithmetic of a print job: page and print rectangles in twips, the
// passes and copies, and which formatted pages are printed how often.
#pragma once

#include <vector>

constexpr long kTwipsPerInch = 1440;

struct TwipsRect {
  long left, top, right, bottom;
};

// The page from the printer's physical size in device pixels and its
// resolution in pixels per inch, rounded as MulDiv rounds.
TwipsRect PageRectangle(long physicalWidth, long physicalHeight, long pixelsPerInchX, long pixelsPerInchY);

// Three-quarter-inch side margins on a page wider than 3600 twips, one-inch
// top and bottom margins on a page taller than 4320 twips.
TwipsRect PrintRectangle(const TwipsRect& page);

// What the user asked for in the print dialog.
struct PrintRequest {
  bool collate = false;
  bool pageRange = false;
  int fromPage = 1;
  int toPage = 1;
  int copies = 1;
};

// Collated copies are passes over the whole document; otherwise one pass
// prints each page `copiesPerPage` times in a row. `copiesLeft` is what the
// print settings keep for the next job.
struct CopyPlan {
  int passes;
  int copiesPerPage;
  int copiesLeft;
};
CopyPlan PlanCopies(const PrintRequest& request);

// Within a pass: whether formatted page `page` (from 1) is printed, and
// whether the pass ends once `page` has been formatted.
bool PrintsPage(const PrintRequest& request, int page);
bool PassEndsAfter(const PrintRequest& request, int page);

// Every sheet of a job over a document that formats into `pageCount`
// pages, in printing order, as page numbers.
std::vector<int> PrintedSheets(const PrintRequest& request, int pageCount);
