// Position conversion between the program's byte view of a text and Qt's, and bitmap loading.
#include "platform/ui/Resources.h"
#include "platform/ui/UiInternal.h"

#include <QImage>

#include <map>

int UiByteToQtPos(const QString& text, int byte)
{
    int bytes = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (bytes >= byte)
            return i;
        QChar c = text.at(i);
        if (c == QLatin1Char('\n'))
            bytes += 2;
        else if (c.isHighSurrogate() && i + 1 < text.size()) {
            bytes += FromQ(text.mid(i, 2)).GetLength();
            ++i;
        } else
            bytes += FromQ(QString(c)).GetLength();
    }
    return static_cast<int>(text.size());
}

int UiQtToBytePos(const QString& text, int pos)
{
    QString head = text.left(pos);
    head.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return FromQ(head).GetLength();
}

QImage UiLoadBitmap(UINT id)
{
    static std::map<std::string, QImage> cache;
    std::string path = CResources::Get().FindBitmap(id);
    if (path.empty())
        return QImage();
    auto it = cache.find(path);
    if (it != cache.end())
        return it->second;
    QImage img;
    img.load(QString::fromStdString(path));
    cache[path] = img;
    return img;
}
