// Helpers of the native-file tests: a packer that builds expected file bytes from the format's
// tables (never with the writer), a drawing with an application object, and file access.
#pragma once

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// Little-endian fields, lines and records of the native format.
class NativePacker {
public:
    NativePacker& U8(int v) { m_bytes.push_back(static_cast<char>(v & 0xFF)); return *this; }
    NativePacker& I16(int v) { return Raw(static_cast<std::int16_t>(v)); }
    NativePacker& I32(std::int64_t v) { return Raw(static_cast<std::int32_t>(v)); }
    NativePacker& F64(double v) { return Raw(v); }
    NativePacker& Pt(double x, double y) { return F64(x).F64(y); }
    NativePacker& Text(const std::string& s) { m_bytes += s; return *this; }
    NativePacker& CrLf() { return Text("\r\n"); }
    NativePacker& Line(const std::string& s) { return Text(s).CrLf(); }
    NativePacker& Counted(const std::string& s) { return I16(static_cast<int>(s.size())).Text(s); }
    NativePacker& Bytes(const std::string& s) { return Text(s); }
    // keyword, u16 payload length, header fields, CR LF, payload
    NativePacker& Record(const std::string& keyword, const std::string& header,
                         const std::string& payload)
    {
        Text(keyword).I16(static_cast<int>(payload.size())).Text(header).CrLf();
        return Text(payload);
    }
    // The six header lines with empty information texts.
    NativePacker& Header(const std::string& version = "01.00")
    {
        return Line("Zelk data ver." + version)
            .Line("name ")
            .Line("renewal-1  ")
            .Line("renewal-2  ")
            .Line("renewal-3  ")
            .Line("create  ");
    }
    // An element tail of the current version.
    NativePacker& Tail(int layer, int group, int role, const std::vector<int>& strings = {})
    {
        I16(layer).I16(group).I16(role).I16(static_cast<int>(strings.size()));
        for (int s : strings)
            I16(s);
        return *this;
    }
    NativePacker& Pen(int type, int width, std::uint32_t color, int blur, int rate)
    {
        return I32(type).I16(width).I32(color).U8(blur).U8(rate);
    }
    // A font item: LOGFONT (height, width, escapement, weight, face), form codes, angle value,
    // spacing, right-to-left, height and width in tenths.
    NativePacker& Font(int lfHeight, int lfWidth, int escapement, const std::string& face,
                       const std::vector<int>& forms, double angle, double spacing, int rtl,
                       int height, int width)
    {
        LogFont(lfHeight, lfWidth, escapement, face);
        for (int f : forms)
            U8(f);
        return F64(angle).F64(spacing).I32(rtl).I32(height).I32(width);
    }
    NativePacker& LogFont(int lfHeight, int lfWidth, int escapement, const std::string& face)
    {
        I32(lfHeight).I32(lfWidth).I32(escapement).I32(escapement).I32(400);
        for (int i = 0; i < 8; ++i)
            U8(i == 3 ? 128 : 0);
        std::string f = face;
        f.resize(32, '\0');
        return Text(f);
    }
    const std::string& Get() const { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }

private:
    template <class T>
    NativePacker& Raw(T v)
    {
        char b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T));
        m_bytes.append(b, sizeof(T));
        return *this;
    }
    std::string m_bytes;
};

inline CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

inline std::string ReadFileBytes(const CString& path)
{
    std::ifstream in(FileSystemPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const CString& path, const std::string& bytes)
{
    std::ofstream out(FileSystemPath(path), std::ios::binary);
    out << bytes;
}

inline CScriptedServices& Scripted()
{
    return DefaultScriptedServices();
}

// An application object, a fresh drawing with its write layer named "0", and a view of it.
class NativeFileFixture : public testing::Test {
protected:
    void SetUp() override
    {
        Scripted().m_messages.clear();
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->m_dataVersion = "01.00";
        m_doc = NewDoc();
        m_view.m_document = m_doc.get();
    }
    void TearDown() override
    {
        m_view.m_document = nullptr;
        m_doc.reset();
        g_pApp = nullptr;
        m_app.reset();
        Scripted().m_messages.clear();
    }
    std::unique_ptr<CZelkDoc> NewDoc()
    {
        auto doc = std::make_unique<CZelkDoc>();
        doc->GetLayer(0)->m_name = "0";
        return doc;
    }
    CString PathOf(const char* name) const { return ProgramFolder() + name; }
    // The bytes the view writes for a document (item flag 0).
    std::string Written(CZelkDoc* doc, const char* name = "w.zel")
    {
        CZelkView view;
        view.m_document = doc;
        view.m_layerStates.SetSize(doc->m_layers.GetSize());
        EXPECT_EQ(view.WriteNativeFile(PathOf(name), 0), 1);
        return ReadFileBytes(PathOf(name));
    }
    // Reads bytes into a fresh drawing; returns the reader's result.
    int ReadInto(CZelkDoc* doc, const std::string& bytes, const char* name = "r.zel")
    {
        WriteFileBytes(PathOf(name), bytes);
        return doc->LoadNativeFile(PathOf(name));
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& m : Scripted().m_messages)
            texts.push_back(m.text.Std());
        return texts;
    }

    std::unique_ptr<CZelkApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;
    CZelkView m_view;
};
