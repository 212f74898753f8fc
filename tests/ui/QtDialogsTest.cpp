// Qt's own dialogs as the real services show them: file dialogs in Japanese with one pattern
// per filter, starting in the folder the program names; message boxes that fit the screen.
#include "platform/ui/QtServices.h"
#include "platform/ui/UiInternal.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Runs `look` on the modal dialog once its loop runs, then lets `close` end it.
void WhenModal(std::function<void(QWidget*)> look)
{
    QTimer::singleShot(0, QApplication::instance(), [look]() {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        look(modal);
    });
}

QStringList LabelTexts(QWidget* w)
{
    QStringList out;
    for (QLabel* l : w->findChildren<QLabel*>())
        out << l->text();
    for (QPushButton* b : w->findChildren<QPushButton*>())
        out << b->text();
    return out;
}

TEST(FileDialog, JapaneseLabelsOnePatternAndTheGivenFolder)
{
    UiEnsureApplication();
    const std::filesystem::path home = std::getenv("ZELK_HOME");
    std::filesystem::create_directories(home / "drawings");
    struct Case {
        const char* filter;
        std::string fileName;
        std::string initialDir;
        QStringList filters;
        std::string folder;
    };
    const std::string drawings = (home / "drawings").string();
    const Case cases[] = {
        // A name that shows its pattern keeps one pair of parentheses.
        { "Zelk (*.zel)|*.zel|*.*|*.*||", "", drawings, { "Zelk (*.zel)", "*.* (*.*)" }, drawings },
        { "Text|*.txt;*.csv||", drawings + "/plan.txt", "", { "Text (*.txt *.csv)" }, drawings },
        { "DXF (R12)|*.dxf||", (home / "x.dxf").string(), "", { "DXF (R12) (*.dxf)" }, home.string() },
    };
    for (const Case& c : cases) {
        CFileDialogRequest request;
        request.filter = c.filter;
        request.fileName = c.fileName.c_str();
        request.initialDir = c.initialDir.c_str();
        QStringList filters;
        QString folder;
        QStringList texts;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            filters = dialog->nameFilters();
            folder = dialog->directory().absolutePath();
            texts = LabelTexts(dialog);
            dialog->reject();
        });
        CQtServices services;
        EXPECT_FALSE(services.FileDialog(request));
        EXPECT_EQ(filters, c.filters) << c.filter;
        EXPECT_EQ(folder.toStdString(), c.folder) << c.filter;
        // Qt's Japanese translations label the dialog: "ファイル名" and "キャンセル".
        EXPECT_TRUE(texts.join(QLatin1Char('|')).contains(QStringLiteral("ファイル名"))) << texts.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(texts.join(QLatin1Char('|')).contains(QStringLiteral("キャンセル"))) << texts.join(QLatin1Char('|')).toStdString();
    }
}

TEST(FileDialog, TheListShowsAFilesNameSizeTypeAndDateWhole)
{
    UiEnsureApplication();
    const std::filesystem::path folder = std::filesystem::path(std::getenv("ZELK_HOME")) / "drawings";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "a-drawing-with-a-long-name.zel") << std::string(123456, 'x');
    CFileDialogRequest request;
    request.filter = "Zelk (*.zel)|*.zel||";
    request.initialDir = folder.string().c_str();
    // Each column's width and what its texts need: the name, its size, type and date.
    std::vector<std::pair<int, int>> columns;
    int rows = 0;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* tree = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(model, nullptr);
        // The list is filled as the folder is read; the columns are looked at once it is.
        auto look = [dialog, tree, &columns, &rows]() {
            // The header lays its sections out on the event loop's next turn.
            QApplication::processEvents();
            QAbstractItemModel* shown = tree->model();
            rows = shown->rowCount(tree->rootIndex());
            QStyleOptionViewItem option;
            option.initFrom(tree);
            for (int i = 0; i < 4; ++i) {
                int needed = tree->header()->sectionSizeHint(i);
                for (int r = 0; r < rows; ++r)
                    needed = std::max(needed, tree->itemDelegate()->sizeHint(option, shown->index(r, i, tree->rootIndex())).width());
                columns.emplace_back(tree->header()->sectionSize(i), needed);
            }
            dialog->reject();
        };
        if (model->rowCount(model->index(model->rootPath())) > 0) {
            look();
            return;
        }
        QObject::connect(model, &QFileSystemModel::directoryLoaded, dialog,
                         [look]() { QTimer::singleShot(0, QApplication::instance(), look); },
                         Qt::SingleShotConnection);
    });
    CQtServices services;
    EXPECT_FALSE(services.FileDialog(request));
    ASSERT_EQ(rows, 1);
    ASSERT_EQ(columns.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_GE(columns[i].first, columns[i].second) << "column " << i;
}

TEST(MessageBox, LongTextScrollsAndTheButtonStaysOnTheScreen)
{
    UiEnsureApplication();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (int lines : { 3, 20000 }) {
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += "line " + std::to_string(i) + "\n";
        QSize size;
        QRect button;
        WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            size = box->size();
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            ASSERT_NE(ok, nullptr);
            button = QRect(ok->mapTo(box, QPoint(0, 0)), ok->size());
            ok->click();
        });
        CQtServices services;
        EXPECT_EQ(services.MessageBox(CString(text.c_str()), "Zelk", MB_OK), IDOK);
        EXPECT_LE(size.height(), screen.height()) << lines;
        EXPECT_LE(size.width(), screen.width()) << lines;
        EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(button)) << lines;
        EXPECT_GT(button.height(), 0);
    }
}

TEST(MessageBox, ALineNarrowerThanTheScreenIsNotBroken)
{
    // A long path and a Japanese sentence without blanks: Qt's box broke such a line at about
    // 500 pixels, in the middle of a word.
    UiEnsureApplication();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QString line = QStringLiteral("/home/user/ZelkData/screw.zel はオープンできませんでした");
    const QFontMetrics appMetrics(QApplication::font());
    while (appMetrics.horizontalAdvance(line) < std::min(560, screen.width() * 2 / 3))
        line.insert(20, QStringLiteral("part/"));
    int labelHeight = 0;
    int lineHeight = 0;
    int lineWidth = 0;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        const QFontMetrics metrics(label->font());
        labelHeight = label->height();
        lineHeight = metrics.lineSpacing();
        lineWidth = metrics.horizontalAdvance(line);
        box->button(QMessageBox::Ok)->click();
    });
    CQtServices services;
    EXPECT_EQ(services.MessageBox(FromQ(line), "Zelk", MB_OK), IDOK);
    ASSERT_LT(lineWidth, screen.width() * 3 / 4);
    EXPECT_LT(labelHeight, 2 * lineHeight) << lineWidth;
}

} // namespace
