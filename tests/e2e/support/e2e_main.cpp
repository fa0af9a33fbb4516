// main() of the end-to-end drivers: GoogleTest, plus a picture of the whole
// screen saved into the session's artifacts folder at the first failure of
// each test, while the program under test is still on the screen.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FailurePictures);
    return RUN_ALL_TESTS();
}
