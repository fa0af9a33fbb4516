// main() of the end-to-end drivers: GoogleTest, plus a picture of the whole
// screen saved into the session's artifacts folder at the first failure of
// each test, while the program under test is still on the screen, and a
// failure for every fault of a program the test started.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "gui_process.h"

#include "screen_picture.h"

namespace {

class FailurePictures : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override { saved_ = false; }

    void OnTestPartResult(const ::testing::TestPartResult& result) override
    {
        if (!result.failed() || saved_)
            return;
        saved_ = true;
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = test ? std::string(test->test_suite_name()) + "." + test->name()
                                      : std::string("failure");
        const auto screen = e2e::ScreenPicture::Capture(
            0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        const std::string path = e2e::SaveArtifact(screen, name);
        if (!path.empty())
            std::printf("screen at the first failure saved to %s\n", path.c_str());
    }

private:
    bool saved_ = false;
};

// Files the tests need (E2E_REQUIRED_FILES, separated by '|'). When one has not
// been built, the driver reports the test as skipped (exit status 77).
bool RequiredFilesPresent()
{
    const char* list = std::getenv("E2E_REQUIRED_FILES");
    if (!list)
        return true;
    const std::string files = list;
    for (size_t start = 0; start <= files.size();) {
        size_t end = files.find('|', start);
        if (end == std::string::npos)
            end = files.size();
        const std::string file = files.substr(start, end - start);
        if (!file.empty() &&
            GetFileAttributesA(e2e::WindowsPath(file).c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::printf("SKIPPED: %s has not been built\n", file.c_str());
            return false;
        }
        start = end + 1;
    }
    return true;
}

void FailOnCrash(const std::string& report)
{
    ADD_FAILURE() << report;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!RequiredFilesPresent())
        return 77;
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FailurePictures);
    e2e::GuiProcess::SetCrashHandler(FailOnCrash);
    const int status = RUN_ALL_TESTS();
    // A filter that names no test would otherwise pass without testing anything.
    if (::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::printf("no test matched the filter\n");
        return 1;
    }
    return status;
}
