#pragma once

#include "report/UsageReport.h"

namespace mereth {

// How the user's locale writes the log's dates and money, as CWinLocale formats them:
// the same user default locale, separators in the bytes of the ANSI code page.
LogLocaleFormat UserLogLocaleFormat();

} // namespace mereth
