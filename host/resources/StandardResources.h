// What the reference host's resource module and resource texts hold: the
// numbered icons the module shows, the busy cursor and the toolkit
// translations. Everything is drawn or written here at start, so no binary
// file has to be shipped.
#pragma once

#include "HostResourceModule.h"

#include "platform/abi/ComPtr.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace cv::host {

// Icon numbers the module's image lists and forms ask for.
const QList<int>& standardIconNumbers();

// An icon file ("ICON" resource) of the number: PNG images of 16, 24 and 32
// pixels, a coloured glyph per number.
QByteArray makeIconFile(int number);

// The "busy" cursor ("ANI" resource): a PNG strip of square 32-pixel frames
// side by side; the hot spot is the centre of a frame.
QByteArray makeBusyAnimation();

// A resource module holding every standard icon ("I" + number) and "busy".
ComPtr<HostResourceModule> createStandardResourceModule();

// The resource text "DEVRES4.3": the toolkit's own captions in Chinese.
QString toolkitTranslationText();

} // namespace cv::host
