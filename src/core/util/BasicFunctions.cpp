#include "core/util/BasicFunctions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace basic {

QString Mid(QStringView s, qsizetype start, qsizetype length) {
    if (start < 1) start = 1;
    const qsizetype from = start - 1;
    if (from >= s.size() || length == 0) return {};
    if (length < 0 || length > s.size() - from) length = s.size() - from;
    return s.mid(from, length).toString();
}

QString Left(QStringView s, qsizetype n) {
    if (n <= 0) return {};
    return s.left(std::min(n, s.size())).toString();
}

QString Right(QStringView s, qsizetype n) {
    if (n <= 0) return {};
    return s.right(std::min(n, s.size())).toString();
}

QStringView RTrimmedView(QStringView s) {
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == u' ')
        --end;
    return s.left(end);
}

QString RTrim(QStringView s) {
    return RTrimmedView(s).toString();
}

QStringList splitLines(QStringView text, int maxLines, bool* moreText) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n && lines.size() < maxLines) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        lines.append(text.mid(start, end - start).toString());
        if (end < n && text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n') ++end;
        start = end + 1;
    }
    if (moreText)
        *moreText = std::any_of(text.begin() + std::min(start, n), text.end(), [](QChar c) { return !c.isSpace(); });
    return lines;
}

QString LTrim(QStringView s) {
    qsizetype begin = 0;
    while (begin < s.size() && s[begin] == u' ')
        ++begin;
    return s.mid(begin).toString();
}

QString Trim(QStringView s) {
    return LTrim(RTrim(s));
}

double Val(QStringView s) {
    std::string text;
    text.reserve(static_cast<size_t>(std::min<qsizetype>(s.size(), 64)));
    qsizetype i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t' || s[i] == u'\n' || s[i] == u'\r'))
        ++i;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) text += char(s[i++].unicode());
    bool digits = false, point = false;
    for (; i < s.size() && text.size() < 400; ++i) {
        const char16_t c = s[i].unicode();
        if (c >= u'0' && c <= u'9') {
            text += char(c);
            digits = true;
        } else if (c == u'.' && !point) {
            text += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    if (i + 1 < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        std::string exponent = "e";
        qsizetype j = i + 1;
        if (s[j] == u'-' || s[j] == u'+') exponent += char(s[j++].unicode());
        bool expDigits = false;
        for (; j < s.size() && s[j] >= u'0' && s[j] <= u'9' && exponent.size() < 8; ++j) {
            exponent += char(s[j].unicode());
            expDigits = true;
        }
        if (expDigits) text += exponent;
    }
    const double value = std::strtod(text.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

double Int(double x) {
    return std::floor(x);
}

namespace {

// Decimal digits of |value| rounded half away from zero to `decimals` places, taking
// the value first with `significantDigits` significant digits as BASIC does.
std::string roundedDigits(double value, int decimals, int significantDigits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, std::fabs(value));
    // buffer: d.ddddde[+-]xx
    std::string mantissa;
    int exponent = 0;
    {
        const char* p = buffer;
        for (; *p && *p != 'e'; ++p)
            if (*p != '.') mantissa += *p;
        if (*p == 'e') exponent = std::atoi(p + 1);
    }
    // The value is 0.mantissa * 10^(exponent + 1).
    int pointPos = exponent + 1; // digits before the decimal point
    // Make the integer digit string of value * 10^decimals, with one extra digit for rounding.
    const int keep = pointPos + decimals; // number of mantissa digits that stay
    std::string digits;
    if (keep < 0) return "0";
    for (int k = 0; k < keep; ++k)
        digits += k < int(mantissa.size()) ? mantissa[size_t(k)] : '0';
    const char next = keep < int(mantissa.size()) ? mantissa[size_t(keep)] : '0';
    if (digits.empty()) digits = "0";
    if (next >= '5') {
        int k = int(digits.size()) - 1;
        for (; k >= 0; --k) {
            if (digits[size_t(k)] == '9') {
                digits[size_t(k)] = '0';
            } else {
                ++digits[size_t(k)];
                break;
            }
        }
        if (k < 0) digits.insert(digits.begin(), '1');
    }
    return digits; // value * 10^decimals as a whole number
}

} // namespace

QString Format(double value, QStringView picture, int significantDigits) {
    if (!std::isfinite(value)) value = 0.0;
    const qsizetype point = picture.indexOf(u'.');
    const QStringView intPicture = point < 0 ? picture : picture.left(point);
    const QStringView fracPicture = point < 0 ? QStringView() : picture.mid(point + 1);
    const int decimals = int(fracPicture.size());
    int minIntDigits = 0;
    for (QChar c : intPicture)
        if (c == u'0') ++minIntDigits;

    std::string digits = value == 0.0 ? std::string("0") : roundedDigits(value, decimals, significantDigits);
    while (int(digits.size()) < decimals + 1)
        digits.insert(digits.begin(), '0');
    std::string intPart = digits.substr(0, digits.size() - size_t(decimals));
    std::string fracPart = digits.substr(digits.size() - size_t(decimals));
    // Leading zeros of the integer part only where the picture asks for them.
    size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? std::string() : intPart.substr(firstNonZero);
    while (int(intPart.size()) < minIntDigits)
        intPart.insert(intPart.begin(), '0');

    const bool isZero =
        intPart.find_first_not_of('0') == std::string::npos && fracPart.find_first_not_of('0') == std::string::npos;
    QString result;
    if (value < 0 && !isZero) result += u'-';
    result += QString::fromLatin1(intPart.data(), qsizetype(intPart.size()));
    if (point >= 0) {
        result += u'.';
        result += QString::fromLatin1(fracPart.data(), qsizetype(fracPart.size()));
    }
    return result;
}

QString FormatSingle(float value, QStringView picture) {
    return Format(double(value), picture, 7);
}

QString FormatAt(QStringView text, QStringView picture) {
    const qsizetype width = picture.count(u'@');
    if (text.size() >= width) return text.toString();
    return QString(width - text.size(), u' ') + text.toString();
}

QString RightAligned(qint64 value, int width) {
    return FormatAt(QString::number(value), QString(width, u'@'));
}

} // namespace basic
