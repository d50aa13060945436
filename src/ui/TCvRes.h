// The host's resource module: numbered icons for image lists and form icons,
// and the host's busy cursor, which the module shows wherever it waits.
#pragma once

#include "ImageList.h"

#include "platform/abi/ComPtr.h"

#include <corvelian/Interfaces.h>

#include <QCursor>
#include <QIcon>
#include <QList>
#include <QPixmap>

#include <cstdint>
#include <optional>

namespace cv::ui {

class TCvRes {
public:
    // Binds the host's resource module and installs its busy cursor when the
    // facade has a system library; otherwise stays empty.
    TCvRes();
    TCvRes(const TCvRes&) = delete;
    TCvRes& operator=(const TCvRes&) = delete;

    // The instance between lifecycle stages 0 and 1 (null outside).
    static TCvRes* instance();

    bool HasResourceModule() const { return bool(m_module); }
    bool BusyCursorLoaded() const { return m_busyCursor.has_value(); }
    const std::optional<QCursor>& BusyCursor() const { return m_busyCursor; }

    // Icon resource `name` at size x size pixels into icon (left empty when
    // the resource is missing). True only when an icon was loaded.
    bool LoadGraphic(QIcon& icon, const QString& name, int size) const;
    // Bitmap resource `name` into bitmap. True only when one was loaded.
    bool LoadGraphic(QPixmap& bitmap, const QString& name) const;
    // Icon "I" + number.
    bool LoadIcon(QIcon& icon, int number, int size) const;
    // One image per number at the list's width: the icon, else the fallback's
    // icon (fallback > 0), else a blank image.
    void LoadIcons(ImageList& list, const QList<int>& numbers, int fallback) const;

private:
    std::optional<QByteArray> readResource(const QString& name, const QString& type) const;
    std::optional<QCursor> loadBusyCursor() const;

    ComPtr<corvelian::ICVResourceModule> m_module;
    std::optional<QCursor> m_busyCursor;
};

// Lifecycle callback: stage 0 creates the instance, stage 1 frees it.
void CvResStage(std::uint8_t stage);

// The module's wait cursor: the host's busy cursor while it is installed,
// else the toolkit's hourglass.
QCursor busyCursor();

} // namespace cv::ui
