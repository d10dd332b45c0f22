#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

/**
 * The string and number helpers every fixed-width format and fixed-position parser
 * of the program goes through. They behave like the BASIC functions the record
 * formats were designed around: positions are 1-based, a read past the end gives a
 * shorter or empty string (never an exception), and numbers round half away from
 * zero on their decimal digits.
 */
namespace basic {

/** Characters start..start+length-1 (1-based); clipped to the string. length < 0 means "to the end". */
QString Mid(QStringView s, qsizetype start, qsizetype length = -1);
/** The first n characters (all of them when n exceeds the length; empty when n <= 0). */
QString Left(QStringView s, qsizetype n);
/** The last n characters. */
QString Right(QStringView s, qsizetype n);
/** Removes leading and trailing half-width spaces (U+0020 only). */
QString Trim(QStringView s);
/** Removes trailing half-width spaces (U+0020 only); a trailing ideographic space stays. */
QString RTrim(QStringView s);
/** RTrim without a copy: the part of `s` before its trailing half-width spaces. */
QStringView RTrimmedView(QStringView s);
/** Removes leading half-width spaces (U+0020 only). */
QString LTrim(QStringView s);
/**
 * The lines of file text split at CR LF, CR or LF, at most `maxLines` of them. *moreText, when
 * asked, tells whether anything but white space follows the lines kept.
 */
QStringList splitLines(QStringView text, int maxLines, bool* moreText = nullptr);

/**
 * The number at the start of s: leading blanks skipped, an optional sign, digits with
 * one decimal point and an optional exponent; reading stops at the first other
 * character. Returns 0 when no number is there.
 */
double Val(QStringView s);

/** Largest whole number not above x (BASIC Int). */
double Int(double x);

/**
 * Formats a number with a numeric picture: '0' is a digit that is always written,
 * '#' a digit written only when significant, one optional '.', for example "#0.0",
 * "00000.00", "0", "00". Rounds half away from zero on the value's decimal digits
 * (taken with `significantDigits` digits, 15 for double and 7 for single precision).
 */
QString Format(double value, QStringView picture, int significantDigits = 15);
/** Single-precision variant: the value is taken with the 7 digits a float holds. */
QString FormatSingle(float value, QStringView picture);

/** Right-aligns text in a field of as many characters as `picture` has '@'; never truncates. */
QString FormatAt(QStringView text, QStringView picture);
/** Right-aligns a whole number in `width` characters; wider values keep all their digits. */
QString RightAligned(qint64 value, int width);

} // namespace basic
