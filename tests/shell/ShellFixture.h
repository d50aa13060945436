// A facade bound to a fresh reference host for each test, as the library
// entry binds it when a host loads the module.
#pragma once

#include "shell/TCvApplication.h"

#include "host/ReferenceHost.h"

#include <gtest/gtest.h>

namespace cv::test {

class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        shell::TCvApplication::destroyInstance();
        shell::TCvApplication::createInstance();
    }

    void TearDown() override { shell::TCvApplication::destroyInstance(); }

    shell::TCvApplication& app() { return shell::CvApp(); }

    // Binds the host's application interface as CreateInstance does.
    void bindHost() { app().BindHost(host.application().get()); }

    // Binds the host and its system library.
    void startHost()
    {
        bindHost();
        app().StartUp();
    }

    std::vector<host::LogEntry> logWithTitle(const QString& title) const
    {
        std::vector<host::LogEntry> found;
        for (const auto& e : host.log().entries())
            if (e.title == title)
                found.push_back(e);
        return found;
    }

    host::ReferenceHost host;
};

} // namespace cv::test
