/* rassim: a stand-in for the Remote Access Service on machines without dial-up
   networking. Answers RasEnumEntriesA, RasEnumConnectionsA and RasGetConnectStatusA from
   a text file that scripts/rassim writes, read afresh on every call. The file is found
   through MERETH_RASSIM_STATE (a Unix path under Wine, reached through drive Z:, or a
   Windows path), else C:\rassim.state. Lines of the file:
       entry NAME
       connection HANDLE STATE NAME
       fail enum-entries|enum-connections|status CODE
   Only kernel32 is used, so the DLL loads wherever the program does. */
#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include "ras/win32/RasLayouts.h"

#define RASSIM_MAX_STATE_BYTES (4u << 20)

typedef struct Connection {
    ULONG_PTR handle;
    DWORD state;
    const char* name;
} Connection;

typedef struct State {
    char* text; /* the file, its lines ended in place */
    const char** entries;
    DWORD entryCount;
    Connection* connections;
    DWORD connectionCount;
    DWORD failEntries;
    DWORD failConnections;
    DWORD failStatus;
} State;

static void* Allocate(SIZE_T bytes) {
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1);
}

static void Release(void* p) {
    if (p) {
        HeapFree(GetProcessHeap(), 0, p);
    }
}

/* FALSE when MERETH_RASSIM_STATE is set but too long: the calls then fail rather than
   read another file. */
static BOOL StatePath(char* path, DWORD capacity) {
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("MERETH_RASSIM_STATE", value, sizeof value);
    if (n >= sizeof value) {
        return FALSE;
    }
    if (n == 0) {
        lstrcpynA(path, "C:\\rassim.state", (int)capacity);
        return TRUE;
    }
    DWORD at = 0;
    if (value[0] == '/') { /* a Unix path: Wine maps / as drive Z: */
        path[at++] = 'Z';
        path[at++] = ':';
    }
    for (DWORD i = 0; i < n && at + 1 < capacity; ++i) {
        path[at++] = value[i] == '/' ? '\\' : value[i];
    }
    path[at] = '\0';
    return TRUE;
}

/* Reads "123" up to the next space or the end; FALSE if there is no number there. */
static BOOL ReadNumber(const char** cursor, ULONGLONG* number) {
    const char* p = *cursor;
    ULONGLONG n = 0;
    if (*p < '0' || *p > '9') {
        return FALSE;
    }
    while (*p >= '0' && *p <= '9') {
        n = n * 10 + (ULONGLONG)(*p - '0');
        if (n > 0xFFFFFFFFull) {
            return FALSE;
        }
        ++p;
    }
    if (*p == ' ') {
        ++p;
    } else if (*p != '\0') {
        return FALSE;
    }
    *cursor = p;
    *number = n;
    return TRUE;
}

static BOOL StartsWith(const char* line, const char* word, const char** rest) {
    while (*word) {
        if (*line++ != *word++) {
            return FALSE;
        }
    }
    *rest = line;
    return TRUE;
}

static void ParseLine(State* s, char* line) {
    const char* rest = NULL;
    ULONGLONG a = 0, b = 0;
    if (StartsWith(line, "entry ", &rest)) {
        s->entries[s->entryCount++] = rest;
    } else if (StartsWith(line, "connection ", &rest)) {
        if (ReadNumber(&rest, &a) && ReadNumber(&rest, &b) && a != 0) {
            Connection* c = &s->connections[s->connectionCount++];
            c->handle = (ULONG_PTR)a;
            c->state = (DWORD)b;
            c->name = rest;
        }
    } else if (StartsWith(line, "fail enum-entries ", &rest)) {
        if (ReadNumber(&rest, &a)) {
            s->failEntries = (DWORD)a;
        }
    } else if (StartsWith(line, "fail enum-connections ", &rest)) {
        if (ReadNumber(&rest, &a)) {
            s->failConnections = (DWORD)a;
        }
    } else if (StartsWith(line, "fail status ", &rest)) {
        if (ReadNumber(&rest, &a)) {
            s->failStatus = (DWORD)a;
        }
    }
}

/* A missing file is an empty phone book with nothing connected. Otherwise the status
   every call answers: no memory, or a state path that cannot be used. */
static DWORD LoadState(State* s) {
    ZeroMemory(s, sizeof *s);
    char path[MAX_PATH + 4];
    if (!StatePath(path, sizeof path)) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD size = 0;
    if (file != INVALID_HANDLE_VALUE) {
        size = GetFileSize(file, NULL);
        if (size == INVALID_FILE_SIZE || size > RASSIM_MAX_STATE_BYTES) {
            size = 0;
        }
    }
    s->text = Allocate(size + 1);
    if (!s->text) {
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        if (!ReadFile(file, s->text, size, &read, NULL)) {
            read = 0;
        }
        CloseHandle(file);
    }
    s->text[read] = '\0';

    /* A NUL ends a line as a line feed does, so both count. */
    DWORD lines = 1;
    for (DWORD i = 0; i < read; ++i) {
        lines += s->text[i] == '\n' || s->text[i] == '\0';
    }
    s->entries = Allocate(lines * sizeof *s->entries);
    s->connections = Allocate(lines * sizeof *s->connections);
    if (!s->entries || !s->connections) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    char* line = s->text;
    for (DWORD i = 0; i <= read; ++i) {
        if (s->text[i] == '\n' || s->text[i] == '\0') {
            s->text[i] = '\0';
            if (i > 0 && s->text[i - 1] == '\r') {
                s->text[i - 1] = '\0';
            }
            ParseLine(s, line);
            line = s->text + i + 1;
        }
    }
    return ERROR_SUCCESS;
}

