// Page layout of a document for printing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

class TSRichEdit;

// The characters [from, to) that one page holds.
struct PageRange {
  std::int64_t from, to;
};

// Lays the whole text of `edit` out on the pages of the device `dc`, across
// the whole page area the device reports, page after page until all text is
// placed; an empty text gets one empty page. With `render` each page is
// drawn, and `page(true)` / `page(false)` run before and after it (a print
// job starts and ends its pages there). Returns each page's range. Throws
// tk::Error when the device has no page area or a page holds nothing although
// text is left (so that no text is silently dropped).
std::vector<PageRange> FormatPages(TSRichEdit& edit, HDC dc, bool render,
                                   const std::function<void(bool start)>& page = {});
