// The host's log: every entry a module writes, in order.
#pragma once

#include <QString>

#include <vector>

namespace cv::host {

struct LogEntry {
    int level = 0;
    QString app;
    QString source;
    QString title;
    QString text;
};

class HostLog {
public:
    void append(LogEntry entry) { m_entries.push_back(std::move(entry)); }
    const std::vector<LogEntry>& entries() const { return m_entries; }
    void clear() { m_entries.clear(); }

private:
    std::vector<LogEntry> m_entries;
};

} // namespace cv::host
