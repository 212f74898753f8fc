// A headless application and a fresh drawing for the DXF tests.
#pragma once

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"

#include <gtest/gtest.h>

#include <memory>

inline CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class DxfFixture : public testing::Test {
protected:
    std::unique_ptr<CZelkApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;

    void SetUp() override
    {
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->LoadSettings();
        m_doc = std::make_unique<CZelkDoc>();
        Layer(0)->m_name = "0";
    }
    void TearDown() override
    {
        m_doc.reset();
        g_pApp = nullptr;
        m_app.reset();
    }
    CLayer* Layer(int i) { return static_cast<CLayer*>(m_doc->m_layers.GetAt(i)); }
};
