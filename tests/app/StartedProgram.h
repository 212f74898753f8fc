// A fixture with the program started as a user starts it: the main window shown and active,
// its definition files in the program folder; ended as its close button ends it.
#pragma once

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/WindowSurface.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <filesystem>

class StartedProgram : public testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
            fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                          FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_frame = m_app->m_pMainFrame;
        UiDriver::ShowAndActivate(m_frame);
    }
    void TearDown() override
    {
        if (m_app->m_pMainWnd) {
            m_app->CloseAllDocuments(TRUE);
            m_app->m_pMainWnd->SendMessage(WM_CLOSE);
            m_app->m_pMainWnd = nullptr;
        }
        UiDriver::Pump();
        m_app->ExitInstance();
        delete m_app;
        g_pApp = nullptr;
    }

    // A key in the active drawing window, which has the keyboard.
    void KeyInView(UINT key)
    {
        UiDriver::ShowAndActivate(m_frame);
        m_app->m_activeView->SetFocus();
        UiDriver::Pump();
        UiDriver::Key(key);
        UiDriver::Pump();
    }
    // The world point shown at a pixel of a view, and the pixel that shows a world point.
    static CPointD WorldAt(CZelkView* view, POINT pixel)
    {
        CClientDC dc(view);
        view->OnPrepareDC(&dc);
        dc.DPtoLP(&pixel);
        CPointD p;
        p.Init(pixel.x, pixel.y);
        return p.ScreenToWorld(view->m_origin, view->m_zoom);
    }
    static POINT PixelOf(CZelkView* view, CPointD world)
    {
        const CPointD s = world.WorldToScreen(view->m_origin, view->m_zoom);
        return view->LogicalToDevicePoint(POINT{ static_cast<LONG>(s.m_x), static_cast<LONG>(s.m_y) });
    }

    // A right click in the active drawing window, brought to the front with the keyboard.
    void RightClickInView(POINT pixel)
    {
        UiDriver::ShowAndActivate(m_frame);
        m_app->m_activeView->SetFocus();
        UiDriver::Pump();
        UiDriver::Click(m_app->m_activeView, pixel, UiDriver::Right);
        UiDriver::Pump();
    }
    // Any pixel within two of a point that differs from the background.
    static bool DrawnNear(const CSurfaceCopy& shot, POINT at, COLORREF background)
    {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const int x = at.x + dx, y = at.y + dy;
                if (x >= 0 && y >= 0 && x < shot.width && y < shot.height && shot.At(x, y) != background)
                    return true;
            }
        return false;
    }

    CZelkApp* m_app = nullptr;
    CMainFrame* m_frame = nullptr;
};
