// Seeded mutation runs through the application's open command: damaged native and DXF drawing
// files are opened as a user opens them (a window made, the file read, messages shown) without
// a crash, an overrun or a hang, and opening never changes the file on disk.
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/Wnd.h"
#include "tests/fuzz/FuzzKnobs.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/SampleDrawing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Fs(const CString& path)
{
    return FileSystemPath(path.GetString());
}

std::string Bytes(const CString& path)
{
    std::ifstream in(Fs(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One to four damages of a copy: bytes changed, a run cut out, a run doubled, the end cut off.
std::string Damage(std::string bytes, std::mt19937& random)
{
    const int damages = 1 + static_cast<int>(random() % 4);
    for (int d = 0; d < damages && !bytes.empty(); ++d) {
        const size_t at = random() % bytes.size();
        const size_t run = 1 + random() % std::min<size_t>(64, bytes.size() - at);
        switch (random() % 5) {
        case 0: bytes[at] = static_cast<char>(random()); break;
        case 1: bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8))); break;
        case 2: bytes.erase(at, run); break;
        case 3: bytes.insert(at, bytes.substr(at, run)); break;
        default: bytes.resize(at); break;
        }
    }
    return bytes;
}

TEST(OpenCommandFuzz, DamagedDrawingFilesOpenWithoutHarmAndStayAsTheyWere)
{
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name, Fs(ProgramFolder() + name),
                      fs::copy_options::overwrite_existing);
    DefaultScriptedServices() = CScriptedServices();
    DefaultScriptedUiServices().Reset();
    const CString native = ProgramFolder() + "sample.zel";
    WriteSampleDrawing(native, "2026/12/10");

    auto* app = new CZelkApp;
    ASSERT_TRUE(app->InitInstance());
    // The DXF sample is the same drawing exported by the program.
    const CString dxf = ProgramFolder() + "sample.dxf";
    auto* opened = static_cast<CZelkDoc*>(app->OpenDocumentFile(native));
    ASSERT_NE(opened, nullptr);
    ASSERT_TRUE(opened->WriteDxfFile(dxf));
    const std::string samples[2] = { Bytes(native), Bytes(dxf) };

    std::mt19937 random(fuzz_knobs::Seed(20261210));
    const int rounds = fuzz_knobs::Rounds(120);
    for (int round = 0; round < rounds; ++round) {
        const int kind = round % 2;
        const CString path = ProgramFolder() + (kind ? "damaged.dxf" : "damaged.zel");
        const std::string bytes = Damage(samples[kind], random);
        std::ofstream(Fs(path), std::ios::binary | std::ios::trunc) << bytes;
        app->CloseAllDocuments(TRUE);
        app->OpenDocumentFile(path);
        ASSERT_EQ(Bytes(path), bytes) << "round " << round;
        DefaultScriptedServices().m_messages.clear();
    }

    StopApplication(app);
}

} // namespace
