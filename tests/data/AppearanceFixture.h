// The core data module started with the host's resources, as the library
// starts it; the application-wide look and feel is put back after each test.
#pragma once

#include "CoreDMFixture.h"

#include "host/resources/StandardResources.h"
#include "ui/LookAndFeel.h"
#include "ui/TCvRes.h"

namespace cv::test {

class AppearanceFixture : public CoreDMFixture {
protected:
    void SetUp() override
    {
        CoreDMFixture::SetUp();
        host.config().tempPath = dir.path() + QLatin1Char('/');
        host.state().resourceModule =
            ComPtr<corvelian::ICVUnknown>(host::createStandardResourceModule().get());
        ui::LookAndFeel& root = *ui::RootLookAndFeel();
        m_kind = root.kind();
        m_native = root.nativeStyle();
        m_scheme = root.office2003Scheme();
        m_useScheme = root.useOffice2003Scheme();
    }

    void TearDown() override
    {
        CoreDMFixture::TearDown();
        ui::LookAndFeel& root = *ui::RootLookAndFeel();
        root.setKind(m_kind);
        root.setNativeStyle(m_native);
        root.setOffice2003Colors(m_scheme, m_useScheme);
    }

    // Resources first, then the data module, as the library registers them.
    data::TCoreDM& startWithResources()
    {
        app().RegisterLifecycleCallback(ui::CvResStage);
        return startCoreDM();
    }

private:
    ui::LookAndFeelKind m_kind{};
    bool m_native = false;
    int m_scheme = 0;
    bool m_useScheme = true;
};

} // namespace cv::test
