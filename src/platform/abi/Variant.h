// Conversions between the ABI's variants and QVariant.
#pragma once

#include <corvelian/Types.h>

#include <QVariant>

namespace cv {

QVariant fromCvVariant(const corvelian::CvVariant& v);
// Fills out (cleared first) with the closest variant type; strings are
// allocated for the receiver.
void toCvVariant(const QVariant& value, corvelian::CvVariant* out);

// Variant dates count days from 1899-12-30; the fraction is the time of day.
double dateTimeToOleDate(const QDateTime& dt);
QDateTime oleDateToDateTime(double date);

} // namespace cv
