// Byte-packed records the host fills or reads. Field order is the contract's;
// offsets in the comments are those of the 32-bit contract (pointers and
// handles take 4 bytes there, 8 on x86-64). Texts in records the host fills
// are allocated by the host and freed by the caller (CvFreeString).
#pragma once

#include "Types.h"

namespace corvelian {

#pragma pack(push, 1)

struct ICvSystemInfo {
    CvBStr Title;               // 0  application title, every message-box caption
    CvHandle ApplicationHandle; // 4
    CvHandle IconHandle;        // 8
    CvHandle MainWindow;        // 12
    CvHandle ClientWindow;      // 16 embedded forms are parented to it
};

struct ICvConfigInfo {
    std::int32_t Reserved0;      // 0
    std::int32_t Reserved4;      // 4
    std::int16_t ShowFormBorder; // 8  non-zero = yes
    std::int16_t UseColorScheme; // 10
    std::int16_t Reserved12;     // 12
    CvBStr ImeName;              // 14
    CvBStr Text18;               // 18 not read by the module
    CvBStr Text22;               // 22 not read by the module
    std::int32_t FormMode;       // 26
    std::int32_t LookAndFeel;    // 30 0..3
    std::int32_t Reserved34;     // 34
    std::int32_t Reserved38;     // 38
    std::int32_t Reserved42;     // 42
    std::int32_t Reserved46;     // 46
    std::int32_t ColorScheme;    // 50 0..4
};

struct ICvUserInfo {
    std::int32_t UserId;     // 0
    std::int32_t Reserved4;  // 4
    std::int32_t Reserved8;  // 8
    std::int16_t Reserved12; // 12
    CvBStr Text14;           // 14 not read by the module
    CvBStr UserName;         // 18
    CvBStr Text22;           // 22 not read by the module
};

struct ICvPathInfo {
    CvBStr Path0;    // 0
    CvBStr Path4;    // 4
    CvBStr TempPath; // 8  ends with a path separator
    CvBStr Path12;   // 12
};

struct ICVFontInfo {
    CvBStr FontName;          // 0
    std::int16_t UseHostFont; // 4  non-zero = use this font
    std::int32_t Size;        // 6  points
    std::int32_t StyleCode;   // 10 1 italic, 2 bold, 3 both, else regular
};

// Records the module builds and the host reads: the texts stay the module's.
struct ICVFormInfo {
    std::int32_t Kind;       // 0  0 shown, 1 activated, 2 closed
    CvHandle Handle;         // 4
    CvHandle Icon;           // 8
    const char16_t* Caption; // 12
};

struct ICVMsgInfo {
    CvHandle Owner;          // 0
    std::int32_t Value1;     // 4
    std::int32_t Flags;      // 8  message-box style, 16 = error icon
    std::int32_t Value2;     // 12
    const char16_t* Caption; // 16
    const char16_t* Text;    // 20
    const char16_t* Text24;  // 24 always empty
    const char16_t* Text28;  // 28 always empty
    const char16_t* Text32;  // 32 always empty
};

// One entry of a parameter list (ICVParams).
struct ICVParamInfo {
    std::int32_t Kind;
    CvBStr Text;
};

#pragma pack(pop)

} // namespace corvelian
