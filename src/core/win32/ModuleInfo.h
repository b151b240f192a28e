#pragma once

// What a module knows of itself: its file and the version record built into it.

#include <windows.h>

#include <string>

namespace mereth {

// The full path of the module's file (null: the program); empty on failure.
std::wstring ModuleFileName(HMODULE module = nullptr);

// The "ProductVersion" text of the module's version record, in the record's first
// language; empty when the module has no record or no such text.
std::wstring ModuleProductVersion(HMODULE module = nullptr);

} // namespace mereth
