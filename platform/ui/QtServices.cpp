// Real Qt implementations of the services.
#include "platform/ui/QtServices.h"

#include "platform/ui/UiInternal.h"
#include "platform/ui/WinApp.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <QTimer>
#include <QUrl>

#include <ctime>

struct CQtServices::Impl {
    QElapsedTimer clock;
    std::map<std::pair<TimerOwner, UINT>, std::unique_ptr<QTimer>> timers;
};

CQtServices::CQtServices() : m_impl(std::make_unique<Impl>())
{
    m_impl->clock.start();
}

CQtServices::~CQtServices() = default;

namespace {

// A text taller than most of the screen scrolls inside the box, so that the box and its buttons
// stay on the screen; the box's own layout would grow with the text.
void ScrollLongText(QMessageBox& box)
{
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!label || !grid || !screen)
        return;
    const QRect avail = screen->availableGeometry();
    const int limit = avail.height() * 3 / 5;
    const QSize hint = label->sizeHint();
    if (hint.height() <= limit)
        return;
    int row = 0, column = 0, rows = 1, columns = 1;
    grid->getItemPosition(grid->indexOf(label), &row, &column, &rows, &columns);
    grid->removeWidget(label);
    auto* area = new QScrollArea(&box);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(label);
    const int bar = area->verticalScrollBar()->sizeHint().width();
    area->setMinimumSize(std::min(hint.width() + bar, avail.width() * 3 / 5), limit);
    area->setMaximumHeight(limit);
    grid->addWidget(area, row, column, rows, columns);
}

// The box is as wide as its longest line, up to three quarters of the screen, as the window
// system's message box is; Qt's own breaks any line past about 500 pixels, in the middle of a
// word or of a path.
void FitTextWidth(QMessageBox& box)
{
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!label || !screen)
        return;
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString& line : label->text().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    label->setMinimumWidth(std::min(widest + 2, screen->availableGeometry().width() * 3 / 4));
}

} // namespace

int CQtServices::MessageBox(const CString& text, const CString& caption, UINT type)
{
    // A smoke run has no one to answer a box, as it has no one to answer a dialog: the box
    // is written to the error output and declined (No where the box has it, so that the
    // question whether to write a drawing at the end writes nothing and lets the run end;
    // else Cancel; else its first button).
    if (std::getenv("ZELK_QUIT_AT_START")) {
        std::fprintf(stderr, "%s\n", UiCp932ToUtf8(text.GetString(), text.GetLength()).c_str());
        std::fflush(stderr);
        switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL: return IDNO;
        case MB_OKCANCEL:
        case MB_RETRYCANCEL: return IDCANCEL;
        case MB_ABORTRETRYIGNORE: return IDABORT;
        default: return IDOK;
        }
    }
    UiEnsureApplication();
    QMessageBox box;
    box.setText(ToQ(text));
    FitTextWidth(box);
    ScrollLongText(box);
    box.setWindowTitle(ToQ(caption.IsEmpty() ? CString(AfxGetAppName()) : caption));
    switch (type & 0xF0) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B {
        QMessageBox::StandardButton b;
        int id;
    };
    std::vector<B> buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = { { QMessageBox::Ok, IDOK }, { QMessageBox::Cancel, IDCANCEL } }; break;
    case MB_ABORTRETRYIGNORE:
        buttons = { { QMessageBox::Abort, IDABORT }, { QMessageBox::Retry, IDRETRY }, { QMessageBox::Ignore, IDIGNORE } };
        break;
    case MB_YESNOCANCEL:
        buttons = { { QMessageBox::Yes, IDYES }, { QMessageBox::No, IDNO }, { QMessageBox::Cancel, IDCANCEL } };
        break;
    case MB_YESNO: buttons = { { QMessageBox::Yes, IDYES }, { QMessageBox::No, IDNO } }; break;
    case MB_RETRYCANCEL: buttons = { { QMessageBox::Retry, IDRETRY }, { QMessageBox::Cancel, IDCANCEL } }; break;
    default: buttons = { { QMessageBox::Ok, IDOK } }; break;
    }
    QMessageBox::StandardButtons all;
    for (const B& b : buttons)
        all |= b.b;
    box.setStandardButtons(all);
    size_t def = (type & MB_DEFBUTTON3) ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
    if (def < buttons.size())
        box.setDefaultButton(buttons[def].b);
    int r = box.exec();
    for (const B& b : buttons)
        if (r == b.b)
            return b.id;
    return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
}

