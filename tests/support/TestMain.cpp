// Test entry point: every test runs with a fresh, empty program folder in ZELK_HOME, and reads the
// resources the build put beside the program (test programs lie in a folder of their own); Qt's
// painting complaints fail the test.
#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class FreshProgramFolder : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelk-home-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        ASSERT_NE(made, nullptr);
        m_folder = made;
        setenv("ZELK_HOME", m_folder.c_str(), 1);
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
        unsetenv("ZELK_HOME");
    }

private:
    std::string m_folder;
};

// Qt's complaints about painting (a second painter opened on a device that has one, a repaint
// inside a repaint) mean a paint was dropped on the screen: each fails the test that caused it.
QtMessageHandler g_qtHandler = nullptr;

void FailOnPaintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && (message.startsWith(QLatin1String("QPainter")) ||
                                 message.startsWith(QLatin1String("QWidget::repaint")) ||
                                 message.startsWith(QLatin1String("QBackingStore"))))
        ADD_FAILURE() << "Qt: " << message.toStdString();
    if (g_qtHandler)
        g_qtHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    setenv("ZELK_RESOURCES", ZELK_BINARY_DIR, 0);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshProgramFolder);
    g_qtHandler = qInstallMessageHandler(FailOnPaintWarnings);
    return RUN_ALL_TESTS();
}
