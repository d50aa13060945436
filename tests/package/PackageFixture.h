// A facade and a form package bound to a reference host, as CreateInstance
// sets them up, with the module's real command forms.
#pragma once

#include "../shell/ShellFixture.h"

#include "host/HostDatabase.h"
#include "host/xml/XmlDocument.h"
#include "modules/ModuleCommands.h"
#include "platform/abi/WideString.h"
#include "shell/TCasePackage.h"

#include <QApplication>
#include <QStringList>

namespace cv::test {

// Records what the package asks of the data module.
class RecordingServices : public shell::PackageServices {
public:
    QStringList calls;

    void UseHostConnection(corvelian::ICVUnknown* object) override
    {
        calls << QStringLiteral("UseHostConnection|%1").arg(object ? 1 : 0);
    }
    void ConfigureConnection(const QString& text, int timeout) override
    {
        calls << QStringLiteral("ConfigureConnection|%1|%2").arg(text).arg(timeout);
    }
    void ApplyDateTimeFormats() override { calls << QStringLiteral("ApplyDateTimeFormats"); }
    void ApplyEditorFont(const shell::EditorFont& font) override
    {
        calls << QStringLiteral("ApplyEditorFont|%1|%2").arg(font.name).arg(font.size);
    }
    void SetEditButtonStyle(int lookAndFeel) override
    {
        calls << QStringLiteral("SetEditButtonStyle|%1").arg(lookAndFeel);
    }
    void Reconnect() override { calls << QStringLiteral("Reconnect"); }
    void DetachConnection() override { calls << QStringLiteral("DetachConnection"); }
};

class PackageFixture : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        host.state().xmlDocumentFactory = [] {
            return ComPtr<corvelian::ICVXMLDocument>::adopt(host::createXmlDocument());
        };
        database = std::make_shared<host::HostDatabase>(
            host::HostDatabase::sqliteConnectionString(QStringLiteral(":memory:")));
        host::HostDatabase::install(host.state(), database);
        host.config().imeName = QStringLiteral("中文输入法");
    }

    void TearDown() override
    {
        extension.reset();
        QApplication::processEvents();
        ShellFixture::TearDown();
    }

    // CreateInstance's steps on the test's host.
    shell::TCasePackage& createPackage(bool registerCommands = true)
    {
        bindHost();
        services = std::make_shared<RecordingServices>();
        auto* package = shell::TCVExtentionAdapter::Create<shell::TCasePackage>(
            QStringLiteral("CV.DoctorMedicationApply"), 130, QStringLiteral("Corvelian"), services);
        shell::SetCasePackage(package);
        if (registerCommands)
            modules::RegisterCommands(*package);
        extension = ComPtr<corvelian::ICVExtention>(package);
        return *package;
    }

    struct Answer {
        int result = -1;
        QString text;
    };

    Answer execute(int code, int param = 0, const QString& text = QString())
    {
        WideString value(text);
        Answer a;
        std::int32_t result = -1;
        EXPECT_EQ(extension->Execute(code, param, value.inOut(), &result), corvelian::CV_OK);
        a.result = result;
        a.text = value.toQString();
        return a;
    }

    QString lastError()
    {
        WideString text;
        extension->GetLastError(text.put());
        return text.toQString();
    }

    std::shared_ptr<host::HostDatabase> database;
    std::shared_ptr<RecordingServices> services;
    ComPtr<corvelian::ICVExtention> extension;
};

} // namespace cv::test
