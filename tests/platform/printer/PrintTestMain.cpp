#include <gtest/gtest.h>

#include <QGuiApplication>

#include <memory>

namespace {

// Fonts and printers need an application object. It is made when tests run,
// not when CTest only lists them.
class GuiApplication final : public testing::Environment {
public:
    GuiApplication(int& argc, char** argv) : argc_(argc), argv_(argv) {}
    void SetUp() override { app_ = std::make_unique<QGuiApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new GuiApplication(argc, argv));
    return RUN_ALL_TESTS();
}