static void FreeState(State* s) {
    Release(s->connections);
    Release(s->entries);
    Release(s->text);
}

static void CopyText(CHAR* field, DWORD capacity, const char* text) {
    lstrcpynA(field, text, (int)capacity);
}

/* Each call takes the structure version from the dwSize of the first element: the
   first versions, and the current ones of <ras.h>. Later versions only add members, so
   the first version's members are filled in all of them. */
static BOOL KnownEntrySize(DWORD size) {
    return size == sizeof(RasEntryNameV1) || size == sizeof(RASENTRYNAMEA);
}

static BOOL KnownConnSize(DWORD size) {
    return size == sizeof(RasConnV1) || size == sizeof(RASCONNA);
}

static BOOL KnownStatusSize(DWORD size) {
    return size == sizeof(RasConnStatusV1) || size == sizeof(RASCONNSTATUSA);
}

/* What the service answers before it fills an enumeration: a set failure, an unknown
   structure size, or too small a buffer (with the bytes needed and the count available). */
static DWORD EnumerationAnswer(DWORD failure, BOOL knownSize, DWORD size, DWORD available,
                               LPDWORD bytes, LPDWORD count) {
    if (failure != ERROR_SUCCESS) {
        return failure;
    }
    if (!knownSize) {
        return ERROR_INVALID_SIZE;
    }
    const DWORD needed = available * size;
    const BOOL fits = *bytes >= needed;
    *count = available;
    *bytes = needed;
    return fits ? ERROR_SUCCESS : ERROR_BUFFER_TOO_SMALL;
}

DWORD WINAPI RasEnumEntriesA(LPCSTR reserved, LPCSTR phonebook, LPRASENTRYNAMEA names,
                             LPDWORD bytes, LPDWORD count) {
    (void)reserved;
    (void)phonebook;
    if (!bytes || !count || !names) {
        return ERROR_INVALID_PARAMETER;
    }
    State s;
    const DWORD loaded = LoadState(&s);
    if (loaded != ERROR_SUCCESS) {
        FreeState(&s);
        return loaded;
    }
    const DWORD size = names->dwSize;
    const DWORD result =
        EnumerationAnswer(s.failEntries, KnownEntrySize(size), size, s.entryCount, bytes, count);
    if (result == ERROR_SUCCESS) {
        BYTE* at = (BYTE*)names;
        for (DWORD i = 0; i < s.entryCount; ++i, at += size) {
            RasEntryNameV1* e = (RasEntryNameV1*)at;
            ZeroMemory(at, size);
            e->dwSize = size;
            CopyText(e->szEntryName, sizeof e->szEntryName, s.entries[i]);
        }
    }
    FreeState(&s);
    return result;
}

DWORD WINAPI RasEnumConnectionsA(LPRASCONNA connections, LPDWORD bytes, LPDWORD count) {
    if (!bytes || !count || !connections) {
        return ERROR_INVALID_PARAMETER;
    }
    State s;
    const DWORD loaded = LoadState(&s);
    if (loaded != ERROR_SUCCESS) {
        FreeState(&s);
        return loaded;
    }
    const DWORD size = connections->dwSize;
    const DWORD result = EnumerationAnswer(s.failConnections, KnownConnSize(size), size,
                                           s.connectionCount, bytes, count);
    if (result == ERROR_SUCCESS) {
        BYTE* at = (BYTE*)connections;
        for (DWORD i = 0; i < s.connectionCount; ++i, at += size) {
            RasConnV1* c = (RasConnV1*)at;
            ZeroMemory(at, size);
            c->dwSize = size;
            c->hrasconn = (HANDLE)s.connections[i].handle;
            CopyText(c->szEntryName, sizeof c->szEntryName, s.connections[i].name);
            CopyText(c->szDeviceType, sizeof c->szDeviceType, "modem");
            CopyText(c->szDeviceName, sizeof c->szDeviceName, "rassim modem");
        }
    }
    FreeState(&s);
    return result;
}

DWORD WINAPI RasGetConnectStatusA(HRASCONN connection, LPRASCONNSTATUSA status) {
    if (!status) {
        return ERROR_INVALID_PARAMETER;
    }
    State s;
    const DWORD loaded = LoadState(&s);
    if (loaded != ERROR_SUCCESS) {
        FreeState(&s);
        return loaded;
    }
    DWORD result = s.failStatus;
    const DWORD size = status->dwSize;
    if (result == ERROR_SUCCESS && !KnownStatusSize(size)) {
        result = ERROR_INVALID_SIZE;
    }
    if (result == ERROR_SUCCESS) {
        result = ERROR_INVALID_HANDLE;
        for (DWORD i = 0; i < s.connectionCount; ++i) {
            if (s.connections[i].handle == (ULONG_PTR)connection) {
                RasConnStatusV1* st = (RasConnStatusV1*)status;
                ZeroMemory(status, size);
                st->dwSize = size;
                st->rasconnstate = s.connections[i].state;
                CopyText(st->szDeviceType, sizeof st->szDeviceType, "modem");
                CopyText(st->szDeviceName, sizeof st->szDeviceName, "rassim modem");
                result = ERROR_SUCCESS;
                break;
            }
        }
    }
    FreeState(&s);
    return result;
}
