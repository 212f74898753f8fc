// Helpers of the settings tests: an application object installed as g_pApp, a packer that
// builds expected archive bytes field by field, and files in the program folder.
#pragma once

#include "app/ZelkApp.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// Little-endian fields in the archive's encoding.
class Packer {
public:
    Packer& U8(int v) { m_bytes.push_back(static_cast<char>(v & 0xFF)); return *this; }
    Packer& I16(int v) { return Raw(static_cast<std::int16_t>(v)); }
    Packer& I32(std::int64_t v) { return Raw(static_cast<std::int32_t>(v)); }
    Packer& F64(double v) { return Raw(v); }
    Packer& Bytes(const void* p, size_t n)
    {
        m_bytes.append(static_cast<const char*>(p), n);
        return *this;
    }
    // Strings below 255 bytes carry a one-byte length.
    Packer& Str(const std::string& s)
    {
        if (s.size() < 255) {
            U8(static_cast<int>(s.size()));
        } else {
            U8(255);
            I16(static_cast<int>(s.size()));
        }
        m_bytes += s;
        return *this;
    }
    Packer& Strs(const std::vector<std::string>& list)
    {
        I16(static_cast<int>(list.size()));
        for (const std::string& s : list)
            Str(s);
        return *this;
    }
    const std::string& Get() const { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }

private:
    template <class T>
    Packer& Raw(T v)
    {
        char b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T)); // the test machines are little-endian, as the format
        m_bytes.append(b, sizeof(T));
        return *this;
    }
    std::string m_bytes;
};

inline std::string ProgramFolderText()
{
    return ProgramFolder().Std();
}

inline std::string FilePathOf(const char* name)
{
    return FileSystemPath(ProgramFolder() + name);
}

inline void WriteProgramFile(const char* name, const std::string& bytes)
{
    std::ofstream out(FilePathOf(name), std::ios::binary);
    out << bytes;
}

inline bool ProgramFileExists(const char* name)
{
    std::ifstream in(FilePathOf(name), std::ios::binary);
    return in.good();
}

inline std::string ReadProgramFile(const char* name)
{
    std::ifstream in(FilePathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline CScriptedServices& Scripted()
{
    return DefaultScriptedServices();
}

// A fresh application object installed as the global one, with a clean message record and a
// fixed clock.
class AppFixture : public testing::Test {
public:
    static constexpr std::int64_t kNow = 1800000000;

protected:

    void SetUp() override
    {
        Scripted().m_messages.clear();
        Scripted().SetTime(kNow);
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
    }
    void TearDown() override
    {
        g_pApp = nullptr;
        m_app.reset();
        Scripted().m_messages.clear();
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& m : Scripted().m_messages)
            texts.push_back(m.text.Std());
        return texts;
    }
    CZelkApp& App() { return *m_app; }

    std::unique_ptr<CZelkApp> m_app;
};
