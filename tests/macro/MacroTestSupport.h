// The application a macro test runs in: a fresh application object installed as the global
// one, its unit and variable tables filled by the real loaders from files written into the
// test's program folder, and the scripted message boxes read back in order.
#pragma once

#include "app/ZelkApp.h"
#include "macro/MacroInterpreter.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

inline void WriteMacroProgramFile(const char* name, const std::vector<std::string>& lines)
{
    std::ofstream out(FileSystemPath(ProgramFolder() + name), std::ios::binary);
    for (const std::string& line : lines)
        out << line << "\r\n";
}

inline CStringArray LinesOf(const std::vector<std::string>& lines)
{
    CStringArray array;
    for (const std::string& line : lines)
        array.Add(line.c_str());
    return array;
}

class MacroAppFixture : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices().m_messages.clear();
        DefaultScriptedServices().m_beeps.clear();
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->m_macroLoopLimit = 200;
    }
    void TearDown() override
    {
        g_pApp = nullptr;
        m_app.reset();
        DefaultScriptedServices().m_messages.clear();
        DefaultScriptedServices().m_beeps.clear();
    }
    // Fills the tables as start-up does, from the given definition files (none: no file).
    void LoadTables(const std::vector<std::string>& unitLines, const std::vector<std::string>& variableLines = {})
    {
        WriteMacroProgramFile("ZelkUnit.txt", unitLines);
        if (!variableLines.empty())
            WriteMacroProgramFile("Variable.txt", variableLines);
        m_app->BuildUnitTable(TRUE);
        m_app->AddPiConstant();
        m_app->ReadVariableFile();
        DefaultScriptedServices().m_messages.clear();
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& m : DefaultScriptedServices().m_messages)
            texts.push_back(m.text.Std());
        return texts;
    }
    void ClearMessages() { DefaultScriptedServices().m_messages.clear(); }

    std::unique_ptr<CZelkApp> m_app;
};
