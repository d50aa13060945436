// The module's wrapper of the host's print program "Cv.Print": report
// variables and data lists as text, report selection, preview, print,
// design, loading a report for the embedded preview, and the report-format
// choosers filled from host script 1485.
#pragma once

#include "ImageComboItems.h"

#include "platform/abi/ComPtr.h"
#include "platform/text/NameValueList.h"

#include <corvelian/Interfaces.h>

#include <QString>
#include <QStringList>

namespace cv::services {

class TPrintPackage {
public:
    TPrintPackage() = default;
    TPrintPackage(const TPrintPackage&) = delete;
    TPrintPackage& operator=(const TPrintPackage&) = delete;

    // Connects (or restarts) the print program and empties variables and data
    // lists. A missing print program is told to the user and answers false;
    // with checkUser the print program's user check decides.
    bool Prepare(bool checkUser);
    void Connect();

    // Fills a report-format chooser with the formats of a report and answers
    // the id of the (last) default format, 0 when none is marked default.
    int FillFormatList(ImageComboItems items, const QString& reportCode) const;

    // Variables "ReportVar.0", "ReportVar.1", ... replace all variables.
    void SetReportValues(const QStringList& values);
    // An empty value removes the variable.
    void SetVariable(const QString& name, const QString& value);
    // Data list `index`: the values' code page 936 hex texts as lines, that
    // whole text hex-encoded once more.
    void SetDataList(int index, const QStringList& values);

    // The running operations raise the print program's own error text.
    void SelectReport(const QString& reportCode);
    bool Preview(int formatId, bool on, bool enablePrint);
    bool Print(int formatId, bool first, bool second);
    bool Design(int formatId, bool enablePrint);
    // For the embedded preview; needs a print program of version 2.0 or later.
    bool LoadReport(int formatId, bool on);

    corvelian::ICVPrint* PrintInterface() const { return m_print.get(); }
    // Handed to the embedded preview after LoadReport succeeded.
    corvelian::ICVPrint2* Print2() const { return m_print2.get(); }
    const text::NameValueList& Variables() const { return m_variables; }
    const text::NameValueList& DataLists() const { return m_dataLists; }

private:
    corvelian::ICVPrint& print() const;
    void Attach(const ComPtr<corvelian::ICVUnknown>& object);
    void Restart();
    int Command(const QString& command) const;
    void SendVariables() const;
    void EnablePrint(bool enable) const;
    template <class F> auto WithErrorText(F&& body) const;

    ComPtr<corvelian::ICVPrint> m_print;
    ComPtr<corvelian::ICVPrint2> m_print2;
    text::NameValueList m_variables;
    text::NameValueList m_dataLists;
};

// The module's print package, from lifecycle stage 0 to stage 1; raises outside.
TPrintPackage& PrintPackage();

} // namespace cv::services
