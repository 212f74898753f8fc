// The native drawing file's keyword table, version layouts and messages.
#include "formats/NativeFormat.h"

#include "app/ZelkApp.h"

#include <cstring>

const NativeKeyword g_nativeKeywords[] = {
    {"Zelk data ver.", NATIVE_VERSION, 0, 0},
    {"name", NATIVE_NAME, 0, 0},
    {"renewal-1", NATIVE_RENEWAL1, 0, 0},
    {"renewal-2", NATIVE_RENEWAL2, 0, 0},
    {"renewal-3", NATIVE_RENEWAL3, 0, 0},
    {"create", NATIVE_CREATE, 0, 0},
    {"memo", NATIVE_MEMO, 8, 4},
    {"layer", NATIVE_LAYER, 9, 5},
    {"pen", NATIVE_PEN, 7, 3},
    {"font", NATIVE_FONT, 8, 4},
    {"origin", NATIVE_ORIGIN, 10, 6},
    {"ratio", NATIVE_RATIO, 9, 5},
    {"string", NATIVE_STRING, 10, 6},
    {"point", NATIVE_POINT, 11, 5},
    {"line", NATIVE_LINE, 11, 4},
    {"circle", NATIVE_CIRCLE, 12, 6},
    {"arc", NATIVE_ARC, 9, 3},
    {"conic", NATIVE_CONIC, 11, 5},
    {"curve", NATIVE_CURVE, 11, 5},
    {"text", NATIVE_TEXT, 10, 4},
    {"group", NATIVE_GROUP, 9, 5},
    {"item", NATIVE_ITEM, 10, 4},
    {"end", NATIVE_END, 0, 0},
};
const int g_nativeKeywordCount = sizeof(g_nativeKeywords) / sizeof(g_nativeKeywords[0]);

const char* const g_nativeLinePrefixes[6] = {
    "Zelk data ver.", "name ", "renewal-1 ", "renewal-2 ", "renewal-3 ", "create ",
};

const NativeKeyword* MatchNativeKeyword(const BYTE* data, int remaining)
{
    for (int i = 0; i < g_nativeKeywordCount; ++i) {
        const NativeKeyword& k = g_nativeKeywords[i];
        const int n = static_cast<int>(std::strlen(k.m_keyword));
        if (n <= remaining && std::memcmp(data, k.m_keyword, n) == 0)
            return &k;
    }
    return nullptr;
}

const NativeKeyword* FindNativeKeyword(int code)
{
    for (int i = 0; i < g_nativeKeywordCount; ++i) {
        if (g_nativeKeywords[i].m_code == code)
            return &g_nativeKeywords[i];
    }
    return nullptr;
}

int NativeVersionRank(const CString& version)
{
    static const char* const older[] = {"00.00A", "00.00B", "00.00C", "00.00D",
                                        "00.00E", "00.00F", "00.00G"};
    for (int i = 0; i < 7; ++i) {
        if (version == older[i])
            return NATIVE_VERSION_A + i;
    }
    return NATIVE_VERSION_CURRENT;
}

int NativeItemMinimum(int code, int rank)
{
    const bool withAttributes = rank >= NATIVE_VERSION_D;
    switch (code) {
    case NATIVE_PEN:
        return rank <= NATIVE_VERSION_D ? 8 : rank == NATIVE_VERSION_E ? 10 : 12;
    case NATIVE_FONT:
        return 28;
    case NATIVE_GROUP:
        return 6;
    case NATIVE_STRING:
        return 2;
    case NATIVE_POINT:
        return withAttributes ? 22 : 20;
    case NATIVE_LINE:
        return withAttributes ? 42 : 40;
    case NATIVE_CIRCLE:
        return withAttributes ? 30 : 28;
    case NATIVE_ARC:
        return 48;
    case NATIVE_CONIC:
        return 44;
    case NATIVE_CURVE:
        return 4;
    case NATIVE_TEXT:
        return 32;
    default:
        return 0;
    }
}

CString NativeDataVersion()
{
    if (g_pApp && !g_pApp->m_dataVersion.IsEmpty())
        return g_pApp->m_dataVersion;
    return "01.00";
}

const char* const kNativeMsgNoMemory = "使用可能なメモリ領域が十分ではありません";
const char* const kNativeMsgDamaged = "ファイルに問題があります。データの復元を試みます。";
const char* const kNativeMsgRecovered =
    "データの復元を試みました。一部のデータが失われた可能性があります。";
const char* const kNativeMsgNewerVersion =
    "データのバージョンがこのソフトより新しく読みとれません。最新ソフトに入れ替えてください。";
const char* const kNativeMsgItemsFailed = "Ole Item の読み込みは失敗しました";
const char* const kNativeMsgCannotWrite = "書き出しできません";
const char* const kNativeMsgItemTooLarge =
    "大きすぎるデータ(曲線、メモ、文字列など)があるため書き出しできません";
