// Files dropped on a window that accepts them: Qt's drag and drop turned into the window's
// OnDropFiles with a drop handle that DragQueryFile reads, as the shell delivers WM_DROPFILES.
#include "platform/ui/UiInternal.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QObject>
#include <QUrl>

#include <cstring>

namespace {

// What a drop handle holds: the dropped files' program paths, in the order given.
struct CDropInfo {
    std::vector<CString> files;
};

class CDropFilter : public QObject {
public:
    CDropFilter(CWnd* wnd, QObject* parent) : QObject(parent), m_wnd(wnd) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!LocalFiles(drag->mimeData()).empty())
                drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            CDropInfo info;
            for (const QString& file : LocalFiles(drop->mimeData()))
                info.files.push_back(PathFromQ(file));
            if (info.files.empty() || !UiIsLive(m_wnd))
                return true;
            drop->acceptProposedAction();
            m_wnd->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(&info), 0);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    static std::vector<QString> LocalFiles(const QMimeData* data)
    {
        std::vector<QString> files;
        if (data && data->hasUrls())
            for (const QUrl& url : data->urls())
                if (url.isLocalFile())
                    files.push_back(url.toLocalFile());
        return files;
    }

    CWnd* m_wnd;
};

} // namespace

void UiAcceptDroppedFiles(CWnd* wnd, QWidget* widget, bool accept)
{
    widget->setAcceptDrops(accept);
    // The filter has no meta-object of its own, so it is told from the widget's other children
    // by its type, not by findChild.
    CDropFilter* existing = nullptr;
    for (QObject* child : widget->children())
        if (auto* filter = dynamic_cast<CDropFilter*>(child))
            existing = filter;
    if (accept && !existing)
        widget->installEventFilter(new CDropFilter(wnd, widget));
    else if (!accept && existing)
        delete existing;
}

UINT DragQueryFile(void* hDrop, UINT iFile, LPTSTR lpszFile, UINT cch)
{
    const auto* info = static_cast<const CDropInfo*>(hDrop);
    if (!info)
        return 0;
    if (iFile == 0xFFFFFFFF)
        return static_cast<UINT>(info->files.size());
    if (iFile >= info->files.size())
        return 0;
    const CString& name = info->files[iFile];
    const UINT length = static_cast<UINT>(name.GetLength());
    if (!lpszFile)
        return length;
    if (cch == 0)
        return 0;
    const UINT copied = length < cch ? length : cch - 1;
    std::memcpy(lpszFile, name.GetString(), copied);
    lpszFile[copied] = '\0';
    return copied;
}

void DragFinish(void*) {}
