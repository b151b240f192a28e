#pragma once

#include "accounting/AccountingPorts.h"
#include "accounting/UsageModel.h"
#include "ui/DisplaySettings.h"

#include <windows.h>

namespace mereth {

// Everything that outlives a run, under HKEY_CURRENT_USER\Software\Brambleway\Mereth:
// the figures and tariff of every record in use, the counted dates, the selected
// record and the indicators' display settings. Every key is opened with create, so a
// key that cannot be opened is skipped with everything under it; value writes are
// not checked; a value that is missing, of another type or too long keeps the
// member's default.
class CSettingsStore {
public:
    static constexpr const char* PRODUCT_KEY = "Software\\Brambleway\\Mereth";
    // The format the save writes. A store below it had older charges, which the load
    // replaces by what it read.
    static constexpr DWORD FORMAT_VERSION = 3;

    // The records' names must already be those of the entry list (record i shows as
    // item i); the load finds each record's figures by that name.
    CSettingsStore(CUsageModel& model, DisplaySettings& display);

    // TRUE when no save of this program has made the store: it is wiped, and stays
    // fresh (the next check says TRUE again) until the first save.
    BOOL CheckRegistryVersion();
    // Reads what is stored over the model's current contents.
    void LoadFromRegistry();
    // Writes the figures' values (never their bases), so a save may come at any
    // moment of a running connection without disturbing it.
    void SaveToRegistry();

    // Where every save learns which call is running (none without a source).
    void SetRunningCallSource(const IRunningCallSource* source) { m_runningCall = source; }
    // The call the last save found running; false when it found none or what is
    // stored cannot name a connection.
    bool LoadRunningCall(RunningCall& call);

private:
    // Writes the running call beside the figures (General, the "Call ..." values), or
    // removes what is there while none runs. The last step of every save.
    void SaveRunningCall();

    CUsageModel& m_model;
    DisplaySettings& m_display;
    const IRunningCallSource* m_runningCall = nullptr;
};

} // namespace mereth
