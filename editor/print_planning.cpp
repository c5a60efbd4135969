#include "editor/print_planning.h"

#include <cmath>

namespace {

constexpr long kSideMargin = 1080;
constexpr long kTopBottomMargin = 1440;
constexpr long kWidthWithMargins = 3600;
constexpr long kHeightWithMargins = 4320;

// a * b / c rounded half away from zero, as MulDiv rounds; 0 for c == 0
// (where MulDiv answers -1, which no page may have).
long MulDivRounded(long a, long b, long c) {
  if (c == 0) return 0;
  return static_cast<long>(std::llround(static_cast<long double>(a) * b / c));
}

}  // namespace

TwipsRect PageRectangle(long physicalWidth, long physicalHeight, long pixelsPerInchX, long pixelsPerInchY) {
  return {0, 0, MulDivRounded(physicalWidth, kTwipsPerInch, pixelsPerInchX),
          MulDivRounded(physicalHeight, kTwipsPerInch, pixelsPerInchY)};
}

TwipsRect PrintRectangle(const TwipsRect& page) {
  TwipsRect print = page;
  long width = page.right - page.left, height = page.bottom - page.top;
  if (width > kWidthWithMargins) {
    print.left = kSideMargin;
    print.right = width - kSideMargin;
  }
  if (height > kHeightWithMargins) {
    print.top = kTopBottomMargin;
    print.bottom = height - kTopBottomMargin;
  }
  return print;
}

CopyPlan PlanCopies(const PrintRequest& request) {
  int copies = request.copies < 1 ? 1 : request.copies;
  if (request.collate) return {copies, 1, 1};
  return {1, copies, copies};
}

bool PrintsPage(const PrintRequest& request, int page) {
  return !request.pageRange || page >= request.fromPage;
}

bool PassEndsAfter(const PrintRequest& request, int page) {
  return request.pageRange && page + 1 > request.toPage;
}

std::vector<int> PrintedSheets(const PrintRequest& request, int pageCount) {
  std::vector<int> sheets;
  CopyPlan plan = PlanCopies(request);
  for (int pass = 0; pass < plan.passes; ++pass) {
    for (int page = 1; page <= pageCount; ++page) {
      if (PrintsPage(request, page)) sheets.insert(sheets.end(), static_cast<std::size_t>(plan.copiesPerPage), page);
      if (PassEndsAfter(request, page)) break;
    }
  }
  return sheets;
}
