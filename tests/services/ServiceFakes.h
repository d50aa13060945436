// Hand-written host objects behind the interfaces the service wrappers call;
// each records what it was asked.
#pragma once

#include "platform/abi/ComObject.h"
#include "platform/abi/ComPtr.h"
#include "platform/abi/Exception.h"
#include "platform/abi/Variant.h"
#include "platform/abi/WideString.h"

#include <corvelian/Interfaces.h>

#include <QMap>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace cv::test {

using namespace corvelian;

// The three operations every ICVInterface object has; a fake may fail with
// `lastError`.
template <class Primary, class... Others>
class FakeInterface : public ComObject<Primary, Others...> {
public:
    CvStatus CV_CALL GetVersion(double* value) override
    {
        *value = version;
        return CV_OK;
    }
    CvStatus CV_CALL GetName(CvBStr* name) override
    {
        *name = nullptr;
        return CV_OK;
    }
    CvStatus CV_CALL GetLastError(CvBStr* text) override
    {
        *text = allocWide(lastError);
        return CV_OK;
    }

    double version = 1.0;
    QString lastError;

protected:
    CvStatus fail(const QString& text)
    {
        lastError = text;
        return CV_E_FAIL;
    }
};

// A host package whose CreateObject hands out `object` (none when empty).
class FakePackage : public FakeInterface<ICVExtention> {
public:
    explicit FakePackage(ComPtr<ICVUnknown> made = {}) : object(std::move(made)) {}

    CvStatus CV_CALL GetModuleHandle(CvHandle* handle) override
    {
        *handle = 0;
        return CV_OK;
    }
    CvStatus CV_CALL GetInitialized(CvWordBool* initialized) override
    {
        *initialized = CV_TRUE;
        return CV_OK;
    }
    CvStatus CV_CALL Execute(std::int32_t, std::int32_t, CvBStr*, std::int32_t*) override
    {
        return CV_E_NOTIMPL;
    }
    CvStatus CV_CALL CreateObject(ICVUnknown** destination, std::int32_t flags,
                                  const char16_t* name, std::int32_t* result) override
    {
        requests.push_back({flags, fromWideZ(name)});
        *destination = ComPtr<ICVUnknown>(object).detach();
        *result = 0;
        return CV_OK;
    }

    ComPtr<ICVUnknown> object;
    std::vector<std::pair<int, QString>> requests;
};

class FakeParams : public ComObject<ICVParams> {
public:
    CvStatus CV_CALL GetLastError(CvBStr* text) override
    {
        *text = nullptr;
        return CV_OK;
    }
    CvStatus CV_CALL GetCount(std::int32_t* count) override
    {
        *count = std::int32_t(values.size());
        return CV_OK;
    }
    CvStatus CV_CALL SetCount(std::int32_t count) override
    {
        values.resize(count);
        return CV_OK;
    }
    CvStatus CV_CALL GetValue(std::int32_t index, CvVariant* value) override
    {
        toCvVariant(values.at(index), value);
        return CV_OK;
    }
    CvStatus CV_CALL SetValue(std::int32_t index, CvVariant value) override
    {
        if (index < 0 || index >= values.size())
            return CV_E_INVALIDARG;
        values[index] = fromCvVariant(value);
        return CV_OK;
    }
    CvStatus CV_CALL FormatText(CvBStr*, CvWordBool*) override { return CV_E_NOTIMPL; }

    QVariantList values;
};

class FakeField : public FakeInterface<ICVField> {
public:
    explicit FakeField(QVariant v) : value(std::move(v)) {}
    CvStatus CV_CALL GetAsString(CvBStr* text) override
    {
        *text = allocWide(value.toString());
        return CV_OK;
    }
    CvStatus CV_CALL GetAsInteger(std::int32_t* result) override
    {
        *result = value.toInt();
        return CV_OK;
    }

    QVariant value;
};

class FakeRecord : public ComObject<ICVDataRecord> {
public:
    CvStatus CV_CALL FindField(const char16_t* name, ICVField** field) override
    {
        const auto it = fields.constFind(fromWideZ(name));
        *field = it == fields.constEnd() ? nullptr : ComPtr<ICVField>(new FakeField(*it)).detach();
        return CV_OK;
    }

    QMap<QString, QVariant> fields;
};

class FakeDataPicker : public ComObject<ICVDataPicker> {
public:
    struct ShowCall {
        CvHandle owner;
        int script;
        int options;
        QString text;
        QVariantList first;
        QVariantList second;
    };

    CvStatus CV_CALL GetRecord(ICVDataRecord** result) override
    {
        *result = ComPtr<ICVDataRecord>(record.get()).detach();
        return CV_OK;
    }
    CvStatus CV_CALL GetFirstValues(ICVParams** values) override
    {
        *values = ComPtr<ICVParams>(first.get()).detach();
        return CV_OK;
    }
    CvStatus CV_CALL GetSecondValues(ICVParams** values) override
    {
        *values = ComPtr<ICVParams>(second.get()).detach();
        return CV_OK;
    }
    CvStatus CV_CALL SetSetting(std::int32_t number, const char16_t* text) override
    {
        settings.push_back({number, fromWideZ(text)});
        return CV_OK;
    }
    CvStatus CV_CALL Show(CvHandle owner, std::int32_t script, std::int32_t options,
                          const char16_t* text, CvWordBool* result) override
    {
        shows.push_back({owner, script, options, fromWideZ(text), first->values, second->values});
        if (duringShow)
            duringShow();
        *result = picked;
        return showStatus;
    }

