#include "TPrintPackage.h"

#include "data/TCoreDM.h"
#include "shell/TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"
#include "platform/text/Format.h"
#include "platform/text/Hex.h"

using namespace corvelian;

namespace cv::services {

namespace {

const QString kPackageName = QStringLiteral("Cv.Print");
const QString kAccessFailed = QStringLiteral("打印接口Cv.Print访问失败.");
const QString kVersionTooOld = QStringLiteral("打印程序版本不能低于2.0,请升级打印程序.");
constexpr int kFormatListScript = 1485;

CvWordBool wordBool(bool on)
{
    return on ? CV_TRUE : CV_FALSE_BOOL;
}

QString messageOf(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const Exception*>(&error))
        return own->message();
    return QString::fromUtf8(error.what());
}

// Ends the chooser's update also when reading the formats fails, leaving
// the items added so far.
class UpdateScope {
public:
    explicit UpdateScope(ImageComboItems& items) : m_items(items) { m_items.BeginUpdate(); }
    ~UpdateScope() { m_items.EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    ImageComboItems& m_items;
};

data::TCoreDM& coreDM()
{
    data::TCoreDM* dm = data::CoreDM();
    if (!dm)
        throw Exception(QStringLiteral("数据模块未创建."));
    return *dm;
}

} // namespace

bool TPrintPackage::Prepare(bool checkUser)
{
    Connect();
    m_variables.clear();
    m_dataLists.clear();
    if (checkUser && m_print)
        return Command(QStringLiteral(".CheckUser")) == 1;
    return bool(m_print);
}

void TPrintPackage::Connect()
{
    if (m_print) {
        Restart();
        return;
    }
    const shell::TCvApplication& app = shell::CvApp();
    if (!app.LibraryBound())
        return;
    ICvApplication* host = app.Host();
    ComPtr<ICVExtention> package;
    WideString errorText;
    checkHost(host->GetPackage(wideArg(kPackageName), errorText.put(), package.put()), host);
    if (!package) {
        app.ShowMessage(kAccessFailed + QStringLiteral("\r\n") + errorText.toQString(), 0, 0, 0);
        return;
    }
    ComPtr<ICVUnknown> object;
    std::int32_t result = 0;
    checkHost(package->CreateObject(object.put(), 1, wideArg(QString()), &result), package.get());
    if (!object) {
        app.ShowMessage(kAccessFailed, 0, 0, 0);
        return;
    }
    Attach(object);
}

void TPrintPackage::Attach(const ComPtr<ICVUnknown>& object)
{
    m_print = object.as<ICVPrint>();
    if (!m_print)
        throw Exception(QStringLiteral("Interface not supported"), CV_E_NOINTERFACE);
    Restart();
    m_print2 = m_print.as<ICVPrint2>();
}

void TPrintPackage::Restart()
{
    checkHost(m_print->Restart(), m_print.get());
}

int TPrintPackage::FillFormatList(ImageComboItems items, const QString& reportCode) const
{
    int defaultId = 0;
    if (!items.IsImageCombo())
        return defaultId;
    const UpdateScope update(items);
    std::unique_ptr<db::Query> query = coreDM().NewQuery(false);
    const text::FormatArg code = text::FormatArg::ansiString(text::quotedStr(reportCode));
    query->setSql(shell::CvApp().FormatScript(kFormatListScript, std::span(&code, 1)));
    query->open();
    db::RecordSet& rows = query->records();
    const int name = rows.columnIndex(u"Name");
    const int id = rows.columnIndex(u"id");
    const int isDefault = rows.columnIndex(u"xDefault");
    for (; !rows.atEnd(); rows.next()) {
        const int value = rows.value(id).toInt();
        items.Add(rows.value(name).toString(), value);
        if (isDefault >= 0 && rows.value(isDefault).toInt() == 1)
            defaultId = value;
    }
    return defaultId;
}

void TPrintPackage::SetReportValues(const QStringList& values)
{
    m_variables.clear();
    for (int i = 0; i < values.size(); ++i)
        SetVariable(QStringLiteral("ReportVar.") + QString::number(i), values.at(i));
}

void TPrintPackage::SetVariable(const QString& name, const QString& value)
{
    m_variables.setValue(name, value);
}

void TPrintPackage::SetDataList(int index, const QStringList& values)
{
    text::NameValueList lines;
    for (const QString& value : values)
        lines.add(text::textToHex(value));
    text::setHexValue(m_dataLists, index, lines.text(), true);
}

ICVPrint& TPrintPackage::print() const
{
    if (!m_print)
        throw Exception(kAccessFailed);
    return *m_print;
}

int TPrintPackage::Command(const QString& command) const
{
    return print().Command(wideArg(command));
}

void TPrintPackage::SendVariables() const
{
    Command(QStringLiteral("SetVars ") + m_variables.text());
}

void TPrintPackage::EnablePrint(bool enable) const
{
    Command(QStringLiteral(".EnabledPrint %1").arg(enable ? 1 : 0));
}

// The print program knows best what went wrong; its own text replaces the
// error unless it has none to give.
template <class F> auto TPrintPackage::WithErrorText(F&& body) const
{
    ICVPrint& program = print();
    try {
        return body(program);
    } catch (const std::exception& error) {
        WideString text;
        const bool known =
            CvSucceeded(program.GetErrorText(text.put())) && !text.toQString().isEmpty();
        throw Exception(known ? text.toQString() : messageOf(error));
    }
}

void TPrintPackage::SelectReport(const QString& reportCode)
{
    WithErrorText([&](ICVPrint& program) {
        std::int32_t result = 0;
        checkHost(program.SelectReport(wideArg(reportCode), wideArg(m_variables.text()),
                                       wideArg(m_dataLists.text()), &result),
                  &program);
    });
}

bool TPrintPackage::Preview(int formatId, bool on, bool enablePrint)
{
    return WithErrorText([&](ICVPrint& program) {
        SendVariables();
        EnablePrint(enablePrint);
        CvWordBool ok = 0;
        checkHost(program.Preview(formatId, wordBool(on), &ok), &program);
        return ok != 0;
    });
}

bool TPrintPackage::Print(int formatId, bool first, bool second)
{
    return WithErrorText([&](ICVPrint& program) {
        SendVariables();
        CvWordBool ok = 0;
        checkHost(program.Print(formatId, wordBool(first), wordBool(second), &ok), &program);
        return ok != 0;
    });
}

bool TPrintPackage::Design(int formatId, bool enablePrint)
{
    return WithErrorText([&](ICVPrint& program) {
        SendVariables();
        EnablePrint(enablePrint);
        CvWordBool ok = 0;
        checkHost(program.Design(formatId, &ok), &program);
        if (!ok)
            throw Exception(QStringLiteral("报表设计失败."));
        return true;
    });
}

bool TPrintPackage::LoadReport(int formatId, bool on)
{
    double version = 0;
    checkHost(print().GetVersion(&version), m_print.get());
    // A program without the extended interface cannot load reports either.
    if (version <= 1.0 || !m_print2)
        throw Exception(kVersionTooOld);
    SendVariables();
    CvWordBool ok = 0;
    checkHost(m_print2->LoadReport(formatId, wordBool(on), &ok), m_print2.get());
    return ok != 0;
}

} // namespace cv::services