void CQtServices::MessageBeep(UINT)
{
    QApplication::beep();
}

void CQtServices::Sleep(DWORD milliseconds)
{
    QThread::msleep(milliseconds);
}

DWORD CQtServices::GetTickCount()
{
    return static_cast<DWORD>(m_impl->clock.elapsed());
}

std::int64_t CQtServices::Time()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

BOOL CQtServices::StartTimer(TimerOwner owner, UINT id, UINT elapse, TimerCallback callback)
{
    UiEnsureApplication();
    auto& slot = m_impl->timers[{ owner, id }];
    if (!slot)
        slot = std::make_unique<QTimer>();
    QTimer* t = slot.get();
    t->disconnect();
    t->setInterval(static_cast<int>(elapse));
    QObject::connect(t, &QTimer::timeout, [callback, id]() { callback(id); });
    t->start();
    return TRUE;
}

BOOL CQtServices::StopTimer(TimerOwner owner, UINT id)
{
    auto it = m_impl->timers.find({ owner, id });
    if (it == m_impl->timers.end())
        return FALSE;
    it->second->stop();
    // The timer may be stopping itself from inside its own timeout.
    it->second.release()->deleteLater();
    m_impl->timers.erase(it);
    return TRUE;
}

BOOL CQtServices::ShellOpen(const CString& path)
{
    QString p = PathToQ(path);
    QUrl url = p.contains(QLatin1String("://")) ? QUrl(p) : QUrl::fromLocalFile(p);
    return QDesktopServices::openUrl(url);
}

void CQtServices::RunModal(IModalSession& session)
{
    // A smoke run has no one to answer a dialog (the first start's notices come before the
    // event loop that would quit): it is cancelled.
    if (std::getenv("ZELK_QUIT_AT_START")) {
        session.Press(IDCANCEL);
        return;
    }
    // The dialog's own widget runs the loop; the session closes it through its buttons.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&]() {
        if (!session.IsOpen())
            loop.quit();
    });
    poll.start(20);
    if (session.IsOpen())
        loop.exec();
}

