// The host's appearance choices applied to the whole user interface: fonts,
// the root look and feel and its Office 2003 colours.
#pragma once

#include "shell/HostRecords.h"

#include <QFont>

#include <optional>

namespace cv::ui {

// The host's font when the facade is bound to a host that asks for its font
// to be used; empty otherwise.
std::optional<QFont> HostFont();
// base with the face, point size and style of the host record.
QFont FontFromInfo(QFont base, const shell::FontInfo& info);
// The host's font, or the system's message font.
QFont HostOrSystemFont();

// Host index 0 flat, 1 Office 2003, 2 standard (native), 3 ultra-flat; any
// other index, or no application object, changes nothing and answers false.
bool SetRootLookAndFeel(int index);

// The host's font to tool tips, its look and feel and colour scheme to the
// root look and feel.
void ApplyHostAppearance();

} // namespace cv::ui
