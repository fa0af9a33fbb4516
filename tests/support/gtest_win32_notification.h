// GoogleTest's thread support needs a Notification, which it builds on
// std::mutex and std::condition_variable; the win32 threading variant of
// MinGW-w64 has neither. This one is a manual-reset Win32 event. Included
// ahead of every GoogleTest source (-include) in the Windows build.
#pragma once

#define GTEST_HAS_NOTIFICATION_ 1

#include <windows.h>

namespace testing::internal {

class Notification {
public:
    Notification() : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { ::CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { ::SetEvent(event_); }
    void WaitForNotification() { ::WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal
