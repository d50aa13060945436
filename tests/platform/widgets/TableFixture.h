// A small table of people for the widget tests: ID, NAME, FLAG (0/1 or null),
// KIND (1/2), AT (date-time).
#pragma once

#include "platform/memtable/MemTable.h"

#include <QDateTime>
#include <QVariant>

#include <vector>

namespace cv::widgets::test {

struct Person {
    int id;
    QString name;
    QVariant flag;
    int kind = 1;
};

inline void definePeople(MemTable& table)
{
    table.defineFields({{QStringLiteral("ID"), FieldType::Integer},
                        {QStringLiteral("NAME"), FieldType::WideString, 40},
                        {QStringLiteral("FLAG"), FieldType::Integer},
                        {QStringLiteral("KIND"), FieldType::Integer},
                        {QStringLiteral("AT"), FieldType::DateTime}});
    table.open();
}

inline void appendPerson(MemTable& table, const Person& p)
{
    table.append();
    table.setValue(QStringLiteral("ID"), p.id);
    table.setValue(QStringLiteral("NAME"), p.name);
    table.setValue(QStringLiteral("FLAG"), p.flag);
    table.setValue(QStringLiteral("KIND"), p.kind);
    table.setValue(QStringLiteral("AT"), QDateTime(QDate(2024, 3, p.id), QTime(8, 30, 5)));
    table.post();
}

inline void fillPeople(MemTable& table, const std::vector<Person>& people)
{
    definePeople(table);
    for (const Person& p : people)
        appendPerson(table, p);
    table.first();
}

} // namespace cv::widgets::test
