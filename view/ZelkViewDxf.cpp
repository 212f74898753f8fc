// The view's DXF import: the file read whole into memory and handed to the DXF reader, then the
// drawing shown and the layer-renaming notice given.
#include <climits>
#include <cstring>
#include <memory>
#include <new>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "formats/DxfReader.h"
#include "formats/FileDialogs.h"
#include "platform/core/File.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"
#include "formats/FileDialogs.h"

int CZelkView::LookupDxfLineType(const CObArray& styles, const CString& name)
{
    return DxfLineTypeOf(styles, name);
}

namespace {

const char* const kMsgSkippedEntities = "読み込めないDXF要素 %d 個を省略しました：%s";
const char* const kSkippedKind = "%s %d 個";
const char* const kSkippedKindSeparator = "、";
const char* const kSkippedOtherKinds = "ほか %d 種類";
// A damaged file can name a new kind with every entity: the line names the first few.
constexpr size_t kSkippedKindsNamed = 8;

// The kinds an import passed over and how many of each, for the message line.
CString SkippedEntitiesNote(const std::vector<std::pair<CString, int>>& skipped)
{
    if (skipped.empty())
        return CString();
    CString kinds;
    int total = 0;
    for (size_t i = 0; i < skipped.size(); ++i) {
        const auto& [name, count] = skipped[i];
        total += count;
        if (i >= kSkippedKindsNamed)
            continue;
        if (!kinds.IsEmpty())
            kinds += kSkippedKindSeparator;
        kinds += FormatString(kSkippedKind, name.GetString(), count);
    }
    if (skipped.size() > kSkippedKindsNamed) {
        kinds += kSkippedKindSeparator;
        kinds += FormatString(kSkippedOtherKinds, static_cast<int>(skipped.size() - kSkippedKindsNamed));
    }
    return FormatString(kMsgSkippedEntities, total, kinds.GetString());
}

// The file read a block at a time as the import comes to it, so that a large file is never held
// whole in memory.
class CDxfFileSource : public CDxfSource {
public:
    static constexpr int kBlock = 1 << 20;

    CDxfFileSource(CFile& file, int length, BYTE* buffer)
        : m_file(file), m_length(length), m_buffer(buffer)
    {
    }

    const BYTE* From(int position, int& available) override
    {
        const int end = m_start + m_filled;
        if (position > end) {
            m_file.Seek(position, CFile::begin);
            m_start = position;
            m_filled = 0;
        }
        if (position + kDxfLineMax + 2 > m_start + m_filled && m_start + m_filled < m_length)
            Refill(position);
        const int filledEnd = m_start + m_filled;
        available = filledEnd > position ? filledEnd - position : 0;
        return m_buffer + (position - m_start);
    }
    int Length() const override { return m_length; }

private:
    void Refill(int position)
    {
        const int kept = m_start + m_filled - position;
        std::memmove(m_buffer, m_buffer + (position - m_start), static_cast<size_t>(kept));
        m_start = position;
        m_filled = kept;
        while (m_filled < kBlock && m_start + m_filled < m_length) {
            const UINT n = m_file.Read(m_buffer + m_filled, static_cast<UINT>(kBlock - m_filled));
            if (n == 0) {
                // The file ended early: its data ends here.
                m_length = m_start + m_filled;
                break;
            }
            m_filled += static_cast<int>(n);
        }
        if (m_start + m_filled > m_length)
            m_filled = m_length - m_start;
    }

    CFile& m_file;
    int m_length;
    BYTE* m_buffer;
    int m_start = 0;
    int m_filled = 0;
};

}  // namespace

int CZelkView::ReadDxfData(const CString& path, int* layerReplaced)
{
    m_dxfSkippedNote.Empty();
    if (!m_document)
        return 0;
    try {
        CFile file(path, CFile::modeRead | CFile::typeBinary);
        DWORD size = file.GetLength();
        if (size > static_cast<DWORD>(INT_MAX - 16)) {
            Services().MessageBox("使用可能なメモリ領域が十分ではありません", "", MB_OK);
            return 0;
        }
        std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[CDxfFileSource::kBlock]);
        if (!buffer) {
            Services().MessageBox("使用可能なメモリ領域が十分ではありません", "", MB_OK);
            return 0;
        }
        CDxfFileSource source(file, static_cast<int>(size), buffer.get());
        CDxfReader reader(m_document, source, layerReplaced);
        const int result = reader.Run();
        file.Close();
        // Data without a single section is no drawing: opened as an empty one, a save would
        // overwrite whatever the file really is.
        if (!reader.SectionSeen())
            return 0;
        m_dxfSkippedNote = SkippedEntitiesNote(reader.SkippedEntities());
        if (result && !m_dxfSkippedNote.IsEmpty())
            m_document->m_lossyDxfPaths.Add(path);
        return result;
    } catch (CException&) {
        return 0;
    }
}
