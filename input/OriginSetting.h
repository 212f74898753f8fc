// The origin-setting mode; it keeps no data of its own.
#pragma once

class CZelkDoc;

class COriginSetting {
public:
    // The input of the base-point mode 38.
    void OnInput(CZelkDoc* doc, int kind, int subCode);
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
};
