// The real notification-area icon under Wine, on a recording platform: the
// shell's tray holds it, its picture follows the day, and clicks and a
// restarted taskbar reach it.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/TrayIcon.h"
#include "app/logic/TrayIconFace.h"
#include "calendar/ShamsiArithmetic.h"
#include "platform/fake/FakePlatform.h"
#include "tools/logic/ShutdownSchedule.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"

namespace tavilo {
namespace {

// Text and badge on a dark taskbar (the default), and the text on a light one.
constexpr std::uint32_t kLightText = 0xFFFFFFFF;
constexpr std::uint32_t kDarkBadge = 0xFF3A3A3A;
constexpr std::uint32_t kDarkText = 0xFF1A1A1A;

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows top to bottom
};

IconImage ReadIcon(HICON icon) {
  IconImage image;
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return image;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  image.width = bitmap.bmWidth;
  image.height = bitmap.bmHeight;
  image.pixels.resize(image.width * image.height);
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = image.width;
  header.bmiHeader.biHeight = -image.height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, image.height, image.pixels.data(), &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return image;
}

// Pixels of one colour, and whether any of them lies in the outer pixel ring.
struct ColouredPixels {
  int count = 0;
  bool onTheRim = false;
};

ColouredPixels PixelsOf(const IconImage& image, std::uint32_t colour = kLightText) {
  ColouredPixels found;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.pixels[y * image.width + x] != colour) continue;
      ++found.count;
      if (x == 0 || y == 0 || x == image.width - 1 || y == image.height - 1) found.onTheRim = true;
    }
  }
  return found;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

class TrayIconWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.dpi = 96;
    SetShamsiDay(7);
    tray = std::make_unique<TrayIcon>(
        GetModuleHandleW(nullptr), platform, [this] { ++calendarOpens; }, [this] { ++menuOpens; });
    ASSERT_NE(tray->Handle(), nullptr);
  }

  void TearDown() override {
    tray.reset();
    ProgramSettings() = Settings{};
  }

  // Noon of the day in Azar 1405.
  void SetShamsiDay(int day) { platform.now = DayFromShamsi({1405, 9, day}) + 0.5; }

  // True when the shell holds the icon: only then can it be changed.
  bool InTray() { return ChangeOrDeleteIcon(NIM_MODIFY); }
  bool ChangeOrDeleteIcon(DWORD action) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = tray->Handle();
    data.uID = TrayIcon::kIconId;
    return Shell_NotifyIconW(action, &data);
  }

  void PostEvent(UINT event) {
    PostMessageW(tray->Handle(), TrayIcon::kCallbackMessage, 0,
                 MAKELPARAM(event, TrayIcon::kIconId));
    PumpMessages();
  }

  FakePlatform platform;
  std::unique_ptr<TrayIcon> tray;
  int calendarOpens = 0;
  int menuOpens = 0;
};

TEST_F(TrayIconWindow, ShellHoldsTheIconWhileShown) {
  EXPECT_FALSE(InTray());
  tray->Show(true);
  EXPECT_TRUE(tray->Shown());
  EXPECT_TRUE(InTray());
  EXPECT_NE(FindWindowW(nullptr, L"Wine System Tray"), nullptr);

  tray->Show(false);
  EXPECT_FALSE(InTray());

  // The menu's item turns it on and off through the settings' news.
  ProgramSettings().notificationIcon = true;
  BroadcastSettingsChanged();
  EXPECT_TRUE(InTray());
  ProgramSettings().notificationIcon = false;
  BroadcastSettingsChanged();
  EXPECT_FALSE(InTray());
  ProgramSettings() = Settings{};
}

