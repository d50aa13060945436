// A facade bound to a reference host with a real SQLite database and the
// core data module, plus hand-written host objects registered as packages.
#pragma once

#include "ServiceFakes.h"

#include "../data/CoreDMFixture.h"

#include "ui/TMsgBoxEx.h"

namespace cv::test {

class ServicesFixture : public CoreDMFixture {
protected:
    // Registers a package that provides the named interface with `object`
    // (none when null); answers the package to inspect its requests.
    ComPtr<FakePackage> provide(const QString& interfaceName, ComPtr<ICVUnknown> object)
    {
        ComPtr<FakePackage> package(new FakePackage(std::move(object)));
        host.state().interfacePackages.insert(interfaceName, ComPtr<ICVExtention>(package.get()));
        return package;
    }

    template <class T> static ComPtr<ICVUnknown> unknown(const ComPtr<T>& object)
    {
        return object.template as<ICVUnknown>();
    }

    // Answers every message box with its default button, keeping "style|text".
    ui::TMsgBoxEx::ScopedAutoAnswer recordBoxes()
    {
        return ui::TMsgBoxEx::ScopedAutoAnswer([this](ui::TMsgBoxEx& box) {
            boxes << QString::number(box.Style()) + u'|' + box.MessageText();
            ui::TMsgBoxEx::AnswerWithDefault(box);
        });
    }

    QStringList boxes;
};

} // namespace cv::test
