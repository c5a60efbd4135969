#include "editor/printed_text.h"

#include "editor/text_wrapping.h"

namespace {

// Twips to printer pixels, relative to the printable area's origin.
RECT DeviceArea(HDC dc, const TwipsRect& area) {
  int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX), offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  return RECT{MulDiv(area.left, dpiX, kTwipsPerInch) - offsetX, MulDiv(area.top, dpiY, kTwipsPerInch) - offsetY,
              MulDiv(area.right, dpiX, kTwipsPerInch) - offsetX, MulDiv(area.bottom, dpiY, kTwipsPerInch) - offsetY};
}

HFONT PrinterFont(HDC dc, const CHARFORMATW& format) {
  LOGFONTW font{};
  LONG twips = (format.dwMask & CFM_SIZE) && format.yHeight > 0 ? format.yHeight : 240;
  font.lfHeight = -MulDiv(twips, GetDeviceCaps(dc, LOGPIXELSY), kTwipsPerInch);
  font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, format.szFaceName[0] ? format.szFaceName : L"Arial", LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

}  // namespace

PrintedText::PrintedText(HDC printer, const CHARFORMATW& format, const TwipsRect& area)
    : dc_(printer), font_(PrinterFont(printer, format)), previousFont_(SelectObject(printer, font_)),
      area_(DeviceArea(printer, area)) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
  if (lineHeight_ <= 0) lineHeight_ = 1;
}

PrintedText::~PrintedText() {
  SelectObject(dc_, previousFont_);
  DeleteObject(font_);
}

std::vector<PrintedPage> PrintedText::Paginate(const std::wstring& text) const {
  int width = area_.right - area_.left;
  int linesPerPage = (area_.bottom - area_.top) / lineHeight_;
  if (linesPerPage < 1) linesPerPage = 1;
  FitCount fit = [this, width](const wchar_t* line, std::size_t count) {
    int fits = 0;
    SIZE extent{};
    GetTextExtentExPointW(dc_, line, static_cast<int>(count), width, &fits, nullptr, &extent);
    return static_cast<std::size_t>(fits < 0 ? 0 : fits);
  };
  std::vector<PrintedPage> pages(1);
  for (const std::wstring& paragraph : SplitParagraphs(text)) {
    for (std::wstring& line : WrapParagraph(paragraph, fit)) {
      if (static_cast<int>(pages.back().lines.size()) == linesPerPage) pages.emplace_back();
      pages.back().lines.push_back(std::move(line));
    }
  }
  return pages;
}

void PrintedText::Draw(const PrintedPage& page) const {
  SelectObject(dc_, font_);  // a new page may start with the device's defaults
  int y = area_.top;
  for (const std::wstring& line : page.lines) {
    ExtTextOutW(dc_, area_.left, y, 0, nullptr, line.c_str(), static_cast<UINT>(line.size()), nullptr);
    y += lineHeight_;
  }
}
