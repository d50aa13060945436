// The text an attribute takes for a variant value:
//   empty, null        ""
//   integers           decimal ("-42")
//   R4, R8             shortest text that reads back to the same value, "." as
//                      decimal point, plain digits for 1e-6 <= |v| < 1e21 and
//                      exponent form ("1e+21") outside; "NaN", "INF", "-INF"
//   CY                 the amount as a decimal number, trailing zeros dropped ("12.5")
//   DATE               "YYYY-MM-DD HH:NN:SS", with ".zzz" when there are milliseconds
//   BOOL               "1" or "0", which both database engines read as a bit
//   BSTR               the text
// Other variant types are refused with XmlError (CV_E_INVALIDARG).
#pragma once

#include <corvelian/Types.h>

#include <string>

namespace cv::host {

void appendVariantText(std::string& out, const corvelian::CvVariant& value);

} // namespace cv::host
