// The parameter text of the contract: lines "name=value" separated by CR LF, with
// Delphi TStrings semantics (Values, Names, ValueFromIndex, Text).
#pragma once

#include <QString>
#include <QStringList>

namespace cv::text {

class NameValueList {
public:
    NameValueList() = default;

    // Splits at CR LF, and also at a bare LF or a bare CR (Delphi SetTextStr); a line
    // break at the very end does not add an empty line; a NUL character ends the text.
    static NameValueList fromText(const QString& text);
    void setText(const QString& text);
    // Every line followed by CR LF.
    QString text() const;

    int count() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    void clear() { m_lines.clear(); }

    // The whole line i.
    const QString& line(int i) const { return m_lines.at(i); }
    const QStringList& lines() const { return m_lines; }
    void add(const QString& line) { m_lines.append(line); }
    void removeAt(int i) { m_lines.removeAt(i); }

    // The part of line i before the first "=" (empty when the line has no "=").
    QString name(int i) const;
    // The part of line i after the first "=" (empty when the line has no "=").
    QString valueAt(int i) const;

    // The first line whose name equals `name` without regard to case; -1 when none.
    // Lines without "=" have no name and never match.
    int indexOfName(const QString& name) const;
    // The value of the first line named `name`; empty when there is none.
    QString value(const QString& name) const;
    // Delphi Values[name] := value: a non-empty value replaces the first line named
    // `name` by "name=value" (with the name as given here) or appends that line; an
    // empty value deletes the first line named `name`.
    void setValue(const QString& name, const QString& value);

    bool operator==(const NameValueList&) const = default;

private:
    QStringList m_lines;
};

} // namespace cv::text
