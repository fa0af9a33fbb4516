// The harness itself, proven against the probe program: fresh registry per
// session, pictures read from the screen, clicks by message and by real input,
// message boxes, menu resources and greyed menu items read from pictures, and
// faults of the program under test reported as test failures.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "dialog_text.h"
#include "gui_process.h"
#include "menu_picture.h"
#include "menu_resource.h"
#include "real_input.h"
#include "registry_values.h"
#include "screen_picture.h"

#include "probe/probe_ids.h"

using namespace e2e;

namespace {

const char* const ProbeKey = "Software\\QuenlarkProbe";
const e2e::Rgb Tile = MakeRgb(255, 99, 0);
const e2e::Rgb PressMark = MakeRgb(255, 206, 0);
const e2e::Rgb DoubleClickMark = MakeRgb(0, 128, 255);

std::string ProbePath()
{
    const char* path = std::getenv("HARNESS_PROBE_EXE");
    return path ? path : "";
}

class Probe : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(ProbePath().empty()) << "HARNESS_PROBE_EXE is not set";
        ASSERT_TRUE(process_.Start(ProbePath())) << process_.error();
        frame_ = process_.WaitForWindow("Harness Probe", 20000);
        ASSERT_NE(frame_, nullptr) << "the probe's window did not appear";
        view_ = GetDlgItem(frame_, IDW_PROBE_VIEW);
        ASSERT_NE(view_, nullptr);
        // The window shows before its first paint reaches the screen.
        ASSERT_TRUE(ViewShows(25, 25, Tile)) << "the probe's view was never painted";
    }

    ScreenPicture View() const { return ScreenPicture::CaptureClient(view_); }

    bool ViewShows(int x, int y, Rgb colour, DWORD timeoutMs = 3000) const
    {
        return WaitUntil([&] { return View().At(x, y) == colour; }, timeoutMs);
    }

    GuiProcess process_;
    HWND frame_ = nullptr;
    HWND view_ = nullptr;
};

// Two tests do the same: whichever runs second would find the value left by
// the first if sessions shared a prefix.
TEST_F(Probe, RegistryStartsEmptyAndIsSharedWithTheProgram)
{
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, ProbeKey));
    PostMessageA(frame_, WM_COMMAND, ID_PROBE_REGISTRY, 0);
    EXPECT_TRUE(WaitUntil(
        [] { return ReadRegistryDword(HKEY_CURRENT_USER, ProbeKey, "written") == DWORD{7}; },
        5000));
}

TEST_F(Probe, RegistryOfTheNextSessionStartsEmptyAgain)
{
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, ProbeKey));
    PostMessageA(frame_, WM_COMMAND, ID_PROBE_REGISTRY, 0);
    EXPECT_TRUE(WaitUntil(
        [] { return ReadRegistryDword(HKEY_CURRENT_USER, ProbeKey, "written") == DWORD{7}; },
        5000));
}

TEST_F(Probe, ScreenShowsThePaintedPictureAndSentClicks)
{
    const ScreenPicture before = View();
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(RgbText(before.At(10, 10)), RgbText(Tile));
    EXPECT_EQ(RgbText(before.At(25, 25)), RgbText(Tile));
    EXPECT_EQ(RgbText(before.At(26, 26)), RgbText(0));
    EXPECT_EQ(RgbText(before.At(9, 9)), RgbText(0));

    // A sent press is handled and painted when SendMessage returns; the
    // picture reaches the screen shortly after.
    SendMessageA(view_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 60));
    EXPECT_TRUE(ViewShows(50, 60, PressMark));
    EXPECT_EQ(RgbText(View().At(52, 60)), RgbText(0));
}

TEST_F(Probe, RealClicksLandOnTheClientPointAndDoubleClicksAreReported)
{
    BringToFront(frame_);
    ClickAt(ScreenPoint(view_, 80, 90));
    EXPECT_TRUE(ViewShows(80, 90, PressMark)) << "a real click did not reach (80, 90)";

    DoubleClickAt(ScreenPoint(view_, 120, 90));
    EXPECT_TRUE(ViewShows(120, 90, DoubleClickMark))
        << "the second press was not reported as a double-click";
}

TEST_F(Probe, MessageBoxTextIsReadAndTheBoxClosesOnOk)
{
    const ScreenPicture before = View();
    PostMessageA(frame_, WM_COMMAND, ID_PROBE_MESSAGE, 0);
    HWND box = process_.WaitForWindowOfClass("#32770", 10000);
    ASSERT_NE(box, nullptr) << "no message box appeared";
    EXPECT_EQ(MessageBoxText(box), "Probe message");
    EXPECT_EQ(WindowText(box), "Harness Probe");
    EXPECT_NE(View(), before) << "the box should cover part of the view";

    PressDialogButton(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000)) << "the box stayed open";
    // Inside Wine's virtual desktop the pixels under a closed box are repainted.
    EXPECT_TRUE(WaitUntil([&] { return View() == before; }, 3000))
        << View().Difference(before);
}

