#include <gtest/gtest.h>

#include "setup_texts.h"

namespace {

TEST(SetupTextsTest, WelcomeWithTheDesktopOffered)
{
    EXPECT_EQ(WelcomeText("Quenlark", true),
              "Welcome to Quenlark setup. This program wll install Quenlark onto your PDA and "
              "desktop computer.\n\nPlease confirm your installation requirements below and then "
              "click on Install to continue. To abort installation, click on cancel.");
}

TEST(SetupTextsTest, WelcomeForTheHandheldAlone)
{
    EXPECT_EQ(WelcomeText("Quenlark", false),
              "Welcome to Quenlark setup. This program wll install Quenlark onto your PDA.\n\n"
              "Please click on Install to continue or click on Cancel to abort installation");
}

TEST(SetupTextsTest, NameIsTakenLiterally)
{
    EXPECT_EQ(WithName(kPdaCaptionFormat, "100%s %d"), "Install 100%s %d on my PDA");
    EXPECT_EQ(WithName(kDesktopCaptionFormat, "Quenlark"),
              "Install Quenlark on my desktop computer");
    EXPECT_EQ(WithName(kPdaCaptionFormat, ""), "Install  on my PDA");
    EXPECT_EQ(WithName("no marks", "x"), "no marks");
}

TEST(SetupTextsTest, Messages)
{
    EXPECT_EQ(FolderFailureMessage("q:\\games\\", "Quenlark"),
              "Failed to create the target folder on your desktop computer:q:\\games\\. The "
              "desktop version of Quenlark will not be installed.");
    EXPECT_EQ(InstalledMessage("Quenlark"),
              "Quenlark has been successfully installed on your desktop computer");
    EXPECT_EQ(NotInstalledMessage("Quenlark", "File not found"),
              "The desktop version of Quenlark has not been installed: File not found");
    EXPECT_STREQ(kActiveSyncMissingText,
                 "Can not find ActiveSync. Please reinstall ActiveSync and than run this "
                 "installation again.");
    EXPECT_STREQ(kActiveSyncMissingCaption, "Installation");
}

}  // namespace
