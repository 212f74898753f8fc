// Key events built as Qt delivers them to the focused widget (modifier press, key press and
// release, modifier release), and a drag of files entering a window and dropped on it.
#include "tests/app/QtInput.h"

#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

void PressControlKey(CWnd* target, char letter)
{
    QWidget* widget = target->GetClientWidget();
    const int key = Qt::Key_A + (letter - 'A');
    QKeyEvent control(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    QApplication::sendEvent(widget, &control);
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier, QString(QChar(letter - 'A' + 1)));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::ControlModifier, QString(QChar(letter - 'A' + 1)));
    QApplication::sendEvent(widget, &release);
    QKeyEvent controlUp(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(widget, &controlUp);
}

bool DropFiles(CWnd* target, const std::vector<std::string>& paths)
{
    QWidget* widget = target->GetQWidget();
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
    data.setUrls(urls);
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
    return true;
}
