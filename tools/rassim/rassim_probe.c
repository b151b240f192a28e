/* rassim_probe: prints what rasapi32 answers, in the form of "rassim show":
       entry NAME
       connection NAME STATE
   with "error CALL CODE" where a call fails. Uses the first-version structures. */
#include <windows.h>

#include <ras.h>

#include <stdio.h>

#include "ras/win32/RasLayouts.h"

int main(void) {
    RasEntryNameV1 entries[64];
    entries[0].dwSize = sizeof entries[0];
    DWORD bytes = sizeof entries, count = 0;
    DWORD result = RasEnumEntriesA(NULL, NULL, (LPRASENTRYNAMEA)entries, &bytes, &count);
    if (result != 0) {
        printf("error enum-entries %lu\n", (unsigned long)result);
    } else {
        for (DWORD i = 0; i < count; ++i) {
            printf("entry %s\n", entries[i].szEntryName);
        }
    }

    RasConnV1 connections[64];
    connections[0].dwSize = sizeof connections[0];
    bytes = sizeof connections;
    count = 0;
    result = RasEnumConnectionsA((LPRASCONNA)connections, &bytes, &count);
    if (result != 0) {
        printf("error enum-connections %lu\n", (unsigned long)result);
        return 0;
    }
    for (DWORD i = 0; i < count; ++i) {
        RasConnStatusV1 status = {0};
        status.dwSize = sizeof status;
        result = RasGetConnectStatusA((HRASCONN)connections[i].hrasconn, (LPRASCONNSTATUSA)&status);
        if (result != 0) {
            printf("connection %s error status %lu\n", connections[i].szEntryName,
                   (unsigned long)result);
        } else {
            printf("connection %s %lu\n", connections[i].szEntryName,
                   (unsigned long)status.rasconnstate);
        }
    }
    return 0;
}