TEST_F(Probe, MenuIsReadFromTheProgramFile)
{
    std::vector<MenuEntry> menu;
    std::string error;
    ASSERT_TRUE(ReadMenuResource(ProbePath(), IDR_PROBE, &menu, &error)) << error;
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[1].caption, "&Edit");
    ASSERT_EQ(menu[1].items.size(), 3u);
    EXPECT_EQ(menu[1].items[0].caption, "&Toggled");
    EXPECT_EQ(menu[1].items[0].id, unsigned{ID_PROBE_TOGGLED});
    EXPECT_EQ(menu[1].items[2].id, unsigned{ID_PROBE_REGISTRY});
}

TEST_F(Probe, GreyedMenuItemsAreToldFromThePictureOfTheOpenMenu)
{
    BringToFront(frame_);
    ASSERT_EQ(MenuBarCaptions(frame_).size(), 3u) << "menu bar captions not found";
    auto looksOfEditMenu = [&] { return MenuItemLooks(CaptureOpenedMenu(frame_, 1, 3)); };

    const auto greyedFirst = looksOfEditMenu();
    ASSERT_EQ(greyedFirst.size(), 3u);
    EXPECT_STREQ(LookName(greyedFirst[0]), "greyed");
    EXPECT_STREQ(LookName(greyedFirst[1]), "enabled");
    EXPECT_STREQ(LookName(greyedFirst[2]), "enabled");

    PostMessageA(frame_, WM_COMMAND, ID_PROBE_SWITCH, 0);
    const auto allEnabled = looksOfEditMenu();
    ASSERT_EQ(allEnabled.size(), 3u);
    EXPECT_STREQ(LookName(allEnabled[0]), "enabled");
}

TEST_F(Probe, CheckMarksShowAsInkLeftOfTheCaptions)
{
    BringToFront(frame_);
    ASSERT_EQ(MenuBarCaptions(frame_).size(), 3u) << "menu bar captions not found";
    auto lefts = [&](size_t menu) {
        return MenuItemInkLeft(CaptureOpenedMenu(frame_, menu, menu == 2 ? 2 : 3));
    };
    const std::vector<int> edit = lefts(1);
    const std::vector<int> view = lefts(2);
    ASSERT_EQ(edit.size(), 3u);
    ASSERT_EQ(view.size(), 2u);
    const int captionsBegin = *std::min_element(edit.begin(), edit.end());
    EXPECT_LT(view[0], captionsBegin - 3) << "the checked item shows no mark";
    EXPECT_GE(view[1], captionsBegin - 3) << "the unchecked item shows a mark";
}

// The probe closed while its message box is up writes through freed memory
// once the box returns: the fault the crash detection must report. Their
// sessions see the fault as well (see CMakeLists.txt).
class ProbeFault : public Probe {
protected:
    void CloseFrameUnderTheBox()
    {
        PostMessageA(frame_, WM_COMMAND, ID_PROBE_MESSAGE, 0);
        ASSERT_NE(process_.WaitForWindowOfClass("#32770", 10000), nullptr)
            << "no message box appeared";
        PostMessageA(frame_, WM_CLOSE, 0, 0);
    }

    // The one failure `reports` should hold: the probe's fault, with Wine's
    // crash report kept in the probe's log.
    void ExpectOneFaultReport(const ::testing::TestPartResultArray& reports) const
    {
        ASSERT_EQ(reports.size(), 1) << "expected exactly one failure, the fault report";
        const std::string report = reports.GetTestPartResult(0).message();
        EXPECT_NE(report.find("harness_probe.exe"), std::string::npos) << report;
        EXPECT_NE(report.find("exception 0xC0000005 (access violation)"), std::string::npos)
            << report;
        EXPECT_NE(report.find("Unhandled exception: page fault"), std::string::npos) << report;
        EXPECT_NE(report.find("Backtrace:"), std::string::npos) << report;
        EXPECT_NE(report.find(process_.crash()), std::string::npos) << report;

        ASSERT_FALSE(process_.logPath().empty()) << "the probe's output was not kept";
        EXPECT_NE(report.find(process_.logPath()), std::string::npos) << report;
        std::ifstream log(WindowsPath(process_.logPath()));
        std::stringstream text;
        text << log.rdbuf();
        EXPECT_NE(text.str().find("Unhandled exception: page fault"), std::string::npos)
            << "no crash report in " << process_.logPath();
    }
};

TEST_F(ProbeFault, FaultOnTheWayOutIsReportedByWaitForExit)
{
    CloseFrameUnderTheBox();
    ::testing::TestPartResultArray reports;
    bool ended = false;
    DWORD exitCode = 0;
    {
        ::testing::ScopedFakeTestPartResultReporter intercept(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &reports);
        ended = process_.WaitForExit(20000, &exitCode);
    }
    EXPECT_TRUE(ended) << "the probe did not end after its fault";
    EXPECT_EQ(exitCode, DWORD{EXCEPTION_ACCESS_VIOLATION});
    ExpectOneFaultReport(reports);
}

TEST_F(ProbeFault, FaultWhileClosingIsReportedNotKilledUnseen)
{
    CloseFrameUnderTheBox();
    ::testing::TestPartResultArray reports;
    {
        ::testing::ScopedFakeTestPartResultReporter intercept(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &reports);
        process_.Close();
    }
    ExpectOneFaultReport(reports);
}

}  // namespace
