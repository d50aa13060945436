#include "platform/text/NameValueList.h"

namespace cv::text {

NameValueList NameValueList::fromText(const QString& text)
{
    NameValueList list;
    list.setText(text);
    return list;
}

void NameValueList::setText(const QString& text)
{
    m_lines.clear();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] != QChar(0)) {
        const qsizetype start = i;
        while (i < n && text[i] != u'\r' && text[i] != u'\n' && text[i] != QChar(0))
            ++i;
        m_lines.append(text.mid(start, i - start));
        if (i < n && text[i] == u'\r')
            ++i;
        if (i < n && text[i] == u'\n')
            ++i;
    }
}

QString NameValueList::text() const
{
    QString result;
    qsizetype size = 0;
    for (const QString& line : m_lines)
        size += line.size() + 2;
    result.reserve(size);
    for (const QString& line : m_lines) {
        result += line;
        result += QLatin1String("\r\n");
    }
    return result;
}

QString NameValueList::name(int i) const
{
    const QString& line = m_lines.at(i);
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq);
}

QString NameValueList::valueAt(int i) const
{
    const QString& line = m_lines.at(i);
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.mid(eq + 1);
}

int NameValueList::indexOfName(const QString& name) const
{
    for (int i = 0; i < count(); ++i) {
        const QString& line = m_lines.at(i);
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString NameValueList::value(const QString& name) const
{
    const int i = indexOfName(name);
    return i < 0 ? QString() : valueAt(i);
}

void NameValueList::setValue(const QString& name, const QString& value)
{
    const int i = indexOfName(name);
    if (value.isEmpty()) {
        if (i >= 0)
            m_lines.removeAt(i);
        return;
    }
    const QString line = name + u'=' + value;
    if (i >= 0)
        m_lines[i] = line;
    else
        m_lines.append(line);
}

} // namespace cv::text
