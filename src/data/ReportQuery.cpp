#include "ReportQuery.h"

#include "HostPackage.h"
#include "TCoreDM.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"
#include "platform/text/Cp936.h"
#include "platform/text/Hex.h"

namespace cv::data {

namespace {

const QString kSystemPackage = QStringLiteral("CV.System");
const QString kNoDialogLine = QStringLiteral("##NoDialog=1");
const QString kLineBreak = QStringLiteral("\r\n");
constexpr std::int32_t kRunScript = 23;
constexpr std::int32_t kDone = 1;
constexpr int kParameterSize = 8000;

struct PackageAnswer {
    std::int32_t result = 0;
    QString text;
};

PackageAnswer requestScript(int scriptId, const QString& request)
{
    ComPtr<corvelian::ICVExtention> package = GetHostPackage(kSystemPackage);
    WideString text(request);
    std::int32_t result = 0;
    checkHost(package->Execute(kRunScript, scriptId, text.inOut(), &result), package.get());
    return {result, text.toQString()};
}

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
}

// A damaged line is refused rather than decoded in part: running the front
// of a statement (a DELETE without its WHERE, say) is worse than not running it.
QString decodeStatement(const QString& hex)
{
    const qsizetype digits = hex.size() - hex.size() % 2; // an odd last digit is ignored
    for (qsizetype i = 0; i < digits; ++i)
        if (!isHexDigit(hex[i]))
            throw Exception(QStringLiteral("脚本语句的十六进制文本无效."));
    return text::fromCp936(text::hexToBytes(hex));
}

QString statementOf(const text::NameValueList& lines)
{
    return decodeStatement(lines.value(QStringLiteral("$SQL")));
}

TCoreDM& coreDM()
{
    TCoreDM* dm = CoreDM();
    if (!dm)
        throw Exception(QStringLiteral("数据模块尚未创建."));
    return *dm;
}

bool isMissing(const Report_Query::DataSet& dataSet)
{
    return std::visit([](auto* p) { return p == nullptr; }, dataSet);
}

void requireDataSet(const Report_Query::DataSet& dataSet)
{
    if (isMissing(dataSet))
        throw Exception(QStringLiteral("请指定返回数据集对象。"));
}

void loadIntoTable(MemTable& table, const QString& answer)
{
    // The script query keeps the query layer's own time-out: scripts may run
    // longer than the connection's statements are allowed to.
    db::Query query(&coreDM().ADOConnection1(), true);
    Report_Query::PrepareScriptQuery(query, answer);
    CopyResult(query, table, false, false);
}

} // namespace

void Report_Query::OpenScriptById(DataSet table, int scriptId, const QString& parameters,
                                  bool noDialog)
{
    requireDataSet(table);
    const QString request = noDialog ? parameters + kLineBreak + kNoDialogLine : parameters;
    const PackageAnswer answer = requestScript(scriptId, request);
    if (answer.result != kDone)
        return;
    // The caller's lines follow the host's, so a value the host answered wins.
    FillDataSet(table, answer.text + kLineBreak + parameters);
}

void Report_Query::OpenScriptByCode(DataSet table, const QString& scriptCode,
                                    const QString& parameters, bool noDialog)
{
    requireDataSet(table); // before the lookup reaches the database
    OpenScriptById(table, shell::CvApp().LookupScriptId(scriptCode), parameters, noDialog);
}

void Report_Query::FetchScript(int scriptId, bool wholeAnswer, bool noDialog,
                               const QString& parameters, QString& result)
{
    const QString request = noDialog ? kNoDialogLine + kLineBreak + parameters : parameters;
    const PackageAnswer answer = requestScript(scriptId, request);
    if (answer.result != kDone)
        return;
    result = wholeAnswer ? answer.text : statementOf(text::NameValueList::fromText(answer.text));
}

void Report_Query::FillDataSet(DataSet dataSet, const QString& answer)
{
    requireDataSet(dataSet);
    if (auto* query = std::get_if<db::Query*>(&dataSet))
        PrepareScriptQuery(**query, answer);
    else
        loadIntoTable(*std::get<MemTable*>(dataSet), answer);
}

void Report_Query::PrepareScriptQuery(db::Query& query, const QString& answer)
{
    const text::NameValueList lines = text::NameValueList::fromText(answer);
    query.setSql(statementOf(lines));
    AssignParams(query, lines, true);
}

void Report_Query::AssignParams(db::Query& query, const text::NameValueList& values, bool open)
{
    for (db::Parameter& parameter : query.parameters()) {
        parameter.size = kParameterSize;
        // A missing line binds the empty text: drivers bind a null QString as NULL.
        const QString value = values.value(parameter.name);
        parameter.setValue(value.isNull() ? QStringLiteral("") : value);
    }
    if (open)
        ExecDataSet(query, true, 0, QString(), true, true, false);
}

} // namespace cv::data
