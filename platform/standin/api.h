// Our own declarations of the platform operations the product relies on, for
// building the product where <windows.h> does not exist. Written from what the
// product expects of each operation: names, argument order, the values of the
// constants it passes or compares with, and "zero means success".
#pragma once

#include <cstdint>

typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef unsigned int UINT;
typedef unsigned char BYTE;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef DWORD REGSAM;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* HWND;
typedef void* HINSTANCE;

struct StandinKey;  // opaque: a handle is only ever passed back to the stand-in
typedef StandinKey* HKEY;
typedef HKEY* PHKEY;

#define WINAPI

// Predefined root key: same value as on Windows, never dereferenced.
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u)))

// Registry access rights (the bits the product asks for).
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM DELETE = 0x00010000;
constexpr REGSAM READ_CONTROL = 0x00020000;
constexpr REGSAM WRITE_DAC = 0x00040000;
constexpr REGSAM WRITE_OWNER = 0x00080000;
constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;

// Registry value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

// Error codes the product compares with, and those the stand-in returns.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;

// Message box styles and the identifiers of its buttons.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_YESNO = 0x4;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
LONG RegOpenKeyExA(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY result);
LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size);
LONG RegDeleteKeyA(HKEY key, LPCSTR path);
LONG RegCloseKey(HKEY key);

// The process entry point, which the platform calls once.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
