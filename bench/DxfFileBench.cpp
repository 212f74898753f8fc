// Whole-file DXF import and export and drawing-file write and read on generated files of 10^4 to
// 10^6 LINEs and of a mixed file (lines, circles, arcs, Japanese texts, closed polylines with
// bulges; 10^6 entities give 1.6 million elements). A bare pass that only splits the file into
// group codes and numbers stands beside the import as its floor.
#include "bench/BenchDrawing.h"
#include "bench/BenchPicture.h"
#include "tests/formats/GeneratedDxf.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/DataPoints.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "view/ZelkView.h"

#include <charconv>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace bench;

void FileSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Complexity();
}

enum FileKind { kLines, kMixed };

// The generated file of n entities of a kind, written once per run of the benchmarks.
std::string FilePath(FileKind kind, int n)
{
    char name[64];
    std::snprintf(name, sizeof name, "bench-%s-%d.dxf", kind == kLines ? "lines" : "mixed", n);
    const std::string path = FileSystemPath(BenchPath(name));
    static std::vector<std::string> written;
    for (const std::string& p : written)
        if (p == path)
            return path;
    if (kind == kLines)
        gendxf::WriteLines(path, n);
    else
        gendxf::WriteMixed(path, n);
    written.push_back(path);
    return path;
}

std::unique_ptr<CZelkDoc> Import(const std::string& path)
{
    auto doc = std::make_unique<CZelkDoc>();
    CZelkView view;
    view.m_document = doc.get();
    int replaced = 0;
    const int result = view.ReadDxfData(ProgramPath(path), &replaced);
    view.m_document = nullptr;
    return result ? std::move(doc) : nullptr;
}

template <class Block>
long CountIn(const CObArray& blocks)
{
    long n = 0;
    for (int b = 0; b < blocks.GetSize(); ++b)
        n += static_cast<const Block*>(blocks[b])->m_count;
    return n;
}

// Points, lines, circles, arcs and texts of a drawing.
long ElementCount(const CZelkDoc& doc)
{
    return CountIn<CDataPoints>(doc.m_pointBlocks) + CountIn<CLines>(doc.m_lineBlocks) +
           CountIn<CCircles>(doc.m_circleBlocks) + CountIn<CArcs>(doc.m_arcBlocks) +
           CountIn<CTexts>(doc.m_textBlocks);
}

void RunImport(benchmark::State& state, FileKind kind)
{
    AppScope scope;
    const std::string path = FilePath(kind, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto doc = Import(path);
        if (!doc) {
            state.SkipWithError("import failed");
            break;
        }
        state.PauseTiming();
        state.counters["elements"] = static_cast<double>(ElementCount(*doc));
        state.counters["lineBlocks"] = doc->m_lineBlocks.GetSize();
        state.counters["textBlocks"] = doc->m_textBlocks.GetSize();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

// The floor of an import: the file read, split into lines, group codes read as integers and the
// values of coordinate codes as numbers.
void RunTokenize(benchmark::State& state, FileKind kind)
{
    const std::string path = FilePath(kind, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        std::string data(static_cast<size_t>(in.tellg()), '\0');
        in.seekg(0);
        in.read(data.data(), static_cast<std::streamsize>(data.size()));
        const char* p = data.data();
        const char* end = p + data.size();
        double sum = 0.0;
        long pairs = 0;
        while (p < end) {
            const char* eol = static_cast<const char*>(std::memchr(p, '\n', end - p));
            if (!eol)
                break;
            const char* c = p;
            while (*c == ' ')
                ++c;
            int code = 0;
            std::from_chars(c, eol, code);
            p = eol + 1;
            eol = static_cast<const char*>(std::memchr(p, '\n', end - p));
            if (!eol)
                break;
            if (code >= 10 && code < 60) {
                double v = 0.0;
                std::from_chars(p, eol, v);
                sum += v;
            }
            ++pairs;
            p = eol + 1;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(pairs);
    }
    state.SetComplexityN(state.range(0));
}

void RunExport(benchmark::State& state, FileKind kind)
{
    AppScope scope;
    auto doc = Import(FilePath(kind, static_cast<int>(state.range(0))));
    if (!doc) {
        state.SkipWithError("import failed");
        return;
    }
    doc->ComputeExtents();
    for (auto _ : state) {
        if (!doc->WriteDxfFile(BenchPath("bench-export.dxf")))
            state.SkipWithError("export failed");
    }
    state.SetComplexityN(state.range(0));
}

// A drawing file of the imported drawing written, then read into a fresh drawing.
void RunNative(benchmark::State& state, FileKind kind)
{
    AppScope scope;
    auto doc = Import(FilePath(kind, static_cast<int>(state.range(0))));
    if (!doc) {
        state.SkipWithError("import failed");
        return;
    }
    CZelkView view;
    view.m_document = doc.get();
    const CString path = BenchPath("bench-file.zel");
    for (auto _ : state) {
        if (!view.WriteNativeFile(path, 0))
            state.SkipWithError("write failed");
        auto read = std::make_unique<CZelkDoc>();
        if (!read->LoadNativeFile(path)) {
            state.SkipWithError("read failed");
            break;
        }
        state.PauseTiming();
        read.reset();
        state.ResumeTiming();
    }
    view.m_document = nullptr;
    state.SetComplexityN(state.range(0));
}

// Opening the mixed file until the whole picture stands: the import, the drawing's extents, show
// all and the paint of the whole window.
void BM_OpenToPicture(benchmark::State& state)
{
    AppScope scope;
    EnsureGuiApplication();
    const std::string path = FilePath(kMixed, static_cast<int>(state.range(0)));
    const IndexSwitch index(state);
    for (auto _ : state) {
        auto doc = Import(path);
        if (!doc) {
            state.SkipWithError("import failed");
            break;
        }
        doc->ComputeExtents();
        // Show all, and the paint after it.
        auto shown = std::make_unique<ShownDrawing>(std::move(doc));
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}

void BM_ImportLines(benchmark::State& s) { RunImport(s, kLines); }
void BM_ImportMixed(benchmark::State& s) { RunImport(s, kMixed); }
void BM_TokenizeLines(benchmark::State& s) { RunTokenize(s, kLines); }
void BM_TokenizeMixed(benchmark::State& s) { RunTokenize(s, kMixed); }
void BM_ExportLines(benchmark::State& s) { RunExport(s, kLines); }
void BM_ExportMixed(benchmark::State& s) { RunExport(s, kMixed); }
void BM_NativeWriteReadLines(benchmark::State& s) { RunNative(s, kLines); }
void BM_NativeWriteReadMixed(benchmark::State& s) { RunNative(s, kMixed); }

}  // namespace

BENCHMARK(BM_TokenizeLines)->Apply(FileSizes);
BENCHMARK(BM_ImportLines)->Apply(FileSizes);
BENCHMARK(BM_TokenizeMixed)->Apply(FileSizes);
BENCHMARK(BM_ImportMixed)->Apply(FileSizes);
BENCHMARK(BM_ExportLines)->Apply(FileSizes);
BENCHMARK(BM_ExportMixed)->Apply(FileSizes);
BENCHMARK(BM_NativeWriteReadLines)->Apply(FileSizes);
BENCHMARK(BM_NativeWriteReadMixed)->Apply(FileSizes);
BENCHMARK(BM_OpenToPicture)->Apply(WindowSizes);