TEST_F(TrayIconWindow, PictureShowsTheDayLegiblyAtTheShellsSize) {
  tray->Show(true);
  const IconImage seventh = ReadIcon(tray->Icon());
  SetShamsiDay(17);
  tray->Refresh();
  const IconImage seventeenth = ReadIcon(tray->Icon());

  for (const IconImage* image : {&seventh, &seventeenth}) {
    ASSERT_EQ(image->width, 16);
    ASSERT_EQ(image->height, 16);
    const ColouredPixels text = PixelsOf(*image);
    EXPECT_GE(text.count, 8);
    EXPECT_FALSE(text.onTheRim);  // two digits fit inside the margin
  }
  EXPECT_NE(seventh.pixels, seventeenth.pixels);

  ProgramSettings().persianDigits = true;
  tray->Refresh();
  const IconImage persian = ReadIcon(tray->Icon());
  EXPECT_NE(persian.pixels, seventeenth.pixels);
  EXPECT_GE(PixelsOf(persian).count, 8);

  // At 150% the shell asks for 24 pixels: the same digits, larger.
  platform.dpi = 144;
  tray->Refresh();
  const IconImage larger = ReadIcon(tray->Icon());
  EXPECT_EQ(larger.width, 24);
  EXPECT_GT(PixelsOf(larger).count, PixelsOf(persian).count);

  platform.SetRegistryValue(RegistryRoot::CurrentUser, kPersonalizeKey, L"SystemUsesLightTheme",
                            RegistryData{kRegDword, {1, 0, 0, 0}});
  SendMessageW(tray->Handle(), WM_SETTINGCHANGE, 0,
               reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
  const IconImage onLight = ReadIcon(tray->Icon());
  EXPECT_EQ(PixelsOf(onLight, kDarkBadge).count, 0);
  EXPECT_GT(PixelsOf(onLight, kDarkText).count, PixelsOf(persian).count);
}

TEST_F(TrayIconWindow, ToolTipFollowsTheDate) {
  // Half a second before midnight: the icon's own timer brings the 8th.
  platform.now = DayFromShamsi({1405, 9, 7}) + 1 - 0.5 / 86400;
  tray->Show(true);
  platform.now += 1.0 / 86400;
  const DWORD deadline = GetTickCount() + 20000;
  while (!tray->ToolTip().starts_with(L"یک‌شنبه ۸ آذر") && GetTickCount() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    PumpMessages();
  }
  EXPECT_TRUE(tray->ToolTip().starts_with(L"یک‌شنبه ۸ آذر")) << "no redraw at midnight";

  SetShamsiDay(20);  // the clock set by hand
  SendMessageW(tray->Handle(), WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(tray->ToolTip(),
            L"جمعه ۲۰ آذر ۱۴۰۵\n\u200F۱۱ دسامبر ۲۰۲۶\n\u200F۱ رجب ۱۴۴۸");

  // An armed shutdown schedule adds its action and time left, then goes.
  platform.tickCount = 1000000;
  ProgramSchedule().Arm(1000 + 754);
  ProgramSchedule().SetAction(L"خاموش شدن رایانه");
  SendMessageW(tray->Handle(), kScheduleChanged, 0, 0);
  EXPECT_TRUE(tray->ToolTip().ends_with(L"۱۴۴۸\n\u200Fخاموش شدن رایانه، زمان باقی‌مانده: ۰:۱۲:۳۴"))
      << "no schedule line";
  // The pointer over the icon adds the next prayer time after the schedule:
  // at 11:30 in Tehran, Dhuhr.
  ProgramSettings().prayerPlace = 112931;
  platform.timeZone = TimeZoneRule{-210, 0, -60, {}, {}};
  platform.unixTimeNow = 1796976000;  // 11 December 2026, 08:00 UTC
  PostEvent(WM_MOUSEMOVE);
  const std::wstring tip = tray->ToolTip();
  EXPECT_NE(tip.find(L"۰:۱۲:۳۴\n\u200Fاذان ظهر ۱۱:"), std::wstring::npos) << "no prayer line";
  EXPECT_TRUE(tip.ends_with(L"دقیقه دیگر)"));
  ProgramSchedule().Cancel();
  ProgramSettings() = Settings{};
  SendMessageW(tray->Handle(), kScheduleChanged, 0, 0);
  platform.unixTimeNow += 60;
  PostEvent(WM_MOUSEMOVE);
  EXPECT_TRUE(tray->ToolTip().ends_with(L"۱ رجب ۱۴۴۸"));
}

TEST_F(TrayIconWindow, EachClickOpensItsWindowOnce) {
  tray->Show(true);
  // A click comes as its button messages and then the selection.
  for (UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT}) PostEvent(event);
  EXPECT_EQ(calendarOpens, 1);
  EXPECT_EQ(menuOpens, 0);
  for (UINT event : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}) PostEvent(event);
  EXPECT_EQ(calendarOpens, 1);
  EXPECT_EQ(menuOpens, 1);
}

TEST_F(TrayIconWindow, ComesBackWithANewTaskbar) {
  tray->Show(true);
  ASSERT_TRUE(ChangeOrDeleteIcon(NIM_DELETE));  // gone with the old taskbar
  PostMessageW(tray->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  PumpMessages();
  EXPECT_TRUE(InTray());
  PostEvent(NIN_SELECT);  // still with version-4 callbacks
  EXPECT_EQ(calendarOpens, 1);
}

}  // namespace
}  // namespace tavilo
