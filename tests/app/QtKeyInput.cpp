// Key events built as Qt delivers them to the focused widget: modifier press, key press and
// release, modifier release.
#include "tests/app/QtKeyInput.h"

#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QKeyEvent>
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