namespace {

QStringList FileDialogFilters(const CString& filter)
{
    // "Name (*.a)|*.a;*.b|Other|*.*||" -> "Name (*.a *.b)", "Other (*.*)": Qt filters by the
    // patterns in the last parentheses, so a name that shows its patterns already has them
    // replaced by the real ones instead of followed by a second pair.
    QStringList parts = ToQ(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString name = parts[i].trimmed();
        QString pattern = parts[i + 1].trimmed();
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (name.endsWith(QLatin1Char(')')) && open >= 0 && name.indexOf(QLatin1Char('*'), open) >= 0)
            name = name.left(open).trimmed();
        out << name + QLatin1String(" (") + pattern + QLatin1Char(')');
    }
    return out;
}

void SetUpFileDialog(QFileDialog& dialog, const CFileDialogRequest& request)
{
    // Qt's own dialog: its labels follow the program's language, a desktop's may not.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(ToQ(request.title));
    const QStringList filters = FileDialogFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    // The folder to start in: the one given, else the folder part of the initial name.
    QString name = PathToQ(request.fileName);
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    if (!request.initialDir.IsEmpty())
        dialog.setDirectory(PathToQ(request.initialDir));
    else if (slash >= 0)
        dialog.setDirectory(slash == 0 ? QStringLiteral("/") : name.left(slash));
    if (slash >= 0)
        name = name.mid(slash + 1);
    // A name with wildcards is a pattern, not a file to select.
    if (!name.isEmpty() && !name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')))
        dialog.selectFile(name);
    if (!request.defaultExt.IsEmpty())
        dialog.setDefaultSuffix(ToQ(request.defaultExt));
    if (request.bOpen) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode((request.flags & 0x00000200 /* OFN_ALLOWMULTISELECT */) ? QFileDialog::ExistingFiles
                                                                                  : QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The overwrite question is asked by the layer above, with the program's text.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    }
    // The list's size, type and date columns take the width of their texts and the name the
    // rest, in a dialog wide enough for all four; the dialog's own widths cut the dates short.
    if (auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = tree->header();
        header->setStretchLastSection(false);
        for (int i = 0; i < header->count(); ++i)
            header->setSectionResizeMode(i, i == 0 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    }
    dialog.resize(std::max(dialog.width(), 900), std::max(dialog.height(), 520));
}

} // namespace

BOOL CQtServices::FileDialog(CFileDialogRequest& request)
{
    UiEnsureApplication();
    QFileDialog dialog;
    SetUpFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    const qsizetype chosenFilter = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    if (chosenFilter >= 0)
        request.filterIndex = static_cast<int>(chosenFilter) + 1;
    request.chosen.clear();
    for (const QString& f : dialog.selectedFiles())
        request.chosen.push_back(PathFromQ(f));
    return !request.chosen.empty();
}

BOOL CQtServices::ColorDialog(COLORREF& color, DWORD, COLORREF* customColors)
{
    UiEnsureApplication();
    const int customCount = std::min(QColorDialog::customCount(), 16);
    if (customColors)
        for (int i = 0; i < customCount; ++i)
            QColorDialog::setCustomColor(i, QColor(GetRValue(customColors[i]), GetGValue(customColors[i]),
                                                   GetBValue(customColors[i])));
    QColor c = QColorDialog::getColor(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    if (customColors)
        for (int i = 0; i < customCount; ++i) {
            const QColor k = QColorDialog::customColor(i);
            customColors[i] = RGB(k.red(), k.green(), k.blue());
        }
    if (!c.isValid())
        return FALSE;
    color = RGB(c.red(), c.green(), c.blue());
    return TRUE;
}

BOOL CQtServices::FontDialog(LOGFONT& font, COLORREF&, DWORD)
{
    UiEnsureApplication();
    QFont initial(ToQ(font.lfFaceName));
    if (font.lfHeight != 0)
        initial.setPixelSize(std::abs(font.lfHeight));
    initial.setBold(font.lfWeight >= FW_BOLD);
    initial.setItalic(font.lfItalic != 0);
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, initial);
    if (!ok)
        return FALSE;
    CString face = FromQ(f.family());
    std::memset(font.lfFaceName, 0, sizeof(font.lfFaceName));
    std::memcpy(font.lfFaceName, face.GetString(), std::min<size_t>(static_cast<size_t>(face.GetLength()), LF_FACESIZE - 1));
    int px = f.pixelSize() > 0 ? f.pixelSize() : static_cast<int>(f.pointSizeF() * 96.0 / 72.0 + 0.5);
    font.lfHeight = -px;
    font.lfWeight = f.bold() ? FW_BOLD : FW_NORMAL;
    font.lfItalic = f.italic() ? 1 : 0;
    font.lfUnderline = f.underline() ? 1 : 0;
    font.lfStrikeOut = f.strikeOut() ? 1 : 0;
    return TRUE;
}

BOOL CQtServices::PrintDialog(CPrintDialogRequest& request)
{
    return UiRunQtPrintDialog(request);
}

BOOL CQtServices::PrinterDefaults(CPrintDialogRequest& request)
{
    return UiQtPrinterDefaults(request);
}

UINT CQtServices::TrackPopupMenu(const std::vector<CPopupItem>& items, POINT at, UINT flags)
{
    UiEnsureApplication();
    QMenu root;
    std::vector<QMenu*> stack{ &root };
    for (const CPopupItem& it : items) {
        while (static_cast<int>(stack.size()) > it.depth + 1)
            stack.pop_back();
        QMenu* m = stack.back();
        if (it.flags & MF_SEPARATOR) {
            m->addSeparator();
        } else if (it.flags & MF_POPUP) {
            QMenu* sub = m->addMenu(ToQ(it.text).replace(QLatin1Char('\t'), QLatin1Char(' ')));
            sub->setEnabled(!(it.flags & (MF_GRAYED | MF_DISABLED)));
            stack.push_back(sub);
        } else {
            // What follows a tab is the item's second column: a key, or any text such as the
            // input an item expects. The menu lays it out aligned; it is no shortcut of its own.
            QAction* a = m->addAction(ToQ(it.text));
            a->setData(it.id);
            a->setEnabled(!(it.flags & (MF_GRAYED | MF_DISABLED)));
            if (it.flags & MF_CHECKED) {
                a->setCheckable(true);
                a->setChecked(true);
            }
        }
    }
    QPoint corner(at.x, at.y);
    if (flags & TPM_RIGHTALIGN)
        corner.rx() -= root.sizeHint().width();
    QAction* chosen = root.exec(corner);
    return chosen ? chosen->data().toUInt() : 0;
}

void CQtServices::RunPrintPreview(void* previewDialog)
{
    static_cast<QPrintPreviewDialog*>(previewDialog)->exec();
}
