// A report format of the print program: one template of a report code, as
// the host's database keeps it in cv_report_formats.
#pragma once

#include <QString>

#include <vector>

namespace cv::host {

class HostDatabase;

struct ReportFormat {
    int id = 0;
    QString reportCode;
    QString name;
    bool isDefault = false;
    QString templateText;

    // Throws cv::Exception "报表格式%1不存在." when there is none.
    static ReportFormat load(HostDatabase& database, int id);
    // The formats of a report code, by id.
    static std::vector<ReportFormat> ofReport(HostDatabase& database, const QString& reportCode);
    static void saveTemplate(HostDatabase& database, int id, const QString& templateText);
};

} // namespace cv::host
