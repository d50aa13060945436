// A facade bound to a fresh reference host whose resource module holds the
// standard icons, busy cursor and translations, with the form framework's
// lifecycle callbacks registered as the library entry registers them.
#pragma once

#include "shell/TCvApplication.h"
#include "ui/TCvRes.h"
#include "ui/TMsgBoxEx.h"
#include "ui/ToolkitTranslator.h"

#include "host/ReferenceHost.h"
#include "host/resources/StandardResources.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace cv::test {

class UiFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        shell::TCvApplication::destroyInstance();
        shell::TCvApplication::createInstance();
        ASSERT_TRUE(tempDir.isValid());
        host.config().tempPath = tempDir.path() + QLatin1Char('/');
        host.state().resourceModule =
            ComPtr<corvelian::ICVUnknown>(host::createStandardResourceModule().get());
        host.config().resourceTexts.insert(QStringLiteral("DEVRES4.3"),
                                           host::toolkitTranslationText());
    }

    void TearDown() override { shell::TCvApplication::destroyInstance(); }

    shell::TCvApplication& app() { return shell::CvApp(); }

    // Binds the host (and its system library unless the host withholds it)
    // and runs stage 0.
    void startHost()
    {
        app().RegisterLifecycleCallback(ui::CvResStage);
        app().RegisterLifecycleCallback(ui::LocalizerStage);
        app().BindHost(host.application().get());
        app().StartUp();
    }

    QTemporaryDir tempDir;
    host::ReferenceHost host;
};

// Pixels of an icon at size, for comparing what two icons show.
inline QImage pixels(const QIcon& icon, int size)
{
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

inline bool isBlank(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

} // namespace cv::test
