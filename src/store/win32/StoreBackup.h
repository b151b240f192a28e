#pragma once

#include "store/RegFile.h"

#include <windows.h>

namespace mereth {

// The whole store (HKEY_CURRENT_USER\Software\Brambleway\Mereth) as a tree and back.
// Values travel as the registry's own bytes through the wide calls, so a text comes
// back in the code page the program reads it in. Nothing outside the store is written.
class CStoreBackup {
public:
    virtual ~CStoreBackup() = default;

    // Every key and value of the store, parents first; ERROR_FILE_NOT_FOUND when there
    // is no store.
    LONG Export(RegTree& tree);
    // Replaces the store with tree as one step: when any write fails, the store as it
    // was is put back. unchanged tells whether it is as it was (false only when putting
    // it back failed as well).
    LONG Import(const RegTree& tree, bool& unchanged);

    // A backup file of the store; the registry or file error on failure, and
    // ERROR_INVALID_DATA for a store whose backup could not be restored.
    LONG BackUp(const wchar_t* path);

protected:
    // Every value written goes through here.
    virtual LONG SetValue(HKEY key, const RegValue& value);

private:
    // Deletes the store and writes tree. A store that will not wholly go is left alone,
    // or with overWhatIsLeft (putting the old store back) written over.
    LONG Replace(const RegTree& tree, bool overWhatIsLeft);
};

// A backup file read and checked to the end; nothing is written. problem.line is 0
// and the reason names the failure when the file cannot be read at all.
bool ReadStoreBackup(const wchar_t* path, RegTree& tree, RegFileProblem& problem);

} // namespace mereth
