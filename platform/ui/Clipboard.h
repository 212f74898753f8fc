// The clipboard as the program uses it: global memory blocks, CF_TEXT in Shift-JIS with CR LF
// line ends, images (CF_DIB) and formats registered by name ("Zelk Client"), on Qt's clipboard.
#pragma once

#include "platform/ui/WinUser.h"

typedef struct HGLOBAL__* HGLOBAL;
typedef HGLOBAL HANDLE;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

HGLOBAL GlobalAlloc(UINT uFlags, std::size_t dwBytes);
LPVOID GlobalLock(HGLOBAL hMem);
BOOL GlobalUnlock(HGLOBAL hMem);
std::size_t GlobalSize(HGLOBAL hMem);
HGLOBAL GlobalFree(HGLOBAL hMem);

// Registered formats get ids from 0xC000 on; the same name gives the same id.
UINT RegisterClipboardFormat(LPCTSTR lpszFormat);
BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// The clipboard takes the block over.
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// A block the clipboard owns; valid until the clipboard changes.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);
// Puts a picture (bytes of any format the platform decodes) on the open clipboard as its image,
// offered to other programs as CF_DIB; FALSE when the bytes are no picture.
BOOL SetClipboardImage(const BYTE* data, std::size_t size);
