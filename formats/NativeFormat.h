// The native drawing file's keywords, record headers, item sizes and the layouts of the older
// data versions, shared by the writer (a view operation) and the reader (a document operation).
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

// Record codes of the keyword table.
enum NativeRecordCode {
    NATIVE_VERSION = 1,
    NATIVE_NAME = 2,
    NATIVE_RENEWAL1 = 3,
    NATIVE_RENEWAL2 = 4,
    NATIVE_RENEWAL3 = 5,
    NATIVE_CREATE = 6,
    NATIVE_MEMO = 7,
    NATIVE_LAYER = 8,
    NATIVE_PEN = 10,
    NATIVE_FONT = 11,
    NATIVE_ORIGIN = 12,
    NATIVE_RATIO = 13,
    NATIVE_LINE = 14,
    NATIVE_CIRCLE = 15,
    NATIVE_ARC = 16,
    NATIVE_TEXT = 17,
    NATIVE_GROUP = 18,
    NATIVE_ITEM = 19,
    NATIVE_END = 20,
    NATIVE_STRING = 21,
    NATIVE_POINT = 22,
    NATIVE_CONIC = 23,
    NATIVE_CURVE = 24
};

struct NativeKeyword {
    const char* m_keyword;
    int m_code;
    int m_headerSize;     // bytes of keyword, length, header fields and CR LF; 0 for lines
    int m_lengthOffset;   // where the length field sits in the header
};

// In matching order; a keyword matches when its bytes stand at the position, whatever follows.
extern const NativeKeyword g_nativeKeywords[];
extern const int g_nativeKeywordCount;
// The longest keyword: the matcher never looks further than this.
constexpr int kNativeKeywordMaxLength = 14;

// The entry matching at data[0..remaining), or none.
const NativeKeyword* MatchNativeKeyword(const BYTE* data, int remaining);
const NativeKeyword* FindNativeKeyword(int code);

// The header-line prefixes (codes 1 to 6).
extern const char* const g_nativeLinePrefixes[6];

// A header line, its CR LF included, ends within this many bytes of its start.
constexpr int kNativeLineLimit = 1000;
// Memo texts are cut into pieces of this many bytes, each written as a line of its own.
constexpr int kNativeMemoPiece = 80;
// The record length field is 16 bits.
constexpr int kNativeMaxPayload = 0xFFFF;
// Bytes of one font item and of the LOGFONT at its start.
constexpr int kNativeFontItemSize = 93;
constexpr int kNativeLogFontSize = 60;
constexpr int kNativeFaceNameSize = 32;
// The "item" framing (keyword, u32 length, CR LF, data, CR LF) less the data, and "end" CR LF.
constexpr int kNativeItemFraming = 12;
constexpr int kNativeEndSize = 5;

// The data versions: "00.00A" to "00.00G" and every other text, which reads as the current
// layout. The item layouts are chosen by exact comparison of the version text.
enum NativeVersionRank {
    NATIVE_VERSION_A = 1,
    NATIVE_VERSION_B,
    NATIVE_VERSION_C,
    NATIVE_VERSION_D,
    NATIVE_VERSION_E,
    NATIVE_VERSION_F,
    NATIVE_VERSION_G,
    NATIVE_VERSION_CURRENT
};
int NativeVersionRank(const CString& version);

// The smallest item of a record in a version (what must remain of the payload for the reader to
// read one more); 0 for records read as lines or as one value.
int NativeItemMinimum(int code, int rank);

// The data version this program writes.
CString NativeDataVersion();

// Messages of the native file.
extern const char* const kNativeMsgNoMemory;
extern const char* const kNativeMsgDamaged;
extern const char* const kNativeMsgRecovered;
extern const char* const kNativeMsgNewerVersion;
extern const char* const kNativeMsgItemsFailed;
extern const char* const kNativeMsgCannotWrite;
extern const char* const kNativeMsgItemTooLarge;