    // The last value written to a setting; null when it was never written.
    QString setting(int number) const
    {
        QString found;
        for (const auto& [n, text] : settings)
            if (n == number)
                found = text.isNull() ? QStringLiteral("") : text;
        return found;
    }

    ComPtr<FakeParams> first{new FakeParams};
    ComPtr<FakeParams> second{new FakeParams};
    ComPtr<FakeRecord> record{new FakeRecord};
    std::vector<std::pair<int, QString>> settings;
    std::vector<ShowCall> shows;
    CvWordBool picked = CV_TRUE;
    CvStatus showStatus = CV_OK;
    std::function<void()> duringShow;
};

// A print program; without print2 it is one older than version 2.0.
class FakePrint : public FakeInterface<ICVPrint2> {
public:
    explicit FakePrint(bool hasPrint2 = true) : m_hasPrint2(hasPrint2) { version = 2.0; }

    CvStatus CV_CALL GetErrorText(CvBStr* text) override
    {
        *text = allocWide(errorText);
        return CV_OK;
    }
    CvStatus CV_CALL Design(std::int32_t formatId, CvWordBool* ok) override
    {
        return run(QStringLiteral("Design %1").arg(formatId), ok);
    }
    CvStatus CV_CALL Print(std::int32_t formatId, CvWordBool a, CvWordBool b,
                           CvWordBool* ok) override
    {
        return run(QStringLiteral("Print %1 %2 %3").arg(formatId).arg(a).arg(b), ok);
    }
    CvStatus CV_CALL Preview(std::int32_t formatId, CvWordBool on, CvWordBool* ok) override
    {
        return run(QStringLiteral("Preview %1 %2").arg(formatId).arg(on), ok);
    }
    CvStatus CV_CALL SelectReport(const char16_t* code, const char16_t* variables,
                                  const char16_t* dataLists, std::int32_t* result) override
    {
        *result = 0;
        calls << QStringLiteral("SelectReport ") + fromWideZ(code);
        selectedVariables = fromWideZ(variables);
        selectedDataLists = fromWideZ(dataLists);
        return failing == u"SelectReport" ? fail(QStringLiteral("选择报表失败")) : CV_OK;
    }
    std::int32_t CV_CALL Command(const char16_t* command) override
    {
        calls << fromWideZ(command);
        return commandAnswer;
    }
    CvStatus CV_CALL Restart() override
    {
        ++restarts;
        return CV_OK;
    }
    CvStatus CV_CALL LoadReport(std::int32_t formatId, CvWordBool on, CvWordBool* ok) override
    {
        return run(QStringLiteral("LoadReport %1 %2").arg(formatId).arg(on), ok);
    }

    QStringList calls;
    QString selectedVariables;
    QString selectedDataLists;
    QString errorText;
    QString failing; // the operation (first word of its call) that fails
    CvWordBool ok = CV_TRUE;
    int commandAnswer = 0;
    int restarts = 0;

protected:
    void* findInterface(const CvGuid& iid) override
    {
        if (iid == ICVPrint::iid() || iid == ICVInterface::iid())
            return static_cast<ICVPrint*>(this);
        if (iid == ICVPrint2::iid() && !m_hasPrint2)
            return nullptr;
        return FakeInterface::findInterface(iid);
    }

private:
    CvStatus run(const QString& call, CvWordBool* result)
    {
        calls << call;
        *result = ok;
        return call.startsWith(failing + u' ') && !failing.isEmpty()
                   ? fail(QStringLiteral("打印程序内部错误"))
                   : CV_OK;
    }

    bool m_hasPrint2;
};

class FakePrivileges : public FakeInterface<ICVPrivileges> {
public:
    std::int32_t CV_CALL CheckCommand(std::int32_t command, const char16_t* appName,
                                      std::int32_t flags) override
    {
        commandChecks << QStringLiteral("%1 %2 %3").arg(command).arg(fromWideZ(appName)).arg(flags);
        return commandAllowed;
    }
    std::int32_t CV_CALL IsAllowed(const char16_t* actionName) override
    {
        return allowed.contains(fromWideZ(actionName)) ? 1 : 0;
    }
    std::int32_t CV_CALL IsDefined(const char16_t*) override { return 1; }

    QSet<QString> allowed;
    int commandAllowed = 1;
    QStringList commandChecks;
};

// The print program's preview: a window of its own that the host makes a
// child of the window whose handle it is given.
class FakePrintPreview : public FakeInterface<ICVPrintPreview> {
public:
    FakePrintPreview() : window(std::make_unique<QWidget>()) {}

    CvHandle CV_CALL GetHandle() override { return CvHandle(window->winId()); }
    std::int32_t CV_CALL SetParentHandle(CvHandle parent) override
    {
        parents.push_back(parent);
        window->setParent(QWidget::find(WId(parent)));
        window->show();
        return 1;
    }
    std::int32_t CV_CALL ShowReport(ICVPrint2*) override { return 1; }
    std::int32_t CV_CALL PreviewCommand(const char16_t* command) override
    {
        commands << fromWideZ(command);
        return 1;
    }

    std::unique_ptr<QWidget> window;
    std::vector<CvHandle> parents;
    QStringList commands;

protected:
    void* findInterface(const CvGuid& iid) override
    {
        if (iid == ICVEmbWindow::iid() || iid == ICVInterface::iid())
            return static_cast<ICVEmbWindow*>(this);
        return FakeInterface::findInterface(iid);
    }
};

} // namespace cv::test
