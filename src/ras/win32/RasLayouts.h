/* The first versions of the Remote Access Service structures, as the service of
   Windows 95 and NT 4.0 knows them. <ras.h> has only the current, larger versions; the
   dwSize of the first element tells the service which one the caller means. Plain C, so
   that rassim (tools/rassim) answers in exactly these layouts. */
#pragma once

#include <windows.h>

#define MERETH_RAS_MAX_ENTRY_NAME 256
#define MERETH_RAS_MAX_DEVICE_TYPE 16
#define MERETH_RAS_MAX_DEVICE_NAME 128

#pragma pack(push, 4)

typedef struct RasEntryNameV1 {
    DWORD dwSize;
    CHAR szEntryName[MERETH_RAS_MAX_ENTRY_NAME + 1];
} RasEntryNameV1;

typedef struct RasConnV1 {
    DWORD dwSize;
    HANDLE hrasconn; /* HRASCONN */
    CHAR szEntryName[MERETH_RAS_MAX_ENTRY_NAME + 1];
    CHAR szDeviceType[MERETH_RAS_MAX_DEVICE_TYPE + 1];
    CHAR szDeviceName[MERETH_RAS_MAX_DEVICE_NAME + 1];
} RasConnV1;

typedef struct RasConnStatusV1 {
    DWORD dwSize;
    DWORD rasconnstate; /* RASCONNSTATE */
    DWORD dwError;
    CHAR szDeviceType[MERETH_RAS_MAX_DEVICE_TYPE + 1];
    CHAR szDeviceName[MERETH_RAS_MAX_DEVICE_NAME + 1];
} RasConnStatusV1;

#pragma pack(pop)

#ifdef __cplusplus
#define MERETH_RAS_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define MERETH_RAS_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

MERETH_RAS_STATIC_ASSERT(sizeof(RasEntryNameV1) == 264, "RASENTRYNAMEA, first version");
#ifdef _WIN64
MERETH_RAS_STATIC_ASSERT(sizeof(RasConnV1) == 416, "RASCONNA, first version, x86_64");
#else
MERETH_RAS_STATIC_ASSERT(sizeof(RasConnV1) == 412, "RASCONNA, first version, i686");
#endif
MERETH_RAS_STATIC_ASSERT(sizeof(RasConnStatusV1) == 160, "RASCONNSTATUSA, first version");
