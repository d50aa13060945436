// Compiled with -m32 by the test suite: the records must have the 32-bit
// contract's sizes and field offsets.
#include <corvelian/Corvelian.h>

#include <cstddef>

using namespace corvelian;

static_assert(sizeof(void*) == 4, "compile this file with -m32");

static_assert(sizeof(ICvSystemInfo) == 20);
static_assert(offsetof(ICvSystemInfo, Title) == 0);
static_assert(offsetof(ICvSystemInfo, ApplicationHandle) == 4);
static_assert(offsetof(ICvSystemInfo, IconHandle) == 8);
static_assert(offsetof(ICvSystemInfo, MainWindow) == 12);
static_assert(offsetof(ICvSystemInfo, ClientWindow) == 16);

static_assert(sizeof(ICvConfigInfo) == 54);
static_assert(offsetof(ICvConfigInfo, ShowFormBorder) == 8);
static_assert(offsetof(ICvConfigInfo, UseColorScheme) == 10);
static_assert(offsetof(ICvConfigInfo, ImeName) == 14);
static_assert(offsetof(ICvConfigInfo, Text18) == 18);
static_assert(offsetof(ICvConfigInfo, Text22) == 22);
static_assert(offsetof(ICvConfigInfo, FormMode) == 26);
static_assert(offsetof(ICvConfigInfo, LookAndFeel) == 30);
static_assert(offsetof(ICvConfigInfo, ColorScheme) == 50);

static_assert(sizeof(ICvUserInfo) == 26);
static_assert(offsetof(ICvUserInfo, Text14) == 14);
static_assert(offsetof(ICvUserInfo, UserName) == 18);
static_assert(offsetof(ICvUserInfo, Text22) == 22);

static_assert(sizeof(ICvPathInfo) == 16);
static_assert(offsetof(ICvPathInfo, TempPath) == 8);

static_assert(sizeof(ICVFontInfo) == 14);
static_assert(offsetof(ICVFontInfo, FontName) == 0);
static_assert(offsetof(ICVFontInfo, UseHostFont) == 4);
static_assert(offsetof(ICVFontInfo, Size) == 6);
static_assert(offsetof(ICVFontInfo, StyleCode) == 10);

static_assert(sizeof(ICVFormInfo) == 16);
static_assert(offsetof(ICVFormInfo, Kind) == 0);
static_assert(offsetof(ICVFormInfo, Handle) == 4);
static_assert(offsetof(ICVFormInfo, Icon) == 8);
static_assert(offsetof(ICVFormInfo, Caption) == 12);

static_assert(sizeof(ICVMsgInfo) == 36);
static_assert(offsetof(ICVMsgInfo, Owner) == 0);
static_assert(offsetof(ICVMsgInfo, Value1) == 4);
static_assert(offsetof(ICVMsgInfo, Flags) == 8);
static_assert(offsetof(ICVMsgInfo, Value2) == 12);
static_assert(offsetof(ICVMsgInfo, Caption) == 16);
static_assert(offsetof(ICVMsgInfo, Text) == 20);
static_assert(offsetof(ICVMsgInfo, Text24) == 24);
static_assert(offsetof(ICVMsgInfo, Text28) == 28);
static_assert(offsetof(ICVMsgInfo, Text32) == 32);

static_assert(sizeof(CvVariant) == 16);
static_assert(sizeof(CvGuid) == 16);

int main()
{
    return 0;
}
