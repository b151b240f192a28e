#pragma once
// Every word the program itself puts in front of the user, apart from those of the
// resource script: title and tip, captions, questions. The English texts are fixed,
// not the locale's.

namespace mereth {

// The tray icon's first tip and the program's name.
inline constexpr char PROGRAM_NAME[] = "Mereth";

// Window title and tray tip: the entry name, then the connected time.
inline constexpr char STATUS_CONNECTED[] = "Mereth - Connected to %.*s (%.*s)";
inline constexpr char STATUS_CONNECTING[] = "Mereth - Connecting to %.*s";
inline constexpr char STATUS_NOT_CONNECTED[] = "Mereth - Not Connected";

// Captions of the five period boxes.
inline constexpr char TOTAL_CAPTION[] = "Total (since %.*s)";
inline constexpr char YEAR_CAPTION[] = "This year (%d)";
inline constexpr char MONTH_CAPTION[] = "This month (%s)";
inline constexpr char TODAY_CAPTION[] = "Today (%.*s)";
inline constexpr char THIS_CONNECTION_CAPTION[] = "This Connection";
inline constexpr char LAST_CONNECTION_CAPTION[] = "Last Connection";

// Month names by month number; index 0 names no month.
inline constexpr const char* MONTH_NAMES[13] = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};

// The reset confirmation, by kind of indicator.
inline constexpr char RESET_CAPTION[] = "Reset Indicator";
inline constexpr char RESET_TIME_QUESTION[] =
    "Are you sure you want to reset this time indicator ?\n\nDoing so will also reset all "
    "indicators below it chronologically together with the corresponding cost and login "
    "indicators";
inline constexpr char RESET_COST_QUESTION[] =
    "Are you sure you want to reset this cost indicator ?\n\nDoing so will also reset all "
    "indicators below it chronologically together with the corresponding time and login "
    "indicators";
inline constexpr char RESET_LOGIN_QUESTION[] =
    "Are you sure you want to reset this login indicator ?\n\nDoing so will also reset all "
    "indicators below it chronologically together with the corresponding time and cost "
    "indicators";

inline constexpr char EXIT_CAPTION[] = "Exit Mereth";
inline constexpr char EXIT_QUESTION[] = "\nAre you sure you want to exit Mereth ?";

// The Budget and Holidays pages of Set Charges.
inline constexpr char BILLING_DAY_MESSAGE[] = "Please enter a day of the month from 1 to 31.";
inline constexpr char ALERT_PERCENT_MESSAGE[] = "Please enter a percentage from 1 to 1000.";
inline constexpr char HOLIDAY_LINE_MESSAGE[] =
    "Line %d is not a date. Please write one date a line as YYYY-MM-DD, for example "
    "2026-12-25.";
inline constexpr char HOLIDAY_COUNT_MESSAGE[] = "Please list at most %d dates.";

// The budget in the tray tip and its alert balloons.
inline constexpr char BUDGET_TIP[] = " - %s of %s";
inline constexpr char BUDGET_ALERT_TITLE[] = "Mereth: budget";
inline constexpr char BUDGET_ALERT_TEXT[] =
    "Calls on %.*s have cost %s, %d%% of the budget of %s for this billing period.";
inline constexpr char RESET_BILLING_QUESTION[] =
    "Are you sure you want to reset the spend of this billing period ?\n\nThe other "
    "indicators are not changed.";

// Backing up and restoring the settings.
inline constexpr wchar_t BACKUP_FILTER[] = L"Registration files (*.reg)\0*.reg\0";
inline constexpr wchar_t BACKUP_FILE_NAME[] = L"Mereth settings.reg";
inline constexpr char BACKUP_FAILED[] = "The settings could not be backed up (error %ld).";
inline constexpr char BACKUP_NOT_RESTORABLE[] =
    "The settings were not backed up: another program has added to them what Mereth could "
    "not restore.";
inline constexpr char RESTORE_CAPTION[] = "Restore settings";
inline constexpr wchar_t RESTORE_CAPTION_W[] = L"Restore settings";
inline constexpr wchar_t RESTORE_QUESTION[] =
    L"Are you sure you want to replace all settings and figures by those backed up in\n\n%ls ?";
inline constexpr char RESTORE_DURING_CALL[] =
    "The settings cannot be restored while a call is running. Please try again after it.";
inline constexpr char RESTORE_REFUSED[] =
    "This file cannot be restored: %s.\n\nNothing was changed.";
inline constexpr char RESTORE_REFUSED_AT_LINE[] =
    "This file cannot be restored: %s (line %d).\n\nNothing was changed.";
inline constexpr char RESTORE_FAILED[] =
    "The settings could not be restored (error %ld).\n\nNothing was changed.";
inline constexpr char RESTORE_FAILED_PARTLY[] =
    "The settings could not be restored (error %ld), and those before could not all be put "
    "back from the registry: the figures and settings Mereth shows have been saved again.";

// Start with Windows
inline constexpr char LOGON_CAPTION[] = "Start with Windows";
inline constexpr char LOGON_ADD_FAILED[] =
    "Mereth could not be added to the programs that start with Windows.";
inline constexpr char LOGON_REMOVE_FAILED[] =
    "Mereth could not be removed from the programs that start with Windows.";

} // namespace mereth
