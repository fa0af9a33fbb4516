#pragma once
// Kernel, resources, time and registry of Windows CE (COREDLL), and the
// constants a resource script's LANGUAGE and VERSIONINFO name.

#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_ENGLISH_US 0x01

#define VS_FF_DEBUG 0x00000001L
#define VOS__WINDOWS32 0x00000004L
#define VOS_WINDOWSCE 0x00050000L
#define VFT_APP 0x00000001L
#define VFT2_UNKNOWN 0x00000000L

#ifndef RC_INVOKED

CE_BEGIN_DECLS

#define ERROR_SUCCESS 0L
#define ERROR_MORE_DATA 234L

typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

#ifdef __cplusplus
static_assert(sizeof(SYSTEMTIME) == 16 && offsetof(SYSTEMTIME, wHour) == 8 && offsetof(SYSTEMTIME, wSecond) == 12,
              "SYSTEMTIME");
#endif

// The program's entry: CE hands the command line as UTF-16.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd);

void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime);
HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName);
DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
// On Windows CE the handle LoadResource returns is the resource's data, and
// COREDLL exports no LockResource: it is only the handle seen as a pointer.
static inline LPVOID LockResource(HGLOBAL hResData) { return (LPVOID)hResData; }
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

// Registry. CE ignores the options and access rights and wants no null
// subkey; they are passed as on the desktop.
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002)
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_NONE 0
#define REG_SZ 1
#define REG_BINARY 3
#define REG_DWORD 4
typedef DWORD REGSAM;

LONG WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LONG WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                            REGSAM samDesired, void* lpSecurityAttributes, PHKEY phkResult,
                            LPDWORD lpdwDisposition);
LONG WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                             LPDWORD lpcbData);
LONG WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                           DWORD cbData);
LONG WINAPI RegCloseKey(HKEY hKey);

CE_END_DECLS

#define GetModuleHandle GetModuleHandleW
#define GetModuleFileName GetModuleFileNameW
#define FindResource FindResourceW
#define RegOpenKeyEx RegOpenKeyExW
#define RegCreateKeyEx RegCreateKeyExW
#define RegQueryValueEx RegQueryValueExW
#define RegSetValueEx RegSetValueExW

#endif  // RC_INVOKED
