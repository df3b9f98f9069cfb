#pragma once

#include <windows.h>

#include <string>

// A program built beside the running test program.
inline std::wstring ProgramBesideThisOne(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    directory.resize(directory.find_last_of(L"\\/") + 1);
    return directory + name;
}
