// The record through which every input of a drawing reaches its commands.
#pragma once

class CZelkDoc;

class CInputEvent {
public:
    CZelkDoc* m_doc;

    explicit CInputEvent(CZelkDoc* doc);
};
