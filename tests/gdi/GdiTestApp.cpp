// Fonts need a GUI application object; the suite makes one headless before any test runs.
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "test_gdi";
            static char* argv[] = {name, nullptr};
            m_app = new QGuiApplication(argc, argv);
        }
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QGuiApplication* m_app = nullptr;
};

[[maybe_unused]] testing::Environment* const g_guiEnvironment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
